// The main window as designed: every control's class, place, text, look and the keyboard order.
#include "frmmain_fixture.h"

#include <commctrl.h>

namespace bw::test {
namespace {

struct Expected {
    MainId id;
    const wchar_t* cls;
    RECT rect; // pixels at 96 DPI in the parent's client area; right/bottom exclusive
    const wchar_t* text;
    bool visible;
    const wchar_t* tooltip;
};

// The design's twips divided by 15.
const Expected kControls[] = {
    {MainId::cmdAbout, L"Button", {8, 456, 81, 481}, L"关于...", true, nullptr},
    // The registration boxes' designed texts are replaced from the registry at load.
    {MainId::txtProductID, L"Edit", {216, 232, 369, 250}, nullptr, true, L"产品序列号"},
    {MainId::txtOrganization, L"Edit", {216, 208, 369, 226}, nullptr, true, L"组织名"},
    {MainId::txtUserName, L"Edit", {216, 184, 369, 202}, nullptr, true, L"用户名"},
    {MainId::cmdLogo, L"Button", {64, 416, 169, 441}, L"自定义Logo图片", true, L"请选用不超过160×100的BMP图片"},
    {MainId::cmdRestore, L"Button", {112, 64, 185, 89}, L"恢复信息", false, L"恢复为上一次备份的OEM信息"},
    {MainId::cmdBackup, L"Button", {32, 64, 105, 89}, L"备份信息", false, L"备份当前OEM信息"},
    {MainId::txtModel, L"Edit", {216, 312, 369, 330}, L"产品型号", true, L"产品型号"},
    {MainId::txtManufacturer, L"Edit", {216, 288, 369, 306}, L"制造商", true, L"制造商"},
    {MainId::cmdApply, L"Button", {328, 456, 401, 481}, L"应用(&A)", true, nullptr},
    {MainId::cmdCancel, L"Button", {248, 456, 321, 481}, L"取消", true, nullptr},
    {MainId::cmdOk, L"Button", {168, 456, 241, 481}, L"确定", true, nullptr},
    {MainId::cmdSuportInfo, L"Button", {216, 400, 337, 425}, L"技术支持信息(&S)", true, nullptr},
    {MainId::fraLogo, L"BrandwickFrame", {32, 296, 193, 401}, L"Frame1", true, nullptr},
    {MainId::picLogo, L"Static", {32, 32, 121, 73}, L"", false, L"Logo图片"},
    {MainId::lblSysInfo, L"Static", {216, 96, 385, 153}, nullptr, true, nullptr},
    {MainId::imgXP, L"Static", {56, 96, 162, 192}, L"", true, nullptr},
};

bool HasResource(int id, const wchar_t* type) { return FindResourceW(nullptr, MAKEINTRESOURCEW(id), type) != nullptr; }

class MainLayout : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (ScreenDpi96() != 96)
            GTEST_SKIP() << "the pixel sizes below hold at 96 DPI";
        Open();
    }
    static int ScreenDpi96() {
        HDC dc = GetDC(nullptr);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return dpi;
    }
    LOGFONTW FontOf(MainId id) {
        LOGFONTW lf{};
        auto font = reinterpret_cast<HFONT>(SendMessageW(C(id), WM_GETFONT, 0, 0));
        EXPECT_TRUE(font);
        GetObjectW(font, sizeof lf, &lf);
        return lf;
    }
    std::wstring TooltipOf(HWND control) {
        wchar_t buffer[128]{};
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = GetParent(control);
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.lpszText = buffer;
        SendMessageW(main->Tooltips(), TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&ti));
        return buffer;
    }
};

TEST_F(MainLayout, WindowIsAFixedCentredTaskBarWindowOfTheDesignedClientSize) {
    HWND w = main->hwnd();
    EXPECT_EQ(WindowText(w), L"Brandwick");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);

    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 493);

    RECT outer{};
    GetWindowRect(w, &outer);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((outer.left + outer.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) - (work.top + work.bottom)), 1);

    if (HasResource(1, RT_GROUP_ICON)) {
        EXPECT_TRUE(SendMessageW(w, WM_GETICON, ICON_BIG, 0));
        EXPECT_TRUE(SendMessageW(w, WM_GETICON, ICON_SMALL, 0));
    }
}

