// A new user's session with the real Brandwick.exe, checked afterwards in the registry and the system
// directory with tools that are not Brandwick's.
#include "brandwick_process.h"
#include "registry_guard.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::e2e {
namespace {

using test::FileGuard;
using test::ReadBytes;
using test::RegistryValueGuard;
using test::RemoveFile;
using test::SystemDir;
using test::TempDir;

// Control ids of the windows, as an automation tool would know them.
enum Main {
    cmdOk = 1001,
    cmdCancel = 1002,
    cmdApply = 1003,
    cmdLogo = 1006,
    txtUserName = 1007,
    txtOrganization = 1008,
    txtProductID = 1009,
    txtManufacturer = 1010,
    txtModel = 1011,
    cmdSuportInfo = 1012,
};
enum Editor { txtSuportInfo = 100, editorOk = 101 };

const std::wstring kNtKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// What `reg query` prints for a value: the text after its type.
std::wstring RegQuery(const std::wstring& name) {
    const std::wstring out =
        RunAndCapture(L"reg.exe query \"HKEY_LOCAL_MACHINE\\" + kNtKey + L"\" /v " + name);
    const std::wstring type = L"REG_SZ";
    const auto at = out.find(type);
    if (at == std::wstring::npos)
        return L"<not found> " + out;
    auto start = out.find_first_not_of(L" \t", at + type.size());
    auto end = out.find_first_of(L"\r\n", start);
    return out.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

class NewUser : public testing::Test {
protected:
    void SetUp() override {
        RemoveFile(SystemDir() + L"\\oeminfo.ini");
        RemoveFile(SystemDir() + L"\\oemlogo.bmp");
        RemoveFile(TempDir() + L"oeminfo.tmp");
        RemoveFile(TempDir() + L"oemlogo.tmp");
        test::SetText(kNtKey, L"RegisteredOwner", L"E2E \u7528\u6237");
    }

    RegistryValueGuard registration{kNtKey, {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}};
    FileGuard ini{SystemDir() + L"\\oeminfo.ini"};
    FileGuard logo{SystemDir() + L"\\oemlogo.bmp"};
    FileGuard stagedIni{TempDir() + L"oeminfo.tmp"};
    FileGuard stagedLogo{TempDir() + L"oemlogo.tmp"};
};

TEST_F(NewUser, TypesEverythingAppliesAndConfirms) {
    BrandwickProcess app;
    ASSERT_TRUE(app.Main());
    EXPECT_EQ(app.Text(app.Control(txtUserName)), L"E2E \u7528\u6237") << "the box shows the registry's value";
    EXPECT_EQ(app.Text(app.Control(txtManufacturer)), L"\u5236\u9020\u5546") << "no oeminfo.ini yet";

    app.Type(app.Control(txtUserName), L"\u5F20\u5E08\u5085");
    app.Type(app.Control(txtOrganization), L"\u5FEB\u4FEE\u7535\u8111\u884C");
    app.Type(app.Control(txtProductID), L"12345-OEM-0000001-00002");
    app.Type(app.Control(txtManufacturer), L"\u5FEB\u4FEE\u7535\u8111");
    app.Type(app.Control(txtModel), L"KX-3000");
    app.Press(app.Control(cmdApply));
    EXPECT_EQ(RegQuery(L"RegisteredOwner"), L"\u5F20\u5E08\u5085");
    EXPECT_EQ(RegQuery(L"RegisteredOrganization"), L"\u5FEB\u4FEE\u7535\u8111\u884C");
    EXPECT_EQ(RegQuery(L"ProductId"), L"12345-OEM-0000001-00002");
    EXPECT_TRUE(ReadBytes(TempDir() + L"oeminfo.tmp")) << "the staging file stays while the program runs";

    app.Type(app.Control(txtModel), L"KX-3000 Pro");
    app.Press(app.Control(cmdOk));
    ASSERT_TRUE(app.WaitForExit()) << "OK ends the program when everything was saved";
    EXPECT_EQ(ReadBytes(SystemDir() + L"\\oeminfo.ini").value_or("<missing>"),
              "[General]\r\nManufacturer=" + test::Ansi(L"\u5FEB\u4FEE\u7535\u8111") +
                  "\r\nModel=KX-3000 Pro\r\n[Support Information]\r\nLine1=\x7F\r\n");
    EXPECT_FALSE(ReadBytes(TempDir() + L"oeminfo.tmp")) << "the program's end removes its staging files";
}

TEST_F(NewUser, CancelAfterApplyKeepsWhatWasApplied) {
    BrandwickProcess app;
    ASSERT_TRUE(app.Main());
    app.Type(app.Control(txtUserName), L"applied");
    app.Press(app.Control(cmdApply));
    app.Type(app.Control(txtUserName), L"not applied");
    app.Press(app.Control(cmdCancel));
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(RegQuery(L"RegisteredOwner"), L"applied");
    EXPECT_FALSE(ReadBytes(TempDir() + L"oeminfo.tmp"));
}

TEST_F(NewUser, EditsTheSupportLinesAndConfirms) {
    test::WriteBytes(SystemDir() + L"\\oeminfo.ini",
                     "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=old one\r\n"
                     "Line2=old two\r\n");
    BrandwickProcess app;
    ASSERT_TRUE(app.Main());
    app.Press(app.Control(cmdSuportInfo));
    HWND editor = app.WaitForWindow(L"E2E \u7528\u6237");
    ASSERT_TRUE(editor) << "the editor's caption is the registered owner";
    HWND box = GetDlgItem(editor, txtSuportInfo);
    EXPECT_EQ(app.Text(box), L"old one\r\nold two\r\n");
    app.Type(box, L"\u670D\u52A1\u70ED\u7EBF: 400-000-0000\r\n\u7F51\u5740: www.brandwick.example\r\nold two\r\n");
    app.Press(GetDlgItem(editor, editorOk));
    EXPECT_FALSE(IsWindow(editor)) << "OK closes the editor";
    app.Press(app.Control(cmdOk));
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(ReadBytes(SystemDir() + L"\\oeminfo.ini").value_or("<missing>"),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=" +
                  test::Ansi(L"\u670D\u52A1\u70ED\u7EBF: 400-000-0000") + "\r\nLine2=" +
                  test::Ansi(L"\u7F51\u5740: www.brandwick.example") + "\r\nLine3=old two\r\n");
}

// A logo chosen in a run that dies before Apply is never installed, not even by the next run.
TEST_F(NewUser, KilledAfterChoosingALogoInstallsNothing) {
    const std::wstring picture = TempDir() + L"brandwick-e2e.bmp";
    // A 1 x 1 24-bit bitmap.
    const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0,
                                 0,   0,   1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                                 0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0};
    test::WriteBytes(picture, std::string(reinterpret_cast<const char*>(bmp), sizeof bmp));
    {
        BrandwickProcess app;
        ASSERT_TRUE(app.Main());
        app.Press(app.Control(cmdLogo), false);
        HWND dialog = app.WaitForWindow(
            L"\u9009\u62E9\u4E00\u4E2ALogo\u56FE\u7247(\u8BF7\u9009\u7528\u4E0D\u8D85\u8FC7160\u00D7100\u7684BMP"
            L"\u56FE\u7247)");
        ASSERT_TRUE(dialog) << "the open-file dialog shows its title";
        // The file name box of the standard dialog, then its Open button.
        HWND name = GetDlgItem(dialog, 0x47C); // cmb13
        if (!name)
            name = GetDlgItem(dialog, 0x480); // edt1
        ASSERT_TRUE(name);
        if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr))
            name = edit;
        app.Type(name, picture);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        for (int i = 0; i < 100 && !ReadBytes(TempDir() + L"oemlogo.tmp"); ++i)
            Sleep(100);
        ASSERT_TRUE(ReadBytes(TempDir() + L"oemlogo.tmp")) << "the choice is staged";
        app.Kill();
    }
    EXPECT_FALSE(ReadBytes(SystemDir() + L"\\oemlogo.bmp")) << "choosing alone installs nothing";
    {
        BrandwickProcess next;
        ASSERT_TRUE(next.Main());
        next.Press(next.Control(cmdOk));
        ASSERT_TRUE(next.WaitForExit());
    }
    EXPECT_FALSE(ReadBytes(SystemDir() + L"\\oemlogo.bmp")) << "the dead run's staging file is not installed";
    RemoveFile(picture);
}

} // namespace
} // namespace bw::e2e
