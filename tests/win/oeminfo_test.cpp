// The OEM information file against real files in the system directory.
#include "core/app_state.h"
#include "core/directories.h"
#include "fault_platform.h"
#include "oeminfo/oeminfo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

class OemInfoFile : public testing::Test {
protected:
    void SetUp() override {
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        RemoveFile(state.OemInfoPath());
        RemoveFile(state.StagedOemInfoPath());
    }

    std::string Saved() { return ReadBytes(state.OemInfoPath()).value_or("<missing>"); }

    AppState state;
    FaultPlatform os;
    FileGuard guardIni{SystemDir() + L"\\oeminfo.ini"};
    FileGuard guardTmp{TempDir() + L"oeminfo.tmp"};
};

const std::string kFile = "[General]\r\n"
                          "Manufacturer=Contoso\r\n"
                          "Model=X 200\r\n"
                          "[Support Information]\r\n"
                          "Line1=Call us\r\n"
                          "Line2=a=b\r\n";

TEST_F(OemInfoFile, DirectoriesComeFromTheSystem) {
    EXPECT_EQ(state.SystemDirectory, SystemDir());
    EXPECT_EQ(state.TempDirectory, TempDir());
    EXPECT_EQ(state.TempDirectory.back(), L'\\');
    EXPECT_EQ(state.StagedOemInfoPath(), TempDir() + L"oeminfo.tmp");
    EXPECT_EQ(state.OemInfoPath(), SystemDir() + L"\\oeminfo.ini");
}

TEST_F(OemInfoFile, FailedDirectoryQueriesGiveEmptyText) {
    os.FailOn(PlatformOp::SystemDirectory);
    os.FailOn(PlatformOp::TempPath);
    ComputeSystemDirectory(state, os);
    ComputeTempDirectory(state, os);
    EXPECT_EQ(state.SystemDirectory, L"");
    EXPECT_EQ(state.TempDirectory, L"");
}

TEST_F(OemInfoFile, SaveWithoutEditWritesTheSameBytesBack) {
    WriteBytes(state.OemInfoPath(), kFile);
    const OemInfo info = LoadOemInfo(state, os);
    ASSERT_TRUE(info.maker && info.model);
    EXPECT_EQ(*info.maker, L"Contoso");
    EXPECT_EQ(*info.model, L"X 200");
    ASSERT_TRUE(SaveOemInfo(state, os, *info.maker, *info.model));
    EXPECT_EQ(Saved(), kFile);
    EXPECT_EQ(state.SupportLineCount, 2);
    EXPECT_EQ(state.SupportLines[0], L"") << "a save never sets the editor's marker";
    // The staging file stays until the program ends, and holds what was installed.
    EXPECT_EQ(ReadBytes(state.StagedOemInfoPath()).value_or(""), kFile);
}

TEST_F(OemInfoFile, ChineseTextIsWrittenInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with the Chinese code page";
    const std::wstring maker = L"\u8054\u60F3"; // 联想
    const std::wstring model = L"\u5929\u9038 510";
    state.SupportLines[0] = SupportEditedMarker;
    state.SupportLines[1] = L"\u670D\u52A1\u70ED\u7EBF=800";
    state.SupportLineCount = 1;
    ASSERT_TRUE(SaveOemInfo(state, os, maker, model));
    const std::string expected = "[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\nModel=\xCC\xEC\xD2\xDD 510\r\n"
                                 "[Support Information]\r\nLine1=\xB7\xFE\xCE\xF1\xC8\xC8\xCF\xDF=800\r\n";
    EXPECT_EQ(Saved(), expected);
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?"), maker);
    EXPECT_EQ(info.model.value_or(L"?"), model);
    EXPECT_EQ(LoadSupportText(state, os), L"\u670D\u52A1\u70ED\u7EBF=800\r\n");
}

TEST_F(OemInfoFile, NoFileAndNoCommitWritesOneEmptySupportLine) {
    EXPECT_FALSE(LoadOemInfo(state, os).maker);
    EXPECT_EQ(LoadSupportText(state, os), L"");
    ASSERT_TRUE(SaveOemInfo(state, os, L"\u5236\u9020\u5546", L"\u4EA7\u54C1\u578B\u53F7"));
    EXPECT_EQ(Saved(),
              "[General]\r\nManufacturer=\xD6\xC6\xD4\xEC\xC9\xCC\r\nModel=\xB2\xFA\xC6\xB7\xD0\xCD\xBA\xC5\r\n"
              "[Support Information]\r\nLine1=\x7F\r\n");
}

