#pragma once
// The one seam between the program and the operating system: files, registry, version, directories,
// the shell and pictures. Window code calls Win32 directly only for its windows and controls.
#include "core/os_version_logic.h"
#include "core/placement_logic.h"
#include "core/unique_handle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Every operation of the seam, so that a test double can make any one of them fail.
enum class PlatformOp {
    SystemDirectory,
    TempPath,
    FileAttributes,
    ReadFile,
    WriteFile,
    MoveFileOver,
    SetAttributes,
    DeletePath,
    RegRead,
    RegWrite,
    GetVersion,
    RunsUnderWow64,
    DisableFsRedirection,
    RevertFsRedirection,
    ExpandEnvironment,
    ShellOpen,
    LoadPictureFile,
    LoadPicture,
    LoadResourceBitmap,
    LoadResourceCursor,
    Count
};

inline constexpr std::uint32_t kUnknownAttributes = 0xFFFFFFFF;

// Why an item was not saved: the operation that failed and the system's error code, 0 where the system named none.
struct SaveFailure {
    PlatformOp op = PlatformOp::Count;
    std::uint32_t error = 0;
};
// Saved, or why not.
using SaveResult = std::optional<SaveFailure>;

struct RegData {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Directories; nullopt when the system cannot tell.
    virtual std::optional<std::wstring> SystemDirectory() = 0;
    virtual std::optional<std::wstring> TempPath() = 0;

    // File attributes; nullopt when nothing is at the path, kUnknownAttributes when the system cannot tell.
    virtual std::optional<std::uint32_t> FileAttributes(const std::wstring& path) = 0;
    // The whole file, or nullopt when it cannot be read; then error, if given, receives the system's error code.
    virtual std::optional<std::string> ReadFile(const std::wstring& path, std::uint32_t* error = nullptr) = 0;
    // Makes the file hold exactly the bytes, creating it where it is absent; with flush, returns only once they are on
    // the disk. Without flush (a scratch copy), an existing file is written over in place and cut after the bytes
    // rather than emptied first. Returns the system's error code, 0 only when every write, the flush and the close
    // succeeded.
    virtual std::uint32_t WriteFile(const std::wstring& path, std::string_view bytes, bool flush = true) = 0;
    // Renames within a volume, replacing an existing target in one step. Returns the system's error code, 0 on success.
    virtual std::uint32_t MoveFileOver(const std::wstring& from, const std::wstring& to) = 0;
    // A file held open, shared with no one, from its writing to its rename: meanwhile no other opener can read, change,
    // delete or rename it. Makes the file hold exactly the bytes, on the disk, creating it where it is absent, and
    // keeps it open in held. Returns the system's error code, 0 on success; on failure held is empty and part of the
    // bytes may have been written.
    virtual std::uint32_t WriteHeldFile(const std::wstring& path, std::string_view bytes, UniqueFile& held) = 0;
    // At most limit bytes of the held file from its start, or nullopt when they cannot be read; then error, if given,
    // receives the system's error code.
    virtual std::optional<std::string> ReadHeldFile(HANDLE held, std::size_t limit, std::uint32_t* error = nullptr) = 0;
    // Renames the held file within its volume, replacing an existing target in one step. Returns the system's error
    // code, 0 on success, ERROR_CALL_NOT_IMPLEMENTED where the system renames files only by their names.
    virtual std::uint32_t RenameHeldFile(HANDLE held, const std::wstring& to) = 0;
    virtual std::uint32_t SetAttributes(const std::wstring& path, std::uint32_t attributes) = 0;
    virtual bool DeletePath(const std::wstring& path) = 0;

    // While the redirector is off, a 32-bit process on 64-bit Windows reaches the native system directory under
    // its own name. Nothing that may load a DLL must run until it is reverted with the previous state.
    virtual bool DisableFsRedirection(void*& previous) = 0;
    virtual bool RevertFsRedirection(void* previous) = 0;

    // Registry calls take a view (kRegViewDefault or kRegView64), added to the key's access.
    // Reads one value under a key opened for reading only; the data comes whole, whatever its length.
    // Returns the registry's error code, 0 on success.
    virtual long RegRead(HKEY root, const std::wstring& keyPath, const std::wstring& name, RegData& out,
                         std::uint32_t view) = 0;
    // Creates or opens the key (class "1", access 0x2003F, inheritable handle) and stores a REG_SZ value
    // with its terminating NUL. Returns the registry's error code, 0 on success.
    virtual long RegWriteString(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                                const std::wstring& value, std::uint32_t view) = 0;

    // The version record; all zero when the query fails.
    virtual OsVersion GetVersion() = 0;
    // True when this is a 32-bit process on 64-bit Windows.
    virtual bool RunsUnderWow64() = 0;
    // The text with %NAME% replaced by the environment's values; nullopt when the system cannot expand it.
    virtual std::optional<std::wstring> ExpandEnvironment(const std::wstring& text) = 0;

    // Asks the shell to open a document or web address; no owner window.
    virtual void ShellOpen(const std::wstring& target, int showCommand) = 0;

    // Pictures: a file whose structure passes CheckPicture (nothing else reaches the system's loader), and
    // bitmaps and cursors of the program's own resources.
    virtual UniquePicture LoadPictureFile(const std::wstring& path) = 0;
    virtual UniquePicture LoadPicture(std::string_view bytes) = 0;
    virtual UniqueBitmap LoadResourceBitmap(int id) = 0;
    virtual UniqueCursor LoadResourceCursor(int id) = 0;
};

} // namespace bw
