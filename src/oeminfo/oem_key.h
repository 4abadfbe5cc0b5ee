#pragma once
// The OEMInformation key, from which System takes maker, model and logo from Windows Vista on; before that
// nothing reads or writes it.
#include "core/app_state.h"
#include "core/platform.h"
#include "oeminfo/oeminfo.h"

#include <optional>
#include <string>

namespace bw {

inline constexpr wchar_t kOemInformationKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

// Maker and model as System shows them: the key's where it has them, else the file's.
OemInfo LoadShownOemInfo(const AppState& state, Platform& os);

// The key's maker and model, an empty value as empty; absent where missing or where the system has no such key.
OemInfo LoadOemKeyInfo(Platform& os);

// The picture the key names, with the environment's values in place; empty when it names none.
std::wstring OemKeyLogo(Platform& os);

// What to store in the key; an absent value is left as it is.
struct OemKeyValues {
    std::optional<std::wstring> maker, model;
    std::optional<std::wstring> supportPhone, supportHours, supportUrl, supportProvider;
};

// Stores the values given as they are and, once this run has installed a logo, where it is; every other value of
// the key stays. nullopt when all was stored or the system has no such key, else why the first value was not.
SaveResult SaveOemKey(const AppState& state, Platform& os, const OemKeyValues& values);

// True where the system has the key and shows its values: NT 6.0 and later.
bool HasOemKey(Platform& os);

// The support values the system shows, from the key: a string value, empty ones included; all absent where the system
// has no such key. A value of another type is absent too, so that it is never stored back as a string unasked.
OemKeyValues LoadOemKeySupport(Platform& os);

} // namespace bw
