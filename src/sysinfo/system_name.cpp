#include "sysinfo/system_name.h"

namespace bw {

bool IsWindowsNT(Platform& os) { return IsNtPlatform(os.GetVersion()); }

void ShowSystemVersion(Platform& os, HWND lblSysInfo) {
    if (const auto caption = SystemVersionCaption(os.GetVersion()))
        SetWindowTextW(lblSysInfo, caption->c_str());
}

} // namespace bw
