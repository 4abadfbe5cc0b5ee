#pragma once
// Looking at the program's windows from a test: their children, texts, places, fonts and keys.
#include "core/unique_handle.h"
#include "fault_platform.h"
#include "test_support.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace bw::test {

// The children in z-order, which is also the tab order.
inline HWND Child(HWND parent, std::size_t i) {
    HWND child = GetWindow(parent, GW_CHILD);
    while (child && i--)
        child = GetWindow(child, GW_HWNDNEXT);
    return child;
}
inline std::wstring TextOf(HWND hwnd) {
    return WindowText(hwnd);
}
inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}
inline DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

// The control's font: face, character set and height.
inline std::tuple<std::wstring, int, long> FontOf(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return {lf.lfFaceName, lf.lfCharSet, lf.lfHeight};
}

// A key press as the message loop sees it: posted and pumped through the program's loop.
inline void PressKey(HWND target, WPARAM vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    PumpEvents();
}

// The text's size measured line by line in the control's font: the widest line by the number of lines.
inline SIZE TextExtent(HWND control, const std::wstring& text) {
    WindowDC dc(control);
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    SIZE total{0, 0}, size{};
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line); total.cy += tm.tmHeight) {
        GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
        total.cx = std::max(total.cx, size.cx);
    }
    return total;
}

// Pixels at 96 DPI (the design's twips / 15) at another scale, rounded half away from zero as twips are.
inline long AtScale(long pixels96, int dpi) {
    return std::lround(pixels96 * dpi / 96.0);
}
// 宋体 9 point at each scale the tests run at.
inline long FontHeightAt(int dpi) {
    return dpi == 96 ? -12 : dpi == 120 ? -15 : dpi == 144 ? -18 : dpi == 192 ? -24 : 0;
}

// A button's or fixed label's text is whole: a button's caption fits inside its edges, a label's wrapped lines
// inside its height.
inline void ExpectWholeText(HWND control) {
    std::wstring text = TextOf(control);
    std::erase(text, L'&');
    const RECT rc = ChildRect(control);
    const long width = rc.right - rc.left, height = rc.bottom - rc.top;
    WindowDC dc(control);
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{0, 0, width, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_WORDBREAK);
    if (ClassOf(control) == L"Button")
        EXPECT_TRUE(need.right + 6 <= width && need.bottom + 4 <= height) << "button text cut: " << TextOf(control);
    else
        EXPECT_TRUE(need.right <= width && need.bottom <= height) << "label text cut: " << TextOf(control);
}

// What Windows does when a window moves to a monitor of another scale; the window goes where it is told.
inline void MoveToScale(HWND hwnd, int dpi) {
    RECT suggested{10, 20, 500, 600};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(hwnd, &suggested);
    EXPECT_EQ(std::pair(suggested.left, suggested.top), std::pair(10L, 20L));
}

// A control in tab order and its place in pixels; no width: a label sized to its text.
struct ControlRow {
    const wchar_t* cls;
    std::wstring text;
    int x, y, width = 0, height = 0;
};

// A fixed window with a caption and no minimize or maximize box, kept out of the task bar by a hidden
// owner; every control visible in 宋体 9 point GB2312, in its row's class, text and place (pixels at 96 DPI, scaled
// to the screen's scale), its text whole; Tab goes round the stops starting with the focus.
inline void ExpectDialog(HWND hwnd, const std::wstring& caption, std::pair<LONG, LONG> client,
                         const std::vector<ControlRow>& rows, const std::vector<std::size_t>& tabStops) {
    const int dpi = ScreenDpi();
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HWND owner = GetWindow(hwnd, GW_OWNER);
    EXPECT_EQ(std::tuple(TextOf(hwnd), rc.right, rc.bottom,
                         StyleOf(hwnd) & (WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                         GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, owner && !IsWindowVisible(owner),
                         Child(hwnd, rows.size())),
              std::tuple(caption, AtScale(client.first, dpi), AtScale(client.second, dpi), DWORD{WS_CAPTION},
                         LONG_PTR{0}, true, HWND{}));
    for (std::size_t i = 0; const ControlRow& row : rows) {
        HWND c = Child(hwnd, i++);
        const SIZE text = TextExtent(c, row.text);
        rc = ChildRect(c);
        EXPECT_EQ(std::tuple(ClassOf(c), TextOf(c), IsWindowVisible(c), FontOf(c), rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top),
                  std::tuple(std::wstring(row.cls), row.text, TRUE,
                             std::tuple(std::wstring(L"宋体"), GB2312_CHARSET, FontHeightAt(dpi)), AtScale(row.x, dpi),
                             AtScale(row.y, dpi), row.width ? AtScale(row.width, dpi) : text.cx,
                             row.height ? AtScale(row.height, dpi) : text.cy))
            << "control " << i;
        if (row.cls == std::wstring(L"Button"))
            ExpectWholeText(c);
    }
    for (std::size_t i = 0; i <= tabStops.size(); ++i) {
        EXPECT_EQ(GetFocus(), Child(hwnd, tabStops[i % tabStops.size()])) << "tab step " << i;
        PressKey(GetFocus(), VK_TAB);
    }
}

// Drives the real open-file dialog: notes its title and every entry of its filter list (each followed by "|"), then
// picks g_pick, or cancels when it is empty.
inline std::wstring g_pick, g_title, g_filters;
inline UINT_PTR CALLBACK PickHook(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    HWND box = GetParent(dlg), list = GetDlgItem(box, cmb1);
    g_title = TextOf(box);
    g_filters.clear();
    for (LRESULT i = 0, n = SendMessageW(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        g_filters += text + L"|";
    }
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_pick.c_str())); // the file name box
    PostMessageW(box, WM_COMMAND, g_pick.empty() ? IDCANCEL : IDOK, 0);
    return 0;
}

using Texts = std::vector<std::wstring>;

// One running program: its own state, platform and window. Messages to the user are collected instead of shown.
struct Instance {
    explicit Instance(const std::function<void(FaultPlatform&)>& before = {}, int show = SW_SHOW) {
        if (before)
            before(os);
        main->SetReporter([this](const std::wstring& text, UINT) { reports.push_back(text); });
        main->SetDlgLogoHook(PickHook);
        EXPECT_TRUE(main->Create(show));
    }
    ~Instance() { main.reset(), Drain(); }
    HWND C(MainId id) const { return main->Control(id); }
    void Click(MainId id) { SendMessageW(C(id), BM_CLICK, 0, 0); } // runs to its end before returning
    void Type(MainId id, const std::wstring& text) { SetWindowTextW(C(id), text.c_str()); }
    void Choose(const std::wstring& path) { g_pick = path, Click(MainId::cmdLogo); }
    void Key(MainId id, UINT message, WPARAM key) { // to the dialog manager, as the program's message loop does
        MSG msg{C(id), message, key, message == WM_SYSCHAR ? 1 << 29 : 0, 0, {}}; // bit 29: Alt is down
        SetFocus(C(id));
        IsDialogMessageW(main->hwnd(), &msg);
    }
    Texts Saves() const { // the calls that store something, in order
        Texts saves;
        std::ranges::copy_if(os.log, std::back_inserter(saves),
                             [](auto& s) { return s.starts_with(L"RegWrite") || s.starts_with(L"Move"); });
        return saves;
    }

    AppState state;
    FaultPlatform os;
    Texts reports;
    std::unique_ptr<bw::MainWindow> main = std::make_unique<bw::MainWindow>(state, os);
};

} // namespace bw::test
