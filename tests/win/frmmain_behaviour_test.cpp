// The main window's behaviour: load, keyboard, saving, closing, the banner, the dialogs and the logo.
#include "core/win32_platform.h"
#include "frmmain_fixture.h"
#include "oeminfo/logo.h"

#include <dlgs.h>

#include <algorithm>

namespace bw::test {
namespace {

// Logs every platform call in order, and whether the main window was visible at that moment.
class RecordingPlatform final : public Platform {
public:
    std::vector<std::wstring> log;
    bool visibleDuringLoad = false;

    std::optional<std::wstring> SystemDirectory() override { return Note(L"SystemDirectory"), m_real.SystemDirectory(); }
    std::optional<std::wstring> TempPath() override { return Note(L"TempPath"), m_real.TempPath(); }
    std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override {
        return Note(L"FileAttributes " + Name(path)), m_real.FileAttributes(path);
    }
    std::optional<std::string> ReadFile(const std::wstring& path) override {
        return Note(L"ReadFile " + Name(path)), m_real.ReadFile(path);
    }
    bool WriteFile(const std::wstring& path, std::string_view bytes) override {
        return Note(L"WriteFile"), m_real.WriteFile(path, bytes);
    }
    bool CopyFileOver(const std::wstring& from, const std::wstring& to) override {
        return Note(L"CopyFileOver"), m_real.CopyFileOver(from, to);
    }
    bool MoveFileOver(const std::wstring& from, const std::wstring& to) override {
        return Note(L"MoveFileOver"), m_real.MoveFileOver(from, to);
    }
    bool SetAttributes(const std::wstring& path, std::uint32_t a) override {
        return Note(L"SetAttributes"), m_real.SetAttributes(path, a);
    }
    bool DeletePath(const std::wstring& path) override { return Note(L"DeletePath"), m_real.DeletePath(path); }
    long RegRead(HKEY root, const std::wstring& key, const std::wstring& name, RegData& out) override {
        return Note(L"RegRead " + name), m_real.RegRead(root, key, name, out);
    }
    long RegWriteString(HKEY root, const std::wstring& key, const std::wstring& name,
                        const std::wstring& value) override {
        return Note(L"RegWrite " + name), m_real.RegWriteString(root, key, name, value);
    }
    OsVersion GetVersion() override { return Note(L"GetVersion"), m_real.GetVersion(); }
    void ShellOpen(const std::wstring&, int) override { Note(L"ShellOpen"); }
    UniquePicture LoadPictureFile(const std::wstring& path) override {
        return Note(L"LoadPictureFile " + Name(path)), m_real.LoadPictureFile(path);
    }
    UniqueBitmap LoadResourceBitmap(int id) override {
        return Note(L"Bitmap " + std::to_wstring(id)), m_real.LoadResourceBitmap(id);
    }
    UniqueCursor LoadResourceCursor(int id) override {
        return Note(L"Cursor " + std::to_wstring(id)), m_real.LoadResourceCursor(id);
    }

private:
    static std::wstring Name(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }
    void Note(const std::wstring& what) {
        log.push_back(what);
        HWND w = FindWindowW(L"BrandwickMain", nullptr);
        if (w && IsWindowVisible(w))
            visibleDuringLoad = true;
    }
    Win32Platform m_real;
};

const std::string kIni = "[General]\r\nManufacturer=" + Ansi(L"联想") + "\r\nModel=" + Ansi(L"天逸 510") +
                         "\r\n[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\n";

// ---------------------------------------------------------------------------------------------------------
// Load

using MainLoad = MainWindowTest;

TEST_F(MainLoad, RunsItsStepsInOrderAndShowsTheWindowOnlyAfterwards) {
    WriteBytes(iniPath, kIni);
    WriteBytes(logoPath, MakeBmp(20, 10, 24));
    RecordingPlatform recording;
    Open(recording);
    auto& log = recording.log;
    // The file steps ask for presence and then read; any other repeats are not the point here.
    const std::vector<std::wstring> expected = {
        L"GetVersion", // the system's name, then the platform family (consecutive repeats are merged)
        L"RegRead RegisteredOwner", L"RegRead RegisteredOrganization", L"RegRead ProductId",
        L"Bitmap 102",         L"Bitmap 101",
        L"Cursor 101",         L"SystemDirectory",
        L"TempPath",           L"FileAttributes oeminfo.ini",
        L"ReadFile oeminfo.ini", L"FileAttributes oemlogo.bmp",
        L"LoadPictureFile oemlogo.bmp"};
    log.erase(std::unique(log.begin(), log.end()), log.end());
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(recording.visibleDuringLoad);
    EXPECT_TRUE(IsWindowVisible(main->hwnd()));
    main.reset();
}

TEST_F(MainLoad, FillsTheBoxesFromTheRegistryAndTheOemFile) {
    SetRegistration(L"RegisteredOwner", L"张三");
    SetRegistration(L"RegisteredOrganization", L"Contoso 有限公司");
    SetRegistration(L"ProductId", L"55274-OEM-0011903-00107");
    WriteBytes(iniPath, kIni);
    Open();
    EXPECT_EQ(Text(MainId::txtUserName), L"张三");
    EXPECT_EQ(Text(MainId::txtOrganization), L"Contoso 有限公司");
    EXPECT_EQ(Text(MainId::txtProductID), L"55274-OEM-0011903-00107");
    EXPECT_EQ(Text(MainId::txtManufacturer), L"联想");
    EXPECT_EQ(Text(MainId::txtModel), L"天逸 510");
    EXPECT_NE(Text(MainId::lblSysInfo), L"") << "Wine names itself as a known Windows version";
    EXPECT_EQ(state.SystemDirectory, SystemDir());
    EXPECT_EQ(state.TempDirectory, TempDir());
    EXPECT_FALSE(IsWindowVisible(C(MainId::picLogo))) << "no logo installed";
}

TEST_F(MainLoad, WithoutTheOemFileMakerAndModelKeepTheirDesignedText) {
    Open();
    EXPECT_EQ(Text(MainId::txtManufacturer), L"制造商");
    EXPECT_EQ(Text(MainId::txtModel), L"产品型号");
}

TEST_F(MainLoad, FailingStepsAreSkippedAndTheRestStillRuns) {
    WriteBytes(iniPath, kIni);
    os.FailOn(PlatformOp::GetVersion, 0);
    os.FailOn(PlatformOp::LoadResourceBitmap, 0);
    os.FailOn(PlatformOp::LoadResourceCursor, 0);
    Open();
    EXPECT_EQ(Text(MainId::txtManufacturer), L"联想");
    EXPECT_TRUE(IsWindowVisible(main->hwnd()));
}

TEST_F(MainLoad, AHiddenReadOnlySystemLogoIsPreviewedCentred) {
    WriteBytes(logoPath, MakeBmp(100, 50, 24));
    SetFileAttributesW(logoPath.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    Open();
    HWND pic = C(MainId::picLogo);
    EXPECT_TRUE(IsWindowVisible(pic));
    const RECT r = Rect(MainId::picLogo);
    // Frame 2415 x 1575 twips, picture 1500 x 750: Left 457.5 and Top 412.5 twips.
    EXPECT_EQ(r.left, 31);
    EXPECT_EQ(r.top, 28);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 50);
}

TEST_F(MainLoad, ALogoThatIsNoPictureShowsTheBlankBoxCentred) {
    WriteBytes(logoPath, "this is not a picture");
    Open();
    EXPECT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    const RECT r = Rect(MainId::picLogo);
    EXPECT_EQ(r.right - r.left, 89);
    EXPECT_EQ(r.bottom - r.top, 41);
    EXPECT_EQ(r.left, 36);
    EXPECT_EQ(r.top, 32);
    EXPECT_TRUE(reports.empty());
}

// ---------------------------------------------------------------------------------------------------------
// Keyboard

class MainKeyboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Open();
    }
    // Hands a key to the dialog manager the way the program's message loop does.
    bool Key(HWND target, UINT message, WPARAM key) {
        MSG msg{};
        msg.hwnd = target;
        msg.message = message;
        msg.wParam = key;
        msg.lParam = message == WM_SYSCHAR ? (1 << 29) : 0; // the Alt key is down
        return IsDialogMessageW(main->hwnd(), &msg) != FALSE;
    }
};

