// The About window and the support information editor as real windows: layout, keys, the link, loading,
// typing and committing.
#include "core/directories.h"
#include "fault_platform.h"
#include "test_support.h"
#include "ui/about_window.h"
#include "ui/support_editor.h"
#include "window_probe.h"

namespace bw::test {
namespace {

const std::wstring kAddress = L"http://www.brandwick.example/";
const std::wstring kOwnerKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::wstring kFileText = L"Call 800\r\na=b\r\n";

TEST(About, OpensOnceAsDesignedEnterOrEscClosesItAndOnlyTheLinkOpensTheAddressMaximized) {
    FaultPlatform os;
    AboutWindow about{os};
    const auto open = [&] {
        EXPECT_TRUE(about.Open());
        Drain();
        return about.hwnd();
    };
    HWND hwnd = open();
    EXPECT_EQ(open(), hwnd);
    // In tab order; the labels take the size of their texts.
    const std::vector<ControlRow> rows = {
        {L"Button", L"确定", 200, 112, 68, 23},
        {L"Static",
         L"Brandwick是一款小巧、方便的用来修改系统\nOEM信息的工具。它完全模仿\u201C系统属性\u201D\n"
         L"窗口，让您能够非常直观地修改OEM信息。\n(目前仅在Windows XP下测试通过。)",
         64, 40},
        {L"Static", L"Brandwick", 64, 8},
        {L"Static", L"V1.00", 64, 24},
        {L"Static", L"开发组", 40, 104},
        {L"Static", L"QQ:000000", 96, 104},
        {L"Static", L"E-mail:support@bwk.example", 40, 120},
        {L"Static", kAddress, 40, 136},
        {L"Static", L"", 16, 8, 41, 41}};
    ExpectDialog(hwnd, L"关于 Brandwick", {304, 157}, rows, {0});
    for (std::size_t label : {7, 1, 7})
        SendMessageW(Child(hwnd, label), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    const std::pair<std::wstring, int> request{kAddress, SW_SHOWMAXIMIZED};
    EXPECT_EQ(os.shellRequests, (std::vector{request, request}));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PressKey(GetFocus(), key);
        EXPECT_FALSE(about.IsOpen()) << "key " << key;
        open();
    }
}

class SupportEditor : public testing::Test {
protected:
    void SetUp() override {
        ComputeSystemDirectory(state, os);
        WriteBytes(state.OemInfoPath(), "[Support Information]\r\nLine1=Call 800\r\nLine2=a=b\r\n");
        SetText(kOwnerKey, L"RegisteredOwner", L"张三 Zhang");
        os.version = OsVersion{2, 5, 1, 2600, L"SP3"}; // XP: no OEMInformation key
    }
    HWND Open() {
        EXPECT_TRUE(editor.Open());
        Drain();
        return editor.hwnd();
    }
    HWND Child(std::size_t i) { return test::Child(editor.hwnd(), i); } // XP: 0 the text box, 1 OK, 2 Cancel
    void Press(std::size_t button) { SendMessageW(Child(button), BM_CLICK, 0, 0); }

