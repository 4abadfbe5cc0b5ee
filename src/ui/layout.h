#pragma once
// Windows described as tables: one row per control, positions in twips, created by one loop.
#include "core/unique_handle.h"

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

// The DPI the window is drawn at: that of its monitor where the system tells (Windows 10 1607 on), else the screen's.
int WindowDpi(HWND hwnd);

// Creates every control of the table as a child of parent, in tab order (the z-order gives Tab its order),
// converts twips to pixels with dpi and gives each the font.
void CreateControls(HWND parent, std::span<const ControlSpec> controls, int dpi, HFONT font);

// Moves each control of the table to its place at dpi and gives it the font: a window's new scale.
void PlaceControls(HWND parent, std::span<const ControlSpec> controls, int dpi, HFONT font);

// Sizes a window so that its client area is width x height pixels, centred on the screen's work area.
void SizeAndCentre(HWND hwnd, int clientWidth, int clientHeight);
// The same with the window's top-left corner at x, y.
void SizeAt(HWND hwnd, int x, int y, int clientWidth, int clientHeight);

// A picture drawn for 96 DPI and what a static control of style SS_BITMAP shows of it at the window's scale.
struct ScaledPicture {
    UniqueBitmap source;
    UniqueBitmap scaled; // none at 96 DPI, where the control shows the picture itself

    // The control takes the size of the bitmap it is given.
    void ShowIn(HWND control, int dpi);
};

// The bitmap stretched to its size at dpi with halftone, as a 24-bit DIB section a static control shows as it is.
UniqueBitmap ScaleBitmap(HBITMAP source, int dpi);

// A window's whole text.
std::wstring WindowText(HWND hwnd);

// A control's rectangle in pixels relative to its parent's client area.
RECT ChildRect(HWND child);

} // namespace bw
