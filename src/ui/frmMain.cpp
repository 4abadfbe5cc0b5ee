#include "ui/frmMain.h"

#include "core/directories.h"

#include <commctrl.h>

namespace bw {

namespace {
constexpr wchar_t kClassName[] = L"BrandwickMain";
constexpr int kClientWidthTwips = 6135;
constexpr int kClientHeightTwips = 7395;
} // namespace

bool frmMain::Create(int showCommand) {
    InitCommonControls();
    RegisterClassOnce(kClassName, nullptr);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT rc{0, 0, MulDiv(kClientWidthTwips, dpi, 1440), MulDiv(kClientHeightTwips, dpi, 1440)};
    AdjustWindowRectEx(&rc, style, FALSE, WS_EX_APPWINDOW);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    if (!CreateWindowOf(kClassName, L"Brandwick", style, WS_EX_APPWINDOW, x, y, w, h, nullptr))
        return false;
    Load();
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    return true;
}

void frmMain::Load() {
    ComputeSystemDirectory(m_state, m_os);
    ComputeTempDirectory(m_state, m_os);
}

void frmMain::Unload() {
    m_os.DeletePath(m_state.StagedOemInfoPath());
    m_os.DeletePath(m_state.StagedLogoPath());
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Unload();
        DestroyWindow(hwnd());
        return 0;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

void frmMain::OnDestroyed() { PostQuitMessage(0); }

} // namespace bw
