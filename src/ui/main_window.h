#pragma once
// The main window: imitates the General tab of System Properties.
#include "core/app_state.h"
#include "core/platform.h"
#include "core/unique_handle.h"
#include "ui/about_window.h"
#include "ui/support_editor.h"
#include "ui/web_address.h"
#include "ui/window.h"

#include <commdlg.h>

#include <array>
#include <string>

namespace bw {

// Control ids of the main window. None is IDOK or IDCANCEL, so Esc (IDCANCEL from the dialog manager) does
// nothing and only cmdOk is the default button.
enum class MainId : int {
    cmdOk = 1001,
    cmdCancel,
    cmdApply,
    cmdBackup,
    cmdRestore,
    cmdLogo,
    txtUserName,
    txtOrganization,
    txtProductID,
    txtManufacturer,
    txtModel,
    cmdSuportInfo,
    cmdAbout,
    lblSystem,
    lblRegister,
    lblSuport,
    fraLogo,
    picLogo,
    lblSysInfo,
    picBanner,
    imgXP,
};

class MainWindow : public Window {
public:
    MainWindow(AppState& state, Platform& os) : m_state(state), m_os(os), m_supportEditor(state, os), m_about(os) {}
    ~MainWindow() override;

    // Creates the window, runs its load sequence and only then shows it.
    bool Create(int showCommand);

    // A control by its designed name.
    HWND Control(MainId id) const;
    AboutWindow& About() { return m_about; }
    SupportEditor& Editor() { return m_supportEditor; }

    // Where messages to the user go, also the support editor's; a message box owned by the window unless replaced.
    void SetReporter(const Reporter& reporter) {
        m_report = reporter;
        m_supportEditor.SetReporter(reporter);
    }
    // A hook procedure for dlgLogo (OFN_ENABLEHOOK), so the open-file dialog can be driven in-process.
    void SetDlgLogoHook(LPOFNHOOKPROC hook) { m_dlgLogoHook = hook; }
    // The file name dlgLogo holds: the last one chosen in it.
    std::wstring DlgLogoFileName() const { return m_dlgLogoFile.data(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The controls from the table, their fonts and the pictures drawn anew at dpi.
    void Layout(int dpi) override;
    void Paint(HDC dc) override;

private:
    void OnCommand(int id, int code);

    void Load();
    void LoadRegistration();
    void LoadOemInfoBoxes();
    void LoadLogoPreview();
    void Unload();

    bool ApplyChanges();
    void ChooseLogo();

    // Puts the picture into picLogo, which takes its size; an empty picture leaves the box as it is.
    void ShowLogo(UniquePicture picture);
    // What picLogo shows of a logo that is no picture: its designed size in the window colour.
    void ShowBlankLogo();
    void CentreLogo();
    std::wstring Text(MainId id) const;
    void Report(const std::wstring& text, UINT flags);

    AppState& m_state;
    Platform& m_os;
    SupportEditor m_supportEditor;
    AboutWindow m_about;

    UniqueFont m_pictureFont; // the picture boxes' own font
    UniqueBitmap m_blank[2];  // what the banner and the monitor show until the resources replace them
    ScaledPicture m_imgXP;
    ScaledPicture m_banner;
    UniqueCursor m_bannerCursor;
    UniqueBitmap m_logo;         // what picLogo shows
    UniquePicture m_logoPicture; // the picture it was drawn from

    Reporter m_report;
    LPOFNHOOKPROC m_dlgLogoHook = nullptr;
    std::array<wchar_t, 1024> m_dlgLogoFile{}; // dlgLogo's file name, kept between shows
};

} // namespace bw
