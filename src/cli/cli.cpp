#include "cli/cli.h"

#include "cli/profile_logic.h"
#include "core/app_state.h"
#include "core/system_error.h"
#include "engine/engine.h"

#include <utility>
#include <vector>

namespace bw {

namespace {

std::wstring CrLf(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        c == L'\n' ? void(out += L"\r\n") : void(out += c);
    return out + L"\r\n";
}

class ConsoleMessages final : public Messages {
public:
    // The system's error code when the log cannot be opened for appending, else 0.
    DWORD Open(const std::optional<std::wstring>& logPath) {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
            m_out = out;
        } else if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            m_console.reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
            m_out = m_console.get();
        }
        if (!logPath)
            return 0;
        // Shared with the wrapper script that redirects into the same file and with runs on other PCs: appending
        // only, each write lands whole at the file's end, whoever else writes to it.
        m_log.reset(CreateFileW(logPath->c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!m_log)
            return GetLastError();
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        if (GetComputerNameW(name, &size))
            m_computer.assign(name, size);
        return 0;
    }

    void Say(const std::wstring& text) override {
        const std::wstring lines = CrLf(text);
        DWORD mode = 0, done = 0;
        if (m_out && m_out != INVALID_HANDLE_VALUE) {
            if (GetConsoleMode(m_out, &mode)) {
                WriteConsoleW(m_out, lines.data(), static_cast<DWORD>(lines.size()), &done, nullptr);
            } else {
                const std::string utf8 = ToUtf8(lines);
                WriteFile(m_out, utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
            }
        }
        Log(text);
    }

    // A line for the log alone.
    void Log(const std::wstring& text) {
        if (!m_log)
            return;
        SYSTEMTIME t{};
        GetLocalTime(&t);
        const std::string utf8 =
            ToUtf8(LogLines(text, LogPrefix({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}, m_computer)));
        DWORD done = 0;
        WriteFile(m_log.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
    }

private:
    HANDLE m_out = nullptr; // the inherited handle, or m_console's
    UniqueFile m_console;
    UniqueFile m_log;
    std::wstring m_computer;
};

std::wstring Unusable(const std::wstring& profile, std::size_t line, const std::wstring& message) {
    std::wstring text = L"无法使用配置文件 " + profile + L"：";
    if (line)
        text += L"第 " + DecimalText(line) + L" 行：";
    return text + message + L"\n未做任何更改。";
}

// The profile as the values to set, its logo read and checked; nullopt once it was said why the profile is unusable.
std::optional<Branding> ReadProfile(Platform& os, Engine& engine, const std::wstring& profilePath, Messages& messages) {
    std::uint32_t error = 0;
    const auto bytes = os.ReadFile(profilePath, &error);
    if (!bytes) {
        messages.Say(Unusable(profilePath, 0, L"无法读取该文件：" + SystemErrorText(error)));
        return std::nullopt;
    }
    const ProfileReading reading = ParseProfile(*bytes);
    if (!reading.profile) {
        messages.Say(Unusable(profilePath, reading.error->line, reading.error->message));
        return std::nullopt;
    }
    const Profile& p = *reading.profile;
    Branding b{.owner = p.owner,
               .organization = p.organization,
               .productId = p.productId,
               .maker = p.maker,
               .model = p.model,
               .supportLines = p.supportLines,
               .supportPhone = p.supportPhone,
               .supportHours = p.supportHours,
               .supportUrl = p.supportUrl,
               .supportProvider = p.supportProvider,
               .logo = std::nullopt};
    if (p.logo) {
        // Checked before anything is written.
        const std::wstring path = ResolveBesideProfile(profilePath, *p.logo);
        LogoFile logo = engine.CheckLogo(path);
        const std::wstring problem = logo.problem == LogoFile::Problem::Missing ? L"找不到图片文件 " + path
                                     : logo.problem == LogoFile::Problem::Unreadable
                                         ? L"无法读取图片文件 " + path + L"：" + SystemErrorText(logo.error)
                                     : logo.problem == LogoFile::Problem::NoPicture ? L"不是可用的图片 " + path
                                                                                    : L"";
        if (!problem.empty()) {
            messages.Say(Unusable(profilePath, p.logoLine, problem));
            return std::nullopt;
        }
        b.logo = std::move(logo.bytes);
    }
    if (const std::vector<Refusal> refused = engine.Check(b); !refused.empty()) {
        std::wstring text;
        for (const Refusal& r : refused)
            text += (text.empty() ? L"" : L"\n") + r.key + L"：" + r.why;
        messages.Say(Unusable(profilePath, 0, text));
        return std::nullopt;
    }
    return b;
}

// Reads and checks the profile, then acts on the PC through the engine; exit 2 when the profile is unusable.
template <typename Act> int WithProfile(Platform& os, const std::wstring& profilePath, Messages& messages, Act act) {
    AppState state;
    Engine engine(state, os);
    const std::optional<Branding> b = ReadProfile(os, engine, profilePath, messages);
    if (!b)
        return kExitUnusable;
    engine.FindFolders();
    return act(engine, *b);
}

int Apply(Platform& os, const std::wstring& profilePath, Messages& messages) {
    return WithProfile(os, profilePath, messages, [&](Engine& engine, const Branding& b) {
        const ApplyResult result = engine.Apply(b);
        engine.CleanUp();
        if (!result.AllSaved()) {
            messages.Say(NotSavedMessage(result));
            return kExitPartly;
        }
        messages.Say(L"已应用配置文件 " + profilePath + L"。");
        return kExitApplied;
    });
}

// The test half of /apply for management systems: 0 when the PC holds what the profile sets, 1 naming each
// difference, 2 for a profile /apply would refuse. It reads only, so it may run as often as they ask.
int Verify(Platform& os, const std::wstring& profilePath, Messages& messages) {
    return WithProfile(os, profilePath, messages, [&](Engine& engine, const Branding& b) {
        const std::vector<std::wstring> differences = engine.Verify(b);
        if (differences.empty()) {
            messages.Say(L"本机与配置文件 " + profilePath + L" 一致。");
            return kExitMatches;
        }
        std::wstring text = L"本机与配置文件 " + profilePath + L" 不一致：";
        for (const std::wstring& line : differences)
            text += L"\n" + line;
        messages.Say(text);
        return kExitDiffers;
    });
}

int Export(Platform& os, const std::wstring& profilePath, Messages& messages) {
    AppState state;
    Engine engine(state, os);
    engine.FindFolders();
    const Shown shown = engine.Read();
    Profile p;
    p.owner = shown.owner;
    p.organization = shown.organization;
    p.productId = shown.productId;
    p.maker = shown.maker;
    p.model = shown.model;
    p.supportPhone = shown.support.phone;
    p.supportHours = shown.support.hours;
    p.supportUrl = shown.support.url;
    p.supportProvider = shown.support.provider;
    p.supportLines = shown.supportLines;
    std::vector<std::wstring> leftOut = LeaveOutWhatApplyRefuses(p);
    // Written empty, it would empty the value on every PC the profile is applied to.
    for (const auto& [key, error] : shown.unreadable)
        leftOut.push_back(key + L"：无法读取本机的值：" + SystemErrorText(static_cast<std::uint32_t>(error)));
    // What the system shows is copied beside the profile, which names it relatively so that both travel together.
    const std::wstring logoName = ExportedLogoName(profilePath);
    const std::wstring logoPath = ResolveBesideProfile(profilePath, logoName);
    bool logoLost = false, notBmp = false;
    if (const auto logo = engine.ShownBmp(notBmp)) {
        logoLost = os.WriteFile(logoPath, *logo) != 0;
        if (!logoLost)
            p.logo = logoName;
    }
    // System shows no logo from a file that is no bitmap, so it does not travel as the logo this PC shows.
    if (notBmp)
        leftOut.push_back(L"Logo：本机的 Logo 图片不是 BMP 图片");
    if (os.WriteFile(profilePath, WriteProfile(p)) != 0) {
        if (p.logo)
            os.DeletePath(logoPath);
        messages.Say(L"无法写入配置文件 " + profilePath + L"。");
        return kExitUnusable;
    }
    if (logoLost)
        leftOut.push_back(L"Logo：未能复制 Logo 图片到 " + logoPath);
    if (!leftOut.empty()) {
        std::wstring text = L"已导出到 " + profilePath + L"，但以下内容未导出：";
        for (const std::wstring& item : leftOut)
            text += L"\n" + item;
        messages.Say(text);
        return kExitPartly;
    }
    messages.Say(L"已导出到 " + profilePath + L"。");
    return kExitApplied;
}

} // namespace

int RunCommandLine(Platform& os, const CommandLine& command, Messages& messages) {
    switch (command.action) {
    case CliAction::Apply:
        return Apply(os, command.profile, messages);
    case CliAction::Export:
        return Export(os, command.profile, messages);
    case CliAction::Verify:
        return Verify(os, command.profile, messages);
    case CliAction::Usage:
        messages.Say(UsageText());
        return kExitApplied;
    case CliAction::Invalid:
    case CliAction::Window:
        break;
    }
    messages.Say(command.problem + L"\n" + UsageText());
    return kExitUnusable;
}

int RunCommandLine(Platform& os, const CommandLine& command) {
    ConsoleMessages messages;
    // As msiexec does: a log that cannot be written stops the run before it changes anything.
    if (const DWORD error = messages.Open(command.log)) {
        messages.Say(L"无法写入日志文件 " + *command.log + L"：" + SystemErrorText(error) + L"\n未做任何更改。");
        return kExitUnusable;
    }
    messages.Log(L"Brandwick " + command.given);
    const int exitCode = RunCommandLine(os, command, messages);
    messages.Log(ResultLine(command.action, exitCode));
    return exitCode;
}

} // namespace bw
