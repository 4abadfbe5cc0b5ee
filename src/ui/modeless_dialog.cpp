#include "ui/modeless_dialog.h"

namespace bw {

bool ModelessDialog::OpenOnce(const WindowDesign& design) {
    if (!IsOpen()) {
        // Windows owned by a hidden window stay out of the task bar yet keep a normal caption.
        if (!m_owner)
            m_owner.reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr));
        if (!CreateFromDesign(design, m_owner.get()))
            return false;
        Load();
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

} // namespace bw
