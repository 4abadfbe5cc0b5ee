#include "ui/support_editor.h"

#include "engine/engine.h"
#include "resource.h"
#include "ui/dialog_layout.h"
#include "ui/support_split_logic.h"
#include "ui/twips_logic.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace bw {

namespace {

constexpr wchar_t kClassName[] = L"BrandwickSupportInfo";
constexpr int kClientWidth = 5745;
constexpr int kClientHeight = 3945;

// Not IDOK or IDCANCEL: the dialog manager sends those for Enter and Esc, and here neither key closes.
constexpr int kIdText = 100;
constexpr int kIdOk = 101;
constexpr int kIdCancel = 102;
constexpr int kIdPhone = 103;
constexpr int kIdHours = 104;
constexpr int kIdUrl = 105;
constexpr int kIdProvider = 106;
constexpr int kIdPhoneLabel = 107;
constexpr int kIdHoursLabel = 108;
constexpr int kIdUrlLabel = 109;
constexpr int kIdProviderLabel = 110;

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEditor =
    WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN;

constexpr ControlSpec kControls[] = {
    {L"cmdCancel", kIdCancel, L"Button", kButton, 0, 2880, 3360, 1095, 375, L"取消", 2},
    {L"cmdOk", kIdOk, L"Button", kButton, 0, 1680, 3360, 1095, 375, L"确定", 1},
    {L"txtSuportInfo", kIdText, L"Edit", kEditor, WS_EX_CLIENTEDGE, 240, 240, 5295, 3015, L"", 0},
};

// From Vista on, System shows support values of the OEMInformation key: a row for each under the text, and the
// buttons lower by the rows' height. Each label stands before its box, so the tab order reads as the window does.
constexpr int kKeyRowsHeight = 1455; // four rows of 270 twips 90 apart, and 105 above the buttons
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kKeyBox = WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

constexpr ControlSpec kKeyRows[] = {
    {L"lblSupportPhone", kIdPhoneLabel, L"Static", kLabel, 0, 240, 3405, 810, 180, L"支持电话:", 1, nullptr, true},
    {L"txtSupportPhone", kIdPhone, L"Edit", kKeyBox, WS_EX_CLIENTEDGE, 1320, 3360, 4215, 270, L"", 2},
    {L"lblSupportHours", kIdHoursLabel, L"Static", kLabel, 0, 240, 3765, 810, 180, L"支持时间:", 3, nullptr, true},
    {L"txtSupportHours", kIdHours, L"Edit", kKeyBox, WS_EX_CLIENTEDGE, 1320, 3720, 4215, 270, L"", 4},
    {L"lblSupportURL", kIdUrlLabel, L"Static", kLabel, 0, 240, 4125, 810, 180, L"支持网址:", 5, nullptr, true},
    {L"txtSupportURL", kIdUrl, L"Edit", kKeyBox, WS_EX_CLIENTEDGE, 1320, 4080, 4215, 270, L"", 6},
    {L"lblSupportProvider", kIdProviderLabel, L"Static", kLabel, 0, 240, 4485, 990, 180, L"支持提供者:", 7, nullptr,
     true},
    {L"txtSupportProvider", kIdProvider, L"Edit", kKeyBox, WS_EX_CLIENTEDGE, 1320, 4440, 4215, 270, L"", 8},
};

// The plain window with the key's rows between the text and the buttons: what lay below the text moves down by
// the rows' height and comes after them in the tab order.
constexpr std::array<ControlSpec, std::size(kControls) + std::size(kKeyRows)> WithKeyRows() {
    std::array<ControlSpec, std::size(kControls) + std::size(kKeyRows)> rows{};
    std::size_t n = 0;
    for (ControlSpec row : kControls) {
        if (row.id != kIdText) {
            row.top += kKeyRowsHeight;
            row.tabIndex += static_cast<int>(std::size(kKeyRows));
        }
        rows[n++] = row;
    }
    for (const ControlSpec& row : kKeyRows)
        rows[n++] = row;
    return rows;
}

constexpr auto kControlsWithKey = WithKeyRows();

constexpr std::pair<int, std::optional<std::wstring> SupportKeyValues::*> kKeyBoxes[] = {
    {kIdPhone, &SupportKeyValues::phone},
    {kIdHours, &SupportKeyValues::hours},
    {kIdUrl, &SupportKeyValues::url},
    {kIdProvider, &SupportKeyValues::provider},
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

bool SupportEditor::Open() {
    if (!IsOpen())
        m_keyed = Engine(m_state, m_os).HasOemKey();
    WindowDesign design{.className = kClassName,
                        .caption = L"frmSuportInfo",
                        .exStyle = 0,
                        .clientWidth = kClientWidth,
                        .clientHeight = kClientHeight,
                        .controls = kControls,
                        .defaultButton = 0, // Enter presses only the button that has the focus
                        .firstFocus = kIdText};
    if (m_keyed) {
        design.clientHeight += kKeyRowsHeight;
        design.controls = kControlsWithKey;
    }
    return OpenOnce(design);
}

void SupportEditor::Load() {
    HWND editor = GetDlgItem(hwnd(), kIdText);
    if (const LONG_PTR editProc = SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)))
        g_editProc = reinterpret_cast<WNDPROC>(editProc);
    SendMessageW(editor, EM_SETLIMITTEXT, 0, 0);
    m_lastFocus = editor;
    Engine engine(m_state, m_os);
    SetWindowTextW(hwnd(), engine.SupportCaption().c_str());
    SetDlgItemTextW(hwnd(), kIdText, engine.SupportText().c_str());
    if (!m_keyed)
        return;
    Shown shown;
    engine.ReadSupportKey(shown);
    m_loaded = shown.support;
    for (const auto& [id, value] : kKeyBoxes)
        SetDlgItemTextW(hwnd(), id, (m_loaded.*value).value_or(L"").c_str());
}

bool SupportEditor::Commit() {
    SupportKeyValues key;
    if (m_keyed) {
        for (const auto& [id, value] : kKeyBoxes) {
            // Only what was changed is stored: a value that is no string, or missing, stays as it is unless
            // something is typed in its place, and an unchanged REG_EXPAND_SZ keeps its type.
            std::wstring text = WindowText(GetDlgItem(hwnd(), id));
            if (text != (m_loaded.*value).value_or(L""))
                key.*value = std::move(text);
        }
        // The system opens it as a link.
        Branding url;
        url.supportUrl = key.url;
        if (const auto refused = Engine(m_state, m_os).Check(url); !refused.empty()) {
            ShowMessage(m_report, hwnd(), L"支持网址" + refused.front().why + L"：\n" + *key.url,
                        MB_ICONWARNING | MB_OK);
            HWND url = GetDlgItem(hwnd(), kIdUrl);
            SetFocus(url);
            SendMessageW(url, EM_SETSEL, 0, -1);
            return false;
        }
    }
    Engine(m_state, m_os)
        .CommitSupport(SplitSupportText(WindowText(GetDlgItem(hwnd(), kIdText))),
                       m_keyed ? std::optional(std::move(key)) : std::nullopt);
    return true;
}

LRESULT SupportEditor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdOk) {
            if (Commit())
                DestroyWindow(hwnd());
        } else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdCancel) {
            DestroyWindow(hwnd());
        }
        return 0;
    default:
        return ModelessDialog::HandleMessage(msg, wParam, lParam);
    }
}

} // namespace bw
