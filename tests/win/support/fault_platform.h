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
    void FailOn(PlatformOp op, int nth = 1) { m_failAt[Index(op)] = nth == 0 ? -1 : m_calls[Index(op)] + nth; }
    void Heal() { m_failAt.fill(0); }
    int Calls(PlatformOp op) const { return m_calls[Index(op)]; }
    void ResetCalls() { m_calls.fill(0); }

    std::vector<std::pair<std::wstring, int>> shellRequests;
    std::optional<OsVersion> version; // reported instead of the system's when set

    std::optional<std::wstring> SystemDirectory() override {
        return Call(PlatformOp::SystemDirectory, std::nullopt, [&] { return m_real.SystemDirectory(); });
    }
    std::optional<std::wstring> TempPath() override {
        return Call(PlatformOp::TempPath, std::nullopt, [&] { return m_real.TempPath(); });
    }
    std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override {
        return Call(PlatformOp::FileAttributes, kUnknownAttributes, [&] { return m_real.FileAttributes(path); });
    }
    std::optional<std::string> ReadFile(const std::wstring& path) override {
        return Call(PlatformOp::ReadFile, std::nullopt, [&] { return m_real.ReadFile(path); });
    }
    // A failing write or copy may leave a partial file behind: model the worst case.
    bool WriteFile(const std::wstring& path, std::string_view bytes) override {
        if (!Fails(PlatformOp::WriteFile))
            return m_real.WriteFile(path, bytes);
        m_real.WriteFile(path, bytes.substr(0, bytes.size() / 2));
        return false;
    }
    bool CopyFileOver(const std::wstring& from, const std::wstring& to) override {
        if (!Fails(PlatformOp::CopyFileOver))
            return m_real.CopyFileOver(from, to);
        if (auto bytes = m_real.ReadFile(from))
            m_real.WriteFile(to, std::string_view(*bytes).substr(0, bytes->size() / 2));
        return false;
    }
    bool MoveFileOver(const std::wstring& from, const std::wstring& to) override {
        return Call(PlatformOp::MoveFileOver, false, [&] { return m_real.MoveFileOver(from, to); });
    }
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override {
        return Call(PlatformOp::SetAttributes, false, [&] { return m_real.SetAttributes(path, attributes); });
    }
    bool DeletePath(const std::wstring& path) override {
        return Call(PlatformOp::DeletePath, false, [&] { return m_real.DeletePath(path); });
    }
    bool DisableFsRedirection(void*& previous) override {
        return Call(PlatformOp::DisableFsRedirection, false, [&] { return m_real.DisableFsRedirection(previous); });
    }
    bool RevertFsRedirection(void* previous) override {
        return Call(PlatformOp::RevertFsRedirection, false, [&] { return m_real.RevertFsRedirection(previous); });
    }
    long RegRead(HKEY root, const std::wstring& key, const std::wstring& name, RegData& out,
                 std::uint32_t view) override {
        return Call(PlatformOp::RegRead, long{ERROR_ACCESS_DENIED},
                    [&] { return m_real.RegRead(root, key, name, out, view); });
    }
    long RegWriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value,
                        std::uint32_t view) override {
        return Call(PlatformOp::RegWrite, long{ERROR_ACCESS_DENIED},
                    [&] { return m_real.RegWriteString(root, key, name, value, view); });
    }
    OsVersion GetVersion() override {
        return Call(PlatformOp::GetVersion, OsVersion{}, [&] { return version.value_or(m_real.GetVersion()); });
    }
    bool RunsUnderWow64() override {
        return Call(PlatformOp::RunsUnderWow64, false, [&] { return m_real.RunsUnderWow64(); });
    }
    std::optional<std::wstring> ExpandEnvironment(const std::wstring& text) override {
        return Call(PlatformOp::ExpandEnvironment, std::nullopt, [&] { return m_real.ExpandEnvironment(text); });
    }
    void ShellOpen(const std::wstring& target, int showCommand) override {
        Fails(PlatformOp::ShellOpen);
        shellRequests.emplace_back(target, showCommand);
    }
    UniquePicture LoadPictureFile(const std::wstring& path) override {
        return Fails(PlatformOp::LoadPictureFile) ? UniquePicture{} : m_real.LoadPictureFile(path);
    }
    UniquePicture LoadPicture(std::string_view bytes) override {
        return Fails(PlatformOp::LoadPicture) ? UniquePicture{} : m_real.LoadPicture(bytes);
    }
    UniqueBitmap LoadResourceBitmap(int id) override {
        return Fails(PlatformOp::LoadResourceBitmap) ? UniqueBitmap{} : m_real.LoadResourceBitmap(id);
    }
    UniqueCursor LoadResourceCursor(int id) override {
        return Fails(PlatformOp::LoadResourceCursor) ? UniqueCursor{} : m_real.LoadResourceCursor(id);
    }

private:
    static constexpr std::size_t Index(PlatformOp op) { return static_cast<std::size_t>(op); }
    // Counts the call and tells whether it is the one to fail.
    bool Fails(PlatformOp op) {
        const int call = ++m_calls[Index(op)];
        const int at = m_failAt[Index(op)];
        return at == -1 || (at > 0 && call == at);
    }
    template <typename Failed, typename F>
    auto Call(PlatformOp op, Failed failed, F&& real) -> decltype(real()) {
        if (Fails(op))
            return failed;
        return real();
    }

    std::array<int, static_cast<std::size_t>(PlatformOp::Count)> m_calls{};
    std::array<int, static_cast<std::size_t>(PlatformOp::Count)> m_failAt{}; // -1 every call; 0 none
    Win32Platform m_real;
};

} // namespace bw::test
