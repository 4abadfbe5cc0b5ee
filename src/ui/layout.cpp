#include "ui/layout.h"

#include "core/lazy_dll.h"
#include "core/unique_handle.h"
#include "ui/twips_logic.h"

#include <algorithm>
#include <vector>

namespace bw {

int ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd) {
    // Not imported: Windows before 10 has no such function, and XP would refuse to start the program.
    using GetDpiForWindowFunction = UINT WINAPI(HWND);
    static auto* const getDpiForWindow = SystemFunction<GetDpiForWindowFunction>(SystemDll::user32, "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

void LayOutControls(HWND window, std::span<const ControlSpec> controls, std::span<HWND> handles, int dpi, HFONT font) {
    std::vector<std::size_t> ordered;
    for (std::size_t i = 0; i < controls.size() && i < handles.size(); ++i) {
        if (controls[i].windowClass)
            ordered.push_back(i);
    }
    // Controls in the tab order first, by tab index; the rest keep the table's order after them.
    const auto key = [&](std::size_t i) { return controls[i].tabIndex < 0 ? 1 << 30 : controls[i].tabIndex; };
    std::stable_sort(ordered.begin(), ordered.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    for (const std::size_t i : ordered) {
        const ControlSpec* c = &controls[i];
        HWND parent = c->container ? ControlOf(controls, handles, c->container) : window;
        const int x = TwipsToPixels(c->left, dpi), y = TwipsToPixels(c->top, dpi);
        const int cx = TwipsToPixels(c->width, dpi), cy = TwipsToPixels(c->height, dpi);
        HWND& child = handles[i];
        const bool created = !child;
        if (created)
            child = CreateWindowExW(c->exStyle, c->windowClass, c->text, WS_CHILD | c->style, x, y, cx, cy, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id)), GetModuleHandleW(nullptr),
                                    nullptr);
        else
            SetWindowPos(child, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        if (!child)
            continue;
        if (font)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), !created);
        if (c->autoSize)
            SizeLabelToText(child);
    }
}

HWND ControlOf(std::span<const ControlSpec> controls, std::span<const HWND> handles, int id) {
    for (std::size_t i = 0; i < controls.size() && i < handles.size(); ++i) {
        if (controls[i].id == id && controls[i].windowClass)
            return handles[i];
    }
    return nullptr;
}

void SizeLabelToText(HWND label) {
    if (!label)
        return;
    const std::wstring text = WindowText(label);
    WindowDC dc(label);
    if (!dc.get())
        return;
    ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT rc{};
    // The flags a static control draws with, so the measured text fits without wrapping.
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
    SetWindowPos(label, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

SIZE WindowSizeFor(HWND hwnd, int clientWidth, int clientHeight) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    RECT rc{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// The frame of a window drawn at another DPI than the system's differs from what AdjustWindowRectEx says: the
// client area is measured and the window corrected by what it lacks.
void CorrectClientSize(HWND hwnd, SIZE window, int clientWidth, int clientHeight) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight)
        SetWindowPos(hwnd, nullptr, 0, 0, window.cx + clientWidth - client.right,
                     window.cy + clientHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void SizeAndCentre(HWND hwnd, int clientWidth, int clientHeight) {
    const SIZE size = WindowSizeFor(hwnd, clientWidth, clientHeight);
    const int w = size.cx;
    const int h = size.cy;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - w) / 2;
    const int y = work.top + (work.bottom - work.top - h) / 2;
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    CorrectClientSize(hwnd, size, clientWidth, clientHeight);
}

void SizeAt(HWND hwnd, int x, int y, int clientWidth, int clientHeight) {
    const SIZE size = WindowSizeFor(hwnd, clientWidth, clientHeight);
    SetWindowPos(hwnd, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CorrectClientSize(hwnd, size, clientWidth, clientHeight);
}

void ScaledPicture::ShowIn(HWND control, int dpi) {
    UniqueBitmap copy = dpi == kDesignDpi ? UniqueBitmap{} : ScaleBitmap(source.get(), dpi);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy ? copy.get() : source.get()));
    scaled = std::move(copy);
}

UniqueBitmap ScaleBitmap(HBITMAP source, int dpi) {
    BITMAP info{};
    if (!source || !GetObjectW(source, sizeof(info), &info))
        return {};
    const int cx = MulDiv(info.bmWidth, dpi, kDesignDpi);
    const int cy = MulDiv(info.bmHeight, dpi, kDesignDpi);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24; // no alpha: version 6 of the static control would otherwise draw a copy
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap scaled(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC from(CreateCompatibleDC(nullptr));
    UniqueMemoryDC to(CreateCompatibleDC(nullptr));
    if (!scaled || !from || !to)
        return {};
    ScopedSelect in(from.get(), source);
    ScopedSelect out(to.get(), scaled.get());
    // Halftone averages the source pixels behind each target pixel, so thin lines and letters keep their weight.
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, cx, cy, from.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    return scaled;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT ChildRect(HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

} // namespace bw
