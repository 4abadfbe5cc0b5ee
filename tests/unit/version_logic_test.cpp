// Naming the running Windows from its version record, row by row.
#include "sysinfo/version_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(SystemVersionCaption, FollowsTheNameTable) {
    const struct {
        std::uint32_t platform, major, minor, build;
        const wchar_t* caption; // nullptr: the label is left unchanged
    } rows[] = {
        {1, 9, 0, 950, L"Microsoft Windows 95\n\nSP2"}, // the major version is not looked at on platform 1
        {1, 4, 10, (4u << 24) | (10u << 16) | 1998, L"Microsoft Windows 98\n\nSP2"}, // high half repeats the version
        {1, 4, 10, 2222, L"Microsoft Windows 98 SE\n\nSP2"},
        {1, 4, 90, 3000, L"Microsoft Windows ME\n\nSP2"},
        {1, 4, 3, 0, nullptr},
        {2, 3, 50, 0, L"Microsoft Windows NT 3.51\n\nSP2"},
        {2, 4, 0, 1381, L"Microsoft Windows NT 4.0\n\nSP2"},
        {2, 5, 0, 2195, L"Microsoft Windows 2000\n\nSP2"},
        {2, 5, 1, 2600, L"Microsoft Windows XP\n\nSP2"},
        {2, 5, 2, 3790, L"Microsoft Windows 2003\n\nSP2"},
        {2, 5, 3, 0, nullptr},
        {2, 6, 3, 9600, L"Microsoft Windows Longhorn\n\nSP2"},
        {2, 10, 0, 19045, nullptr},
        {0, 3, 11, 0, L"<系统版本未知>"}, // Win32s, also what a failed query reads as
        {3, 5, 1, 0, L"<系统版本未知>"},
    };
    for (const auto& r : rows) {
        const OsVersion v{r.platform, r.major, r.minor, r.build, L"SP2"};
        EXPECT_EQ(SystemVersionCaption(v).value_or(L"<unchanged>"), r.caption ? r.caption : L"<unchanged>")
            << r.platform << " " << r.major << "." << r.minor << " " << r.build;
        EXPECT_EQ(IsNtPlatform(v), r.platform == 2);
    }
}

} // namespace
} // namespace bw
