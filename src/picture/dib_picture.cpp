#include "picture/dib_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdlib>
#include <cstring>

namespace bw {

namespace {

constexpr int kHimetricPerInch = 2540;

std::uint32_t Read32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

class DibPicture final : public IPicture {
public:
    explicit DibPicture(std::string bmp) : m_bmp(std::move(bmp)) {
        const bool core = Read32(m_bmp, kInfo) == 12;
        std::int32_t width = 0, height = 0;
        if (core) {
            width = static_cast<std::uint16_t>(Read32(m_bmp, kInfo + 4));
            height = static_cast<std::uint16_t>(Read32(m_bmp, kInfo + 6));
        } else {
            width = static_cast<std::int32_t>(Read32(m_bmp, kInfo + 4));
            height = static_cast<std::int32_t>(Read32(m_bmp, kInfo + 8));
        }
        m_pixels = {width, std::abs(height)};
        // As OleLoadPicture measures a bitmap: its pixels at the screen's DPI, the remainder dropped.
        const int dpi = GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSX);
        m_himetric = {m_pixels.cx * kHimetricPerInch / dpi, m_pixels.cy * kHimetricPerInch / dpi};
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IPicture)
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return *out = static_cast<IPicture*>(this), S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* width) override { return *width = m_himetric.cx, S_OK; }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* height) override { return *height = m_himetric.cy, S_OK; }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT* type) override { return *type = PICTYPE_BITMAP, S_OK; }
    HRESULT STDMETHODCALLTYPE Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                                     OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                                     LPCRECT) override {
        // The whole picture, upright: the source rectangle starts at its top edge and runs down its height.
        if (xSrc != 0 || ySrc != m_himetric.cy || cxSrc != m_himetric.cx || cySrc != -m_himetric.cy)
            return E_INVALIDARG;
        const auto* info = reinterpret_cast<const BITMAPINFO*>(m_bmp.data() + kInfo);
        const int lines = StretchDIBits(dc, x, y, cx, cy, 0, 0, m_pixels.cx, m_pixels.cy,
                                        m_bmp.data() + Read32(m_bmp, kBitsOffset), info, DIB_RGB_COLORS, SRCCOPY);
        return lines > 0 ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD*) override { return E_NOTIMPL; }

private:
    static constexpr std::size_t kBitsOffset = 10; // in the file header
    static constexpr std::size_t kInfo = 14;       // the bitmap's header, after the file's
    std::string m_bmp;
    ULONG m_refs = 1;
    SIZE m_pixels{}, m_himetric{};
};

} // namespace

UniquePicture MakeDibPicture(std::string bmp) { return UniquePicture(new DibPicture(std::move(bmp))); }

} // namespace bw
