#include "core/os_version_logic.h"

namespace bw {

bool IsNtPlatform(const OsVersion& v) {
    return v.platformId == kPlatformNT;
}

} // namespace bw
