#include "ui/about_window.h"

#include "resource.h"
#include "ui/dialog_layout.h"
#include "ui/twips_logic.h"
#include "ui/web_address.h"

namespace bw {

namespace {

constexpr wchar_t kClassName[] = L"BrandwickAbout";
constexpr int kClientWidth = 4560;
constexpr int kClientHeight = 2355;

// cmdOk answers to IDOK and IDCANCEL alike: the dialog manager sends those for Enter and Esc.
constexpr int kIdOk = IDOK;
constexpr int kIdIcon = 200;
constexpr int kIdWeb = 201;
constexpr int kIdEmail = 202;
constexpr int kIdQQ = 203;
constexpr int kIdName = 204;
constexpr int kIdDescription = 205;
constexpr int kIdTitle = 206;
constexpr int kIdVersion = 207;

constexpr OleColor kBlue = 0x00FF0000u;
constexpr OleColor kBlack = 0x00000000u;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;

constexpr ControlSpec kControls[] = {
    {L"cmdOk", kIdOk, L"Button", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 3000, 1680, 1020, 345, L"确定", 0},
    {L"imgICO", kIdIcon, L"Static", WS_VISIBLE | SS_OWNERDRAW, 0, 240, 120, 615, 615, L"", -1},
    {L"lblWWW1", kIdWeb, L"Static", kLabel | SS_NOTIFY, 0, 600, 2040, 1800, 180, kMakerWebAddress, 7, nullptr, true,
     kBlue},
    {L"lblEmail", kIdEmail, L"Static", kLabel, 0, 600, 1800, 2070, 180, L"E-mail:support@bwk.example", 6, nullptr,
     true},
    {L"lblQQ", kIdQQ, L"Static", kLabel, 0, 1440, 1560, 900, 180, L"QQ:000000", 5, nullptr, true},
    {L"lblName", kIdName, L"Static", kLabel, 0, 600, 1560, 540, 180, L"开发组", 4, nullptr, true},
    {L"lblDescription", kIdDescription, L"Static", kLabel, 0, 960, 600, 990, 180, L"Description", 1, nullptr, true,
     kBlack},
    {L"lblTitle", kIdTitle, L"Static", kLabel, 0, 960, 120, 540, 180, L"Brandwick", 2, nullptr, true, kBlack},
    {L"lblVersion", kIdVersion, L"Static", kLabel, 0, 960, 360, 450, 180, L"V1.00", 3, nullptr, true},
};

// Line2 and, one pixel below it, Line1 make an etched separator.
constexpr LineSpec kLines[] = {
    {L"Line1", 120, 1455, 4440, 1455, 0x80000000u | COLOR_3DHILIGHT},
    {L"Line2", 120, 1440, 4440, 1440, 0x80000000u | COLOR_3DDKSHADOW},
};

constexpr wchar_t kDescription[] = L"Brandwick是一款小巧、方便的用来修改系统\n"
                                   L"OEM信息的工具。它完全模仿“系统属性”\n"
                                   L"窗口，让您能够非常直观地修改OEM信息。\n"
                                   L"(目前仅在Windows XP下测试通过。)";

constexpr int kShowMaximized = 3;

} // namespace

bool AboutWindow::Open() {
    return OpenOnce({.className = kClassName,
                     .caption = L"关于 Brandwick",
                     .exStyle = WS_EX_DLGMODALFRAME,
                     .clientWidth = kClientWidth,
                     .clientHeight = kClientHeight,
                     .controls = kControls,
                     .defaultButton = kIdOk,
                     .firstFocus = kIdOk});
}

void AboutWindow::Load() {
    HWND description = GetDlgItem(hwnd(), kIdDescription);
    SetWindowTextW(description, kDescription);
    SizeLabelToText(description);
    m_emblem = m_os.LoadResourceBitmap(IDB_EMBLEM);
    InvalidateRect(GetDlgItem(hwnd(), kIdIcon), nullptr, TRUE);
    m_hand = m_os.LoadResourceCursor(IDCUR_HAND);
}

void AboutWindow::DrawEmblem(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    BITMAP info{};
    if (!m_emblem || !GetObjectW(m_emblem.get(), sizeof(info), &info))
        return;
    UniqueMemoryDC memory(CreateCompatibleDC(item.hDC));
    if (!memory)
        return;
    ScopedSelect selected(memory.get(), m_emblem.get());
    // The emblem is larger than its place; halftone keeps it legible when scaled down.
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
               item.rcItem.bottom - item.rcItem.top, memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

LRESULT AboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdOk || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd());
        } else if (LOWORD(wParam) == kIdWeb && HIWORD(wParam) == STN_CLICKED) {
            m_os.ShellOpen(kMakerWebAddress, kShowMaximized);
            PumpEvents();
        }
        return 0;
    case WM_SETCURSOR:
        if (m_hand && reinterpret_cast<HWND>(wParam) == GetDlgItem(hwnd(), kIdWeb) && LOWORD(lParam) == HTCLIENT) {
            SetCursor(m_hand.get());
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
        return ColorStatic(kControls, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlID == static_cast<UINT>(kIdIcon)) {
            DrawEmblem(*item);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return ModelessDialog::HandleMessage(msg, wParam, lParam);
}

void AboutWindow::Paint(HDC dc) {
    PaintLines(dc, kLines, m_dpi);
}

void AboutWindow::OnDestroyed() {
    // The cursor may still be the one shown; it must not be destroyed while in use.
    if (m_hand && GetCursor() == m_hand.get())
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    m_hand.reset();
    m_emblem.reset();
    ModelessDialog::OnDestroyed();
}

} // namespace bw
