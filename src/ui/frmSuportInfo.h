#pragma once
// The support information editor: the support lines as free text, one line per support line.
#include "core/app_state.h"
#include "core/platform.h"
#include "ui/modeless_dialog.h"

namespace bw {

// Unload closes it without committing.
class frmSuportInfo : public ModelessDialog {
public:
    frmSuportInfo(AppState& state, Platform& os) : m_state(state), m_os(os) {}
    ~frmSuportInfo() override { Unload(); }

    // Loads the window if it is not open (reading the file afresh), then shows it and brings it forward.
    bool Open();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Load() override;
    void OnDestroyed() override;

private:
    void Commit();

    AppState& m_state;
    Platform& m_os;
    HWND m_lastFocus = nullptr;
};

} // namespace bw
