#pragma once
// The About window.
#include "core/platform.h"
#include "ui/window.h"

namespace bw {

class frmAbout : public Window {
public:
    explicit frmAbout(Platform& os) : m_os(os) {}

    // Loads the window if it is not open, then shows it and brings it forward.
    bool Open();
    void Unload();
    bool IsOpen() const { return hwnd() != nullptr; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    Platform& m_os;
};

} // namespace bw
