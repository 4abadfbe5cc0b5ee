#pragma once
// Which Windows is running: the platform family and the name shown in the main window.
#include "core/platform.h"

namespace bw {

// True exactly on the NT family; asks the system afresh on every call.
bool IsWindowsNT(Platform& os);

// Writes the system's name, an empty line and the service pack into the label; leaves the label as it is
// when the version has no name in the table.
void ShowSystemVersion(Platform& os, HWND lblSysInfo);

} // namespace bw
