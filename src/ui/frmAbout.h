#pragma once
// The About window.
#include "core/platform.h"
#include "ui/window.h"

namespace bw {

class frmAbout : public Window {
public:
    explicit frmAbout(Platform& os) : m_os(os) {}
    ~frmAbout() override;

    // Loads the window if it is not open, then shows it and brings it forward.
    bool Open();
    void Unload();
    bool IsOpen() const { return hwnd() != nullptr; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void Load();
    void DrawEmblem(const DRAWITEMSTRUCT& item) const;

    Platform& m_os;
    UniqueWindow m_owner;
    UniqueFont m_font;
    UniqueBitmap m_emblem;
    UniqueCursor m_hand;
    int m_dpi = 96;
};

} // namespace bw
