// The verify engine against the real registry and system directory: each item matches, differs, or is left out of
// the profile while it differs on the PC; what Apply leaves always matches, and verifying writes nothing.
#include "core/directories.h"
#include "engine/apply.h"
#include "engine/verify.h"
#include "fault_platform.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

// A branding names only the items it sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace bw::test {
namespace {

const OsVersion kXp{2, 5, 1, 2600, L"SP3"}, kWin7{2, 6, 1, 7601, L"SP1"};
using Lines = std::vector<std::wstring>;

// What the PC of these tests holds, and the branding that matches it.
const Branding kPc{.owner = L"张三",
                   .organization = L"",
                   .productId = L"55274-OEM-0011903-00107",
                   .maker = L"快修电脑",
                   .model = L"K510",
                   .supportLines = Lines{L"服务热线 800", L"a=b"},
                   .supportPhone = L"",
                   .supportHours = L"9:00-18:00",
                   .supportUrl = L"https://support.brandwick.example/",
                   .supportProvider = L"快修电脑服务部",
                   .logo = Picture("info24.bmp")};

class Verify : public testing::Test, protected SystemPlaces {
protected:
    void SetUp() override { os.version = kWin7; }
    void SetPc() {
        SetText(kNt, L"RegisteredOwner", L"张三");
        SetText(kNt, L"RegisteredOrganization", L" ");
        SetText(kNt, L"ProductId", L"55274-OEM-0011903-00107");
        WriteBytes(ini, IniWith(kModel, Ansi(L"服务热线 800")));
        WriteBytes(logo, Picture("info24.bmp"));
        const std::pair<const wchar_t*, const wchar_t*> key[] = {{L"Manufacturer", L"快修电脑"},
                                                                 {L"Model", L"K510"},
                                                                 {L"SupportPhone", L""},
                                                                 {L"SupportHours", L"9:00-18:00"},
                                                                 {L"SupportURL", L"https://support.brandwick.example/"},
                                                                 {L"SupportProvider", L"快修电脑服务部"}};
        for (const auto& [name, text] : key)
            SetText(kKey, name, text);
        DeleteValue(kKey, L"Logo");
    }
    // The PC's file, read by the system's rules: blanks around the model.
    static constexpr const char* kModel = "Model = K510 \r\n";
    static std::string IniWith(const std::string& model, const std::string& line1, const std::string& more = "") {
        return "[General]\r\nManufacturer=" + Ansi(L"快修电脑") + "\r\n" + model +
               "[Support Information]\r\nLine1=" + line1 + "\r\nLine2=a=b\r\n" + more;
    }
    Lines Check(const Branding& b) {
        ComputeSystemDirectory(state, os);
        ComputeTempDirectory(state, os);
        return VerifyBranding(state, os, b);
    }

