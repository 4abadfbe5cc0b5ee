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
std::optional<OemInfo> ReadOemInfo(const AppState& state, Platform& os);

// The value of every support line of the file; nullopt when the file or its support section is absent or unreadable.
std::optional<std::vector<std::wstring>> LoadSupportValues(const AppState& state, Platform& os);

// The value of every support line of the file, each followed by CR LF; empty when the file is absent.
std::wstring LoadSupportText(const AppState& state, Platform& os);

// Reloads the support lines from the file into the table. False when the file cannot be read.
bool LoadSupportLines(AppState& state, Platform& os);

// Writes the file anew through the staging file: maker, model and the support lines (reloaded from the file
// first unless the editor has committed in this run). True only when oeminfo.ini now holds the new content;
// on false the old file is left as it was.
bool SaveOemInfo(AppState& state, Platform& os, const std::wstring& maker, const std::wstring& model);

} // namespace bw
