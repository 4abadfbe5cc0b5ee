// Both releases as an administrator's script deploys them: started as a separate process with /apply, /export or
// /?, their output read from pipes and from the log, and the result checked where the system reads it. This test is
// 64-bit and runs in Wine's WOW64 prefix, so it sees the native registry view and System32 directly; the 32-bit
// release has to reach those as well and leave Wow6432Node and SysWOW64 as they were. On a machine that runs no
// 32-bit code the test script sets BRANDWICK_NO_WOW64 to the reason and runs this in an ordinary 64-bit prefix:
// the 64-bit release is checked as everywhere, the 32-bit one and the comparisons of the 32-bit places are skipped.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <set>

namespace bw::deploy {
namespace {

using namespace test;

// The profiles, pictures and log of a test; a fixed place, so that the messages can be written out whole.
const std::wstring kDir = L"C:\\brandwick-deploy\\";
const std::wstring kLog = kDir + L"run.log";
const std::string kEarlierLog = "earlier run\r\n";

// Everything the program may change in one registry view and the system directory that goes with it.
using Places = std::map<std::wstring, std::optional<RawValue>>;
Places Snapshot(REGSAM view, const std::wstring& systemDir) {
    Places places;
    for (const auto& name : kNtNames)
        places[L"CurrentVersion\\" + name] = Query(kNt, name, view);
    for (const auto& name : kKeyNames)
        places[L"OEMInformation\\" + name] = Query(kKey, name, view);
    for (const wchar_t* file : {L"oeminfo.ini", L"oemlogo.bmp"}) {
        const auto bytes = ReadBytes(systemDir + L"\\" + file);
        places[file] = bytes ? std::optional(RawValue{0, {bytes->begin(), bytes->end()}}) : std::nullopt;
    }
    return places;
}
std::wstring SysWow64Dir() {
    wchar_t buffer[MAX_PATH];
    return std::wstring(buffer, GetSystemWow64DirectoryW(buffer, MAX_PATH));
}
Places NativePlaces() {
    return Snapshot(KEY_WOW64_64KEY, SystemDir());
}
Places RedirectedPlaces() {
    return Snapshot(KEY_WOW64_32KEY, SysWow64Dir());
}

const std::string kLogo = Picture("info24.bmp"), kOldLogo = Picture("info8.bmp");

// Removes the folder of this test with everything in it.
void RemoveTestFolder() {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(kDir), error);
}

// The full profile, in UTF-8 without a byte order mark.
const std::string kFullProfile =
    "[Registration]\r\nOwner=张师傅\r\nOrganization=快修电脑行\r\nProductId=12345-OEM-0000001-00002\r\n"
    "[OEM]\r\nManufacturer=快修电脑\r\nModel=KX-3000 Pro\r\nLogo=brand.bmp\r\n"
    "SupportPhone=400-000-0000\r\nSupportHours=周一至周五 "
    "9:00-18:00\r\nSupportURL=https://support.brandwick.example/\r\n"
    "SupportProvider=快修电脑售后部\r\n"
    "[Support Information]\r\nLine1=服务热线: 400-000-0000\r\nLine2=网址: support.brandwick.example\r\n";
const std::wstring kFullOwner = L"张师傅|快修电脑行|12345-OEM-0000001-00002|";
const std::wstring kFullKey =
    L"快修电脑|KX-3000 Pro|C:\\windows\\system32\\oemlogo.bmp|400-000-0000|周一至周五 9:00-18:00|"
    L"https://support.brandwick.example/|快修电脑售后部|<type 4>|";
// oeminfo.ini in code page 936: 快修电脑, and the two lines 服务热线 and 网址.
const std::string kFullIni = "[General]\r\nManufacturer=\xBF\xEC\xD0\xDE\xB5\xE7\xC4\xD4\r\nModel=KX-3000 Pro\r\n"
                             "[Support Information]\r\nLine1=\xB7\xFE\xCE\xF1\xC8\xC8\xCF\xDF: 400-000-0000\r\n"
                             "Line2=\xCD\xF8\xD6\xB7: support.brandwick.example\r\n";
const std::string kOldIni =
    "[General]\r\nManufacturer=Old Maker\r\nModel=OM-1\r\n[Support Information]\r\nLine1=old\r\n";

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

// The log without the time and computer name that begin each of its lines after what it held before the run.
std::string Unprefixed(const std::string& log, const std::string& earlier) {
    if (!log.starts_with(earlier))
        return "<earlier lines lost> " + log;
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(name, &size);
    const std::regex stamp("(^|\n)\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d " + Utf8(std::wstring(name, size)) + " ");
    return earlier + std::regex_replace(log.substr(earlier.size()), stamp, "$1");
}

struct Release {
    const char* name;
    const wchar_t* variable; // of the environment, set by CMake: the release's Unix path
    BOOL wow64;
};

struct Outcome {
    DWORD exitCode = STILL_ACTIVE;
    std::string out, err;
};

// Why the 32-bit places cannot be had here, or empty in the WOW64 prefix.
std::string NoWow64() {
    char reason[1024] = "";
    return GetEnvironmentVariableA("BRANDWICK_NO_WOW64", reason, sizeof reason) ? reason : "";
}

class Deploy : public testing::TestWithParam<Release>, protected SystemPlaces {
protected:
    void SetUp() override {
        m_noWow64 = NoWow64();
        if (GetParam().wow64 && !m_noWow64.empty())
            GTEST_SKIP() << "the 32-bit release needs WOW64: " << m_noWow64;
        wchar_t unixPath[MAX_PATH] = L"";
        ASSERT_TRUE(GetEnvironmentVariableW(GetParam().variable, unixPath, MAX_PATH))
            << "CMake sets the release's path";
        // Wine's drive Z: is the Unix root.
        m_exe = L"Z:" + std::wstring(unixPath);
        std::replace(m_exe.begin(), m_exe.end(), L'/', L'\\');
        ASSERT_NE(GetFileAttributesW(m_exe.c_str()), INVALID_FILE_ATTRIBUTES) << "build the release first";
        RemoveTestFolder();
        ASSERT_TRUE(CreateDirectoryW(kDir.c_str(), nullptr));
        // Wine plays Windows 7 for these runs: from Vista on the program writes the OEMInformation key too.
        SetText(L"Software\\Wine", L"Version", L"win7", 0, HKEY_CURRENT_USER);
        // What a PC had before: its old branding, and in the 32-bit view an owner of its own.
        for (const auto& [name, text] :
             {std::pair(L"RegisteredOwner", L"旧用户"), std::pair(L"RegisteredOrganization", L"旧组织"),
              std::pair(L"ProductId", L"00000-OEM-0000000-00000")})
            SetText(kNt, name, text);
        SetText(kKey, L"Manufacturer", L"Old Maker");
        SetRaw(kKey, L"HelpCustomized", REG_DWORD, "\1\0\0\0", 4);
        SetText(kNt, L"RegisteredOwner", L"32-bit owner", KEY_WOW64_32KEY);
        WriteBytes(ini, kOldIni);
        WriteBytes(logo, kOldLogo);
        if (m_noWow64.empty())
            m_redirected = RedirectedPlaces();
    }
    void TearDown() override {
        if (!m_redirected.empty()) {
            EXPECT_EQ(RedirectedPlaces(), m_redirected) << "nothing changes in Wow6432Node or SysWOW64";
        }
        RemoveTestFolder();
    }

