// The deployment command line: how the run-time's rules split it, which switches it takes, and where the logo of a
// profile lies.
#include "cli/command_line_logic.h"

#include <gtest/gtest.h>

namespace bw {

using Args = std::vector<std::wstring>;

TEST(CommandLineLogic, SplitsAsTheRuntimeDoes) {
    const struct {
        const wchar_t* text;
        Args args;
    } rows[] = {
        {L"", {}},
        {L"  /apply \t brand.ini ", {L"/apply", L"brand.ini"}},
        {L"/apply \"C:\\My Files\\brand.ini\"", {L"/apply", L"C:\\My Files\\brand.ini"}},
        {L"a\\\\\\\"b \"c\\\\\" d\"\"e \"\"", {L"a\\\"b", L"c\\", L"de", L""}},
        {L"\"say \"\"hi\"\"\" C:\\dir\\", {L"say \"hi\"", L"C:\\dir\\"}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(SplitArguments(r.text), r.args) << r.text;
}

TEST(CommandLineLogic, TakesOneActionWithItsFileAndAnOptionalLog) {
    const wchar_t* oneAction = L"/apply、/export 和 /verify 只能使用其中一个，且只能一次";
    const struct {
        Args args;
        CliAction action;
        const wchar_t* profile;
        const wchar_t* log;
        const wchar_t* problem;
    } rows[] = {
        {{}, CliAction::Window, L"", nullptr, L""},
        {{L"/APPLY", L"a.ini"}, CliAction::Apply, L"a.ini", nullptr, L""},
        {{L"-log", L"x.log", L"/Export", L"b.ini"}, CliAction::Export, L"b.ini", L"x.log", L""},
        {{L"-Verify", L"c.ini", L"/log", L"x.log"}, CliAction::Verify, L"c.ini", L"x.log", L""},
        {{L"/?"}, CliAction::Usage, L"", nullptr, L""},
        {{L"/apply", L"a.ini", L"/?"}, CliAction::Usage, L"a.ini", nullptr, L""},
        {{L"/foo"}, CliAction::Invalid, L"", nullptr, L"无法识别的参数：/foo"},
        {{L"brand.ini"}, CliAction::Invalid, L"", nullptr, L"无法识别的参数：brand.ini"},
        {{L"/apply"}, CliAction::Invalid, L"", nullptr, L"缺少文件名：/apply"},
        {{L"/apply", L"a", L"/export", L"b"}, CliAction::Invalid, L"", nullptr, oneAction},
        {{L"/verify", L"a", L"/apply", L"a"}, CliAction::Invalid, L"", nullptr, oneAction},
        {{L"/log", L"x", L"/log", L"y", L"/apply", L"a"}, CliAction::Invalid, L"", L"x", L"参数重复：/log"},
        {{L"/log", L"x.log"}, CliAction::Invalid, L"", L"x.log", L"/log 须与 /apply、/export 或 /verify 一同使用"},
        // A mistake does not lose the log named before or after it, so that the log tells of it.
        {{L"/apply", L"a", L"/foo", L"-LOG", L"x.log"}, CliAction::Invalid, L"", L"x.log", L"无法识别的参数：/foo"},
        {{L"/log", L"x.log", L"/apply"}, CliAction::Invalid, L"", L"x.log", L"缺少文件名：/apply"},
        {{L"/foo", L"/log"}, CliAction::Invalid, L"", nullptr, L"无法识别的参数：/foo"},
    };
    for (const auto& r : rows) {
        const CommandLine cl = ParseCommandLine(r.args);
        SCOPED_TRACE(r.args.empty() ? L"" : r.args[0]);
        EXPECT_EQ(cl.action, r.action);
        EXPECT_EQ(cl.problem, r.problem);
        EXPECT_EQ(cl.log.value_or(L"<none>"), r.log ? r.log : L"<none>");
        if (r.action != CliAction::Invalid) {
            EXPECT_EQ(cl.profile, r.profile);
        }
    }
    EXPECT_EQ(UsageText().substr(0, 3), L"用法：");
    EXPECT_EQ(DecimalText(0) + L" " + DecimalText(4096) + L" " + DecimalText(18446744073709551615u),
              L"0 4096 18446744073709551615");
}

TEST(CommandLineLogic, EveryLogLineTellsWhenAndWhere) {
    EXPECT_EQ(ParseCommandLine({L"/apply", L"C:\\My Files\\a.ini", L"/log", L"", L"x"}).given,
              L"/apply \"C:\\My Files\\a.ini\" /log \"\" x");
    // The deployment tests read the rest of a log line; the system's own text may be missing.
    EXPECT_EQ(LogLines(L"一\n\n二", L"P "), L"P 一\r\nP \r\nP 二\r\n");
    EXPECT_EQ(ResultLine(CliAction::Verify, 1), L"结果：与配置文件不一致，退出代码 1");
    EXPECT_EQ(ErrorWithCode(L"", 1234), L"系统错误 1234");
}

TEST(CommandLineLogic, TheLogoLiesBesideTheProfile) {
    EXPECT_EQ(ResolveBesideProfile(L"D:\\deploy\\brand.ini", L"art\\logo.bmp"), L"D:\\deploy\\art\\logo.bmp");
    EXPECT_EQ(ResolveBesideProfile(L"brand.ini", L"logo.bmp"), L"logo.bmp");
    EXPECT_EQ(ResolveBesideProfile(L"\\\\server\\share\\brand.ini", L"logo.bmp"), L"\\\\server\\share\\logo.bmp");
    for (const wchar_t* absolute : {L"C:\\art\\logo.bmp", L"\\\\server\\art\\logo.bmp", L"\\art\\logo.bmp"})
        EXPECT_EQ(ResolveBesideProfile(L"D:\\deploy\\brand.ini", absolute), absolute);
    EXPECT_EQ(ExportedLogoName(L"D:\\deploy\\shop.v2.ini"), L"shop.v2.bmp");
    EXPECT_EQ(ExportedLogoName(L"D:\\deploy\\.profile"), L".profile.bmp");
    EXPECT_EQ(ExportedLogoName(L"brand"), L"brand.bmp");
    EXPECT_EQ(ExportedLogoName(L"C:brand.BMP"), L"brand.BMP.bmp") << "never the profile itself";
}

} // namespace bw
