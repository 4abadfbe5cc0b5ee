#pragma once
// Looking at the program's windows from a test: their children, texts, places, fonts and keys.
#include "core/unique_handle.h"
#include "ui/layout.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
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
inline std::wstring TextOf(HWND hwnd) { return WindowText(hwnd); }
inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}
inline DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
inline DWORD ExStyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)); }

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

// A control in tab order and its place in pixels; no width: a label sized to its text.
struct ControlRow {
    const wchar_t* cls;
    std::wstring text;
    int x, y, width = 0, height = 0;
};

// A fixed window with a caption and no minimize or maximize box, kept out of the task bar by a hidden
// owner; every control visible in 宋体 9 point GB2312, in its row's class, text and place; Tab goes round
// the stops starting with the focus.
inline void ExpectDialog(HWND hwnd, const std::wstring& caption, std::pair<LONG, LONG> client,
                         const std::vector<ControlRow>& rows, const std::vector<std::size_t>& tabStops) {
    ASSERT_EQ(ScreenDpi(), 96) << "the pixels below are for 96 DPI";
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HWND owner = GetWindow(hwnd, GW_OWNER);
    EXPECT_EQ(std::tuple(TextOf(hwnd), rc.right, rc.bottom, StyleOf(hwnd) & (WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                         ExStyleOf(hwnd) & WS_EX_APPWINDOW, owner && !IsWindowVisible(owner), Child(hwnd, rows.size())),
              std::tuple(caption, client.first, client.second, DWORD{WS_CAPTION}, DWORD{0}, true, HWND{}));
    for (std::size_t i = 0; const ControlRow& row : rows) {
        HWND c = Child(hwnd, i++);
        const SIZE text = TextExtent(c, row.text);
        rc = ChildRect(c);
        EXPECT_EQ(std::tuple(ClassOf(c), TextOf(c), IsWindowVisible(c), FontOf(c), rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top),
                  std::tuple(std::wstring(row.cls), row.text, TRUE, std::tuple(std::wstring(L"宋体"), GB2312_CHARSET, -12L),
                             row.x, row.y, row.width ? row.width : text.cx, row.height ? row.height : text.cy))
            << "control " << i;
    }
    for (std::size_t i = 0; i <= tabStops.size(); ++i) {
        EXPECT_EQ(GetFocus(), Child(hwnd, tabStops[i % tabStops.size()])) << "tab step " << i;
        PressKey(GetFocus(), VK_TAB);
    }
}

// Drives the real open-file dialog: notes its title and filter, then picks g_pick, or cancels when it is empty.
inline std::wstring g_pick, g_title, g_filter;
inline UINT_PTR CALLBACK PickHook(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    HWND box = GetParent(dlg);
    g_title = TextOf(box);
    g_filter = TextOf(GetDlgItem(box, cmb1));
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_pick.c_str())); // the file name box
    PostMessageW(box, WM_COMMAND, g_pick.empty() ? IDCANCEL : IDOK, 0);
    return 0;
}

} // namespace bw::test
