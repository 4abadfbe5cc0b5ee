// The main window against the prefix's real registry and system directory: layout, keyboard, load, the
// buttons, saving under every single failure, the logo chosen through the real open-file dialog, the
// OEMInformation key, hostile pictures, two instances at once and a failing environment.
#include "fault_platform.h"
#include "test_support.h"
#include "ui/main_window.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace bw::test {
namespace {

using Box = std::array<long, 4>; // left, top, right, bottom in the parent's client area
Box At(HWND child) {
    const RECT r = ChildRect(child);
    return {r.left, r.top, r.right, r.bottom};
}

// A black BMP of 8 (with a palette) or 24 bits per pixel.
std::string MakeBmp(std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
    const std::uint32_t offset = bits == 8 ? 54 + 1024 : 54, size = offset + (width * bits / 8 + 3) / 4 * 4 * height;
    const std::uint32_t header[] = {size, 0, offset, 40, width, height, 1 | bits << 16}; // from byte 2 to 30
    std::string bytes(size, '\0');
    std::memcpy(bytes.data(), "BM", 2);
    std::memcpy(&bytes[2], header, sizeof header);
    return bytes;
}
void Xp(FaultPlatform& os) {
    os.version = OsVersion{2, 5, 1, 2600, L"SP3", 1};
} // the boxes show the file, not the key
bool QuitRequested() {
    MSG m;
    return PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

const MainId kBoxes[] = {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                         MainId::txtModel};
const std::string kIni = "[General]\r\nManufacturer=" + Ansi(L"快修电脑") + "\r\nModel=" + Ansi(L"快修 K510") +
                         "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n";

class MainWindow : public testing::Test, protected SystemPlaces {
protected:
    static const std::wstring& Put(const std::wstring& path, const std::string& bytes) {
        return WriteBytes(path, bytes), path;
    }
    const std::wstring chosen = TempDir() + L"brandwick_chosen.pic", other = TempDir() + L"brandwick_other.pic";
    FileGuard g5{chosen}, g6{other};
};

// The window's client area at dpi, each control visible with its text whole in 宋体 of the scale, the pictures drawn
// at the window's scale, the tab order of the design.
void ExpectMainLayout(const Instance& app, int dpi) {
    HWND w = app.main->hwnd();
    RECT o{};
    GetClientRect(w, &o);
    EXPECT_EQ(
        std::tuple(StyleOf(w) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), o.right, o.bottom),
        std::tuple(DWORD{WS_SYSMENU}, std::lround(6135 * dpi / 1440.0), std::lround(7395 * dpi / 1440.0)));
    EXPECT_EQ(At(app.C(MainId::cmdApply)),
              (Box{AtScale(328, dpi), AtScale(456, dpi), AtScale(401, dpi), AtScale(481, dpi)}));
    for (MainId id : {MainId::lblSystem, MainId::lblRegister, MainId::lblSuport, MainId::cmdSuportInfo, MainId::cmdLogo,
                      MainId::cmdAbout, MainId::cmdOk, MainId::cmdCancel, MainId::cmdApply, MainId::lblSysInfo}) {
        HWND c = app.C(id);
        SCOPED_TRACE(static_cast<int>(id));
        EXPECT_TRUE(IsWindowVisible(c));
        EXPECT_EQ(FontOf(c), std::tuple(std::wstring(L"宋体"), 134, FontHeightAt(dpi)));
        ExpectWholeText(c);
    }
    std::vector<RECT> placed; // the shown controls lie inside the window, none on another
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c))
            continue;
        const RECT r = ChildRect(c);
        RECT both{};
        const bool banner = c == app.C(MainId::picBanner); // its picture's size: wider than the window
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && (banner || r.right <= o.right) && r.bottom <= o.bottom)
            << GetDlgCtrlID(c);
        for (const RECT& other : placed)
            EXPECT_FALSE(IntersectRect(&both, &r, &other)) << GetDlgCtrlID(c);
        placed.push_back(r);
    }
    for (MainId hidden : {MainId::cmdBackup, MainId::cmdRestore, MainId::picLogo})
        EXPECT_FALSE(IsWindowVisible(app.C(hidden)));
    for (MainId id : {MainId::picBanner, MainId::imgXP}) { // the pictures themselves, drawn at the scale
        BITMAP bm{};
        GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(app.C(id), STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof bm, &bm);
        const bool monitor = id == MainId::imgXP;
        EXPECT_EQ(std::pair(bm.bmWidth, bm.bmHeight),
                  std::pair(AtScale(monitor ? 106 : 420, dpi), AtScale(monitor ? 96 : 40, dpi)));
    }
    std::vector<MainId> order;
    for (HWND at = app.C(MainId::cmdOk);
         order.size() < 20 && (at = GetNextDlgTabItem(w, at, FALSE)) != app.C(MainId::cmdOk);)
        order.push_back(static_cast<MainId>(GetDlgCtrlID(at)));
    EXPECT_EQ(order, (std::vector{MainId::cmdCancel, MainId::cmdApply, MainId::cmdLogo, MainId::txtUserName,
                                  MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                                  MainId::txtModel, MainId::cmdSuportInfo, MainId::cmdAbout, MainId::picBanner}));
}

