// The main window against the prefix's real registry and system directory: layout, keyboard, load, the
// buttons, saving under every single failure, and the logo chosen through the real open-file dialog.
#include "fault_platform.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmMain.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <list>

namespace bw::test {
namespace {

using Box = std::array<long, 4>; // left, top, right, bottom in the parent's client area
using Texts = std::vector<std::wstring>;
Box At(HWND child) { const RECT r = ChildRect(child); return {r.left, r.top, r.right, r.bottom}; }

// A black BMP of 8 (with a palette) or 24 bits per pixel.
std::string MakeBmp(std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
    const std::uint32_t offset = bits == 8 ? 54 + 1024 : 54, size = offset + (width * bits / 8 + 3) / 4 * 4 * height;
    const std::uint32_t header[] = {size, 0, offset, 40, width, height, 1 | bits << 16}; // from byte 2 to 30
    std::string bytes(size, '\0');
    std::memcpy(bytes.data(), "BM", 2);
    std::memcpy(&bytes[2], header, sizeof header);
    return bytes;
}

const std::wstring kNt = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t* const kNames[] = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}; // of the first three
const MainId kBoxes[] = {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                         MainId::txtModel};
const std::string kIni = "[General]\r\nManufacturer=" + Ansi(L"快修电脑") + "\r\nModel=" + Ansi(L"快修 K510") +
                         "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n";

class MainWindow : public testing::Test {
protected:
    void SetUp() override { std::ranges::for_each(std::array{ini, logo, stagedIni, stagedLogo}, RemoveFile); }
    void TearDown() override {
        main.reset();
        Drain();
    }
    // Creates and shows the window; messages to the user are collected instead of shown.
    void Open() {
        main = std::make_unique<frmMain>(state, os);
        main->SetReporter([this](const std::wstring& text, UINT) { reports.push_back(text); });
        main->SetDlgLogoHook(PickHook);
        ASSERT_TRUE(main->Create(SW_SHOW));
    }
    HWND C(MainId id) const { return main->Control(id); }
    void Click(MainId id) { SendMessageW(C(id), BM_CLICK, 0, 0); } // runs to its end before returning
    void Type(MainId id, const std::wstring& text) { SetWindowTextW(C(id), text.c_str()); }
    void Choose(const std::wstring& path) {
        g_pick = path;
        Click(MainId::cmdLogo);
    }
    std::wstring Temp(const wchar_t* name, const std::string& bytes) { // removed again by its guard
        temps.emplace_back(TempDir() + name);
        WriteBytes(TempDir() + name, bytes);
        return TempDir() + name;
    }
    void Key(MainId id, UINT message, WPARAM key) { // to the dialog manager, as the program's message loop does
        MSG msg{C(id), message, key, message == WM_SYSCHAR ? 1 << 29 : 0, 0, {}}; // bit 29: Alt is down
        SetFocus(C(id));
        IsDialogMessageW(main->hwnd(), &msg);
    }
    std::wstring Reg(const std::wstring& n) { std::wstring t; DWORD type; ReadText(kNt, n, t, type); return t; }
    // The calls that store something, in order.
    Texts Saves() const {
        Texts saves;
        std::ranges::copy_if(os.log, std::back_inserter(saves), [](auto& s) { return s.starts_with(L"RegWrite") || s.starts_with(L"Move"); });
        return saves;
    }
    static bool QuitRequested() { MSG m; return PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); }

    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp", stagedLogo = TempDir() + L"oemlogo.tmp";
    RegistryValueGuard regGuard{kNt, {kNames, kNames + 3}};
    FileGuard g1{ini}, g2{logo}, g3{stagedIni}, g4{stagedLogo};
    std::list<FileGuard> temps;
    AppState state;
    FaultPlatform os;
    Texts reports;
    std::unique_ptr<frmMain> main;
};