    // Starts the release with these arguments in the test's folder.
    UniqueHandleNull Launch(const std::wstring& arguments, const STARTUPINFOW& si = {}) {
        return StartProgram(m_exe, arguments, kDir.c_str(), si).process;
    }
    // Runs the release until it ends, its standard output and error into files.
    Outcome Start(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const auto open = [&inherit](const std::wstring& path, DWORD access, DWORD creation) {
            return UniqueFile(
                CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation, 0, nullptr));
        };
        Outcome run;
        {
            const UniqueFile in = open(L"NUL", GENERIC_READ, OPEN_EXISTING),
                             out = open(kDir + L"out.txt", GENERIC_WRITE, CREATE_ALWAYS),
                             err = open(kDir + L"err.txt", GENERIC_WRITE, CREATE_ALWAYS);
            STARTUPINFOW si{};
            si.dwFlags = STARTF_USESTDHANDLES;
            si.hStdInput = in.get(), si.hStdOutput = out.get(), si.hStdError = err.get();
            const UniqueHandleNull process = Launch(arguments, si);
            if (!process)
                return run;
            if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the release did not end within a minute";
                TerminateProcess(process.get(), 9);
                WaitForSingleObject(process.get(), 10000);
            }
            GetExitCodeProcess(process.get(), &run.exitCode);
            BOOL wow64 = !GetParam().wow64;
            IsWow64Process(process.get(), &wow64);
            EXPECT_EQ(wow64, GetParam().wow64) << "a 32-bit release runs under WOW64, a 64-bit one natively";
        }
        run.out = ReadBytes(kDir + L"out.txt").value_or("<missing>");
        run.err = ReadBytes(kDir + L"err.txt").value_or("<missing>");
        return run;
    }
    // The same with /log: the log holds what it had and then exactly what the program printed.
    Outcome StartLogged(const std::wstring& arguments) {
        WriteBytes(kLog, kEarlierLog);
        Outcome run = Start(arguments + L" /log " + kLog);
        const char* result[] = {"全部完成", "部分内容未能保存", "未做任何更改"};
        EXPECT_EQ(Unprefixed(ReadBytes(kLog).value_or("<missing>"), kEarlierLog),
                  kEarlierLog + "Brandwick " + Utf8(arguments) + " /log " + Utf8(kLog) + "\r\n" + run.out + "结果：" +
                      result[std::min<DWORD>(run.exitCode, 2)] + "，退出代码 " + std::to_string(run.exitCode) + "\r\n");
        return run;
    }
    static void Expect(const Outcome& run, DWORD exitCode, const std::string& out) {
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "");
    }
    void ApplyFullProfile() {
        WriteBytes(kDir + L"full.ini", kFullProfile);
        WriteBytes(kDir + L"brand.bmp", kLogo);
        Expect(StartLogged(L"/apply " + kDir + L"full.ini"), 0, "已应用配置文件 C:\\brandwick-deploy\\full.ini。\r\n");
    }

    std::wstring m_exe;
    std::string m_noWow64;
    Places m_redirected;
    FileGuard wowIni{SysWow64Dir() + L"\\oeminfo.ini"}, wowLogo{SysWow64Dir() + L"\\oemlogo.bmp"};
    RegistryValueGuard wowNt{kNt, kNtNames, KEY_WOW64_32KEY}, wowKey{kKey, kKeyNames, KEY_WOW64_32KEY};
    RegistryValueGuard wine{L"Software\\Wine", {L"Version"}, 0, HKEY_CURRENT_USER};
};

