#include "oeminfo/logo.h"

#include "core/file_replace.h"
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
    return ReplaceFileSafely(os, state.StagedLogoPath(), state.OemLogoPath());
}

} // namespace bw
