// The system's name as the real Brandwick.exe shows it, with Wine playing one Windows version after another.
#include "brandwick_process.h"

#include <gtest/gtest.h>

namespace bw::e2e {
namespace {

constexpr int lblSysInfo = 1019;
const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\Brandwick.exe";

// Wine reads the version it plays for a program when that program starts.
class WineVersionFor {
public:
    explicit WineVersionFor(const std::wstring& version) {
        UniqueHKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
        RegSetValueExW(key.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    }
    ~WineVersionFor() { RegDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults); }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;
};

TEST(SystemName, IsTheTrueNameOfEveryWindowsWinePlays) {
    const struct {
        const wchar_t* wine;
        const wchar_t* name;
    } rows[] = {
        {L"winxp", L"Microsoft Windows XP"},
        {L"win2003", L"Microsoft Windows 2003"},
        {L"vista", L"Microsoft Windows Vista"},
        {L"win2008", L"Microsoft Windows Server 2008"},
        // Wine 8.0 hands its win7 the server's product type and its win2008r2 the workstation's.
        {L"win7", L"Microsoft Windows Server 2008 R2"},
        {L"win2008r2", L"Microsoft Windows 7"},
        {L"win8", L"Microsoft Windows 8"},
        {L"win81", L"Microsoft Windows 8.1"},
        {L"win10", L"Microsoft Windows 10"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.wine);
        WineVersionFor version(row.wine);
        BrandwickProcess app;
        ASSERT_TRUE(app.Main());
        const std::wstring caption = app.Text(app.Control(lblSysInfo));
        // The name, an empty line, then the service pack.
        EXPECT_EQ(caption.substr(0, caption.find(L'\n')), row.name);
        EXPECT_EQ(caption.substr(caption.find(L'\n'), 2), L"\n\n");
        app.Kill();
    }
}

} // namespace
} // namespace bw::e2e
