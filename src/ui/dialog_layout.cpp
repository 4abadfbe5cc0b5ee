#include "ui/dialog_layout.h"

#include "ui/twips_logic.h"

#include <string>
#include <vector>

namespace bw {

namespace {

const DialogControl* RowOf(std::span<const DialogControl> rows, HWND control) {
    const int id = GetDlgCtrlID(control);
    for (const DialogControl& row : rows)
        if (row.spec.id == id)
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

void CreateDialogControls(HWND parent, std::span<const DialogControl> rows, int dpi, HFONT font) {
    std::vector<ControlSpec> specs;
    for (const DialogControl& row : rows)
        specs.push_back(row.spec);
    CreateControls(parent, specs, dpi, font);
    for (const DialogControl& row : rows)
        if (row.autoSize)
            SizeLabelToText(GetDlgItem(parent, row.spec.id));
}

void PlaceDialogControls(HWND parent, std::span<const DialogControl> rows, int dpi, HFONT font) {
    std::vector<ControlSpec> specs;
    for (const DialogControl& row : rows)
        specs.push_back(row.spec);
    PlaceControls(parent, specs, dpi, font);
    for (const DialogControl& row : rows)
        if (row.autoSize)
            SizeLabelToText(GetDlgItem(parent, row.spec.id));
}

void SizeLabelToText(HWND label) {
    if (!label)
        return;
    const std::wstring text = WindowText(label);
    WindowDC dc(label);
    if (!dc.get())
        return;
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT rc{};
    // The flags a static control draws with, so the measured text fits without wrapping.
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
    SetWindowPos(label, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ColorStatic(std::span<const DialogControl> rows, HDC dc, HWND control) {
    const DialogControl* row = RowOf(rows, control);
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

UniqueWindow CreateHiddenOwner() {
    return UniqueWindow(
        CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void MoveFocusToTabStop(HWND window, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam)) {
        SetFocus(reinterpret_cast<HWND>(wParam));
        return;
    }
    HWND focus = GetFocus();
    if (!IsChild(window, focus))
        focus = nullptr;
    if (HWND next = GetNextDlgTabItem(window, focus, wParam != 0))
        SetFocus(next);
}

} // namespace bw
