// The OEM information file and the OEM logo against real files in the system and temporary directories.
#include "core/directories.h"
#include "fault_platform.h"
#include "oeminfo/logo.h"
#include "oeminfo/oeminfo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const std::string kFile = "[General]\r\nManufacturer=Contoso\r\nModel=X 200\r\n"
                          "[Support Information]\r\nLine1=Call us\r\nLine2=a=b\r\n";
constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

class OemFiles : public testing::Test, protected SystemFiles {
protected:
    void SetUp() override { ComputeSystemDirectory(state, os), ComputeTempDirectory(state, os); }
    static std::string Bytes(const std::wstring& path) { return ReadBytes(path).value_or("<missing>"); }
    static void Put(const std::wstring& path, const std::string& bytes, DWORD attributes) {
        WriteBytes(path, bytes);
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    }
    static DWORD Kept(const std::wstring& path) { return GetFileAttributesW(path.c_str()) & kKept; }
    void Commit(const std::vector<std::wstring>& lines) {
        state.SupportLines[0] = L"Info";
        std::copy(lines.begin(), lines.end(), state.SupportLines.begin() + 1);
        state.SupportLineCount = static_cast<int>(lines.size());
    }

    const std::wstring chosen = TempDir() + L"brandwick-chosen.bmp";
    FileGuard g5{chosen};
    AppState state;
    FaultPlatform os;
};

TEST_F(OemFiles, HiddenSystemReadOnlyFileIsReadAndRewrittenThroughTheStagingFileKeepingItsAttributes) {
    Put(ini, kFile, kKept);
    ASSERT_EQ(Kept(ini), kKept) << "attributes must be stored here";
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?") + L"|" + info.model.value_or(L"?"), L"Contoso|X 200");
    EXPECT_EQ(LoadSupportText(state, os), L"Call us\r\na=b\r\n");
    ASSERT_TRUE(SaveOemInfo(state, os, L"Contoso", L"X 200"));
    EXPECT_EQ(Bytes(ini), kFile);
    EXPECT_EQ(Kept(ini), kKept);
    EXPECT_EQ(Bytes(stagedIni), kFile) << "the staging file stays";
    EXPECT_EQ(state.SupportLines[0], L"") << "a save never sets the editor's marker";
}

TEST_F(OemFiles, CommittedChineseLinesAreWrittenInCodePage936AndWinOverTheFile) {
    ASSERT_EQ(GetACP(), 936u);
    WriteBytes(ini, kFile);
    Commit({L"服务热线=800", L""});
    ASSERT_TRUE(SaveOemInfo(state, os, L"快修电脑", L"快修 K510"));
    EXPECT_EQ(Bytes(ini), "[General]\r\nManufacturer=\xBF\xEC\xD0\xDE\xB5\xE7\xC4\xD4\r\nModel=\xBF\xEC\xD0\xDE K510\r\n"
                          "[Support Information]\r\nLine1=\xB7\xFE\xCE\xF1\xC8\xC8\xCF\xDF=800\r\nLine2=\r\n");
    EXPECT_EQ(LoadOemInfo(state, os).maker.value_or(L"?"), L"快修电脑");
    EXPECT_EQ(LoadSupportText(state, os), L"服务热线=800\r\n\r\n");
}

// Every single failure on the save path either is reported and leaves the old file whole, or the new file is
// complete; no half-written copy is ever left beside it.
TEST_F(OemFiles, EveryFailureOfTheSavePathLeavesAWholeFile) {
    for (PlatformOp op : {PlatformOp::ReadFile, PlatformOp::WriteFile, PlatformOp::CopyFileOver,
                          PlatformOp::MoveFileOver, PlatformOp::SetAttributes, PlatformOp::FileAttributes}) {
        for (int nth = 1;; ++nth) {
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
            Put(ini, kFile, FILE_ATTRIBUTE_READONLY);
            FaultPlatform faulty;
            AppState s = state;
            faulty.FailOn(op, nth);
            const bool saved = SaveOemInfo(s, faulty, L"New", L"Model");
            if (faulty.Calls(op) < nth)
                break;
            EXPECT_EQ(Bytes(ini) == kFile, !saved);
            EXPECT_TRUE((saved && op == PlatformOp::SetAttributes) || Kept(ini) == FILE_ATTRIBUTE_READONLY);
            EXPECT_FALSE(ReadBytes(ini + L".new"));
            EXPECT_TRUE(!saved || op == PlatformOp::SetAttributes || op == PlatformOp::FileAttributes)
                << "only a lost attribute, or a stray leftover that could not be looked at, may still end in a save";
        }
    }
}

TEST_F(OemFiles, OnlyTheLogoStagedByThisRunIsInstalledKeepingTheAttributesAndFailuresKeepBothWhole) {
    Put(logo, "installed", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    WriteBytes(stagedLogo, "left by a run that died");
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Bytes(logo), "installed");
    WriteBytes(chosen, "first");
    ASSERT_TRUE(StageLogo(state, os, chosen));
    WriteBytes(chosen, "chosen");
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver}) {
        os.FailOn(op);
        EXPECT_FALSE(StageLogo(state, os, chosen));
        EXPECT_EQ(Bytes(stagedLogo), "first") << "a failed choice keeps the earlier one";
    }
    ASSERT_TRUE(StageLogo(state, os, chosen));
    EXPECT_EQ(Bytes(logo), "installed") << "choosing alone installs nothing";
    for (PlatformOp op : {PlatformOp::CopyFileOver, PlatformOp::MoveFileOver, PlatformOp::SetAttributes,
                          PlatformOp::FileAttributes}) {
        os.FailOn(op);
        EXPECT_FALSE(InstallLogo(state, os));
        EXPECT_EQ(Bytes(logo) + Bytes(stagedLogo), "installedchosen");
        EXPECT_EQ(Kept(logo), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY});
        EXPECT_FALSE(ReadBytes(logo + L".new"));
    }
    EXPECT_TRUE(InstallLogo(state, os));
    EXPECT_EQ(Bytes(logo), "chosen");
    EXPECT_EQ(Kept(logo), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY});
}

} // namespace
} // namespace bw::test
