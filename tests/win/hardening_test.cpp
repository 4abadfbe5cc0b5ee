// The main window against hostile pictures, a second instance and a failing environment.
#include "fault_platform.h"
#include "picture_corpus.h"
#include "registry/registration.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmMain.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <functional>

namespace bw::test {
namespace {

std::wstring g_pick;
UINT_PTR CALLBACK Pick(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
        SendMessageW(GetParent(dlg), CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_pick.c_str()));
        PostMessageW(GetParent(dlg), WM_COMMAND, IDOK, 0);
    }
    return 0;
}

// One running program: its own state, platform and window.
struct Instance {
    explicit Instance(const std::function<void(FaultPlatform&)>& before = {}) {
        os.version = OsVersion{2, 5, 1, 2600, L"Service Pack 3", 1}; // XP: the boxes show the file, not the key
        if (before)
            before(os);
        main = std::make_unique<frmMain>(state, os);
        main->SetReporter([this](const std::wstring& text, UINT) { reports.push_back(text); });
        main->SetDlgLogoHook(Pick);
        EXPECT_TRUE(main->Create(SW_SHOWNA));
    }
    ~Instance() { End(); }
    void End() { // the window's end, as when the program closes
        main.reset();
        MSG m;
        while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    HWND C(MainId id) const { return main->Control(id); }
    void Apply() { SendMessageW(C(MainId::cmdApply), BM_CLICK, 0, 0); }
    void Choose(const std::wstring& path) {
        g_pick = path;
        SendMessageW(C(MainId::cmdLogo), BM_CLICK, 0, 0);
    }
    void Type(MainId id, const std::wstring& text) { SetWindowTextW(C(id), text.c_str()); }
    SIZE Logo() const {
        const RECT r = ChildRect(C(MainId::picLogo));
        return {r.right - r.left, r.bottom - r.top};
    }
    bool Lost(const wchar_t* what) const { return reports.size() == 1 && reports[0].find(what) != std::wstring::npos; }

    AppState state;
    FaultPlatform os;
    std::vector<std::wstring> reports;
    std::unique_ptr<frmMain> main;
};

const wchar_t* const kNames[] = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};
const std::string kIni = "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\n";

class Hardening : public testing::Test {
protected:
    void SetUp() override {
        for (const std::wstring& path : {ini, logo, stagedIni, stagedLogo, chosen, chosen2})
            RemoveFile(path);
    }
    void TearDown() override {
        RemoveFile(chosen);
        RemoveFile(chosen2);
    }
    std::string Picture(const char* name) const {
        for (const corpus::Picture& p : corpus::PictureCorpus())
            if (p.name == name)
                return p.bytes;
        return {};
    }

    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp", stagedLogo = TempDir() + L"oemlogo.tmp";
    const std::wstring chosen = TempDir() + L"brandwick_chosen.pic", chosen2 = TempDir() + L"brandwick_other.pic";
    RegistryValueGuard regGuard{kNtVersionKey, {kNames, kNames + 3}};
    FileGuard g1{ini}, g2{logo}, g3{stagedIni}, g4{stagedLogo};
};

TEST_F(Hardening, EveryCorpusPictureIsShownAndInstalledWholeOrTreatedAsNoPicture) {
    const SIZE blank{89, 41}; // the box's designed size
    Instance button;
    int good = 0, bad = 0;
    for (const corpus::Picture& p : corpus::PictureCorpus()) {
        SCOPED_TRACE(p.name);
        const bool picture = p.expected != PictureFormat::None;
        (picture ? good : bad)++;
        WriteBytes(logo, p.bytes);
        {
            const Instance atStart;
            const SIZE shown = atStart.Logo();
            EXPECT_EQ(shown.cx == blank.cx && shown.cy == blank.cy, !picture);
            EXPECT_TRUE(atStart.reports.empty());
        }
        button.reports.clear();
        const auto staged = ReadBytes(stagedLogo);
        const SIZE before = button.Logo();
        WriteBytes(chosen, p.bytes);
        button.Choose(chosen);
        if (!picture) {
            ASSERT_EQ(button.reports.size(), 1u);
            EXPECT_NE(button.reports[0].find(L"无法将所选文件读取为图片"), std::wstring::npos);
            EXPECT_EQ(ReadBytes(stagedLogo), staged);
            EXPECT_EQ(button.Logo().cx * 10000 + button.Logo().cy, before.cx * 10000 + before.cy);
            continue;
        }
        EXPECT_TRUE(button.reports.empty());
        EXPECT_EQ(ReadBytes(stagedLogo), p.bytes);
        WriteBytes(logo, "old");
        button.Apply();
        EXPECT_EQ(ReadBytes(logo), p.bytes);
    }
    EXPECT_GE(good, 25);
    EXPECT_GE(bad, 60);
}

