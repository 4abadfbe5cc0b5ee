#include "core/file_replace.h"

namespace bw {

bool ReplaceFileSafely(Platform& os, const std::wstring& source, const std::wstring& target,
                       std::optional<std::string_view> expected) {
    const std::wstring sibling = target + L".new";
    if (os.FileAttributes(sibling)) {
        // Left behind by an interrupted save; it never replaced anything.
        os.SetAttributes(sibling, FILE_ATTRIBUTE_NORMAL);
        os.DeletePath(sibling);
    }
    if (!os.CopyFileOver(source, sibling) || (expected && os.ReadFile(sibling) != *expected)) {
        os.DeletePath(sibling);
        return false;
    }

    const auto old = os.FileAttributes(target);
    if (old == kUnknownAttributes) {
        // Without the old attributes the file could not be replaced as it was.
        os.DeletePath(sibling);
        return false;
    }
    const bool readOnly = old && (*old & FILE_ATTRIBUTE_READONLY);
    // A read-only file cannot be replaced by a rename.
    if (readOnly && !os.SetAttributes(target, *old & ~static_cast<std::uint32_t>(FILE_ATTRIBUTE_READONLY))) {
        os.DeletePath(sibling);
        return false;
    }
    if (!os.MoveFileOver(sibling, target)) {
        if (readOnly)
            os.SetAttributes(target, *old);
        os.DeletePath(sibling);
        return false;
    }

    constexpr std::uint32_t kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (old && (*old & kKept)) {
        // The content is in place whatever happens here; a lost attribute only changes how the file is listed.
        os.SetAttributes(target, *old & (kKept | FILE_ATTRIBUTE_ARCHIVE));
    }
    return true;
}

void DeleteIfOurs(Platform& os, const std::wstring& path, const std::optional<std::string>& ours) {
    if (ours && os.ReadFile(path) == *ours)
        os.DeletePath(path);
}

} // namespace bw