TEST_F(MainKeyboard, EnterInATextBoxPressesOk) {
    SetFocus(C(MainId::txtModel));
    Type(MainId::txtModel, L"按回车保存");
    Key(C(MainId::txtModel), WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(main->hwnd()) << "OK saved and closed the window";
    EXPECT_TRUE(QuitRequested());
    EXPECT_NE(ReadBytes(iniPath).value_or("").find(Ansi(L"Model=按回车保存")), std::string::npos);
}

TEST_F(MainKeyboard, EnterOnAFocusedButtonPressesThatButton) {
    SetFocus(C(MainId::cmdCancel));
    Key(C(MainId::cmdCancel), WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(main->hwnd());
    EXPECT_FALSE(ReadBytes(iniPath)) << "Cancel saves nothing";
}

TEST_F(MainKeyboard, EscapeDoesNothing) {
    SetFocus(C(MainId::txtUserName));
    Key(C(MainId::txtUserName), WM_KEYDOWN, VK_ESCAPE);
    Drain();
    ASSERT_TRUE(main->hwnd());
    EXPECT_TRUE(IsWindowVisible(main->hwnd()));
    EXPECT_FALSE(ReadBytes(iniPath));
    EXPECT_TRUE(reports.empty());
}

TEST_F(MainKeyboard, AltAPressesApplyAndAltSOpensTheSupportEditor) {
    SetFocus(C(MainId::txtUserName));
    Type(MainId::txtUserName, L"李四");
    Key(C(MainId::txtUserName), WM_SYSCHAR, 'a');
    Drain();
    EXPECT_EQ(GetRegistration(L"RegisteredOwner"), L"李四");
    EXPECT_TRUE(main->hwnd()) << "Apply leaves the window open";

    EXPECT_FALSE(main->SuportInfo().IsOpen());
    Key(C(MainId::txtUserName), WM_SYSCHAR, 's');
    Drain();
    EXPECT_TRUE(main->SuportInfo().IsOpen());
}

TEST_F(MainKeyboard, FocusSelectsTheWholeTextOfEveryBox) {
    Type(MainId::txtOrganization, L"");
    for (MainId id : {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID, MainId::txtManufacturer,
                      MainId::txtModel}) {
        SetFocus(C(MainId::cmdOk));
        SendMessageW(C(id), EM_SETSEL, 0, 0);
        SetFocus(C(id));
        DWORD start = 99;
        DWORD end = 99;
        SendMessageW(C(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, Text(id).size()) << Text(id);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Buttons

class MainButtons : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetRegistration(L"RegisteredOwner", L"旧用户");
        WriteBytes(iniPath, kIni);
        Open();
    }
};

TEST_F(MainButtons, ApplyTwiceWritesEverythingTwiceAndKeepsTheWindowOpen) {
    Type(MainId::txtUserName, L"王五");
    Type(MainId::txtManufacturer, L"新制造商");
    os.ResetCalls();
    Click(MainId::cmdApply);
    EXPECT_EQ(os.Calls(PlatformOp::RegWrite), 3);
    const std::string first = ReadBytes(iniPath).value_or("");
    EXPECT_NE(first.find(Ansi(L"Manufacturer=新制造商")), std::string::npos);
    EXPECT_NE(first.find(Ansi(L"Line1=服务热线 800")), std::string::npos) << "support lines are kept";
    Click(MainId::cmdApply);
    EXPECT_EQ(os.Calls(PlatformOp::RegWrite), 6);
    EXPECT_EQ(ReadBytes(iniPath).value_or(""), first);
    EXPECT_EQ(GetRegistration(L"RegisteredOwner"), L"王五");
    EXPECT_TRUE(IsWindowVisible(main->hwnd()));
    EXPECT_EQ(Text(MainId::txtUserName), L"王五");
    EXPECT_TRUE(reports.empty());
}

TEST_F(MainButtons, OkSavesAndEndsTheProgramDeletingTheStagingFiles) {
    Type(MainId::txtModel, L"X1");
    Click(MainId::cmdOk);
    EXPECT_FALSE(main->hwnd());
    EXPECT_TRUE(QuitRequested());
    EXPECT_NE(ReadBytes(iniPath).value_or("").find("Model=X1\r\n"), std::string::npos);
    EXPECT_FALSE(ReadBytes(stagedIni));
}

TEST_F(MainButtons, OkThatCannotSaveStaysOpenWithTheEditsAndSaysWhatWasLost) {
    Type(MainId::txtOrganization, L"未保存的组织");
    os.FailOn(PlatformOp::RegWrite, 2);
    Click(MainId::cmdOk);
    ASSERT_TRUE(main->hwnd());
    EXPECT_EQ(Text(MainId::txtOrganization), L"未保存的组织");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind(L"以下内容未能保存：", 0), 0u);
    EXPECT_NE(reports[0].find(L"组织名 (RegisteredOrganization)"), std::wstring::npos);
    EXPECT_EQ(reports[0].find(L"RegisteredOwner"), std::wstring::npos);
    EXPECT_TRUE(reportFlags[0] & MB_ICONWARNING);
    EXPECT_FALSE(QuitRequested());
}

TEST_F(MainButtons, CancelAfterApplyKeepsWhatWasAppliedAndDeletesTheStagingFiles) {
    Type(MainId::txtUserName, L"已应用");
    Click(MainId::cmdApply);
    Type(MainId::txtUserName, L"未应用");
    WriteBytes(stagedLogo, MakeBmp(4, 4, 24));
    Click(MainId::cmdCancel);
    EXPECT_FALSE(main->hwnd());
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(GetRegistration(L"RegisteredOwner"), L"已应用");
    EXPECT_FALSE(ReadBytes(stagedIni));
    EXPECT_FALSE(ReadBytes(stagedLogo));
}

TEST_F(MainButtons, TheCloseBoxIsCancel) {
    Type(MainId::txtUserName, L"不保存");
    SendMessageW(main->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(main->hwnd());
    EXPECT_TRUE(QuitRequested());
    EXPECT_EQ(GetRegistration(L"RegisteredOwner"), L"旧用户");
}

TEST_F(MainButtons, BannerOpensTheMakersAddressMaximized) {
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<int>(MainId::picBanner), STN_CLICKED),
                 reinterpret_cast<LPARAM>(C(MainId::picBanner)));
    ASSERT_EQ(os.shellRequests.size(), 1u);
    EXPECT_EQ(os.shellRequests[0].first, L"http://www.brandwick.example/");
    EXPECT_EQ(os.shellRequests[0].second, SW_SHOWMAXIMIZED);
}

TEST_F(MainButtons, AboutAndSupportOpenOnceAndCloseWithTheMainWindow) {
    Click(MainId::cmdAbout);
    ASSERT_TRUE(main->About().IsOpen());
    HWND about = main->About().hwnd();
    Click(MainId::cmdAbout);
    EXPECT_EQ(main->About().hwnd(), about);
    Click(MainId::cmdSuportInfo);
    ASSERT_TRUE(main->SuportInfo().IsOpen());
    HWND support = main->SuportInfo().hwnd();
    Click(MainId::cmdSuportInfo);
    EXPECT_EQ(main->SuportInfo().hwnd(), support);
    EXPECT_TRUE(IsWindowEnabled(main->hwnd())) << "both are modeless";

    Click(MainId::cmdCancel);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_FALSE(IsWindow(support));
    EXPECT_TRUE(QuitRequested());
}

// Every single failure on the way to saving: the user hears once about exactly what was not saved, and each
// thing is either wholly saved or wholly as before.
TEST_F(MainButtons, EverySingleSaveFailureIsReportedAndLeavesNothingHalfWritten) {
    const std::string oldLogo = MakeBmp(8, 8, 24);
    const std::string newLogo = MakeBmp(16, 16, 8);
    const std::wstring chosen = TempDir() + L"brandwick_chosen.bmp";
    FileGuard guardChosen(chosen);
    WriteBytes(chosen, newLogo);
    ASSERT_TRUE(StageLogo(state, os, chosen));

    auto reset = [&] {
        SetRegistration(L"RegisteredOwner", L"旧用户");
        SetRegistration(L"RegisteredOrganization", L"旧组织");
        SetRegistration(L"ProductId", L"OLD-ID");
        WriteBytes(iniPath, kIni);
        WriteBytes(logoPath, oldLogo);
        // Read-only and hidden, as a maker's files often are.
        SetFileAttributesW(iniPath.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesW(logoPath.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
        reports.clear();
        os.Heal();
        os.ResetCalls();
    };
    Type(MainId::txtUserName, L"新用户");
    Type(MainId::txtOrganization, L"新组织");
    Type(MainId::txtProductID, L"NEW-ID");
    Type(MainId::txtManufacturer, L"新制造商");
    Type(MainId::txtModel, L"新型号");

    reset();
    Click(MainId::cmdApply);
    ASSERT_TRUE(reports.empty());
    const std::string newIni = ReadBytes(iniPath).value_or("");
    ASSERT_NE(newIni.find(Ansi(L"Manufacturer=新制造商")), std::string::npos);
    ASSERT_NE(newIni.find(Ansi(L"Line1=服务热线 800")), std::string::npos);
    ASSERT_EQ(ReadBytes(logoPath).value_or(""), newLogo);
    const PlatformOp ops[] = {PlatformOp::RegWrite,     PlatformOp::ReadFile,      PlatformOp::WriteFile,
                              PlatformOp::CopyFileOver, PlatformOp::MoveFileOver, PlatformOp::SetAttributes,
                              PlatformOp::DeletePath};
    std::vector<int> calls;
    for (PlatformOp op : ops)
        calls.push_back(os.Calls(op));

    int injected = 0;
    for (std::size_t i = 0; i < std::size(ops); ++i) {
        for (int nth = 1; nth <= calls[i]; ++nth) {
            reset();
            os.FailOn(ops[i], nth);
            Click(MainId::cmdApply);
            ++injected;
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(ops[i]) << ", call " << nth);
            ASSERT_LE(reports.size(), 1u);
            const std::wstring report = reports.empty() ? L"" : reports[0];
            auto lost = [&](const wchar_t* what) { return report.find(what) != std::wstring::npos; };
            EXPECT_EQ(GetRegistration(L"RegisteredOwner"), lost(L"(RegisteredOwner)") ? L"旧用户" : L"新用户");
            EXPECT_EQ(GetRegistration(L"RegisteredOrganization"),
                      lost(L"(RegisteredOrganization)") ? L"旧组织" : L"新组织");
            EXPECT_EQ(GetRegistration(L"ProductId"), lost(L"(ProductId)") ? L"OLD-ID" : L"NEW-ID");
            EXPECT_EQ(ReadBytes(iniPath).value_or(""), lost(L"oeminfo.ini") ? kIni : newIni);
            EXPECT_EQ(ReadBytes(logoPath).value_or(""), lost(L"oemlogo.bmp") ? oldLogo : newLogo);
            if (ops[i] == PlatformOp::RegWrite || ops[i] == PlatformOp::WriteFile) {
                EXPECT_FALSE(report.empty()) << "a failed write is always reported";
            }
            EXPECT_TRUE(IsWindowVisible(main->hwnd()));
        }
    }
    EXPECT_GE(injected, 10);
}

// ---------------------------------------------------------------------------------------------------------
// Logo

// What the open-file dialog hook does on its next show: pick this file, or cancel when empty.
std::wstring g_pick;
std::wstring g_dialogTitle;
std::wstring g_dialogFilter;
int g_dialogShows = 0;

UINT_PTR CALLBACK DlgLogoHook(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE)
        return 0;
    ++g_dialogShows;
    HWND box = GetParent(dlg);
    g_dialogTitle = WindowText(box);
    g_dialogFilter = WindowText(GetDlgItem(box, cmb1));
    if (g_pick.empty()) {
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    } else {
        SendMessageW(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(g_pick.c_str()));
        SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_pick.c_str()));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return 0;
}

