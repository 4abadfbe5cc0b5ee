#include "core/directories.h"

#include "core/placement.h"

namespace bw {

void ComputeSystemDirectory(AppState& state, Platform& os) {
    state.SystemDirectory = os.SystemDirectory().value_or(L"");
    state.SystemFiles =
        state.SystemDirectory.empty() ? FileRoute::AsNamed : ProbeSystemFileRoute(os, state.SystemDirectory);
}

void ComputeTempDirectory(AppState& state, Platform& os) {
    std::wstring dir = os.TempPath().value_or(L"");
    if (!dir.empty() && dir.back() != L'\\')
        dir.push_back(L'\\');
    state.TempDirectory = dir;
}

} // namespace bw
