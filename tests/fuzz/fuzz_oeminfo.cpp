// Reading oeminfo.ini: any bytes load without fault, and load, save, load gives the same values; the support text
// read in one pass holds those values, cut exactly after each that ends in a byte that could lead a character. Then any
// maker, model and support lines (split from the input at NUL bytes) are written one line each.
#include "oeminfo/oeminfo_logic.h"

#include <cstdlib>

using Lines = std::vector<std::string>;

static void Require(bool holds) {
    if (!holds)
        std::abort();
}

static void RoundTrip(const Lines& lines) {
    const bw::GeneralValues general = bw::ParseGeneral(lines);
    const std::string maker = general.maker.value_or(""), model = general.model.value_or("");
    const Lines support = bw::ParseSupportValues(lines).value_or(Lines{});
    const Lines again = bw::SplitFileLines(bw::BuildOemInfo(maker, model, support));
    const bw::GeneralValues general2 = bw::ParseGeneral(again);
    Require(general2.maker == maker && general2.model == model);
    Require(bw::ParseSupportValues(again) == support);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(bw::SplitFileLines(bytes));
    const auto parsed = bw::ParseSupportValues(bw::SplitFileLines(bytes));
    const auto text = bw::SupportValuesText(bytes);
    Require(parsed.has_value() == text.has_value());
    if (text) {
        bw::SupportText expected;
        for (const std::string& v : *parsed) {
            expected.bytes += v;
            if (!v.empty() && static_cast<unsigned char>(v.back()) >= 0x80)
                expected.cuts.push_back(expected.bytes.size());
            expected.bytes += "\r\n";
        }
        Require(text->bytes == expected.bytes && text->cuts == expected.cuts);
    }

    Lines values;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find('\0', start);
        values.emplace_back(bytes.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    Lines shown = values;
    for (std::string& v : shown)
        for (char& c : v)
            c = c == '\r' || c == '\n' ? ' ' : c;
    const Lines support(shown.begin() + std::min<std::size_t>(2, shown.size()), shown.end());
    const Lines written = bw::SplitFileLines(bw::BuildOemInfo(values[0], values.size() > 1 ? values[1] : "",
                                                              {values.begin() + std::min<std::size_t>(2, values.size()), values.end()}));
    Require(written.size() == 4 + support.size());
    const bw::GeneralValues general = bw::ParseGeneral(written);
    Require(general.maker == shown[0] && general.model == (shown.size() > 1 ? shown[1] : ""));
    Require(bw::ParseSupportValues(written) == support);
    return 0;
}