TEST_F(MainWindow, LayoutMatchesTheDesign) {
    // Pixels at 96 DPI, the design's twips / 15; labels (right 0) take their text's size. No text: set at load.
    const struct { MainId id; const wchar_t* cls; Box box; const wchar_t* text; bool visible; } layout[] = {
        {MainId::picBanner, L"Static", {0, 0, 420, 40}, L"", true},
        {MainId::lblSystem, L"Static", {200, 72, 0, 0}, L"系统:", true},
        {MainId::lblSysInfo, L"Static", {216, 96, 385, 153}, nullptr, true},
        {MainId::imgXP, L"Static", {56, 96, 162, 192}, L"", true},
        {MainId::cmdBackup, L"Button", {32, 64, 105, 89}, L"备份信息", false},
        {MainId::cmdRestore, L"Button", {112, 64, 185, 89}, L"恢复信息", false},
        {MainId::lblRegister, L"Static", {200, 168, 0, 0}, L"注册到:", true},
        {MainId::txtUserName, L"Edit", {216, 184, 369, 202}, nullptr, true},
        {MainId::txtOrganization, L"Edit", {216, 208, 369, 226}, nullptr, true},
        {MainId::txtProductID, L"Edit", {216, 232, 369, 250}, nullptr, true},
        {MainId::lblSuport, L"Static", {56, 272, 0, 0}, L"制造商和技术支持商:", true},
        {MainId::txtManufacturer, L"Edit", {216, 288, 369, 306}, L"制造商", true},
        {MainId::txtModel, L"Edit", {216, 312, 369, 330}, L"产品型号", true},
        {MainId::fraLogo, L"BrandwickFrame", {32, 296, 193, 401}, L"Frame1", true},
        {MainId::picLogo, L"Static", {32, 32, 121, 73}, L"", false}, // inside fraLogo
        {MainId::cmdSuportInfo, L"Button", {216, 400, 337, 425}, L"技术支持信息(&S)", true},
        {MainId::cmdLogo, L"Button", {64, 416, 169, 441}, L"自定义Logo图片", true},
        {MainId::cmdAbout, L"Button", {8, 456, 81, 481}, L"关于...", true},
        {MainId::cmdOk, L"Button", {168, 456, 241, 481}, L"确定", true},
        {MainId::cmdCancel, L"Button", {248, 456, 321, 481}, L"取消", true},
        {MainId::cmdApply, L"Button", {328, 456, 401, 481}, L"应用(&A)", true},
    };
    Open();
    HWND w = main->hwnd();
    RECT o{}, work{};
    GetClientRect(w, &o);
    EXPECT_EQ(std::tuple(StyleOf(w) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), o.right, o.bottom),
              std::tuple(DWORD{WS_SYSMENU}, 409L, 493L));
    GetWindowRect(w, &o);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs(o.left + o.right - work.left - work.right) + std::abs(o.top + o.bottom - work.top - work.bottom), 2);
    for (const auto& e : layout) {
        HWND c = C(e.id);
        SCOPED_TRACE(static_cast<int>(e.id));
        const SIZE t = TextExtent(c, TextOf(c));
        EXPECT_EQ(At(c), e.box[2] ? e.box : (Box{e.box[0], e.box[1], e.box[0] + t.cx, e.box[1] + t.cy}));
        EXPECT_EQ(std::tuple(ClassOf(c), e.text ? TextOf(c) : L"", IsWindowVisible(c) != FALSE),
                  std::tuple(std::wstring(e.cls), std::wstring(e.text ? e.text : L""), e.visible));
        if (e.id != MainId::fraLogo && (!e.text || *e.text)) { // not the frame and the picture boxes
            EXPECT_EQ(std::pair(FontOf(c).face, FontOf(c).charset), std::pair(std::wstring(L"宋体"), 134));
        }
    }
    for (MainId id : kBoxes) { // flat: no client edge; the edit control keeps WS_BORDER to itself and insets its text
        RECT format{};
        SendMessageW(C(id), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(format.left - LOWORD(SendMessageW(C(id), EM_GETMARGINS, 0, 0)), 2) << "1 with a client edge, 0 bare";
    }
    EXPECT_EQ(StyleOf(C(MainId::cmdOk)) & BS_TYPEMASK, DWORD{BS_DEFPUSHBUTTON});
    std::vector<MainId> order;
    for (HWND at = GetFocus(); order.size() < 20 && (at = GetNextDlgTabItem(w, at, FALSE)) != C(MainId::cmdOk);)
        order.push_back(static_cast<MainId>(GetDlgCtrlID(at)));
    EXPECT_EQ(order, (std::vector{MainId::cmdCancel, MainId::cmdApply, MainId::cmdLogo, MainId::txtUserName,
                                  MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                                  MainId::txtModel, MainId::cmdSuportInfo, MainId::cmdAbout, MainId::picBanner}));
}

