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
    const bool workstation = v.productType == kProductWorkstation;
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
            // 5.2 is Server 2003, and also XP Professional x64 Edition.
            return workstation ? L"Microsoft Windows XP" : L"Microsoft Windows 2003";
        default:
            return nullptr;
        }
    case 6:
        switch (v.minor) {
        case 0:
            // Longhorn was the name of the pre-releases; Vista's first release was build 6000.
            if (v.build < 6000)
                return L"Microsoft Windows Longhorn";
            return workstation ? L"Microsoft Windows Vista" : L"Microsoft Windows Server 2008";
        case 1:
            return workstation ? L"Microsoft Windows 7" : L"Microsoft Windows Server 2008 R2";
        case 2:
            return workstation ? L"Microsoft Windows 8" : L"Microsoft Windows Server 2012";
        case 3:
            return workstation ? L"Microsoft Windows 8.1" : L"Microsoft Windows Server 2012 R2";
        case 4:
            // Only the first previews of Windows 10 and Server 2016 reported 6.4.
            return workstation ? L"Microsoft Windows 10" : L"Microsoft Windows Server 2016";
        default:
            return nullptr;
        }
    case 10:
        if (v.minor != 0)
            return nullptr;
        // Windows 11 and every server since 2016 kept the version 10.0: only the build tells them apart.
        if (workstation)
            return v.build < 22000 ? L"Microsoft Windows 10" : L"Microsoft Windows 11";
        if (v.build < 17763)
            return L"Microsoft Windows Server 2016";
        if (v.build < 20348)
            return L"Microsoft Windows Server 2019";
        if (v.build < 26100)
            return L"Microsoft Windows Server 2022";
        return L"Microsoft Windows Server 2025";
    default:
        return nullptr;
    }
}

} // namespace

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
