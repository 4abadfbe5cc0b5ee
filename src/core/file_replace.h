#pragma once
#include "core/platform.h"

#include <string>

namespace bw {

// Replaces target with a copy of source in a way that an interruption leaves either the old or the new file
// whole: the copy is made beside the target and then renamed over it in one step. The target's hidden,
// system and read-only attributes are kept. True when the target now holds source's content.
bool ReplaceFileSafely(Platform& os, const std::wstring& source, const std::wstring& target);

} // namespace bw
