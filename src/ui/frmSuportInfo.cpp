#include "ui/frmSuportInfo.h"

#include "oeminfo/oeminfo.h"
#include "oeminfo/oeminfo_logic.h"
#include "registry/mReg.h"
#include "registry/registration.h"
#include "resource.h"
#include "ui/dialog_layout.h"
#include "ui/support_split_logic.h"
#include "ui/twips_logic.h"

#include <string>

namespace bw {

namespace {

constexpr wchar_t kClassName[] = L"BrandwickSupportInfo";
constexpr int kClientWidth = 5745;
constexpr int kClientHeight = 3945;

// Not IDOK or IDCANCEL: the dialog manager sends those for Enter and Esc, and here neither key closes.
constexpr int kIdText = 100;
constexpr int kIdOk = 101;
constexpr int kIdCancel = 102;

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEditor =
    WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN;

constexpr DialogControl kControls[] = {
    {{L"cmdCancel", kIdCancel, L"Button", kButton, 0, 2880, 3360, 1095, 375, L"取消", 2}, kControlDefaultColor, false},
    {{L"cmdOk", kIdOk, L"Button", kButton, 0, 1680, 3360, 1095, 375, L"确定", 1}, kControlDefaultColor, false},
    {{L"txtSuportInfo", kIdText, L"Edit", kEditor, WS_EX_CLIENTEDGE, 240, 240, 5295, 3015, L"", 0},
     kControlDefaultColor,
     false},
};

// The edit class's own procedure. Classic subclassing rather than SetWindowSubclass, which comctl32
// exports by name only from version 6: Windows 2000 has 5.8 alone.
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR:
        if (wParam == L' ') {
            // The system strips spaces around values, so a typed space is stored as character 127.
            // A pasted space is not typed and stays a space.
            SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\x7F"));
            return 0;
        }
        break;
    case WM_KEYDOWN:
        // Inside a dialog a multi-line edit closes its window on Esc; here Esc does nothing.
        if (wParam == VK_ESCAPE)
            return 0;
        break;
    }
    return CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
}

} // namespace

bool frmSuportInfo::Open() {
    return OpenOnce({kClassName, L"frmSuportInfo", 0, kClientWidth, kClientHeight, kControls});
}

void frmSuportInfo::Load() {
    HWND editor = GetDlgItem(hwnd(), kIdText);
    if (const LONG_PTR editProc = SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)))
        g_editProc = reinterpret_cast<WNDPROC>(editProc);
    SendMessageW(editor, EM_SETLIMITTEXT, 0, 0);
    m_lastFocus = editor;
    SetWindowTextW(hwnd(), GetRegString(m_os, HKEY_LOCAL_MACHINE, kNtVersionKey, L"RegisteredOwner").c_str());
    SetDlgItemTextW(hwnd(), kIdText, LoadSupportText(m_state, m_os).c_str());
}

void frmSuportInfo::Commit() {
    StoreSupportLines(m_state, SplitSupportText(WindowText(GetDlgItem(hwnd(), kIdText))));
    m_state.SupportLines[0] = SupportEditedMarker;
}

LRESULT frmSuportInfo::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdOk) {
            Commit();
            DestroyWindow(hwnd());
        } else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdCancel) {
            DestroyWindow(hwnd());
        }
        return 0;
    case DM_GETDEFID: {
        // No default button: Enter presses only the button that has the focus.
        const int focused = GetDlgCtrlID(GetFocus());
        if (IsChild(hwnd(), GetFocus()) && (focused == kIdOk || focused == kIdCancel))
            return MAKELRESULT(focused, DC_HASDEFID);
        return 0;
    }
    case WM_NEXTDLGCTL:
        MoveFocusToTabStop(hwnd(), wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (IsChild(hwnd(), GetFocus()))
                m_lastFocus = GetFocus();
        } else if (IsWindow(m_lastFocus)) {
            SetFocus(m_lastFocus);
        }
        return 0;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

void frmSuportInfo::OnDestroyed() {
    m_lastFocus = nullptr;
    ModelessDialog::OnDestroyed();
}

} // namespace bw
