#pragma once
// Base of the program's windows: each is made from its design (a table of controls in twips) and behaves as a
// dialog does (Tab, Enter, Esc, Alt+key, the default button, the focus kept while inactive) at every scale.
#include "core/unique_handle.h"
#include "ui/layout.h"

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace bw {

// Shows a message to the user: text and MessageBoxW style flags.
using Reporter = std::function<void(const std::wstring& text, UINT flags)>;

// Through the reporter where one is set (tests collect the messages), else in a message box owned by the window.
void ShowMessage(const Reporter& reporter, HWND owner, const std::wstring& text, UINT flags);

// Registers a window class of the program once per process, with the dialog colour as background.
void RegisterWindowClass(const wchar_t* className, WNDPROC procedure);

// A window as designed: its controls and the keys' defaults.
struct WindowDesign {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD exStyle;
    int clientWidth, clientHeight; // twips
    std::span<const ControlSpec> controls;
    int defaultButton; // what Enter presses when the focus is on no push button; 0: nothing
    int firstFocus;    // the control that has the focus when the window is first activated
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return m_hwnd; }
    // A control of the table by its id, also one that lies in another control.
    HWND Child(int id) const;

protected:
    // Creates the window with the program's icon, lays it out at its monitor's scale, gives the controls their
    // tooltips and centres it on the work area; hidden.
    bool CreateFromDesign(const WindowDesign& design, HWND owner);
    // Puts every control in its place at dpi: once at creation, and again on a monitor of another scale.
    virtual void Layout(int dpi);
    // Draws on the window's surface, for the screen and for a picture of the window (WM_PRINTCLIENT).
    virtual void Paint(HDC) {}

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY; the window handle is gone by then.
    virtual void OnDestroyed() {}

    int m_dpi = 96;
    HWND m_lastFocus = nullptr; // where the focus goes back to when the window is activated again

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool HandleDialogMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hwnd = nullptr;
    WindowDesign m_design{};
    UniqueFont m_font; // 宋体 9 pt, GB2312, at m_dpi
    UniqueIcon m_bigIcon;
    UniqueIcon m_smallIcon;
    HWND m_tooltips = nullptr;    // owned by the window, destroyed with it
    std::vector<HWND> m_controls; // each row's control, in the table's order; null for a row without one
};

// Lets pending window messages run once, then returns.
void PumpEvents();

// The program's message loop: keyboard navigation (Tab, Enter, Esc, Alt+key) works in whichever of the
// program's windows is active, and the tooltips see the mouse.
int RunMessageLoop();

} // namespace bw
