// The About window as a real window: layout, load, link and closing keys.
#include "fault_platform.h"
#include "test_support.h"
#include "ui/frmAbout.h"
#include "ui/layout.h"
#include "ui/window.h"
#include "window_probe.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const std::wstring kDescription = L"Brandwick是一款小巧、方便的用来修改系统\n"
                                  L"OEM信息的工具。它完全模仿\u201C系统属性\u201D\n"
                                  L"窗口，让您能够非常直观地修改OEM信息。\n"
                                  L"(目前仅在Windows XP下测试通过。)";
const std::wstring kAddress = L"http://www.brandwick.example/";

bool HasResource(int id, const wchar_t* type) {
    return FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
}

class About : public testing::Test {
protected:
    void TearDown() override {
        about.Unload();
        Drain();
    }
    HWND Open() {
        EXPECT_TRUE(about.Open());
        Drain();
        return about.hwnd();
    }
    // The children in the layout's tab order: OK, description, title, version, name, QQ, e-mail, link, emblem.
    HWND Child(std::size_t i) { return Children(about.hwnd()).at(i); }
    HWND OkButton() { return Child(0); }
    HWND Description() { return Child(1); }
    HWND Link() { return Child(7); }
    HWND Emblem() { return Child(8); }

    FaultPlatform os;
    frmAbout about{os};
};

