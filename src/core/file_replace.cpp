#include "core/file_replace.h"

namespace bw {

SaveResult ReplaceFileSafely(Platform& os, std::string_view bytes, const std::wstring& target) {
    const std::wstring sibling = target + L".new";
    std::uint32_t error = os.WriteFile(sibling, bytes);
    if (error && os.FileAttributes(sibling)) {
        // A copy left behind by an interrupted save, which never replaced anything, may be read-only. Looked for
        // only now: asking for a file that is not there costs a search of the whole system directory.
        os.SetAttributes(sibling, FILE_ATTRIBUTE_NORMAL);
        error = os.WriteFile(sibling, bytes);
    }
    if (error) {
        os.DeletePath(sibling);
        return SaveFailure{PlatformOp::WriteFile, error};
    }
    std::uint32_t readError = 0;
    const auto copy = os.ReadFile(sibling, &readError);
    if (copy != bytes) {
        os.DeletePath(sibling);
        // A copy that reads back as other bytes was changed by another instance: the system names no error.
        return SaveFailure{PlatformOp::ReadFile, copy ? 0 : readError};
    }

    const auto old = os.FileAttributes(target);
    if (old == kUnknownAttributes) {
        // Without the old attributes the file could not be replaced as it was.
        os.DeletePath(sibling);
        return SaveFailure{PlatformOp::FileAttributes, 0};
    }
    const bool readOnly = old && (*old & FILE_ATTRIBUTE_READONLY);
    // A read-only file cannot be replaced by a rename.
    if (readOnly) {
        if (const std::uint32_t e =
                os.SetAttributes(target, *old & ~static_cast<std::uint32_t>(FILE_ATTRIBUTE_READONLY))) {
            os.DeletePath(sibling);
            return SaveFailure{PlatformOp::SetAttributes, e};
        }
    }
    if (const std::uint32_t e = os.MoveFileOver(sibling, target)) {
        if (readOnly)
            os.SetAttributes(target, *old);
        os.DeletePath(sibling);
        return SaveFailure{PlatformOp::MoveFileOver, e};
    }

    constexpr std::uint32_t kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (old && (*old & kKept)) {
        // The content is in place whatever happens here; a lost attribute only changes how the file is listed.
        os.SetAttributes(target, *old & (kKept | FILE_ATTRIBUTE_ARCHIVE));
    }
    // Another instance may have written its copy between the comparison and the rename: only the target can tell
    // what was installed. A target that cannot be read back shows no other bytes.
    const auto installed = os.ReadFile(target);
    if (installed && *installed != bytes)
        return SaveFailure{PlatformOp::ReadFile, 0};
    return std::nullopt;
}

void DeleteIfOurs(Platform& os, const std::wstring& path, const std::optional<std::string>& ours) {
    if (ours && os.ReadFile(path) == *ours)
        os.DeletePath(path);
}

} // namespace bw
