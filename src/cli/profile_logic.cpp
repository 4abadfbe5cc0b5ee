#include "cli/profile_logic.h"

#include "cli/command_line_logic.h"

#include <algorithm>
#include <cstdint>

namespace bw {
namespace {

enum class Section { None, Registration, Oem, Support };

struct SectionName {
    Section section;
    const wchar_t* name;
};

constexpr SectionName kSections[] = {
    {Section::Registration, L"Registration"}, {Section::Oem, L"OEM"}, {Section::Support, L"Support Information"}};

struct Key {
    Section section;
    const wchar_t* name;
    std::optional<std::wstring> Profile::*member;
};

// In the order /export writes them.
constexpr Key kKeys[] = {
    {Section::Registration, L"Owner", &Profile::owner},
    {Section::Registration, L"Organization", &Profile::organization},
    {Section::Registration, L"ProductId", &Profile::productId},
    {Section::Oem, L"Manufacturer", &Profile::maker},
    {Section::Oem, L"Model", &Profile::model},
    {Section::Oem, L"Logo", &Profile::logo},
    {Section::Oem, L"SupportPhone", &Profile::supportPhone},
    {Section::Oem, L"SupportHours", &Profile::supportHours},
    {Section::Oem, L"SupportURL", &Profile::supportUrl},
    {Section::Oem, L"SupportProvider", &Profile::supportProvider},
};

// A mistyped line can be megabytes long; a message shows only the start of what it names.
constexpr std::size_t kShownName = 40;

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// A line break would end the line, and the other control characters have no place in a text box.
bool IsControl(wchar_t c) {
    return static_cast<std::uint32_t>(c) < 0x20 && c != L'\t';
}

bool IsHighSurrogate(std::uint32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(std::uint32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::wstring Quoted(std::wstring_view name) {
    std::wstring shown(name.substr(0, kShownName));
    if (shown.size() < name.size()) {
        if (IsHighSurrogate(static_cast<std::uint32_t>(shown.back())))
            shown.pop_back();
        shown += L"…";
    }
    return L"“" + shown + L"”";
}

void AppendCodePoint(std::wstring& out, std::uint32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<wchar_t>(cp);
        return;
    }
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
}

// Only the shortest form of a scalar value is taken, so that no two byte strings read as the same text.
bool DecodeUtf8(std::string_view in, std::wstring& out) {
    for (std::size_t i = 0; i < in.size();) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        std::size_t trail = 0;
        std::uint32_t cp = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the first trailing byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            cp = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            cp = lead & 0x0Fu;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            cp = lead & 0x07u;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        } else {
            return false;
        }
        if (in.size() - i - 1 < trail)
            return false;
        for (std::size_t k = 1; k <= trail; ++k) {
            const auto b = static_cast<unsigned char>(in[i + k]);
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
                return false;
            cp = cp << 6 | (b & 0x3Fu);
        }
        AppendCodePoint(out, cp);
        i += trail + 1;
    }
    return true;
}

// in holds whole code units.
bool DecodeUtf16Le(std::string_view in, std::wstring& out) {
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(in[i]) | static_cast<unsigned char>(in[i + 1])
                                                                                  << 8);
    };
    for (std::size_t i = 0; i < in.size(); i += 2) {
        const std::uint32_t u = unit(i);
        if (IsLowSurrogate(u))
            return false;
        if (IsHighSurrogate(u)) {
            if (i + 2 >= in.size() || !IsLowSurrogate(unit(i + 2)))
                return false;
            out += static_cast<wchar_t>(u);
            i += 2;
            out += static_cast<wchar_t>(unit(i));
            continue;
        }
        out += static_cast<wchar_t>(u);
    }
    return true;
}

// Line1 to Line255 give their number; 0 for a key that is no support line's, npos for one numbered otherwise.
std::size_t SupportLineNumber(std::wstring_view key) {
    if (key.size() <= 4 || !SameName(key.substr(0, 4), L"Line"))
        return 0;
    const std::wstring_view digits = key.substr(4);
    for (const wchar_t c : digits)
        if (c < L'0' || c > L'9')
            return 0;
    if (digits.size() > 3 || digits.front() == L'0')
        return std::wstring_view::npos;
    std::size_t n = 0;
    for (const wchar_t c : digits)
        n = n * 10 + static_cast<std::size_t>(c - L'0');
    return n <= kMaxSupportLines ? n : std::wstring_view::npos;
}

ProfileReading Failure(std::size_t line, std::wstring message) {
    return {std::nullopt, ProfileError{line, message}};
}

class Reader {
public:
    // One line of the file, decoded, without its line end.
    std::optional<ProfileError> Line(std::wstring_view text, std::size_t number);
    ProfileReading Finish();

private:
    std::optional<ProfileError> Value(std::wstring_view key, std::wstring_view value, std::size_t number);

    Section m_section = Section::None;
    Profile m_profile;
    bool m_supportSeen = false;
    std::size_t m_supportAt[kMaxSupportLines + 1] = {}; // the file line of each LineN, 0 while there is none
    std::vector<std::wstring> m_support = std::vector<std::wstring>(kMaxSupportLines + 1);
};

