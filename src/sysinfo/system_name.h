#pragma once
// Which Windows is running: the platform family and the name shown in the main window.
#include "core/platform.h"

namespace bw {

// True exactly on the NT family; asks the system afresh on every call.
bool IsWindowsNT(Platform& os);

} // namespace bw