TEST_F(Hardening, TwoInstancesEachSaveTheirOwnValuesAndLogo) {
    const std::string a = Picture("info8.bmp"), b = Picture("info24.bmp");
    WriteBytes(chosen, a);
    WriteBytes(chosen2, b);
    const auto maker = [&] { return ReadBytes(ini).value_or("").substr(11, 15); };
    auto one = std::make_unique<Instance>(), two = std::make_unique<Instance>();
    one->Type(MainId::txtManufacturer, L"one");
    two->Type(MainId::txtManufacturer, L"two");
    one->Choose(chosen);
    two->Choose(chosen2); // the same staging file
    one->Apply();
    EXPECT_EQ(ReadBytes(logo), a) << "not the logo the other instance chose";
    EXPECT_EQ(maker(), "Manufacturer=on");
    two->Apply();
    EXPECT_EQ(ReadBytes(logo), b);
    EXPECT_EQ(maker(), "Manufacturer=tw");
    two.reset(); // removes the staging file: it held two's logo
    EXPECT_FALSE(ReadBytes(stagedLogo));
    one->Apply();
    EXPECT_EQ(ReadBytes(logo), a) << "staged again from what one chose";
    EXPECT_TRUE(one->reports.empty());
    Instance three;
    three.Choose(chosen2);
    one.reset(); // the staging file now holds three's logo: it stays
    EXPECT_EQ(ReadBytes(stagedLogo), b);
    three.Apply();
    EXPECT_EQ(ReadBytes(logo), b);
    EXPECT_TRUE(three.reports.empty());
}

TEST_F(Hardening, EnvironmentalFaultsLoseNothingAndAreReported) {
    const std::wstring missing = TempDir() + L"brandwick_missing\\";
    const std::string big = "[General]\r\nManufacturer=" + std::string(10 << 20, 'x') + "\r\nModel=N\r\n" +
                            "[Support Information]\r\nLine1=a\r\n";
    std::string huge = kIni;
    for (int i = 2; huge.size() < (50 << 20); ++i)
        huge += "Line" + std::to_string(i) + "=" + std::string(90, 'y') + "\r\n";
    const std::string withNul("[General]\r\nManufacturer=A\0B\r\nModel=N\r\n[Support Information]\r\nLine1=x\0y\r\n", 72);
    struct Case {
        const char* name;
        std::string file;                            // oeminfo.ini before; empty: a directory of that name
        std::function<void(FaultPlatform&)> before;  // before the window opens
        std::function<void(FaultPlatform&)> atApply;
        bool staged, iniLost, logoLost;              // the logo choice succeeds; what Apply reports not saved
        std::string after;                           // oeminfo.ini after Apply, when saved
    };
    const auto fail = [](PlatformOp op) { return [op](FaultPlatform& os) { os.FailOn(op, 0); }; };
    const auto noTemp = [missing](FaultPlatform&) {
        SetEnvironmentVariableW(L"TMP", missing.c_str()), SetEnvironmentVariableW(L"TEMP", missing.c_str());
    };
    const Case cases[] = {
        {"temporary directory missing", kIni, noTemp, {}, false, true, false, ""},
        {"temporary directory unknown", kIni, fail(PlatformOp::TempPath), {}, false, true, false, ""},
        {"system directory unknown", kIni, fail(PlatformOp::SystemDirectory), {}, false, true, false, ""},
        {"system directory not writable", kIni, {}, fail(PlatformOp::CopyFileOver), true, true, true, ""},
        {"50 MB", huge, {}, {}, true, false, false, huge},
        {"NUL bytes", withNul, {}, {}, true, false, false,
         "[General]\r\nManufacturer=A B\r\nModel=N\r\n[Support Information]\r\nLine1=x y\r\n"},
        {"one line of 10 MB", big, {}, {}, true, false, false, big},
        {"a directory", "", {}, {}, true, true, false, ""},
    };
    const std::string good = Picture("info24.bmp");
    wchar_t tmp[MAX_PATH], temp[MAX_PATH];
    GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH), GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const wchar_t* stray : {L"\\oeminfo.ini", L"oeminfo.tmp", L"oemlogo.tmp"})
            RemoveFile(stray);
        RemoveFile(ini);
        RemoveDirectoryW(ini.c_str());
        if (c.file.empty())
            CreateDirectoryW(ini.c_str(), nullptr);
        else
            WriteBytes(ini, c.file);
        WriteBytes(logo, "old logo");
        WriteBytes(chosen, good);
        {
            Instance app(c.before);
            app.Choose(chosen);
            EXPECT_EQ(app.reports.empty(), c.staged);
            app.reports.clear();
            if (c.atApply)
                c.atApply(app.os);
            app.Apply();
            EXPECT_EQ(app.reports.size(), c.iniLost || c.logoLost ? 1u : 0u);
            EXPECT_EQ(app.Lost(L"oeminfo.ini"), c.iniLost);
            EXPECT_EQ(app.Lost(L"oemlogo.bmp"), c.logoLost);
            EXPECT_EQ(ReadBytes(logo), c.staged && !c.logoLost ? good : "old logo");
            if (c.file.empty())
                EXPECT_NE(GetFileAttributesW(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
            else
                EXPECT_EQ(ReadBytes(ini), c.iniLost ? c.file : c.after);
        }
        SetEnvironmentVariableW(L"TMP", tmp), SetEnvironmentVariableW(L"TEMP", temp);
        EXPECT_FALSE(ReadBytes(L"\\oeminfo.ini") || ReadBytes(L"oeminfo.tmp") || ReadBytes(L"oemlogo.tmp"))
            << "no file outside its folder";
    }
    RemoveDirectoryW(ini.c_str());
    WriteBytes(ini, big);
    Instance app;
    SendMessageW(app.C(MainId::txtManufacturer), EM_SETSEL, big.size(), big.size());
    SendMessageW(app.C(MainId::txtManufacturer), WM_CHAR, L'z', 0);
    app.Apply();
    EXPECT_EQ(ReadBytes(ini).value_or("").find(std::string(1000, 'x') + "z\r\nModel=N"), (10u << 20) + 24 - 1000)
        << "a box holding more than its default limit still takes typing";
}

} // namespace
} // namespace bw::test
