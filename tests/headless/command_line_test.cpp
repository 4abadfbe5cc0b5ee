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
    os.FailOn(PlatformOp::ReadFile, 2); // the profile is read first, then the logo
    EXPECT_EQ(RunCommandLine(os, command, messages), 2);
    EXPECT_EQ(messages.said, L"无法使用配置文件 " + profile + L"：第 3 行：无法读取图片文件 " + logo +
                                 L"：访问被拒绝。(5)\n未做任何更改。|");
    EXPECT_EQ(os.Calls(PlatformOp::RegWrite) + os.Calls(PlatformOp::WriteFile), 0);
    RemoveFile(profile), RemoveFile(logo);
}

} // namespace
} // namespace bw::test
