// Brandwick: edits the OEM information and registration data of Windows' System Properties.
#include "cli/cli.h"
#include "core/app_state.h"
#include "core/lazy_dll.h"
#include "platform/win32_platform.h"
#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    // OLE starts at the first picture or open-file dialog, and ends here.
    bw::OleOnDemand ole;
    const bw::CommandLine command = bw::ParseCommandLine(bw::SplitArguments(commandLine ? commandLine : L""));
    if (command.action != bw::CliAction::Window) {
        bw::Win32Platform os;
        return bw::RunCommandLine(os, command);
    }
    int exitCode = 1;
    {
        bw::AppState state;
        bw::Win32Platform os;
        bw::MainWindow main(state, os);
        if (main.Create(showCommand))
            exitCode = bw::RunMessageLoop();
    }
    return exitCode;
}
