#include "ui/frmAbout.h"

#include "ui/layout.h"

namespace bw {

namespace {
constexpr wchar_t kClassName[] = L"BrandwickAbout";
}

bool frmAbout::Open() {
    if (!IsOpen()) {
        RegisterClassOnce(kClassName, nullptr);
        if (!CreateWindowOf(kClassName, L"\u5173\u4E8E Brandwick", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 100, 100,
                            nullptr))
            return false;
        SizeAndCentre(hwnd(), 304, 157);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

void frmAbout::Unload() {
    if (IsOpen())
        DestroyWindow(hwnd());
}

LRESULT frmAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace bw
