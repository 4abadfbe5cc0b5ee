// Naming the running Windows from its version record.
#include "sysinfo/version_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

struct Row {
    std::uint32_t platform, major, minor, build, productType; // product type 1 workstation, 3 server
    const wchar_t* name; // then an empty line and the service pack; nullptr: the label is left unchanged
};

// Where a rule decides rather than the table: the builds at each threshold, the product types that share a version,
// the halves of a 9x build number and versions that have no name.
const Row kRows[] = {
    {1, 4, 10, (4u << 24) | (10u << 16) | 1998, 0, L"Microsoft Windows 98"}, // high half repeats the version
    {1, 4, 10, 2222, 0, L"Microsoft Windows 98 SE"},
    {1, 6, 2, 9200, 1, nullptr},                 // the 95 family never has an NT name
    {2, 5, 2, 3790, 1, L"Microsoft Windows XP"}, // XP Professional x64 Edition
    {2, 5, 2, 3790, 2, L"Microsoft Windows 2003"},
    {2, 5, 2, 3790, 0, L"Microsoft Windows 2003"},
    {2, 6, 0, 5999, 3, L"Microsoft Windows Longhorn"},
    {2, 6, 0, 6000, 1, L"Microsoft Windows Vista"},
    {2, 6, 0, 6001, 3, L"Microsoft Windows Server 2008"},
    {2, 6, 1, 7601, 2, L"Microsoft Windows Server 2008 R2"},
    {2, 10, 0, 21999, 1, L"Microsoft Windows 10"},
    {2, 10, 0, 22000, 1, L"Microsoft Windows 11"},
    {2, 10, 0, 17762, 2, L"Microsoft Windows Server 2016"},
    {2, 10, 0, 17763, 3, L"Microsoft Windows Server 2019"},
    {2, 10, 0, 20347, 3, L"Microsoft Windows Server 2019"},
    {2, 10, 0, 20348, 3, L"Microsoft Windows Server 2022"},
    {2, 10, 0, 26099, 3, L"Microsoft Windows Server 2022"},
    {2, 10, 0, 26100, 3, L"Microsoft Windows Server 2025"},
    {2, 10, 1, 0, 1, nullptr},
    {2, 11, 0, 30000, 1, nullptr},
    {0, 3, 11, 0, 0, L"<系统版本未知>"},
    {3, 5, 1, 0, 0, L"<系统版本未知>"}, // Win32s, and what a failed query reads as
};

TEST(SystemVersionCaption, NamesEachSideOfEveryRule) {
    for (const Row& r : kRows) {
        const OsVersion v{r.platform, r.major, r.minor, r.build, L"SP2", r.productType};
        const std::wstring want = !r.name           ? L"<unchanged>"
                                  : *r.name == L'<' ? r.name
                                                    : r.name + std::wstring(L"\n\nSP2");
        EXPECT_EQ(SystemVersionCaption(v).value_or(L"<unchanged>"), want)
            << r.platform << " " << r.major << "." << r.minor << " " << r.build << " type " << r.productType;
        EXPECT_EQ(IsNtPlatform(v), r.platform == 2);
    }
}

} // namespace
} // namespace bw
