#pragma once
// Reading and saving the OEM information file in the system directory.
#include "core/app_state.h"
#include "core/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace bw {

struct OemInfo {
    std::optional<std::wstring> maker; // absent: the box keeps its text
    std::optional<std::wstring> model;
};

enum class Presence { Absent, Present, Unknown };

// Whether the path names an existing file, whatever its hidden, system or read-only attributes.
Presence FilePresence(Platform& os, const std::wstring& path);
inline bool FileIsPresent(Platform& os, const std::wstring& path) {
    return FilePresence(os, path) == Presence::Present;
}

// Maker and model; nothing when the file is absent or unreadable.
OemInfo LoadOemInfo(const AppState& state, Platform& os);
// Maker and model; nothing when the file is absent, nullopt when it is there but cannot be read.
std::optional<OemInfo> ReadOemInfo(const AppState& state, Platform& os, SaveFailure* why = nullptr);

// The value of every support line of the file; nullopt when the file or its support section is absent or unreadable.
std::optional<std::vector<std::wstring>> LoadSupportValues(const AppState& state, Platform& os);

// The value of every support line of the file, each followed by CR LF; empty when the file is absent.
std::wstring LoadSupportText(const AppState& state, Platform& os);

// Sets maker, model and, once the editor has committed in this run, the support lines in the file, keeping all else
// it holds (see EditOemInfo); a new file gets the file's own layout without support lines. A copy is staged in the
// temporary folder where that can be written, but the file does not depend on it. True only when oeminfo.ini now
// holds the new content; on failure the old file is left as it was, and a file that cannot be read is never rewritten.
SaveResult SaveOemInfo(AppState& state, Platform& os, const std::wstring& maker, const std::wstring& model);

} // namespace bw
