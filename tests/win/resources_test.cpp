// The resources built into Brandwick.exe that the shell and the loader read. The exe is loaded as a data file, so
// nothing of it runs.
#include "test_support.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

using Bytes = std::basic_string<uint8_t>;

class Resources : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(exe) << "cannot load Brandwick.exe beside the test"; }
    // The bytes of one resource; empty when it is missing.
    Bytes Find(LPCWSTR type, int id, WORD language) const {
        HRSRC info = FindResourceExW(exe.get(), type, MAKEINTRESOURCEW(id), language);
        const auto* data = info ? static_cast<const uint8_t*>(LockResource(LoadResource(exe.get(), info))) : nullptr;
        return data ? Bytes(data, SizeofResource(exe.get(), info)) : Bytes();
    }
    const std::wstring path = ProgramDir() + L"Brandwick.exe";
    UniqueModule exe{LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)};
};

// The hand cursor and the icon at the sizes the caption and the task bar ask for.
TEST_F(Resources, CursorAndIconAtTheSizesTheSystemAsksFor) {
    const Bytes cursors = Find(RT_GROUP_CURSOR, 101, kChinese), icons = Find(RT_GROUP_ICON, 1, kNeutral);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(cursors.data()), FALSE, 32, 32, 0), 1);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(icons.data()), TRUE, 16, 16, 0), 30004);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(icons.data()), TRUE, 48, 48, 0), 30001);
}

// The system accepts it and starts the program as administrator, with the common controls of version 6, at each
// monitor's scale, and tells it the true version of Windows 10 and 11 (the OEMInformation key depends on it).
TEST_F(Resources, Manifest) {
    const Bytes manifest = Find(RT_MANIFEST, 1, kEnglish);
    const std::string xml(manifest.begin(), manifest.end());
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
          "\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, System"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    ACTCTXW request{
        sizeof request, ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr, MAKEINTRESOURCEW(1), nullptr,
        nullptr};
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the system rejects the manifest: " << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run{};
    QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run, sizeof run, nullptr);
    EXPECT_EQ(run.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    ReleaseActCtx(context);
}

} // namespace
} // namespace bw::test
