// The real Brandwick.exe under the Windows version Wine reports to it: the OEMInformation key is shown from
// Vista on and ignored on XP.
#include "brandwick_process.h"
#include "registry_guard.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::e2e {
namespace {

constexpr wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\Brandwick.exe";

TEST(OemKeyByVersion, TheMakerBoxShowsTheKeyOnWin7AndTheFileOnXp) {
    test::FileGuard ini{test::SystemDir() + L"\\oeminfo.ini"};
    test::WriteBytes(test::SystemDir() + L"\\oeminfo.ini", "[General]\r\nManufacturer=File Maker\r\n");
    test::SetText(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation", L"Manufacturer", L"Key Maker");
    UniqueHKey probe;
    ASSERT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, KEY_READ, probe.put()), ERROR_SUCCESS) << "not ours";
    for (const auto& [version, shown] : {std::pair(L"winxp", L"File Maker"), std::pair(L"win7", L"Key Maker")}) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kAppDefaults, L"Version", REG_SZ, version, (wcslen(version) + 1) * 2);
        BrandwickProcess app;
        ASSERT_TRUE(app.Main());
        EXPECT_EQ(app.Text(app.Control(1010)), shown) << version; // txtManufacturer
        app.Press(app.Control(1002));                             // cmdCancel
        EXPECT_TRUE(app.WaitForExit());
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
}

} // namespace
} // namespace bw::e2e
