#pragma once
// The system's version record, as the platform reports it.
#include <cstdint>
#include <string>

namespace bw {

// The fields of the system's version record that decide the name.
struct OsVersion {
    std::uint32_t platformId = 0; // 0 Win32s, 1 Windows 95/98/ME, 2 NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;       // on platform 1 only the low 16 bits are the build
    std::wstring servicePack;      // e.g. "Service Pack 2"; empty when none is installed
    std::uint32_t productType = 0; // 1 workstation, 2 domain controller, 3 server; 0 when the system did not say
};

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;
inline constexpr std::uint32_t kPlatformNT = 2;

inline constexpr std::uint32_t kProductWorkstation = 1;

bool IsNtPlatform(const OsVersion& v);

} // namespace bw
