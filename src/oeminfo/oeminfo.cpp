#include "oeminfo/oeminfo.h"

#include "core/ansi.h"
#include "core/file_replace.h"
#include "core/placement.h"
#include "oeminfo/oeminfo_logic.h"

namespace bw {

namespace {

std::optional<std::string> ReadBytes(const AppState& state, Platform& os) {
    RedirectionOff native(state, os);
    if (!native)
        return std::nullopt;
    return os.ReadFile(state.OemInfoPath());
}

Presence OemInfoPresence(const AppState& state, Platform& os) {
    RedirectionOff native(state, os);
    return native ? FilePresence(os, state.OemInfoPath()) : Presence::Unknown;
}

std::optional<std::vector<std::string>> ReadLines(const AppState& state, Platform& os) {
    if (state.SystemDirectory.empty() || OemInfoPresence(state, os) != Presence::Present)
        return std::nullopt;
    const auto bytes = ReadBytes(state, os);
    if (!bytes)
        return std::nullopt;
    return SplitFileLines(*bytes);
}

} // namespace

Presence FilePresence(Platform& os, const std::wstring& path) {
    const auto attributes = os.FileAttributes(path);
    if (!attributes || (*attributes != kUnknownAttributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY)))
        return Presence::Absent;
    return *attributes == kUnknownAttributes ? Presence::Unknown : Presence::Present;
}

namespace {

OemInfo General(const std::vector<std::string>& lines) {
    OemInfo info;
    const GeneralValues values = ParseGeneral(lines);
    if (values.maker)
        info.maker = FromAnsi(*values.maker);
    if (values.model)
        info.model = FromAnsi(*values.model);
    return info;
}

} // namespace

OemInfo LoadOemInfo(const AppState& state, Platform& os) {
    const auto lines = ReadLines(state, os);
    return lines ? General(*lines) : OemInfo{};
}

std::optional<OemInfo> ReadOemInfo(const AppState& state, Platform& os) {
    if (state.SystemDirectory.empty())
        return std::nullopt;
    switch (OemInfoPresence(state, os)) {
    case Presence::Absent:
        return OemInfo{};
    case Presence::Unknown:
        return std::nullopt;
    case Presence::Present:
        break;
    }
    const auto bytes = ReadBytes(state, os);
    return bytes ? std::optional(General(SplitFileLines(*bytes))) : std::nullopt;
}

std::optional<std::vector<std::wstring>> LoadSupportValues(const AppState& state, Platform& os) {
    const auto lines = ReadLines(state, os);
    const auto values = lines ? ParseSupportValues(*lines) : std::nullopt;
    if (!values)
        return std::nullopt;
    std::vector<std::wstring> wide;
    for (const std::string& value : *values)
        wide.push_back(FromAnsi(value));
    return wide;
}

std::wstring LoadSupportText(const AppState& state, Platform& os) {
    if (state.SystemDirectory.empty() || OemInfoPresence(state, os) != Presence::Present)
        return {};
    const auto bytes = ReadBytes(state, os);
    const auto support = bytes ? SupportValuesText(*bytes) : std::nullopt;
    if (!support)
        return {};
    // Converted in as few pieces as the cuts allow: a call a line would cost more than the reading.
    std::wstring text;
    text.reserve(support->bytes.size());
    std::size_t from = 0;
    for (const std::size_t cut : support->cuts) {
        AppendFromAnsi(text, std::string_view(support->bytes).substr(from, cut - from));
        from = cut;
    }
    AppendFromAnsi(text, std::string_view(support->bytes).substr(from));
    return text;
}

bool LoadSupportLines(AppState& state, Platform& os) {
    const auto bytes = ReadBytes(state, os);
    if (!bytes)
        return false;
    std::vector<std::wstring> values;
    for (const std::string& value : ParseSupportValues(SplitFileLines(*bytes)).value_or(std::vector<std::string>{}))
        values.push_back(FromAnsi(value));
    StoreSupportLines(state, values);
    return true;
}

bool SaveOemInfo(AppState& state, Platform& os, const std::wstring& maker, const std::wstring& model) {
    if (!state.KnowsDirectories())
        return false;
    if (!state.SupportEdited()) {
        switch (OemInfoPresence(state, os)) {
        case Presence::Absent:
            StoreDefaultSupportLine(state);
            break;
        case Presence::Present:
            if (LoadSupportLines(state, os))
                break;
            [[fallthrough]];
        case Presence::Unknown:
            // Writing now could drop support lines we could not read.
            return false;
        }
    }
    std::vector<std::string> support;
    for (const std::wstring& line : CurrentSupportLines(state))
        support.push_back(ToAnsi(line));
    const std::string bytes = BuildOemInfo(ToAnsi(maker), ToAnsi(model), support);

    // The staging file is not what the system reads: the copy beside oeminfo.ini is the one put on the disk.
    const std::wstring staging = state.StagedOemInfoPath();
    if (!os.WriteFile(staging, bytes, false))
        return false;
    state.StagedOemInfo = bytes;
    RedirectionOff native(state, os);
    return native && ReplaceFileSafely(os, bytes, state.OemInfoPath());
}

} // namespace bw
