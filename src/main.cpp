// Brandwick: edits the OEM information and registration data of Windows' System Properties.
#include "core/app_state.h"
#include "core/lazy_dll.h"
#include "core/win32_platform.h"
#include "ui/frmMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // OLE starts at the first picture or open-file dialog, and ends here.
    bw::OleOnDemand ole;
    int exitCode = 1;
    {
        bw::AppState state;
        bw::Win32Platform os;
        bw::frmMain main(state, os);
        if (main.Create(showCommand))
            exitCode = bw::RunMessageLoop();
    }
    return exitCode;
}
