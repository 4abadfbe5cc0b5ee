#include "core/placement.h"

namespace bw {

std::uint32_t MachineRegistryView(Platform& os) {
    return RegistryViewFor(os.RunsUnderWow64());
}

FileRoute ProbeSystemFileRoute(Platform& os, const std::wstring& systemDirectory) {
    if (!os.RunsUnderWow64())
        return FileRoute::AsNamed;
    const auto attributes = os.FileAttributes(SysnativeDirectory(systemDirectory));
    const bool sysnative = attributes && *attributes != kUnknownAttributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
    return SystemFileRoute(true, sysnative);
}

RedirectionOff::RedirectionOff(Platform& os, bool wanted) : m_os(os) {
    if (!wanted)
        return;
    m_active = m_os.DisableFsRedirection(m_previous);
    m_reachable = m_active;
}

RedirectionOff::~RedirectionOff() {
    if (m_active)
        m_os.RevertFsRedirection(m_previous);
}

} // namespace bw
