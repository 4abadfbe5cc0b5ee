#include "brandwick_process.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace bw::e2e {

namespace {

struct Search {
    DWORD pid;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (*s->caption == text) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

BrandwickProcess::BrandwickProcess() {
    std::wstring commandLine = L"\"" + test::ProgramDir() + L"Brandwick.exe\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) {
        ADD_FAILURE() << "cannot start Brandwick.exe: error " << GetLastError();
        return;
    }
    m_process.reset(m_pi.hProcess);
    m_thread.reset(m_pi.hThread);
    WaitForInputIdle(m_process.get(), 15000);
    m_main = WaitForWindow(L"Brandwick");
    if (!m_main)
        ADD_FAILURE() << "Brandwick's main window did not appear";
}

BrandwickProcess::~BrandwickProcess() { Kill(); }

HWND BrandwickProcess::WaitForWindow(const std::wstring& caption, int timeoutMs) const {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        Search s{m_pi.dwProcessId, &caption, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        if (WaitForSingleObject(m_process.get(), 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

// Messages to another process's windows time out rather than hang the test run.
static LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 15000) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::wstring BrandwickProcess::Text(HWND control) const {
    std::wstring text(static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void BrandwickProcess::Type(HWND control, const std::wstring& text) const {
    Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void BrandwickProcess::Press(HWND button, bool wait) const {
    SetForegroundWindow(GetAncestor(button, GA_ROOT));
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED);
    if (wait)
        Send(GetParent(button), WM_COMMAND, command, reinterpret_cast<LPARAM>(button));
    else
        PostMessageW(GetParent(button), WM_COMMAND, command, reinterpret_cast<LPARAM>(button));
}

bool BrandwickProcess::WaitForExit(int timeoutMs) const {
    return m_process && WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void BrandwickProcess::Kill() {
    if (m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.get(), 9);
        WaitForSingleObject(m_process.get(), 10000);
    }
}

std::wstring RunAndCapture(const std::wstring& commandLine) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return {};
    UniqueHandleNull reader(readEnd);
    UniqueHandleNull writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writer.get();
    si.hStdError = writer.get();
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return {};
    UniqueHandleNull process(pi.hProcess);
    UniqueHandleNull thread(pi.hThread);
    writer.reset(); // so the read ends when the program does
    std::string output;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(reader.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        output.append(chunk, got);
    WaitForSingleObject(process.get(), 10000);
    const int n = MultiByteToWideChar(CP_ACP, 0, output.data(), static_cast<int>(output.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, output.data(), static_cast<int>(output.size()), text.data(), n);
    return text;
}

} // namespace bw::e2e
