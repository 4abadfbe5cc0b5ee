#include "oeminfo/oeminfo.h"

#include "core/ansi.h"
#include "core/file_replace.h"
#include "core/placement.h"
#include "oeminfo/oeminfo_logic.h"

namespace bw {

namespace {

std::optional<std::string> ReadBytes(const AppState& state, Platform& os, std::uint32_t* error = nullptr) {
    RedirectionOff native(state, os);
    if (!native)
        return std::nullopt;
    return os.ReadFile(state.OemInfoPath(), error);
}

Presence OemInfoPresence(const AppState& state, Platform& os) {
    RedirectionOff native(state, os);
    return native ? FilePresence(os, state.OemInfoPath()) : Presence::Unknown;
}

// The file's values; nothing when the file is absent, nullopt when it cannot be read, and then why, if asked.
std::optional<OemValues> ReadValues(const AppState& state, Platform& os, SaveFailure* why = nullptr) {
    SaveFailure failure;
    if (state.SystemDirectory.empty()) {
        failure.op = PlatformOp::SystemDirectory;
    } else {
        RedirectionOff native(state, os);
        if (!native) {
            failure.op = PlatformOp::DisableFsRedirection;
        } else {
            switch (FilePresence(os, state.OemInfoPath())) {
            case Presence::Absent:
                return OemValues{};
            case Presence::Unknown:
                failure.op = PlatformOp::FileAttributes;
                break;
            case Presence::Present:
                failure.op = PlatformOp::ReadFile;
                if (const auto bytes = os.ReadFile(state.OemInfoPath(), &failure.error))
                    return ParseOemInfo(*bytes);
            }
        }
    }
    if (why)
        *why = failure;
    return std::nullopt;
}

} // namespace

Presence FilePresence(Platform& os, const std::wstring& path) {
    const auto attributes = os.FileAttributes(path);
    if (!attributes || (*attributes != kUnknownAttributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY)))
        return Presence::Absent;
    return *attributes == kUnknownAttributes ? Presence::Unknown : Presence::Present;
}

namespace {

OemInfo General(const OemValues& values) {
    OemInfo info;
    if (values.maker)
        info.maker = FromAnsi(*values.maker);
    if (values.model)
        info.model = FromAnsi(*values.model);
    return info;
}

} // namespace

OemInfo LoadOemInfo(const AppState& state, Platform& os) {
    const auto values = ReadValues(state, os);
    return values ? General(*values) : OemInfo{};
}

std::optional<OemInfo> ReadOemInfo(const AppState& state, Platform& os, SaveFailure* why) {
    const auto values = ReadValues(state, os, why);
    return values ? std::optional(General(*values)) : std::nullopt;
}

std::optional<std::vector<std::wstring>> LoadSupportValues(const AppState& state, Platform& os) {
    const auto values = ReadValues(state, os);
    if (!values || !values->support)
        return std::nullopt;
    std::vector<std::wstring> wide;
    for (const std::string& value : *values->support)
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

SaveResult SaveOemInfo(AppState& state, Platform& os, const std::wstring& maker, const std::wstring& model) {
    if (state.SystemDirectory.empty())
        return SaveFailure{PlatformOp::SystemDirectory, 0};
    std::uint32_t readError = 0;
    std::string file;
    const Presence presence = OemInfoPresence(state, os);
    switch (presence) {
    case Presence::Absent:
        break; // a new file: its own layout
    case Presence::Present:
        if (auto bytes = ReadBytes(state, os, &readError)) {
            file = std::move(*bytes);
            break;
        }
        // Writing now could drop what we could not read.
        return SaveFailure{PlatformOp::ReadFile, readError};
    case Presence::Unknown: {
        // Either the redirector or the file's attributes: asking again tells which.
        const bool redirected = static_cast<bool>(RedirectionOff(state, os));
        return SaveFailure{redirected ? PlatformOp::FileAttributes : PlatformOp::DisableFsRedirection, 0};
    }
    }
    // Before the editor's first commit the file's support lines stay as they are. A new file names none: an empty
    // section, as the editor's commit of no lines leaves it, which gives no "LineN" for the system to show.
    std::optional<std::vector<std::string>> support;
    if (state.SupportEdited() || presence == Presence::Absent)
        support.emplace();
    if (state.SupportEdited())
        for (const std::wstring& line : CurrentSupportLines(state))
            support->push_back(ToAnsi(line));
    const std::string bytes = EditOemInfo(file, ToAnsi(maker), ToAnsi(model), support);

    // The staging copy is not what the system reads: without it the file is saved all the same.
    if (!state.TempDirectory.empty() && os.WriteFile(state.StagedOemInfoPath(), bytes, false) == 0)
        state.StagedOemInfo = bytes;
    RedirectionOff native(state, os);
    if (!native)
        return SaveFailure{PlatformOp::DisableFsRedirection, 0};
    return ReplaceFileSafely(os, bytes, state.OemInfoPath());
}

} // namespace bw
