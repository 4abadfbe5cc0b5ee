#pragma once
// What Apply does, decided once for the main window and the command line: plain values in, what could not be
// saved out. It shows nothing; each front end presents the result in its own way.
#include "core/app_state.h"
#include "core/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace bw {

// What to set. An absent item is left as it is on the PC.
struct Branding {
    std::optional<std::wstring> owner, organization, productId;
    std::optional<std::wstring> maker, model;
    // Present, it replaces every support line; absent, the lines the editor committed this run, else the file's.
    std::optional<std::vector<std::wstring>> supportLines;
    // Values of the OEMInformation key, from which the system shows support information on NT 6.0 and later.
    std::optional<std::wstring> supportPhone, supportHours, supportUrl, supportProvider;
    // A checked picture to install; absent, whatever the logo button staged (if anything) is installed.
    std::optional<std::string> logo;
};

// Why each item could not be saved; absent for the items that were.
struct ApplyResult {
    SaveResult owner, organization, productId;
    SaveResult oemInfo, logo, oemKey;
    bool AllSaved() const { return !(owner || organization || productId || oemInfo || logo || oemKey); }
};

// Saves in a fixed order: the registration values, oeminfo.ini, the logo, the OEMInformation key. A step that
// fails does not stop the ones after it. The directories of the state must have been computed.
ApplyResult ApplyBranding(AppState& state, Platform& os, const Branding& branding);

// The one message naming every item that was not saved, each with the system's reason where it gave one; empty when
// all was saved.
std::wstring NotSavedMessage(const ApplyResult& result);

} // namespace bw
