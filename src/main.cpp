// Brandwick: edits the OEM information and registration data of Windows' System Properties.
#include "core/app_state.h"
#include "core/win32_platform.h"
#include "ui/frmMain.h"

#include <ole2.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Pictures are loaded through OLE.
    const HRESULT ole = OleInitialize(nullptr);
    int exitCode = 1;
    {
        bw::AppState state;
        bw::Win32Platform os;
        bw::frmMain main(state, os);
        if (main.Create(showCommand))
            exitCode = bw::RunMessageLoop();
    }
    if (SUCCEEDED(ole))
        OleUninitialize();
    return exitCode;
}
