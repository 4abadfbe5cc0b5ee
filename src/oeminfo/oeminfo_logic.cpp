#include "oeminfo/oeminfo_logic.h"

#include <algorithm>
#include <array>

namespace bw {

namespace {

// What a line holds besides its text: where its first "=" is (npos for none) and whether it holds a NUL.
struct LineMarks {
    std::size_t eq = std::string_view::npos;
    bool nul = false;
};

// Calls take(line, marks) for every line. A line ends at CR LF, a lone LF or a lone CR, and a line end closes its
// line: it does not start another one. One pass over the bytes finds the line ends, the "=" and NUL together, where
// memchr would take a pass for each (and is itself a plain loop in some C libraries).
template <typename Take>
void ForEachLine(std::string_view bytes, Take take) {
    static constexpr auto kStops = [] {
        std::array<bool, 256> stops{};
        stops['\r'] = stops['\n'] = stops['='] = stops['\0'] = true;
        return stops;
    }();
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        LineMarks marks;
        const char* stop = p;
        for (;; ++stop) {
            while (stop < end && !kStops[static_cast<unsigned char>(*stop)])
                ++stop;
            if (stop == end || *stop == '\r' || *stop == '\n')
                break;
            if (*stop != '=')
                marks.nul = true;
            else if (marks.eq == std::string_view::npos)
                marks.eq = static_cast<std::size_t>(stop - p);
        }
        take(std::string_view(p, static_cast<std::size_t>(stop - p)), marks);
        if (stop == end)
            return;
        p = stop + 1;
        if (*stop == '\r' && p < end && *p == '\n')
            ++p;
    }
}

} // namespace

std::vector<std::string> SplitFileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line, LineMarks) { lines.emplace_back(line); });
    return lines;
}

std::optional<SupportText> SupportValuesText(std::string_view bytes) {
    SupportText text;
    bool found = false;
    ForEachLine(bytes, [&](std::string_view line, LineMarks marks) {
        if (!found) {
            // About the rest of the file: each value is its line less the key.
            if ((found = line == kSupportHeader))
                text.bytes.reserve(static_cast<std::size_t>(bytes.data() + bytes.size() - line.data()) + 2);
            return;
        }
        const std::string_view value = marks.eq == std::string_view::npos ? line : line.substr(marks.eq + 1);
        const std::size_t at = text.bytes.size();
        text.bytes.append(value);
        if (marks.nul)
            std::replace(text.bytes.begin() + static_cast<std::ptrdiff_t>(at), text.bytes.end(), '\0', ' ');
        if (!value.empty() && static_cast<unsigned char>(value.back()) >= 0x80)
            text.cuts.push_back(text.bytes.size());
        text.bytes.append("\r\n");
    });
    return found ? std::optional(std::move(text)) : std::nullopt;
}

std::string LineValue(std::string_view line) {
    const auto eq = line.find('=');
    std::string value(eq == std::string_view::npos ? line : line.substr(eq + 1));
    std::replace(value.begin(), value.end(), '\0', ' ');
    return value;
}

std::optional<std::size_t> FindHeader(const std::vector<std::string>& lines, std::string_view header) {
    const auto it = std::find(lines.begin(), lines.end(), header);
    if (it == lines.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - lines.begin());
}

GeneralValues ParseGeneral(const std::vector<std::string>& lines) {
    GeneralValues values;
    const auto header = FindHeader(lines, kGeneralHeader);
    if (!header)
        return values;
    if (*header + 1 < lines.size())
        values.maker = LineValue(lines[*header + 1]);
    if (*header + 2 < lines.size())
        values.model = LineValue(lines[*header + 2]);
    return values;
}

std::optional<std::vector<std::string>> ParseSupportValues(const std::vector<std::string>& lines) {
    const auto header = FindHeader(lines, kSupportHeader);
    if (!header)
        return std::nullopt;
    std::vector<std::string> values;
    for (std::size_t i = *header + 1; i < lines.size(); ++i)
        values.push_back(LineValue(lines[i]));
    return values;
}

std::string BuildOemInfo(std::string_view maker, std::string_view model, const std::vector<std::string>& support) {
    std::string out;
    // A line break inside a value would start a line of its own, even a header: it is stored as a space.
    const auto line = [&out](std::string_view a, std::string_view b = {}) {
        out.append(a);
        for (const char c : b)
            out.push_back(c == '\r' || c == '\n' ? ' ' : c);
        out.append("\r\n");
    };
    line(kGeneralHeader);
    line("Manufacturer=", maker);
    line("Model=", model);
    line(kSupportHeader);
    for (std::size_t k = 0; k < support.size(); ++k)
        line("Line" + std::to_string(k + 1) + "=", support[k]);
    return out;
}

void StoreSupportLines(AppState& state, const std::vector<std::wstring>& values) {
    if (state.SupportLines.size() < values.size() + 1)
        state.SupportLines.resize(values.size() + 1);
    std::copy(values.begin(), values.end(), state.SupportLines.begin() + 1);
    state.SupportLineCount = static_cast<int>(values.size());
}

void StoreDefaultSupportLine(AppState& state) {
    if (state.SupportLines.size() < 2)
        state.SupportLines.resize(2);
    state.SupportLines[1] = kEmptySupportLine;
    state.SupportLineCount = 1;
}

std::vector<std::wstring> CurrentSupportLines(const AppState& state) {
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(state.SupportLineCount, 0)), state.SupportLines.size() - 1);
    return {state.SupportLines.begin() + 1, state.SupportLines.begin() + 1 + static_cast<std::ptrdiff_t>(count)};
}

} // namespace bw
