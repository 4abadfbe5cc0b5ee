#include "oeminfo/oeminfo.h"

#include "core/ansi.h"
#include "core/file_replace.h"
#include "core/placement.h"
#include "oeminfo/oeminfo_logic.h"

namespace bw {

namespace {

// The file as it is now, asked with the redirector off once: whether it is there, and its bytes.
struct FileNow {
    bool present = false;
    std::string bytes;
};

// nullopt when the file's presence cannot be told or it cannot be read, and then why, if asked.
std::optional<FileNow> ReadNow(const AppState& state, Platform& os, SaveFailure* why = nullptr) {
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
                return FileNow{};
            case Presence::Unknown:
                failure.op = PlatformOp::FileAttributes;
                break;
            case Presence::Present:
                failure.op = PlatformOp::ReadFile;
                if (auto bytes = os.ReadFile(state.OemInfoPath(), &failure.error))
                    return FileNow{true, std::move(*bytes)};
            }
        }
    }
    if (why)
        *why = failure;
    return std::nullopt;
}

// The file's values; nothing when the file is absent, nullopt when it cannot be read, and then why, if asked.
std::optional<OemValues> ReadValues(const AppState& state, Platform& os, SaveFailure* why = nullptr) {
    const auto file = ReadNow(state, os, why);
    return file ? std::optional(ParseOemInfo(file->bytes)) : std::nullopt;
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
    const auto file = ReadNow(state, os);
    const auto support = file && file->present ? SupportValuesText(file->bytes) : std::nullopt;
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
    SaveFailure why;
    const std::optional<FileNow> file = ReadNow(state, os, &why);
    // Writing without what could not be read could drop it.
    if (!file)
        return why;
    // Before the editor's first commit the file's support lines stay as they are. A new file names none: an empty
    // section, as the editor's commit of no lines leaves it, which gives no "LineN" for the system to show.
    std::optional<std::vector<std::string>> support;
    if (state.SupportEdited() || !file->present)
        support.emplace();
    if (state.SupportEdited())
        for (const std::wstring& line : CurrentSupportLines(state))
            support->push_back(ToAnsi(line));
    const std::string bytes = EditOemInfo(file->bytes, ToAnsi(maker), ToAnsi(model), support);

    // The staging copy is not what the system reads: without it the file is saved all the same.
    if (!state.TempDirectory.empty() && os.WriteFile(state.StagedOemInfoPath(), bytes, false) == 0)
        state.StagedOemInfo = bytes;
    RedirectionOff native(state, os);
    if (!native)
        return SaveFailure{PlatformOp::DisableFsRedirection, 0};
    return ReplaceFileSafely(os, bytes, state.OemInfoPath());
}

} // namespace bw
