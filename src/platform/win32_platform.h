#pragma once
#include "core/platform.h"

namespace bw {

// The real operating system.
class Win32Platform final : public Platform {
public:
    std::optional<std::wstring> SystemDirectory() override;
    std::optional<std::wstring> TempPath() override;
    std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
    std::optional<std::string> ReadFile(const std::wstring& path, std::uint32_t* error = nullptr) override;
    std::uint32_t WriteFile(const std::wstring& path, std::string_view bytes, bool flush = true) override;
    std::uint32_t MoveFileOver(const std::wstring& from, const std::wstring& to) override;
    std::uint32_t WriteHeldFile(const std::wstring& path, std::string_view bytes, UniqueFile& held) override;
    std::optional<std::string> ReadHeldFile(HANDLE held, std::size_t limit, std::uint32_t* error = nullptr) override;
    std::uint32_t RenameHeldFile(HANDLE held, const std::wstring& to) override;
    std::uint32_t SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
    bool DeletePath(const std::wstring& path) override;
    bool DisableFsRedirection(void*& previous) override;
    bool RevertFsRedirection(void* previous) override;
    long RegRead(HKEY root, const std::wstring& keyPath, const std::wstring& name, RegData& out,
                 std::uint32_t view) override;
    long RegWriteString(HKEY root, const std::wstring& keyPath, const std::wstring& name, const std::wstring& value,
                        std::uint32_t view) override;
    OsVersion GetVersion() override;
    bool RunsUnderWow64() override;
    std::optional<std::wstring> ExpandEnvironment(const std::wstring& text) override;
    void ShellOpen(const std::wstring& target, int showCommand) override;
    UniquePicture LoadPictureFile(const std::wstring& path) override;
    UniquePicture LoadPicture(std::string_view bytes) override;
    UniqueBitmap LoadResourceBitmap(int id) override;
    UniqueCursor LoadResourceCursor(int id) override;

private:
    // The key the last value was written to, kept open for the next value: a save writes its values key by key, and
    // opening a key costs the system more than storing a value.
    UniqueHKey m_writeKey;
    HKEY m_writeRoot = nullptr;
    std::wstring m_writePath;
    std::uint32_t m_writeView = 0;
};

} // namespace bw
