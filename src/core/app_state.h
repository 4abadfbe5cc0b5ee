#pragma once
// The application-wide state: the two directories and the support-line table.
// It lives from program start to program end; nothing else holds a copy of it.
#include "core/placement_logic.h"

#include <string>
#include <vector>

namespace bw {

// Index 0 of SupportLines holds this once the support editor has committed during this run.
inline constexpr const wchar_t* SupportEditedMarker = L"Info";

struct AppState {
    std::wstring SystemDirectory; // no trailing backslash; as the system names it
    FileRoute SystemFiles = FileRoute::AsNamed;
    std::wstring TempDirectory;   // ends with a backslash
    // Index 0 is the marker slot; the support lines proper are 1 to SupportLineCount.
    // Entries past the count may hold stale lines and are never written.
    std::vector<std::wstring> SupportLines = std::vector<std::wstring>(256);
    int SupportLineCount = 0;
    // Set when a logo is staged by this run: a staging file left behind by an earlier run is not ours.
    bool LogoStagedThisRun = false;
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