std::optional<ProfileError> Reader::Line(std::wstring_view text, std::size_t number) {
    for (const wchar_t c : text)
        if (IsControl(c))
            return ProfileError{number, L"含有控制字符"};
    text = Trim(text);
    if (text.empty() || text.front() == L';' || text.front() == L'#')
        return std::nullopt;
    if (text.front() == L'[' && text.back() == L']') {
        const std::wstring_view name = Trim(text.substr(1, text.size() - 2));
        m_section = Section::None;
        for (const SectionName& s : kSections)
            if (SameName(name, s.name))
                m_section = s.section;
        if (m_section == Section::None)
            return ProfileError{number, L"未知的节" + Quoted(L"[" + std::wstring(name) + L"]")};
        m_supportSeen = m_supportSeen || m_section == Section::Support;
        return std::nullopt;
    }
    const std::size_t eq = text.find(L'=');
    if (eq == std::wstring_view::npos)
        return ProfileError{number, L"不是“键=值”的形式"};
    if (m_section == Section::None)
        return ProfileError{number, L"键不在任何节内"};
    std::wstring_view value = Trim(text.substr(eq + 1));
    // Quotes keep blanks at either end of a value.
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"')
        value = value.substr(1, value.size() - 2);
    return Value(Trim(text.substr(0, eq)), value, number);
}

std::optional<ProfileError> Reader::Value(std::wstring_view key, std::wstring_view value, std::size_t number) {
    std::optional<std::wstring>* target = nullptr;
    const wchar_t* keyName = nullptr;
    std::size_t supportLine = 0;
    if (m_section == Section::Support) {
        supportLine = SupportLineNumber(key);
        if (supportLine == std::wstring_view::npos)
            return ProfileError{number, L"支持信息行号须为 1 到 " + DecimalText(kMaxSupportLines)};
        if (supportLine == 0)
            return ProfileError{number, L"未知的键" + Quoted(key)};
        if (m_supportAt[supportLine])
            return ProfileError{number, L"重复的键" + Quoted(key)};
    } else {
        for (const Key& k : kKeys)
            if (k.section == m_section && SameName(key, k.name)) {
                target = &(m_profile.*k.member);
                keyName = k.name;
            }
        if (!target)
            return ProfileError{number, L"未知的键" + Quoted(key)};
        if (target->has_value())
            return ProfileError{number, L"重复的键" + Quoted(key)};
    }
    const std::wstring name = keyName ? std::wstring(keyName) : L"Line" + DecimalText(supportLine);
    if (auto why = ValueRefusal(name, value))
        return ProfileError{number, name + L" " + *why};
    if (target == &m_profile.logo)
        m_profile.logoLine = number;
    if (target) {
        *target = std::wstring(value);
    } else {
        m_supportAt[supportLine] = number;
        m_support[supportLine] = value;
    }
    return std::nullopt;
}

ProfileReading Reader::Finish() {
    const Profile& p = m_profile;
    // An empty [Support Information] is a setting: it clears the lines.
    if (!m_supportSeen && !p.owner && !p.organization && !p.productId && !p.maker && !p.model && !p.logo &&
        !p.supportPhone && !p.supportHours && !p.supportUrl && !p.supportProvider)
        return Failure(0, L"配置文件中没有任何设置");
    std::size_t count = kMaxSupportLines;
    while (count > 0 && !m_supportAt[count])
        --count;
    // Windows stops at the first missing line: the lines after a gap would never be shown.
    for (std::size_t n = 1; n < count; ++n)
        if (!m_supportAt[n])
            return Failure(m_supportAt[count], L"缺少 Line" + DecimalText(n) + L"：支持信息行须从 Line1 起连续编号");
    if (m_supportSeen) {
        m_profile.supportLines.emplace(count);
        for (std::size_t n = 1; n <= count; ++n)
            (*m_profile.supportLines)[n - 1] = std::move(m_support[n]);
    }
    return {std::move(m_profile), std::nullopt};
}

// A value as written: quoted when a reader would otherwise trim it or take quotes off it.
std::wstring Written(std::wstring_view value) {
    std::wstring text(value);
    for (wchar_t& c : text)
        if (IsControl(c))
            c = L' ';
    const bool blankEnd = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
    const bool quoted = text.size() >= 2 && text.front() == L'"' && text.back() == L'"';
    return blankEnd || quoted ? L'"' + text + L'"' : text;
}

bool IsCjk(std::uint32_t u) {
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFFEF) || (u >= 0xD840 && u <= 0xD8BF);
}

// Whether every byte above ASCII pairs up as code page 936 does: a lead byte 0x81-0xFE and a trail byte 0x40-0xFE
// other than 0x7F.
bool PairsAsCp936(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80)
            continue;
        if (lead == 0x80 || lead == 0xFF || i + 1 == bytes.size())
            return false;
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

