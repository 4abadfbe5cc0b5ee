#pragma once
// The About window.
#include "core/platform.h"
#include "ui/modeless_dialog.h"

namespace bw {

class AboutWindow : public ModelessDialog {
public:
    explicit AboutWindow(Platform& os) : m_os(os) {}
    ~AboutWindow() override { Unload(); }

    // Loads the window if it is not open, then shows it and brings it forward.
    bool Open();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Load() override;
    void OnDestroyed() override;
    void Paint(HDC dc) override;

private:
    void DrawEmblem(const DRAWITEMSTRUCT& item) const;

    Platform& m_os;
    UniqueBitmap m_emblem;
    UniqueCursor m_hand;
};

} // namespace bw
