#pragma once
// Base of the program's windows: one class per window, its messages handled by a virtual member.
#include <windows.h>

#include <functional>
#include <string>

namespace bw {

// Shows a message to the user: text and MessageBoxW style flags.
using Reporter = std::function<void(const std::wstring& text, UINT flags)>;

// Through the reporter where one is set (tests collect the messages), else in a message box owned by the window.
void ShowMessage(const Reporter& reporter, HWND owner, const std::wstring& text, UINT flags);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return m_hwnd; }

protected:
    // Registers the class once per process; the class's window procedure forwards to HandleMessage.
    static bool RegisterClassOnce(const wchar_t* className, HICON icon, HCURSOR cursor = nullptr);
    HWND CreateWindowOf(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y,
                        int width, int height, HWND owner);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY; the window handle is gone by then.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

// Lets pending window messages run once, then returns.
void PumpEvents();

// The program's message loop: keyboard navigation (Tab, Enter, Esc, Alt+key) works in whichever of the
// program's windows is active.
int RunMessageLoop();

} // namespace bw
