#include "ui/main_window.h"

#include "resource.h"

#include "core/lazy_dll.h"
#include "engine/engine.h"
#include "ui/dialog_layout.h"
#include "ui/layout.h"
#include "ui/logo_logic.h"
#include "ui/twips_logic.h"

#include <commctrl.h>

#include <string_view>
#include <vector>

namespace bw {

namespace {

constexpr wchar_t kClassName[] = L"BrandwickMain";
constexpr wchar_t kFrameClassName[] = L"BrandwickFrame";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kClientWidthTwips = 6135;
constexpr int kClientHeightTwips = 7395;

constexpr int Id(MainId id) {
    return static_cast<int>(id);
}

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kTextBox = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
// SS_NOTIFY: a static without it is transparent to the mouse, so it could neither be clicked nor show a tooltip.
constexpr DWORD kPicture = SS_BITMAP | SS_NOTIFY | WS_TABSTOP;

// The window as designed, in the order the design stores it. Rows without a class are not windows:
// dlgLogo is the open-file dialog and Shape1 is painted on the window's surface.
constexpr ControlSpec kLayout[] = {
    {L"picBanner", Id(MainId::picBanner), WC_STATICW, kPicture | WS_VISIBLE, 0, 0, 0, 6135, 600, nullptr, 19},
    {L"cmdAbout", Id(MainId::cmdAbout), WC_BUTTONW, kButton, 0, 120, 6840, 1095, 375, L"关于...", 12},
    {L"dlgLogo", 0, nullptr, 0, 0, 1320, 4440, 0, 0, nullptr, -1},
    {L"txtProductID", Id(MainId::txtProductID), WC_EDITW, kTextBox, 0, 3240, 3480, 2295, 270, L"产品序列号", 8},
    {L"txtOrganization", Id(MainId::txtOrganization), WC_EDITW, kTextBox, 0, 3240, 3120, 2295, 270, L"组织名", 7},
    {L"txtUserName", Id(MainId::txtUserName), WC_EDITW, kTextBox, 0, 3240, 2760, 2295, 270, L"用户名", 6},
    {L"cmdLogo", Id(MainId::cmdLogo), WC_BUTTONW, kButton, 0, 960, 6240, 1575, 375, L"自定义Logo图片", 5},
    {L"cmdRestore", Id(MainId::cmdRestore), WC_BUTTONW, kButton & ~WS_VISIBLE, 0, 1680, 960, 1095, 375, L"恢复信息", 4},
    {L"cmdBackup", Id(MainId::cmdBackup), WC_BUTTONW, kButton & ~WS_VISIBLE, 0, 480, 960, 1095, 375, L"备份信息", 3},
    {L"txtModel", Id(MainId::txtModel), WC_EDITW, kTextBox, 0, 3240, 4680, 2295, 270, L"产品型号", 10},
    {L"txtManufacturer", Id(MainId::txtManufacturer), WC_EDITW, kTextBox, 0, 3240, 4320, 2295, 270, L"制造商", 9},
    {L"cmdApply", Id(MainId::cmdApply), WC_BUTTONW, kButton, 0, 4920, 6840, 1095, 375, L"应用(&A)", 2},
    {L"cmdCancel", Id(MainId::cmdCancel), WC_BUTTONW, kButton, 0, 3720, 6840, 1095, 375, L"取消", 1},
    {L"cmdOk", Id(MainId::cmdOk), WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 2520, 6840, 1095, 375,
     L"确定", 0},
    {L"cmdSuportInfo", Id(MainId::cmdSuportInfo), WC_BUTTONW, kButton, 0, 3240, 6000, 1815, 375, L"技术支持信息(&S)",
     11},
    // The frame draws neither border nor caption; it only holds the logo preview.
    {L"fraLogo", Id(MainId::fraLogo), kFrameClassName, WS_VISIBLE, WS_EX_CONTROLPARENT, 480, 4440, 2415, 1575,
     L"Frame1", 16},
    {L"picLogo", Id(MainId::picLogo), WC_STATICW, kPicture, 0, 480, 480, 1335, 615, nullptr, 17},
    {L"lblSysInfo", Id(MainId::lblSysInfo), WC_STATICW, kLabel, 0, 3240, 1440, 2535, 855, L"", 18},
    {L"Shape1", 0, nullptr, 0, 0, 120, 720, 5895, 6015, nullptr, -1},
    {L"lblSuport", Id(MainId::lblSuport), WC_STATICW, kLabel, 0, 840, 4080, 1710, 180, L"制造商和技术支持商:", 15},
    {L"lblRegister", Id(MainId::lblRegister), WC_STATICW, kLabel, 0, 3000, 2520, 630, 180, L"注册到:", 14},
    {L"lblSystem", Id(MainId::lblSystem), WC_STATICW, kLabel, 0, 3000, 1080, 450, 180, L"系统:", 13},
    {L"imgXP", Id(MainId::imgXP), WC_STATICW, WS_VISIBLE | SS_BITMAP, 0, 840, 1440, 1590, 1440, nullptr, -1},
};

constexpr const ControlSpec& Row(const wchar_t* name) {
    for (const ControlSpec& c : kLayout) {
        if (std::wstring_view(c.name) == name)
            return c;
    }
    __builtin_unreachable(); // not a constant expression: a name missing from the table fails to compile
}

constexpr const ControlSpec& kShape1 = Row(L"Shape1");
constexpr const ControlSpec& kFraLogo = Row(L"fraLogo");

constexpr bool InFrame(const ControlSpec& c) {
    return c.id == Id(MainId::picLogo);
}

struct Tooltip {
    MainId id;
    const wchar_t* text;
};

constexpr Tooltip kTooltips[] = {
    {MainId::txtProductID, L"产品序列号"},
    {MainId::txtOrganization, L"组织名"},
    {MainId::txtUserName, L"用户名"},
    {MainId::cmdLogo, L"请选用不超过160×100的BMP图片"},
    {MainId::cmdRestore, L"恢复为上一次备份的OEM信息"},
    {MainId::cmdBackup, L"备份当前OEM信息"},
    {MainId::txtModel, L"产品型号"},
    {MainId::txtManufacturer, L"制造商"},
    {MainId::picLogo, L"Logo图片"},
};

constexpr MainId kSelfSizingLabels[] = {MainId::lblSuport, MainId::lblRegister, MainId::lblSystem};
constexpr MainId kTextBoxes[] = {MainId::txtUserName, MainId::txtOrganization, MainId::txtProductID,
                                 MainId::txtManufacturer, MainId::txtModel};

constexpr wchar_t kDlgLogoTitle[] = L"选择一个Logo图片(请选用不超过160×100的BMP图片)";
constexpr wchar_t kDlgLogoFilter[] = L"BMP图片(*.bmp)\0*.bmp\0";

bool IsTextBox(int id) {
    for (MainId box : kTextBoxes) {
        if (Id(box) == id)
            return true;
    }
    return false;
}

UniqueFont MakeFont(const wchar_t* face, int hundredthsOfPoint, BYTE charset, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(hundredthsOfPoint, dpi, 7200);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

// The frame holds the logo preview and paints nothing but the window's background; the preview's background
// colour is the window colour.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterFrameClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kFrameClassName, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClassName;
    RegisterClassExW(&wc);
}

// The picture drawn at its own size, scaled to the window's dpi, on the window colour, as a bitmap a static control
// can show.
UniqueBitmap RenderPicture(IPicture* picture, int dpi) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height)))
        return {};
    // The picture's size comes in HIMETRIC, made from its pixels at the screen's DPI when it was loaded.
    constexpr int kHimetricPerInch = 2540;
    const int screen = ScreenDpi();
    const int cx = MulDiv(MulDiv(width, screen, kHimetricPerInch), dpi, kDesignDpi);
    const int cy = MulDiv(MulDiv(height, screen, kHimetricPerInch), dpi, kDesignDpi);
    if (cx <= 0 || cy <= 0)
        return {};

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24; // no alpha: the static control shows it as it is
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return {};
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return {};
    ScopedSelect select(dc.get(), bitmap.get());
    RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
    if (dpi != kDesignDpi) {
        SetStretchBltMode(dc.get(), HALFTONE);
        SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    }
    picture->Render(dc.get(), 0, 0, cx, cy, 0, height, width, -height, nullptr);
    return bitmap;
}

