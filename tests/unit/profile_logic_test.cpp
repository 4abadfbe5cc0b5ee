// The deployment profile: what it reads in each encoding, what it refuses and where, and what it writes.
#include "cli/profile_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using namespace std::string_literals;

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (const char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string out;
    while (times--)
        out += piece;
    return out;
}

// One text in each encoding and with each line end E; Logo= is on line 11.
#define GOOD_PROFILE(E)                                                                                                \
    "; 示例部署配置" E "  # 注释前可有空白" E "\t" E "[registration]" E "Owner = 示例用户" E                           \
    "ORGANIZATION=\t\"  示例公司 \"" E "ProductId=00000-OEM-0000000-00000" E "[ OEM ]" E "Manufacturer=示例电脑𠀀" E   \
    "model=X-1 \"Pro\"" E "Logo=brand.bmp" E "SupportPhone=000-0000-0000" E "SupportHours=周一至周五 9:00–18:00" E     \
    "[Support Information]" E "Line2=第二行=含等号" E "Line1=\"\"\"\"" E "[oem]" E                                     \
    "SupportURL=HTTPS://support.brandwick.example/help?q=1" E "supportprovider=  示例支持\t" E                         \
    "[SUPPORT INFORMATION]" E "LINE3=  \"左\t右"

TEST(ProfileReading, ReadsEveryKeyInEachEncodingAndLineEnd) {
    const std::u8string lf = u8"" GOOD_PROFILE("\n"), crlf = u8"" GOOD_PROFILE("\r\n");
    const std::pair<const char*, std::string> inputs[] = {
        {"UTF-8, LF", std::string(lf.begin(), lf.end())},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF" + std::string(crlf.begin(), crlf.end())},
        {"UTF-16LE, LF", Utf16Le(u"" GOOD_PROFILE("\n"))},
        {"UTF-16LE, CR LF", Utf16Le(u"" GOOD_PROFILE("\r\n"))},
    };
    for (const auto& [what, bytes] : inputs) {
        SCOPED_TRACE(what);
        const ProfileReading r = ParseProfile(bytes);
        ASSERT_TRUE(r.profile);
        EXPECT_FALSE(r.error);
        const Profile& p = *r.profile;
        EXPECT_EQ(p.owner, L"示例用户");
        EXPECT_EQ(p.organization, L"  示例公司 ");
        EXPECT_EQ(p.productId, L"00000-OEM-0000000-00000");
        EXPECT_EQ(p.maker, L"示例电脑\xD840\xDC00");
        EXPECT_EQ(p.model, L"X-1 \"Pro\"");
        EXPECT_EQ(p.logo, L"brand.bmp");
        EXPECT_EQ(p.logoLine, 11u);
        EXPECT_EQ(p.supportPhone, L"000-0000-0000");
        EXPECT_EQ(p.supportHours, L"周一至周五 9:00–18:00");
        EXPECT_EQ(p.supportUrl, L"HTTPS://support.brandwick.example/help?q=1");
        EXPECT_EQ(p.supportProvider, L"示例支持");
        EXPECT_EQ(p.supportLines, (std::vector<std::wstring>{L"\"\"", L"第二行=含等号", L"\"左\t右"}));

        // Written out, everything but the product ID, which is only a comment, reads back the same.
        const ProfileReading again = ParseProfile(WriteProfile(p));
        ASSERT_TRUE(again.profile);
        EXPECT_EQ(again.profile->logoLine, 10u);
        EXPECT_FALSE(again.profile->productId);
        Profile unmoved = *again.profile;
        unmoved.logoLine = 11;
        unmoved.productId = L"00000-OEM-0000000-00000";
        EXPECT_TRUE(unmoved == p) << WriteProfile(p);
    }
    EXPECT_EQ(ParseProfile("[Support Information]").profile.value_or(Profile{}).supportLines,
              std::vector<std::wstring>{})
        << "no lines at all is a setting";
}

