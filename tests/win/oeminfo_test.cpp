// The OEM information file against real files in the system directory.
#include "core/directories.h"
#include "fault_platform.h"
#include "oeminfo/oeminfo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const std::string kFile = "[General]\r\nManufacturer=Contoso\r\nModel=X 200\r\n"
                          "[Support Information]\r\nLine1=Call us\r\nLine2=a=b\r\n";

class OemInfoFile : public testing::Test {
protected:
    void SetUp() override {
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        RemoveFile(state.OemInfoPath());
    }
    std::string Saved() { return ReadBytes(state.OemInfoPath()).value_or("<missing>"); }
    void Commit(std::vector<std::wstring> lines) {
        state.SupportLines[0] = SupportEditedMarker;
        for (std::size_t i = 0; i < lines.size(); ++i)
            state.SupportLines[i + 1] = lines[i];
        state.SupportLineCount = static_cast<int>(lines.size());
    }

    AppState state;
    FaultPlatform os;
    FileGuard guardIni{SystemDir() + L"\\oeminfo.ini"};
    FileGuard guardTmp{TempDir() + L"oeminfo.tmp"};
};

TEST_F(OemInfoFile, DirectoriesComeFromTheSystemAndFailuresLeaveThemEmpty) {
    EXPECT_EQ(state.OemInfoPath(), SystemDir() + L"\\oeminfo.ini");
    EXPECT_EQ(state.StagedOemInfoPath(), TempDir() + L"oeminfo.tmp");
    os.FailOn(PlatformOp::SystemDirectory);
    os.FailOn(PlatformOp::TempPath);
    ComputeSystemDirectory(state, os);
    ComputeTempDirectory(state, os);
    EXPECT_EQ(state.SystemDirectory + state.TempDirectory, L"");
}

TEST_F(OemInfoFile, SaveWithoutEditWritesTheSameBytesBackThroughTheStagingFile) {
    WriteBytes(state.OemInfoPath(), kFile);
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?") + L"|" + info.model.value_or(L"?"), L"Contoso|X 200");
    ASSERT_TRUE(SaveOemInfo(state, os, L"Contoso", L"X 200"));
    EXPECT_EQ(Saved(), kFile);
    EXPECT_EQ(ReadBytes(state.StagedOemInfoPath()).value_or(""), kFile) << "the staging file stays";
    EXPECT_EQ(state.SupportLines[0], L"") << "a save never sets the editor's marker";
}