// An empty picture of the given size and system colour: a static control without a bitmap paints nothing at all.
UniqueBitmap BlankBitmap(int cx, int cy, int colour) {
    UniqueBitmap bitmap(CreateCompatibleBitmap(WindowDC(nullptr).get(), cx, cy));
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return bitmap;
    ScopedSelect select(dc.get(), bitmap.get());
    RECT all{0, 0, cx, cy};
    FillRect(dc.get(), &all, GetSysColorBrush(colour));
    return bitmap;
}

} // namespace

MainWindow::~MainWindow() {
    // The window goes before the fonts, pictures and dialogs it uses.
    if (hwnd())
        DestroyWindow(hwnd());
}

HWND MainWindow::Control(MainId id) const {
    if (!hwnd())
        return nullptr;
    if (id == MainId::picLogo)
        return GetDlgItem(GetDlgItem(hwnd(), Id(MainId::fraLogo)), Id(id));
    return GetDlgItem(hwnd(), Id(id));
}

bool MainWindow::Create(int showCommand) {
    if (hwnd())
        return false;
    InitCommonControls();
    RegisterClassOnce(kClassName, nullptr);
    RegisterFrameClass();
    if (!CreateWindowOf(kClassName, L"Brandwick", kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr))
        return false;
    m_dpi = WindowDpi(hwnd());
    m_font = CreateDialogFont(m_dpi);
    m_pictureFont = MakeFont(L"MS Sans Serif", 825, ANSI_CHARSET, m_dpi);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    m_bigIcon.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    m_smallIcon.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));

    SizeAndCentre(hwnd(), TwipsToPixels(kClientWidthTwips, m_dpi), TwipsToPixels(kClientHeightTwips, m_dpi));
    CreateLayout();
    Load();
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    return true;
}