// In UTF-16LE only a whole LF code unit ends a line; 上 (0A 4E) and 㐍 (0D 34) hold a line end in their low byte.
TEST(ProfileReading, Utf16CharactersWithALineEndByteEndNoLine) {
    const ProfileReading r = ParseProfile(Utf16Le(u"[OEM]\nManufacturer=上海\r\nModel=X 㐍\nLogo=上\r\n"));
    ASSERT_TRUE(r.profile);
    EXPECT_EQ(r.profile->maker, L"上海");
    EXPECT_EQ(r.profile->model, L"X 㐍");
    EXPECT_EQ(r.profile->logo, L"上");
    EXPECT_EQ(r.profile->logoLine, 4u);
}

TEST(ProfileReading, RefusesWhatItCannotTakeNamingTheLine) {
    const std::string oem = "[OEM]\nModel=";
    const std::string badUtf8 = "不是有效的 UTF-8 文本，请将配置文件存为 UTF-8（带 BOM）",
                      tooLong = "Model 超过 4096 个字符";
    const std::string unsure =
        "无法确定文本的编码（可能是 GBK 中文，也可能是 UTF-8），请将配置文件存为 UTF-8（带 BOM）";
    const std::string nothing = "配置文件中没有任何设置";
    struct Case {
        const char* what;
        std::string text;
        std::size_t line; // 0: read without an error
        std::string message;
    };
    const Case cases[] = {
        {"unknown section", "; x\n[Foo]\n", 2, "未知的节“[Foo]”"},
        {"key of another section", "[OEM]\nOwner=a", 2, "未知的键“Owner”"},
        {"long name cut short", "[OEM]\n" + std::string(50, 'K') + "=1", 2, "未知的键“" + std::string(40, 'K') + "…”"},
        {"duplicate in a repeated section", "[OEM]\nModel=a\n[Registration]\nOwner=b\n[oem]\nMODEL=c", 6,
         "重复的键“MODEL”"},
        {"duplicate support line", "[Support Information]\nLine1=a\nline1=b", 3, "重复的键“line1”"},
        {"gap", "[Support Information]\nLine3=c\nLine1=a\n", 2, "缺少 Line2：支持信息行须从 Line1 起连续编号"},
        {"Line255 alone", "[Support Information]\nLine255=a", 2, "缺少 Line1：支持信息行须从 Line1 起连续编号"},
        {"Line0", "[Support Information]\nLine0=a", 2, "支持信息行号须为 1 到 255"},
        {"Line01", "[Support Information]\nLine1=a\nLine01=a", 3, "支持信息行号须为 1 到 255"},
        {"Line256", "[Support Information]\nLine256=a", 2, "支持信息行号须为 1 到 255"},
        {"LineX", "[Support Information]\nLineX=a", 2, "未知的键“LineX”"},
        {"key before any section", "Model=a\n[OEM]", 1, "键不在任何节内"},
        {"no equals sign", "[OEM]\nModel", 2, "不是“键=值”的形式"},
        {"stray continuation byte", oem + "\x80", 2, badUtf8},
        {"lead byte of no sequence", oem + "\xF8\x88\x80\x80\x80", 2, badUtf8},
        {"overlong two bytes", oem + "\xC0\xAF", 2, badUtf8},
        {"overlong four bytes", oem + "\xF0\x80\x80\xAF", 2, badUtf8},
        {"encoded surrogate", oem + "\xED\xA0\x80", 2, badUtf8},
        {"beyond U+10FFFF", oem + "\xF4\x90\x80\x80", 2, badUtf8},
        {"sequence cut at the end", oem + "\xE4\xB8", 2, badUtf8},
        {"U+10FFFF and U+FFFF", oem + "\xF4\x8F\xBF\xBF\xEF\xBF\xBF", 0, ""},
        {"cut UTF-16", Utf16Le(u"[OEM]\nModel=a\n") + "x", 3, "UTF-16 文本不完整"},
        {"cut UTF-16 mid-line", Utf16Le(u"[OEM]\nModel=a") + "x", 2, "UTF-16 文本不完整"},
        {"unpaired high surrogate", Utf16Le(u"[OEM]\nModel=\xD800x"), 2, "不是有效的 UTF-16 文本"},
        {"high surrogate ending a line", Utf16Le(u"[OEM]\nModel=\xD800\nLogo=a"), 2, "不是有效的 UTF-16 文本"},
        {"unpaired low surrogate", Utf16Le(u"[OEM]\nModel=\xDC00"), 2, "不是有效的 UTF-16 文本"},
        {"UTF-16BE", "\xFE\xFF\0[\0O\0E\0M\0]"s, 1, "不支持 UTF-16BE 文本，请存为 UTF-8 或 UTF-16LE"},
        {"NUL", oem + "a\0b"s, 2, "含有控制字符"},
        {"lone CR", "[OEM]\r\nModel=a\rb\r\n", 2, "含有控制字符"},
        {"4096 units", oem + std::string(4096, 'x'), 0, ""},
        {"4096 units in 12288 bytes", oem + Repeat("中", 4096), 0, ""},
        {"4097 units", oem + std::string(4097, 'x'), 2, tooLong},
        {"2049 surrogate pairs", oem + Repeat("\xF0\xA0\x80\x80", 2049), 2, tooLong},
        {"10 MB", "[OEM]\nLogo=a\nModel=" + std::string(10'000'000, 'x') + "\n", 3, tooLong},
        {"SupportURL of another scheme", "[OEM]\nSupportURL=ftp://support.brandwick.example", 2,
         "SupportURL 须为网址（以 http:// 或 https:// 开头，或是 www.example.com 这样的主机名），或留空"},
        {"SupportURL without a scheme", "[OEM]\nSupportURL=www.brandwick.example", 0, ""},
        {"empty", "", 0, nothing},
        {"empty sections", "[Registration]\n[OEM]\n[oem]\n", 0, nothing},
        {"empty sections in UTF-16", Utf16Le(u"[OEM]\r\n"), 0, nothing},
        // 小学 and 系统 in code page 936 are also UTF-8, of a Cyrillic and a Greek pair; 锚 (C3 A9) is é.
        {"GBK that is Cyrillic UTF-8", "; x\n[Registration]\nOwner=\xD0\xA1\xD1\xA7\n", 3, unsure},
        {"GBK that is Greek UTF-8", "[OEM]\nModel=A\nManufacturer=\xCF\xB5\xCD\xB3", 3, unsure},
        {"GBK that is Latin UTF-8", "[OEM]\nModel=Caf\xC3\xA9", 2, unsure},
        {"the same with a BOM", "\xEF\xBB\xBF[OEM]\nModel=Caf\xC3\xA9", 0, ""},
        {"UTF-8 Chinese, which GBK pairs too", "[OEM]\nModel=\xE4\xB8\xAD\xE6\x96\x87", 0, ""},
        {"UTF-8 beside GBK-like pairs", "[OEM]\nModel=\xC3\xA9\xE4\xB8\xAD", 0, ""},
        {"GBK pairs up with an ASCII trail",
         "[OEM]\nModel=\xE2\x82\xAC"
         "A",
         2, unsure}, // 鈧珹 or €A
        {"plain GBK", "[OEM]\nModel=A\nManufacturer=\xBF\xEC\xD0\xDE", 3, badUtf8},
        {"plain ASCII", "[OEM]\nModel=A", 0, ""},
        {"SupportURL left empty", "[OEM]\nSupportURL=", 0, ""},
    };
    for (const Case& c : cases) {
        const ProfileReading r = ParseProfile(c.text);
        EXPECT_NE(r.profile.has_value(), r.error.has_value()) << c.what;
        EXPECT_EQ(r.error.value_or(ProfileError{}).line, c.line) << c.what;
        EXPECT_EQ(ToUtf8(r.error.value_or(ProfileError{}).message), c.message) << c.what;
    }
}

