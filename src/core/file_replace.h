#pragma once
#include "core/platform.h"

#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Replaces target with the given bytes in a way that an interruption leaves either the old or the new file whole:
// they are written beside the target, put on the disk and renamed over it in one step. The copy must read back as
// exactly those bytes before it replaces anything, and is held against every other opener from its writing to its
// rename (another instance writes beside the same target under the same name); where the system renames only by
// name, the target is read back once it is replaced. The target's hidden, system and read-only attributes are kept.
// nullopt when the target now holds the bytes, else why not.
SaveResult ReplaceFileSafely(Platform& os, std::string_view bytes, const std::wstring& target);

// Deletes a staging file only while it holds what this run put there.
void DeleteIfOurs(Platform& os, const std::wstring& path, const std::optional<std::string>& ours);

} // namespace bw
