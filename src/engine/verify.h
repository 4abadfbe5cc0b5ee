#pragma once
// What /verify does: compares what a PC holds with what /apply of the same values would leave there. It writes
// nothing, not even a staging file.
#include "core/app_state.h"
#include "core/platform.h"
#include "engine/apply.h"

#include <string>
#include <vector>

namespace bw {

// One line for each item given that the PC does not hold as /apply would store it, in the order /apply saves them;
// empty when all match. What is absent is not compared. The directories of the state must have been computed.
std::vector<std::wstring> VerifyBranding(const AppState& state, Platform& os, const Branding& branding);

} // namespace bw