class MainLogo : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        g_pick.clear();
        g_dialogShows = 0;
        Open();
        main->SetDlgLogoHook(DlgLogoHook);
    }
    void Choose(const std::wstring& path) {
        g_pick = path;
        Click(MainId::cmdLogo);
    }
    std::wstring Prepare(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = TempDir() + name;
        guards.push_back(std::make_unique<FileGuard>(path));
        WriteBytes(path, bytes);
        return path;
    }
    COLORREF PreviewPixel(int x, int y) {
        auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(C(MainId::picLogo), STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!bitmap)
            return CLR_INVALID;
        HDC dc = CreateCompatibleDC(nullptr);
        COLORREF colour = CLR_INVALID;
        {
            ScopedSelect select(dc, bitmap);
            colour = GetPixel(dc, x, y);
        }
        DeleteDC(dc);
        return colour;
    }
    std::vector<std::unique_ptr<FileGuard>> guards;
};

TEST_F(MainLogo, TheDialogIsConfiguredAsDesigned) {
    Choose(L"");
    ASSERT_EQ(g_dialogShows, 1);
    EXPECT_EQ(g_dialogTitle, L"选择一个Logo图片(请选用不超过160×100的BMP图片)");
    EXPECT_EQ(g_dialogFilter, L"BMP图片(*.bmp)");
    EXPECT_EQ(main->DlgLogoFileName(), L"") << "a first show that is cancelled leaves the name empty";
    EXPECT_FALSE(IsWindowVisible(C(MainId::picLogo)));
    EXPECT_FALSE(ReadBytes(stagedLogo));
}

