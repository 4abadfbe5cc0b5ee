#include "sysinfo/version_logic.h"

namespace bw {

namespace {

const wchar_t* SystemName(const OsVersion& v) {
    if (v.platformId == kPlatformWindows) {
        switch (v.minor) {
        case 0:
            return L"Microsoft Windows 95";
        case 10:
            // Only the low half is the build; the high half repeats major and minor.
            return (v.build & 0xFFFF) == 1998 ? L"Microsoft Windows 98" : L"Microsoft Windows 98 SE";
        case 90:
            return L"Microsoft Windows ME";
        default:
            return nullptr;
        }
    }
    switch (v.major) {
    case 3:
        return L"Microsoft Windows NT 3.51";
    case 4:
        return L"Microsoft Windows NT 4.0";
    case 5:
        switch (v.minor) {
        case 0:
            return L"Microsoft Windows 2000";
        case 1:
            return L"Microsoft Windows XP";
        case 2:
            return L"Microsoft Windows 2003";
        default:
            return nullptr;
        }
    case 6:
        return L"Microsoft Windows Longhorn";
    default:
        return nullptr;
    }
}

} // namespace

bool IsNtPlatform(const OsVersion& v) { return v.platformId == kPlatformNT; }

std::optional<std::wstring> SystemVersionCaption(const OsVersion& v) {
    if (v.platformId != kPlatformWindows && v.platformId != kPlatformNT)
        return std::wstring(L"<\u7CFB\u7EDF\u7248\u672C\u672A\u77E5>"); // <系统版本未知>
    const wchar_t* name = SystemName(v);
    if (!name)
        return std::nullopt;
    // Name, an empty line, then the service pack: the label breaks lines at bare line feeds.
    return std::wstring(name) + L"\n\n" + v.servicePack;
}

} // namespace bw
