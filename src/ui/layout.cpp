#include "ui/layout.h"

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

void CreateControls(HWND parent, std::span<const ControlSpec> controls, int dpi, HFONT font) {
    std::vector<const ControlSpec*> ordered;
    for (const ControlSpec& c : controls)
        ordered.push_back(&c);
    // Controls in the tab order first, by tab index; the rest keep the table's order after them.
    std::stable_sort(ordered.begin(), ordered.end(), [](const ControlSpec* a, const ControlSpec* b) {
        const int ka = a->tabIndex < 0 ? 1 << 30 : a->tabIndex;
        const int kb = b->tabIndex < 0 ? 1 << 30 : b->tabIndex;
        return ka < kb;
    });
    for (const ControlSpec* c : ordered) {
        HWND child = CreateWindowExW(c->exStyle, c->windowClass, c->text, WS_CHILD | c->style,
                                     TwipsToPixels(c->left, dpi), TwipsToPixels(c->top, dpi),
                                     TwipsToPixels(c->width, dpi), TwipsToPixels(c->height, dpi), parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id)), GetModuleHandleW(nullptr),
                                     nullptr);
        if (child && font)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void SizeAndCentre(HWND hwnd, int clientWidth, int clientHeight) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    RECT rc{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - w) / 2;
    const int y = work.top + (work.bottom - work.top - h) / 2;
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
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
