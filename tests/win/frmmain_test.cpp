// The main window against the prefix's real registry and system directory: layout, keyboard, load, the
// buttons, saving under every single failure, and the logo chosen through the real open-file dialog.
#include "fault_platform.h"
#include "registry/registration.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmMain.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <list>

namespace bw::test {
namespace {

using Box = std::array<long, 4>; // left, top, right, bottom in the parent's client area
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

std::wstring DataFile(const char* name) { // the sources are reached through Wine's drive Z:
    std::string path = "Z:" __FILE__;
    path = path.substr(0, path.find_last_of("/\\") + 1) + "data\\" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return {path.begin(), path.end()};
}

// Logs each platform call in order and notes whether the main window was visible during any of them.
struct RecordingPlatform final : Platform {
    using S = std::wstring;
    std::vector<S> log;
    bool shownDuringLoad = false;
    std::optional<S> SystemDirectory() override { return Note(L"SystemDirectory"), m.SystemDirectory(); }
    std::optional<S> TempPath() override { return Note(L"TempPath"), m.TempPath(); }
    std::optional<std::uint32_t> FileAttributes(const S& p) override { return Note(L"Attr ", p), m.FileAttributes(p); }
    std::optional<std::string> ReadFile(const S& p) override { return Note(L"Read ", p), m.ReadFile(p); }
    bool WriteFile(const S& p, std::string_view b) override { return Note(L"Write ", p), m.WriteFile(p, b); }
    bool CopyFileOver(const S& f, const S& t) override { return Note(L"Copy"), m.CopyFileOver(f, t); }
    bool MoveFileOver(const S& f, const S& t) override { return Note(L"Move"), m.MoveFileOver(f, t); }
    bool SetAttributes(const S& p, std::uint32_t a) override { return Note(L"SetAttr"), m.SetAttributes(p, a); }
    bool DeletePath(const S& p) override { return Note(L"Delete"), m.DeletePath(p); }
    bool DisableFsRedirection(void*& p) override { return m.DisableFsRedirection(p); }
    bool RevertFsRedirection(void* p) override { return m.RevertFsRedirection(p); }
    long RegRead(HKEY r, const S& k, const S& n, RegData& o, std::uint32_t v) override {
        return Note(n), m.RegRead(r, k, n, o, v);
    }
    long RegWriteString(HKEY r, const S& k, const S& n, const S& v, std::uint32_t w) override {
        return m.RegWriteString(r, k, n, v, w);
    }
    OsVersion GetVersion() override { return Note(L"GetVersion"), m.GetVersion(); }
    bool RunsUnderWow64() override { return m.RunsUnderWow64(); }
    std::optional<S> ExpandEnvironment(const S& t) override { return m.ExpandEnvironment(t); }
    void ShellOpen(const S&, int) override { Note(L"ShellOpen"); }
    UniquePicture LoadPictureFile(const S& p) override { return Note(L"Pic ", p), m.LoadPictureFile(p); }
    UniquePicture LoadPicture(std::string_view b) override { return m.LoadPicture(b); }
    UniqueBitmap LoadResourceBitmap(int id) override { return Note(std::to_wstring(id)), m.LoadResourceBitmap(id); }
    UniqueCursor LoadResourceCursor(int id) override { return Note(L"Cursor"), m.LoadResourceCursor(id); }
    void Note(const S& what, const S& path = L"") { // a path by its file name only
        log.push_back(what + path.substr(path.find_last_of(L'\\') + 1));
        shownDuringLoad |= IsWindowVisible(FindWindowW(L"BrandwickMain", nullptr)) != FALSE;
    }
    Win32Platform m;
};

// Drives the real open-file dialog: notes its title and filter, then picks g_pick, or cancels when it is empty.
std::wstring g_pick, g_title, g_filter;
UINT_PTR CALLBACK PickHook(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    HWND box = GetParent(dlg);
    g_title = TextOf(box);
    g_filter = TextOf(GetDlgItem(box, cmb1));
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_pick.c_str())); // the file name box
    PostMessageW(box, WM_COMMAND, g_pick.empty() ? IDCANCEL : IDOK, 0);
    return 0;
}

