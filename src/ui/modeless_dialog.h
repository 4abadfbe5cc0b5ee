#pragma once
// A secondary window that exists at most once: opening it again only brings it forward, and it never blocks
// the main window.
#include "core/unique_handle.h"
#include "ui/window.h"

namespace bw {

class ModelessDialog : public Window {
public:
    // Closes the window; nothing happens when it is not open.
    void Unload() {
        if (IsOpen())
            DestroyWindow(hwnd());
    }
    bool IsOpen() const { return hwnd() != nullptr; }

protected:
    // Creates the window and its controls and runs Load when it is not open, then shows it and brings it forward.
    bool OpenOnce(const WindowDesign& design);
    // Fills the controls; runs once per opening.
    virtual void Load() = 0;

private:
    UniqueWindow m_owner; // hidden: keeps the window out of the task bar
};

} // namespace bw
