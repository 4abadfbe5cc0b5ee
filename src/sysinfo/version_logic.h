#pragma once
// Naming the running Windows from its version record.
#include "core/os_version_logic.h"

#include <optional>
#include <string>

namespace bw {

// What the system label shows: a caption, or nothing (the label keeps its caption).
std::optional<std::wstring> SystemVersionCaption(const OsVersion& v);

} // namespace bw
