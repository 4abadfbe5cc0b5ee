#include "oeminfo/oeminfo_logic.h"

#include <algorithm>
#include <cstring>

namespace bw {

std::vector<std::string> SplitFileLines(std::string_view bytes) {
    // memchr, not a loop over every byte: reading costs little more than the file's own size.
    std::vector<std::string> lines;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const char* lf = nullptr; // the next LF at or after p, or end; searched again only once p has passed it
    while (p < end) {
        if (!lf || lf < p) {
            lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lf)
                lf = end;
        }
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
        const char* stop = cr ? cr : lf;
        lines.emplace_back(p, static_cast<std::size_t>(stop - p));
        if (stop == end)
            break;
        p = stop + 1;
        if (*stop == '\r' && p < end && *p == '\n')
            ++p;
    }
    return lines;
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
