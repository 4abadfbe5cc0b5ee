// Pictures of the two dialogs for the documentation; run on demand by scripts/screenshot-dialogs.sh.
#include "core/app_state.h"
#include "core/directories.h"
#include "fault_platform.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmAbout.h"
#include "ui/frmSuportInfo.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace bw::test {
namespace {

// Copies the window, frame included, from the screen into a 24-bit BMP file.
void SaveWindowPicture(HWND hwnd, const std::wstring& path) {
    SetForegroundWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 20; ++i) {
        Drain();
        Sleep(50);
    }
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    ClientDC screenDC(nullptr);
    HDC screen = screenDC.get();
    UniqueMemoryDC memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(memory && bitmap && bits);
    {
        ScopedSelect selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
        GdiFlush();
    }
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
    bytes.append(static_cast<const char*>(bits), size);
    WriteBytes(path, bytes);
}

TEST(DISABLED_Screenshots, BothDialogs) {
    const char* folder = std::getenv("BRANDWICK_SHOT_DIR");
    ASSERT_TRUE(folder) << "set BRANDWICK_SHOT_DIR to a Windows path";
    std::wstring dir;
    for (const char* p = folder; *p; ++p)
        dir += static_cast<wchar_t>(*p);

    AppState state;
    FaultPlatform os;
    ComputeSystemDirectory(state, os);
    FileGuard ini(state.OemInfoPath());
    const std::wstring key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    RegistryValueGuard owner(key, {L"RegisteredOwner"});
    SetText(key, L"RegisteredOwner", L"张三");
    WriteBytes(state.OemInfoPath(), Ansi(L"[General]\r\nManufacturer=示例电脑\r\nModel=S100\r\n"
                                         L"[Support Information]\r\n"
                                         L"Line1=示例电脑技术支持\r\n"
                                         L"Line2=服务热线：800-000-0000\r\n"
                                         L"Line3=工作时间：周一至周五 9:00-18:00\r\n"
                                         L"Line4=网址：http://www.brandwick.example/support/\r\n"));

    frmSuportInfo editor(state, os);
    ASSERT_TRUE(editor.Open());
    SaveWindowPicture(editor.hwnd(), dir + L"\\support-editor.bmp");
    editor.Unload();

    frmAbout about(os);
    ASSERT_TRUE(about.Open());
    SaveWindowPicture(about.hwnd(), dir + L"\\about.bmp");
    about.Unload();
}

} // namespace
} // namespace bw::test
