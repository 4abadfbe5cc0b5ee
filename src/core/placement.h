#pragma once
// Reaching what the system itself reads, also from a 32-bit process on 64-bit Windows.
#include "core/app_state.h"
#include "core/platform.h"

namespace bw {

// The registry view in which the system keeps its own values.
std::uint32_t MachineRegistryView(Platform& os);

// How this process reaches the files of the named system directory.
FileRoute ProbeSystemFileRoute(Platform& os, const std::wstring& systemDirectory);

// Turns the file-system redirector off for its lifetime when asked to, and on again at its end. Only file
// operations may run inside: with the redirector off, a DLL would be loaded from the 64-bit directory.
class RedirectionOff {
public:
    RedirectionOff(Platform& os, bool wanted);
    RedirectionOff(const AppState& state, Platform& os)
        : RedirectionOff(os, state.SystemFiles == FileRoute::RedirectionOff) {}
    ~RedirectionOff();
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

    // False when the redirector was to be turned off and could not be: the native files are out of reach.
    explicit operator bool() const { return m_reachable; }

private:
    Platform& m_os;
    void* m_previous = nullptr;
    bool m_active = false;
    bool m_reachable = true;
};

} // namespace bw
