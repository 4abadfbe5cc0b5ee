// The real Brandwick.exe on every Windows Wine plays, driven from outside as an automation tool would and checked
// afterwards in the registry and the system directory without Brandwick's code.
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::e2e {
namespace {

using namespace test;

// Control ids of the windows, as an automation tool would know them.
enum Id {
    cmdOk = 1001,
    cmdApply = 1003,
    txtUserName = 1007,
    txtOrganization,
    txtProductID,
    txtManufacturer,
    txtModel,
    cmdSuportInfo,
    txtSuportInfo = 100,
    editorOk,
};

// Messages to another process's windows time out rather than hang the test run.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 15000, &result);
    return static_cast<LRESULT>(result);
}

class Brandwick : public testing::Test, protected SystemPlaces {
protected:
    void Start() {
        std::wstring commandLine = L"\"" + ProgramDir() + L"Brandwick.exe\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ASSERT_TRUE(
            CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        process.reset(pi.hProcess), thread.reset(pi.hThread);
        ASSERT_TRUE(main = Window(L"Brandwick")) << "Brandwick's main window did not appear";
    }
    void TearDown() override {
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process.get(), 9), WaitForSingleObject(process.get(), 10000);
    }
    // A visible top-level window of the program with this caption, once it has appeared.
    HWND Window(const std::wstring& caption) const {
        for (int waited = 0; waited < 15000 && WaitForSingleObject(process.get(), 50) == WAIT_TIMEOUT; waited += 50)
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str()));) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == pi.dwProcessId && IsWindowVisible(w))
                    return w;
            }
        return nullptr;
    }
    std::wstring Text(HWND control) const {
        std::wstring text(static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    void Type(HWND control, const std::wstring& text) const {
        Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Press(HWND button) const { // the button's owner has handled the click on return
        Send(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
             reinterpret_cast<LPARAM>(button));
    }
    HWND C(int id) const { return GetDlgItem(main, id); }
    bool Exited() const { return WaitForSingleObject(process.get(), 15000) == WAIT_OBJECT_0; }

    PROCESS_INFORMATION pi{};
    UniqueHandleNull process, thread;
    HWND main = nullptr;
};

// Wine plays the version named for a program when it starts. On each, a new user's session: the real program names
// the system truly and shows the OEMInformation key's maker from Vista on, the file's before. The user types the
// registration and the maker, applies, writes the support lines in the editor (its caption: the registered owner),
// and OK saves everything and ends the program, which removes its staging files.
TEST_F(Brandwick, ANewUsersSessionOnEveryWindowsWinePlays) {
    const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\Brandwick.exe";
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
        RegSetKeyValueW(HKEY_CURRENT_USER, kAppDefaults, L"Version", REG_SZ, row.wine, DWORD(wcslen(row.wine) + 1) * 2);
        SetText(kNt, L"RegisteredOwner", L"E2E 用户");
        SetText(kKey, L"Manufacturer", L"Key Maker");
        WriteBytes(ini, "[General]\r\nManufacturer=File Maker\r\n");
        Start();
        const std::wstring caption =
            Text(GetDlgItem(main, 1019)); // lblSysInfo: the name, an empty line, the service pack
        EXPECT_EQ(caption.substr(0, caption.find(L'\n') + 2), row.name + std::wstring(L"\n\n"));
        EXPECT_EQ(Text(C(txtUserName)) + L"|" + Text(C(txtManufacturer)), L"E2E 用户|" + std::wstring(row.maker));
        Type(C(txtUserName), L"张师傅");
        Type(C(txtOrganization), L"快修电脑行");
        Type(C(txtProductID), L"12345-OEM-0000001-00002");
        Type(C(txtManufacturer), L"快修电脑");
        Press(C(cmdApply));
        EXPECT_EQ(RegTexts(kNt, kNtNames), L"张师傅|快修电脑行|12345-OEM-0000001-00002|");
        EXPECT_TRUE(ReadBytes(stagedIni)) << "the staging file stays while the program runs";
        Press(C(cmdSuportInfo));
        HWND editor = Window(L"张师傅");
        ASSERT_TRUE(editor) << "the editor's caption is the registered owner";
        Type(GetDlgItem(editor, txtSuportInfo), L"服务热线: 400-000-0000\r\n网址: www.brandwick.example\r\n");
        Press(GetDlgItem(editor, editorOk));
        EXPECT_FALSE(IsWindow(editor)) << "OK closes the editor";
        Type(C(txtModel), L"KX-3000 Pro");
        Press(C(cmdOk));
        ASSERT_TRUE(Exited()) << "OK ends the program when everything was saved";
        EXPECT_EQ(ReadBytes(ini).value_or("<missing>"),
                  "[General]\r\nManufacturer=" + Ansi(L"快修电脑") +
                      "\r\nModel=KX-3000 Pro\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线: 400-000-0000") +
                      "\r\nLine2=" + Ansi(L"网址: www.brandwick.example") + "\r\n");
        EXPECT_FALSE(ReadBytes(stagedIni)) << "the program's end removes its staging files";
        TearDown();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
}

} // namespace
} // namespace bw::e2e