// A full profile lands where the system reads it, keeping the key's other values. What /export then writes, /apply
// puts back: the profile names the copied logo beside it. There oeminfo.ini cannot be saved, as a folder has its
// name: that item is named, and everything else is saved.
TEST_P(Deploy, AppliesAFullProfileAndExportsItToApplyAgain) {
    ApplyFullProfile();
    EXPECT_EQ(RegTexts(kNt, kNtNames), kFullOwner);
    EXPECT_EQ(RegTexts(kKey, kKeyNames), kFullKey);
    EXPECT_EQ(Query(kKey, L"HelpCustomized"), (RawValue{REG_DWORD, {1, 0, 0, 0}}));
    EXPECT_EQ(ReadBytes(ini), kFullIni);
    EXPECT_EQ(ReadBytes(logo), kLogo);
    EXPECT_FALSE(ReadBytes(stagedIni) || ReadBytes(stagedLogo)) << "a run removes its staging files";
    const Places applied = NativePlaces();
    ASSERT_TRUE(CreateDirectoryW((kDir + L"out").c_str(), nullptr));
    Expect(StartLogged(L"-EXPORT " + kDir + L"out\\saved.ini"), 0,
           "已导出到 C:\\brandwick-deploy\\out\\saved.ini。\r\n");
    const std::string text = ReadBytes(kDir + L"out\\saved.ini").value_or("");
    EXPECT_EQ(text.substr(0, 14), "\xEF\xBB\xBF; Brandwick");
    EXPECT_EQ(text.substr(text.find("\r\n") + 2),
              "[Registration]\r\nOwner=张师傅\r\nOrganization=快修电脑行\r\n"
              "; 以下为本机自己的产品序列号；删去 ProductId 前的“;”即会在每台电脑上设置它\r\n"
              "; ProductId=12345-OEM-0000001-00002\r\n"
              "[OEM]\r\nManufacturer=快修电脑\r\nModel=KX-3000 Pro\r\n"
              "Logo=saved.bmp\r\nSupportPhone=400-000-0000\r\n"
              "SupportHours=周一至周五 9:00-18:00\r\nSupportURL=https://support.brandwick.example/\r\n"
              "SupportProvider=快修电脑售后部\r\n"
              "[Support Information]\r\nLine1=服务热线: 400-000-0000\r\nLine2=网址: support.brandwick.example\r\n");
    EXPECT_EQ(ReadBytes(kDir + L"out\\saved.bmp"), kLogo);

    // Another PC, whose product ID is its own and stays.
    for (const auto& name : kNtNames)
        DeleteValue(kNt, name);
    SetText(kNt, L"ProductId", L"99999-OEM-0000009-00009");
    Places expected = applied;
    expected[L"CurrentVersion\\ProductId"] = Query(kNt, L"ProductId");
    expected[L"oeminfo.ini"] = std::nullopt;
    for (const auto& name : kKeyNames)
        if (name != L"HelpCustomized")
            DeleteValue(kKey, name);
    RemoveFile(ini), RemoveFile(logo);
    ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
    Expect(StartLogged(L"/Apply " + kDir + L"out\\saved.ini"), 1,
           "以下内容未能保存：\r\nOEM 信息文件 oeminfo.ini：访问被拒绝。(5)\r\n\r\n其余内容已保存。\r\n");
    EXPECT_EQ(NativePlaces(), expected);
    EXPECT_TRUE(RemoveDirectoryW(ini.c_str())) << "the folder is still there";
}

