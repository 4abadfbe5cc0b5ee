#include "oeminfo/logo.h"

#include "core/file_replace.h"
#include "oeminfo/oeminfo.h"

namespace bw {

bool StageLogo(AppState& state, Platform& os, const std::wstring& chosen) {
    if (!state.KnowsDirectories())
        return false;
    auto bytes = os.ReadFile(chosen);
    if (!bytes || !ReplaceFileSafely(os, chosen, state.StagedLogoPath(), *bytes))
        return false;
    state.StagedLogo = std::move(bytes);
    return true;
}

bool InstallLogo(AppState& state, Platform& os) {
    if (!state.StagedLogo)
        return true;
    if (!state.KnowsDirectories())
        return false;
    const std::wstring staging = state.StagedLogoPath();
    if (FilePresence(os, staging) == Presence::Unknown)
        return false;
    // Another instance may have staged its own choice under the same name, or removed ours when it ended.
    if (os.ReadFile(staging) != *state.StagedLogo && !os.WriteFile(staging, *state.StagedLogo))
        return false;
    return ReplaceFileSafely(os, staging, state.OemLogoPath(), *state.StagedLogo);
}

} // namespace bw
