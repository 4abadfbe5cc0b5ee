// Registry strings and the registration fields against the real local machine hive.
#include "fault_platform.h"
#include "registry/mReg.h"
#include "registry/registration.h"
#include "sysinfo/mSysInfo.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

const std::wstring kScratch = L"SOFTWARE\\BrandwickTests";
const std::wstring kNt = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::wstring k9x = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::vector<std::wstring> kNames = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};

class Registry : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    std::wstring Get(const std::wstring& key, const std::wstring& name) {
        return GetRegString(os, HKEY_LOCAL_MACHINE, key, name);
    }
    std::wstring Owners() { return RegText(kNt, L"RegisteredOwner") + L"|" + RegText(k9x, L"RegisteredOwner"); }
    RegistryValueGuard nt{kNt, kNames}, win9x{k9x, kNames};
    FaultPlatform os;
};

TEST_F(Registry, StringsRoundTripWholeInANewKeyAndTheEmptyTextIsStoredAsASpace) {
    const std::wstring key = kScratch + L"\\Deeper";
    EXPECT_EQ(Get(key, L"V"), L"") << "a missing key reads as the empty text";
    for (const std::wstring& text : {std::wstring(L"王小明"), std::wstring(3000, L'字'), std::wstring(L"Åsa Жук \U0001F600")}) {
        ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, key, L"V", text));
        EXPECT_EQ(RegText(key, L"V") + L"|" + Get(key, L"V"), text + L"|" + text);
    }
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, key, L"Empty", L""));
    EXPECT_EQ(RegText(key, L"Empty"), L" ");
    UniqueHKey opened;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.put()), 0);
    wchar_t keyClass[8] = {};
    DWORD classLength = 8, size = 0;
    RegQueryInfoKeyW(opened.get(), keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegQueryValueExW(opened.get(), L"Empty", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(std::wstring(keyClass) + L"|" + std::to_wstring(size), L"1|4") << "class 1, the space and its NUL";
    os.FailOn(PlatformOp::RegRead);
    EXPECT_EQ(Get(key, L"V"), L"");
    os.FailOn(PlatformOp::RegWrite);
    EXPECT_FALSE(SetRegString(os, HKEY_LOCAL_MACHINE, key, L"V", L"new"));
    EXPECT_EQ(Get(key, L"V"), L"Åsa Жук \U0001F600");
}

TEST_F(Registry, RegistrationIsReadFromTheRunningFamilysKeyEachValueOnItsOwn) {
    ASSERT_TRUE(IsWindowsNT(os));
    SetText(kNt, L"RegisteredOwner", L"Owner NT");
    SetText(k9x, L"RegisteredOwner", L"Owner 9x");
    DeleteValue(kNt, L"RegisteredOrganization");
    const DWORD number = 258;
    SetRaw(kNt, L"ProductId", REG_DWORD, &number, 4);
    const Registration r = ReadRegistration(os);
    EXPECT_EQ(r.owner + L"|" + r.organization + L"|" + r.productId, L"Owner NT||258");
    os.FailOn(PlatformOp::GetVersion); // reads as a platform other than NT
    EXPECT_EQ(ReadRegistration(os).owner, L"Owner 9x");
    EXPECT_EQ(ReadRegistration(os).owner, L"Owner NT") << "each call asks afresh";
}

TEST_F(Registry, RegistrationWritesAllThreeNamingEachFailureInTheRunningFamilysKey) {
    SetText(kNt, L"RegisteredOrganization", L"old org");
    SetText(k9x, L"RegisteredOwner", L"9x");
    os.FailOn(PlatformOp::RegWrite, 2);
    const RegistrationFailures failed = WriteRegistration(os, {L"Åsa 王", L"new org", L""});
    EXPECT_EQ(std::vector({failed.owner, failed.organization, failed.productId, failed.any()}),
              std::vector({false, true, false, true}));
    EXPECT_EQ(RegText(kNt, L"RegisteredOwner") + L"|" + RegText(kNt, L"RegisteredOrganization") + L"|" +
                  RegText(kNt, L"ProductId"),
              L"Åsa 王|old org| ") << "written after the failure, an empty box as a space";
    os.FailOn(PlatformOp::GetVersion);
    EXPECT_FALSE(WriteRegistration(os, {L"nine", L"x", L"y"}).any());
    EXPECT_EQ(Owners(), L"Åsa 王|nine");
}

} // namespace
} // namespace bw::test
