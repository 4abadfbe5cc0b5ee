#pragma once
// The OEM logo "oemlogo.bmp" in the system directory and its staging copy in the temporary directory.
#include "core/app_state.h"
#include "core/platform.h"

#include <optional>
#include <string>

namespace bw {

// Writes the chosen logo's bitmap to the staging file, replacing an earlier choice only when the copy is complete,
// and remembers the bytes staged. True when the staging file now holds them.
bool StageLogo(AppState& state, Platform& os, std::string bitmap);

// Installs the logo staged by this run, if any, keeping the installed file's attributes: exactly the bytes this
// run staged, whatever the staging file holds by now. A staging file of another run is never installed. nullopt
// when there was nothing to install or the logo was installed.
SaveResult InstallLogo(AppState& state, Platform& os);

// The picture System shows: the one the OEMInformation key names where that file exists, else oemlogo.bmp.
// nullopt when neither file exists; an empty picture when the file is no picture.
std::optional<UniquePicture> LoadShownLogo(const AppState& state, Platform& os);
// The bytes of that file; nullopt when there is none or it cannot be read.
std::optional<std::string> ReadShownLogo(const AppState& state, Platform& os);

} // namespace bw
