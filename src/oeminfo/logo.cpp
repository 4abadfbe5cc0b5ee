#include "oeminfo/logo.h"

#include "core/file_replace.h"
#include "core/placement.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"

namespace bw {

bool StageLogo(AppState& state, Platform& os, const std::wstring& chosen) {
    if (!ReplaceFileSafely(os, chosen, state.StagedLogoPath()))
        return false;
    state.LogoStagedThisRun = true;
    return true;
}

bool InstallLogo(AppState& state, Platform& os) {
    if (!state.LogoStagedThisRun)
        return true;
    switch (FilePresence(os, state.StagedLogoPath())) {
    case Presence::Absent:
        return true;
    case Presence::Unknown:
        return false;
    case Presence::Present:
        break;
    }
    RedirectionOff native(state, os);
    if (!native || !ReplaceFileSafely(os, state.StagedLogoPath(), state.OemLogoPath()))
        return false;
    state.LogoInstalledThisRun = true;
    return true;
}

std::optional<UniquePicture> LoadShownLogo(const AppState& state, Platform& os) {
    auto present = [&](const RoutedPath& file) {
        RedirectionOff native(os, file.redirectionOff);
        return native && FileIsPresent(os, file.path);
    };
    const std::wstring named = OemKeyLogo(os);
    RoutedPath shown = RouteSystemPath(named, state.SystemDirectory, state.SystemFiles);
    if (named.empty() || !present(shown)) {
        shown = RouteSystemPath(state.OemLogoSystemName(), state.SystemDirectory, state.SystemFiles);
        if (!present(shown))
            return std::nullopt;
    }
    if (!shown.redirectionOff)
        return os.LoadPictureFile(shown.path);
    // The picture loader may load DLLs, so only the reading runs with the redirector off.
    std::optional<std::string> bytes;
    if (RedirectionOff native(os, true); native)
        bytes = os.ReadFile(shown.path);
    return bytes ? os.LoadPicture(*bytes) : UniquePicture{};
}

} // namespace bw