void MainWindow::SetBlankPictures() {
    for (MainId picture : {MainId::picBanner, MainId::imgXP}) {
        RECT rc = ChildRect(Control(picture));
        m_blank[picture == MainId::imgXP] = BlankBitmap(rc.right - rc.left, rc.bottom - rc.top, COLOR_BTNFACE);
        SendMessageW(Control(picture), STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(m_blank[picture == MainId::imgXP].get()));
    }
}

void MainWindow::CreateLayout() {
    std::vector<ControlSpec> onWindow;
    std::vector<ControlSpec> inFrame;
    SplitLayout(onWindow, inFrame);
    CreateControls(hwnd(), onWindow, m_dpi, m_font.get());
    CreateControls(Control(MainId::fraLogo), inFrame, m_dpi, m_font.get());
    for (MainId picture : {MainId::picBanner, MainId::picLogo})
        SendMessageW(Control(picture), WM_SETFONT, reinterpret_cast<WPARAM>(m_pictureFont.get()), FALSE);
    SetBlankPictures();
    // The file may hold longer values than a box's default limit: the user can still type in such a box.
    for (MainId box : {MainId::txtManufacturer, MainId::txtModel})
        SendMessageW(Control(box), EM_SETLIMITTEXT, 0, 0);
    SizeLabelsToText();
    AddTooltips();
}

void MainWindow::SplitLayout(std::vector<ControlSpec>& onWindow, std::vector<ControlSpec>& inFrame) const {
    for (const ControlSpec& c : kLayout) {
        if (c.windowClass)
            (InFrame(c) ? inFrame : onWindow).push_back(c);
    }
}

