#include "ui/frmSuportInfo.h"

#include "ui/layout.h"

namespace bw {

namespace {
constexpr wchar_t kClassName[] = L"BrandwickSupportInfo";
}

bool frmSuportInfo::Open() {
    if (!IsOpen()) {
        RegisterClassOnce(kClassName, nullptr);
        if (!CreateWindowOf(kClassName, L"frmSuportInfo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 100, 100,
                            nullptr))
            return false;
        SizeAndCentre(hwnd(), 383, 263);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

void frmSuportInfo::Unload() {
    if (IsOpen())
        DestroyWindow(hwnd());
}

LRESULT frmSuportInfo::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace bw
