#include "oeminfo/oem_key_logic.h"

namespace bw {

bool OemKeyApplies(const OsVersion& v) {
    return v.platformId == kPlatformNT && v.major >= 6;
}

std::optional<std::wstring> ShownValue(const std::wstring& fromKey, const std::optional<std::wstring>& fromFile) {
    if (!fromKey.empty())
        return fromKey;
    return fromFile;
}

} // namespace bw