TEST_F(MainLayout, EveryControlHasItsClassPlaceTextVisibilityAndTooltip) {
    for (const Expected& e : kControls) {
        HWND c = C(e.id);
        ASSERT_TRUE(c) << static_cast<int>(e.id);
        wchar_t cls[64]{};
        GetClassNameW(c, cls, 64);
        EXPECT_EQ(lstrcmpiW(cls, e.cls), 0) << cls;
        const RECT r = ChildRectOf(c);
        EXPECT_EQ(r.left, e.rect.left) << e.text;
        EXPECT_EQ(r.top, e.rect.top) << e.text;
        EXPECT_EQ(r.right, e.rect.right) << e.text;
        EXPECT_EQ(r.bottom, e.rect.bottom) << e.text;
        if (e.text) {
            EXPECT_EQ(WindowText(c), e.text);
        }
        EXPECT_EQ(IsWindowVisible(c) != FALSE, e.visible) << e.text;
        if (e.tooltip) {
            EXPECT_EQ(TooltipOf(c), e.tooltip);
        }
    }
    EXPECT_EQ(GetParent(C(MainId::picLogo)), C(MainId::fraLogo));
    EXPECT_EQ(SendMessageW(main->Tooltips(), TTM_GETTOOLCOUNT, 0, 0), 9);
}

TEST_F(MainLayout, BannerShowsTheResourceAtItsOwnSizeCutByTheWindow) {
    const RECT r = Rect(MainId::picBanner);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_EQ(r.right, HasResource(101, RT_BITMAP) ? 420 : 409);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(C(MainId::picBanner), GWL_STYLE));
    EXPECT_TRUE(style & SS_NOTIFY) << "the banner is clickable";
    EXPECT_TRUE(SendMessageW(C(MainId::picBanner), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST_F(MainLayout, TextBoxesAreFlatSingleLineBoxes) {
    for (MainId id : {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                      MainId::txtModel}) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(C(id), GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(C(id), GWL_EXSTYLE));
        // The edit control takes WS_BORDER out of its style and draws the thin border itself: look at it.
        RECT outer{};
        GetWindowRect(C(id), &outer);
        const int w = outer.right - outer.left;
        const int h = outer.bottom - outer.top;
        HDC screen = GetDC(C(id));
        HDC dc = CreateCompatibleDC(screen);
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen, w, h));
        ReleaseDC(C(id), screen);
        {
            ScopedSelect select(dc, bitmap.get());
            SendMessageW(C(id), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            const COLORREF inside = GetNearestColor(dc, GetSysColor(COLOR_WINDOW));
            EXPECT_NE(GetPixel(dc, 0, h / 2), inside) << "a border";
            EXPECT_EQ(GetPixel(dc, 1, h / 2), inside) << "one pixel wide";
            EXPECT_NE(GetPixel(dc, w - 1, h / 2), inside);
            EXPECT_EQ(GetPixel(dc, w - 2, h / 2), inside);
        }
        DeleteDC(dc);
        EXPECT_FALSE(exStyle & WS_EX_CLIENTEDGE);
        EXPECT_FALSE(style & ES_MULTILINE);
        EXPECT_TRUE(style & WS_TABSTOP);
    }
}

TEST_F(MainLayout, ButtonsTakeTheFocusAndOnlyOkIsTheDefault) {
    for (MainId id : {MainId::cmdOk, MainId::cmdCancel, MainId::cmdApply, MainId::cmdLogo, MainId::cmdSuportInfo,
                      MainId::cmdAbout}) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(C(id), GWL_STYLE));
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_EQ(style & BS_TYPEMASK, id == MainId::cmdOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        EXPECT_NE(GetDlgCtrlID(C(id)), IDOK);
        EXPECT_NE(GetDlgCtrlID(C(id)), IDCANCEL);
    }
    const LRESULT def = SendMessageW(main->hwnd(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(def), DC_HASDEFID);
    EXPECT_EQ(LOWORD(def), static_cast<int>(MainId::cmdOk));
}

