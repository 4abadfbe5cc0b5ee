#pragma once
// The main window: imitates the General tab of System Properties.
#include "core/app_state.h"
#include "core/platform.h"
#include "ui/window.h"

namespace bw {

class frmMain : public Window {
public:
    frmMain(AppState& state, Platform& os) : m_state(state), m_os(os) {}

    // Creates the window, runs its load sequence and only then shows it.
    bool Create(int showCommand);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void Load();
    void Unload();

    AppState& m_state;
    Platform& m_os;
};

} // namespace bw
