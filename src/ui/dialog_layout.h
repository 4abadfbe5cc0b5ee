#pragma once
// What the two dialogs' tables carry beyond the controls themselves: fore colours, labels that size
// themselves to their text, and the lines painted on the window's surface.
#include "core/unique_handle.h"
#include "ui/layout.h"

#include <cstdint>
#include <span>

namespace bw {

// Colours as the designs write them: 0x00bbggrr a fixed colour, 0x800000nn the system colour of index nn.
using OleColor = std::uint32_t;
inline constexpr OleColor kControlDefaultColor = 0xFFFFFFFFu;
COLORREF ColorFromOle(OleColor color);

struct DialogControl {
    ControlSpec spec;
    OleColor foreColor; // kControlDefaultColor: the control's own
    bool autoSize;      // labels that take the size of their text
};

// A one-pixel solid line drawn on the window; start and end in twips.
struct LineSpec {
    const wchar_t* name;
    int x1, y1, x2, y2;
    OleColor color;
};

// "宋体" 9 point, regular, GB2312: the font of every window of the program and its controls.
UniqueFont CreateDialogFont(int dpi);

// Creates the table's controls (tab order and z-order by tab index) and sizes the self-sizing labels.
void CreateDialogControls(HWND parent, std::span<const DialogControl> rows, int dpi, HFONT font);

// Moves the table's controls to their places at a new dpi, with the font, and sizes the self-sizing labels again.
void PlaceDialogControls(HWND parent, std::span<const DialogControl> rows, int dpi, HFONT font);

// Gives a label the size of its text in its own font; its top-left corner stays.
void SizeLabelToText(HWND label);

// Answers WM_CTLCOLORSTATIC for a control of the table: its fore colour on the window's background.
LRESULT ColorStatic(std::span<const DialogControl> rows, HDC dc, HWND control);

void PaintLines(HDC dc, std::span<const LineSpec> lines, int dpi);

// Windows owned by a hidden window stay out of the task bar yet keep a normal caption.
UniqueWindow CreateHiddenOwner();

// Sends focus to the next or previous tab stop (the target of WM_NEXTDLGCTL in a window that is not a dialog).
void MoveFocusToTabStop(HWND window, WPARAM wParam, LPARAM lParam);

} // namespace bw
