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

class RegistryStrings : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    std::wstring Get(const std::wstring& name) { return GetRegString(os, HKEY_LOCAL_MACHINE, kScratch, name); }
    FaultPlatform os;
};

TEST_F(RegistryStrings, MissingKeyOrValueReadsAsEmpty) {
    EXPECT_EQ(Get(L"Nothing"), L"");
    SetText(kScratch, L"Other", L"x");
    EXPECT_EQ(Get(L"Nothing"), L"");
}

TEST_F(RegistryStrings, WritingCreatesTheKeyWithItsClassAndStoresAString) {
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch + L"\\Deeper", L"Name", L"\u738B\u5C0F\u660E"));
    std::wstring text;
    DWORD type = 0;
    ASSERT_TRUE(ReadText(kScratch + L"\\Deeper", L"Name", text, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, L"\u738B\u5C0F\u660E");
    UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kScratch + L"\\Deeper").c_str(), 0, KEY_READ, key.put()), 0);
    wchar_t keyClass[8] = {};
    DWORD classLength = 8;
    ASSERT_EQ(RegQueryInfoKeyW(key.get(), keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              0);
    EXPECT_STREQ(keyClass, L"1");
}

TEST_F(RegistryStrings, StoredValueEndsWithItsNul) {
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch, L"V", L"abc"));
    UniqueHKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kScratch.c_str(), 0, KEY_READ, key.put()), 0);
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"V", nullptr, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 4 * sizeof(wchar_t));
}

TEST_F(RegistryStrings, EmptyTextIsStoredAsOneSpace) {
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch, L"Empty", L""));
    EXPECT_EQ(Get(L"Empty"), L" ");
}

TEST_F(RegistryStrings, LongValuesAndCharactersOutsideTheCodePageComeBackWhole) {
    const std::wstring longText(3000, L'\u5B57'); // far beyond a 1 KiB buffer
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch, L"Long", longText));
    EXPECT_EQ(Get(L"Long"), longText);
    const std::wstring foreign = L"\u00C5ngstr\u00F6m \u0416\u0443\u043A \U0001F600"; // not in code page 936
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch, L"Foreign", foreign));
    EXPECT_EQ(Get(L"Foreign"), foreign);
}

TEST_F(RegistryStrings, ValueWithoutTerminatingNulIsReadWhole) {
    const wchar_t raw[] = {L'a', L'b', L'c'};
    SetRaw(kScratch, L"Raw", REG_SZ, raw, sizeof raw);
    EXPECT_EQ(Get(L"Raw"), L"abc");
}

TEST_F(RegistryStrings, OtherValueTypes) {
    const std::wstring expand = L"%SystemRoot%\\oem";
    SetRaw(kScratch, L"Expand", REG_EXPAND_SZ, expand.c_str(), static_cast<DWORD>((expand.size() + 1) * 2));
    EXPECT_EQ(Get(L"Expand"), expand);
    const DWORD zero = 0, big = 0x80000001;
    SetRaw(kScratch, L"Zero", REG_DWORD, &zero, 4);
    SetRaw(kScratch, L"Big", REG_DWORD, &big, 4);
    EXPECT_EQ(Get(L"Zero"), L"0");
    EXPECT_EQ(Get(L"Big"), L"2147483649");
    const BYTE bytes[] = {'a', 0, 'b', 0, 0, 0};
    SetRaw(kScratch, L"Binary", REG_BINARY, bytes, sizeof bytes);
    SetRaw(kScratch, L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);
    EXPECT_EQ(Get(L"Binary"), L"");
    EXPECT_EQ(Get(L"Multi"), L"");
}

TEST_F(RegistryStrings, FailuresBecomeResults) {
    SetText(kScratch, L"V", L"kept");
    os.FailOn(PlatformOp::RegRead);
    EXPECT_EQ(Get(L"V"), L"");
    os.FailOn(PlatformOp::RegWrite);
    EXPECT_FALSE(SetRegString(os, HKEY_LOCAL_MACHINE, kScratch, L"V", L"new"));
    EXPECT_EQ(Get(L"V"), L"kept");
}