    AppState state;
    FaultPlatform os;
    const std::wstring keyLogo = SystemDir() + L"\\brand-logo.bmp";
    FileGuard keyLogoGuard{keyLogo};
};

TEST_F(Verify, EachItemMatchesDiffersOrIsLeftOutWhileItDiffers) {
    const std::wstring info24 = L"150 字节，SHA-256 233b948218a11bb1…", info8 = L"1110 字节，SHA-256 bdcd8b338f9628f3…";
    const struct {
        const char* item;
        Branding other;    // the item alone, another value
        Lines differences; // of `other`: the items it leaves out are not compared
        std::function<void()> drift;
        std::wstring drifted; // the one difference to kPc after the drift
    } rows[] = {
        {"owner",
         {.owner = L"李四"},
         {L"注册用户名 (RegisteredOwner)：本机为 “张三”，配置文件为 “李四”"},
         []() { SetText(kNt, L"RegisteredOwner", L"李四"); },
         L"注册用户名 (RegisteredOwner)：本机为 “李四”，配置文件为 “张三”"},
        {"organization",
         {.organization = L"新组织"},
         {L"组织名 (RegisteredOrganization)：本机为 “ ”，配置文件为 “新组织”"},
         []() { SetText(kNt, L"RegisteredOrganization", L""); }, // no longer as the program stores it
         L"组织名 (RegisteredOrganization)：本机为 “”，配置文件为 “”"},
        {"product ID",
         {.productId = L"00000-OEM-0000000-00000"},
         {L"产品序列号 (ProductId)：本机为 “55274-OEM-0011903-00107”，配置文件为 “00000-OEM-0000000-00000”"},
         []() { DeleteValue(kNt, L"ProductId"); },
         L"产品序列号 (ProductId)：本机为 （无），配置文件为 “55274-OEM-0011903-00107”"},
        {"maker",
         {.maker = L"新电脑"},
         {L"制造商 (oeminfo.ini 的 Manufacturer)：本机为 “快修电脑”，配置文件为 “新电脑”",
          L"制造商 (OEMInformation 的 Manufacturer)：本机为 “快修电脑”，配置文件为 “新电脑”"},
         []() { SetText(kKey, L"Manufacturer", L"Other Tool"); },
         L"制造商 (OEMInformation 的 Manufacturer)：本机为 “Other Tool”，配置文件为 “快修电脑”"},
        {"model",
         {.model = L"K520"},
         {L"型号 (oeminfo.ini 的 Model)：本机为 “K510”，配置文件为 “K520”",
          L"型号 (OEMInformation 的 Model)：本机为 “K510”，配置文件为 “K520”"},
         [this] { WriteBytes(ini, IniWith("", Ansi(L"服务热线 800"))); },
         L"型号 (oeminfo.ini 的 Model)：本机为 （无），配置文件为 “K510”"},
        {"support line 1",
         {.supportLines = Lines{L"服务热线 400", L"a=b"}},
         {L"支持信息第 1 行 (oeminfo.ini 的 Line1)：本机为 “服务热线 800”，配置文件为 “服务热线 400”"},
         [this] { WriteBytes(ini, IniWith(kModel, "")); },
         L"支持信息第 1 行 (oeminfo.ini 的 Line1)：本机为 “”，配置文件为 “服务热线 800”"},
        {"support line 2",
         {.supportLines = Lines{L"服务热线 800"}},
         {L"支持信息第 2 行 (oeminfo.ini 的 Line2)：本机为 “a=b”，配置文件为 （无）"},
         [this] { WriteBytes(ini, IniWith(kModel, Ansi(L"服务热线 800"), "Line3=extra\r\n")); },
         L"支持信息第 3 行 (oeminfo.ini 的 Line3)：本机为 “extra”，配置文件为 （无）"},
        {"phone",
         {.supportPhone = L"400-000-0000"},
         {L"支持电话 (SupportPhone)：本机为 “”，配置文件为 “400-000-0000”"},
         []() { DeleteValue(kKey, L"SupportPhone"); },
         L"支持电话 (SupportPhone)：本机为 （无），配置文件为 “”"},
        {"hours",
         {.supportHours = L"全天"},
         {L"支持时间 (SupportHours)：本机为 “9:00-18:00”，配置文件为 “全天”"},
         []() { SetText(kKey, L"SupportHours", L"全天"); },
         L"支持时间 (SupportHours)：本机为 “全天”，配置文件为 “9:00-18:00”"},
        {"url",
         {.supportUrl = L"www.brandwick.example"},
         {L"支持网址 (SupportURL)：本机为 “https://support.brandwick.example/”，配置文件为 “www.brandwick.example”"},
         []() { SetText(kKey, L"SupportURL", L"https://support.brandwick.example/" + std::wstring(30, L'x')); },
         L"支持网址 (SupportURL)：本机为 “https://support.brandwick.example/xxxxxx…”（共 64 个字符），配置文件为 "
         L"“https://support.brandwick.example/”"},
        {"provider",
         {.supportProvider = L"服务部"},
         {L"支持提供者 (SupportProvider)：本机为 “快修电脑服务部”，配置文件为 “服务部”"},
         []() { SetRaw(kKey, L"SupportProvider", REG_DWORD, "\1\0\0\0", 4); }, // shown as no text
         L"支持提供者 (SupportProvider)：本机为 （无），配置文件为 “快修电脑服务部”"},
        {"logo",
         {.logo = Picture("info8.bmp")},
         {L"OEM Logo 图片：本机为 " + info24 + L"，配置文件为 " + info8},
         [this] { // the picture the system shows: the file the key names where it is there
             WriteBytes(keyLogo, Picture("info8.bmp"));
             SetText(kKey, L"Logo", keyLogo);
         },
         L"OEM Logo 图片：本机为 " + info8 + L"，配置文件为 " + info24},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        SetPc();
        EXPECT_EQ(Check(kPc), Lines{});
        EXPECT_EQ(Check(row.other), row.differences);
        row.drift();
        EXPECT_EQ(Check(kPc), Lines{row.drifted});
    }
    for (const wchar_t* op : {L"Write", L"Move", L"SetAttributes", L"Delete", L"RegWrite"})
        EXPECT_EQ(std::count_if(os.log.begin(), os.log.end(),
                                [op](const std::wstring& call) { return call.starts_with(op); }),
                  0)
            << "verifying writes nothing: " << op;
}

// Whatever Apply stores of a branding it was given, Verify finds the same: text the ANSI code page cannot hold,
// blanks and quotes that the file's reading drops, empty values; on Windows before Vista the key is not compared.
TEST_F(Verify, WhatApplyLeavesMatches) {
    const Branding b{.owner = L"",
                     .organization = L"\"快修\"",
                     .productId = L" 55274 ",
                     .maker = L"快修\xD83D\xDE00电脑",
                     .model = L" \"K510\" ",
                     .supportLines = Lines{L"", L"'网址' ", L"Ⅻ"},
                     .supportPhone = L"",
                     .supportHours = L"",
                     .supportUrl = L"www.brandwick.example",
                     .supportProvider = L"快修",
                     .logo = Picture("info8.bmp")};
    for (const OsVersion& version : {kXp, kWin7}) {
        SCOPED_TRACE(version.major);
        os.version = version;
        SetPc();
        SetText(kKey, L"Logo", SystemDir() + L"\\oemlogo-other.bmp"); // a file that is not there
        EXPECT_NE(Check(b), Lines{});
        EXPECT_TRUE(ApplyBranding(state, os, b).AllSaved());
        EXPECT_EQ(Check(b), Lines{});
    }
    os.version = kXp;
    SetText(kKey, L"SupportURL", L"changed on XP");
    EXPECT_EQ(Check(b), Lines{});
}

} // namespace
} // namespace bw::test
