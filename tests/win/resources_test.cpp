// The resources built into Brandwick.exe: which there are and the formats the windows, the shell and
// the loader rely on. The exe is loaded as a data file, so nothing of it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace bw::test {
namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

const auto Word = [](const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); };
const auto Dword = [](const uint8_t* p) { return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16; };

using Key = std::tuple<uintptr_t, uintptr_t, WORD>; // type, id, language

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibraryExW((ProgramDir() + L"Brandwick.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }
    static BOOL CALLBACK AddType(HMODULE m, LPWSTR t, LONG_PTR p) { return EnumResourceNamesW(m, t, AddName, p); }
    static BOOL CALLBACK AddName(HMODULE m, LPCWSTR t, LPWSTR n, LONG_PTR p) {
        return EnumResourceLanguagesW(m, t, n, AddLanguage, p);
    }
    static BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR t, LPCWSTR n, WORD language, LONG_PTR p) {
        reinterpret_cast<std::set<Key>*>(p)->emplace(uintptr_t(t), uintptr_t(n), language);
        return TRUE;
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr) << "cannot load Brandwick.exe beside the test"; }

    // The bytes of one resource; empty when it is missing.
    static std::basic_string<uint8_t> Find(LPCWSTR type, int id, WORD language) {
        HRSRC info = FindResourceExW(s_module, type, MAKEINTRESOURCEW(id), language);
        HGLOBAL loaded = info ? LoadResource(s_module, info) : nullptr;
        const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
        return data ? std::basic_string<uint8_t>(data, SizeofResource(s_module, info)) : std::basic_string<uint8_t>();
    }

    static inline HMODULE s_module = nullptr;
};

TEST_F(ResourcesTest, HoldsExactlyTheDesignedResources) {
    std::set<Key> found;
    EnumResourceTypesW(s_module, AddType, reinterpret_cast<LONG_PTR>(&found));
    auto key = [](LPCWSTR type, uintptr_t id, WORD language) { return Key{uintptr_t(type), id, language}; };
    const std::set<Key> expected = {
        key(RT_BITMAP, 101, kChinese),       key(RT_BITMAP, 102, kChinese), key(RT_BITMAP, 103, kChinese),
        key(RT_GROUP_CURSOR, 101, kChinese), key(RT_CURSOR, 1, kChinese),   key(RT_GROUP_ICON, 1, kNeutral),
        key(RT_ICON, 30001, kNeutral),       key(RT_ICON, 30002, kNeutral), key(RT_ICON, 30003, kNeutral),
        key(RT_ICON, 30004, kNeutral),       key(RT_VERSION, 1, kEnglish),  key(RT_MANIFEST, 1, kEnglish),
    };
    EXPECT_EQ(found, expected) << "(type, id, language)";
}

TEST_F(ResourcesTest, BitmapsAreBottomUpUncompressedDibs) {
    const struct {
        int id, width, height, bitCount, paletteEntries;
    } cases[] = {{101, 420, 40, 24, 0}, {102, 106, 96, 8, 256}, {103, 52, 52, 24, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const auto dib = Find(RT_BITMAP, c.id, kChinese);
        ASSERT_GE(dib.size(), 40u);
        // A count of zero colours means as many as the bit depth allows.
        const uint32_t used = Dword(&dib[32]), colours = used || Word(&dib[14]) > 8 ? used : 1u << Word(&dib[14]);
        EXPECT_EQ((std::vector<int>{int(Dword(&dib[0])), int(Dword(&dib[4])), int(Dword(&dib[8])), Word(&dib[14]),
                                    int(Dword(&dib[16])), int(colours)}),
                  (std::vector<int>{40, c.width, c.height, c.bitCount, BI_RGB, c.paletteEntries}))
            << "header size, width, height (positive: rows bottom-up), bits per pixel, compression, palette colours";
        const size_t stride = (static_cast<size_t>(c.width) * c.bitCount + 31) / 32 * 4;
        EXPECT_EQ(dib.size(), 40 + c.paletteEntries * 4 + stride * c.height) << "palette and pixels";
    }
}

TEST_F(ResourcesTest, HandCursorIs32PixelsWithHotSpotAtFingertip) {
    const auto cursor = Find(RT_CURSOR, 1, kChinese);
    ASSERT_GE(cursor.size(), 4u + 40);
    EXPECT_EQ((std::vector<uint32_t>{Word(&cursor[0]), Word(&cursor[2]), Dword(&cursor[4 + 4]), Dword(&cursor[4 + 8])}),
              (std::vector<uint32_t>{12, 6, 32, 64}))
        << "hot spot x and y, width, height of image and mask together";
    auto group = Find(RT_GROUP_CURSOR, 101, kChinese);
    ASSERT_EQ(group.size(), 6u + 14);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(group.data(), FALSE, 32, 32, 0), 1) << "the group names cursor 1";
}

TEST_F(ResourcesTest, IconGroupListsFourEightBitImagesLargestFirst) {
    const auto group = Find(RT_GROUP_ICON, 1, kNeutral);
    ASSERT_EQ(group.size(), 6u + 4 * 14);
    EXPECT_EQ(Word(&group[4]), 4);
    for (int i = 0; i < 4; ++i) {
        const uint8_t* e = &group[6 + 14 * i];
        const int size = std::array{48, 32, 24, 16}[i];
        EXPECT_EQ((std::vector<int>{e[0], e[1], Word(e + 6), Word(e + 12)}),
                  (std::vector<int>{size, size, 8, 30001 + i}))
            << "width, height, bits per pixel, image id";
        EXPECT_EQ(Dword(e + 8), Find(RT_ICON, 30001 + i, kNeutral).size());
    }
}