TEST_F(MainWindow, KeyboardBannerAboutAndSupport) {
    Open();
    Key(MainId::txtUserName, WM_KEYDOWN, VK_ESCAPE);
    ASSERT_TRUE(main->hwnd()) << "Esc does nothing";
    Type(MainId::txtOrganization, L"");
    for (MainId id : kBoxes) { // focus selects the whole text; the empty box gives 0, 0
        SetFocus(C(MainId::cmdOk));
        SendMessageW(C(id), EM_SETSEL, 1, 1);
        SetFocus(C(id));
        EXPECT_EQ(SendMessageW(C(id), EM_GETSEL, 0, 0), MAKELRESULT(0, TextOf(C(id)).size()));
    }
    Type(MainId::txtUserName, L"李四");
    Key(MainId::txtUserName, WM_SYSCHAR, 'a');
    EXPECT_EQ(Reg(kNames[0]), L"李四") << "Alt+A is Apply";
    Key(MainId::txtUserName, WM_SYSCHAR, 's');
    HWND support = main->SuportInfo().hwnd();
    EXPECT_TRUE(IsWindow(support)) << "Alt+S";
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<int>(MainId::picBanner), STN_CLICKED),
                 reinterpret_cast<LPARAM>(C(MainId::picBanner)));
    EXPECT_EQ(os.shellRequests, (decltype(os.shellRequests){{L"http://www.brandwick.example/", SW_SHOWMAXIMIZED}}));
    Click(MainId::cmdAbout);
    HWND about = main->About().hwnd();
    Click(MainId::cmdAbout);
    Click(MainId::cmdSuportInfo);
    EXPECT_TRUE(IsWindow(about));
    EXPECT_EQ(std::pair(main->About().hwnd(), main->SuportInfo().hwnd()), std::pair(about, support)) << "open once";
    Type(MainId::txtModel, L"按回车保存");
    Key(MainId::txtModel, WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(QuitRequested()) << "Enter in a text box is OK, which ends the program";
    EXPECT_FALSE(main->hwnd() || IsWindow(about) || IsWindow(support));
    EXPECT_NE(ReadBytes(ini).value_or("").find(Ansi(L"Model=按回车保存")), std::string::npos);
}

