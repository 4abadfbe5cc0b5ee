#include "core/placement_logic.h"

namespace bw {

namespace {

wchar_t FoldCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// The rest of path after dir and its backslash, or nullopt when path is not inside dir.
std::optional<std::wstring_view> InsideDirectory(std::wstring_view path, std::wstring_view dir) {
    if (dir.empty() || path.size() <= dir.size() || path[dir.size()] != L'\\')
        return std::nullopt;
    for (std::size_t i = 0; i < dir.size(); ++i) {
        if (FoldCase(path[i]) != FoldCase(dir[i]))
            return std::nullopt;
    }
    return path.substr(dir.size());
}

} // namespace

bool ProcessUnderWow64(unsigned pointerBits, std::optional<bool> isWow64Process) {
    // A 64-bit build is native wherever it runs; a system that cannot answer has no WOW64 (2000, XP before SP2).
    return pointerBits == 32 && isWow64Process.value_or(false);
}

std::uint32_t RegistryViewFor(bool wow64) {
    return wow64 ? kRegView64 : kRegViewDefault;
}

FileRoute SystemFileRoute(bool wow64, bool sysnativeExists) {
    if (!wow64)
        return FileRoute::AsNamed;
    // XP x64 and 2003 x64 have no Sysnative alias unless a hotfix added it.
    return sysnativeExists ? FileRoute::Sysnative : FileRoute::RedirectionOff;
}

std::wstring SysnativeDirectory(std::wstring_view systemDirectory) {
    const auto slash = systemDirectory.find_last_of(L'\\');
    return std::wstring(systemDirectory.substr(0, slash == std::wstring_view::npos ? 0 : slash)) + L"\\Sysnative";
}

RoutedPath RouteSystemPath(std::wstring_view path, std::wstring_view systemDirectory, FileRoute route) {
    const auto rest = InsideDirectory(path, systemDirectory);
    if (!rest || route == FileRoute::AsNamed)
        return {std::wstring(path), false};
    if (route == FileRoute::Sysnative)
        return {SysnativeDirectory(systemDirectory) + std::wstring(*rest), false};
    return {std::wstring(path), true};
}

} // namespace bw