TEST_F(About, WindowIsAFixedCentredDialogOutsideTheTaskBar) {
    ASSERT_EQ(ScreenDpi(), 96) << "pixel sizes below are for 96 DPI";
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(TextOf(hwnd), L"关于 Brandwick");
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, 304);
    EXPECT_EQ(client.cy, 157);
    EXPECT_EQ(StyleOf(hwnd) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_FALSE(StyleOf(hwnd) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
    EXPECT_TRUE(ExStyleOf(hwnd) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(ExStyleOf(hwnd) & WS_EX_APPWINDOW);
    ASSERT_TRUE(GetWindow(hwnd, GW_OWNER)) << "an unowned window would appear in the task bar";
    EXPECT_FALSE(IsWindowVisible(GetWindow(hwnd, GW_OWNER)));

    RECT window{}, work{};
    GetWindowRect(hwnd, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2.0, (work.left + work.right) / 2.0, 1.0);
    EXPECT_NEAR((window.top + window.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0);
}

TEST_F(About, ControlsStandWhereTheLayoutPutsThem) {
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    ASSERT_EQ(Children(hwnd).size(), 9u);
    const COLORREF kText = GetSysColor(COLOR_BTNTEXT);
    struct Expected {
        const wchar_t* name;
        const wchar_t* cls;
        std::wstring text;
        POINT at;
        COLORREF color;
    };
    const Expected labels[] = {
        {L"lblDescription", L"Static", kDescription, {64, 40}, RGB(0, 0, 0)},
        {L"lblTitle", L"Static", L"Brandwick", {64, 8}, RGB(0, 0, 0)},
        {L"lblVersion", L"Static", L"V1.00", {64, 24}, kText},
        {L"lblName", L"Static", L"开发组", {40, 104}, kText},
        {L"lblQQ", L"Static", L"QQ:000000", {96, 104}, kText},
        {L"lblEmail", L"Static", L"E-mail:support@bwk.example", {40, 120}, kText},
        {L"lblWWW1", L"Static", kAddress, {40, 136}, RGB(0, 0, 255)},
    };
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        SCOPED_TRACE(labels[i].name);
        HWND c = Child(i + 1);
        EXPECT_EQ(ClassOf(c), labels[i].cls);
        EXPECT_EQ(TextOf(c), labels[i].text);
        const RECT rc = RectIn(c);
        EXPECT_EQ(rc.left, labels[i].at.x);
        EXPECT_EQ(rc.top, labels[i].at.y);
        const SIZE text = TextExtent(c);
        EXPECT_EQ(rc.right - rc.left, text.cx) << "sizes itself to its text";
        EXPECT_EQ(rc.bottom - rc.top, text.cy);
        EXPECT_FALSE(StyleOf(c) & WS_TABSTOP);
        EXPECT_EQ(StaticTextColor(c), labels[i].color);
        EXPECT_EQ(FontOf(c).face, L"宋体");
        EXPECT_EQ(FontOf(c).charset, GB2312_CHARSET);
        EXPECT_EQ(FontOf(c).weight, FW_NORMAL);
        EXPECT_LE(rc.right, 304);
    }
    if (TextExtent(Description()).cy == 4 * 12) {
        EXPECT_LE(RectIn(Description()).bottom, 96) << "in the designed font the description ends above the separator";
    }
    EXPECT_TRUE(StyleOf(Link()) & SS_NOTIFY) << "the link takes clicks";

    const RECT ok = RectIn(OkButton());
    EXPECT_EQ(ClassOf(OkButton()), L"Button");
    EXPECT_EQ(TextOf(OkButton()), L"确定");
    EXPECT_EQ(ok.left, 200);
    EXPECT_EQ(ok.top, 112);
    EXPECT_EQ(ok.right - ok.left, 68);
    EXPECT_EQ(ok.bottom - ok.top, 23);
    EXPECT_EQ(StyleOf(OkButton()) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(FontOf(OkButton()).face, L"宋体");
    EXPECT_EQ(FontOf(OkButton()).height, -12);
    EXPECT_EQ(GetFocus(), OkButton());
    EXPECT_EQ(GetNextDlgTabItem(hwnd, OkButton(), FALSE), OkButton()) << "the only control that takes the focus";

    const RECT emblem = RectIn(Emblem());
    EXPECT_EQ(emblem.left, 16);
    EXPECT_EQ(emblem.top, 8);
    EXPECT_EQ(emblem.right - emblem.left, 41);
    EXPECT_EQ(emblem.bottom - emblem.top, 41);
}

TEST_F(About, SeparatorAndEmblemArePainted) {
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    for (int x : {8, 30, 60}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(GetPixel(dc, x, 95), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(GetPixel(dc, x, 96), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_EQ(GetPixel(dc, x, 97), GetSysColor(COLOR_3DHILIGHT));
        EXPECT_EQ(GetPixel(dc, x, 98), GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_EQ(GetPixel(dc, 4, 96), GetSysColor(COLOR_BTNFACE)) << "the lines start 8 pixels in";
    if (HasResource(103, RT_BITMAP)) {
        int painted = 0;
        for (int y = 8; y < 49; y += 4)
            for (int x = 16; x < 57; x += 4)
                painted += GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE);
        EXPECT_GT(painted, 20) << "the emblem fills its 41 x 41 place";
    }
    ReleaseDC(hwnd, dc);
}

TEST_F(About, OpensOnceAndLoadsAgainAfterClosing) {
    HWND first = Open();
    ASSERT_TRUE(first);
    EXPECT_EQ(os.Calls(PlatformOp::LoadResourceBitmap), 1);
    EXPECT_EQ(os.Calls(PlatformOp::LoadResourceCursor), 1);
    EXPECT_EQ(Open(), first);
    EXPECT_EQ(VisibleThreadWindows().size(), 1u);
    EXPECT_EQ(os.Calls(PlatformOp::LoadResourceBitmap), 1) << "the load does not run again";

    SendMessageW(OkButton(), BM_CLICK, 0, 0);
    Drain();
    EXPECT_FALSE(about.IsOpen());
    EXPECT_TRUE(VisibleThreadWindows().empty());
    Open();
    EXPECT_EQ(TextOf(Description()), kDescription);
    EXPECT_EQ(os.Calls(PlatformOp::LoadResourceBitmap), 2);
    EXPECT_EQ(os.Calls(PlatformOp::LoadResourceCursor), 2);
}

TEST_F(About, MissingPicturesLeaveTheWindowUsable) {
    os.FailOn(PlatformOp::LoadResourceBitmap, 0);
    os.FailOn(PlatformOp::LoadResourceCursor, 0);
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    UpdateWindow(hwnd);
    SendMessageW(Link(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Link()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(TextOf(Description()), kDescription);
}

TEST_F(About, EnterAndEscCloseThroughOk) {
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        SCOPED_TRACE(key);
        HWND hwnd = Open();
        ASSERT_EQ(GetActiveWindow(), hwnd);
        PressKey(OkButton(), key);
        Drain();
        EXPECT_FALSE(about.IsOpen());
    }
    Open();
    SendMessageW(about.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Drain();
    EXPECT_FALSE(about.IsOpen()) << "the close box closes it too";
}

TEST_F(About, LinkOpensTheAddressMaximizedOncePerClick) {
    Open();
    EXPECT_EQ(TextOf(Link()), kAddress);
    SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(Link(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(os.shellRequests.size(), 1u);
    EXPECT_EQ(os.shellRequests[0].first, kAddress);
    EXPECT_EQ(os.shellRequests[0].second, SW_SHOWMAXIMIZED);
    SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(Link(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(os.shellRequests.size(), 2u);
    EXPECT_EQ(os.shellRequests[1], os.shellRequests[0]);
    SendMessageW(Description(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(os.shellRequests.size(), 2u) << "only the link opens the page";
    EXPECT_TRUE(about.IsOpen());
}

TEST_F(About, HandCursorShowsOverTheLinkOnly) {
    if (!HasResource(101, RT_GROUP_CURSOR))
        GTEST_SKIP() << "the program's cursor is not built in yet";
    Open();
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const auto hover = [](HWND c) {
        SendMessageW(c, WM_SETCURSOR, reinterpret_cast<WPARAM>(c), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    const HCURSOR overLink = hover(Link());
    EXPECT_TRUE(overLink);
    EXPECT_NE(overLink, arrow);
    EXPECT_NE(hover(Description()), overLink);
    EXPECT_EQ(hover(Link()), overLink);
}

} // namespace
} // namespace bw::test
