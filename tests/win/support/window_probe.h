#pragma once
// Looking at real windows from a test: children in z-order, texts, fonts, places, colours.
#include "core/unique_handle.h"

#include <string>
#include <vector>

namespace bw::test {

class ClientDC {
public:
    explicit ClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ~ClientDC() {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    HDC get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

struct MemoryDCDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCDeleter>;

struct FontInfo {
    std::wstring face;
    int charset = -1;
    int weight = -1;
    int height = 0;
};

std::vector<HWND> Children(HWND parent); // in z-order, which is also the tab order
std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
RECT RectIn(HWND child); // pixels, relative to the parent's client area
SIZE ClientSize(HWND hwnd);
FontInfo FontOf(HWND control);
// The size a static control's text takes in its font: widest line by number of lines.
SIZE TextExtent(HWND control);
DWORD StyleOf(HWND hwnd);
DWORD ExStyleOf(HWND hwnd);
// The text colour the parent hands the static control for drawing.
COLORREF StaticTextColor(HWND control);
// Visible top-level windows of this thread.
std::vector<HWND> VisibleThreadWindows();
// A key press as the message loop sees it: posted to the focus and pumped through the program's loop.
void PressKey(HWND target, WPARAM vk);
// Puts text on the clipboard.
bool SetClipboardText(const std::wstring& text);

} // namespace bw::test