// At the screen's scale (the scale runs name theirs), centred on the work area.
TEST_F(MainWindow, LayoutMatchesTheDesign) {
    if (const char* scale = std::getenv("BRANDWICK_TEST_DPI")) {
        ASSERT_EQ(ScreenDpi(), std::atoi(scale)) << "the prefix's LogPixels did not take";
    }
    Instance app;
    EXPECT_EQ(GetFocus(), app.C(MainId::cmdOk));
    ExpectMainLayout(app, ScreenDpi());
    RECT o{}, work{};
    GetWindowRect(app.main->hwnd(), &o);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs(o.left + o.right - work.left - work.right) + std::abs(o.top + o.bottom - work.top - work.bottom),
              2);
}

// Moved to a monitor of another scale, the window lays itself out again from the table, at the corner Windows
// suggests, and draws its pictures anew: also the logo, at its pixels times the scale, centred in its frame.
TEST_F(MainWindow, AMoveToAnotherScaleLaysTheWindowOutAgain) {
    Instance app;
    for (int dpi : {192, 120, 144, 96}) {
        SCOPED_TRACE(dpi);
        MoveToScale(app.main->hwnd(), dpi);
        ExpectMainLayout(app, dpi);
    }
    app.Choose(Put(chosen, MakeBmp(100, 50, 24)));
    for (int dpi : {96, 192, 120}) {
        SCOPED_TRACE(dpi);
        MoveToScale(app.main->hwnd(), dpi);
        const Box logo = At(app.C(MainId::picLogo)), frame = At(app.C(MainId::fraLogo));
        EXPECT_EQ(std::pair(logo[2] - logo[0], logo[3] - logo[1]), std::pair(AtScale(100, dpi), AtScale(50, dpi)));
        EXPECT_LE(std::abs(logo[0] + logo[2] - (frame[2] - frame[0])), 1) << "centred across";
        EXPECT_LE(std::abs(logo[1] + logo[3] - (frame[3] - frame[1])), 1) << "centred down";
    }
}

TEST_F(MainWindow, KeyboardBannerAboutAndSupport) {
    Instance app;
    app.Key(MainId::txtUserName, WM_KEYDOWN, VK_ESCAPE);
    ASSERT_TRUE(app.main->hwnd()) << "Esc does nothing";
    app.Type(MainId::txtOrganization, L"");
    for (MainId id : kBoxes) { // focus selects the whole text; the empty box gives 0, 0
        SetFocus(app.C(MainId::cmdOk));
        SendMessageW(app.C(id), EM_SETSEL, 1, 1);
        SetFocus(app.C(id));
        EXPECT_EQ(SendMessageW(app.C(id), EM_GETSEL, 0, 0), MAKELRESULT(0, TextOf(app.C(id)).size()));
    }
    app.Key(MainId::txtUserName, WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), app.C(MainId::txtOrganization)) << "Tab";
    app.Type(MainId::txtUserName, L"李四");
    app.Key(MainId::txtUserName, WM_SYSCHAR, 'a');
    EXPECT_EQ(RegText(kNt, L"RegisteredOwner"), L"李四") << "Alt+A is Apply";
    app.Key(MainId::txtUserName, WM_SYSCHAR, 's');
    HWND support = app.main->Editor().hwnd();
    EXPECT_TRUE(IsWindow(support)) << "Alt+S";
    SendMessageW(app.main->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<int>(MainId::picBanner), STN_CLICKED),
                 reinterpret_cast<LPARAM>(app.C(MainId::picBanner)));
    EXPECT_EQ(app.os.shellRequests,
              (decltype(app.os.shellRequests){{L"http://www.brandwick.example/", SW_SHOWMAXIMIZED}}));
    app.Click(MainId::cmdAbout);
    HWND about = app.main->About().hwnd();
    EXPECT_TRUE(IsWindow(about));
    app.Type(MainId::txtModel, L"按回车保存");
    app.Key(MainId::txtModel, WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(QuitRequested()) << "Enter in a text box is OK, which ends the program";
    EXPECT_FALSE(app.main->hwnd() || IsWindow(about) || IsWindow(support));
    EXPECT_NE(ReadBytes(ini).value_or("").find(Ansi(L"Model=按回车保存")), std::string::npos);
    EXPECT_FALSE(ReadBytes(stagedIni)) << "the end removes the staging file it wrote";
}