// The registration fields live in the running platform family's key.
class RegistrationFields : public testing::Test {
protected:
    RegistryValueGuard nt{kNtVersionKey, {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}};
    RegistryValueGuard win9x{kWindowsVersionKey, {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"}};
    FaultPlatform os;
};

TEST_F(RegistrationFields, ReadsTheNtKeyOnTheNtFamily) {
    ASSERT_TRUE(IsWindowsNT(os));
    SetText(kNtVersionKey, L"RegisteredOwner", L"Owner NT");
    SetText(kWindowsVersionKey, L"RegisteredOwner", L"Owner 9x");
    DeleteValue(kNtVersionKey, L"RegisteredOrganization");
    const DWORD number = 258;
    SetRaw(kNtVersionKey, L"ProductId", REG_DWORD, &number, 4);
    const Registration r = ReadRegistration(os);
    EXPECT_EQ(r.owner, L"Owner NT");
    EXPECT_EQ(r.organization, L"") << "a missing value does not stop the others";
    EXPECT_EQ(r.productId, L"258");
}

TEST_F(RegistrationFields, MissingOwnerWithPresentOrganization) {
    DeleteValue(kNtVersionKey, L"RegisteredOwner");
    SetText(kNtVersionKey, L"RegisteredOrganization", L"\u67D0\u516C\u53F8");
    const Registration r = ReadRegistration(os);
    EXPECT_EQ(r.owner, L"");
    EXPECT_EQ(r.organization, L"\u67D0\u516C\u53F8");
}

TEST_F(RegistrationFields, WritesAllThreeAsStringsAndAnEmptyBoxAsASpace) {
    const RegistrationFailures failed = WriteRegistration(os, {L"\u00C5sa \u738B", L"", L"55274-640-1234567-23456"});
    EXPECT_FALSE(failed.any());
    std::wstring text;
    DWORD type = 0;
    ASSERT_TRUE(ReadText(kNtVersionKey, L"RegisteredOwner", text, type));
    EXPECT_EQ(text, L"\u00C5sa \u738B");
    ASSERT_TRUE(ReadText(kNtVersionKey, L"RegisteredOrganization", text, type));
    EXPECT_EQ(text, L" ");
    ASSERT_TRUE(ReadText(kNtVersionKey, L"ProductId", text, type));
    EXPECT_EQ(text, L"55274-640-1234567-23456");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrationFields, EveryWriteIsTriedAndEachFailureNamed) {
    SetText(kNtVersionKey, L"RegisteredOrganization", L"old org");
    os.FailOn(PlatformOp::RegWrite, 2);
    const RegistrationFailures failed = WriteRegistration(os, {L"a", L"b", L"c"});
    EXPECT_FALSE(failed.owner);
    EXPECT_TRUE(failed.organization);
    EXPECT_FALSE(failed.productId);
    std::wstring text;
    DWORD type = 0;
    ASSERT_TRUE(ReadText(kNtVersionKey, L"RegisteredOrganization", text, type));
    EXPECT_EQ(text, L"old org");
    ASSERT_TRUE(ReadText(kNtVersionKey, L"ProductId", text, type));
    EXPECT_EQ(text, L"c");
}

TEST_F(RegistrationFields, OtherPlatformsUseTheWindowsKeyAndAskAfreshEachTime) {
    os.FailOn(PlatformOp::GetVersion); // a failed query reads as a platform other than NT
    EXPECT_FALSE(WriteRegistration(os, {L"nine", L"x", L"y"}).any());
    std::wstring text;
    DWORD type = 0;
    ASSERT_TRUE(ReadText(kWindowsVersionKey, L"RegisteredOwner", text, type));
    EXPECT_EQ(text, L"nine");
    SetText(kNtVersionKey, L"RegisteredOwner", L"nt");
    EXPECT_EQ(ReadRegistration(os).owner, L"nt") << "the next call asks the system again";
}

TEST(SystemVersion, LabelShowsWhatTheTableSaysForTheRunningSystem) {
    FaultPlatform os;
    HWND label = CreateWindowExW(0, L"STATIC", L"before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(label);
    UniqueWindow owner(label);
    ShowSystemVersion(os, label);
    wchar_t text[256] = {};
    GetWindowTextW(label, text, 256);
    const auto expected = SystemVersionCaption(os.GetVersion());
    EXPECT_EQ(std::wstring(text), expected.value_or(L"before"));
    os.FailOn(PlatformOp::GetVersion);
    ShowSystemVersion(os, label);
    GetWindowTextW(label, text, 256);
    EXPECT_EQ(std::wstring(text), L"<\u7CFB\u7EDF\u7248\u672C\u672A\u77E5>");
}

} // namespace
} // namespace bw::test
