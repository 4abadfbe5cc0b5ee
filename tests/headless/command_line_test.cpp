// The command line in-process, where a test can make one system call fail: a logo that cannot be read is named with
// the system's reason, and nothing is written.
#include "cli/cli.h"
#include "cli/profile_logic.h"
#include "fault_platform.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

struct Recorded final : Messages {
    void Say(const std::wstring& text) override { said += text + L"|"; }
    std::wstring said;
};

// What a run that wrongly applied would change is put back, so that no later test inherits it.
struct Cli : testing::Test, SystemPlaces {};

TEST_F(Cli, NamesWhyALogoCannotBeRead) {
    const std::wstring profile = TempDir() + L"bw-cli.ini", logo = TempDir() + L"bw-cli.bmp";
    WriteBytes(profile, "[OEM]\r\nModel=KX-1\r\nLogo=bw-cli.bmp\r\n");
    WriteBytes(logo, "BM is no picture");
    FaultPlatform os;
    CommandLine command;
    command.action = CliAction::Apply;
    command.profile = profile;
    Recorded messages;
    EXPECT_EQ(RunCommandLine(os, command, messages), 2);
    EXPECT_EQ(messages.said,
              L"无法使用配置文件 " + profile + L"：第 3 行：不是可用的图片 " + logo + L"\n未做任何更改。|");

    os.FailOn(PlatformOp::ReadFile, 2); // the profile is read first, then the logo
    messages.said.clear();
    EXPECT_EQ(RunCommandLine(os, command, messages), 2);
    EXPECT_EQ(messages.said, L"无法使用配置文件 " + profile + L"：第 3 行：无法读取图片文件 " + logo +
                                 L"：访问被拒绝。(5)\n未做任何更改。|");
    EXPECT_EQ(os.Calls(PlatformOp::RegWrite) + os.Calls(PlatformOp::WriteFile), 0);
    RemoveFile(profile), RemoveFile(logo);
}

// A support value stored as REG_EXPAND_SZ is as much the key's as a REG_SZ one: it travels unexpanded. An empty
// value travels as empty, a missing one not at all. A registration value that holds no text is named and left out:
// written empty, it would empty that value on every PC.
TEST_F(Cli, ExportsTheKeysSupportValuesAsStoredAndNamesWhatItCannotRead) {
    const std::wstring key = kKey;
    SetRaw(kNt, L"RegisteredOwner", REG_BINARY, "\1\2", 2);
    for (const auto& [name, text] :
         {std::pair(L"SupportHours", L"%HOURS% 9:00"), std::pair(L"SupportURL", L"https://support.brandwick.example/")})
        SetRaw(key, name, REG_EXPAND_SZ, text, static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    SetText(key, L"SupportPhone", L""); // shown as no value, yet there: the other PC's own is emptied too
    DeleteValue(key, L"SupportProvider");
    const std::wstring profile = TempDir() + L"bw-export.ini";
    FaultPlatform os;
    os.version = OsVersion{2, 6, 1, 7601, L"SP1"};
    CommandLine command;
    command.action = CliAction::Export;
    command.profile = profile;
    Recorded messages;
    EXPECT_EQ(RunCommandLine(os, command, messages), 1);
    EXPECT_NE(messages.said.find(L"\nOwner：无法读取本机的值：不支持的类型。(1630)"), std::wstring::npos)
        << ToUtf8(messages.said);
    const std::string text = ReadBytes(profile).value_or("");
    EXPECT_EQ(text.find("Owner"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nSupportHours=%HOURS% 9:00\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nSupportURL=https://support.brandwick.example/\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nSupportPhone=\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("SupportProvider"), std::string::npos) << text;
    RemoveFile(profile), RemoveFile(TempDir() + L"bw-export.bmp");
}

} // namespace
} // namespace bw::test