// The window appears only once everything is loaded; a step that fails leaves the others to run.
TEST_F(MainWindow, LoadFillsTheBoxesFromThePrefixBeforeShowingAndAFailingStepStopsNoOther) {
    const std::wstring values[] = {L"张三", L"Contoso 有限公司", L"55274-OEM-0011903-00107", L"快修电脑", L"快修 K510"};
    for (int i = 0; const wchar_t* name : {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"})
        SetText(kNt, name, values[i++]);
    WriteBytes(ini, kIni);
    WriteBytes(logo, MakeBmp(100, 50, 24));
    SetFileAttributesW(logo.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    for (const bool failing : {false, true}) {
        SCOPED_TRACE(failing);
        bool shown = false;
        Instance app([&](FaultPlatform& os) {
            os.onCall = [&] { shown |= IsWindowVisible(FindWindowW(L"BrandwickMain", nullptr)) != FALSE; };
            if (failing) // the version, the pictures and the cursor: the steps before and between the others
                os.FailOn(PlatformOp::GetVersion), os.FailOn(PlatformOp::LoadResourceBitmap, 0),
                    os.FailOn(PlatformOp::LoadResourceCursor, 0);
        });
        EXPECT_FALSE(shown);
        EXPECT_TRUE(IsWindowVisible(app.main->hwnd()));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(TextOf(app.C(kBoxes[i])), values[i]);
        EXPECT_TRUE(IsWindowVisible(app.C(MainId::picLogo)));
        EXPECT_EQ(At(app.C(MainId::picLogo)), (Box{31, 28, 131, 78})) << "Left 457.5, Top 412.5 twips";
    }
}

TEST_F(MainWindow, ApplySavesInOrderOkThatCannotSaveStaysOpenCancelKeepsWhatWasApplied) {
    WriteBytes(ini, kIni);
    Instance app;
    const std::string picture = MakeBmp(4, 4, 24);
    app.Choose(Put(chosen, picture));
    app.Type(MainId::txtUserName, L"王五");
    app.Type(MainId::txtManufacturer, L"新制造商");
    const Texts saves = {
        L"RegWrite RegisteredOwner", L"RegWrite RegisteredOrganization", L"RegWrite ProductId", L"Move oeminfo.ini",
        L"Move oemlogo.bmp",         L"RegWrite Manufacturer",           L"RegWrite Model",     L"RegWrite Logo"};
    for (int times = 0; times < 2; ++times) {
        app.os.ResetCalls();
        app.Click(MainId::cmdApply);
        EXPECT_EQ(app.Saves(), saves);
    }
    EXPECT_EQ(RegText(kNt, L"RegisteredOwner"), L"王五");
    EXPECT_EQ(ReadBytes(ini), "[General]\r\nManufacturer=" + Ansi(L"新制造商") + "\r\nModel=" + Ansi(L"快修 K510") +
                                  "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n");
    EXPECT_EQ(ReadBytes(logo), picture);
    ASSERT_TRUE(app.reports.empty());
    // The organization cannot be saved and the staging copy of the file is left half written: every other step still
    // runs, the file is saved all the same, and the message names the organization.
    app.Type(MainId::txtUserName, L"未保存");
    WriteBytes(logo, "changed meanwhile");
    app.os.ResetCalls();
    app.os.FailOn(PlatformOp::RegWrite, 2);
    app.os.FailOn(PlatformOp::WriteFile);
    app.Click(MainId::cmdOk);
    ASSERT_TRUE(app.main->hwnd());
    ASSERT_EQ(app.reports.size(), 1u);
    EXPECT_NE(app.reports[0].find(L"\n组织名 (RegisteredOrganization)："), std::wstring::npos);
    EXPECT_EQ(app.Saves(), saves);
    EXPECT_EQ(ReadBytes(logo), picture);
    app.Type(MainId::txtUserName, L"不保存");
    app.Choose(Put(other, MakeBmp(8, 8, 24)));
    app.Click(MainId::cmdCancel);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(RegText(kNt, L"RegisteredOwner"), L"未保存") << "what OK saved before failing stays";
    EXPECT_EQ(ReadBytes(logo), picture);
    EXPECT_EQ(std::pair(!!ReadBytes(stagedIni), !!ReadBytes(stagedLogo)), std::pair(true, false))
        << "the end deletes only what this run staged: not the half-written oeminfo.tmp";
}

TEST_F(MainWindow, LogoThroughTheOpenFileDialog) {
    WriteBytes(logo, "this is not a picture");
    WriteBytes(stagedLogo, MakeBmp(12, 12, 24)); // left over from an earlier run
    Instance app;
    EXPECT_TRUE(IsWindowVisible(app.C(MainId::picLogo)));
    EXPECT_EQ(At(app.C(MainId::picLogo)), (Box{36, 32, 125, 73})) << "the blank box, centred";
    app.Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), "this is not a picture") << "a stale staging file is not installed";
    const std::string bytes = MakeBmp(60, 30, 8);
    app.Choose(Put(chosen, bytes));
    EXPECT_EQ(At(app.C(MainId::picLogo)), (Box{51, 38, 111, 68})) << "37.5 pixels round away from zero";
    EXPECT_EQ(ReadBytes(stagedLogo), bytes);
    EXPECT_NE(ReadBytes(logo), bytes) << "nothing is installed before Apply";
    app.Choose(L"");
    EXPECT_EQ(
        g_title + L"|" + g_filters,
        L"选择一个Logo图片(请选用不超过160×100的BMP图片)|图片文件(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.ico)|BMP图片(*.bmp)|"
        L"PNG图片(*.png)|JPEG图片(*.jpg;*.jpeg)|GIF图片(*.gif)|图标(*.ico;*.cur)|");
    EXPECT_EQ(app.main->DlgLogoFileName(), chosen) << "cancel keeps the last name";
    app.Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), bytes);
    const std::string large = MakeBmp(300, 200, 24);
    app.Choose(Put(other, large));
    EXPECT_EQ(At(app.C(MainId::picLogo)), (Box{-70, -48, 230, 152})) << "its middle on the frame's";
    app.Choose(Put(chosen, "plain text, not a picture"));
    EXPECT_EQ(app.reports, Texts{L"无法将所选文件读取为图片，Logo 未更改：\n" + chosen});
    EXPECT_EQ(ReadBytes(stagedLogo), large) << "the earlier choice stays";
}