// On a monitor of another scale: every control from the table again, new fonts, and the pictures drawn anew.
void MainWindow::Rescale(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    UniqueFont font = CreateDialogFont(dpi);
    UniqueFont pictureFont = MakeFont(L"MS Sans Serif", 825, ANSI_CHARSET, dpi);
    std::vector<ControlSpec> onWindow;
    std::vector<ControlSpec> inFrame;
    SplitLayout(onWindow, inFrame);
    PlaceControls(hwnd(), onWindow, dpi, font.get());
    PlaceControls(Control(MainId::fraLogo), inFrame, dpi, font.get());
    for (MainId picture : {MainId::picBanner, MainId::picLogo})
        SendMessageW(Control(picture), WM_SETFONT, reinterpret_cast<WPARAM>(pictureFont.get()), TRUE);
    m_font = std::move(font);
    m_pictureFont = std::move(pictureFont);
    SetBlankPictures();
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
    SizeLabelsToText();
    SizeAt(hwnd(), suggested.left, suggested.top, TwipsToPixels(kClientWidthTwips, dpi),
           TwipsToPixels(kClientHeightTwips, dpi));
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::SizeLabelsToText() {
    for (MainId label : kSelfSizingLabels)
        SizeLabelToText(Control(label));
}

void MainWindow::AddTooltips() {
    m_tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_tooltips)
        return;
    for (const Tooltip& tip : kTooltips) {
        HWND control = Control(tip.id);
        TTTOOLINFOW ti{};
        // The smaller record: version 5 of the common controls rejects the newer size.
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = GetParent(control);
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.lpszText = const_cast<wchar_t*>(tip.text);
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
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
    UniqueBitmap bitmap = RenderPicture(picture.get(), m_dpi);
    if (!bitmap)
        return;
    // The static control takes the bitmap's size.
    SendMessageW(Control(MainId::picLogo), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    m_logo = std::move(bitmap);
    m_logoPicture = std::move(picture); // kept to be drawn again at another scale
}

void MainWindow::ShowBlankLogo() {
    const RECT rc = ChildRect(Control(MainId::picLogo));
    UniqueBitmap blank = BlankBitmap(rc.right - rc.left, rc.bottom - rc.top, COLOR_WINDOW);
    SendMessageW(Control(MainId::picLogo), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(blank.get()));
    m_logo = std::move(blank);
    m_logoPicture.reset();
}

void MainWindow::CentreLogo() {
    HWND picLogo = Control(MainId::picLogo);
    RECT rc{};
    GetWindowRect(picLogo, &rc);
    const LogoPosition at =
        CentreInFrame(static_cast<float>(kFraLogo.width), static_cast<float>(kFraLogo.height),
                      PixelsToTwips(rc.right - rc.left, m_dpi), PixelsToTwips(rc.bottom - rc.top, m_dpi));
    SetWindowPos(picLogo, nullptr, TwipsToPixels(at.left, m_dpi), TwipsToPixels(at.top, m_dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // The dialog's shell views want OLE on this thread, as pictures do.
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

    UniquePicture picture = m_os.LoadPictureFile(chosen);
    if (!picture) {
        Report(L"无法将所选文件读取为图片，Logo 未更改：\n" + chosen, MB_ICONWARNING | MB_OK);
        return;
    }
    if (!Engine(m_state, m_os).StageLogo(chosen)) {
        Report(L"无法将所选图片复制到临时文件夹，Logo 未更改：\n" + chosen, MB_ICONWARNING | MB_OK);
        return;
    }
    ShowLogo(std::move(picture));
    ShowWindow(Control(MainId::picLogo), SW_SHOWNA);
    CentreLogo();
}

void MainWindow::OpenBanner() {
    m_os.ShellOpen(kMakerWebAddress, SW_SHOWMAXIMIZED);
    PumpEvents();
}

void MainWindow::OnCommand(int id, int code) {
    if (IsTextBox(id)) {
        if (code == EN_SETFOCUS)
            SendMessageW(GetDlgItem(hwnd(), id), EM_SETSEL, 0, -1);
        return;
    }
    if (id == Id(MainId::picBanner)) {
        if (code == STN_CLICKED)
            OpenBanner();
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
    RECT shape{TwipsToPixels(kShape1.left, m_dpi), TwipsToPixels(kShape1.top, m_dpi),
               TwipsToPixels(kShape1.left + kShape1.width, m_dpi), TwipsToPixels(kShape1.top + kShape1.height, m_dpi)};
    FrameRect(dc, &shape, GetSysColorBrush(COLOR_APPWORKSPACE));
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
    case DM_GETDEFID: {
        // A focused push button takes Enter itself, as in a dialog; everywhere else Enter means OK.
        HWND focus = GetFocus();
        int id = Id(MainId::cmdOk);
        if (focus && GetParent(focus) == hwnd() && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
            id = GetDlgCtrlID(focus);
        return MAKELRESULT(id, DC_HASDEFID);
    }
    case WM_ACTIVATE:
        // Keep the focus on the control that had it, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd(), focus))
                m_lastFocus = focus;
        } else {
            HWND target = m_lastFocus && IsWindow(m_lastFocus) && IsChild(hwnd(), m_lastFocus) ? m_lastFocus
                                                                                               : Control(MainId::cmdOk);
            SetFocus(target);
        }
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Control(MainId::picBanner) && LOWORD(lParam) == HTCLIENT &&
            m_bannerCursor) {
            SetCursor(m_bannerCursor.get());
            return TRUE;
        }
        break;
    case WM_PAINT: {
        if (PaintDC dc(hwnd()); dc)
            Paint(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        if (lParam & PRF_ERASEBKGND)
            SendMessageW(hwnd(), WM_ERASEBKGND, wParam, 0);
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DPICHANGED:
        Rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        Unload();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace bw