// A profile that cannot be used changes nothing at all, not even what comes before the fault: one cut short, one
// that names a logo that is missing or no picture, a folder, a profile that sets nothing.
TEST_P(Deploy, RefusesABadProfileAndChangesNothing) {
    const std::string owner = "[Registration]\r\nOwner=新用户\r\n"; // lines 1 and 2, usable
    const std::string utf16 = std::string("\xFF\xFE[\0O\0E\0M\0]\0\r\0\n\0M\0o\0d\0e\0l\0=\0A\0\r\0\n\0", 34) + "[";
    const struct {
        const char* what;
        std::optional<std::string> bytes; // none: the profile's path is a folder
        std::string message;
    } rows[] = {
        {"cut UTF-16", utf16, "第 3 行：UTF-16 文本不完整"},
        {"missing logo", owner + "[OEM]\r\nModel=A\r\nLogo=missing.bmp\r\n",
         "第 5 行：找不到图片文件 C:\\brandwick-deploy\\missing.bmp"},
        {"malformed logo", owner + "[OEM]\r\nLogo=broken.bmp\r\n",
         "第 4 行：不是可用的图片 C:\\brandwick-deploy\\broken.bmp"},
        {"a folder", std::nullopt, "无法读取该文件：访问被拒绝。(5)"},
        {"empty", "", "配置文件中没有任何设置"},
    };
    WriteBytes(kDir + L"broken.bmp", "BM is not enough for a picture\r\n");
    const Places before = NativePlaces();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::wstring profile = kDir + L"bad.ini";
        RemoveFile(profile), RemoveDirectoryW(profile.c_str());
        if (row.bytes)
            WriteBytes(profile, *row.bytes);
        else
            ASSERT_TRUE(CreateDirectoryW(profile.c_str(), nullptr));
        Expect(StartLogged(L"/apply " + profile), 2,
               "无法使用配置文件 C:\\brandwick-deploy\\bad.ini：" + row.message + "\r\n未做任何更改。\r\n");
        EXPECT_EQ(NativePlaces(), before);
    }
}

