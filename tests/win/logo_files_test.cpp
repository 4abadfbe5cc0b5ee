// Staging and installing the OEM logo against real files.
#include "core/directories.h"
#include "fault_platform.h"
#include "oeminfo/logo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

class LogoFiles : public testing::Test {
protected:
    void SetUp() override {
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        RemoveFile(state.OemLogoPath());
        RemoveFile(state.StagedLogoPath());
        WriteBytes(chosen, "chosen picture bytes");
    }
    void TearDown() override { RemoveFile(chosen); }

    std::string Installed() { return ReadBytes(state.OemLogoPath()).value_or("<missing>"); }

    AppState state;
    FaultPlatform os;
    std::wstring chosen = TempDir() + L"brandwick-chosen.bmp";
    FileGuard guardLogo{SystemDir() + L"\\oemlogo.bmp"};
    FileGuard guardStaged{TempDir() + L"oemlogo.tmp"};
};

TEST_F(LogoFiles, NothingStagedInstallsNothing) {
    WriteBytes(state.OemLogoPath(), "installed");
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "installed");
}

TEST_F(LogoFiles, StagedLogoIsInstalledAndStaysStaged) {
    WriteBytes(state.OemLogoPath(), "installed");
    ASSERT_TRUE(StageLogo(state, os, chosen));
    EXPECT_EQ(Installed(), "installed") << "choosing alone installs nothing";
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "chosen picture bytes");
    EXPECT_EQ(ReadBytes(state.StagedLogoPath()).value_or(""), "chosen picture bytes");
    WriteBytes(state.OemLogoPath(), "changed meanwhile");
    EXPECT_TRUE(InstallLogo(state, os)) << "every Apply installs the staged logo again";
    EXPECT_EQ(Installed(), "chosen picture bytes");
}

TEST_F(LogoFiles, SecondChoiceReplacesTheFirst) {
    ASSERT_TRUE(StageLogo(state, os, chosen));
    const std::wstring second = TempDir() + L"brandwick-second.bmp";
    WriteBytes(second, "second");
    ASSERT_TRUE(StageLogo(state, os, second));
    RemoveFile(second);
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "second");
}

TEST_F(LogoFiles, StagingFileOfAnEarlierRunIsNotInstalled) {
    WriteBytes(state.StagedLogoPath(), "left by a run that died");
    WriteBytes(state.OemLogoPath(), "installed");
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "installed");
}

TEST_F(LogoFiles, ChoosingTheInstalledLogoItself) {
    WriteBytes(state.OemLogoPath(), "installed");
    ASSERT_TRUE(StageLogo(state, os, state.OemLogoPath()));
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "installed");
}

TEST_F(LogoFiles, HiddenReadOnlyLogoIsReplacedAndKeepsItsAttributes) {
    WriteBytes(state.OemLogoPath(), "installed");
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    ASSERT_TRUE(SetFileAttributesW(state.OemLogoPath().c_str(), attributes));
    ASSERT_TRUE(StageLogo(state, os, chosen));
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "chosen picture bytes");
    EXPECT_EQ(GetFileAttributesW(state.OemLogoPath().c_str()) & attributes, attributes);
}

TEST_F(LogoFiles, FailedStagingKeepsTheEarlierChoiceWhole) {
    ASSERT_TRUE(StageLogo(state, os, chosen));
    const std::wstring second = TempDir() + L"brandwick-second.bmp";
    WriteBytes(second, "second");
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver}) {
        os.FailOn(op);
        EXPECT_FALSE(StageLogo(state, os, second));
        EXPECT_EQ(ReadBytes(state.StagedLogoPath()).value_or(""), "chosen picture bytes");
    }
    RemoveFile(second);
}

TEST_F(LogoFiles, FailedInstallLeavesTheInstalledLogoWholeAndSaysSo) {
    WriteBytes(state.OemLogoPath(), "installed");
    ASSERT_TRUE(SetFileAttributesW(state.OemLogoPath().c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(StageLogo(state, os, chosen));
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver, PlatformOp::SetAttributes}) {
        os.FailOn(op);
        EXPECT_FALSE(InstallLogo(state, os));
        EXPECT_EQ(Installed(), "installed");
        EXPECT_NE(GetFileAttributesW(state.OemLogoPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        EXPECT_EQ(GetFileAttributesW((state.OemLogoPath() + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

} // namespace
} // namespace bw::test