// The registration comes from the running family's key, each value on its own: a number reads as its unsigned
// decimal, a missing value as nothing. Apply stores all three there, an empty box as a space.
TEST_F(MainWindow, RegistrationIsReadAndStoredInTheRunningFamilysKey) {
    const std::wstring k9x = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    RegistryValueGuard win9x{k9x, kNtNames};
    const DWORD number = 0x80000001;
    SetText(kNt, L"RegisteredOwner", L"Owner NT");
    DeleteValue(kNt, L"RegisteredOrganization");
    SetRaw(kNt, L"ProductId", REG_DWORD, &number, 4);
    SetText(k9x, L"RegisteredOwner", L"Owner 9x");
    SetText(k9x, L"RegisteredOrganization", L"Org 9x");
    DeleteValue(k9x, L"ProductId");
    for (const bool nt : {true, false}) {
        Instance app([nt](FaultPlatform& os) { nt ? Xp(os) : void(os.version = OsVersion{1, 4, 10, 2222, L""}); });
        EXPECT_EQ(TextOf(app.C(MainId::txtUserName)) + L"|" + TextOf(app.C(MainId::txtOrganization)) + L"|" +
                      TextOf(app.C(MainId::txtProductID)),
                  nt ? L"Owner NT||2147483649" : L"Owner 9x|Org 9x|");
        app.Type(MainId::txtUserName, nt ? L"Åsa 王" : L"Жук \U0001F600");
        app.Type(MainId::txtOrganization, L"");
        app.Click(MainId::cmdApply);
    }
    for (const std::wstring& key : {kNt, k9x})
        EXPECT_EQ(RegTexts(key, kNtNames), key == kNt ? L"Åsa 王| |2147483649|" : L"Жук \U0001F600| | |");
}

