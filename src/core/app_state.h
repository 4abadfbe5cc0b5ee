#pragma once
// The application-wide state: the two directories and the support-line table.
// It lives from program start to program end; nothing else holds a copy of it.
#include <string>
#include <vector>

namespace bw {

// Index 0 of SupportLines holds this once the support editor has committed during this run.
inline constexpr const wchar_t* SupportEditedMarker = L"Info";

struct AppState {
    std::wstring SystemDirectory; // no trailing backslash
    std::wstring TempDirectory;   // ends with a backslash
    // Index 0 is the marker slot; the support lines proper are 1 to SupportLineCount.
    // Entries past the count may hold stale lines and are never written.
    std::vector<std::wstring> SupportLines = std::vector<std::wstring>(256);
    int SupportLineCount = 0;
    // Set when a logo is staged by this run: a staging file left behind by an earlier run is not ours.
    bool LogoStagedThisRun = false;

    bool SupportEdited() const { return SupportLines[0] == SupportEditedMarker; }

    std::wstring OemInfoPath() const { return SystemDirectory + L"\\oeminfo.ini"; }
    std::wstring OemLogoPath() const { return SystemDirectory + L"\\oemlogo.bmp"; }
    std::wstring StagedOemInfoPath() const { return TempDirectory + L"oeminfo.tmp"; }
    std::wstring StagedLogoPath() const { return TempDirectory + L"oemlogo.tmp"; }
};

} // namespace bw