const std::string kIni = "[General]\r\nManufacturer=" + Ansi(L"联想") + "\r\nModel=" + Ansi(L"天逸 510") +
                         "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n";
const MainId kBoxes[] = {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                         MainId::txtModel};
const wchar_t* const kNames[] = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}; // of the first three

class MainWindow : public testing::Test {
protected:
    void SetUp() override { std::ranges::for_each(std::array{ini, logo, stagedIni, stagedLogo}, RemoveFile); }
    void TearDown() override {
        main.reset();
        Drain();
    }
    // Creates and shows the window; messages to the user are collected instead of shown.
    void Open(Platform& platform) {
        main = std::make_unique<frmMain>(state, platform);
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
        const std::wstring path = TempDir() + name;
        temps.emplace_back(path);
        WriteBytes(path, bytes);
        return path;
    }
    void Key(MainId id, UINT message, WPARAM key) { // to the dialog manager, as the program's message loop does
        MSG msg{C(id), message, key, message == WM_SYSCHAR ? 1 << 29 : 0, 0, {}}; // bit 29: Alt is down
        SetFocus(C(id));
        IsDialogMessageW(main->hwnd(), &msg);
    }
    std::wstring Reg(const std::wstring& n) { std::wstring t; ReadText(kNtVersionKey, n, t, regType); return t; }
    static bool QuitRequested() { MSG m; return PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); }

    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp", stagedLogo = TempDir() + L"oemlogo.tmp";
    RegistryValueGuard regGuard{kNtVersionKey, {kNames, kNames + 3}};
    FileGuard g1{ini}, g2{logo}, g3{stagedIni}, g4{stagedLogo};
    std::list<FileGuard> temps;
    AppState state;
    FaultPlatform os;
    std::vector<std::wstring> reports;
    DWORD regType = 0;
    std::unique_ptr<frmMain> main;
};

// Boxes are pixels at 96 DPI, the design's twips / 15; labels (right 0) take their text's size. No text: set at load.
struct Expected { MainId id; const wchar_t* cls; Box box; const wchar_t* text; bool visible; };
const Expected kLayout[] = {
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

TEST_F(MainWindow, LayoutMatchesTheDesign) {
    Open(os);
    HWND w = main->hwnd();
    EXPECT_EQ(StyleOf(w) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), DWORD{WS_SYSMENU});
    RECT o{}, work{};
    GetClientRect(w, &o);
    EXPECT_EQ(std::pair(o.right, o.bottom), std::pair(409L, 493L));
    GetWindowRect(w, &o);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs(o.left + o.right - work.left - work.right), 1) << "centred";
    EXPECT_LE(std::abs(o.top + o.bottom - work.top - work.bottom), 1);
    for (const Expected& e : kLayout) {
        HWND c = C(e.id);
        SCOPED_TRACE(static_cast<int>(e.id));
        EXPECT_EQ(ClassOf(c), e.cls);
        const SIZE t = TextExtent(c, TextOf(c));
        EXPECT_EQ(At(c), e.box[2] ? e.box : (Box{e.box[0], e.box[1], e.box[0] + t.cx, e.box[1] + t.cy}));
        EXPECT_EQ(e.text ? TextOf(c) : L"", e.text ? e.text : L"");
        EXPECT_EQ(IsWindowVisible(c) != FALSE, e.visible);
        if (e.id != MainId::fraLogo && (!e.text || *e.text)) { // not the frame and the picture boxes
            EXPECT_EQ(std::pair(FontOf(c).face, FontOf(c).charset), std::pair(std::wstring(L"宋体"), 134));
        }
    }
    for (MainId id : kBoxes) { // flat: no client edge; the edit control keeps WS_BORDER to itself and insets its text
        EXPECT_FALSE(ExStyleOf(C(id)) & WS_EX_CLIENTEDGE);
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
    Open(os);
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
    const std::wstring values[] = {L"张三", L"Contoso 有限公司", L"55274-OEM-0011903-00107", L"联想", L"天逸 510"};
    for (int i = 0; i < 3; ++i)
        SetText(kNtVersionKey, kNames[i], values[i]);
    WriteBytes(ini, kIni);
    WriteBytes(logo, MakeBmp(100, 50, 24));
    SetFileAttributesW(logo.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    RecordingPlatform recording;
    Open(recording);
    recording.log.erase(std::unique(recording.log.begin(), recording.log.end()), recording.log.end()); // merges repeats
    EXPECT_EQ(recording.log, (std::vector<std::wstring>{L"GetVersion", kNames[0], kNames[1], kNames[2], L"102", L"101",
                                                        L"Cursor", L"SystemDirectory", L"TempPath", L"GetVersion",
                                                        L"Manufacturer", L"Model", L"Attr oeminfo.ini",
                                                        L"Read oeminfo.ini", L"GetVersion", L"Logo",
                                                        L"Attr oemlogo.bmp", L"Pic oemlogo.bmp"}));
    EXPECT_FALSE(recording.shownDuringLoad);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(TextOf(C(kBoxes[i])), values[i]);
    EXPECT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{31, 28, 131, 78})) << "Left 457.5, Top 412.5 twips";
    main.reset();
}