// The OEMInformation key from Vista on: shown where it has a value, stored with the support values the editor
// committed, keeping its other values, one more item of the one message when it cannot be stored; untouched before.
// A 32-bit run on 64-bit Windows reaches the 64-bit view and the native system directory, through Sysnative or with
// the redirector off, and the system learns the logo by its own name.
TEST_F(MainWindow, OemInformationKeyAndUnderWow64TheNativeSide) {
    const std::wstring keyLogo = SystemDir() + L"\\brandwick_keylogo.bmp",
                       named = L"%SystemRoot%\\System32\\brandwick_keylogo.bmp";
    FileGuard g8{keyLogo};
    WriteBytes(chosen, MakeBmp(8, 8, 24));
    const OsVersion xp{2, 5, 1, 2600, L"SP3"}, vista{2, 6, 0, 6002, L"SP2"};
    const std::wstring keyFailed =
        L"以下内容未能保存：\nOEM 信息注册表项 (OEMInformation)：访问被拒绝。(5)\n\n其余内容已保存。";
    const struct {
        OsVersion version;
        bool wow64, sysnative;
        int failingWrite;
        const wchar_t* shown;
        long width;
        std::wstring stored, report;
        bool stuck = false;
    } rows[] = {
        // stuck: the redirector stays on
        {xp, false, true, 0, L"File Maker", 100, L"Key Maker|<missing>|" + named, L""},
        {vista, false, true, 0, L"Key Maker", 40, L"新制造商||" + logo, L""},
        {vista, false, true, 4, L"Key Maker", 40, L"Key Maker||" + logo,
         keyFailed}, // the fourth: after the registration
        {vista, false, true, 5, L"Key Maker", 40, L"新制造商|<missing>|" + logo, keyFailed},
        {vista, true, true, 0, L"Key Maker", 40, L"新制造商||" + logo, L""},
        {vista, true, false, 0, L"Key Maker", 40, L"新制造商||" + logo, L""},
        {vista, true, false, 0, L"Key Maker", 40, L"新制造商||" + named,
         L"以下内容未能保存：\nOEM 信息文件 oeminfo.ini：无法访问本机的系统目录（文件系统重定向未能关闭）\n"
         L"OEM Logo 图片 oemlogo.bmp：无法访问本机的系统目录（文件系统重定向未能关闭）\n\n其余内容已保存。",
         true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.version.major << " wow64 " << r.wow64 << r.sysnative << " "
                                        << r.failingWrite);
        RemoveFile(stagedIni), RemoveFile(stagedLogo);
        WriteBytes(ini, "[General]\r\nManufacturer=File Maker\r\nModel=File Model\r\n");
        WriteBytes(logo, MakeBmp(100, 50, 24));
        WriteBytes(keyLogo, MakeBmp(40, 20, 24));
        SetText(kKey, L"Manufacturer", L"Key Maker");
        DeleteValue(kKey, L"Model");
        SetText(kKey, L"Logo", named);
        SetText(kKey, L"SupportURL", L"https://support.example");
        DeleteValue(kKey, L"SupportPhone");
        Instance app([&](FaultPlatform& os) {
            std::tie(os.version, os.wow64, os.sysnative) = std::tuple(r.version, r.wow64, r.sysnative);
        });
        EXPECT_EQ(TextOf(app.C(MainId::txtManufacturer)) + L"|" + TextOf(app.C(MainId::txtModel)),
                  r.shown + std::wstring(L"|File Model"));
        EXPECT_EQ(At(app.C(MainId::picLogo))[2] - At(app.C(MainId::picLogo))[0], r.width);
        app.Type(MainId::txtManufacturer, L"新制造商");
        app.Type(MainId::txtModel, L"");
        app.Choose(chosen);
        app.state.SupportKey.phone = L"400-1"; // as the support editor commits it
        if (r.failingWrite)
            app.os.FailOn(PlatformOp::RegWrite, r.failingWrite);
        if (r.stuck)
            app.os.FailOn(PlatformOp::DisableFsRedirection, 0);
        app.Click(MainId::cmdApply);
        EXPECT_EQ(app.reports.empty() ? L"" : app.reports[0], r.report);
        EXPECT_EQ(RegTexts(kKey, {L"Manufacturer", L"Model", L"Logo"}), r.stored + L"|");
        EXPECT_EQ(RegTexts(kKey, {L"SupportPhone", L"SupportURL"}),
                  (r.version.major == 5 ? L"<missing>" : L"400-1") + std::wstring(L"|https://support.example|"));
        EXPECT_EQ(ReadBytes(ini).value_or("").find("Manufacturer=" + Ansi(L"新制造商")) != std::string::npos, !r.stuck);
        EXPECT_EQ(ReadBytes(logo) == MakeBmp(8, 8, 24), !r.stuck);
        int registry = 0, files = 0;
        for (const auto& call : app.os.log)
            if (call.starts_with(L"Reg") && ++registry) {
                EXPECT_EQ(call.ends_with(L" 256"), r.wow64) << std::string(call.begin(), call.end());
            }
        for (const auto& path : app.os.paths) // the system's files: neither temporary files nor the probe for Sysnative
            if (path.starts_with(L"c:\\") && path.find(L".tmp") == path.npos && path.find(L"_chosen") == path.npos &&
                !path.ends_with(L"\\sysnative") && ++files) {
                EXPECT_EQ(path.substr(0, path.rfind(L'\\')) + (path.ends_with(L" [off]") ? L" off" : L""),
                          r.wow64 && r.sysnative ? L"c:\\windows\\sysnative"
                          : r.wow64              ? L"c:\\windows\\system32 off"
                                                 : L"c:\\windows\\system32")
                    << std::string(path.begin(), path.end());
            }
        EXPECT_GE(registry + files, 15);
        EXPECT_EQ(std::pair(app.os.redirectionOff, app.os.picturesWhileOff), std::pair(false, 0));
    }
}

