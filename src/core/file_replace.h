#pragma once
#include "core/platform.h"

#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Replaces target with a copy of source in a way that an interruption leaves either the old or the new file
// whole: the copy is made beside the target and then renamed over it in one step. The target's hidden,
// system and read-only attributes are kept. True when the target now holds source's content.
// With `expected`, the copy must hold exactly those bytes before it replaces anything: a source changed by
// another process since it was written is not installed.
bool ReplaceFileSafely(Platform& os, const std::wstring& source, const std::wstring& target,
                       std::optional<std::string_view> expected = std::nullopt);

// Deletes a staging file only while it holds what this run put there.
void DeleteIfOurs(Platform& os, const std::wstring& path, const std::optional<std::string>& ours);

} // namespace bw
