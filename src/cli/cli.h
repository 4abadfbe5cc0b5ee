#pragma once
// Brandwick without its window: /apply, /verify, /export and /? for deployment systems, which need a silent command, a
// file and an exit code.
#include "cli/command_line_logic.h"
#include "core/platform.h"

#include <string>

namespace bw {

// What every run ends with; /verify's two results take the codes of /apply's first two.
enum ExitCode : int { kExitApplied = 0, kExitPartly = 1, kExitUnusable = 2, kExitMatches = 0, kExitDiffers = 1 };

// Writes each message to the standard output the program was given, else to the console of the process that
// started it, and to the log file when there is one (appended, UTF-8). Lines end with CR LF.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void Say(const std::wstring& text) = 0;
};

// Carries out a command line whose action is not the window; returns the exit code.
int RunCommandLine(Platform& os, const CommandLine& command, Messages& messages);

// Runs the command line given to the program: output to the console and the log the command names.
int RunCommandLine(Platform& os, const CommandLine& command);

} // namespace bw
