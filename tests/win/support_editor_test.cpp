// The support information editor as a real window: layout, loading, typing and committing.
#include "core/app_state.h"
#include "core/directories.h"
#include "fault_platform.h"
#include "registry_guard.h"
#include "test_support.h"
#include "ui/frmSuportInfo.h"
#include "ui/layout.h"
#include "ui/window.h"
#include "window_probe.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

constexpr wchar_t kOwnerKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

class SupportEditor : public testing::Test {
protected:
    void SetUp() override {
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        RemoveFile(state.OemInfoPath());
    }
    void TearDown() override {
        editor.Unload();
        Drain();
    }

    void WriteSupport(const std::string& lines) {
        WriteBytes(state.OemInfoPath(), "[General]\r\nManufacturer=M\r\nModel=X\r\n[Support Information]\r\n" + lines);
    }
    HWND Open() {
        EXPECT_TRUE(editor.Open());
        Drain();
        return editor.hwnd();
    }
    // Text box, OK, Cancel: the window's children in tab order.
    HWND Box() { return Children(editor.hwnd()).at(0); }
    HWND OkButton() { return Children(editor.hwnd()).at(1); }
    HWND CancelButton() { return Children(editor.hwnd()).at(2); }
    void Click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        Drain();
    }

    AppState state;
    FaultPlatform os;
    FileGuard guardIni{SystemDir() + L"\\oeminfo.ini"};
    RegistryValueGuard ownerGuard{kOwnerKey, {L"RegisteredOwner"}};
    frmSuportInfo editor{state, os};
};

TEST_F(SupportEditor, WindowIsAFixedCentredToolOutsideTheTaskBar) {
    ASSERT_EQ(ScreenDpi(), 96) << "pixel sizes below are for 96 DPI";
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    const SIZE client = ClientSize(hwnd);
    EXPECT_EQ(client.cx, 383);
    EXPECT_EQ(client.cy, 263);

    const DWORD style = StyleOf(hwnd);
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP));
    EXPECT_FALSE(ExStyleOf(hwnd) & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
    HWND hiddenOwner = GetWindow(hwnd, GW_OWNER);
    ASSERT_TRUE(hiddenOwner) << "an unowned window would appear in the task bar";
    EXPECT_FALSE(IsWindowVisible(hiddenOwner));

    RECT window{}, work{};
    GetWindowRect(hwnd, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2.0, (work.left + work.right) / 2.0, 1.0);
    EXPECT_NEAR((window.top + window.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0);

    if (FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_GROUP_ICON)) {
        EXPECT_TRUE(GetClassLongPtrW(hwnd, GCLP_HICON)) << "the program's icon";
    }
}