TEST_F(MainWindow, LoadRunsInOrderBeforeShowingAndFillsTheBoxesFromThePrefix) {
    const std::wstring values[] = {L"张三", L"Contoso 有限公司", L"55274-OEM-0011903-00107", L"快修电脑", L"快修 K510"};
    for (int i = 0; i < 3; ++i)
        SetText(kNt, kNames[i], values[i]);
    WriteBytes(ini, kIni);
    WriteBytes(logo, MakeBmp(100, 50, 24));
    SetFileAttributesW(logo.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    bool shown = false;
    os.onCall = [&] { shown |= IsWindowVisible(FindWindowW(L"BrandwickMain", nullptr)) != FALSE; };
    Open();
    os.onCall = nullptr;
    std::erase(os.log, L"Wow64");
    os.log.erase(std::unique(os.log.begin(), os.log.end()), os.log.end()); // merges repeats
    EXPECT_EQ(os.log, (Texts{L"GetVersion", L"RegRead RegisteredOwner", L"RegRead RegisteredOrganization",
                             L"RegRead ProductId", L"Bitmap 102", L"Bitmap 101", L"Cursor 101", L"SystemDirectory",
                             L"TempPath", L"GetVersion", L"RegRead Manufacturer", L"RegRead Model",
                             L"Attributes oeminfo.ini", L"Read oeminfo.ini", L"GetVersion", L"RegRead Logo",
                             L"Attributes oemlogo.bmp", L"Picture oemlogo.bmp"}));
    EXPECT_FALSE(shown);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(TextOf(C(kBoxes[i])), values[i]);
    EXPECT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{31, 28, 131, 78})) << "Left 457.5, Top 412.5 twips";
}

TEST_F(MainWindow, ApplySavesInOrderOkThatCannotSaveStaysOpenCancelKeepsWhatWasApplied) {
    WriteBytes(ini, kIni);
    Open();
    const std::string chosen = MakeBmp(4, 4, 24);
    Choose(Temp(L"brandwick_chosen.bmp", chosen));
    Type(MainId::txtUserName, L"王五");
    Type(MainId::txtManufacturer, L"新制造商");
    const Texts saves = {L"RegWrite RegisteredOwner", L"RegWrite RegisteredOrganization", L"RegWrite ProductId",
                         L"Move oeminfo.ini", L"Move oemlogo.bmp", L"RegWrite Manufacturer", L"RegWrite Model",
                         L"RegWrite Logo"};
    for (int times = 0; times < 2; ++times) {
        os.ResetCalls();
        Click(MainId::cmdApply);
        EXPECT_EQ(Saves(), saves);
    }
    EXPECT_EQ(Reg(kNames[0]), L"王五");
    EXPECT_EQ(ReadBytes(ini), "[General]\r\nManufacturer=" + Ansi(L"新制造商") + "\r\nModel=" + Ansi(L"快修 K510") +
                                  "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n");
    EXPECT_EQ(ReadBytes(logo), chosen);
    ASSERT_TRUE(reports.empty());
    // The file and the organization cannot be saved: every other step still runs, one message names both.
    Type(MainId::txtUserName, L"未保存");
    WriteBytes(logo, "changed meanwhile");
    os.ResetCalls();
    os.FailOn(PlatformOp::RegWrite, 2);
    os.FailOn(PlatformOp::WriteFile);
    Click(MainId::cmdOk);
    ASSERT_TRUE(main->hwnd());
    EXPECT_EQ(reports, Texts{L"以下内容未能保存：\n组织名 (RegisteredOrganization)\nOEM 信息文件 oeminfo.ini\n\n其余内容已保存。"});
    EXPECT_EQ(Saves(), (Texts{saves[0], saves[1], saves[2], saves[4], saves[5], saves[6], saves[7]}));
    EXPECT_EQ(ReadBytes(logo), chosen);
    Type(MainId::txtUserName, L"不保存");
    Choose(Temp(L"brandwick_cancel.bmp", MakeBmp(8, 8, 24)));
    Click(MainId::cmdCancel);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(Reg(kNames[0]), L"未保存") << "what OK saved before failing stays";
    EXPECT_EQ(ReadBytes(logo), chosen);
    EXPECT_EQ(std::pair(!!ReadBytes(stagedIni), !!ReadBytes(stagedLogo)), std::pair(true, false))
        << "the end deletes only what this run staged: not the half-written oeminfo.tmp";
}

