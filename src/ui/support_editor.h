#pragma once
// The support information editor: the support lines as free text, one line per support line.
#include "core/app_state.h"
#include "core/platform.h"
#include "ui/modeless_dialog.h"

namespace bw {

// Unload closes it without committing.
class SupportEditor : public ModelessDialog {
public:
    SupportEditor(AppState& state, Platform& os) : m_state(state), m_os(os) {}
    ~SupportEditor() override { Unload(); }

    // Loads the window if it is not open (reading the file and the key afresh), then shows it and brings it forward.
    bool Open();
    // Where the editor's messages go; a message box owned by the editor unless replaced.
    void SetReporter(const Reporter& reporter) { m_report = reporter; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Load() override;

private:
    // False, and the editor stays open, when the support address is no web address.
    bool Commit();

    AppState& m_state;
    Platform& m_os;
    Reporter m_report;
    bool m_keyed = false;      // this opening shows the OEMInformation key's support values
    SupportKeyValues m_loaded; // the key's string values this opening showed
};

} // namespace bw
