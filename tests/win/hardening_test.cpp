// The main window against hostile pictures, a second instance and a failing environment.
#include "fault_platform.h"
#include "picture_corpus.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmMain.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <functional>

namespace bw::test {
namespace {

// One running program: its own state, platform and window.
struct Instance {
    explicit Instance(const std::function<void(FaultPlatform&)>& before = {}) {
        os.version = OsVersion{2, 5, 1, 2600, L"SP3", 1}; // XP: the boxes show the file, not the key
        if (before)
            before(os);
        main->SetReporter([this](const std::wstring& text, UINT) { reports.push_back(text); });
        main->SetDlgLogoHook(PickHook);
        EXPECT_TRUE(main->Create(SW_SHOWNA));
    }
    ~Instance() { main.reset(), Drain(); }
    void Apply() { SendMessageW(main->Control(MainId::cmdApply), BM_CLICK, 0, 0); }
    void Choose(const std::wstring& path) { g_pick = path, SendMessageW(main->Control(MainId::cmdLogo), BM_CLICK, 0, 0); }
    long Logo() const { const RECT r = ChildRect(main->Control(MainId::picLogo)); return (r.right - r.left) * 1000 + r.bottom - r.top; }
    bool Lost(const wchar_t* what) const { return reports.size() == 1 && reports[0].find(what) != std::wstring::npos; }

