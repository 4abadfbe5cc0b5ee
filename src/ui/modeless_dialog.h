#pragma once
// A secondary window that exists at most once: opening it again only brings it forward, and it never blocks
// the main window.
#include "core/unique_handle.h"
#include "ui/dialog_layout.h"
#include "ui/window.h"

#include <span>

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
    struct Design {
        const wchar_t* className;
        const wchar_t* caption;
        DWORD exStyle;
        int clientWidth, clientHeight; // twips
        std::span<const DialogControl> controls;
    };

    // Creates the window and its controls and runs Load when it is not open, then shows it and brings it forward.
    bool OpenOnce(const Design& design);
    // Fills the controls; runs once per opening.
    virtual void Load() = 0;
    // Lays the window out again when it moves to a monitor of another scale.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override { m_font.reset(); }
    int Dpi() const { return m_dpi; }

private:
    void Rescale(int dpi, const RECT& suggested);

    UniqueWindow m_owner; // hidden: keeps the window out of the task bar
    UniqueFont m_font;
    int m_dpi = 96;
    Design m_design{};
};

} // namespace bw
