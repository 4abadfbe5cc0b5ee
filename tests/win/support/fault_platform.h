#pragma once
// The real platform with a switch per operation: any single call can be made to fail, and shell requests
// are recorded instead of starting a browser.
#include "core/win32_platform.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace bw::test {

class FaultPlatform final : public Platform {
public:
    // Makes the nth call of op from now on fail (1 = the next one); 0 makes every call fail.
    void FailOn(PlatformOp op, int nth = 1);
    void Heal();
    int Calls(PlatformOp op) const { return m_calls[Index(op)]; }
    void ResetCalls() { m_calls.fill(0); }

    std::vector<std::pair<std::wstring, int>> shellRequests;

    std::optional<std::wstring> SystemDirectory() override;
    std::optional<std::wstring> TempPath() override;
    std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
    std::optional<std::string> ReadFile(const std::wstring& path) override;
    bool WriteFile(const std::wstring& path, std::string_view bytes) override;
    bool CopyFileOver(const std::wstring& from, const std::wstring& to) override;
    bool MoveFileOver(const std::wstring& from, const std::wstring& to) override;
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
    bool DeletePath(const std::wstring& path) override;
    long RegRead(HKEY root, const std::wstring& keyPath, const std::wstring& name, RegData& out) override;
    long RegWriteString(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                        const std::wstring& value) override;
    OsVersion GetVersion() override;
    void ShellOpen(const std::wstring& target, int showCommand) override;
    UniquePicture LoadPictureFile(const std::wstring& path) override;
    UniqueBitmap LoadResourceBitmap(int id) override;
    UniqueCursor LoadResourceCursor(int id) override;

private:
    static constexpr std::size_t Index(PlatformOp op) { return static_cast<std::size_t>(op); }
    // Counts the call and tells whether it is the one to fail.
    bool Fails(PlatformOp op);

    static constexpr std::size_t kOps = static_cast<std::size_t>(PlatformOp::Count);
    std::array<int, kOps> m_calls{};
    std::array<int, kOps> m_failAt{};   // call number that fails; -1 every call; 0 none
    Win32Platform m_real;
};

} // namespace bw::test