TEST_F(OemInfoFile, CommittedLinesAreWrittenEvenWhenTheFileChanged) {
    WriteBytes(state.OemInfoPath(), kFile);
    state.SupportLines[0] = SupportEditedMarker;
    state.SupportLines[1] = L"only";
    state.SupportLines[2] = L"stale";
    state.SupportLineCount = 1;
    ASSERT_TRUE(SaveOemInfo(state, os, L"M", L"N"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=only\r\n");
}

TEST_F(OemInfoFile, ThreeHundredLinesSurviveASave) {
    std::string file = "[General]\r\nManufacturer=A\r\nModel=B\r\n[Support Information]\r\n";
    for (int i = 1; i <= 300; ++i)
        file += "Line" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    WriteBytes(state.OemInfoPath(), file);
    ASSERT_TRUE(SaveOemInfo(state, os, L"A", L"B"));
    EXPECT_EQ(state.SupportLineCount, 300);
    EXPECT_EQ(Saved(), file);
}

TEST_F(OemInfoFile, LoneLineEndsAreReadAndTheFileIsRenumbered) {
    WriteBytes(state.OemInfoPath(), "[General]\nModel=X\rManufacturer=Y\n[Support Information]\r\nLine1=a\n"
                                    "Line5=b\rOther=c");
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?"), L"X") << "maker and model go by position, not by key";
    EXPECT_EQ(info.model.value_or(L"?"), L"Y");
    EXPECT_EQ(LoadSupportText(state, os), L"a\r\nb\r\nc\r\n");
    ASSERT_TRUE(SaveOemInfo(state, os, L"X", L"Y"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=X\r\nModel=Y\r\n[Support Information]\r\nLine1=a\r\nLine2=b\r\n"
                       "Line3=c\r\n");
}

TEST_F(OemInfoFile, HiddenSystemReadOnlyFileIsReadAndKeepsItsAttributes) {
    WriteBytes(state.OemInfoPath(), kFile);
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), attributes));
    const DWORD stored = GetFileAttributesW(state.OemInfoPath().c_str());
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?"), L"Contoso");
    ASSERT_TRUE(SaveOemInfo(state, os, L"New", L"Model"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=New\r\nModel=Model\r\n[Support Information]\r\nLine1=Call us\r\n"
                       "Line2=a=b\r\n");
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    EXPECT_EQ(GetFileAttributesW(state.OemInfoPath().c_str()) & kept, stored & kept);
    EXPECT_NE(stored & kept, 0u) << "this file system keeps no attributes; the check above proves nothing";
}

// Every single failure on the save path leaves the old file whole and is reported.
class OemInfoSaveFailure : public OemInfoFile, public testing::WithParamInterface<PlatformOp> {};

TEST_P(OemInfoSaveFailure, LeavesTheOldFileWholeAndSaysSo) {
    WriteBytes(state.OemInfoPath(), kFile);
    ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), FILE_ATTRIBUTE_READONLY));
    // Find how many calls of this operation a good save makes, then fail each of them in turn.
    FaultPlatform probe;
    AppState probeState = state;
    ASSERT_TRUE(SaveOemInfo(probeState, probe, L"New", L"Model"));
    const int calls = probe.Calls(GetParam());
    WriteBytes(state.OemInfoPath(), kFile);
    ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), FILE_ATTRIBUTE_READONLY));
    int reported = 0;
    for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE(nth);
        FaultPlatform faulty;
        AppState s = state;
        faulty.FailOn(GetParam(), nth);
        const bool ok = SaveOemInfo(s, faulty, L"New", L"Model");
        const std::string now = Saved();
        if (ok) {
            EXPECT_NE(now, kFile) << "a save reported as done must have written the file";
            WriteBytes(state.OemInfoPath(), kFile);
            ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), FILE_ATTRIBUTE_READONLY));
        } else {
            ++reported;
            EXPECT_EQ(now, kFile);
            EXPECT_NE(GetFileAttributesW(state.OemInfoPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            EXPECT_EQ(GetFileAttributesW((state.OemInfoPath() + L".new").c_str()), INVALID_FILE_ATTRIBUTES)
                << "no half-written copy is left beside the file";
        }
    }
    if (GetParam() != PlatformOp::SetAttributes && GetParam() != PlatformOp::FileAttributes) {
        EXPECT_EQ(reported, calls) << "every failure of this operation must be reported";
    }
    EXPECT_GT(calls, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, OemInfoSaveFailure,
                         testing::Values(PlatformOp::ReadFile, PlatformOp::WriteFile, PlatformOp::CopyFileOver,
                                         PlatformOp::MoveFileOver, PlatformOp::SetAttributes,
                                         PlatformOp::FileAttributes),
                         [](const testing::TestParamInfo<PlatformOp>& info) {
                             switch (info.param) {
                             case PlatformOp::ReadFile: return "ReadFile";
                             case PlatformOp::WriteFile: return "WriteFile";
                             case PlatformOp::CopyFileOver: return "CopyFile";
                             case PlatformOp::MoveFileOver: return "MoveFile";
                             case PlatformOp::SetAttributes: return "SetAttributes";
                             default: return "FileAttributes";
                             }
                         });

TEST_F(OemInfoFile, WinesOwnProfileReaderFindsWhatWeWrote) {
    WriteBytes(state.OemInfoPath(), kFile);
    state.SupportLines[0] = SupportEditedMarker;
    state.SupportLines[1] = L"\u70ED\u7EBF 800-000";
    state.SupportLines[2] = L"mail";
    state.SupportLines[3] = L"x=y";
    state.SupportLineCount = 3;
    ASSERT_TRUE(SaveOemInfo(state, os, L"\u5236\u9020 Co", L"M-1"));
    const std::string path = Ansi(state.OemInfoPath());
    char value[256];
    GetPrivateProfileStringA("General", "Manufacturer", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), Ansi(L"\u5236\u9020 Co"));
    GetPrivateProfileStringA("General", "Model", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), "M-1");
    const std::string expected[] = {"", Ansi(L"\u70ED\u7EBF 800-000"), "mail", "x=y"};
    for (int k = 1; k <= 3; ++k) {
        const std::string key = "Line" + std::to_string(k);
        GetPrivateProfileStringA("Support Information", key.c_str(), "", value, sizeof value, path.c_str());
        EXPECT_EQ(std::string(value), expected[k]) << key;
    }
    GetPrivateProfileStringA("Support Information", "Line4", "none", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), "none");
}

} // namespace
} // namespace bw::test
