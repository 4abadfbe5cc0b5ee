#pragma once
// Drives the real Brandwick.exe as a separate process, the way a user (or an automation tool) would:
// find its windows by caption, type into its boxes, press its buttons.
#include "core/unique_handle.h"

#include <string>

namespace bw::e2e {

class BrandwickProcess {
public:
    // Starts Brandwick.exe from the test program's folder and waits for its main window.
    BrandwickProcess();
    ~BrandwickProcess(); // kills the program if it is still running
    BrandwickProcess(const BrandwickProcess&) = delete;
    BrandwickProcess& operator=(const BrandwickProcess&) = delete;

    HWND Main() const { return m_main; }
    HWND Control(int id) const { return GetDlgItem(m_main, id); }
    // A top-level window of the program with this caption, waiting for it to appear; nullptr if none came.
    HWND WaitForWindow(const std::wstring& caption, int timeoutMs = 15000) const;

    std::wstring Text(HWND control) const;
    void Type(HWND control, const std::wstring& text) const; // replaces the box's text
    // Presses a button as a click would: its owner gets BN_CLICKED, and has handled it on return when wait
    // is true (a button that opens a modal dialog must not be waited for).
    void Press(HWND button, bool wait = true) const;

    bool WaitForExit(int timeoutMs = 15000) const;
    void Kill();
    DWORD Id() const { return m_pi.dwProcessId; }

private:
    PROCESS_INFORMATION m_pi{};
    UniqueHandleNull m_process;
    UniqueHandleNull m_thread;
    HWND m_main = nullptr;
};

// Runs a console program and returns what it printed, decoded from the ANSI code page.
std::wstring RunAndCapture(const std::wstring& commandLine);

} // namespace bw::e2e
