#pragma once
// The OEMInformation key, from which System takes maker, model and logo from Windows Vista on.
#include "core/os_version_logic.h"

#include <optional>
#include <string>

namespace bw {

// True on NT 6.0 and later only.
bool OemKeyApplies(const OsVersion& v);

// What a box shows: the key's value where the key has one (an empty value counts as none), else the file's.
std::optional<std::wstring> ShownValue(const std::wstring& fromKey, const std::optional<std::wstring>& fromFile);

} // namespace bw