// Both use the same staging file: each installs and, at its end, deletes only what it staged.
TEST_F(MainWindow, TwoInstancesEachSaveTheirOwnValuesAndLogo) {
    const std::string a = Picture("info8.bmp"), b = Picture("info24.bmp");
    WriteBytes(chosen, a);
    WriteBytes(other, b);
    const auto maker = [&] { return ReadBytes(ini).value_or("").substr(11, 15); };
    auto one = std::make_unique<Instance>(Xp, SW_SHOWNA), two = std::make_unique<Instance>(Xp, SW_SHOWNA);
    one->Type(MainId::txtManufacturer, L"one");
    two->Type(MainId::txtManufacturer, L"two");
    one->Choose(chosen);
    two->Choose(other);
    one->Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), a) << "not the logo the other instance chose";
    EXPECT_EQ(maker(), "Manufacturer=on");
    two->Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), b);
    EXPECT_EQ(maker(), "Manufacturer=tw");
    two.reset(); // removes the staging file: it held two's logo
    EXPECT_FALSE(ReadBytes(stagedLogo));
    one->Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), a) << "staged again from what one chose";
    EXPECT_TRUE(one->reports.empty());
    Instance three(Xp, SW_SHOWNA);
    three.Choose(other);
    one.reset(); // the staging file now holds three's logo: it stays
    EXPECT_EQ(ReadBytes(stagedLogo), b);
    three.Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), b);
    EXPECT_TRUE(three.reports.empty());
}

// Without a temporary folder the logo cannot be staged and the button says so, while Apply saves the rest. A box
// holding more than its default limit still takes typing.
TEST_F(MainWindow, NoTemporaryFolderAndAValueOfTenMegabytes) {
    const std::string big = "[General]\r\nManufacturer=" + std::string(10 << 20, 'x') + "\r\nModel=N\r\n";
    WriteBytes(ini, big);
    WriteBytes(chosen, Picture("info24.bmp"));
    Instance app(
        [](FaultPlatform& os) {
            Xp(os);
            os.FailOn(PlatformOp::TempPath, 0);
        },
        SW_SHOWNA);
    app.Choose(chosen);
    EXPECT_EQ(app.reports, Texts{L"无法将所选图片复制到临时文件夹，Logo 未更改：\n" + chosen});
    app.reports.clear();
    SendMessageW(app.C(MainId::txtManufacturer), EM_SETSEL, big.size(), big.size());
    SendMessageW(app.C(MainId::txtManufacturer), WM_CHAR, L'z', 0);
    app.Click(MainId::cmdApply);
    EXPECT_TRUE(app.reports.empty());
    EXPECT_EQ(ReadBytes(ini).value_or("").find(std::string(1000, 'x') + "z\r\nModel=N"), (10u << 20) + 24 - 1000);
    EXPECT_FALSE(ReadBytes(L"oeminfo.tmp") || ReadBytes(L"oemlogo.tmp")) << "no file in the current folder";
}

} // namespace
} // namespace bw::test