TEST_F(SupportEditor, ControlsStandWhereTheLayoutPutsThem) {
    HWND hwnd = Open();
    ASSERT_TRUE(hwnd);
    const std::vector<HWND> children = Children(hwnd);
    ASSERT_EQ(children.size(), 3u);

    struct Expected {
        const wchar_t* cls;
        const wchar_t* text;
        RECT rect;
    };
    const Expected expected[] = {
        {L"Edit", L"", {16, 16, 16 + 353, 16 + 201}},
        {L"Button", L"确定", {112, 224, 112 + 73, 224 + 25}},
        {L"Button", L"取消", {192, 224, 192 + 73, 224 + 25}},
    };
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        HWND c = children[i];
        EXPECT_EQ(ClassOf(c), expected[i].cls);
        EXPECT_EQ(TextOf(c), expected[i].text);
        const RECT rc = RectIn(c);
        EXPECT_EQ(rc.left, expected[i].rect.left);
        EXPECT_EQ(rc.top, expected[i].rect.top);
        EXPECT_EQ(rc.right, expected[i].rect.right);
        EXPECT_EQ(rc.bottom, expected[i].rect.bottom);
        EXPECT_TRUE(StyleOf(c) & WS_TABSTOP);
        EXPECT_TRUE(IsWindowVisible(c));
        const FontInfo font = FontOf(c);
        EXPECT_EQ(font.face, L"宋体");
        EXPECT_EQ(font.charset, GB2312_CHARSET);
        EXPECT_EQ(font.weight, FW_NORMAL);
        EXPECT_EQ(font.height, -12) << "9 point";
    }

    const DWORD box = StyleOf(Box());
    for (DWORD bit : {DWORD(ES_MULTILINE), DWORD(ES_WANTRETURN), DWORD(ES_AUTOHSCROLL), DWORD(ES_AUTOVSCROLL),
                      DWORD(WS_HSCROLL), DWORD(WS_VSCROLL)})
        EXPECT_EQ(box & bit, bit) << std::hex << bit;
    EXPECT_TRUE(ExStyleOf(Box()) & WS_EX_CLIENTEDGE);
    EXPECT_GE(static_cast<DWORD>(SendMessageW(Box(), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    for (HWND button : {OkButton(), CancelButton()}) {
        EXPECT_EQ(StyleOf(button) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "neither is a default button";
        EXPECT_NE(GetDlgCtrlID(button), IDOK);
        EXPECT_NE(GetDlgCtrlID(button), IDCANCEL) << "Esc would press it";
    }

    EXPECT_EQ(GetFocus(), Box()) << "the box has the first tab index";
    EXPECT_EQ(GetNextDlgTabItem(hwnd, Box(), FALSE), OkButton());
    EXPECT_EQ(GetNextDlgTabItem(hwnd, OkButton(), FALSE), CancelButton());
    EXPECT_EQ(GetNextDlgTabItem(hwnd, CancelButton(), FALSE), Box());
}

TEST_F(SupportEditor, OpensOnceAndShowsTheOwnerAndTheFile) {
    SetText(kOwnerKey, L"RegisteredOwner", L"张三 Zhang");
    WriteSupport("Line1=Call 800\r\nLine5=a=b\r\nOther= spaced \r\n");
    HWND first = Open();
    ASSERT_TRUE(first);
    EXPECT_EQ(TextOf(first), L"张三 Zhang");
    EXPECT_EQ(TextOf(Box()), L"Call 800\r\na=b\r\n spaced \r\n");

    EXPECT_EQ(VisibleThreadWindows().size(), 1u);
    WriteSupport("Line1=changed\r\n");
    EXPECT_EQ(Open(), first);
    EXPECT_EQ(VisibleThreadWindows().size(), 1u) << "a second opening shows the same window";
    EXPECT_EQ(TextOf(Box()), L"Call 800\r\na=b\r\n spaced \r\n") << "and does not load again";

    editor.Unload();
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_TRUE(VisibleThreadWindows().empty());
    DeleteValue(kOwnerKey, L"RegisteredOwner");
    RemoveFile(state.OemInfoPath());
    Open();
    EXPECT_EQ(TextOf(editor.hwnd()), L"") << "no owner, empty caption";
    EXPECT_EQ(TextOf(Box()), L"") << "no file, empty text";
}

TEST_F(SupportEditor, TypedSpaceBecomesDeleteCharacterPastedSpaceStays) {
    Open();
    SendMessageW(Box(), WM_CHAR, L'a', 1);
    SendMessageW(Box(), WM_CHAR, L' ', 1);
    SendMessageW(Box(), WM_CHAR, L'b', 1);
    EXPECT_EQ(TextOf(Box()), L"a\x7F"
                             L"b");

    PressKey(Box(), VK_SPACE);
    EXPECT_EQ(TextOf(Box()), L"a\x7F"
                             L"b\x7F")
        << "the space bar types the same character";

    SetWindowTextW(Box(), L"a\x7F"
                          L"b");
    SendMessageW(Box(), EM_SETSEL, 3, 3);
    ASSERT_TRUE(SetClipboardText(L" c d "));
    SendMessageW(Box(), WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(Box()), L"a\x7F"
                             L"b c d ");

    // Beyond the edit control's usual 30000 characters typing goes on.
    SetWindowTextW(Box(), std::wstring(40000, L'x').c_str());
    SendMessageW(Box(), EM_SETSEL, 40000, 40000);
    SendMessageW(Box(), WM_CHAR, L'y', 1);
    EXPECT_EQ(GetWindowTextLengthW(Box()), 40001);
}

TEST_F(SupportEditor, EnterStartsALineAndEscDoesNothing) {
    HWND hwnd = Open();
    ASSERT_EQ(GetActiveWindow(), hwnd);
    ASSERT_EQ(GetFocus(), Box());
    SendMessageW(Box(), WM_CHAR, L'a', 1);
    PressKey(Box(), VK_RETURN);
    SendMessageW(Box(), WM_CHAR, L'b', 1);
    PressKey(Box(), VK_ESCAPE);
    Drain();
    ASSERT_TRUE(editor.IsOpen()) << "Esc closes nothing";
    EXPECT_EQ(TextOf(Box()), L"a\r\nb");
    EXPECT_EQ(state.SupportLines[0], L"") << "Enter commits nothing";

    PressKey(Box(), VK_TAB);
    EXPECT_EQ(GetFocus(), OkButton()) << "Tab leaves the box";
    EXPECT_EQ(TextOf(Box()), L"a\r\nb");
    PressKey(OkButton(), VK_TAB);
    EXPECT_EQ(GetFocus(), CancelButton());
    PressKey(CancelButton(), VK_ESCAPE);
    EXPECT_TRUE(editor.IsOpen()) << "Esc presses no button either";
}

TEST_F(SupportEditor, OkCommitsExactlyTheLinesShown) {
    WriteSupport("Line1=Call 800\r\nLine2=\r\nLine3=a=b\r\n");
    Open();
    Click(OkButton());
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(state.SupportLines[0], SupportEditedMarker);
    ASSERT_EQ(state.SupportLineCount, 3) << "the final line break adds no empty line";
    EXPECT_EQ(state.SupportLines[1], L"Call 800");
    EXPECT_EQ(state.SupportLines[2], L"");
    EXPECT_EQ(state.SupportLines[3], L"a=b");

    // Reopening reads the file again, not the table.
    state.SupportLines[4] = L"stale";
    Open();
    EXPECT_EQ(TextOf(Box()), L"Call 800\r\n\r\na=b\r\n");
    SetWindowTextW(Box(), L"\nfirst\r\n\nsecond\r\nthird\rsame");
    Click(OkButton());
    ASSERT_EQ(state.SupportLineCount, 3);
    EXPECT_EQ(state.SupportLines[1], L"first");
    EXPECT_EQ(state.SupportLines[2], L"\nsecond");
    EXPECT_EQ(state.SupportLines[3], L"third\rsame");
    EXPECT_EQ(state.SupportLines[4], L"stale") << "lines past the count are left alone";

    Open();
    SetWindowTextW(Box(), L"");
    Click(OkButton());
    EXPECT_EQ(state.SupportLineCount, 1);
    EXPECT_EQ(state.SupportLines[1], L"");
}

TEST_F(SupportEditor, CommitsManyLinesWithoutLimit) {
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += "Line" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    WriteSupport(lines);
    Open();
    Click(OkButton());
    ASSERT_EQ(state.SupportLineCount, 300);
    ASSERT_GE(state.SupportLines.size(), 301u);
    EXPECT_EQ(state.SupportLines[255], L"v255");
    EXPECT_EQ(state.SupportLines[300], L"v300");
}

TEST_F(SupportEditor, CancelAndCloseBoxDiscardTheEdit) {
    WriteSupport("Line1=from file\r\n");
    state.SupportLines[1] = L"kept";
    state.SupportLineCount = 1;
    const std::vector<std::wstring> before = state.SupportLines;

    Open();
    SendMessageW(Box(), WM_CHAR, L'z', 1);
    Click(CancelButton());
    EXPECT_FALSE(editor.IsOpen());

    Open();
    SendMessageW(Box(), WM_CHAR, L'z', 1);
    SendMessageW(editor.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Drain();
    EXPECT_FALSE(editor.IsOpen());

    Open();
    editor.Unload();
    EXPECT_EQ(state.SupportLines, before);
    EXPECT_EQ(state.SupportLineCount, 1);
}

TEST_F(SupportEditor, EnterOnAFocusedButtonPressesThatButton) {
    WriteSupport("Line1=x\r\n");
    Open();
    SetFocus(OkButton());
    PressKey(OkButton(), VK_RETURN);
    Drain();
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(state.SupportLines[0], SupportEditedMarker);
}

} // namespace
} // namespace bw::test