TEST_F(MainLayout, LabelsSizeThemselvesToTheirTextInTheWindowFont) {
    struct Label {
        MainId id;
        POINT at;
    };
    for (const Label& l : {Label{MainId::lblSystem, {200, 72}}, Label{MainId::lblRegister, {200, 168}},
                           Label{MainId::lblSuport, {56, 272}}}) {
        HWND c = C(l.id);
        HDC dc = GetDC(c);
        SIZE size{};
        {
            ScopedSelect select(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
            const std::wstring text = WindowText(c);
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        }
        ReleaseDC(c, dc);
        const RECT r = ChildRectOf(c);
        EXPECT_EQ(r.left, l.at.x);
        EXPECT_EQ(r.top, l.at.y);
        EXPECT_EQ(r.right - r.left, size.cx) << WindowText(c);
        EXPECT_EQ(r.bottom - r.top, size.cy) << WindowText(c);
    }
    EXPECT_EQ(Text(MainId::lblSystem), L"系统:");
    EXPECT_EQ(Text(MainId::lblRegister), L"注册到:");
    EXPECT_EQ(Text(MainId::lblSuport), L"制造商和技术支持商:");
}

TEST_F(MainLayout, TextControlsUseSimSunNinePointGb2312) {
    for (MainId id : {MainId::cmdOk, MainId::txtUserName, MainId::lblSystem, MainId::lblSysInfo, MainId::cmdApply}) {
        const LOGFONTW lf = FontOf(id);
        EXPECT_STREQ(lf.lfFaceName, L"宋体");
        EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_EQ(lf.lfHeight, -12); // 9 point at 96 DPI
    }
}

TEST_F(MainLayout, TabRunsInTheDesignedOrderAndSkipsHiddenControls) {
    std::vector<MainId> order;
    HWND start = C(MainId::cmdOk);
    EXPECT_EQ(GetFocus(), start) << "the focus starts on OK";
    HWND at = start;
    for (int i = 0; i < 20; ++i) {
        at = GetNextDlgTabItem(main->hwnd(), at, FALSE);
        if (!at || at == start)
            break;
        order.push_back(static_cast<MainId>(GetDlgCtrlID(at)));
    }
    const std::vector<MainId> expected = {
        MainId::cmdCancel,       MainId::cmdApply,     MainId::cmdLogo,      MainId::txtUserName,
        MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer, MainId::txtModel,
        MainId::cmdSuportInfo,   MainId::cmdAbout,     MainId::picBanner};
    EXPECT_EQ(order, expected);
}

TEST_F(MainLayout, Shape1IsAOnePixelOutlineInTheWorkspaceColour) {
    HWND w = main->hwnd();
    HDC screen = GetDC(w);
    HDC dc = CreateCompatibleDC(screen);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 409, 493));
    ReleaseDC(w, screen);
    {
        ScopedSelect select(dc, bitmap.get());
        SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF outline = GetNearestColor(dc, GetSysColor(COLOR_APPWORKSPACE));
        const COLORREF face = GetNearestColor(dc, GetSysColor(COLOR_BTNFACE));
        ASSERT_NE(outline, face);
        EXPECT_EQ(GetPixel(dc, 8, 300), outline);   // left edge
        EXPECT_EQ(GetPixel(dc, 400, 300), outline); // right edge: 8 + 393 - 1
        EXPECT_EQ(GetPixel(dc, 200, 48), outline);  // top edge
        EXPECT_EQ(GetPixel(dc, 200, 448), outline); // bottom edge: 48 + 401 - 1
        EXPECT_EQ(GetPixel(dc, 9, 300), face);      // one pixel wide, hollow
        EXPECT_EQ(GetPixel(dc, 7, 300), face);
        EXPECT_EQ(GetPixel(dc, 200, 449), face);
    }
    DeleteDC(dc);
}

TEST_F(MainLayout, HiddenButtonsNeverShow) {
    Click(MainId::cmdApply);
    SendMessageW(main->hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Drain();
    EXPECT_FALSE(IsWindowVisible(C(MainId::cmdBackup)));
    EXPECT_FALSE(IsWindowVisible(C(MainId::cmdRestore)));
}

} // namespace
} // namespace bw::test