    AppState state;
    FaultPlatform os;
    std::vector<std::wstring> reports;
    std::unique_ptr<frmMain> main = std::make_unique<frmMain>(state, os);
};

class Hardening : public testing::Test {
protected:
    void SetUp() override { std::ranges::for_each(std::array{ini, logo, stagedIni, stagedLogo, chosen, chosen2}, RemoveFile); }
    static std::string Picture(const char* name) {
        for (const corpus::Picture& p : corpus::PictureCorpus())
            if (p.name == name)
                return p.bytes;
        return {};
    }
    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp", stagedLogo = TempDir() + L"oemlogo.tmp";
    const std::wstring chosen = TempDir() + L"brandwick_chosen.pic", chosen2 = TempDir() + L"brandwick_other.pic";
    RegistryValueGuard regGuard{L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}};
    FileGuard g1{ini}, g2{logo}, g3{stagedIni}, g4{stagedLogo}, g5{chosen}, g6{chosen2};
};

// Shown at start and installed whole, or treated as no picture: the box keeps its designed 89 x 41 and size.
TEST_F(Hardening, EveryCorpusPictureIsShownAndInstalledWholeOrTreatedAsNoPicture) {
    Instance button;
    int good = 0, bad = 0;
    for (const corpus::Picture& p : corpus::PictureCorpus()) {
        SCOPED_TRACE(p.name);
        const bool picture = p.expected != PictureFormat::None;
        (picture ? good : bad)++;
        WriteBytes(logo, p.bytes);
        EXPECT_EQ(Instance().Logo() == 89041, !picture);
        button.reports.clear();
        const auto staged = ReadBytes(stagedLogo);
        const long before = button.Logo();
        WriteBytes(chosen, p.bytes);
        button.Choose(chosen);
        EXPECT_EQ(button.reports, picture ? std::vector<std::wstring>{}
                                          : std::vector<std::wstring>{L"无法将所选文件读取为图片，Logo 未更改：\n" + chosen});
        EXPECT_EQ(ReadBytes(stagedLogo), picture ? p.bytes : staged);
        if (!picture) {
            EXPECT_EQ(button.Logo(), before);
            continue;
        }
        WriteBytes(logo, "old");
        button.Apply();
        EXPECT_EQ(ReadBytes(logo), p.bytes);
    }
    EXPECT_GE(good * 1000 + bad, 25060) << "at least 25 pictures and 60 that are none";
}

// Both use the same staging file: each installs and, at its end, deletes only what it staged.
TEST_F(Hardening, TwoInstancesEachSaveTheirOwnValuesAndLogo) {
    const std::string a = Picture("info8.bmp"), b = Picture("info24.bmp");
    WriteBytes(chosen, a);
    WriteBytes(chosen2, b);
    const auto maker = [&] { return ReadBytes(ini).value_or("").substr(11, 15); };
    auto one = std::make_unique<Instance>(), two = std::make_unique<Instance>();
    SetWindowTextW(one->main->Control(MainId::txtManufacturer), L"one");
    SetWindowTextW(two->main->Control(MainId::txtManufacturer), L"two");
    one->Choose(chosen);
    two->Choose(chosen2);
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
    const std::string kIni = "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\n";
    const std::string big = "[General]\r\nManufacturer=" + std::string(10 << 20, 'x') + "\r\nModel=N\r\n" +
                            "[Support Information]\r\nLine1=a\r\n";
    std::string huge = kIni;
    for (int i = 2; huge.size() < (50 << 20); ++i)
        huge += "Line" + std::to_string(i) + "=" + std::string(90, 'y') + "\r\n";
    const std::string withNul("[General]\r\nManufacturer=A\0B\r\nModel=N\r\n[Support Information]\r\nLine1=x\0y\r\n", 72);
    const auto fail = [](PlatformOp op) { return [op](FaultPlatform& os) { os.FailOn(op, 0); }; };
    const auto noTemp = [missing](FaultPlatform&) {
        SetEnvironmentVariableW(L"TMP", missing.c_str()), SetEnvironmentVariableW(L"TEMP", missing.c_str());
    };
    const struct {
        const char* name;
        std::string file;                            // oeminfo.ini before; empty: a directory of that name
        std::function<void(FaultPlatform&)> before;  // before the window opens
        std::function<void(FaultPlatform&)> atApply;
        bool staged, iniLost, logoLost;              // the logo choice succeeds; what Apply reports not saved
        std::string after;                           // oeminfo.ini after Apply, when saved
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const wchar_t* stray : {L"\\oeminfo.ini", L"oeminfo.tmp", L"oemlogo.tmp", ini.c_str()})
            RemoveFile(stray);
        RemoveDirectoryW(ini.c_str());
        c.file.empty() ? void(CreateDirectoryW(ini.c_str(), nullptr)) : WriteBytes(ini, c.file);
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
            EXPECT_EQ(std::tuple(app.reports.size(), app.Lost(L"oeminfo.ini"), app.Lost(L"oemlogo.bmp")),
                      std::tuple(c.iniLost || c.logoLost ? 1u : 0u, c.iniLost, c.logoLost));
            EXPECT_EQ(ReadBytes(logo), c.staged && !c.logoLost ? good : "old logo");
            EXPECT_EQ(c.file.empty() ? std::optional<std::string>(GetFileAttributesW(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY ? "" : "?")
                                     : ReadBytes(ini),
                      c.iniLost ? c.file : c.after);
        }
        SetEnvironmentVariableW(L"TMP", tmp), SetEnvironmentVariableW(L"TEMP", temp);
        EXPECT_FALSE(ReadBytes(L"\\oeminfo.ini") || ReadBytes(L"oeminfo.tmp") || ReadBytes(L"oemlogo.tmp"))
            << "no file outside its folder";
    }
    RemoveDirectoryW(ini.c_str());
    WriteBytes(ini, big);
    Instance app;
    SendMessageW(app.main->Control(MainId::txtManufacturer), EM_SETSEL, big.size(), big.size());
    SendMessageW(app.main->Control(MainId::txtManufacturer), WM_CHAR, L'z', 0);
    app.Apply();
    EXPECT_EQ(ReadBytes(ini).value_or("").find(std::string(1000, 'x') + "z\r\nModel=N"), (10u << 20) + 24 - 1000)
        << "a box holding more than its default limit still takes typing";
}

} // namespace
} // namespace bw::test
