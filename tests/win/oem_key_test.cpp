// The OEMInformation key through the main window: shown and stored from Vista on, untouched before, one more
// item of the one message when it cannot be stored; and a 32-bit run on 64-bit Windows, played by a double,
// reaching the native registry view and system directory.
#include "fault_platform.h"
#include "oeminfo/logo.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmMain.h"
#include "window_probe.h"
#include "wow64_platform.h"

#include <gtest/gtest.h>

#include <cstring>

namespace bw::test {
namespace {

const std::wstring kKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
const OsVersion kXp{2, 5, 1, 2600, L"Service Pack 3"}, kVista{2, 6, 0, 6002, L"Service Pack 2"};

std::string Bmp(std::uint32_t width, std::uint32_t height) { // black, 24 bits per pixel
    const std::uint32_t size = 54 + (width * 3 + 3) / 4 * 4 * height;
    const std::uint32_t header[] = {size, 0, 54, 40, width, height, 1 | 24 << 16};
    std::string bytes(size, '\0');
    std::memcpy(bytes.data(), "BM", 2);
    std::memcpy(&bytes[2], header, sizeof header);
    return bytes;
}

std::wstring Value(const wchar_t* name) {
    std::wstring text;
    DWORD type = 0;
    return ReadText(kKey, name, text, type) ? (type == REG_SZ ? text : L"<type>") : L"<none>";
}

class OemKey : public testing::Test {
protected:
    void SetUp() override {
        state = AppState{};
        reports.clear();
        os.Heal();
        for (const auto& path : {ini, logo, keyLogo, TempDir() + L"oeminfo.tmp", TempDir() + L"oemlogo.tmp"})
            RemoveFile(path);
        WriteBytes(ini, "[General]\r\nManufacturer=File Maker\r\nModel=File Model\r\n");
        WriteBytes(logo, Bmp(100, 50));
        WriteBytes(keyLogo, Bmp(40, 20));
        SetText(kKey, L"Manufacturer", L"Key Maker");
        DeleteValue(kKey, L"Model");
        SetText(kKey, L"Logo", L"%SystemRoot%\\System32\\brandwick_keylogo.bmp");
        SetText(kKey, L"SupportURL", L"https://support.example");
    }
    void TearDown() override {
        main.reset();
        Drain();
    }
    void Open(Platform& platform) {
        main = std::make_unique<frmMain>(state, platform);
        main->SetReporter([this](const std::wstring& text, UINT) { reports.push_back(text); });
        ASSERT_TRUE(main->Create(SW_SHOW));
    }
    // Types maker and model, stages a new logo as the open-file dialog would, and presses Apply.
    void Apply(Platform& platform) {
        SetWindowTextW(main->Control(MainId::txtManufacturer), L"新制造商");
        SetWindowTextW(main->Control(MainId::txtModel), L"");
        const std::wstring chosen = TempDir() + L"brandwick_chosen.bmp";
        WriteBytes(chosen, Bmp(8, 8));
        ASSERT_TRUE(StageLogo(state, platform, chosen));
        SendMessageW(main->Control(MainId::cmdApply), BM_CLICK, 0, 0);
        RemoveFile(chosen);
    }
    std::wstring Box(MainId id) const { return TextOf(main->Control(id)); }
    long LogoWidth() const {
        const RECT r = ChildRect(main->Control(MainId::picLogo));
        return r.right - r.left;
    }

    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp",
                       keyLogo = SystemDir() + L"\\brandwick_keylogo.bmp";
    FileGuard iniGuard{ini}, logoGuard{logo}, keyLogoGuard{keyLogo};
    RegistryValueGuard keyGuard{kKey, {L"SupportURL"}};
    RegistryValueGuard registrationGuard{L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                         {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}};
    AppState state;
    FaultPlatform os;
    std::unique_ptr<frmMain> main;
    std::vector<std::wstring> reports;
};

// From Vista on the key is shown where it has a value and stored without touching its other values; a failure to
// store it is one more item of the one message, and the steps after it still run.
TEST_F(OemKey, ShownAndStoredFromVistaOnOnlyAndNamedWhenItCannotBeStored) {
    const std::wstring oldLogo = L"%SystemRoot%\\System32\\brandwick_keylogo.bmp",
                       newLogo = SystemDir() + L"\\oemlogo.bmp";
    struct Row {
        OsVersion version;
        int failingWrite;
        const wchar_t* maker;
        long logoWidth;
        std::wstring storedMaker, storedModel, storedLogo, report;
    } const rows[] = {
        {kXp, 0, L"File Maker", 100, L"Key Maker", L"<none>", oldLogo, L""},
        {kVista, 0, L"Key Maker", 40, L"新制造商", L"", newLogo, L""},
        {kVista, 4, L"Key Maker", 40, L"Key Maker", L"", newLogo,
         L"以下内容未能保存：\nOEM 信息注册表项 (OEMInformation)\n\n其余内容已保存。"}, // 4: after the registration
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.version.major << " " << r.failingWrite);
        SetUp();
        os.version = r.version;
        Open(os);
        EXPECT_EQ(Box(MainId::txtManufacturer), r.maker);
        EXPECT_EQ(Box(MainId::txtModel), L"File Model");
        EXPECT_EQ(LogoWidth(), r.logoWidth);
        if (r.failingWrite)
            os.FailOn(PlatformOp::RegWrite, r.failingWrite);
        Apply(os);
        EXPECT_EQ(reports.empty() ? L"" : reports.at(0), r.report);
        EXPECT_EQ(Value(L"Manufacturer"), r.storedMaker);
        EXPECT_EQ(Value(L"Model"), r.storedModel);
        EXPECT_EQ(Value(L"Logo"), r.storedLogo);
        EXPECT_EQ(Value(L"SupportURL"), L"https://support.example");
        EXPECT_NE(ReadBytes(ini).value_or("").find("Manufacturer=" + Ansi(L"新制造商")), std::string::npos);
        EXPECT_EQ(ReadBytes(logo), Bmp(8, 8));
        TearDown();
    }
}

// Which view and which path reach the platform: under WOW64 the 64-bit view, and system files through Sysnative
// or with the redirector off (never while a picture is decoded); the system learns the logo by its own name.
TEST_F(OemKey, UnderWow64TheNativeViewAndSystemDirectoryAreReached) {
    struct Row {
        bool wow64, sysnative;
        const wchar_t* view;
        const wchar_t* systemFiles; // how every system file is reached, in lower case
        bool off;
    } const rows[] = {
        {false, true, L" 0 ", L"c:\\windows\\system32\\", false},
        {true, true, L" 256 ", L"c:\\windows\\sysnative\\", false},
        {true, false, L" 256 ", L"c:\\windows\\system32\\", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.wow64 << r.sysnative);
        SetUp();
        os.version = kVista;
        Wow64Platform platform(os, r.wow64, r.sysnative);
        Open(platform);
        EXPECT_EQ(Box(MainId::txtManufacturer), L"Key Maker");
        EXPECT_EQ(LogoWidth(), 40);
        Apply(platform);
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(Value(L"Logo"), SystemDir() + L"\\oemlogo.bmp");
        EXPECT_EQ(ReadBytes(logo), Bmp(8, 8));
        int registry = 0, files = 0;
        for (std::wstring call : platform.trail) {
            CharLowerW(call.data()); // the key names System32 in its own case
            SCOPED_TRACE(testing::Message() << std::string(call.begin(), call.end()));
            const auto path = call.find(L"c:\\");
            if (call.starts_with(L"reg")) {
                ++registry;
                EXPECT_NE(call.find(r.view), call.npos);
            } else if (path != call.npos && call.find(L".tmp") == call.npos && call.find(L"_chosen") == call.npos &&
                       !call.ends_with(L"\\sysnative")) { // neither temporary files nor the probe for Sysnative
                ++files;
                EXPECT_TRUE(call.substr(path).starts_with(r.systemFiles));
                EXPECT_EQ(call.ends_with(L" [off]"), r.off);
            }
        }
        EXPECT_GE(registry, 10);
        EXPECT_GE(files, 10);
        EXPECT_FALSE(platform.redirectionOff);
        EXPECT_EQ(platform.picturesWhileOff, 0);
        TearDown();
    }
}

} // namespace
} // namespace bw::test
