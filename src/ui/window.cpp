#include "ui/window.h"

#include "resource.h"
#include "ui/dialog_layout.h"
#include "ui/twips_logic.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace bw {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// The tooltips learn of the mouse from the message loop: subclassing their controls instead would cost a round trip
// to the wineserver for every message to them under Wine.
std::vector<HWND>& RelayedTooltips() {
    static std::vector<HWND> tooltips;
    return tooltips;
}

HWND CreateTooltips(HWND owner, std::span<const ControlSpec> controls, std::span<const HWND> handles) {
    HWND tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltips)
        return nullptr;
    for (std::size_t i = 0; i < controls.size() && i < handles.size(); ++i) {
        const ControlSpec& c = controls[i];
        if (!c.tooltip || !handles[i])
            continue;
        TTTOOLINFOW ti{};
        // The smaller record: version 5 of the common controls rejects the newer size.
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = c.container ? ControlOf(controls, handles, c.container) : owner;
        ti.uId = reinterpret_cast<UINT_PTR>(handles[i]);
        ti.lpszText = const_cast<wchar_t*>(c.tooltip);
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    RelayedTooltips().push_back(tooltips);
    return tooltips;
}

UniqueIcon LoadProgramIcon(int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0)));
}

bool IsMouseMessage(UINT msg) {
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return true;
    default:
        return false;
    }
}

void Dispatch(MSG& msg) {
    if (IsMouseMessage(msg.message)) {
        for (HWND tooltips : RelayedTooltips())
            SendMessageW(tooltips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace

void RegisterWindowClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

Window::~Window() {
    if (m_hwnd) {
        // The window outlives its object only by mistake; detach it so no message reaches a dead object.
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

bool Window::CreateFromDesign(const WindowDesign& design, HWND owner) {
    RegisterWindowClass(design.className, WindowProc);
    m_design = design;
    m_controls.assign(design.controls.size(), nullptr);
    if (!CreateWindowExW(design.exStyle, design.className, design.caption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100,
                         100, owner, nullptr, GetModuleHandleW(nullptr), this))
        return false;
    m_bigIcon = LoadProgramIcon(SM_CXICON);
    m_smallIcon = LoadProgramIcon(SM_CXSMICON);
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    m_dpi = WindowDpi(m_hwnd);
    SizeAndCentre(m_hwnd, TwipsToPixels(design.clientWidth, m_dpi), TwipsToPixels(design.clientHeight, m_dpi));
    Layout(m_dpi);
    m_tooltips = CreateTooltips(m_hwnd, design.controls, m_controls);
    return true;
}

HWND Window::Child(int id) const {
    return ControlOf(m_design.controls, m_controls, id);
}

void Window::Layout(int dpi) {
    // The old font stays selected in the controls until they have the new one.
    UniqueFont font = CreateDialogFont(dpi);
    LayOutControls(m_hwnd, m_design.controls, m_controls, dpi, font.get());
    m_font = std::move(font);
    m_dpi = dpi;
}

bool Window::HandleDialogMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_NEXTDLGCTL: {
        // What the dialog manager sends for Tab; only a dialog's own procedure would act on it.
        HWND focus = GetFocus();
        if (LOWORD(lParam)) {
            SetFocus(reinterpret_cast<HWND>(wParam));
        } else if (HWND next = GetNextDlgTabItem(m_hwnd, IsChild(m_hwnd, focus) ? focus : nullptr, wParam != 0)) {
            SetFocus(next);
        }
        return true;
    }
    case DM_GETDEFID: {
        // A focused push button takes Enter itself, as in a dialog; elsewhere the default button, if any.
        HWND focus = GetFocus();
        int id = m_design.defaultButton;
        if (focus && GetParent(focus) == m_hwnd &&
            (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            id = GetDlgCtrlID(focus);
        result = id ? MAKELRESULT(id, DC_HASDEFID) : 0;
        return true;
    }
    case WM_ACTIVATE:
        // The control that had the focus gets it back, as in a dialog.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(m_hwnd, focus))
                m_lastFocus = focus;
        } else {
            const bool kept = m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_hwnd, m_lastFocus);
            SetFocus(kept ? m_lastFocus : GetDlgItem(m_hwnd, m_design.firstFocus));
        }
        return true;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        Layout(HIWORD(wParam));
        SizeAt(m_hwnd, suggested.left, suggested.top, TwipsToPixels(m_design.clientWidth, m_dpi),
               TwipsToPixels(m_design.clientHeight, m_dpi));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return true;
    }
    case WM_PAINT:
        if (PaintDC dc(m_hwnd); dc)
            Paint(dc.get());
        return true;
    case WM_PRINTCLIENT:
        if (lParam & PRF_ERASEBKGND)
            SendMessageW(m_hwnd, WM_ERASEBKGND, wParam, 0);
        Paint(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_GETMINMAXINFO: {
        // The windows are fixed and take the size of their tables, at a large scale also more than the screen holds
        // (which the system would otherwise cut the window down to).
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxTrackSize = {0x7FFF, 0x7FFF};
        return true;
    }
    default:
        return false;
    }
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleDialogMessage(msg, wParam, lParam, result))
        return result;
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);

    // Built without exceptions: nothing can unwind through the system's code.
    if (msg == WM_DESTROY && self->m_tooltips) {
        std::erase(RelayedTooltips(), self->m_tooltips);
        self->m_tooltips = nullptr;
    }
    const LRESULT result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        self->m_lastFocus = nullptr;
        self->m_controls.clear();
        self->OnDestroyed();
        self->m_font.reset();
        self->m_bigIcon.reset();
        self->m_smallIcon.reset();
    }
    return result;
}

void ShowMessage(const Reporter& reporter, HWND owner, const std::wstring& text, UINT flags) {
    if (reporter)
        reporter(text, flags);
    else
        MessageBoxW(owner, text.c_str(), L"Brandwick", flags);
}

void PumpEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        Dispatch(msg);
    return static_cast<int>(msg.wParam);
}

} // namespace bw
