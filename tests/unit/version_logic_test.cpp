// Naming the running Windows from its version record, row by row.
#include "sysinfo/version_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

struct Row {
    std::uint32_t platform, major, minor, build;
    const wchar_t* name; // nullptr: the label is left unchanged
};

const Row kRows[] = {
    {1, 4, 0, 950, L"Microsoft Windows 95"},
    {1, 9, 0, 0, L"Microsoft Windows 95"}, // the major version is not looked at on platform 1
    {1, 4, 10, 1998, L"Microsoft Windows 98"},
    {1, 4, 10, (4u << 24) | (10u << 16) | 1998, L"Microsoft Windows 98"}, // high half repeats the version
    {1, 4, 10, 2222, L"Microsoft Windows 98 SE"},
    {1, 4, 90, 3000, L"Microsoft Windows ME"},
    {1, 4, 3, 0, nullptr},
    {2, 3, 10, 0, L"Microsoft Windows NT 3.51"},
    {2, 3, 50, 0, L"Microsoft Windows NT 3.51"},
    {2, 4, 0, 1381, L"Microsoft Windows NT 4.0"},
    {2, 5, 0, 2195, L"Microsoft Windows 2000"},
    {2, 5, 1, 2600, L"Microsoft Windows XP"},
    {2, 5, 2, 3790, L"Microsoft Windows 2003"},
    {2, 5, 3, 0, nullptr},
    {2, 6, 0, 6000, L"Microsoft Windows Longhorn"},
    {2, 6, 3, 9600, L"Microsoft Windows Longhorn"},
    {2, 7, 0, 0, nullptr},
    {2, 10, 0, 19045, nullptr},
    {2, 2, 0, 0, nullptr},
};

TEST(SystemVersionCaption, FollowsTheNameTable) {
    for (const Row& r : kRows) {
        SCOPED_TRACE(testing::Message() << r.platform << " " << r.major << "." << r.minor << " " << r.build);
        const OsVersion v{r.platform, r.major, r.minor, r.build, L"Service Pack 2"};
        const auto caption = SystemVersionCaption(v);
        if (r.name) {
            ASSERT_TRUE(caption);
            EXPECT_EQ(*caption, std::wstring(r.name) + L"\n\nService Pack 2");
        } else {
            EXPECT_FALSE(caption);
        }
    }
}

TEST(SystemVersionCaption, WithoutServicePackEndsWithTheTwoLineFeeds) {
    EXPECT_EQ(SystemVersionCaption({2, 5, 1, 2600, L""}).value_or(L"?"), L"Microsoft Windows XP\n\n");
}

TEST(SystemVersionCaption, UnknownPlatformStandsAlone) {
    const std::wstring unknown = L"<\u7CFB\u7EDF\u7248\u672C\u672A\u77E5>";
    EXPECT_EQ(SystemVersionCaption({0, 3, 11, 0, L"SP"}).value_or(L"?"), unknown);
    EXPECT_EQ(SystemVersionCaption({3, 5, 1, 0, L"SP"}).value_or(L"?"), unknown);
    EXPECT_EQ(SystemVersionCaption(OsVersion{}).value_or(L"?"), unknown) << "a failed query reads as Win32s";
}

TEST(IsNtPlatform, OnlyPlatformTwo) {
    EXPECT_TRUE(IsNtPlatform({2, 5, 1, 0, L""}));
    EXPECT_FALSE(IsNtPlatform({1, 4, 10, 0, L""}));
    EXPECT_FALSE(IsNtPlatform({0, 0, 0, 0, L""}));
    EXPECT_FALSE(IsNtPlatform({3, 10, 0, 0, L""}));
}

} // namespace
} // namespace bw
