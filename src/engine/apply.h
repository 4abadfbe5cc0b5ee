#pragma once
// What Apply does, decided once for the main window and the command line: plain values in, what could not be
// saved out. It shows nothing; each front end presents the result in its own way.
#include "core/app_state.h"
#include "core/platform.h"
#include "engine/rules_logic.h"

#include <optional>
#include <string>
#include <vector>

namespace bw {

// Why each item could not be saved; absent for the items that were.
struct ApplyResult {
    SaveResult owner, organization, productId;
    SaveResult oemInfo, logo, oemKey;
    bool AllSaved() const { return !(owner || organization || productId || oemInfo || logo || oemKey); }
};

// Saves in a fixed order: the registration values, oeminfo.ini, the logo, the OEMInformation key. A step that
// fails does not stop the ones after it. The directories of the state must have been computed.
ApplyResult ApplyBranding(AppState& state, Platform& os, const Branding& branding);

// Why an item was not saved: the system's text for its error code, or what went wrong where it named none.
std::wstring FailureText(const SaveFailure& failure);

// The one message naming every item that was not saved, each with the system's reason where it gave one; empty when
// all was saved.
std::wstring NotSavedMessage(const ApplyResult& result);

} // namespace bw
