// The deployment profile: any bytes give a profile or an error, never both nor neither. An error names a line of
// the text; a profile holds only what a profile can hold, written out it reads back the same, and what /apply
// stores of it /verify finds the same.
#include "cli/profile_logic.h"
#include "engine/verify_logic.h"
#include "oeminfo/oeminfo_logic.h"
#include "registry/regdata_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool Holdable(const std::wstring& value) {
    return value.size() <= bw::kMaxProfileValue && std::none_of(value.begin(), value.end(), [](wchar_t c) {
               return static_cast<std::uint32_t>(c) < 0x20 && c != L'\t';
           });
}

// The written text saved again as UTF-16LE with a byte order mark, as Notepad saves it.
std::string AsUtf16Le(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    auto unit = [&](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t c = n == 1 ? lead : lead & (0x3F >> (n - 1));
        for (int k = 1; k < n; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(n);
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + (c & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

// A code page that holds ASCII only and replaces the rest, as the ANSI code page does what it cannot hold.
std::string ToAscii(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text)
        out += static_cast<std::uint32_t>(c) < 0x80 ? static_cast<char>(c) : '?';
    return out;
}
std::wstring FromAscii(std::string_view bytes) {
    return std::wstring(bytes.begin(), bytes.end());
}

// A string value as the registry returns it: UTF-16LE with its NUL.
std::wstring FromRegistry(const std::wstring& stored) {
    std::vector<std::uint8_t> data;
    for (const wchar_t c : stored + L'\0')
        data.push_back(static_cast<std::uint8_t>(c & 0xFF)), data.push_back(static_cast<std::uint8_t>(c >> 8 & 0xFF));
    return bw::DecodeRegString(bw::kRegSz, data);
}

// What /apply stores of a profile, read back as the PC reads it, is what /verify finds the same: the registry's
// values (an empty registration value as one space), and oeminfo.ini written anew, over a maker's file, over one
// that already reads as wanted (where the lines are kept) and once more over itself.
void VerifyFindsWhatApplyStores(const bw::Profile& p) {
    const bw::CodePage ascii{ToAscii, FromAscii};
    for (const auto* value : {&p.owner, &p.organization, &p.productId})
        if (*value && !bw::SameAsStored(bw::StoredIn::Registration, FromRegistry((*value)->empty() ? L" " : **value),
                                        **value, ascii))
            std::abort();
    for (const auto* value : {&p.maker, &p.model, &p.supportPhone, &p.supportHours, &p.supportUrl, &p.supportProvider})
        if (*value && !bw::SameAsStored(bw::StoredIn::Key, FromRegistry(**value), **value, ascii))
            std::abort();
    std::optional<std::vector<std::string>> lines;
    if (p.supportLines)
        for (lines.emplace(); const std::wstring& line : *p.supportLines)
            lines->push_back(ToAscii(line));
    const std::string maker = ToAscii(p.maker.value_or(L"")), model = ToAscii(p.model.value_or(L""));
    const std::string makers = "[General]\r\n Manufacturer = \"x\" \r\nModel\r\n[Support Information]\r\nLine2=b\r\n";
    // Quoted, the values already read as wanted, blanks and quotes of their own included.
    const std::string quoted =
        "[General]\r\nManufacturer=\"" + bw::OneLine(maker) + "\"\r\nModel='" + bw::OneLine(model) + "'\r\n";
    for (const std::string& before : {std::string(), makers, quoted}) {
        std::string file = bw::EditOemInfo(before, maker, model, lines);
        for (int pass = 0; pass < 2; ++pass, file = bw::EditOemInfo(file, maker, model, lines)) {
            const bw::OemValues read = bw::ParseOemInfo(file);
            const auto same = [&](const std::optional<std::string>& held, const std::wstring& wanted) {
                return held && bw::SameAsStored(bw::StoredIn::File, FromAscii(*held), wanted, ascii);
            };
            if ((p.maker && !same(read.maker, *p.maker)) || (p.model && !same(read.model, *p.model)))
                std::abort();
            if (p.supportLines && (!read.support || read.support->size() != p.supportLines->size()))
                std::abort();
            for (std::size_t i = 0; p.supportLines && i < p.supportLines->size(); ++i)
                if (!same((*read.support)[i], (*p.supportLines)[i]))
                    std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bw::ProfileReading reading = bw::ParseProfile(bytes);
    if (reading.profile.has_value() == reading.error.has_value())
        std::abort();
    if (reading.error) {
        // Every LF byte could end a line, in either encoding.
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        // Line 0 only for the text as a whole: nothing set in it.
        const bool whole = reading.error->message == L"配置文件中没有任何设置";
        if ((reading.error->line < 1 && !whole) || reading.error->line > lines || reading.error->message.empty())
            std::abort();
        return 0;
    }
    bw::Profile p = *reading.profile;
    for (const auto* value : {&p.owner, &p.organization, &p.productId, &p.maker, &p.model, &p.logo, &p.supportPhone,
                              &p.supportHours, &p.supportUrl, &p.supportProvider})
        if (*value && !Holdable(**value))
            std::abort();
    if (p.supportLines && (p.supportLines->size() > bw::kMaxSupportLines ||
                           !std::all_of(p.supportLines->begin(), p.supportLines->end(), Holdable)))
        std::abort();
    if (!bw::IsSupportUrl(p.supportUrl.value_or(L"")) || (p.logoLine != 0) != p.logo.has_value())
        std::abort();
    p.logoLine = 0;
    VerifyFindsWhatApplyStores(p);
    // The product ID is written only as a comment, for a person to take in: it reads back as absent, and a profile
    // that set nothing else reads back as setting nothing.
    const std::string written = bw::WriteProfile(p);
    if (p.productId.has_value() != (written.find("\r\n; ProductId=") != std::string::npos))
        std::abort();
    p.productId.reset();
    bw::ProfileReading again = bw::ParseProfile(written);
    if (p == bw::Profile{}) {
        if (again.profile || again.error->line != 0)
            std::abort();
        return 0;
    }
    if (!again.profile)
        std::abort();
    again.profile->logoLine = 0;
    if (!(*again.profile == p))
        std::abort();
    // Its code units may hold a CR or LF byte (上 is 0A 4E) that ends no line.
    bw::ProfileReading wide = bw::ParseProfile(AsUtf16Le(std::string_view(written).substr(3)));
    if (!wide.profile)
        std::abort();
    wide.profile->logoLine = 0;
    if (!(*wide.profile == p))
        std::abort();
    return 0;
}