TEST_F(MainWindow, ApplyTwiceStaysOpenOkThatCannotSaveStaysOpenCancelKeepsWhatWasApplied) {
    WriteBytes(ini, kIni);
    Open(os);
    Type(MainId::txtUserName, L"王五");
    Type(MainId::txtManufacturer, L"新制造商");
    for (int times : {5, 10}) { // three registration values, maker and model
        Click(MainId::cmdApply);
        EXPECT_EQ(os.Calls(PlatformOp::RegWrite), times);
        EXPECT_NE(ReadBytes(ini).value_or("").find(Ansi(L"Manufacturer=新制造商")), std::string::npos);
        EXPECT_NE(ReadBytes(ini).value_or("").find(Ansi(L"Line1=服务热线 800")), std::string::npos);
    }
    EXPECT_EQ(Reg(kNames[0]), L"王五");
    Type(MainId::txtUserName, L"未保存");
    os.FailOn(PlatformOp::RegWrite, 2);
    Click(MainId::cmdOk);
    ASSERT_TRUE(main->hwnd());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"RegisteredOrganization"), std::wstring::npos);
    EXPECT_EQ(reports[0].find(L"RegisteredOwner"), std::wstring::npos);
    Type(MainId::txtUserName, L"不保存");
    Choose(Temp(L"brandwick_cancel.bmp", MakeBmp(4, 4, 24)));
    Click(MainId::cmdCancel);
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(Reg(kNames[0]), L"未保存") << "what OK saved before failing stays";
    EXPECT_FALSE(ReadBytes(logo));
    EXPECT_FALSE(ReadBytes(stagedIni) || ReadBytes(stagedLogo));
}

