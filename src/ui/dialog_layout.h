#pragma once
// What the windows' tables carry beyond placing the controls: the font, fore colours and the lines painted on the
// window's surface.
#include "core/unique_handle.h"
#include "ui/layout.h"

#include <span>

namespace bw {

COLORREF ColorFromOle(OleColor color);

// A one-pixel solid line drawn on the window; start and end in twips.
struct LineSpec {
    const wchar_t* name;
    int x1, y1, x2, y2;
    OleColor color;
};

// "宋体" 9 point, regular, GB2312: the font of every window of the program and its controls.
UniqueFont CreateDialogFont(int dpi);

// Answers WM_CTLCOLORSTATIC for a control of the table: its fore colour on the window's background.
LRESULT ColorStatic(std::span<const ControlSpec> rows, HDC dc, HWND control);

void PaintLines(HDC dc, std::span<const LineSpec> lines, int dpi);

} // namespace bw
