#pragma once
// The command line for unattended deployment: its switches, the usage text and where the logo named in a profile
// and the one written by /export lie.
#include "core/text_logic.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

enum class CliAction { Window, Usage, Apply, Export, Verify, Invalid };

struct CommandLine {
    CliAction action = CliAction::Window;
    std::wstring profile;
    std::optional<std::wstring> log; // also for Invalid, when /log and its file were understood
    std::wstring problem;            // for Invalid: what is wrong, as told to the user
    std::wstring given;              // the arguments as given, for the log
};

// Splits the arguments after the program's name as the C run-time does: blanks separate, double quotes group,
// a backslash escapes a quote only (2n backslashes and a quote give n and a grouping quote, 2n+1 give n and a quote).
std::vector<std::wstring> SplitArguments(std::wstring_view text);

// The arguments after the program's name. Switches begin with "/" or "-", in any case.
CommandLine ParseCommandLine(const std::vector<std::wstring>& args);

std::wstring UsageText();

struct LocalTime {
    unsigned year, month, day, hour, minute, second;
};

// What begins every line of the log: the local time in ISO 8601 and the computer's name, so that the lines of many
// runs and many PCs in one file can be told apart.
std::wstring LogPrefix(const LocalTime& time, std::wstring_view computer);

// A message as the log holds it: each of its lines after the prefix, each ended by CR LF.
std::wstring LogLines(std::wstring_view text, std::wstring_view prefix);

// The log's last line of a run: its result and exit code.
std::wstring ResultLine(CliAction action, int exitCode);

// A logo path from a profile: an absolute one as it is, a relative one in the profile's folder.
std::wstring ResolveBesideProfile(std::wstring_view profile, std::wstring_view path);

// The file name /export gives the logo it copies beside the profile: the profile's name with ".bmp".
std::wstring ExportedLogoName(std::wstring_view profile);

} // namespace bw
