// The deployment profile: any bytes give a profile or an error, never both nor neither. An error names a line of
// the text; a profile holds only what a profile can hold, and written out, in UTF-8 or UTF-16LE, it reads back the
// same.
#include "cli/profile_logic.h"

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
