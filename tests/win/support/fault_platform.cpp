#include "fault_platform.h"

namespace bw::test {

void FaultPlatform::FailOn(PlatformOp op, int nth) { m_failAt[Index(op)] = nth == 0 ? -1 : m_calls[Index(op)] + nth; }

void FaultPlatform::Heal() { m_failAt.fill(0); }

bool FaultPlatform::Fails(PlatformOp op) {
    const int call = ++m_calls[Index(op)];
    const int at = m_failAt[Index(op)];
    return at == -1 || (at > 0 && call == at);
}

std::optional<std::wstring> FaultPlatform::SystemDirectory() {
    if (Fails(PlatformOp::SystemDirectory))
        return std::nullopt;
    return m_real.SystemDirectory();
}

std::optional<std::wstring> FaultPlatform::TempPath() {
    if (Fails(PlatformOp::TempPath))
        return std::nullopt;
    return m_real.TempPath();
}

std::optional<std::uint32_t> FaultPlatform::FileAttributes(const std::wstring& path) {
    if (Fails(PlatformOp::FileAttributes))
        return kUnknownAttributes;
    return m_real.FileAttributes(path);
}

std::optional<std::string> FaultPlatform::ReadFile(const std::wstring& path) {
    if (Fails(PlatformOp::ReadFile))
        return std::nullopt;
    return m_real.ReadFile(path);
}

bool FaultPlatform::WriteFile(const std::wstring& path, std::string_view bytes) {
    if (Fails(PlatformOp::WriteFile)) {
        // A failing write can leave a partial file behind: model the worst case.
        m_real.WriteFile(path, bytes.substr(0, bytes.size() / 2));
        return false;
    }
    return m_real.WriteFile(path, bytes);
}

bool FaultPlatform::CopyFileOver(const std::wstring& from, const std::wstring& to) {
    if (Fails(PlatformOp::CopyFileOver)) {
        // A copy that fails part way can leave a truncated target.
        if (auto bytes = m_real.ReadFile(from))
            m_real.WriteFile(to, std::string_view(*bytes).substr(0, bytes->size() / 2));
        return false;
    }
    return m_real.CopyFileOver(from, to);
}

bool FaultPlatform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
    if (Fails(PlatformOp::MoveFileOver))
        return false;
    return m_real.MoveFileOver(from, to);
}

bool FaultPlatform::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    if (Fails(PlatformOp::SetAttributes))
        return false;
    return m_real.SetAttributes(path, attributes);
}

bool FaultPlatform::DeletePath(const std::wstring& path) {
    if (Fails(PlatformOp::DeletePath))
        return false;
    return m_real.DeletePath(path);
}

long FaultPlatform::RegRead(HKEY root, const std::wstring& keyPath, const std::wstring& name, RegData& out) {
    if (Fails(PlatformOp::RegRead))
        return ERROR_ACCESS_DENIED;
    return m_real.RegRead(root, keyPath, name, out);
}

long FaultPlatform::RegWriteString(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                                   const std::wstring& value) {
    if (Fails(PlatformOp::RegWrite))
        return ERROR_ACCESS_DENIED;
    return m_real.RegWriteString(root, keyPath, name, value);
}

OsVersion FaultPlatform::GetVersion() {
    if (Fails(PlatformOp::GetVersion))
        return {};
    return m_real.GetVersion();
}

void FaultPlatform::ShellOpen(const std::wstring& target, int showCommand) {
    Fails(PlatformOp::ShellOpen);
    shellRequests.emplace_back(target, showCommand);
}

UniquePicture FaultPlatform::LoadPictureFile(const std::wstring& path) {
    if (Fails(PlatformOp::LoadPictureFile))
        return {};
    return m_real.LoadPictureFile(path);
}

UniqueBitmap FaultPlatform::LoadResourceBitmap(int id) {
    if (Fails(PlatformOp::LoadResourceBitmap))
        return {};
    return m_real.LoadResourceBitmap(id);
}

UniqueCursor FaultPlatform::LoadResourceCursor(int id) {
    if (Fails(PlatformOp::LoadResourceCursor))
        return {};
    return m_real.LoadResourceCursor(id);
}

} // namespace bw::test
