// The resources built into Brandwick.exe: which there are and the formats the windows, the shell and
// the loader rely on. The exe is loaded as a data file, so nothing of it runs.
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace bw::test {
namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

using Key = std::tuple<uintptr_t, uintptr_t, WORD>; // type, id, language
using Bytes = std::basic_string<uint8_t>;
unsigned Word(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
unsigned Dword(const Bytes& b, size_t at) { return Word(b, at) | Word(b, at + 2) << 16; }

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

TEST_F(Resources, HoldsExactlyTheDesignedResourcesInTheirFormats) {
    std::set<Key> found;
    EnumResourceTypesW(exe.get(), [](HMODULE m, LPWSTR t, LONG_PTR p) {
        return EnumResourceNamesW(m, t, [](HMODULE m, LPCWSTR t, LPWSTR n, LONG_PTR p) {
            return EnumResourceLanguagesW(m, t, n, [](HMODULE, LPCWSTR t, LPCWSTR n, WORD language, LONG_PTR p) {
                return reinterpret_cast<std::set<Key>*>(p)->emplace(uintptr_t(t), uintptr_t(n), language), TRUE;
            }, p);
        }, p);
    }, reinterpret_cast<LONG_PTR>(&found));
    auto key = [](LPCWSTR type, uintptr_t id, WORD language) { return Key{uintptr_t(type), id, language}; };
    EXPECT_EQ(found, (std::set<Key>{key(RT_BITMAP, 101, kChinese), key(RT_BITMAP, 102, kChinese),
                                    key(RT_BITMAP, 103, kChinese), key(RT_GROUP_CURSOR, 101, kChinese),
                                    key(RT_CURSOR, 1, kChinese), key(RT_GROUP_ICON, 1, kNeutral),
                                    key(RT_ICON, 30001, kNeutral), key(RT_ICON, 30002, kNeutral),
                                    key(RT_ICON, 30003, kNeutral), key(RT_ICON, 30004, kNeutral),
                                    key(RT_VERSION, 1, kEnglish), key(RT_MANIFEST, 1, kEnglish)}));
    // Bottom-up uncompressed DIBs: header size, width, height, bits, compression, colours used; then their size.
    for (auto [id, width, height, bits, colours] : {std::array{101u, 420u, 40u, 24u, 0u}, {102u, 106u, 96u, 8u, 256u},
                                                    {103u, 52u, 52u, 24u, 0u}}) {
        const Bytes dib = Find(RT_BITMAP, int(id), kChinese);
        ASSERT_GE(dib.size(), 40u);
        EXPECT_EQ((std::array{Dword(dib, 0), Dword(dib, 4), Dword(dib, 8), Word(dib, 14), Dword(dib, 16),
                              Dword(dib, 32) ? Dword(dib, 32) : bits <= 8 ? 1u << bits : 0u, unsigned(dib.size())}),
                  (std::array{40u, width, height, bits, 0u, colours, 40 + colours * 4 + (width * bits + 31) / 32 * 4 * height}))
            << "bitmap " << id;
    }
    const Bytes cursors = Find(RT_GROUP_CURSOR, 101, kChinese), icons = Find(RT_GROUP_ICON, 1, kNeutral);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(cursors.data()), FALSE, 32, 32, 0), 1);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(icons.data()), TRUE, 16, 16, 0), 30004);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<uint8_t*>(icons.data()), TRUE, 48, 48, 0), 30001);
}

TEST_F(Resources, VersionRecordAndManifest) {
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    auto query = [&](const std::wstring& what) {
        void* value = nullptr;
        UINT size = 0;
        return VerQueryValueW(info.data(), what.c_str(), &value, &size) ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    ASSERT_TRUE(fixed);
    EXPECT_EQ((std::array{fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                          fixed->dwProductVersionLS, fixed->dwFileOS, fixed->dwFileType}),
              (std::array<DWORD, 7>{0xFEEF04BD, 0x00010000, 0, 0x00010000, 0, VOS__WINDOWS32, VFT_APP}));
    EXPECT_EQ(*static_cast<const DWORD*>(query(L"\\VarFileInfo\\Translation")), 0x04B00409u) << "US English, Unicode";
    std::wstring strings;
    for (const wchar_t* name : {L"Comments", L"CompanyName", L"FileDescription", L"LegalCopyright", L"LegalTrademarks",
                                L"ProductName", L"FileVersion", L"ProductVersion", L"InternalName", L"OriginalFilename"}) {
        const auto* text = static_cast<const wchar_t*>(query(L"\\StringFileInfo\\040904B0\\" + std::wstring(name)));
        strings += std::wstring(name) + L"=" + (text ? text : L"<none>") + L"|";
    }
    EXPECT_EQ(strings, L"Comments=Brandwick|CompanyName=Brandwick Works|FileDescription=Brandwick|"
                       L"LegalCopyright=Copyright (C) 2026 Brandwick Works|LegalTrademarks=Brandwick(TM)|"
                       L"ProductName=Brandwick|FileVersion=1.00|ProductVersion=1.00|InternalName=Brandwick|"
                       L"OriginalFilename=Brandwick.exe|");
    const Bytes manifest = Find(RT_MANIFEST, 1, kEnglish);
    const std::string xml(manifest.begin(), manifest.end());
    for (const char* part : {"name=\"BrandwickWorks.Brandwick.OemEditor\"", "version=\"1.0.0.0\"",
                             "<description>XPStyle</description>", "name=\"Microsoft.Windows.Common-Controls\"",
                             "version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"", "processorArchitecture=\"amd64\"",
                             "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">\n    <application>",
                             "\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"", "\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"",
                             "\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"", "\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"",
                             "\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"", "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
                             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
                             "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, System"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    ACTCTXW request{sizeof request, ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr, MAKEINTRESOURCEW(1),
                    nullptr, nullptr};
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the system rejects the manifest: " << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run{};
    QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run, sizeof run, nullptr);
    EXPECT_EQ(run.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    ReleaseActCtx(context);
}

} // namespace
} // namespace bw::test
