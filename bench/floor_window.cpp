// The start-up floor: Brandwick's main window made by its own code from its own tables (the same classes,
// controls, fonts, bitmaps, icons, tooltips and sizes, and the same manifest and resources), over a platform
// that answers every question with "nothing" without asking the system: no registry, no files, no version
// query, no system or temporary directory. Only the resource bitmaps and the cursor are loaded, as the window
// shows them. With FLOOR_LOGO the window also shows the benchmark's logo at its size, drawn from memory
// without OLE: what showing a logo costs at the least. Built and linked as Brandwick.exe is.
#include "core/win32_platform.h"
#include "ui/frmMain.h"

#include "bench_data.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

using S = std::wstring;

// A picture of a BMP held in memory; only what the main window asks of a picture does anything.
class MemoryPicture final : public IPicture {
public:
    explicit MemoryPicture(std::string bytes) : m_bytes(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* width) override {
        return *width = MulDiv(Info().biWidth, 2540, 96), S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* height) override {
        return *height = MulDiv(Info().biHeight, 2540, 96), S_OK;
    }
    HRESULT STDMETHODCALLTYPE Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC,
                                     OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC, LPCRECT) override {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(m_bytes.data() + sizeof(BITMAPFILEHEADER));
        StretchDIBits(dc, x, y, cx, cy, 0, 0, info->bmiHeader.biWidth, info->bmiHeader.biHeight,
                      m_bytes.data() + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER), info, DIB_RGB_COLORS,
                      SRCCOPY);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD*) override { return E_NOTIMPL; }

private:
    const BITMAPINFOHEADER& Info() const {
        return *reinterpret_cast<const BITMAPINFOHEADER*>(m_bytes.data() + sizeof(BITMAPFILEHEADER));
    }
    std::string m_bytes;
    ULONG m_refs = 1;
};

class FloorPlatform final : public bw::Platform {
public:
    // A directory name the logo's path is made of; nothing is looked up there.
    std::optional<S> SystemDirectory() override { return S(L"C:\\floor"); }
    std::optional<S> TempPath() override { return std::nullopt; }
    std::optional<std::uint32_t> FileAttributes(const S& path) override {
#ifdef FLOOR_LOGO
        if (path.ends_with(L"\\oemlogo.bmp"))
            return FILE_ATTRIBUTE_NORMAL;
#endif
        (void)path;
        return std::nullopt;
    }
    std::optional<std::string> ReadFile(const S&) override { return std::nullopt; }
    bool WriteFile(const S&, std::string_view, bool = true) override { return false; }
    bool MoveFileOver(const S&, const S&) override { return false; }
    bool SetAttributes(const S&, std::uint32_t) override { return false; }
    bool DeletePath(const S&) override { return false; }
    bool DisableFsRedirection(void*&) override { return false; }
    bool RevertFsRedirection(void*) override { return false; }
    long RegRead(HKEY, const S&, const S&, bw::RegData&, std::uint32_t) override { return ERROR_FILE_NOT_FOUND; }
    long RegWriteString(HKEY, const S&, const S&, const S&, std::uint32_t) override { return ERROR_ACCESS_DENIED; }
    bw::OsVersion GetVersion() override { return {}; }
    bool RunsUnderWow64() override { return false; }
    std::optional<S> ExpandEnvironment(const S&) override { return std::nullopt; }
    void ShellOpen(const S&, int) override {}
    bw::UniquePicture LoadPictureFile(const S&) override {
#ifdef FLOOR_LOGO
        return bw::UniquePicture(new MemoryPicture(bench::LogoBytes()));
#else
        return {};
#endif
    }
    bw::UniquePicture LoadPicture(std::string_view) override { return {}; }
    bw::UniqueBitmap LoadResourceBitmap(int id) override { return m_real.LoadResourceBitmap(id); }
    bw::UniqueCursor LoadResourceCursor(int id) override { return m_real.LoadResourceCursor(id); }

private:
    bw::Win32Platform m_real;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    bw::AppState state;
    FloorPlatform os;
    bw::frmMain main(state, os);
    return main.Create(showCommand) ? bw::RunMessageLoop() : 1;
}