TEST_F(MainWindow, LogoThroughTheOpenFileDialog) {
    WriteBytes(logo, "this is not a picture");
    WriteBytes(stagedLogo, MakeBmp(12, 12, 24)); // left over from an earlier run
    Open();
    EXPECT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{36, 32, 125, 73})) << "the blank box, centred";
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), "this is not a picture") << "a stale staging file is not installed";
    const std::string bytes = MakeBmp(60, 30, 8);
    Choose(Temp(L"brandwick_depth.bmp", bytes));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{51, 38, 111, 68})) << "37.5 pixels round away from zero";
    EXPECT_EQ(ReadBytes(stagedLogo), bytes);
    EXPECT_NE(ReadBytes(logo), bytes) << "nothing is installed before Apply";
    Choose(L"");
    EXPECT_EQ(g_title + L"|" + g_filter, L"选择一个Logo图片(请选用不超过160×100的BMP图片)|BMP图片(*.bmp)");
    EXPECT_EQ(main->DlgLogoFileName(), TempDir() + L"brandwick_depth.bmp") << "cancel keeps the last name";
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), bytes);
    std::string jpeg = "Z:" __FILE__; // the sources are reached through Wine's drive Z:
    jpeg = jpeg.substr(0, jpeg.find_last_of("/\\") + 1) + "data\\green40x30.jpg";
    std::replace(jpeg.begin(), jpeg.end(), '/', '\\');
    Choose(std::wstring(jpeg.begin(), jpeg.end()));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{61, 38, 101, 68}));
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), ReadBytes(std::wstring(jpeg.begin(), jpeg.end()))) << "installed unchanged";
    const std::string large = MakeBmp(300, 200, 24);
    Choose(Temp(L"brandwick_large.bmp", large));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{-70, -48, 230, 152})) << "its middle on the frame's";
    Choose(Temp(L"brandwick_text.bmp", "plain text, not a picture"));
    EXPECT_EQ(reports, Texts{L"无法将所选文件读取为图片，Logo 未更改：\n" + TempDir() + L"brandwick_text.bmp"});
    EXPECT_EQ(ReadBytes(stagedLogo), large);
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{-70, -48, 230, 152}));
}