TEST_F(OemInfoFile, ChineseTextIsWrittenAndReadInCodePage936) {
    ASSERT_EQ(GetACP(), 936u);
    Commit({L"\u670D\u52A1\u70ED\u7EBF=800"});
    ASSERT_TRUE(SaveOemInfo(state, os, L"\u8054\u60F3", L"\u5929\u9038 510"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=\xC1\xAA\xCF\xEB\r\nModel=\xCC\xEC\xD2\xDD 510\r\n"
                       "[Support Information]\r\nLine1=\xB7\xFE\xCE\xF1\xC8\xC8\xCF\xDF=800\r\n");
    EXPECT_EQ(LoadOemInfo(state, os).maker.value_or(L"?"), L"\u8054\u60F3");
    EXPECT_EQ(LoadSupportText(state, os), L"\u670D\u52A1\u70ED\u7EBF=800\r\n");
}

TEST_F(OemInfoFile, WithoutFileTheSaveWritesOneEmptySupportLine) {
    EXPECT_FALSE(LoadOemInfo(state, os).maker);
    EXPECT_EQ(LoadSupportText(state, os), L"");
    ASSERT_TRUE(SaveOemInfo(state, os, L"M", L"N"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=\x7F\r\n");
}

TEST_F(OemInfoFile, CommittedLinesWinOverTheFileAndEveryLineIsKept) {
    WriteBytes(state.OemInfoPath(), kFile);
    Commit({L"only"});
    ASSERT_TRUE(SaveOemInfo(state, os, L"M", L"N"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=only\r\n");

    AppState fresh = state;
    fresh.SupportLines[0].clear();
    std::string file = "[General]\r\nManufacturer=A\r\nModel=B\r\n[Support Information]\r\n";
    for (int i = 1; i <= 300; ++i)
        file += "Line" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    WriteBytes(state.OemInfoPath(), file);
    ASSERT_TRUE(SaveOemInfo(fresh, os, L"A", L"B"));
    EXPECT_EQ(fresh.SupportLineCount, 300);
    EXPECT_EQ(Saved(), file);
}

TEST_F(OemInfoFile, LoneLineEndsAreReadAndKeysRenumbered) {
    WriteBytes(state.OemInfoPath(), "[General]\nModel=X\rManufacturer=Y\n[Support Information]\r\nLine1=a\nLine5=b\rOther=c");
    const OemInfo info = LoadOemInfo(state, os);
    EXPECT_EQ(info.maker.value_or(L"?") + info.model.value_or(L"?"), L"XY") << "by position, not by key";
    EXPECT_EQ(LoadSupportText(state, os), L"a\r\nb\r\nc\r\n");
    ASSERT_TRUE(SaveOemInfo(state, os, L"X", L"Y"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=X\r\nModel=Y\r\n[Support Information]\r\nLine1=a\r\nLine2=b\r\nLine3=c\r\n");
}

TEST_F(OemInfoFile, HiddenSystemReadOnlyFileIsReadAndKeepsItsAttributes) {
    WriteBytes(state.OemInfoPath(), kFile);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), kept));
    ASSERT_EQ(GetFileAttributesW(state.OemInfoPath().c_str()) & kept, kept) << "attributes must be stored here";
    EXPECT_EQ(LoadOemInfo(state, os).maker.value_or(L"?"), L"Contoso");
    ASSERT_TRUE(SaveOemInfo(state, os, L"New", L"X 200"));
    EXPECT_EQ(Saved(), "[General]\r\nManufacturer=New" + kFile.substr(kFile.find("\r\nModel")));
    EXPECT_EQ(GetFileAttributesW(state.OemInfoPath().c_str()) & kept, kept);
}

// Every single failure on the save path either is reported and leaves the old file whole, or the new file is
// complete; no half-written copy is ever left beside it.
TEST_F(OemInfoFile, EveryFailureOfTheSavePathLeavesAWholeFile) {
    for (PlatformOp op : {PlatformOp::ReadFile, PlatformOp::WriteFile, PlatformOp::CopyFileOver,
                          PlatformOp::MoveFileOver, PlatformOp::SetAttributes, PlatformOp::FileAttributes}) {
        FaultPlatform probe;
        AppState probeState = state;
        WriteBytes(state.OemInfoPath(), kFile);
        ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(SaveOemInfo(probeState, probe, L"New", L"Model"));
        ASSERT_GT(probe.Calls(op), 0);
        for (int nth = 1; nth <= probe.Calls(op); ++nth) {
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
            WriteBytes(state.OemInfoPath(), kFile);
            ASSERT_TRUE(SetFileAttributesW(state.OemInfoPath().c_str(), FILE_ATTRIBUTE_READONLY));
            FaultPlatform faulty;
            AppState s = state;
            faulty.FailOn(op, nth);
            const bool saved = SaveOemInfo(s, faulty, L"New", L"Model");
            EXPECT_EQ(Saved() == kFile, !saved);
            if (!saved || op != PlatformOp::SetAttributes) {
                EXPECT_NE(GetFileAttributesW(state.OemInfoPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            }
            EXPECT_FALSE(ReadBytes(state.OemInfoPath() + L".new"));
            // Only a lost attribute, or a stray leftover that could not be looked at, may still end in a save.
            if (op != PlatformOp::SetAttributes && op != PlatformOp::FileAttributes) {
                EXPECT_FALSE(saved);
            }
        }
    }
}

TEST_F(OemInfoFile, WinesOwnProfileReaderFindsWhatWeWrote) {
    Commit({L"\u70ED\u7EBF 800-000", L"mail", L"x=y"});
    ASSERT_TRUE(SaveOemInfo(state, os, L"\u5236\u9020 Co", L"M-1"));
    const std::string path = Ansi(state.OemInfoPath());
    const auto read = [&](const char* section, const std::string& key) {
        char value[256];
        GetPrivateProfileStringA(section, key.c_str(), "<none>", value, sizeof value, path.c_str());
        return std::string(value);
    };
    EXPECT_EQ(read("General", "Manufacturer"), Ansi(L"\u5236\u9020 Co"));
    EXPECT_EQ(read("General", "Model"), "M-1");
    EXPECT_EQ(read("Support Information", "Line1"), Ansi(L"\u70ED\u7EBF 800-000"));
    EXPECT_EQ(read("Support Information", "Line2"), "mail");
    EXPECT_EQ(read("Support Information", "Line3"), "x=y");
    EXPECT_EQ(read("Support Information", "Line4"), "<none>");
}

} // namespace
} // namespace bw::test