TEST(ProfileReading, SupportUrlIsAnAbsoluteWebAddress) {
    for (const wchar_t* url :
         {L"", L"HtTpS://support.brandwick.example:8443/p?q=1#f", L"https://help@support.brandwick.example",
          L"http://支持.example", L"Support-1.brandwick.example:8080/help?q=1#f", L"支持.example/"})
        EXPECT_TRUE(IsSupportUrl(url)) << ToUtf8(url);
    for (const wchar_t* url : {L"ftp://a.example", L"http://", L"http://:80/", L"http://help@/", L"http:/a.example",
                               L"http://a.example/a b", L" http://a.example", L"http://a.example\x7F", L"localhost",
                               L"www..example", L"a.example.", L"-a.example", L"a-.example", L"a_b.example",
                               L"help@a.example", L"a.example:", L"a.example:123456", L"a.example:8x", L"/a.example"})
        EXPECT_FALSE(IsSupportUrl(url)) << ToUtf8(url);
}

TEST(ProfileWriting, WritesPresentItemsInOrderQuotingWhatWouldNotReadBackAsUtf8) {
    Profile p;
    p.owner = L"示例用户";
    p.productId = L"";
    p.maker = L"\"示例\"";
    p.model = L" X-1 ";
    p.supportHours = L"a\r\nb\x01";
    p.supportUrl = L"https://support.brandwick.example";
    p.supportProvider = L"\"";
    p.supportLines = {L"第一行", L"\tx"};
    p.logoLine = 7;
    EXPECT_EQ(WriteProfile(p), "\xEF\xBB\xBF; Brandwick\r\n"
                               "[Registration]\r\nOwner=示例用户\r\n"
                               "; 以下为本机自己的产品序列号；删去 ProductId 前的“;”即会在每台电脑上设置它\r\n"
                               "; ProductId=\r\n"
                               "[OEM]\r\nManufacturer=\"\"示例\"\"\r\nModel=\" X-1 \"\r\nSupportHours=\"a  b \"\r\n"
                               "SupportURL=https://support.brandwick.example\r\nSupportProvider=\"\r\n"
                               "[Support Information]\r\nLine1=第一行\r\nLine2=\"\tx\"\r\n");
    Profile empty;
    EXPECT_EQ(WriteProfile(empty), "\xEF\xBB\xBF; Brandwick\r\n");
    empty.supportLines.emplace();
    EXPECT_EQ(WriteProfile(empty), "\xEF\xBB\xBF; Brandwick\r\n[Support Information]\r\n");
    // ToUtf8 replaces unpaired surrogates.
    EXPECT_EQ(ToUtf8(L"A\x7F\x80\x7FF\x800\xFFFF"), "A\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF");
    EXPECT_EQ(ToUtf8(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(L"\xDE00x\xD83D\xD83D\xDE00\xD83D"), "\xEF\xBF\xBDx\xEF\xBF\xBD\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

// What /export cannot carry is left out and named; the rest stays as it was.
TEST(ProfileWriting, LeavesOutWhatApplyWouldRefuse) {
    Profile p;
    p.owner = std::wstring(4097, L'x');
    p.organization = std::wstring(4096, L'y');
    p.maker = L"";
    p.supportUrl = L"support at 400-000-0000";
    p.supportPhone = std::wstring(5000, L'9');
    p.supportLines = std::vector<std::wstring>(300, L"行");
    const Profile kept = [&] {
        Profile k = p;
        k.owner.reset(), k.supportUrl.reset(), k.supportPhone.reset();
        k.supportLines->resize(255);
        return k;
    }();
    const std::vector<std::wstring> left = LeaveOutWhatApplyRefuses(p);
    EXPECT_EQ(left,
              (std::vector<std::wstring>{
                  L"Owner：超过 4096 个字符", L"SupportPhone：超过 4096 个字符",
                  L"SupportURL：须为网址（以 http:// 或 https:// 开头，或是 www.example.com 这样的主机名），或留空",
                  L"Line256 至 Line300：最多 255 行"}));
    EXPECT_TRUE(p == kept);
    EXPECT_TRUE(ParseProfile(WriteProfile(p)).profile);
}

TEST(ApplyRules, CheckNamesEveryValueThatCannotBeAppliedInProfileOrder) {
    Branding b;
    b.model = std::wstring(4097, L'x');
    b.owner = std::wstring(4096, L'y');
    b.supportUrl = L"ftp://files.brandwick.example";
    b.supportLines = {L"一", std::wstring(4097, L'二')};
    b.logo = "not read here";
    EXPECT_EQ(
        CheckBranding(b),
        (std::vector<Refusal>{
            {L"Model", L"超过 4096 个字符"},
            {L"SupportURL", L"须为网址（以 http:// 或 https:// 开头，或是 www.example.com 这样的主机名），或留空"},
            {L"Line2 至 Line2", L"Line2 超过 4096 个字符"}}));
    Branding empty;
    empty.supportUrl = L"";
    empty.supportLines.emplace();
    EXPECT_EQ(CheckBranding(empty), std::vector<Refusal>{});
}

} // namespace
} // namespace bw
