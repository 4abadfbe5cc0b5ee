// Where a 32-bit build on 64-bit Windows reaches the system's registry and files.
#include "core/placement_logic.h"

#include <gtest/gtest.h>

namespace bw {

TEST(PlacementLogic, OnlyA32BitProcessThatTheSystemCallsWow64IsRoutedToTheNativeSide) {
    struct Row {
        unsigned bits;
        std::optional<bool> isWow64;
        bool sysnative;
        std::uint32_t view;
        FileRoute route;
    } const rows[] = {
        {32, true, true, 0x100, FileRoute::Sysnative},       // Vista and later x64
        {32, true, false, 0x100, FileRoute::RedirectionOff}, // XP x64, 2003 x64
        {32, false, true, 0, FileRoute::AsNamed},            // 32-bit Windows
        {32, std::nullopt, false, 0, FileRoute::AsNamed},    // 2000: no IsWow64Process
        {64, false, true, 0, FileRoute::AsNamed},
        {64, true, true, 0, FileRoute::AsNamed},
    };
    for (const Row& r : rows) {
        const bool wow64 = ProcessUnderWow64(r.bits, r.isWow64);
        EXPECT_EQ(RegistryViewFor(wow64), r.view) << r.bits << " " << r.isWow64.value_or(2);
        EXPECT_EQ(SystemFileRoute(wow64, r.sysnative), r.route) << r.bits << " " << r.isWow64.value_or(2);
    }
}

TEST(PlacementLogic, SystemDirectoryFilesGoByTheRouteOthersKeepTheirName) {
    const std::wstring sys = L"C:\\WINDOWS\\system32";
    struct Row {
        const wchar_t* path;
        FileRoute route;
        RoutedPath expected;
    } const rows[] = {
        {L"c:\\windows\\System32\\oemlogo.bmp", FileRoute::Sysnative, {L"C:\\WINDOWS\\Sysnative\\oemlogo.bmp", false}},
        {L"C:\\WINDOWS\\system32\\oem\\l.bmp", FileRoute::RedirectionOff, {L"C:\\WINDOWS\\system32\\oem\\l.bmp", true}},
        {L"C:\\WINDOWS\\system32\\oemlogo.bmp", FileRoute::AsNamed, {L"C:\\WINDOWS\\system32\\oemlogo.bmp", false}},
        {L"C:\\WINDOWS\\system32x\\oemlogo.bmp", FileRoute::Sysnative, {L"C:\\WINDOWS\\system32x\\oemlogo.bmp", false}},
        {L"D:\\Logos\\oem.bmp", FileRoute::RedirectionOff, {L"D:\\Logos\\oem.bmp", false}},
        {L"C:\\WINDOWS\\system32", FileRoute::Sysnative, {L"C:\\WINDOWS\\system32", false}},
    };
    for (const Row& r : rows) {
        const RoutedPath routed = RouteSystemPath(r.path, sys, r.route);
        EXPECT_TRUE(routed.path == r.expected.path && routed.redirectionOff == r.expected.redirectionOff)
            << static_cast<int>(r.route) << " " << std::string(routed.path.begin(), routed.path.end());
    }
}

} // namespace bw
