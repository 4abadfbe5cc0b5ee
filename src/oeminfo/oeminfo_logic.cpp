#include "oeminfo/oeminfo_logic.h"

#include <algorithm>

namespace bw {

namespace {

constexpr auto npos = std::string_view::npos;
// What the system's profile functions trim, and NUL, which would end the text in any text box.
constexpr std::string_view kBlanks(" \t\v\f\x1A\0", 6);
constexpr std::size_t kMaxSupportLines = 255;

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(kBlanks);
    return first == npos ? std::string_view() : s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Only ASCII letters fold: in the ANSI code pages no byte of a multi-byte character compares equal to a whole name
// of ASCII letters.
bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

enum class Kind { Other, Header, Key }; // Other: blank or a comment

struct Line {
    std::size_t start = 0, size = 0, end = 0; // its text is [start, start + size), its line end runs to end
    Kind kind = Kind::Other;
    std::string_view name;      // of the section or the key
    std::size_t valueAt = npos; // a key's value starts here, right after its "="; npos without "="

    std::size_t TextEnd() const { return start + size; }
};

Line ReadLine(std::string_view bytes, std::size_t start, std::size_t stop) {
    Line line;
    line.start = start, line.size = stop - start, line.end = stop;
    if (stop < bytes.size())
        line.end += bytes.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
    const std::string_view text = Trim(bytes.substr(start, line.size));
    if (text.empty() || text[0] == ';')
        return line;
    const std::size_t close = text[0] == '[' ? text.rfind(']') : npos;
    if (close != npos) {
        line.kind = Kind::Header;
        line.name = Trim(text.substr(1, close - 1));
        return line;
    }
    line.kind = Kind::Key;
    const std::size_t eq = text.find('=');
    line.name = Trim(text.substr(0, eq));
    if (eq != npos)
        line.valueAt = static_cast<std::size_t>(text.data() - bytes.data()) + eq + 1;
    return line;
}

// Where the line that starts at p ends: at its CR or LF, or with the bytes. A loop of its own: find_first_of would
// search its set of two for every byte, which made it most of the time an edit takes.
std::size_t LineStop(std::string_view bytes, std::size_t p) {
    while (p < bytes.size() && bytes[p] != '\r' && bytes[p] != '\n')
        ++p;
    return p;
}

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    for (std::size_t p = 0; p < bytes.size(); p = lines.back().end)
        lines.push_back(ReadLine(bytes, p, LineStop(bytes, p)));
    return lines;
}

// The lines of the first section of that name: its header and one past its last line.
struct Section {
    std::size_t header, end;
};

std::optional<Section> FindSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Kind::Header || !SameName(lines[i].name, name))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != Kind::Header)
            ++end;
        return Section{i, end};
    }
    return std::nullopt;
}

const Line* FindKey(const std::vector<Line>& lines, const Section& s, std::string_view name) {
    for (std::size_t i = s.header + 1; i < s.end; ++i)
        if (lines[i].kind == Kind::Key && SameName(lines[i].name, name))
            return &lines[i];
    return nullptr;
}

// Where a key added to the section goes: after its last key, or after its header when it has none.
const Line& LastKey(const std::vector<Line>& lines, const Section& s) {
    std::size_t last = s.header;
    for (std::size_t i = s.header + 1; i < s.end; ++i)
        if (lines[i].kind == Kind::Key)
            last = i;
    return lines[last];
}

// N of a key named "LineN", N from 1 without a leading zero; 0 for any other name.
unsigned long LineNumber(std::string_view name) {
    if (name.size() < 5 || name.size() > 13 || !SameName(name.substr(0, 4), "Line") || name[4] == '0')
        return 0;
    unsigned long n = 0;
    for (const char c : name.substr(4)) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + static_cast<unsigned long>(c - '0');
    }
    return n;
}

// The LineN keys of the section in file order, with their numbers.
using NumberedKeys = std::vector<std::pair<unsigned long, const Line*>>;
NumberedKeys SupportKeys(const std::vector<Line>& lines, const Section& s) {
    NumberedKeys keys;
    for (std::size_t i = s.header + 1; i < s.end; ++i)
        if (const unsigned long n = lines[i].kind == Kind::Key ? LineNumber(lines[i].name) : 0)
            keys.emplace_back(n, &lines[i]);
    return keys;
}

std::optional<std::string> ValueOf(std::string_view bytes, const Line* key) {
    if (!key || key->valueAt == npos)
        return std::nullopt;
    return ProfileValue(bytes.substr(key->valueAt, key->TextEnd() - key->valueAt));
}

std::string Entry(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + OneLine(value) + "\r\n";
}

} // namespace

