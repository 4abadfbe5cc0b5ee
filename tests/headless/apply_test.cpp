// The apply engine against the real registry and system directory, without a window: what is absent stays, what
// is given is stored, and whatever fails is named once while the rest is still saved. A 32-bit build runs this
// under WOW64 and is checked at the places the system itself reads.
#include "core/directories.h"
#include "engine/apply.h"
#include "fault_platform.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const OsVersion kXp{2, 5, 1, 2600, L"SP3"}, kWin7{2, 6, 1, 7601, L"SP1"};

class Engine : public testing::Test, protected SystemPlaces {
protected:
    ApplyResult Apply(const Branding& b, const OsVersion& version) {
        os.version = version;
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        return ApplyBranding(state, os, b);
    }

    AppState state;
    FaultPlatform os;
};

TEST_F(Engine, AbsentItemsStayAsTheyAreAndGivenOnesAreStored) {
    Branding b;
    b.organization = L"";
    b.maker = L"快修电脑";
    b.supportLines = std::vector<std::wstring>{L"服务热线 800", L"a=b"};
    b.supportUrl = L"https://support.brandwick.example/";
    b.supportPhone = L"";
    b.logo = Picture("info24.bmp");
    for (const OsVersion& version : {kXp, kWin7}) {
        SCOPED_TRACE(version.major);
        SetText(kNt, L"RegisteredOwner", L"张三");
        SetText(kNt, L"RegisteredOrganization", L"旧组织");
        SetText(kNt, L"ProductId", L"55274-OEM");
        for (const wchar_t* name : {L"Manufacturer", L"Model", L"SupportHours", L"SupportURL", L"HelpCustomized"})
            SetText(kKey, name, L"key");
        WriteBytes(ini, "[General]\r\nManufacturer=Old\r\nModel=X 200\r\n[Support Information]\r\nLine1=old\r\n");
        EXPECT_TRUE(Apply(b, version).AllSaved());
        EXPECT_EQ(RegTexts(kNt, kNtNames), L"张三| |55274-OEM|");
        EXPECT_EQ(ReadBytes(ini), "[General]\r\nManufacturer=" + Ansi(L"快修电脑") + "\r\nModel=X 200\r\n" +
                                      "[Support Information]\r\nLine1=" + Ansi(L"服务热线 800") + "\r\nLine2=a=b\r\n");
        EXPECT_EQ(ReadBytes(logo), Picture("info24.bmp"));
        EXPECT_EQ(RegTexts(kKey, kKeyNames),
                  version.major == 5 ? L"key|key|<missing>|<missing>|key|key|<missing>|key|"
                                     : L"快修电脑|key|" + SystemDir() +
                                           L"\\oemlogo.bmp||key|https://support.brandwick.example/|<missing>|key|");
    }
}

// Without a file to take the model from, a new one holds what was given, also when a copy that an interrupted save
// left beside it refuses the first write (as a read-only one does on Windows).
TEST_F(Engine, ANewFileHoldsWhatWasGiven) {
    os.FailOn(PlatformOp::WriteFile, 2); // the first is the staging file's
    Branding b;
    b.model = L"K510";
    EXPECT_TRUE(Apply(b, kXp).AllSaved());
    EXPECT_EQ(ReadBytes(ini), "[General]\r\nManufacturer=\r\nModel=K510\r\n[Support Information]\r\n");
}

// A maker's file keeps all that is not set, and the staging copies in the temporary folder, which the system never
// reads, stop no save: neither an unknown folder nor a failing write there.
TEST_F(Engine, AMakersFileKeepsAllElseAndNoTemporaryFolderStopsTheSave) {
    const std::string before = "; factory\r\n[General]\r\nModel = K510\r\n\r\nmanufacturer=Old\r\nSKU=1\r\n"
                               "[Support Information]\r\nLine2=b\r\nLine1=a\r\n[OEMSpecific]\r\nSerialNo=0001\r\n";
    WriteBytes(ini, before);
    Branding b;
    b.maker = L"New";
    b.logo = Picture("info24.bmp");
    os.FailOn(PlatformOp::TempPath, 0);
    EXPECT_TRUE(Apply(b, kXp).AllSaved());
    EXPECT_TRUE(state.TempDirectory.empty());
    EXPECT_EQ(ReadBytes(ini), "; factory\r\n[General]\r\nModel = K510\r\n\r\nmanufacturer=New\r\nSKU=1\r\n"
                              "[Support Information]\r\nLine2=b\r\nLine1=a\r\n[OEMSpecific]\r\nSerialNo=0001\r\n");
    EXPECT_EQ(ReadBytes(logo), Picture("info24.bmp"));
    os.Heal();
    os.FailOn(PlatformOp::WriteFile, 1); // the staging file's
    b.maker.reset();
    b.supportLines = std::vector<std::wstring>{L"c"};
    b.logo = Picture("info8.bmp");
    EXPECT_TRUE(Apply(b, kXp).AllSaved());
    EXPECT_NE(ReadBytes(stagedIni), ReadBytes(ini)) << "the staging write failed";
    EXPECT_EQ(ReadBytes(ini), "; factory\r\n[General]\r\nModel = K510\r\n\r\nmanufacturer=New\r\nSKU=1\r\n"
                              "[Support Information]\r\nLine1=c\r\n[OEMSpecific]\r\nSerialNo=0001\r\n");
    EXPECT_EQ(ReadBytes(logo), Picture("info8.bmp"));
}

