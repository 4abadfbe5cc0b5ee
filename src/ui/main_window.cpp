#include "ui/main_window.h"

#include "resource.h"

#include "core/lazy_dll.h"
#include "engine/engine.h"
#include "ui/dialog_layout.h"
#include "ui/layout.h"
#include "ui/logo_logic.h"
#include "ui/pictures.h"
#include "ui/twips_logic.h"

#include <commctrl.h>

namespace bw {

namespace {

constexpr int Id(MainId id) {
    return static_cast<int>(id);
}

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kTextBox = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
// SS_NOTIFY: a static without it is transparent to the mouse, so it could neither be clicked nor show a tooltip.
constexpr DWORD kPicture = SS_BITMAP | SS_NOTIFY | WS_TABSTOP;

// The window as designed, in the order the design stores it. Rows without a class are not windows:
// dlgLogo is the open-file dialog and Shape1, the panel's outline, is painted on the window's surface.
constexpr ControlSpec kLayout[] = {
    {L"picBanner", Id(MainId::picBanner), WC_STATICW, kPicture | WS_VISIBLE, 0, 0, 0, 6135, 600, nullptr, 19},
    {L"cmdAbout", Id(MainId::cmdAbout), WC_BUTTONW, kButton, 0, 120, 6840, 1095, 375, L"关于...", 12},
    {L"dlgLogo", 0, nullptr, 0, 0, 1320, 4440, 0, 0, nullptr, -1},
    {L"txtProductID", Id(MainId::txtProductID), WC_EDITW, kTextBox, 0, 3240, 3480, 2295, 270, L"产品序列号", 8,
     L"产品序列号"},
    {L"txtOrganization", Id(MainId::txtOrganization), WC_EDITW, kTextBox, 0, 3240, 3120, 2295, 270, L"组织名", 7,
     L"组织名"},
    {L"txtUserName", Id(MainId::txtUserName), WC_EDITW, kTextBox, 0, 3240, 2760, 2295, 270, L"用户名", 6, L"用户名"},
    {L"cmdLogo", Id(MainId::cmdLogo), WC_BUTTONW, kButton, 0, 960, 6240, 1575, 375, L"自定义Logo图片", 5,
     L"请选用不超过160×100的BMP图片"},
    {L"cmdRestore", Id(MainId::cmdRestore), WC_BUTTONW, kButton & ~WS_VISIBLE, 0, 1680, 960, 1095, 375, L"恢复信息", 4,
     L"恢复为上一次备份的OEM信息"},
    {L"cmdBackup", Id(MainId::cmdBackup), WC_BUTTONW, kButton & ~WS_VISIBLE, 0, 480, 960, 1095, 375, L"备份信息", 3,
     L"备份当前OEM信息"},
    {L"txtModel", Id(MainId::txtModel), WC_EDITW, kTextBox, 0, 3240, 4680, 2295, 270, L"产品型号", 10, L"产品型号"},
    {L"txtManufacturer", Id(MainId::txtManufacturer), WC_EDITW, kTextBox, 0, 3240, 4320, 2295, 270, L"制造商", 9,
     L"制造商"},
    {L"cmdApply", Id(MainId::cmdApply), WC_BUTTONW, kButton, 0, 4920, 6840, 1095, 375, L"应用(&A)", 2},
    {L"cmdCancel", Id(MainId::cmdCancel), WC_BUTTONW, kButton, 0, 3720, 6840, 1095, 375, L"取消", 1},
    {L"cmdOk", Id(MainId::cmdOk), WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 2520, 6840, 1095, 375,
     L"确定", 0},
    {L"cmdSuportInfo", Id(MainId::cmdSuportInfo), WC_BUTTONW, kButton, 0, 3240, 6000, 1815, 375, L"技术支持信息(&S)",
     11},
    {L"fraLogo", Id(MainId::fraLogo), kLogoFrameClass, WS_VISIBLE, WS_EX_CONTROLPARENT, 480, 4440, 2415, 1575, L"", 16},
    {L"picLogo", Id(MainId::picLogo), WC_STATICW, kPicture, 0, 480, 480, 1335, 615, nullptr, 17, L"Logo图片", false,
     kControlDefaultColor, Id(MainId::fraLogo)},
    {L"lblSysInfo", Id(MainId::lblSysInfo), WC_STATICW, kLabel, 0, 3240, 1440, 2535, 855, L"", 18},
    {L"Shape1", 0, nullptr, 0, 0, 120, 720, 5895, 6015, nullptr, -1},
    {L"lblSuport", Id(MainId::lblSuport), WC_STATICW, kLabel, 0, 840, 4080, 1710, 180, L"制造商和技术支持商:", 15,
     nullptr, true},
    {L"lblRegister", Id(MainId::lblRegister), WC_STATICW, kLabel, 0, 3000, 2520, 630, 180, L"注册到:", 14, nullptr,
     true},
    {L"lblSystem", Id(MainId::lblSystem), WC_STATICW, kLabel, 0, 3000, 1080, 450, 180, L"系统:", 13, nullptr, true},
    {L"imgXP", Id(MainId::imgXP), WC_STATICW, WS_VISIBLE | SS_BITMAP, 0, 840, 1440, 1590, 1440, nullptr, -1},
};

constexpr const ControlSpec& kPanelOutline = RowNamed(kLayout, L"Shape1");
constexpr const ControlSpec& kLogoFrame = RowNamed(kLayout, L"fraLogo");

// None of the ids is IDOK or IDCANCEL, so Esc does nothing; Enter is OK unless the focus is on another button.
constexpr WindowDesign kDesign{
    L"BrandwickMain",  L"Brandwick",     WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, 6135, 7395, kLayout,
    Id(MainId::cmdOk), Id(MainId::cmdOk)};

constexpr wchar_t kDlgLogoTitle[] = L"选择一个Logo图片(请选用不超过160×100的BMP图片)";
// Every picture the logo takes, then each kind; BMP, installed as it is, leads the kinds.
constexpr wchar_t kDlgLogoFilter[] = L"图片文件(*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.ico)\0"
                                     L"*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.jpe;*.jfif;*.gif;*.ico;*.cur\0"
                                     L"BMP图片(*.bmp)\0*.bmp;*.dib\0"
                                     L"PNG图片(*.png)\0*.png\0"
                                     L"JPEG图片(*.jpg;*.jpeg)\0*.jpg;*.jpeg;*.jpe;*.jfif\0"
                                     L"GIF图片(*.gif)\0*.gif\0"
                                     L"图标(*.ico;*.cur)\0*.ico;*.cur\0";

// Runs one step of a sequence in which a failing step is skipped and the next one still runs. Steps report
// failure by their results, never by throwing: the program is built without exceptions.
template <typename F> void Step(F&& f) noexcept {
    f();
}

} // namespace

MainWindow::~MainWindow() {
    // The window goes before the fonts, pictures and dialogs it uses.
    if (hwnd())
        DestroyWindow(hwnd());
}

HWND MainWindow::Control(MainId id) const {
    return Child(Id(id));
}

bool MainWindow::Create(int showCommand) {
    if (hwnd())
        return false;
    InitCommonControls();
    RegisterLogoFrameClass();
    if (!CreateFromDesign(kDesign, nullptr))
        return false;
    // The file may hold longer values than a box's default limit: the user can still type in such a box.
    for (MainId box : {MainId::txtManufacturer, MainId::txtModel})
        SendMessageW(Control(box), EM_SETLIMITTEXT, 0, 0);
    Load();
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    return true;
}

void MainWindow::Layout(int dpi) {
    UniqueFont pictureFont = CreatePictureFont(dpi);
    Window::Layout(dpi);
    for (MainId picture : {MainId::picBanner, MainId::picLogo})
        SendMessageW(Control(picture), WM_SETFONT, reinterpret_cast<WPARAM>(pictureFont.get()), TRUE);
    m_pictureFont = std::move(pictureFont);
    m_blank[0] = ShowBlank(Control(MainId::picBanner), COLOR_BTNFACE);
    m_blank[1] = ShowBlank(Control(MainId::imgXP), COLOR_BTNFACE);
    if (m_imgXP.source)
        m_imgXP.ShowIn(Control(MainId::imgXP), dpi);
    if (m_banner.source)
        m_banner.ShowIn(Control(MainId::picBanner), dpi);
    if (IsWindowVisible(Control(MainId::picLogo))) {
        if (m_logoPicture)
            ShowLogo(std::move(m_logoPicture));
        else
            ShowBlankLogo();
        CentreLogo();
    }
}

// Load sequence: each step reports failure by leaving its controls as designed, and the next still runs; the window
// is shown only after the last.
void MainWindow::Load() {
    Engine engine(m_state, m_os);
    if (const auto caption = engine.SystemCaption())
        SetWindowTextW(Control(MainId::lblSysInfo), caption->c_str());
    LoadRegistration();
    if (UniqueBitmap picture = m_os.LoadResourceBitmap(IDB_MONITOR)) {
        m_imgXP.source = std::move(picture);
        m_imgXP.ShowIn(Control(MainId::imgXP), m_dpi);
    }
    if (UniqueBitmap picture = m_os.LoadResourceBitmap(IDB_BANNER)) {
        m_banner.source = std::move(picture);
        m_banner.ShowIn(Control(MainId::picBanner), m_dpi);
    }
    m_bannerCursor = m_os.LoadResourceCursor(IDCUR_HAND);
    engine.FindFolders();
    LoadOemInfoBoxes();
    LoadLogoPreview();
}

void MainWindow::LoadRegistration() {
    Shown shown;
    Engine(m_state, m_os).ReadRegistration(shown);
    SetWindowTextW(Control(MainId::txtUserName), shown.owner.value_or(L"").c_str());
    SetWindowTextW(Control(MainId::txtOrganization), shown.organization.value_or(L"").c_str());
    SetWindowTextW(Control(MainId::txtProductID), shown.productId.value_or(L"").c_str());
}

void MainWindow::LoadOemInfoBoxes() {
    // Without a value from the system, the box keeps its designed text.
    Shown shown;
    Engine(m_state, m_os).ReadOemInfo(shown);
    if (shown.maker)
        SetWindowTextW(Control(MainId::txtManufacturer), shown.maker->c_str());
    if (shown.model)
        SetWindowTextW(Control(MainId::txtModel), shown.model->c_str());
}

void MainWindow::LoadLogoPreview() {
    auto picture = Engine(m_state, m_os).ShownLogo();
    if (!picture)
        return;
    // A logo that is no picture leaves the box at its designed size: a blank area in the window colour, centred.
    ShowLogo(std::move(*picture));
    if (!m_logo)
        ShowBlankLogo();
    CentreLogo();
    ShowWindow(Control(MainId::picLogo), SW_SHOWNA);
}

void MainWindow::ShowLogo(UniquePicture picture) {
    if (!picture)
        return;
    if (UniqueBitmap bitmap = ShowPicture(Control(MainId::picLogo), picture.get(), m_dpi)) {
        m_logo = std::move(bitmap);
        m_logoPicture = std::move(picture); // kept to be drawn again at another scale
    }
}

void MainWindow::ShowBlankLogo() {
    m_logo = ShowBlank(Control(MainId::picLogo), COLOR_WINDOW);
    m_logoPicture.reset();
}

void MainWindow::CentreLogo() {
    CentrePictureBox(Control(MainId::picLogo), kLogoFrame, m_dpi);
}

void MainWindow::Unload() {
    // Another instance may still need a staging file that now holds its own content.
    Engine(m_state, m_os).CleanUp();
    m_supportEditor.Unload();
    PostQuitMessage(0);
    // The program ends here; the About window goes with it.
    m_about.Unload();
}

// Saves everything, and tells the user once about whatever could not be saved. True when all was saved.
bool MainWindow::ApplyChanges() {
    // The support values are what the editor last committed; all absent where the system has no OEMInformation key.
    const ApplyResult result = Engine(m_state, m_os)
                                   .Apply({.owner = Text(MainId::txtUserName),
                                           .organization = Text(MainId::txtOrganization),
                                           .productId = Text(MainId::txtProductID),
                                           .maker = Text(MainId::txtManufacturer),
                                           .model = Text(MainId::txtModel),
                                           .supportLines = std::nullopt,
                                           .supportPhone = m_state.SupportKey.phone,
                                           .supportHours = m_state.SupportKey.hours,
                                           .supportUrl = m_state.SupportKey.url,
                                           .supportProvider = m_state.SupportKey.provider,
                                           .logo = std::nullopt});
    if (result.AllSaved())
        return true;
    Report(NotSavedMessage(result), MB_ICONWARNING | MB_OK);
    return false;
}

void MainWindow::ChooseLogo() {
    const auto previous = m_dlgLogoFile;
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = kDlgLogoFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_dlgLogoFile.data();
    ofn.nMaxFile = static_cast<DWORD>(m_dlgLogoFile.size());
    ofn.lpstrTitle = kDlgLogoTitle;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (m_dlgLogoHook) {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = m_dlgLogoHook;
    }
    // The dialog's shell views want OLE on this thread.
    EnsureOle();
    auto getOpenFileName = SystemFunction<decltype(GetOpenFileNameW)>(SystemDll::comdlg32, "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&ofn)) {
        // Cancelled: the dialog keeps the name it had.
        m_dlgLogoFile = previous;
        return;
    }
    const std::wstring chosen = m_dlgLogoFile.data();
    if (chosen.empty())
        return;

    // The preview is drawn from the very bitmap that Apply installs.
    Engine engine(m_state, m_os);
    LogoFile logo = engine.CheckLogo(chosen);
    UniquePicture picture = logo.problem == LogoFile::Problem::None ? m_os.LoadPicture(logo.bytes) : UniquePicture{};
    if (!picture) {
        Report(L"无法将所选文件读取为图片，Logo 未更改：\n" + chosen, MB_ICONWARNING | MB_OK);
        return;
    }
    if (!engine.StageLogo(std::move(logo.bytes))) {
        Report(L"无法将所选图片复制到临时文件夹，Logo 未更改：\n" + chosen, MB_ICONWARNING | MB_OK);
        return;
    }
    ShowLogo(std::move(picture));
    ShowWindow(Control(MainId::picLogo), SW_SHOWNA);
    CentreLogo();
}

void MainWindow::OnCommand(int id, int code) {
    // The text boxes are the window's only edit controls: no other control sends this code.
    if (code == EN_SETFOCUS) {
        SendMessageW(GetDlgItem(hwnd(), id), EM_SETSEL, 0, -1);
        return;
    }
    if (id == Id(MainId::picBanner)) {
        if (code == STN_CLICKED) {
            m_os.ShellOpen(kMakerWebAddress, SW_SHOWMAXIMIZED);
            PumpEvents();
        }
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (static_cast<MainId>(id)) {
    case MainId::cmdApply:
        ApplyChanges();
        break;
    case MainId::cmdOk:
        // What could not be saved stays in the boxes for another try.
        if (ApplyChanges())
            DestroyWindow(hwnd());
        break;
    case MainId::cmdCancel:
        DestroyWindow(hwnd());
        break;
    case MainId::cmdAbout:
        m_about.Open();
        break;
    case MainId::cmdSuportInfo:
        m_supportEditor.Open();
        break;
    case MainId::cmdLogo:
        ChooseLogo();
        break;
    default:
        break;
    }
}

void MainWindow::Paint(HDC dc) {
    const ControlSpec& c = kPanelOutline;
    RECT outline{TwipsToPixels(c.left, m_dpi), TwipsToPixels(c.top, m_dpi), TwipsToPixels(c.left + c.width, m_dpi),
                 TwipsToPixels(c.top + c.height, m_dpi)};
    FrameRect(dc, &outline, GetSysColorBrush(COLOR_APPWORKSPACE));
}

std::wstring MainWindow::Text(MainId id) const {
    return WindowText(Control(id));
}

void MainWindow::Report(const std::wstring& text, UINT flags) {
    ShowMessage(m_report, hwnd(), text, flags);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Control(MainId::picBanner) && LOWORD(lParam) == HTCLIENT &&
            m_bannerCursor) {
            SetCursor(m_bannerCursor.get());
            return TRUE;
        }
        break;
    case WM_DESTROY:
        Unload();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace bw