std::string OneLine(std::string_view value) {
    std::string line(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string ProfileValue(std::string_view raw) {
    std::string value(Trim(raw));
    std::replace(value.begin(), value.end(), '\0', ' ');
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

OemValues ParseOemInfo(std::string_view bytes) {
    const std::vector<Line> lines = SplitLines(bytes);
    OemValues values;
    if (const auto general = FindSection(lines, "General")) {
        values.maker = ValueOf(bytes, FindKey(lines, *general, "Manufacturer"));
        values.model = ValueOf(bytes, FindKey(lines, *general, "Model"));
    }
    const auto section = FindSection(lines, "Support Information");
    if (!section)
        return values;
    auto keys = SupportKeys(lines, *section);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    values.support.emplace();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // The first key of a number is the one the system finds.
        if (i > 0 && keys[i].first == keys[i - 1].first)
            continue;
        if (auto value = ValueOf(bytes, keys[i].second))
            values.support->push_back(std::move(*value));
    }
    return values;
}

std::optional<SupportText> SupportValuesText(std::string_view bytes) {
    auto values = ParseOemInfo(bytes).support;
    if (!values)
        return std::nullopt;
    SupportText text;
    for (const std::string& value : *values) {
        text.bytes += value;
        if (!value.empty() && static_cast<unsigned char>(value.back()) >= 0x80)
            text.cuts.push_back(text.bytes.size());
        text.bytes += "\r\n";
    }
    return text;
}

std::string EditOemInfo(std::string_view file, std::string_view maker, std::string_view model,
                        const std::optional<std::vector<std::string>>& support) {
    const std::vector<Line> lines = SplitLines(file);
    struct Splice {
        std::size_t from, to;
        std::string text;
    };
    std::vector<Splice> splices;
    bool lastLineEnded = lines.empty() || lines.back().end > lines.back().TextEnd();
    const auto insert = [&](std::size_t at, std::string text) {
        if (text.empty())
            return;
        if (at == file.size() && !lastLineEnded) {
            text.insert(0, "\r\n");
            lastLineEnded = true;
        }
        splices.push_back({at, at, std::move(text)});
    };

    const auto general = FindSection(lines, "General");
    std::string missing;
    for (const auto& [key, value] : {std::pair(std::string_view("Manufacturer"), OneLine(maker)),
                                     std::pair(std::string_view("Model"), OneLine(model))}) {
        const Line* line = general ? FindKey(lines, *general, key) : nullptr;
        if (!line)
            missing += Entry(key, value);
        else if (line->valueAt == npos)
            splices.push_back({line->TextEnd(), line->TextEnd(), "=" + value});
        else if (ValueOf(file, line) != value) {
            // The blanks after "=" stay, unless the new value starts with blanks of its own.
            const std::string_view old = file.substr(line->valueAt, line->TextEnd() - line->valueAt);
            const bool ownBlanks = !value.empty() && kBlanks.find(value[0]) != npos;
            const std::size_t from = ownBlanks ? 0 : std::min(old.find_first_not_of(kBlanks), old.size());
            splices.push_back({line->valueAt + from, line->TextEnd(), value});
        }
    }
    if (general && !missing.empty())
        insert(LastKey(lines, *general).end, missing);
    if (!general) {
        // Before the first section, so that lines that belong to none stay so.
        const auto header =
            std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.kind == Kind::Header; });
        insert(header == lines.end() ? file.size() : header->start, "[General]\r\n" + missing);
    }

    if (support) {
        std::string block;
        for (std::size_t k = 0; k < std::min(support->size(), kMaxSupportLines); ++k)
            block += Entry("Line" + std::to_string(k + 1), (*support)[k]);
        const auto section = FindSection(lines, "Support Information");
        const NumberedKeys keys = section ? SupportKeys(lines, *section) : NumberedKeys{};
        if (!section)
            insert(file.size(), "[Support Information]\r\n" + block);
        else if (keys.empty())
            insert(LastKey(lines, *section).end, block);
        for (const auto& [n, line] : keys) {
            splices.push_back({line->start, line->end, block});
            block.clear();
        }
    }

    std::stable_sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) { return a.from < b.from; });
    std::string out;
    std::size_t at = 0;
    for (const Splice& s : splices) {
        out.append(file.substr(at, s.from - at)).append(s.text);
        at = s.to;
    }
    return out.append(file.substr(at));
}

void StoreSupportLines(AppState& state, const std::vector<std::wstring>& values) {
    if (state.SupportLines.size() < values.size() + 1)
        state.SupportLines.resize(values.size() + 1);
    std::copy(values.begin(), values.end(), state.SupportLines.begin() + 1);
    state.SupportLineCount = static_cast<int>(values.size());
}

std::vector<std::wstring> CurrentSupportLines(const AppState& state) {
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(state.SupportLineCount, 0)), state.SupportLines.size() - 1);
    return {state.SupportLines.begin() + 1, state.SupportLines.begin() + 1 + static_cast<std::ptrdiff_t>(count)};
}

} // namespace bw
