#pragma once
// Windows described as tables: one row per control, positions in twips, created by one loop.
#include "core/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bw {

// Colours as the designs write them: 0x00bbggrr a fixed colour, 0x800000nn the system colour of index nn.
using OleColor = std::uint32_t;
inline constexpr OleColor kControlDefaultColor = 0xFFFFFFFFu;

struct ControlSpec {
    const wchar_t* name; // the designed name, e.g. L"txtUserName"
    int id;
    const wchar_t* windowClass; // none: no window of its own (a common dialog, a shape painted on the surface)
    DWORD style;                // WS_CHILD is added; WS_TABSTOP only where the control takes the focus
    DWORD exStyle;
    int left, top, width, height; // twips, relative to the parent's client area
    const wchar_t* text;
    int tabIndex; // -1: not in the tab order (labels, pictures, lines)
    const wchar_t* tooltip = nullptr;
    bool autoSize = false;                     // a label that takes the size of its text
    OleColor foreColor = kControlDefaultColor; // kControlDefaultColor: the control's own
    int container = 0;                         // the id of the control it lies in; 0: the window itself
};

// The row of that name; a name missing from the table does not compile where a constant is needed.
constexpr const ControlSpec& RowNamed(std::span<const ControlSpec> controls, const wchar_t* name) {
    for (const ControlSpec& c : controls) {
        if (std::wstring_view(c.name) == name)
            return c;
    }
    __builtin_unreachable();
}

// The screen's logical DPI.
int ScreenDpi();

// The DPI the window is drawn at: that of its monitor where the system tells (Windows 10 1607 on), else the screen's.
int WindowDpi(HWND hwnd);

// Puts every control of the table in its place at dpi with the font, creating those the window does not have yet in
// tab order (the z-order gives Tab its order), and sizes the self-sizing labels to their text. handles holds each
// row's control (null for a row without one yet); the controls created are added to it.
void LayOutControls(HWND window, std::span<const ControlSpec> controls, std::span<HWND> handles, int dpi, HFONT font);

// The control of the row with that id, from the handles LayOutControls keeps; null when it has none. Asking the window
// instead (GetDlgItem) costs a round trip to the wineserver under Wine.
HWND ControlOf(std::span<const ControlSpec> controls, std::span<const HWND> handles, int id);

// Gives a label the size of its text in its own font; its top-left corner stays.
void SizeLabelToText(HWND label);

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
