#pragma once
// The application-wide state: the two directories, the support-line table and the support values.
// It lives from program start to program end; nothing else holds a copy of it.
#include "core/placement_logic.h"

#include <optional>
#include <string>
#include <vector>

namespace bw {

// Index 0 of SupportLines holds this once the support editor has committed during this run.
inline constexpr const wchar_t* SupportEditedMarker = L"Info";

// The support values of the OEMInformation key as the support editor last committed them. An absent one is left as
// it is: the key's value was no string, or missing, and the box was left empty.
struct SupportKeyValues {
    std::optional<std::wstring> phone, hours, url, provider;
    bool operator==(const SupportKeyValues&) const = default;
};

struct AppState {
    // Empty when unknown: the paths below would then name files in the root or the current folder.
    std::wstring SystemDirectory; // no trailing backslash; as the system names it
    FileRoute SystemFiles = FileRoute::AsNamed;
    std::wstring TempDirectory; // ends with a backslash
    // Index 0 is the marker slot; the support lines proper are 1 to SupportLineCount.
    // Entries past the count may hold stale lines and are never written.
    std::vector<std::wstring> SupportLines = std::vector<std::wstring>(256);
    int SupportLineCount = 0;
    SupportKeyValues SupportKey; // stays all absent where the system has no OEMInformation key
    // What this run put into each staging file. The names are shared by every running instance: a staging
    // file that holds anything else belongs to another run (or was changed or removed by one).
    std::optional<std::string> StagedLogo;
    std::optional<std::string> StagedOemInfo;
    // Set once this run has installed a logo: only then may the system be told where it is.
    bool LogoInstalledThisRun = false;

    bool SupportEdited() const { return SupportLines[0] == SupportEditedMarker; }

    // The path by which this process reaches the files; under WOW64 it may differ from the system's name for them.
    std::wstring SystemFilesDirectory() const {
        return SystemFiles == FileRoute::Sysnative ? SysnativeDirectory(SystemDirectory) : SystemDirectory;
    }
    std::wstring OemInfoPath() const { return SystemFilesDirectory() + L"\\oeminfo.ini"; }
    std::wstring OemLogoPath() const { return SystemFilesDirectory() + L"\\oemlogo.bmp"; }
    std::wstring OemLogoSystemName() const { return SystemDirectory + L"\\oemlogo.bmp"; }
    std::wstring StagedOemInfoPath() const { return TempDirectory + L"oeminfo.tmp"; }
    std::wstring StagedLogoPath() const { return TempDirectory + L"oemlogo.tmp"; }
};

} // namespace bw
