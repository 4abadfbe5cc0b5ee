#pragma once
// Move-only ownership of operating-system handles: each handle is closed exactly once.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <utility>

namespace bw {

// Closer closes a handle; a handle equal to Closer::Invalid() (null unless the closer says otherwise) is empty.
template <typename T, typename Closer>
class UniqueHandle {
    static T Invalid() noexcept {
        if constexpr (requires { Closer::Invalid(); })
            return Closer::Invalid();
        else
            return T{};
    }


public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) noexcept : m_h(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(std::exchange(other.m_h, Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.m_h, Invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Invalid(); }
    T release() noexcept { return std::exchange(m_h, Invalid()); }
    void reset(T h = Invalid()) noexcept {
        if (m_h != Invalid())
            Closer{}(m_h);
        m_h = h;
    }
    // For APIs that return a handle through an out parameter.
    T* put() noexcept {
        reset();
        return &m_h;
    }

private:
    T m_h = Invalid();
};

struct HKeyCloser {
    void operator()(HKEY h) const noexcept { RegCloseKey(h); }
};
struct HandleCloser {
    void operator()(HANDLE h) const noexcept { CloseHandle(h); }
};
struct FileCloser {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE h) const noexcept { CloseHandle(h); }
};
struct GdiObjectCloser {
    void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct CursorCloser {
    void operator()(HCURSOR h) const noexcept { DestroyCursor(h); }
};
struct IconCloser {
    void operator()(HICON h) const noexcept { DestroyIcon(h); }
};
struct ModuleCloser {
    void operator()(HMODULE h) const noexcept { FreeLibrary(h); }
};
struct WindowCloser {
    void operator()(HWND h) const noexcept { DestroyWindow(h); }
};
template <typename I>
struct ComReleaser {
    void operator()(I* p) const noexcept { p->Release(); }
};

using UniqueHKey = UniqueHandle<HKEY, HKeyCloser>;
using UniqueFile = UniqueHandle<HANDLE, FileCloser>;
using UniqueHandleNull = UniqueHandle<HANDLE, HandleCloser>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectCloser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectCloser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectCloser>;
using UniquePen = UniqueHandle<HPEN, GdiObjectCloser>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorCloser>;
using UniqueIcon = UniqueHandle<HICON, IconCloser>;
using UniqueModule = UniqueHandle<HMODULE, ModuleCloser>;
using UniqueWindow = UniqueHandle<HWND, WindowCloser>;
template <typename I>
using ComPtr = UniqueHandle<I*, ComReleaser<I>>;
using UniquePicture = ComPtr<IPicture>;

struct MemoryDCDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCDeleter>;

// A window's (or, for nullptr, the screen's) device context, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint and EndPaint as one scope.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) noexcept : m_hwnd(hwnd) { m_dc = BeginPaint(hwnd, &m_ps); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(m_hwnd, &m_ps); }
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc = nullptr;
};

// Selects a GDI object into a device context for the lifetime of the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(SelectObject(dc, obj)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace bw