// Another instance writes beside the same targets under the same names. While this run holds its copy, from its
// writing to its rename, the other is refused and this run's bytes are installed; a copy that reads back as other
// bytes replaces nothing; where the system renames only by name, a copy the other puts there once this run's is
// closed, just before the rename, is never reported as this run's.
TEST_F(Engine, ACopyBesideTheTargetChangedByAnotherInstanceIsNeverReportedSaved) {
    const std::string before = "[General]\r\nManufacturer=Old\r\nModel=X 200\r\n[Support Information]\r\nLine1=a\r\n";
    const std::string other = "[General]\r\nManufacturer=Other\r\n";
    const std::wstring why = L"：写入后读回的内容与写入的不同，可能有另一个程序同时在写入\n";
    const std::wstring lost = L"以下内容未能保存：\nOEM 信息文件 oeminfo.ini" + why + L"OEM Logo 图片 oemlogo.bmp" +
                              why + L"\n其余内容已保存。";
    const struct {
        bool byName, readsHalf;
        std::wstring message;
        int refused; // the other's writes refused, of those at each read-back and rename of either file
        std::optional<std::string> ini, logo;
    } cases[] = {
        {false, false, L"", 4, "[General]\r\nManufacturer=New\r\nModel=X 200\r\n[Support Information]\r\nLine1=a\r\n",
         Picture("info24.bmp")},
        {false, true, lost, 2, before, "old logo"},
        {true, false, lost, 4, other, Picture("info8.bmp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.byName << c.readsHalf);
        WriteBytes(ini, before);
        WriteBytes(logo, "old logo");
        std::tie(os.renameByName, os.heldReadsHalf) = std::pair(c.byName, c.readsHalf);
        int refused = 0;
        const auto put = [&refused](const std::wstring& path, const std::string& bytes) {
            UniqueFile file(CreateFileW(Native(path).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                        0, nullptr));
            DWORD written = 0;
            refused +=
                !file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        };
        os.onCall = [&] {
            if (os.log.back() == L"Read oeminfo.ini.new" || os.log.back() == L"Move oeminfo.ini")
                put(ini + L".new", other);
            if (os.log.back() == L"Read oemlogo.bmp.new" || os.log.back() == L"Move oemlogo.bmp")
                put(logo + L".new", Picture("info8.bmp"));
        };
        Branding b;
        b.maker = L"New";
        b.logo = Picture("info24.bmp");
        EXPECT_EQ(NotSavedMessage(Apply(b, kXp)), c.message);
        EXPECT_EQ(refused, c.refused);
        EXPECT_EQ(ReadBytes(ini), c.ini);
        EXPECT_EQ(ReadBytes(logo), c.logo);
        EXPECT_FALSE(ReadBytes(ini + L".new") || ReadBytes(logo + L".new"));
    }
}

// Every single failure while saving the file and the logo is named in the one message with the error the system
// gave for it, and each file is either the old one or the new one, whole and keeping its hidden, system and
// read-only attributes (which only a failure to set them may lose); no copy is left beside it. Without a failure
// both are saved.
TEST_F(Engine, EverySingleFailureOfTheFileStepsIsReportedAndLeavesBothFilesWhole) {
    const std::string before = "[General]\r\nManufacturer=Old\r\nModel=X 200\r\n[Support Information]\r\nLine1=a=b\r\n";
    const std::string after = "[General]\r\nManufacturer=New\r\nModel=X 200\r\n[Support Information]\r\nLine1=a=b\r\n";
    const std::string picture = Picture("info24.bmp");
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    const auto attributes = [kept](const std::wstring& path) {
        return GetFileAttributesW(Native(path).c_str()) & kept;
    };
    Branding b;
    b.maker = L"New";
    b.logo = picture;
    for (PlatformOp op : {PlatformOp::ReadFile, PlatformOp::WriteFile, PlatformOp::MoveFileOver,
                          PlatformOp::SetAttributes, PlatformOp::FileAttributes}) {
        for (int nth = 1;; ++nth) {
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
            for (const auto& [path, bytes] : {std::pair(ini, before), std::pair(logo, std::string("old logo"))}) {
                WriteBytes(path, bytes);
                SetFileAttributesW(Native(path).c_str(), kept);
            }
            os.Heal(), os.ResetCalls();
            os.FailOn(op, nth);
            // ERROR_DISK_FULL, ERROR_SHARING_VIOLATION, ERROR_WRITE_PROTECT; a failing read gives access denied.
            os.failWith = op == PlatformOp::WriteFile ? 112 : op == PlatformOp::MoveFileOver ? 32 : 19;
            const std::wstring message = NotSavedMessage(Apply(b, kXp));
            if (!message.empty() && op != PlatformOp::ReadFile && op != PlatformOp::FileAttributes) {
                EXPECT_NE(message.find(L"(" + std::to_wstring(os.failWith) + L")\n"), message.npos) << message;
                EXPECT_EQ(message.find(L"：("), message.npos) << message; // the system's text comes before the code
            }
            const bool iniSaved = ReadBytes(ini) == after, logoSaved = ReadBytes(logo) == picture;
            if (os.Calls(op) < nth) { // nothing failed
                EXPECT_TRUE(iniSaved && logoSaved && message.empty() && attributes(ini) == kept &&
                            attributes(logo) == kept);
                break;
            }
            EXPECT_TRUE(iniSaved || ReadBytes(ini) == before);
            EXPECT_TRUE(logoSaved || ReadBytes(logo) == "old logo");
            EXPECT_EQ(
                std::pair(message.find(L"oeminfo.ini") != message.npos, message.find(L"oemlogo.bmp") != message.npos),
                std::pair(!iniSaved, !logoSaved));
            EXPECT_TRUE(op == PlatformOp::SetAttributes || (attributes(ini) == kept && attributes(logo) == kept));
            EXPECT_FALSE(ReadBytes(ini + L".new") || ReadBytes(logo + L".new"));
        }
    }
}

// Files other programs left: huge, with NUL bytes, one that cannot be read (never overwritten with values lost), a
// folder in the file's place, and a system that cannot name its folder. Nothing is lost, and what cannot be saved
// is named with why.
TEST_F(Engine, FilesOthersLeftAreKeptAndWhatCannotBeSavedSaysWhy) {
    const std::string small = "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\n";
    std::string huge = small;
    for (int i = 2; huge.size() < (50 << 20); ++i)
        huge += "Line" + std::to_string(i) + "=" + std::string(90, 'y') + "\r\n";
    const std::string withNul("[General]\r\nManufacturer=A\0B\r\nModel=N\r\n[Support Information]\r\nLine1=x\0y\r\n",
                              72);
    const struct {
        const char* name;
        std::string file; // empty: a folder of that name
        PlatformOp failing;
        std::wstring lost; // the message's lines
    } cases[] = {
        {"50 MB", huge, PlatformOp::Count, L""},
        {"NUL bytes", withNul, PlatformOp::Count, L""}, // read as blanks, kept as they are
        {"unreadable", small, PlatformOp::ReadFile, L"OEM 信息文件 oeminfo.ini：访问被拒绝。(5)"},
        {"a folder", "", PlatformOp::Count, L"OEM 信息文件 oeminfo.ini：访问被拒绝。(5)"},
        {"system folder unknown", small, PlatformOp::SystemDirectory,
         L"OEM 信息文件 oeminfo.ini：无法确定系统目录\nOEM Logo 图片 oemlogo.bmp：无法确定系统目录"},
    };
    Branding b;
    b.model = L"N";
    b.logo = Picture("info24.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveFile(ini), RemoveDirectoryW(Native(ini).c_str());
        c.file.empty() ? void(CreateDirectoryW(Native(ini).c_str(), nullptr)) : WriteBytes(ini, c.file);
        WriteBytes(logo, "old logo");
        os.Heal();
        if (c.failing != PlatformOp::Count)
            os.FailOn(c.failing);
        const std::wstring message = NotSavedMessage(Apply(b, kXp));
        EXPECT_EQ(message, c.lost.empty() ? L"" : L"以下内容未能保存：\n" + c.lost + L"\n\n其余内容已保存。");
        EXPECT_EQ(ReadBytes(ini).value_or("folder"), c.file.empty() ? "folder" : c.file);
        EXPECT_EQ(ReadBytes(logo), c.lost.find(L"oemlogo") != c.lost.npos ? "old logo" : Picture("info24.bmp"));
    }
    RemoveDirectoryW(Native(ini).c_str());
}

} // namespace
} // namespace bw::test
