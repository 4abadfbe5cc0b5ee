#pragma once
// Windows described as tables: one row per control, positions in twips, created by one loop.
#include <windows.h>

#include <span>
#include <string>

namespace bw {

struct ControlSpec {
    const wchar_t* name; // the designed name, e.g. L"txtUserName"
    int id;
    const wchar_t* windowClass;
    DWORD style; // WS_CHILD is added; WS_TABSTOP only where the control takes the focus
    DWORD exStyle;
    int left, top, width, height; // twips, relative to the parent's client area
    const wchar_t* text;
    int tabIndex; // -1: not in the tab order (labels, pictures, lines)
};

// The screen's logical DPI.
int ScreenDpi();

// Creates every control of the table as a child of parent, in tab order (the z-order gives Tab its order),
// converts twips to pixels with dpi and gives each the font.
void CreateControls(HWND parent, std::span<const ControlSpec> controls, int dpi, HFONT font);

// Sizes a window so that its client area is width x height pixels, centred on the screen's work area.
void SizeAndCentre(HWND hwnd, int clientWidth, int clientHeight);

// A window's whole text.
std::wstring WindowText(HWND hwnd);

// A control's rectangle in pixels relative to its parent's client area.
RECT ChildRect(HWND child);

} // namespace bw
