#include "core/file_replace.h"

namespace bw {

SaveResult ReplaceFileSafely(Platform& os, std::string_view bytes, const std::wstring& target) {
    const std::wstring sibling = target + L".new";
    UniqueFile copy;
    std::uint32_t error = os.WriteHeldFile(sibling, bytes, copy);
    if (error && os.FileAttributes(sibling)) {
        // A copy left behind by an interrupted save, which never replaced anything, may be read-only. Looked for
        // only now: asking for a file that is not there costs a search of the whole system directory.
        os.SetAttributes(sibling, FILE_ATTRIBUTE_NORMAL);
        error = os.WriteHeldFile(sibling, bytes, copy);
    }
    // The copy is closed before it is deleted: while it is held, no one can delete it, not even through its name.
    const auto failed = [&](PlatformOp op, std::uint32_t code) {
        copy.reset();
        os.DeletePath(sibling);
        return SaveFailure{op, code};
    };
    if (error)
        return failed(PlatformOp::WriteFile, error);
    std::uint32_t readError = 0;
    // One byte over: a longer file is no match either.
    const auto back = os.ReadHeldFile(copy.get(), bytes.size() + 1, &readError);
    if (back != bytes)
        return failed(PlatformOp::ReadFile, back ? 0 : readError); // other bytes: the system names no error

    const auto old = os.FileAttributes(target);
    if (old == kUnknownAttributes) {
        // Without the old attributes the file could not be replaced as it was.
        return failed(PlatformOp::FileAttributes, 0);
    }
    const bool readOnly = old && (*old & FILE_ATTRIBUTE_READONLY);
    // A read-only file cannot be replaced by a rename.
    if (readOnly) {
        if (const std::uint32_t e =
                os.SetAttributes(target, *old & ~static_cast<std::uint32_t>(FILE_ATTRIBUTE_READONLY)))
            return failed(PlatformOp::SetAttributes, e);
    }
    // Renamed through the handle that wrote and read it, the copy installed is the one compared. A system that renames
    // only by name lets another instance, which writes beside the same target under the same name, put its own copy
    // there once ours is closed: only the target read back can then tell what was installed.
    std::uint32_t moved = os.RenameHeldFile(copy.get(), target);
    const bool byName = moved == ERROR_CALL_NOT_IMPLEMENTED;
    copy.reset();
    if (byName)
        moved = os.MoveFileOver(sibling, target);
    if (moved) {
        if (readOnly)
            os.SetAttributes(target, *old);
        return failed(PlatformOp::MoveFileOver, moved);
    }

    constexpr std::uint32_t kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (old && (*old & kKept)) {
        // The content is in place whatever happens here; a lost attribute only changes how the file is listed.
        os.SetAttributes(target, *old & (kKept | FILE_ATTRIBUTE_ARCHIVE));
    }
    // A target that cannot be read back shows no other bytes.
    if (byName) {
        const auto installed = os.ReadFile(target);
        if (installed && *installed != bytes)
            return SaveFailure{PlatformOp::ReadFile, 0};
    }
    return std::nullopt;
}

void DeleteIfOurs(Platform& os, const std::wstring& path, const std::optional<std::string>& ours) {
    if (ours && os.ReadFile(path) == *ours)
        os.DeletePath(path);
}

} // namespace bw