// Every single failure on the way to saving: at most one message, and each item wholly old or wholly new.
TEST_F(MainWindow, EverySingleSaveFailureIsReportedOnceAndLeavesEachItemWhollyOldOrNew) {
    const std::string oldLogo = MakeBmp(8, 8, 24), newLogo = MakeBmp(16, 16, 8);
    Open(os);
    Choose(Temp(L"brandwick_chosen.bmp", newLogo));
    for (int i = 0; i < 3; ++i)
        Type(kBoxes[i], L"新" + std::wstring(kNames[i]));
    Type(MainId::txtManufacturer, L"新制造商");
    auto applyFailing = [&](PlatformOp op, int nth) {
        for (const wchar_t* name : kNames)
            SetText(kNtVersionKey, name, L"旧" + std::wstring(name));
        WriteBytes(ini, kIni);
        WriteBytes(logo, oldLogo);
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN); // as makers' files are
        SetFileAttributesW(logo.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
        reports.clear(), os.Heal(), os.ResetCalls();
        os.FailOn(op, nth);
        Click(MainId::cmdApply);
        return os.Calls(op) >= nth; // whether the failure was reached
    };
    applyFailing(PlatformOp::ShellOpen, 1); // never called while saving: nothing fails
    ASSERT_TRUE(reports.empty());
    const std::string newIni = ReadBytes(ini).value_or("");
    int injected = 0;
    for (PlatformOp op : {PlatformOp::RegWrite, PlatformOp::ReadFile, PlatformOp::WriteFile, PlatformOp::CopyFileOver,
                          PlatformOp::MoveFileOver, PlatformOp::SetAttributes, PlatformOp::DeletePath})
        for (int nth = 1; applyFailing(op, nth); ++nth, ++injected) {
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
            ASSERT_LE(reports.size(), 1u) << "one message at most; silence means all is saved";
            auto lost = [&](const wchar_t* w) { return !reports.empty() && reports[0].find(w) != reports[0].npos; };
            for (const wchar_t* name : kNames)
                EXPECT_EQ(Reg(name), (lost(name) ? L"旧" : L"新") + std::wstring(name));
            EXPECT_EQ(ReadBytes(ini), lost(L"oeminfo.ini") ? kIni : newIni);
            EXPECT_EQ(ReadBytes(logo), lost(L"oemlogo.bmp") ? oldLogo : newLogo);
        }
    EXPECT_GE(injected, 10);
}

TEST_F(MainWindow, LogoThroughTheOpenFileDialog) {
    WriteBytes(logo, "this is not a picture");
    WriteBytes(stagedLogo, MakeBmp(12, 12, 24)); // left over from an earlier run
    Open(os);
    EXPECT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{36, 32, 125, 73})) << "the blank box, centred";
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), "this is not a picture") << "a stale staging file is not installed";
    for (int depth : {8, 24}) {
        SCOPED_TRACE(depth);
        const std::string bytes = MakeBmp(60, 30, depth);
        Choose(Temp(L"brandwick_depth.bmp", bytes));
        EXPECT_EQ(At(C(MainId::picLogo)), (Box{51, 38, 111, 68})) << "37.5 pixels round away from zero";
        EXPECT_EQ(ReadBytes(stagedLogo), bytes);
        EXPECT_NE(ReadBytes(logo), bytes) << "nothing is installed before Apply";
        Click(MainId::cmdApply);
        EXPECT_EQ(ReadBytes(logo), bytes);
    }
    Choose(L"");
    EXPECT_EQ(g_title, L"选择一个Logo图片(请选用不超过160×100的BMP图片)");
    EXPECT_EQ(g_filter, L"BMP图片(*.bmp)");
    EXPECT_EQ(main->DlgLogoFileName(), TempDir() + L"brandwick_depth.bmp") << "cancel keeps the last name";
    EXPECT_EQ(ReadBytes(stagedLogo), MakeBmp(60, 30, 24));
    const std::wstring jpeg = DataFile("green40x30.jpg");
    Choose(jpeg);
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{61, 38, 101, 68}));
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logo), ReadBytes(jpeg)) << "installed unchanged";
    const std::string large = MakeBmp(300, 200, 24);
    Choose(Temp(L"brandwick_large.bmp", large));
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{-70, -48, 230, 152})) << "its middle on the frame's";
    Choose(Temp(L"brandwick_text.bmp", "plain text, not a picture"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"brandwick_text.bmp"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(stagedLogo), large);
    EXPECT_EQ(At(C(MainId::picLogo)), (Box{-70, -48, 230, 152}));
}

} // namespace
} // namespace bw::test
