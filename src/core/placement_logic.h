#pragma once
// Where a 32-bit build on 64-bit Windows finds what the system itself reads: the registry's 64-bit view and
// the native system directory. Without WOW64 everything is where it is named.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Extra key access choosing the registry view: none, or KEY_WOW64_64KEY.
inline constexpr std::uint32_t kRegViewDefault = 0;
inline constexpr std::uint32_t kRegView64 = 0x0100;

// isWow64Process is the system's answer; nullopt where the system lacks the function or could not tell.
bool ProcessUnderWow64(unsigned pointerBits, std::optional<bool> isWow64Process);

std::uint32_t RegistryViewFor(bool wow64);

enum class FileRoute {
    AsNamed,        // the system directory is the native one
    Sysnative,      // through the %windir%\Sysnative alias
    RedirectionOff, // the same names, with the file-system redirector off around each operation
};

FileRoute SystemFileRoute(bool wow64, bool sysnativeExists);

// The Sysnative alias beside the system directory ("C:\WINDOWS\system32" gives "C:\WINDOWS\Sysnative").
std::wstring SysnativeDirectory(std::wstring_view systemDirectory);

struct RoutedPath {
    std::wstring path;
    bool redirectionOff = false;
};

// How to reach a file named as the system names it: a file in the system directory (any case) goes by the route;
// any other as it is.
RoutedPath RouteSystemPath(std::wstring_view path, std::wstring_view systemDirectory, FileRoute route);

} // namespace bw