TEST_F(MainLogo, BitmapsOfEveryDepthArePreviewedAtTheirSizeStagedAndInstalledOnApply) {
    for (int depth : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(depth);
        const std::string bytes = MakeBmp(60, 30, depth);
        const std::wstring path = Prepare(L"brandwick_depth.bmp", bytes);
        RemoveFile(logoPath);
        Choose(path);
        EXPECT_EQ(main->DlgLogoFileName(), path);
        ASSERT_TRUE(IsWindowVisible(C(MainId::picLogo)));
        const RECT r = Rect(MainId::picLogo);
        EXPECT_EQ(r.right - r.left, 60);
        EXPECT_EQ(r.bottom - r.top, 30);
        EXPECT_EQ(r.left, 51); // (2415 - 900) / 2 twips
        EXPECT_EQ(r.top, 38);  // (1575 - 450) / 2 twips, 37.5 pixels rounded away from zero
        EXPECT_EQ(PreviewPixel(0, 0), kRed);
        EXPECT_EQ(PreviewPixel(59, 29), kBlue);
        EXPECT_EQ(ReadBytes(stagedLogo).value_or(""), bytes);
        EXPECT_FALSE(ReadBytes(logoPath)) << "nothing is installed before Apply";
        Click(MainId::cmdApply);
        EXPECT_EQ(ReadBytes(logoPath).value_or(""), bytes);
        EXPECT_TRUE(reports.empty());
    }
}

