// The resources built into Brandwick.exe: which there are and the formats the windows, the shell and
// the loader rely on. The exe is loaded as a data file, so nothing of it runs.
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace bw::test {
namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

using Bytes = std::basic_string<uint8_t>;
unsigned Word(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
unsigned Dword(const Bytes& b, size_t at) {
    return Word(b, at) | Word(b, at + 2) << 16;
}

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

// What the windows load: the pictures as bottom-up uncompressed DIBs of their designed sizes, the hand cursor and
// the icon at the sizes the caption and the task bar ask for.
TEST_F(Resources, PicturesCursorAndIconInTheFormatsTheWindowsLoad) {
    // Bottom-up uncompressed DIBs: header size, width, height, bits, compression, colours used; then their size.
    for (auto [id, width, height, bits, colours] :
         {std::array{101u, 420u, 40u, 8u, 256u}, {102u, 106u, 96u, 8u, 256u}, {103u, 52u, 52u, 8u, 256u}}) {
        const Bytes dib = Find(RT_BITMAP, int(id), kChinese);
        ASSERT_GE(dib.size(), 40u);
        EXPECT_EQ((std::array{Dword(dib, 0), Dword(dib, 4), Dword(dib, 8), Word(dib, 14), Dword(dib, 16),
                              Dword(dib, 32) ? Dword(dib, 32)
                              : bits <= 8    ? 1u << bits
                                             : 0u,
                              unsigned(dib.size())}),
                  (std::array{40u, width, height, bits, 0u, colours,
                              40 + colours * 4 + (width * bits + 31) / 32 * 4 * height}))
            << "bitmap " << id;
    }
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
