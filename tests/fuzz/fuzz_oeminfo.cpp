// oeminfo.ini: any bytes read and edit without fault. Setting the values read changes no byte; the support text holds
// the support values read. Then any maker, model and support lines (split from the input at NUL bytes) are set in the
// input: they read back as the system would read them, at most 255 lines, and setting them again changes nothing.
#include "oeminfo/oeminfo_logic.h"

#include <algorithm>
#include <cstdlib>

using Lines = std::vector<std::string>;

static void Require(bool holds) {
    if (!holds)
        std::abort();
}

static std::string AsRead(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return bw::ProfileValue(value);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bw::OemValues read = bw::ParseOemInfo(bytes);
    if (read.maker && read.model)
        Require(bw::EditOemInfo(bytes, *read.maker, *read.model, std::nullopt) == bytes);
    const auto text = bw::SupportValuesText(bytes);
    Require(text.has_value() == read.support.has_value());
    if (text) {
        std::string joined;
        for (const std::string& v : *read.support)
            joined += v + "\r\n";
        Require(text->bytes == joined);
        for (const std::size_t cut : text->cuts)
            Require(cut > 0 && static_cast<unsigned char>(text->bytes[cut - 1]) >= 0x80 && text->bytes[cut] == '\r');
    }

    Lines values;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find('\0', start);
        values.emplace_back(bytes.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    const std::string maker = values[0], model = values.size() > 1 ? values[1] : "";
    const Lines support(values.begin() + std::min<std::size_t>(2, values.size()), values.end());
    const std::string edited = bw::EditOemInfo(bytes, maker, model, support);
    const bw::OemValues again = bw::ParseOemInfo(edited);
    Require(again.maker == AsRead(maker) && again.model == AsRead(model));
    Lines expected;
    for (std::size_t k = 0; k < std::min<std::size_t>(support.size(), 255); ++k)
        expected.push_back(AsRead(support[k]));
    Require(again.support == expected);
    Require(bw::EditOemInfo(edited, maker, model, support) == edited);
    return 0;
}
