#include "ui/modeless_dialog.h"

#include "resource.h"
#include "ui/twips_logic.h"

namespace bw {

bool ModelessDialog::OpenOnce(const Design& design) {
    if (!IsOpen()) {
        if (!m_owner)
            m_owner = CreateHiddenOwner();
        RegisterClassOnce(design.className, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP)));
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        if (!CreateWindowOf(design.className, design.caption, style, design.exStyle, 0, 0, 100, 100, m_owner.get()))
            return false;
        m_design = design;
        m_dpi = WindowDpi(hwnd());
        m_font = CreateDialogFont(m_dpi);
        CreateDialogControls(hwnd(), design.controls, m_dpi, m_font.get());
        SizeAndCentre(hwnd(), TwipsToPixels(design.clientWidth, m_dpi), TwipsToPixels(design.clientHeight, m_dpi));
        Load();
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

LRESULT ModelessDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DPICHANGED) {
        Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void ModelessDialog::Rescale(int dpi, const RECT& suggested) {
    UniqueFont font = CreateDialogFont(dpi);
    PlaceDialogControls(hwnd(), m_design.controls, dpi, font.get());
    m_font = std::move(font);
    m_dpi = dpi;
    SizeAt(hwnd(), suggested.left, suggested.top, TwipsToPixels(m_design.clientWidth, dpi),
           TwipsToPixels(m_design.clientHeight, dpi));
    InvalidateRect(hwnd(), nullptr, TRUE);
}

} // namespace bw