TEST_F(ResourcesTest, VersionRecordDescribesVersionOneApplicationInUsEnglish) {
    const auto blob = Find(RT_VERSION, 1, kEnglish);
    // In 16-bit units a node holds its length in bytes, its value's length, its type and its name; its value
    // and the node after it start at four-byte boundaries.
    const std::wstring raw(reinterpret_cast<const wchar_t*>(blob.data()), blob.size() / 2);
    auto name = [&raw](size_t node) { return std::wstring(raw.c_str() + node + 3); };
    auto value = [&](size_t node) { return (node + 3 + name(node).size() + 2) & ~size_t{1}; };
    ASSERT_GE(raw.size(), 20 + sizeof(VS_FIXEDFILEINFO) / 2);
    ASSERT_EQ(name(0), L"VS_VERSION_INFO");
    const auto& f = *reinterpret_cast<const VS_FIXEDFILEINFO*>(&raw[value(0)]);
    EXPECT_EQ((std::vector<DWORD>{f.dwSignature, f.dwFileVersionMS, f.dwFileVersionLS, f.dwProductVersionMS,
                                  f.dwProductVersionLS, f.dwFileOS, f.dwFileType}),
              (std::vector<DWORD>{0xFEEF04BD, 0x00010000, 0, 0x00010000, 0, VOS__WINDOWS32, VFT_APP}))
        << "signature, file and product version 1.0.0.0, Win32 application";

    const size_t strings = raw.find(L"StringFileInfo") - 3, translation = raw.find(L"Translation") - 3;
    ASSERT_LE(std::max(strings, translation), raw.size() - 18) << "both are there, with room for their values";
    const size_t table = value(strings); // its only child: the strings of one language
    EXPECT_EQ(name(table), L"040904B0");
    std::wstring stored;
    for (size_t p = value(table), end = table + raw[table] / 2; p < end && p + 3 < raw.size() && raw[p];
         p = (p + raw[p] / 2 + 1) & ~size_t{1})
        stored += name(p) + L"=" + (raw.c_str() + value(p)) + L"|";
    EXPECT_EQ(stored, L"Comments=Brandwick|CompanyName=Brandwick Works|FileDescription=Brandwick|"
                      L"LegalCopyright=Copyright (C) 2026 Brandwick Works|LegalTrademarks=Brandwick(TM)|"
                      L"ProductName=Brandwick|FileVersion=1.00|ProductVersion=1.00|InternalName=Brandwick|"
                      L"OriginalFilename=Brandwick.exe|");

    EXPECT_EQ(std::pair(raw[value(translation)], raw[value(translation) + 1]), std::pair(L'\x0409', L'\x04B0'))
        << "US English, Unicode";
}

TEST_F(ResourcesTest, ManifestAsksForCommonControlsSixAndAdministratorRights) {
    const auto blob = Find(RT_MANIFEST, 1, kEnglish);
    const std::string xml(blob.begin(), blob.end());
    std::vector<std::string> tags; // the opening tags in document order, without their angle brackets
    for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1))
        if (!std::strchr("/?!", xml[at + 1]))
            tags.push_back(xml.substr(at + 1, xml.find('>', at) - at - 1));
    const std::string arch = sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"X86\"";
    // Each element in order, followed by attributes it must carry.
    const std::vector<std::string> expected = {
        "assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"",
        "assemblyIdentity name=\"BrandwickWorks.Brandwick.OemEditor\" version=\"1.0.0.0\" type=\"win32\" " + arch,
        "description",
        "dependency",
        "dependentAssembly",
        "assemblyIdentity name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" type=\"win32\" " + arch +
            " publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
        "trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\"",
        "security",
        "requestedPrivileges",
        "requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"",
        "compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\"",
        "application",
        "supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"",
        "supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"",
        "supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"",
        "supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"",
        "supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"",
        "application xmlns=\"urn:schemas-microsoft-com:asm.v3\"",
        "windowsSettings",
        "dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\""};
    ASSERT_EQ(tags.size(), expected.size());
    for (size_t i = 0; i < tags.size(); ++i) {
        std::istringstream wanted(expected[i]);
        std::string word;
        wanted >> word;
        EXPECT_EQ(tags[i].substr(0, tags[i].find_first_of(" /")), word);
        while (wanted >> word)
            EXPECT_NE(tags[i].find(" " + word), std::string::npos) << tags[i] << " lacks " << word;
    }
    EXPECT_NE(xml.find("<description>XPStyle</description>"), std::string::npos);
}

TEST_F(ResourcesTest, SystemAcceptsManifestAndItsAdministratorRunLevel) {
    const std::wstring path = ProgramDir() + L"Brandwick.exe";
    ACTCTXW request{
        sizeof request, ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr, MAKEINTRESOURCEW(1), nullptr,
        nullptr};
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run{};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run, sizeof run, nullptr));
    EXPECT_EQ(run.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    ReleaseActCtx(context);
}

} // namespace
} // namespace bw::test
