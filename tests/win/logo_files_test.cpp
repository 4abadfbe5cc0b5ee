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
        WriteBytes(state.OemLogoPath(), "installed");
        RemoveFile(state.StagedLogoPath());
        WriteBytes(chosen, "chosen");
        WriteBytes(second, "second");
    }
    void TearDown() override {
        RemoveFile(chosen);
        RemoveFile(second);
    }
    std::string Installed() { return ReadBytes(state.OemLogoPath()).value_or("<missing>"); }

    AppState state;
    FaultPlatform os;
    FileGuard guardLogo{SystemDir() + L"\\oemlogo.bmp"};
    FileGuard guardStaged{TempDir() + L"oemlogo.tmp"};
    std::wstring chosen = TempDir() + L"brandwick-chosen.bmp";
    std::wstring second = TempDir() + L"brandwick-second.bmp";
};

TEST_F(LogoFiles, OnlyTheLastChoiceOfThisRunIsInstalledOnEveryApply) {
    WriteBytes(state.StagedLogoPath(), "left by a run that died");
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "installed") << "another run's staging file is not ours";
    ASSERT_TRUE(StageLogo(state, os, chosen));
    ASSERT_TRUE(StageLogo(state, os, second));
    EXPECT_EQ(Installed(), "installed") << "choosing alone installs nothing";
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "second");
    WriteBytes(state.OemLogoPath(), "changed meanwhile");
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "second") << "the staged logo stays and is installed again";
}

TEST_F(LogoFiles, ChoosingTheInstalledLogoItselfKeepsIt) {
    ASSERT_TRUE(StageLogo(state, os, state.OemLogoPath()));
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "installed");
}

TEST_F(LogoFiles, HiddenReadOnlyLogoIsReplacedAndKeepsItsAttributes) {
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    ASSERT_TRUE(SetFileAttributesW(state.OemLogoPath().c_str(), kept));
    ASSERT_TRUE(StageLogo(state, os, chosen));
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Installed(), "chosen");
    EXPECT_EQ(GetFileAttributesW(state.OemLogoPath().c_str()) & kept, kept);
}

TEST_F(LogoFiles, FailuresKeepTheEarlierChoiceAndTheInstalledLogoWhole) {
    ASSERT_TRUE(SetFileAttributesW(state.OemLogoPath().c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(StageLogo(state, os, chosen));
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver}) {
        os.FailOn(op);
        EXPECT_FALSE(StageLogo(state, os, second));
        EXPECT_EQ(ReadBytes(state.StagedLogoPath()).value_or(""), "chosen");
    }
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver, PlatformOp::SetAttributes,
                          PlatformOp::FileAttributes}) {
        os.FailOn(op);
        EXPECT_FALSE(InstallLogo(state, os));
        EXPECT_EQ(Installed(), "installed");
        EXPECT_NE(GetFileAttributesW(state.OemLogoPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        EXPECT_FALSE(ReadBytes(state.OemLogoPath() + L".new"));
    }
}

} // namespace
} // namespace bw::test
