#include "engine/rules_logic.h"

#include "core/text_logic.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace bw {

namespace {

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() > prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return LowerAscii(a) == LowerAscii(b); });
}

// A web address without its scheme, as makers often store it and the shell opens as http: a host name of two
// labels or more (letters, digits, hyphens, any character beyond ASCII), with a port after it perhaps.
bool IsBareHost(std::wstring_view authority) {
    if (const std::size_t colon = authority.find(L':'); colon != std::wstring_view::npos) {
        const std::wstring_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            std::any_of(port.begin(), port.end(), [](wchar_t c) { return c < L'0' || c > L'9'; }))
            return false;
        authority = authority.substr(0, colon);
    }
    std::size_t labels = 0;
    for (std::size_t start = 0; start <= authority.size(); ++labels) {
        const std::size_t dot = std::min(authority.find(L'.', start), authority.size());
        const std::wstring_view label = authority.substr(start, dot - start);
        if (label.empty() || label.front() == L'-' || label.back() == L'-')
            return false;
        for (const wchar_t c : label)
            if (c < 0x80 &&
                !(c == L'-' || (c >= L'0' && c <= L'9') || (LowerAscii(c) >= L'a' && LowerAscii(c) <= L'z')))
                return false;
        start = dot + 1;
    }
    return labels >= 2;
}

} // namespace

bool IsSupportUrl(std::wstring_view url) {
    if (url.empty())
        return true;
    for (const wchar_t c : url)
        if (static_cast<std::uint32_t>(c) <= 0x20 || c == 0x7F)
            return false;
    std::size_t scheme = 0;
    if (StartsWithNoCase(url, L"http://"))
        scheme = 7;
    else if (StartsWithNoCase(url, L"https://"))
        scheme = 8;
    std::wstring_view authority = url.substr(scheme, url.find_first_of(L"/?#", scheme) - scheme);
    if (scheme == 0)
        return IsBareHost(authority);
    if (const std::size_t at = authority.rfind(L'@'); at != std::wstring_view::npos)
        authority.remove_prefix(at + 1);
    return !authority.empty() && authority.front() != L':';
}

std::optional<std::wstring> ValueRefusal(std::wstring_view key, std::wstring_view value) {
    if (value.size() > kMaxProfileValue)
        return L"超过 " + DecimalText(kMaxProfileValue) + L" 个字符";
    if (key == L"SupportURL" && !IsSupportUrl(value))
        return L"须为网址（以 http:// 或 https:// 开头，或是 www.example.com 这样的主机名），或留空";
    return std::nullopt;
}

std::size_t SupportLinesApplied(const std::vector<std::wstring>& lines, std::optional<Refusal>* refusal) {
    std::size_t kept = 0;
    while (kept < lines.size() && kept < kMaxSupportLines && lines[kept].size() <= kMaxProfileValue)
        ++kept;
    if (kept < lines.size() && refusal) {
        const std::wstring first = L"Line" + DecimalText(kept + 1);
        *refusal = Refusal{first + L" 至 Line" + DecimalText(lines.size()),
                           kept == kMaxSupportLines ? L"最多 " + DecimalText(kMaxSupportLines) + L" 行"
                                                    : first + L" " + *ValueRefusal(first, lines[kept])};
    }
    return kept;
}

std::vector<Refusal> CheckBranding(const Branding& b) {
    const std::pair<const wchar_t*, const std::optional<std::wstring>&> values[] = {
        {L"Owner", b.owner},
        {L"Organization", b.organization},
        {L"ProductId", b.productId},
        {L"Manufacturer", b.maker},
        {L"Model", b.model},
        {L"SupportPhone", b.supportPhone},
        {L"SupportHours", b.supportHours},
        {L"SupportURL", b.supportUrl},
        {L"SupportProvider", b.supportProvider},
    };
    std::vector<Refusal> refused;
    for (const auto& [key, value] : values)
        if (value)
            if (auto why = ValueRefusal(key, *value))
                refused.push_back({key, std::move(*why)});
    std::optional<Refusal> lines;
    if (b.supportLines && (SupportLinesApplied(*b.supportLines, &lines), lines))
        refused.push_back(std::move(*lines));
    return refused;
}

} // namespace bw