TEST_F(MainLogo, AJpegIsPreviewedAndInstalledUnchanged) {
    const std::wstring jpeg = DataDir() + L"green40x30.jpg";
    const auto bytes = ReadBytes(jpeg);
    ASSERT_TRUE(bytes) << "missing test picture";
    Choose(jpeg);
    ASSERT_TRUE(IsWindowVisible(C(MainId::picLogo)));
    const RECT r = Rect(MainId::picLogo);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 30);
    const COLORREF c = PreviewPixel(20, 15);
    EXPECT_GT(GetGValue(c), 200);
    EXPECT_LT(GetRValue(c), 60);
    Click(MainId::cmdOk);
    EXPECT_EQ(ReadBytes(logoPath).value_or(""), *bytes);
}

TEST_F(MainLogo, APictureLargerThanTheFrameIsCentredOnItsMiddle) {
    Choose(Prepare(L"brandwick_large.bmp", MakeBmp(300, 200, 24)));
    const RECT r = Rect(MainId::picLogo);
    EXPECT_EQ(r.left, -70); // 1207.5 - 2250 twips
    EXPECT_EQ(r.top, -48);  // 787.5 - 1500 twips
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(GetParent(C(MainId::picLogo)), C(MainId::fraLogo));
}

TEST_F(MainLogo, AFileThatIsNoPictureIsRefusedAndChangesNothing) {
    const std::string good = MakeBmp(20, 20, 24);
    Choose(Prepare(L"brandwick_good.bmp", good));
    const RECT before = Rect(MainId::picLogo);
    Choose(Prepare(L"brandwick_text.bmp", "plain text, not a picture"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"brandwick_text.bmp"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(stagedLogo).value_or(""), good);
    const RECT after = Rect(MainId::picLogo);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(PreviewPixel(0, 0), kRed);
}

TEST_F(MainLogo, AFailedStagingIsReportedAndChangesNothing) {
    const std::string good = MakeBmp(20, 20, 24);
    Choose(Prepare(L"brandwick_good.bmp", good));
    os.FailOn(PlatformOp::CopyFileOver);
    Choose(Prepare(L"brandwick_big.bmp", MakeBmp(50, 40, 24)));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(ReadBytes(stagedLogo).value_or(""), good);
    EXPECT_EQ(Rect(MainId::picLogo).right - Rect(MainId::picLogo).left, 20) << "the preview stays";
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logoPath).value_or(""), good);
}

