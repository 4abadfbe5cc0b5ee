#pragma once
// The support information editor: the support lines as free text, one line per support line.
#include "core/app_state.h"
#include "core/platform.h"
#include "ui/window.h"

namespace bw {

class frmSuportInfo : public Window {
public:
    frmSuportInfo(AppState& state, Platform& os) : m_state(state), m_os(os) {}
    ~frmSuportInfo() override;

    // Loads the window if it is not open (reading the file afresh), then shows it and brings it forward.
    bool Open();
    // Closes the window without committing; nothing happens when it is not open.
    void Unload();
    bool IsOpen() const { return hwnd() != nullptr; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void Load();
    void Commit();

    AppState& m_state;
    Platform& m_os;
    UniqueWindow m_owner;
    UniqueFont m_font;
    HWND m_lastFocus = nullptr;
};

} // namespace bw
