#include "ui/dialog_layout.h"

#include "ui/twips_logic.h"

namespace bw {

namespace {

const ControlSpec* RowOf(std::span<const ControlSpec> rows, HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const ControlSpec& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace

COLORREF ColorFromOle(OleColor color) {
    if (color & 0x80000000u)
        return GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

UniqueFont CreateDialogFont(int dpi) {
    return UniqueFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  L"宋体"));
}

LRESULT ColorStatic(std::span<const ControlSpec> rows, HDC dc, HWND control) {
    const ControlSpec* row = RowOf(rows, control);
    const OleColor fore = row && row->foreColor != kControlDefaultColor ? row->foreColor : 0x80000000u | COLOR_BTNTEXT;
    SetTextColor(dc, ColorFromOle(fore));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void PaintLines(HDC dc, std::span<const LineSpec> lines, int dpi) {
    for (const LineSpec& line : lines) {
        UniquePen pen(CreatePen(PS_SOLID, 1, ColorFromOle(line.color)));
        if (!pen)
            continue;
        ScopedSelect selected(dc, pen.get());
        MoveToEx(dc, TwipsToPixels(line.x1, dpi), TwipsToPixels(line.y1, dpi), nullptr);
        LineTo(dc, TwipsToPixels(line.x2, dpi), TwipsToPixels(line.y2, dpi));
    }
}

} // namespace bw