// The OEMInformation key from Vista on: shown where it has a value, stored keeping its other values, one more item
// of the one message when it cannot be stored; untouched before. A 32-bit run on 64-bit Windows reaches the
// 64-bit view and the native system directory, through Sysnative or with the redirector off, and the system
// learns the logo by its own name.
TEST_F(MainWindow, OemInformationKeyAndUnderWow64TheNativeSide) {
    const std::wstring key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
    const std::wstring keyLogo = SystemDir() + L"\\brandwick_keylogo.bmp", named = L"%SystemRoot%\\System32\\brandwick_keylogo.bmp";
    RegistryValueGuard keyGuard{key, {L"Manufacturer", L"Model", L"Logo", L"SupportURL"}};
    FileGuard g5{keyLogo};
    const std::wstring chosen = Temp(L"brandwick_chosen.bmp", MakeBmp(8, 8, 24)), installed = SystemDir() + L"\\oemlogo.bmp";
    auto value = [&](const wchar_t* name) { std::wstring t = L"<none>"; DWORD type; ReadText(key, name, t, type); return t; };
    const OsVersion xp{2, 5, 1, 2600, L"SP3"}, vista{2, 6, 0, 6002, L"SP2"};
    const struct { OsVersion version; bool wow64, sysnative; int failingWrite; const wchar_t* shown; long width;
                   std::wstring stored, report; bool stuck = false; } rows[] = { // stuck: the redirector stays on
        {xp, false, true, 0, L"File Maker", 100, L"Key Maker|<none>|" + named, L""},
        {vista, false, true, 0, L"Key Maker", 40, L"新制造商||" + installed, L""},
        {vista, false, true, 4, L"Key Maker", 40, L"Key Maker||" + installed, // the fourth: after the registration
         L"以下内容未能保存：\nOEM 信息注册表项 (OEMInformation)\n\n其余内容已保存。"},
        {vista, false, true, 5, L"Key Maker", 40, L"新制造商|<none>|" + installed,
         L"以下内容未能保存：\nOEM 信息注册表项 (OEMInformation)\n\n其余内容已保存。"},
        {vista, true, true, 0, L"Key Maker", 40, L"新制造商||" + installed, L""},
        {vista, true, false, 0, L"Key Maker", 40, L"新制造商||" + installed, L""},
        {vista, true, false, 0, L"Key Maker", 40, L"新制造商||" + named,
         L"以下内容未能保存：\nOEM 信息文件 oeminfo.ini\nOEM Logo 图片 oemlogo.bmp\n\n其余内容已保存。", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.version.major << " wow64 " << r.wow64 << r.sysnative << " " << r.failingWrite);
        TearDown(), SetUp(), state = AppState{}, reports.clear(), os.Heal();
        std::tie(os.version, os.wow64, os.sysnative) = std::tuple(r.version, r.wow64, r.sysnative);
        WriteBytes(ini, "[General]\r\nManufacturer=File Maker\r\nModel=File Model\r\n");
        WriteBytes(logo, MakeBmp(100, 50, 24));
        WriteBytes(keyLogo, MakeBmp(40, 20, 24));
        SetText(key, L"Manufacturer", L"Key Maker");
        DeleteValue(key, L"Model");
        SetText(key, L"Logo", named);
        SetText(key, L"SupportURL", L"https://support.example");
        os.ResetCalls();
        Open();
        EXPECT_EQ(TextOf(C(MainId::txtManufacturer)) + L"|" + TextOf(C(MainId::txtModel)), r.shown + std::wstring(L"|File Model"));
        EXPECT_EQ(At(C(MainId::picLogo))[2] - At(C(MainId::picLogo))[0], r.width);
        Type(MainId::txtManufacturer, L"新制造商");
        Type(MainId::txtModel, L"");
        Choose(chosen);
        if (r.failingWrite)
            os.FailOn(PlatformOp::RegWrite, r.failingWrite);
        if (r.stuck)
            os.FailOn(PlatformOp::DisableFsRedirection, 0);
        Click(MainId::cmdApply);
        EXPECT_EQ(reports.empty() ? L"" : reports[0], r.report);
        EXPECT_EQ(value(L"Manufacturer") + L"|" + value(L"Model") + L"|" + value(L"Logo"), r.stored);
        EXPECT_EQ(value(L"SupportURL"), L"https://support.example");
        EXPECT_EQ(ReadBytes(ini).value_or("").find("Manufacturer=" + Ansi(L"新制造商")) != std::string::npos, !r.stuck);
        EXPECT_EQ(ReadBytes(logo) == MakeBmp(8, 8, 24), !r.stuck);
        int registry = 0, files = 0;
        for (const auto& call : os.log)
            if (call.starts_with(L"Reg") && ++registry) {
                EXPECT_EQ(call.ends_with(L" 256"), r.wow64) << std::string(call.begin(), call.end());
            }
        for (const auto& path : os.paths) // the system's files: neither temporary files nor the probe for Sysnative
            if (path.starts_with(L"c:\\") && path.find(L".tmp") == path.npos && path.find(L"_chosen") == path.npos &&
                !path.ends_with(L"\\sysnative") && ++files) {
                EXPECT_EQ(path.substr(0, path.rfind(L'\\')) + (path.ends_with(L" [off]") ? L" off" : L""),
                          r.wow64 && r.sysnative ? L"c:\\windows\\sysnative" : r.wow64 ? L"c:\\windows\\system32 off" : L"c:\\windows\\system32")
                    << std::string(path.begin(), path.end());
            }
        EXPECT_GE(registry + files, 15);
        EXPECT_EQ(std::pair(os.redirectionOff, os.picturesWhileOff), std::pair(false, 0));
    }
}

} // namespace
} // namespace bw::test
