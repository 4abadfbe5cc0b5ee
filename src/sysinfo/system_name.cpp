#include "sysinfo/system_name.h"

namespace bw {

bool IsWindowsNT(Platform& os) {
    return IsNtPlatform(os.GetVersion());
}

} // namespace bw
