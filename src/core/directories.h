#pragma once
#include "core/app_state.h"
#include "core/platform.h"

namespace bw {

// The system directory, without a trailing backslash; empty when the system cannot tell. Also decides how its
// files are reached.
void ComputeSystemDirectory(AppState& state, Platform& os);
// The temporary directory, ending with a backslash; empty when the system cannot tell.
void ComputeTempDirectory(AppState& state, Platform& os);

} // namespace bw