    AppState state;
    FaultPlatform os;
    FileGuard iniGuard{SystemDir() + L"\\oeminfo.ini"};
    RegistryValueGuard ownerGuard{kOwnerKey, {L"RegisteredOwner"}};
    bw::SupportEditor editor{state, os};
};
TEST_F(SupportEditor, OpensOnceAsDesignedWithTheOwnerAsCaption) {
    HWND hwnd = Open();
    EXPECT_EQ(Open(), hwnd);
    ExpectDialog(hwnd, L"张三 Zhang", {383, 263},
                 {{L"Edit", kFileText, 16, 16, 353, 201},
                  {L"Button", L"确定", 112, 224, 73, 25},
                  {L"Button", L"取消", 192, 224, 73, 25}},
                 {0, 1, 2});
    editor.Unload();
    DeleteValue(kOwnerKey, L"RegisteredOwner");
    // Half a double-byte character at a line's end (whatever it reads as) keeps the line break after it.
    WriteBytes(state.OemInfoPath(), "[Support Information]\r\nLine1=a\xB0\r\nLine2=b\r\n");
    EXPECT_EQ(TextOf(Open()), L"");
    EXPECT_EQ(TextOf(Child(0)).substr(2), L"\r\nb\r\n");
}

// A typed space is character 127, a pasted one stays; Enter breaks the line and Esc does nothing. Cancel commits
// nothing; OK commits exactly the lines shown, keeping the entries beyond them; reopening reads the file again.
TEST_F(SupportEditor, TypingCancelAndOk) {
    state.SupportLines[4] = L"beyond";
    const std::vector<std::wstring> before = state.SupportLines;
    Open();
    SetWindowTextW(Child(0), L" c ");
    SendMessageW(Child(0), EM_SETSEL, 0, -1);
    SendMessageW(Child(0), WM_COPY, 0, 0);
    for (wchar_t c : {L'a', L' ', L'b'})
        SendMessageW(Child(0), WM_CHAR, c, 1);
    SendMessageW(Child(0), WM_PASTE, 0, 0);
    PressKey(Child(0), VK_RETURN);
    PressKey(Child(0), VK_ESCAPE);
    SetFocus(Child(2));
    PressKey(Child(2), VK_ESCAPE);
    ASSERT_TRUE(editor.IsOpen());
    EXPECT_EQ(TextOf(Child(0)), L"a\177b c \r\n");
    SendMessageW(Child(2), BM_CLICK, 0, 0);
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(state.SupportLines, before);
    Open();
    SetWindowTextW(Child(0), L"one\r\n\r\nthree\r\n");
    SendMessageW(Child(1), BM_CLICK, 0, 0);
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(state.SupportLineCount, 3);
    EXPECT_TRUE(state.SupportEdited());
    EXPECT_EQ(std::vector(state.SupportLines.begin() + 1, state.SupportLines.begin() + 5),
              (std::vector<std::wstring>{L"one", L"", L"three", L"beyond"}));
    Open();
    EXPECT_EQ(TextOf(Child(0)), kFileText);
}

// From Vista on, four boxes under the text show the key's string values. Only changed boxes are committed: a value
// that is no string, or missing, shows empty and is committed only when something is typed in its place; a support
// address that is no web address is refused with the editor kept open. Each opening reads the key afresh.
TEST_F(SupportEditor, TheKeysSupportValuesFromVistaOn) {
    RegistryValueGuard keyGuard{kKey, {L"SupportPhone", L"SupportHours", L"SupportURL", L"SupportProvider"}};
    const DWORD number = 7;
    SetText(kKey, L"SupportPhone", L"800-1");
    SetRaw(kKey, L"SupportHours", REG_DWORD, &number, 4);
    SetText(kKey, L"SupportURL", L"https://a.example/");
    DeleteValue(kKey, L"SupportProvider");
    os.version = OsVersion{2, 6, 1, 7601, L"SP1"};
    std::vector<std::wstring> reports;
    editor.SetReporter([&](const std::wstring& text, UINT) { reports.push_back(text); });
    const std::vector<ControlRow> rows = {{L"Edit", kFileText, 16, 16, 353, 201},
                                          {L"Static", L"支持电话:", 16, 227},
                                          {L"Edit", L"800-1", 88, 224, 281, 18},
                                          {L"Static", L"支持时间:", 16, 251},
                                          {L"Edit", L"", 88, 248, 281, 18},
                                          {L"Static", L"支持网址:", 16, 275},
                                          {L"Edit", L"https://a.example/", 88, 272, 281, 18},
                                          {L"Static", L"支持提供者:", 16, 299},
                                          {L"Edit", L"", 88, 296, 281, 18},
                                          {L"Button", L"确定", 112, 321, 73, 25},
                                          {L"Button", L"取消", 192, 321, 73, 25}};
    ExpectDialog(Open(), L"张三 Zhang", {383, 360}, rows, {0, 2, 4, 6, 8, 9, 10});
    SetWindowTextW(Child(6), L"ftp://brandwick.example");
    Press(9);
    EXPECT_EQ(reports,
              (std::vector<std::wstring>{
                  L"支持网址须为网址（以 http:// 或 https:// 开头，或是 www.example.com 这样的主机名），或留空：\n"
                  L"ftp://brandwick.example"}));
    ASSERT_TRUE(editor.IsOpen());
    EXPECT_EQ(std::tuple(GetFocus(), state.SupportLineCount, state.SupportKey),
              std::tuple(Child(6), 0, SupportKeyValues{}));
    SetWindowTextW(Child(6), L"http://b.example/");
    SetWindowTextW(Child(8), L"快修");
    Press(9);
    EXPECT_EQ(state.SupportKey, (SupportKeyValues{{}, {}, L"http://b.example/", L"快修"}));
    Open();
    SetWindowTextW(Child(2), L"");
    SetWindowTextW(Child(4), L"9-18");
    Press(9);
    const SupportKeyValues committed{L"", L"9-18", {}, {}};
    EXPECT_EQ(state.SupportKey, committed);
    Open();
    SetWindowTextW(Child(2), L"x");
    Press(10);
    EXPECT_EQ(state.SupportKey, committed);
    EXPECT_EQ(reports.size(), 1u);
}

} // namespace
} // namespace bw::test