TEST_F(MainLogo, CancellingKeepsTheLastNameAndChangesNothing) {
    const std::string first = MakeBmp(20, 20, 24);
    const std::wstring path = Prepare(L"brandwick_first.bmp", first);
    Choose(path);
    Choose(L"");
    EXPECT_EQ(g_dialogShows, 2);
    EXPECT_EQ(main->DlgLogoFileName(), path);
    EXPECT_EQ(ReadBytes(stagedLogo).value_or(""), first);
    EXPECT_TRUE(reports.empty());
}

TEST_F(MainLogo, TheSecondOfTwoChoicesIsInstalled) {
    Choose(Prepare(L"brandwick_one.bmp", MakeBmp(10, 10, 24)));
    const std::string second = MakeBmp(30, 10, 8);
    Choose(Prepare(L"brandwick_two.bmp", second));
    Click(MainId::cmdApply);
    EXPECT_EQ(ReadBytes(logoPath).value_or(""), second);
}

TEST(MainLogoStale, AStagingFileFromAnEarlierRunIsNeverInstalled) {
    const std::wstring logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring staged = TempDir() + L"oemlogo.tmp";
    FileGuard guardLogo(logo);
    FileGuard guardStaged(staged);
    FileGuard guardIni(SystemDir() + L"\\oeminfo.ini");
    FileGuard guardStagedIni(TempDir() + L"oeminfo.tmp");
    RegValueGuard owner(L"RegisteredOwner");
    RegValueGuard organization(L"RegisteredOrganization");
    RegValueGuard productId(L"ProductId");
    const std::string installed = MakeBmp(8, 8, 24);
    WriteBytes(logo, installed);
    WriteBytes(staged, MakeBmp(12, 12, 24));
    AppState state;
    FaultPlatform os;
    {
        frmMain main(state, os);
        main.SetReporter([](const std::wstring&, UINT) { ADD_FAILURE() << "nothing to report"; });
        ASSERT_TRUE(main.Create(SW_SHOW));
        SendMessageW(main.Control(MainId::cmdApply), BM_CLICK, 0, 0);
        EXPECT_EQ(ReadBytes(logo).value_or(""), installed);
        SendMessageW(main.Control(MainId::cmdOk), BM_CLICK, 0, 0);
        EXPECT_EQ(ReadBytes(logo).value_or(""), installed);
    }
    EXPECT_FALSE(ReadBytes(staged)) << "the program's end removes it";
    Drain();
}

} // namespace
} // namespace bw::test
