#include "ui/pictures.h"

#include "ui/logo_logic.h"
#include "ui/twips_logic.h"
#include "ui/window.h"

namespace bw {

namespace {

// The preview's background colour is the window colour.
LRESULT CALLBACK LogoFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterLogoFrameClass() {
    RegisterWindowClass(kLogoFrameClass, LogoFrameProc);
}

UniqueFont CreatePictureFont(int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(825, dpi, 7200);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueBitmap RenderPicture(IPicture* picture, int dpi) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height)))
        return {};
    // The picture's size comes in HIMETRIC, made from its pixels at the screen's DPI when it was loaded.
    constexpr int kHimetricPerInch = 2540;
    const int screen = ScreenDpi();
    const int cx = MulDiv(MulDiv(width, screen, kHimetricPerInch), dpi, kDesignDpi);
    const int cy = MulDiv(MulDiv(height, screen, kHimetricPerInch), dpi, kDesignDpi);
    if (cx <= 0 || cy <= 0)
        return {};

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24; // no alpha: the static control shows it as it is
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return {};
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return {};
    ScopedSelect select(dc.get(), bitmap.get());
    RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
    if (dpi != kDesignDpi) {
        SetStretchBltMode(dc.get(), HALFTONE);
        SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    }
    picture->Render(dc.get(), 0, 0, cx, cy, 0, height, width, -height, nullptr);
    return bitmap;
}

UniqueBitmap BlankBitmap(int cx, int cy, int colour) {
    UniqueBitmap bitmap(CreateCompatibleBitmap(WindowDC(nullptr).get(), cx, cy));
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return bitmap;
    ScopedSelect select(dc.get(), bitmap.get());
    RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, GetSysColorBrush(colour));
    return bitmap;
}

UniqueBitmap ShowPicture(HWND pictureBox, IPicture* picture, int dpi) {
    UniqueBitmap bitmap = RenderPicture(picture, dpi);
    if (bitmap)
        SendMessageW(pictureBox, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    return bitmap;
}

UniqueBitmap ShowBlank(HWND pictureBox, int colour) {
    const RECT rc = ChildRect(pictureBox);
    UniqueBitmap blank = BlankBitmap(rc.right - rc.left, rc.bottom - rc.top, colour);
    SendMessageW(pictureBox, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(blank.get()));
    return blank;
}

void CentrePictureBox(HWND pictureBox, const ControlSpec& frame, int dpi) {
    RECT rc{};
    GetWindowRect(pictureBox, &rc);
    const LogoPosition at =
        CentreInFrame(static_cast<float>(frame.width), static_cast<float>(frame.height),
                      PixelsToTwips(rc.right - rc.left, dpi), PixelsToTwips(rc.bottom - rc.top, dpi));
    SetWindowPos(pictureBox, nullptr, TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace bw
