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
const std::wstring kNt = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::wstring k9x = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::vector<std::wstring> kNames = {L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};

std::wstring Stored(const std::wstring& key, const std::wstring& name) {
    std::wstring text = L"<missing>";
    DWORD type = 0;
    ReadText(key, name, text, type);
    return type == REG_SZ ? text : L"<type " + std::to_wstring(type) + L">";
}

class Registry : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kScratch.c_str()); }
    std::wstring Get(const std::wstring& key, const std::wstring& name) {
        return GetRegString(os, HKEY_LOCAL_MACHINE, key, name);
    }
    std::wstring Owners() { return Stored(kNt, L"RegisteredOwner") + L"|" + Stored(k9x, L"RegisteredOwner"); }
    RegistryValueGuard nt{kNt, kNames}, win9x{k9x, kNames};
    FaultPlatform os;
};

TEST_F(Registry, StringsRoundTripWholeInANewKeyAndTheEmptyTextIsStoredAsASpace) {
    const std::wstring key = kScratch + L"\\Deeper";
    EXPECT_EQ(Get(key, L"V"), L"") << "a missing key reads as the empty text";
    for (const std::wstring& text : {std::wstring(L"王小明"), std::wstring(3000, L'字'), std::wstring(L"Åsa Жук \U0001F600")}) {
        ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, key, L"V", text));
        EXPECT_EQ(Stored(key, L"V") + L"|" + Get(key, L"V"), text + L"|" + text);
    }
    ASSERT_TRUE(SetRegString(os, HKEY_LOCAL_MACHINE, key, L"Empty", L""));
    EXPECT_EQ(Stored(key, L"Empty"), L" ");
    UniqueHKey opened;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.put()), 0);
    wchar_t keyClass[8] = {};
    DWORD classLength = 8, size = 0;
    RegQueryInfoKeyW(opened.get(), keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegQueryValueExW(opened.get(), L"Empty", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(std::wstring(keyClass) + L"|" + std::to_wstring(size), L"1|4") << "class 1, the space and its NUL";
    const DWORD number = 0x80000001;
    SetRaw(key, L"Number", REG_DWORD, &number, 4);
    EXPECT_EQ(Get(key, L"Number"), L"2147483649");
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
    EXPECT_EQ(Stored(kNt, L"RegisteredOwner") + L"|" + Stored(kNt, L"RegisteredOrganization") + L"|" +
                  Stored(kNt, L"ProductId"),
              L"Åsa 王|old org| ") << "written after the failure, an empty box as a space";
    os.FailOn(PlatformOp::GetVersion);
    EXPECT_FALSE(WriteRegistration(os, {L"nine", L"x", L"y"}).any());
    EXPECT_EQ(Owners(), L"Åsa 王|nine");
}

TEST(SystemVersion, LabelShowsTheRunningSystemOrUnknown) {
    FaultPlatform os;
    UniqueWindow label(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    wchar_t text[256] = {};
    ShowSystemVersion(os, label.get());
    GetWindowTextW(label.get(), text, 256);
    EXPECT_STRNE(text, L"") << "Wine names a Windows of the table";
    os.FailOn(PlatformOp::GetVersion);
    ShowSystemVersion(os, label.get());
    GetWindowTextW(label.get(), text, 256);
    EXPECT_STREQ(text, L"<系统版本未知>");
}

} // namespace
} // namespace bw::test
