// The start-up floor: Brandwick's main window made by its own code from its own tables (the same classes,
// controls, fonts, bitmaps, icons, tooltips and sizes, and the same manifest and resources), over a platform
// that answers every question with "nothing" without asking the system: no registry, no files, no version
// query, no system or temporary directory. Only the resource bitmaps and the cursor are loaded, as the window
// shows them. With FLOOR_LOGO the window also shows the benchmark's logo at its size, drawn from memory
// without OLE: what showing a logo costs at the least. Built and linked as Brandwick.exe is.
#include "picture/dib_picture.h"
#include "platform/win32_platform.h"
#include "ui/main_window.h"

#include "bench_data.h"

namespace {

using S = std::wstring;

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
    std::optional<std::string> ReadFile(const S&, std::uint32_t* = nullptr) override {
        return std::nullopt;
    }
    std::uint32_t WriteFile(const S&, std::string_view, bool = true) override {
        return ERROR_ACCESS_DENIED;
    }
    std::uint32_t MoveFileOver(const S&, const S&) override {
        return ERROR_ACCESS_DENIED;
    }
    std::uint32_t WriteHeldFile(const S&, std::string_view, bw::UniqueFile&) override {
        return ERROR_ACCESS_DENIED;
    }
    std::optional<std::string> ReadHeldFile(HANDLE, std::size_t, std::uint32_t* = nullptr) override {
        return std::nullopt;
    }
    std::uint32_t RenameHeldFile(HANDLE, const S&) override {
        return ERROR_ACCESS_DENIED;
    }
    std::uint32_t SetAttributes(const S&, std::uint32_t) override {
        return ERROR_ACCESS_DENIED;
    }
    bool DeletePath(const S&) override {
        return false;
    }
    bool DisableFsRedirection(void*&) override {
        return false;
    }
    bool RevertFsRedirection(void*) override {
        return false;
    }
    long RegRead(HKEY, const S&, const S&, bw::RegData&, std::uint32_t) override {
        return ERROR_FILE_NOT_FOUND;
    }
    long RegWriteString(HKEY, const S&, const S&, const S&, std::uint32_t) override {
        return ERROR_ACCESS_DENIED;
    }
    bw::OsVersion GetVersion() override {
        return {};
    }
    bool RunsUnderWow64() override {
        return false;
    }
    std::optional<S> ExpandEnvironment(const S&) override {
        return std::nullopt;
    }
    void ShellOpen(const S&, int) override {}
    bw::UniquePicture LoadPictureFile(const S&) override {
#ifdef FLOOR_LOGO
        return bw::MakeDibPicture(bench::LogoBytes());
#else
        return {};
#endif
    }
    bw::UniquePicture LoadPicture(std::string_view) override {
        return {};
    }
    bw::UniqueBitmap LoadResourceBitmap(int id) override {
        return m_real.LoadResourceBitmap(id);
    }
    bw::UniqueCursor LoadResourceCursor(int id) override {
        return m_real.LoadResourceCursor(id);
    }

private:
    bw::Win32Platform m_real;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    bw::AppState state;
    FloorPlatform os;
    bw::MainWindow main(state, os);
    return main.Create(showCommand) ? bw::RunMessageLoop() : 1;
}