// Two runs at once append to one log that a wrapper script holds open for its own redirected output, as
// "Brandwick.exe ... >> deploy.log" does: both brand the PC, and every line of each is in the log whole.
TEST_P(Deploy, TwoRunsShareOneLogThatAScriptHoldsOpen) {
    WriteBytes(kDir + L"full.ini", kFullProfile);
    WriteBytes(kDir + L"brand.bmp", kLogo);
    WriteBytes(kLog, kEarlierLog);
    UniqueFile script(CreateFileW(kLog.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(script);
    const UniqueHandleNull runs[] = {Launch(L"/apply " + kDir + L"full.ini /log " + kLog),
                                     Launch(L"/apply " + kDir + L"full.ini /log " + kLog)};
    for (const auto& run : runs) {
        ASSERT_EQ(WaitForSingleObject(run.get(), 60000), WAIT_OBJECT_0);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(run.get(), &code);
        EXPECT_EQ(code, 0u);
    }
    script.reset();
    EXPECT_EQ(RegTexts(kNt, kNtNames), kFullOwner);
    EXPECT_EQ(ReadBytes(ini), kFullIni);
    const std::string log = Unprefixed(ReadBytes(kLog).value_or(""), kEarlierLog);
    std::multiset<std::string> lines;
    for (std::size_t at = kEarlierLog.size(); at < log.size(); at = log.find("\r\n", at) + 2)
        lines.insert(log.substr(at, log.find("\r\n", at) - at));
    const std::string run[] = {"Brandwick /apply C:\\brandwick-deploy\\full.ini /log C:\\brandwick-deploy\\run.log",
                               "已应用配置文件 C:\\brandwick-deploy\\full.ini。", "结果：全部完成，退出代码 0"};
    EXPECT_EQ(lines, std::multiset<std::string>({run[0], run[0], run[1], run[1], run[2], run[2]})) << log;
}

// What /export writes, /apply takes: empty values arrive empty, what the PC lacks or holds as no text stays as the
// other PC has it, a support value of the key stored unexpanded travels as it is, a bare web address too, and a
// logo that is no BMP is named and left out.
TEST_P(Deploy, ExportCarriesEmptyValuesAndNamesWhatItLeavesOut) {
    SetRaw(kNt, L"RegisteredOwner", REG_BINARY, "\1\2", 2);
    DeleteValue(kNt, L"RegisteredOrganization");
    SetText(kKey, L"SupportPhone", L"");
    SetText(kKey, L"SupportURL", L"www.brandwick.example");
    SetRaw(kKey, L"SupportHours", REG_EXPAND_SZ, L"%HOURS% 9:00", 26);
    WriteBytes(ini, "[General]\r\nManufacturer=\r\nModel=OM-1\r\n[Support Information]\r\n");
    WriteBytes(logo, Picture("gif89.gif"));
    Expect(
        StartLogged(L"/export " + kDir + L"pc.ini"), 1,
        "已导出到 C:\\brandwick-deploy\\pc.ini，但以下内容未导出：\r\nOwner：无法读取本机的值：不支持的类型。(1630)\r\n"
        "Logo：本机的 Logo 图片不是 BMP 图片\r\n");
    const std::string text = ReadBytes(kDir + L"pc.ini").value_or("");
    EXPECT_EQ(text.substr(text.find("\r\n") + 2),
              "[Registration]\r\n"
              "; 以下为本机自己的产品序列号；删去 ProductId 前的“;”即会在每台电脑上设置它\r\n"
              "; ProductId=00000-OEM-0000000-00000\r\n"
              "[OEM]\r\nManufacturer=Old Maker\r\nModel=OM-1\r\nSupportPhone=\r\nSupportHours=%HOURS% 9:00\r\n"
              "SupportURL=www.brandwick.example\r\n[Support Information]\r\n");

    SetText(kNt, L"RegisteredOwner", L"他人");
    SetText(kNt, L"RegisteredOrganization", L"他组织");
    SetText(kKey, L"SupportPhone", L"111");
    SetText(kKey, L"SupportURL", L"https://other.example/");
    SetText(kKey, L"SupportProvider", L"他人售后");
    WriteBytes(ini, kOldIni);
    Expect(StartLogged(L"/apply " + kDir + L"pc.ini"), 0, "已应用配置文件 C:\\brandwick-deploy\\pc.ini。\r\n");
    EXPECT_EQ(RegTexts(kNt, kNtNames), L"他人|他组织|00000-OEM-0000000-00000|");
    EXPECT_EQ(RegTexts(kKey, {L"Manufacturer", L"Model", L"SupportPhone", L"SupportHours", L"SupportURL",
                              L"SupportProvider"}),
              L"Old Maker|OM-1||%HOURS% 9:00|www.brandwick.example|他人售后|");
    EXPECT_EQ(ReadBytes(ini), "[General]\r\nManufacturer=Old Maker\r\nModel=OM-1\r\n[Support Information]\r\n");
}

// A switch the program does not know is named before the usage, logged when the log was named; a log that cannot be
// opened stops the run first. None of them changes anything.
TEST_P(Deploy, LogsACommandLineMistakeAndStopsAtALogItCannotOpen) {
    const Places before = NativePlaces();
    const std::string usage = Start(L"/?").out;
    EXPECT_TRUE(usage.starts_with("用法：\r\n")) << usage;
    Expect(StartLogged(L"/apply full.ini /foo"), 2, "无法识别的参数：/foo\r\n" + usage);
    Expect(Start(L"/apply full.ini /log " + kDir), 2,
           "无法写入日志文件 C:\\brandwick-deploy\\：访问被拒绝。(5)\r\n未做任何更改。\r\n");
    EXPECT_EQ(NativePlaces(), before);
}

// /verify as a management system calls it after /apply, which never writes nor stages anything: it finds what Apply
// left, writes its result to the log, and names each item that another tool, an update or a person changed behind
// the program's back, in one line.
TEST_P(Deploy, VerifyFindsWhatApplyLeftAndNamesEachItemChangedBehindItsBack) {
    const auto verify = [this](const std::wstring& arguments) {
        const Places before = NativePlaces();
        Outcome run = Start(L"/verify " + arguments);
        EXPECT_EQ(NativePlaces(), before);
        EXPECT_FALSE(ReadBytes(stagedIni) || ReadBytes(stagedLogo));
        return run;
    };
    ApplyFullProfile();
    WriteBytes(kLog, kEarlierLog);
    Expect(verify(kDir + L"full.ini /log " + kLog), 0, "本机与配置文件 C:\\brandwick-deploy\\full.ini 一致。\r\n");
    EXPECT_EQ(Unprefixed(ReadBytes(kLog).value_or("<missing>"), kEarlierLog),
              kEarlierLog + "Brandwick /verify C:\\brandwick-deploy\\full.ini /log C:\\brandwick-deploy\\run.log\r\n" +
                  "本机与配置文件 C:\\brandwick-deploy\\full.ini 一致。\r\n结果：与配置文件一致，退出代码 0\r\n");

    SetText(kNt, L"RegisteredOrganization", L"");
    SetText(kKey, L"Model", L"KX-2000");
    WriteBytes(logo, kOldLogo);
    Expect(
        verify(kDir + L"full.ini"), 1,
        "本机与配置文件 C:\\brandwick-deploy\\full.ini 不一致：\r\n"
        "组织名 (RegisteredOrganization)：本机为 “”，配置文件为 “快修电脑行”\r\n"
        "OEM Logo 图片：本机为 1110 字节，SHA-256 bdcd8b338f9628f3…，配置文件为 150 字节，SHA-256 233b948218a11bb1…\r\n"
        "型号 (OEMInformation 的 Model)：本机为 “KX-2000”，配置文件为 “KX-3000 Pro”\r\n");
}

INSTANTIATE_TEST_SUITE_P(Releases, Deploy,
                         testing::Values(Release{"win32", L"BRANDWICK_RELEASE_WIN32", TRUE},
                                         Release{"win64", L"BRANDWICK_RELEASE_WIN64", FALSE}),
                         [](const testing::TestParamInfo<Release>& info) { return std::string(info.param.name); });

} // namespace
} // namespace bw::deploy
