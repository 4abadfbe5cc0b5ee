// Registry strings and the registration fields against the real local machine hive.
#include "fault_platform.h"
#include "registry/mReg.h"
#include "registry/registration.h"
#include "registry_guard.h"
#include "sysinfo/mSysInfo.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const std::wstring kScratch = L"SOFTWARE\\BrandwickTests";
const std::vector<std::wstring> kValues = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};

std::wstring Stored(const std::wstring& key, const std::wstring& name) {
    std::wstring text = L"<missing>";
    DWORD type = 0;
    ReadText(key, name, text, type);
    return type == REG_SZ ? text : L"<type " + std::to_wstring(type) + L">";
}

class RegistryStrings : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    std::wstring Get(const std::wstring& name) { return GetRegString(os, HKEY_LOCAL_MACHINE, kScratch, name); }
    bool Set(const std::wstring& name, const std::wstring& value, const std::wstring& sub = L"") {
        return SetRegString(os, HKEY_LOCAL_MACHINE, kScratch + sub, name, value);
    }
    FaultPlatform os;
};

TEST_F(RegistryStrings, RoundTripsCreateTheKeyAndKeepEveryCharacter) {
    EXPECT_EQ(Get(L"Missing"), L"") << "a missing key reads as the empty text";
    const std::wstring longText(3000, L'\u5B57'); // far beyond a 1 KiB buffer
    const std::wstring foreign = L"\u00C5ngstr\u00F6m \u0416\u0443\u043A \U0001F600"; // not in code page 936
    for (const std::wstring& text : {std::wstring(L"\u738B\u5C0F\u660E"), longText, foreign}) {
        ASSERT_TRUE(Set(L"V", text, L"\\Deeper"));
        EXPECT_EQ(Stored(kScratch + L"\\Deeper", L"V"), text);
        EXPECT_EQ(GetRegString(os, HKEY_LOCAL_MACHINE, kScratch + L"\\Deeper", L"V"), text);
    }
    ASSERT_TRUE(Set(L"Empty", L""));
    EXPECT_EQ(Get(L"Empty"), L" ") << "the empty text is stored as one space";
    EXPECT_EQ(Get(L"Missing"), L"") << "a missing value in an existing key too";

    UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kScratch + L"\\Deeper").c_str(), 0, KEY_READ, key.put()), 0);
    wchar_t keyClass[8] = {};
    DWORD classLength = 8, size = 0;
    RegQueryInfoKeyW(key.get(), keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    EXPECT_STREQ(keyClass, L"1");
    ASSERT_EQ(RegQueryValueExW(key.get(), L"V", nullptr, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, (foreign.size() + 1) * sizeof(wchar_t)) << "stored with its terminating NUL";
}

TEST_F(RegistryStrings, OtherValueTypesAndUnterminatedStrings) {
    const wchar_t raw[] = {L'a', L'b', L'c'};
    SetRaw(kScratch, L"Raw", REG_SZ, raw, sizeof raw);
    const std::wstring expand = L"%SystemRoot%\\oem";
    SetRaw(kScratch, L"Expand", REG_EXPAND_SZ, expand.c_str(), static_cast<DWORD>((expand.size() + 1) * 2));
    const DWORD zero = 0, big = 0x80000001;
    SetRaw(kScratch, L"Zero", REG_DWORD, &zero, 4);
    SetRaw(kScratch, L"Big", REG_DWORD, &big, 4);
    SetRaw(kScratch, L"Binary", REG_BINARY, "a\0b\0\0", 6);
    SetRaw(kScratch, L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);
    EXPECT_EQ(Get(L"Raw"), L"abc");
    EXPECT_EQ(Get(L"Expand"), expand) << "not expanded";
    EXPECT_EQ(Get(L"Zero") + L"," + Get(L"Big"), L"0,2147483649");
    EXPECT_EQ(Get(L"Binary") + Get(L"Multi"), L"");
}

TEST_F(RegistryStrings, FailuresBecomeResults) {
    SetText(kScratch, L"V", L"kept");
    os.FailOn(PlatformOp::RegRead);
    EXPECT_EQ(Get(L"V"), L"");
    os.FailOn(PlatformOp::RegWrite);
    EXPECT_FALSE(Set(L"V", L"new"));
    EXPECT_EQ(Get(L"V"), L"kept");
}

class RegistrationFields : public testing::Test {
protected:
    RegistryValueGuard nt{kNtVersionKey, kValues};
    RegistryValueGuard win9x{kWindowsVersionKey, kValues};
    FaultPlatform os;
};

TEST_F(RegistrationFields, ReadsTheRunningFamilysKeyEachValueOnItsOwn) {
    ASSERT_TRUE(IsWindowsNT(os));
    SetText(kNtVersionKey, L"RegisteredOwner", L"Owner NT");
    SetText(kWindowsVersionKey, L"RegisteredOwner", L"Owner 9x");
    DeleteValue(kNtVersionKey, L"RegisteredOrganization");
    const DWORD number = 258;
    SetRaw(kNtVersionKey, L"ProductId", REG_DWORD, &number, 4);
    const Registration r = ReadRegistration(os);
    EXPECT_EQ(r.owner + L"|" + r.organization + L"|" + r.productId, L"Owner NT||258");
}

TEST_F(RegistrationFields, WritesAllThreeAndNamesEachFailure) {
    SetText(kNtVersionKey, L"RegisteredOrganization", L"old org");
    os.FailOn(PlatformOp::RegWrite, 2);
    const RegistrationFailures failed = WriteRegistration(os, {L"\u00C5sa \u738B", L"new org", L""});
    EXPECT_TRUE(!failed.owner && failed.organization && !failed.productId);
    EXPECT_EQ(Stored(kNtVersionKey, L"RegisteredOwner"), L"\u00C5sa \u738B");
    EXPECT_EQ(Stored(kNtVersionKey, L"RegisteredOrganization"), L"old org");
    EXPECT_EQ(Stored(kNtVersionKey, L"ProductId"), L" ") << "written after the failure, an empty box as a space";
}

TEST_F(RegistrationFields, OtherPlatformsUseTheWindowsKeyAndEachCallAsksAfresh) {
    os.FailOn(PlatformOp::GetVersion); // reads as a platform other than NT
    EXPECT_FALSE(WriteRegistration(os, {L"nine", L"x", L"y"}).any());
    EXPECT_EQ(Stored(kWindowsVersionKey, L"RegisteredOwner"), L"nine");
    SetText(kNtVersionKey, L"RegisteredOwner", L"nt");
    EXPECT_EQ(ReadRegistration(os).owner, L"nt");
}

TEST(SystemVersion, LabelShowsTheRunningSystemOrUnknown) {
    FaultPlatform os;
    UniqueWindow label(CreateWindowExW(0, L"STATIC", L"before", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(label);
    wchar_t text[256] = {};
    ShowSystemVersion(os, label.get());
    GetWindowTextW(label.get(), text, 256);
    EXPECT_EQ(std::wstring(text), SystemVersionCaption(os.GetVersion()).value_or(L"before"));
    os.FailOn(PlatformOp::GetVersion);
    ShowSystemVersion(os, label.get());
    GetWindowTextW(label.get(), text, 256);
    EXPECT_STREQ(text, L"<\u7CFB\u7EDF\u7248\u672C\u672A\u77E5>");
}

} // namespace
} // namespace bw::test