constexpr wchar_t kSaveAsUtf8[] = L"请将配置文件存为 UTF-8（带 BOM）";

// Text without a byte order mark is taken as UTF-8 unless the same bytes read as Chinese in code page 936 while as
// UTF-8 they give no CJK character at all: then either reading may be the meant one, and a wrong guess would
// apply other characters than the author's. The line of the first character beyond ASCII; 0 when it is UTF-8.
std::size_t AmbiguousLine(std::string_view bytes) {
    const std::size_t first = std::find_if(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }) - bytes.begin();
    if (first == bytes.size() || !PairsAsCp936(bytes))
        return 0;
    std::wstring text;
    if (!DecodeUtf8(bytes, text) ||
        std::any_of(text.begin(), text.end(), [](wchar_t c) { return IsCjk(static_cast<std::uint32_t>(c)); }))
        return 0;
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + first, '\n')) + 1;
}

} // namespace

ProfileReading ParseProfile(std::string_view bytes) {
    if (bytes.starts_with("\xFE\xFF"))
        return Failure(1, L"不支持 UTF-16BE 文本，请存为 UTF-8 或 UTF-16LE");
    const bool utf16 = bytes.starts_with("\xFF\xFE");
    if (utf16) {
        bytes.remove_prefix(2);
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    } else if (const std::size_t line = AmbiguousLine(bytes)) {
        return Failure(line, L"无法确定文本的编码（可能是 GBK 中文，也可能是 UTF-8），" + std::wstring(kSaveAsUtf8));
    }
    const bool cut = utf16 && bytes.size() % 2;
    if (cut)
        bytes.remove_suffix(1);

    Reader reader;
    std::wstring text;
    const std::size_t lfSize = utf16 ? 2 : 1;
    for (std::size_t start = 0, number = 1;; ++number) {
        std::size_t lf = start;
        if (utf16)
            while (lf < bytes.size() && (bytes[lf] != '\n' || bytes[lf + 1] != '\0'))
                lf += 2;
        else
            lf = std::min(bytes.find('\n', start), bytes.size());
        const bool last = lf == bytes.size();
        if (last && cut)
            return Failure(number, L"UTF-16 文本不完整");
        text.clear();
        const std::string_view raw = bytes.substr(start, lf - start);
        if (!(utf16 ? DecodeUtf16Le(raw, text) : DecodeUtf8(raw, text)))
            return Failure(number,
                           utf16 ? L"不是有效的 UTF-16 文本" : L"不是有效的 UTF-8 文本，" + std::wstring(kSaveAsUtf8));
        std::wstring_view line = text;
        if (!last && line.ends_with(L'\r'))
            line.remove_suffix(1);
        if (auto error = reader.Line(line, number))
            return {std::nullopt, std::move(error)};
        if (last)
            break;
        start = lf + lfSize;
    }
    return reader.Finish();
}

std::string WriteProfile(const Profile& profile) {
    std::string out = "\xEF\xBB\xBF; Brandwick\r\n";
    const auto header = [&](Section section) {
        for (const SectionName& s : kSections)
            if (s.section == section)
                out += "[" + ToUtf8(s.name) + "]\r\n";
    };
    Section written = Section::None;
    for (const Key& k : kKeys) {
        const std::optional<std::wstring>& value = profile.*k.member;
        if (!value)
            continue;
        if (k.section != written)
            header(k.section);
        written = k.section;
        // The product ID is this PC's own: set on every PC it would make them all the same one.
        if (k.member == &Profile::productId)
            out += "; 以下为本机自己的产品序列号；删去 ProductId 前的“;”即会在每台电脑上设置它\r\n; ";
        out += ToUtf8(k.name) + "=" + ToUtf8(Written(*value)) + "\r\n";
    }
    if (profile.supportLines) {
        header(Section::Support);
        for (std::size_t i = 0; i < profile.supportLines->size(); ++i)
            out += "Line" + std::to_string(i + 1) + "=" + ToUtf8(Written((*profile.supportLines)[i])) + "\r\n";
    }
    return out;
}

std::vector<std::wstring> LeaveOutWhatApplyRefuses(Profile& p) {
    std::vector<std::wstring> left;
    for (const Key& k : kKeys) {
        std::optional<std::wstring>& value = p.*k.member;
        if (value && k.member != &Profile::logo)
            if (auto why = ValueRefusal(k.name, *value)) {
                left.push_back(std::wstring(k.name) + L"：" + *why);
                value.reset();
            }
    }
    std::optional<Refusal> lines;
    if (p.supportLines) {
        p.supportLines->resize(SupportLinesApplied(*p.supportLines, &lines));
        if (lines)
            left.push_back(lines->key + L"：" + lines->why);
    }
    return left;
}

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = static_cast<std::uint32_t>(text[i]);
        if (IsHighSurrogate(cp) && i + 1 < text.size() && IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1])))
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
        else if (IsHighSurrogate(cp) || IsLowSurrogate(cp) || cp > 0xFFFF)
            cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace bw
