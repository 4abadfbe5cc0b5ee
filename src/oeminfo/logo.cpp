#include "oeminfo/logo.h"

#include "core/file_replace.h"
#include "core/placement.h"
#include "oeminfo/oem_key.h"
#include "oeminfo/oeminfo.h"

namespace bw {

bool StageLogo(AppState& state, Platform& os, std::string bitmap) {
    // A logo that could not be installed is refused at once, when it is chosen.
    if (state.SystemDirectory.empty() || state.TempDirectory.empty() ||
        ReplaceFileSafely(os, bitmap, state.StagedLogoPath()))
        return false;
    state.StagedLogo = std::move(bitmap);
    return true;
}

SaveResult InstallLogo(AppState& state, Platform& os) {
    if (!state.StagedLogo)
        return std::nullopt;
    if (state.SystemDirectory.empty())
        return SaveFailure{PlatformOp::SystemDirectory, 0};
    // What this run chose, not what the staging file holds now: another instance may have staged its own choice
    // under the same name, or removed ours when it ended.
    RedirectionOff native(state, os);
    if (!native)
        return SaveFailure{PlatformOp::DisableFsRedirection, 0};
    if (auto failure = ReplaceFileSafely(os, *state.StagedLogo, state.OemLogoPath()))
        return failure;
    state.LogoInstalledThisRun = true;
    return std::nullopt;
}

namespace {

// The file System shows: the one the OEMInformation key names where it exists, else oemlogo.bmp; nullopt for none.
std::optional<RoutedPath> ShownLogoPath(const AppState& state, Platform& os) {
    auto present = [&](const RoutedPath& file) {
        RedirectionOff native(os, file.redirectionOff);
        return native && FileIsPresent(os, file.path);
    };
    const std::wstring named = OemKeyLogo(os);
    RoutedPath shown = RouteSystemPath(named, state.SystemDirectory, state.SystemFiles);
    if (named.empty() || !present(shown)) {
        // Without the system directory the name would point into the current drive's root.
        if (state.SystemDirectory.empty())
            return std::nullopt;
        shown = RouteSystemPath(state.OemLogoSystemName(), state.SystemDirectory, state.SystemFiles);
        if (!present(shown))
            return std::nullopt;
    }
    return shown;
}

std::optional<std::string> ReadRouted(Platform& os, const RoutedPath& file) {
    RedirectionOff native(os, file.redirectionOff);
    return native ? os.ReadFile(file.path) : std::nullopt;
}

} // namespace

std::optional<UniquePicture> LoadShownLogo(const AppState& state, Platform& os) {
    const auto shown = ShownLogoPath(state, os);
    if (!shown)
        return std::nullopt;
    if (!shown->redirectionOff)
        return os.LoadPictureFile(shown->path);
    // The picture loader may load DLLs, so only the reading runs with the redirector off.
    const auto bytes = ReadRouted(os, *shown);
    return bytes ? os.LoadPicture(*bytes) : UniquePicture{};
}

std::optional<std::string> ReadShownLogo(const AppState& state, Platform& os) {
    const auto shown = ShownLogoPath(state, os);
    return shown ? ReadRouted(os, *shown) : std::nullopt;
}

} // namespace bw
