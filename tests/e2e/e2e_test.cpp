// The real Brandwick.exe on every Windows Wine plays, driven from outside as an automation tool would and checked
// afterwards in the system directory without Brandwick's code.
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::e2e {
namespace {

using namespace test;

// Control ids of the main window, as an automation tool would know them.
enum Id { cmdOk = 1001, txtManufacturer = 1010, txtModel, lblSysInfo = 1019 };

// Messages to another process's windows time out rather than hang the test run.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 15000, &result);
    return static_cast<LRESULT>(result);
}
std::wstring Text(HWND control) {
    std::wstring text(static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Brandwick started as a user starts it, ended at the latest when the test is.
struct Running {
    ~Running() {
        if (started.process && WaitForSingleObject(started.process.get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(started.process.get(), 9), WaitForSingleObject(started.process.get(), 10000);
    }
    // Its visible main window, once it has appeared.
    HWND MainWindow() const {
        for (int waited = 0; waited < 15000 && WaitForSingleObject(started.process.get(), 50) == WAIT_TIMEOUT;
             waited += 50)
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, L"Brandwick"));) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == started.id && IsWindowVisible(w))
                    return w;
            }
        return nullptr;
    }

    Started started = StartProgram(ProgramDir() + L"Brandwick.exe", L"");
};

struct Brandwick : testing::Test, SystemPlaces {};

// Wine plays the version named for a program when it starts. On each, the real program names the system truly and
// shows the OEMInformation key's maker from Vista on, the file's before; OK saves the model typed where the system
// reads it and ends the program, which removes its staging file.
TEST_F(Brandwick, NamesTheSystemAndSavesOnEveryWindowsWinePlays) {
    const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\Brandwick.exe";
    RegistryValueGuard version{appDefaults, {L"Version"}, 0, HKEY_CURRENT_USER};
    const struct {
        const wchar_t *wine, *name, *maker;
    } rows[] = {
        {L"winxp", L"Microsoft Windows XP", L"File Maker"},
        {L"win2003", L"Microsoft Windows 2003", L"File Maker"},
        {L"vista", L"Microsoft Windows Vista", L"Key Maker"},
        {L"win2008", L"Microsoft Windows Server 2008", L"Key Maker"},
        // Wine 8.0 hands its win7 the server's product type and its win2008r2 the workstation's.
        {L"win7", L"Microsoft Windows Server 2008 R2", L"Key Maker"},
        {L"win2008r2", L"Microsoft Windows 7", L"Key Maker"},
        {L"win8", L"Microsoft Windows 8", L"Key Maker"},
        {L"win81", L"Microsoft Windows 8.1", L"Key Maker"},
        {L"win10", L"Microsoft Windows 10", L"Key Maker"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::string(row.wine, row.wine + wcslen(row.wine)));
        SetText(appDefaults, L"Version", row.wine, 0, HKEY_CURRENT_USER);
        SetText(kKey, L"Manufacturer", L"Key Maker");
        WriteBytes(ini, "[General]\r\nManufacturer=File Maker\r\n");
        Running brandwick;
        HWND main = brandwick.MainWindow();
        ASSERT_TRUE(main) << "Brandwick's main window did not appear";
        const std::wstring caption = Text(GetDlgItem(main, lblSysInfo)); // the name, an empty line, the service pack
        EXPECT_EQ(caption.substr(0, caption.find(L'\n') + 2), row.name + std::wstring(L"\n\n"));
        EXPECT_EQ(Text(GetDlgItem(main, txtManufacturer)), row.maker);
        Send(GetDlgItem(main, txtModel), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"KX-3000 Pro"));
        Send(main, WM_COMMAND, MAKEWPARAM(cmdOk, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, cmdOk)));
        ASSERT_EQ(WaitForSingleObject(brandwick.started.process.get(), 15000), WAIT_OBJECT_0)
            << "OK ends the program when everything was saved";
        EXPECT_EQ(ReadBytes(ini).value_or("<missing>"),
                  "[General]\r\nManufacturer=" + Ansi(row.maker) + "\r\nModel=KX-3000 Pro\r\n");
        EXPECT_FALSE(ReadBytes(stagedIni)) << "the program's end removes its staging file";
    }
}

} // namespace
} // namespace bw::e2e
