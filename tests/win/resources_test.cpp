// The resources built into Brandwick.exe: ids, types, languages and the exact formats the windows
// and the shell rely on. The exe is loaded as a data file, so nothing of it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "resource.h"

namespace {

constexpr WORD kLangChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kLangNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr WORD kLangEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// ---------------------------------------------------------------------------
// The module under test

class DataModule {
public:
    explicit DataModule(HMODULE module) : m_module(module) {}
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    DataModule(DataModule&& other) noexcept : m_module(std::exchange(other.m_module, nullptr)) {}
    DataModule& operator=(DataModule&& other) noexcept {
        if (this != &other) {
            reset();
            m_module = std::exchange(other.m_module, nullptr);
        }
        return *this;
    }
    ~DataModule() { reset(); }
    HMODULE get() const { return m_module; }
    explicit operator bool() const { return m_module != nullptr; }

private:
    void reset() {
        if (m_module)
            FreeLibrary(m_module);
        m_module = nullptr;
    }
    HMODULE m_module;
};

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    std::wstring path(self, length);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"Brandwick.exe";
}

struct Blob {
    const uint8_t* data = nullptr;
    size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
};

uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Dword(const uint8_t* p) {
    return static_cast<uint32_t>(Word(p) | Word(p + 2) << 16);
}
int32_t Long(const uint8_t* p) {
    return static_cast<int32_t>(Dword(p));
}

BOOL CALLBACK CollectLanguageOnly(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::set<WORD>*>(param)->insert(language);
    return TRUE;
}

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = std::make_unique<DataModule>(
            LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    }
    static void TearDownTestSuite() { s_module.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_module && *s_module) << "cannot load Brandwick.exe beside the test, error " << GetLastError();
    }

    static HMODULE Module() { return s_module->get(); }

    // The resource in exactly this language. FindResourceExW alone would fall back to other languages
    // when asked for the neutral one, so the language is first looked up among those stored.
    static Blob Find(LPCWSTR type, WORD id, WORD language) {
        std::set<WORD> stored;
        EnumResourceLanguagesW(Module(), type, MAKEINTRESOURCEW(id), CollectLanguageOnly,
                               reinterpret_cast<LONG_PTR>(&stored));
        if (!stored.count(language))
            return {};
        HRSRC info = FindResourceExW(Module(), type, MAKEINTRESOURCEW(id), language);
        if (!info)
            return {};
        HGLOBAL loaded = LoadResource(Module(), info);
        if (!loaded)
            return {};
        return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(Module(), info)};
    }

    static std::unique_ptr<DataModule> s_module;
};

std::unique_ptr<DataModule> ResourcesTest::s_module;

// ---------------------------------------------------------------------------
// Which resources there are

using ResourceKey = std::tuple<uintptr_t, uintptr_t, WORD>; // type, id, language

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
    reinterpret_cast<std::set<ResourceKey>*>(param)->emplace(reinterpret_cast<uintptr_t>(type),
                                                             reinterpret_cast<uintptr_t>(name), language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    // Every resource of the program is numbered; a named one would show up here as a huge "id".
    EnumResourceLanguagesW(module, type, name, CollectLanguage, param);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPWSTR type, LONG_PTR param) {
    EnumResourceNamesW(module, type, CollectName, param);
    return TRUE;
}

TEST_F(ResourcesTest, HoldsExactlyTheDesignedResources) {
    std::set<ResourceKey> found;
    EnumResourceTypesW(Module(), CollectType, reinterpret_cast<LONG_PTR>(&found));

    auto key = [](LPCWSTR type, int id, WORD language) {
        return ResourceKey{reinterpret_cast<uintptr_t>(type), static_cast<uintptr_t>(id), language};
    };
    const std::set<ResourceKey> expected = {
        key(RT_BITMAP, IDB_BANNER, kLangChinese), key(RT_BITMAP, IDB_MONITOR, kLangChinese),
        key(RT_BITMAP, IDB_EMBLEM, kLangChinese), key(RT_GROUP_CURSOR, IDC_HAND, kLangChinese),
        key(RT_CURSOR, 1, kLangChinese),          key(RT_GROUP_ICON, IDI_APP, kLangNeutral),
        key(RT_ICON, IDI_APP_48, kLangNeutral),   key(RT_ICON, IDI_APP_32, kLangNeutral),
        key(RT_ICON, IDI_APP_24, kLangNeutral),   key(RT_ICON, IDI_APP_16, kLangNeutral),
        key(RT_VERSION, 1, kLangEnglish),         key(RT_MANIFEST, 1, kLangEnglish),
    };
    for (const auto& [type, id, language] : expected)
        EXPECT_TRUE(found.count({type, id, language}))
            << "missing: type " << type << " id " << id << " language " << language;
    for (const auto& [type, id, language] : found)
        EXPECT_TRUE(expected.count({type, id, language}))
            << "unexpected: type " << type << " id " << id << " language " << language;
}

TEST_F(ResourcesTest, IdsKeepTheirValues) {
    // Other programs and the layouts refer to these numbers, not to the names.
    EXPECT_EQ(IDB_BANNER, 101);
    EXPECT_EQ(IDB_MONITOR, 102);
    EXPECT_EQ(IDB_EMBLEM, 103);
    EXPECT_EQ(IDC_HAND, 101);
    EXPECT_EQ(IDI_APP, 1);
    EXPECT_EQ(IDI_APP_48, 30001);
    EXPECT_EQ(IDI_APP_32, 30002);
    EXPECT_EQ(IDI_APP_24, 30003);
    EXPECT_EQ(IDI_APP_16, 30004);
}

// ---------------------------------------------------------------------------
// Bitmaps

struct DibHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t clrUsed;
};

DibHeader ReadDibHeader(const uint8_t* p) {
    return {Dword(p), Long(p + 4), Long(p + 8), Word(p + 12), Word(p + 14), Dword(p + 16), Dword(p + 32)};
}

size_t Stride(int32_t width, int bitCount) {
    return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
}

struct BitmapCase {
    int id;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
    size_t stride;
    size_t paletteEntries;
};

void PrintTo(const BitmapCase& c, std::ostream* os) {
    *os << "bitmap " << c.id;
}

class BitmapTest : public ResourcesTest, public ::testing::WithParamInterface<BitmapCase> {};

TEST_P(BitmapTest, IsBottomUpUncompressedDib) {
    const BitmapCase& c = GetParam();
    const Blob blob = Find(RT_BITMAP, static_cast<WORD>(c.id), kLangChinese);
    ASSERT_TRUE(blob);
    ASSERT_GE(blob.size, 40u);
    const DibHeader h = ReadDibHeader(blob.data);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, c.width);
    EXPECT_EQ(h.height, c.height); // positive: bottom-up rows
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitCount, c.bitCount);
    EXPECT_EQ(h.compression, static_cast<uint32_t>(BI_RGB));
    EXPECT_EQ(Stride(h.width, h.bitCount), c.stride);
    if (c.paletteEntries) {
        EXPECT_TRUE(h.clrUsed == 0 || h.clrUsed == c.paletteEntries) << h.clrUsed;
    } else {
        EXPECT_EQ(h.clrUsed, 0u);
    }
    EXPECT_EQ(blob.size, 40 + c.paletteEntries * 4 + c.stride * c.height);
}

TEST_P(BitmapTest, LoadsAsBitmapOfItsSize) {
    const BitmapCase& c = GetParam();
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    DeleteObject(bitmap);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
}

INSTANTIATE_TEST_SUITE_P(Resources, BitmapTest,
                         ::testing::Values(BitmapCase{IDB_BANNER, 420, 40, 24, 1260, 0},
                                           BitmapCase{IDB_MONITOR, 106, 96, 8, 108, 256},
                                           BitmapCase{IDB_EMBLEM, 52, 52, 24, 156, 0}),
                         [](const auto& info) { return "Bitmap" + std::to_string(info.param.id); });

TEST_F(ResourcesTest, MonitorPaletteHoldsAll256Entries) {
    const Blob blob = Find(RT_BITMAP, IDB_MONITOR, kLangChinese);
    ASSERT_TRUE(blob);
    ASSERT_EQ(blob.size, 40u + 256 * 4 + 108 * 96);
    // The picture uses many of them: a white monitor with a four-coloured flag is not two-tone.
    std::set<uint8_t> used(blob.data + 40 + 1024, blob.data + blob.size);
    EXPECT_GT(used.size(), 16u);
}

// ---------------------------------------------------------------------------
// Cursor

TEST_F(ResourcesTest, CursorImageIsBlackAndWhiteHandWithHotSpotAtFingertip) {
    const Blob blob = Find(RT_CURSOR, 1, kLangChinese);
    ASSERT_TRUE(blob);
    ASSERT_GE(blob.size, 4u + 40);
    EXPECT_EQ(Word(blob.data), 12);    // hot spot x
    EXPECT_EQ(Word(blob.data + 2), 6); // hot spot y
    const uint8_t* dib = blob.data + 4;
    const DibHeader h = ReadDibHeader(dib);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 32);
    EXPECT_EQ(h.height, 64); // colour bitmap and mask
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.compression, static_cast<uint32_t>(BI_RGB));
    const size_t entries = h.clrUsed ? h.clrUsed : 256;
    ASSERT_EQ(blob.size, 4 + 40 + entries * 4 + 32 * 32 + Stride(32, 1) * 32);

    const uint8_t* palette = dib + 40;
    const uint8_t* colour = palette + entries * 4;
    const uint8_t* mask = colour + 32 * 32;
    std::set<uint32_t> opaqueColours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool transparent = mask[y * 4 + x / 8] & (0x80 >> (x % 8));
            if (!transparent)
                opaqueColours.insert(Dword(palette + colour[y * 32 + x] * 4) & 0xFFFFFF);
        }
    }
    EXPECT_EQ(opaqueColours, (std::set<uint32_t>{0x000000, 0xFFFFFF}));
    // Rows are bottom-up: the hot spot (12, 6) is row 25 from the bottom, and it is drawn in black.
    const int row = 31 - 6;
    EXPECT_FALSE(mask[row * 4 + 12 / 8] & (0x80 >> (12 % 8)));
    EXPECT_EQ(Dword(palette + colour[row * 32 + 12] * 4) & 0xFFFFFF, 0x000000u);
    // Nothing above the fingertip.
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(Dword(mask + (31 - y) * 4), 0xFFFFFFFFu) << "row " << y;
}

TEST_F(ResourcesTest, CursorGroupPointsToCursorOne) {
    const Blob group = Find(RT_GROUP_CURSOR, IDC_HAND, kLangChinese);
    const Blob image = Find(RT_CURSOR, 1, kLangChinese);
    ASSERT_TRUE(group);
    ASSERT_TRUE(image);
    ASSERT_EQ(group.size, 6u + 14);
    EXPECT_EQ(Word(group.data), 0);
    EXPECT_EQ(Word(group.data + 2), 2); // cursors
    EXPECT_EQ(Word(group.data + 4), 1);
    const uint8_t* e = group.data + 6;
    EXPECT_EQ(Word(e), 32);     // width
    EXPECT_EQ(Word(e + 2), 64); // height, counted with the mask as resource compilers store it
    EXPECT_EQ(Word(e + 4), 1);  // planes
    EXPECT_EQ(Word(e + 6), 8);  // bits per pixel
    EXPECT_EQ(Dword(e + 8), image.size);
    EXPECT_EQ(Word(e + 12), 1);
    EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data), FALSE, 32, 32, 0), 1);
}

TEST_F(ResourcesTest, CursorLoadsWithItsHotSpot) {
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(Module(), MAKEINTRESOURCEW(IDC_HAND), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr) << GetLastError();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 6u);
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

// ---------------------------------------------------------------------------
// Icon

TEST_F(ResourcesTest, IconGroupListsFourImagesLargestFirst) {
    const Blob group = Find(RT_GROUP_ICON, IDI_APP, kLangNeutral);
    ASSERT_TRUE(group);
    ASSERT_EQ(group.size, 6u + 4 * 14);
    EXPECT_EQ(Word(group.data), 0);
    EXPECT_EQ(Word(group.data + 2), 1); // icons
    EXPECT_EQ(Word(group.data + 4), 4);
    const int sizes[] = {48, 32, 24, 16};
    const int ids[] = {IDI_APP_48, IDI_APP_32, IDI_APP_24, IDI_APP_16};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sizes[i]);
        const uint8_t* e = group.data + 6 + 14 * i;
        EXPECT_EQ(e[0], sizes[i]);
        EXPECT_EQ(e[1], sizes[i]);
        EXPECT_EQ(e[2], 0); // 256 colours
        EXPECT_EQ(Word(e + 4), 1);
        EXPECT_EQ(Word(e + 6), 8);
        EXPECT_EQ(Word(e + 12), ids[i]);
        const Blob image = Find(RT_ICON, static_cast<WORD>(ids[i]), kLangNeutral);
        ASSERT_TRUE(image);
        EXPECT_EQ(Dword(e + 8), image.size);
        EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data), TRUE, sizes[i], sizes[i], 0), ids[i]);
    }
}

class IconImageTest : public ResourcesTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(IconImageTest, IsEightBitWithTransparencyMask) {
    const auto [id, size] = GetParam();
    const Blob blob = Find(RT_ICON, static_cast<WORD>(id), kLangNeutral);
    ASSERT_TRUE(blob);
    ASSERT_GE(blob.size, 40u);
    const DibHeader h = ReadDibHeader(blob.data);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, size);
    EXPECT_EQ(h.height, 2 * size);
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.compression, static_cast<uint32_t>(BI_RGB));
    EXPECT_TRUE(h.clrUsed == 0 || h.clrUsed == 256) << h.clrUsed;
    const size_t maskStride = Stride(size, 1);
    ASSERT_EQ(blob.size, 40 + 256 * 4 + Stride(size, 8) * size + maskStride * size);

    // The emblem has a clear background around it and a solid middle.
    const uint8_t* mask = blob.data + 40 + 1024 + Stride(size, 8) * size;
    int transparent = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            transparent += (mask[y * maskStride + x / 8] & (0x80 >> (x % 8))) != 0;
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, size * size / 2);

    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(blob.data), static_cast<DWORD>(blob.size), TRUE, 0x00030000,
                                          size, size, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(Resources, IconImageTest,
                         ::testing::Values(std::pair{IDI_APP_48, 48}, std::pair{IDI_APP_32, 32},
                                           std::pair{IDI_APP_24, 24}, std::pair{IDI_APP_16, 16}),
                         [](const auto& info) { return "Icon" + std::to_string(info.param.second); });

// ---------------------------------------------------------------------------
// Version record

// One node of a VS_VERSIONINFO tree: wLength, wValueLength, wType, key, value, children.
struct VersionNode {
    std::wstring key;
    std::vector<uint8_t> value;
    uint16_t valueLength = 0;
    uint16_t type = 0;
    std::vector<VersionNode> children;
};

size_t Align4(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

bool ParseVersionNode(const uint8_t* base, size_t offset, size_t limit, VersionNode& node, size_t& end) {
    if (offset + 6 > limit)
        return false;
    const size_t length = Word(base + offset);
    node.valueLength = Word(base + offset + 2);
    node.type = Word(base + offset + 4);
    if (length < 6 || offset + length > limit)
        return false;
    end = offset + length;
    size_t p = offset + 6;
    node.key.clear();
    while (p + 2 <= end && Word(base + p) != 0) {
        node.key.push_back(static_cast<wchar_t>(Word(base + p)));
        p += 2;
    }
    p = Align4(p + 2);
    const size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
    if (p + valueBytes > end)
        return false;
    node.value.assign(base + p, base + p + valueBytes);
    p = Align4(p + valueBytes);
    while (p < end) {
        VersionNode child;
        size_t childEnd = 0;
        if (!ParseVersionNode(base, p, end, child, childEnd))
            return false;
        node.children.push_back(std::move(child));
        p = Align4(childEnd);
    }
    return true;
}

std::wstring TextValue(const VersionNode& node) {
    std::wstring text;
    for (size_t i = 0; i + 1 < node.value.size(); i += 2)
        text.push_back(static_cast<wchar_t>(Word(node.value.data() + i)));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

const std::vector<std::pair<std::wstring, std::wstring>> kVersionStrings = {
    {L"Comments", L"Brandwick"},
    {L"CompanyName", L"Brandwick Works"},
    {L"FileDescription", L"Brandwick"},
    {L"LegalCopyright", L"Copyright (C) 2026 Brandwick Works"},
    {L"LegalTrademarks", L"Brandwick(TM)"},
    {L"ProductName", L"Brandwick"},
    {L"FileVersion", L"1.00"},
    {L"ProductVersion", L"1.00"},
    {L"InternalName", L"Brandwick"},
    {L"OriginalFilename", L"Brandwick.exe"},
};

TEST_F(ResourcesTest, VersionStringsAreStoredInOrder) {
    const Blob blob = Find(RT_VERSION, 1, kLangEnglish);
    ASSERT_TRUE(blob);
    VersionNode root;
    size_t end = 0;
    ASSERT_TRUE(ParseVersionNode(blob.data, 0, blob.size, root, end));
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    EXPECT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));

    const VersionNode* table = nullptr;
    const VersionNode* translation = nullptr;
    for (const VersionNode& child : root.children) {
        if (child.key == L"StringFileInfo" && child.children.size() == 1)
            table = &child.children[0];
        if (child.key == L"VarFileInfo" && child.children.size() == 1)
            translation = &child.children[0];
    }
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->key, L"040904B0");
    std::vector<std::pair<std::wstring, std::wstring>> stored;
    for (const VersionNode& s : table->children) {
        EXPECT_EQ(s.type, 1) << "text entry";
        stored.emplace_back(s.key, TextValue(s));
    }
    EXPECT_EQ(stored, kVersionStrings);

    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->key, L"Translation");
    ASSERT_EQ(translation->value.size(), 4u);
    EXPECT_EQ(Word(translation->value.data()), 0x0409);
    EXPECT_EQ(Word(translation->value.data() + 2), 1200);
}

class VersionInfoTest : public ResourcesTest {
protected:
    void SetUp() override {
        ResourcesTest::SetUp();
        if (HasFatalFailure())
            return;
        const std::wstring path = ProgramPath();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        m_data.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, m_data.data()));
    }

    std::wstring Query(const std::wstring& key) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + key;
        if (!VerQueryValueW(m_data.data(), path.c_str(), &value, &length) || !value)
            return L"<missing>";
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return text;
    }

    std::vector<uint8_t> m_data;
};

TEST_F(VersionInfoTest, FixedPartDescribesVersionOneApplication) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_data.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);
}

TEST_F(VersionInfoTest, TranslationIsUsEnglishUnicode) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(m_data.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* words = static_cast<const uint8_t*>(value);
    EXPECT_EQ(Word(words), 0x0409);
    EXPECT_EQ(Word(words + 2), 1200);
}

TEST_F(VersionInfoTest, StringsReadBackThroughTheVersionApi) {
    for (const auto& [key, expected] : kVersionStrings)
        EXPECT_EQ(Query(key), expected) << std::string(key.begin(), key.end());
}

// ---------------------------------------------------------------------------
// Manifest

// Just enough XML for a manifest: declaration, comments, elements, attributes, text, default and
// prefixed namespaces. Malformed input makes Parse() return false.
struct XmlElement {
    std::string name; // local name
    std::string ns;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<XmlElement> children;

    std::vector<const XmlElement*> All(const std::string& local) const {
        std::vector<const XmlElement*> found;
        for (const XmlElement& c : children)
            if (c.name == local)
                found.push_back(&c);
        return found;
    }
    const XmlElement* One(const std::string& local) const {
        const auto found = All(local);
        return found.size() == 1 ? found[0] : nullptr;
    }
    std::string Attr(const std::string& key) const {
        const auto it = attributes.find(key);
        return it == attributes.end() ? "<missing>" : it->second;
    }
};

class XmlReader {
public:
    explicit XmlReader(std::string text) : m_text(std::move(text)) {}

    std::map<std::string, std::string> declaration;

    bool Parse(XmlElement& root) {
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            m_pos = 3;
        if (m_text.compare(m_pos, 5, "<?xml") == 0) {
            m_pos += 5;
            if (!ReadAttributes(declaration) || !Expect("?>"))
                return false;
        }
        SkipMisc();
        std::map<std::string, std::string> namespaces;
        if (!ReadElement(root, namespaces))
            return false;
        SkipMisc();
        return m_pos == m_text.size();
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || std::strchr(":_-.", c); }

    void SkipSpace() {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (m_text.compare(m_pos, 4, "<!--") != 0)
                return;
            const size_t end = m_text.find("-->", m_pos);
            m_pos = end == std::string::npos ? m_text.size() : end + 3;
        }
    }
    bool Expect(const char* token) {
        SkipSpace();
        if (m_text.compare(m_pos, std::strlen(token), token) != 0)
            return false;
        m_pos += std::strlen(token);
        return true;
    }
    std::string ReadName() {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    bool ReadAttributes(std::map<std::string, std::string>& attributes) {
        for (;;) {
            SkipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos];
            if (c == '>' || c == '/' || c == '?')
                return true;
            const std::string name = ReadName();
            if (name.empty() || !Expect("="))
                return false;
            SkipSpace();
            if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\''))
                return false;
            const char quote = m_text[m_pos++];
            const size_t end = m_text.find(quote, m_pos);
            if (end == std::string::npos || attributes.count(name))
                return false;
            attributes[name] = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
        }
    }
    bool ReadElement(XmlElement& element, std::map<std::string, std::string> namespaces) {
        if (!Expect("<"))
            return false;
        const std::string qname = ReadName();
        if (qname.empty() || !ReadAttributes(element.attributes))
            return false;
        for (auto it = element.attributes.begin(); it != element.attributes.end();) {
            if (it->first == "xmlns") {
                namespaces[""] = it->second;
                it = element.attributes.erase(it);
            } else if (it->first.compare(0, 6, "xmlns:") == 0) {
                namespaces[it->first.substr(6)] = it->second;
                it = element.attributes.erase(it);
            } else {
                ++it;
            }
        }
        const size_t colon = qname.find(':');
        const std::string prefix = colon == std::string::npos ? "" : qname.substr(0, colon);
        element.name = colon == std::string::npos ? qname : qname.substr(colon + 1);
        if (!namespaces.count(prefix))
            return false;
        element.ns = namespaces[prefix];
        if (Expect("/>"))
            return true;
        if (!Expect(">"))
            return false;
        for (;;) {
            const size_t start = m_pos;
            const size_t lt = m_text.find('<', m_pos);
            if (lt == std::string::npos)
                return false;
            element.text += m_text.substr(start, lt - start);
            m_pos = lt;
            if (m_text.compare(m_pos, 4, "<!--") == 0) {
                SkipMisc();
                continue;
            }
            if (m_text.compare(m_pos, 2, "</") == 0) {
                m_pos += 2;
                return ReadName() == qname && Expect(">");
            }
            XmlElement child;
            if (!ReadElement(child, namespaces))
                return false;
            element.children.push_back(std::move(child));
        }
    }

    std::string m_text;
    size_t m_pos = 0;
};

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    const size_t last = s.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

#ifdef _WIN64
const std::string kArchitecture = "amd64";
#else
const std::string kArchitecture = "X86";
#endif
const std::string kAsmV1 = "urn:schemas-microsoft-com:asm.v1";
const std::string kAsmV2 = "urn:schemas-microsoft-com:asm.v2";

class ManifestTest : public ResourcesTest {
protected:
    void SetUp() override {
        ResourcesTest::SetUp();
        if (HasFatalFailure())
            return;
        const Blob blob = Find(RT_MANIFEST, 1, kLangEnglish);
        ASSERT_TRUE(blob);
        XmlReader reader(std::string(reinterpret_cast<const char*>(blob.data), blob.size));
        ASSERT_TRUE(reader.Parse(m_root)) << "the manifest is not well-formed XML";
        m_declaration = reader.declaration;
    }

    XmlElement m_root;
    std::map<std::string, std::string> m_declaration;
};

TEST_F(ManifestTest, DeclarationIsStandaloneUtf8) {
    EXPECT_EQ(m_declaration,
              (std::map<std::string, std::string>{{"version", "1.0"}, {"encoding", "UTF-8"}, {"standalone", "yes"}}));
}

TEST_F(ManifestTest, RootIsAssemblyVersionOne) {
    EXPECT_EQ(m_root.name, "assembly");
    EXPECT_EQ(m_root.ns, kAsmV1);
    EXPECT_EQ(m_root.Attr("manifestVersion"), "1.0");
}

TEST_F(ManifestTest, NamesTheProgramItself) {
    const XmlElement* identity = m_root.One("assemblyIdentity");
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(identity->ns, kAsmV1);
    EXPECT_EQ(identity->attributes, (std::map<std::string, std::string>{
                                        {"version", "1.0.0.0"},
                                        {"processorArchitecture", kArchitecture},
                                        {"type", "win32"},
                                        {"name", "BrandwickWorks.Brandwick.OemEditor"},
                                    }));
    const XmlElement* description = m_root.One("description");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(Trim(description->text), "XPStyle");
}

TEST_F(ManifestTest, DependsOnCommonControlsSix) {
    const XmlElement* dependency = m_root.One("dependency");
    ASSERT_NE(dependency, nullptr);
    const XmlElement* dependent = dependency->One("dependentAssembly");
    ASSERT_NE(dependent, nullptr);
    const XmlElement* identity = dependent->One("assemblyIdentity");
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(identity->ns, kAsmV1);
    EXPECT_EQ(identity->attributes, (std::map<std::string, std::string>{
                                        {"type", "win32"},
                                        {"name", "Microsoft.Windows.Common-Controls"},
                                        {"version", "6.0.0.0"},
                                        {"processorArchitecture", kArchitecture},
                                        {"publicKeyToken", "6595b64144ccf1df"},
                                        {"language", "*"},
                                    }));
}

TEST_F(ManifestTest, AsksForAdministratorRights) {
    const XmlElement* trust = m_root.One("trustInfo");
    ASSERT_NE(trust, nullptr);
    EXPECT_EQ(trust->ns, kAsmV2);
    const XmlElement* security = trust->One("security");
    ASSERT_NE(security, nullptr);
    const XmlElement* privileges = security->One("requestedPrivileges");
    ASSERT_NE(privileges, nullptr);
    const XmlElement* level = privileges->One("requestedExecutionLevel");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->ns, kAsmV2);
    EXPECT_EQ(level->Attr("level"), "requireAdministrator");
    EXPECT_EQ(level->Attr("uiAccess"), "false");
}

TEST_F(ManifestTest, HasNothingElseAtTopLevel) {
    std::vector<std::string> names;
    for (const XmlElement& child : m_root.children)
        names.push_back(child.name);
    EXPECT_EQ(names, (std::vector<std::string>{"assemblyIdentity", "description", "dependency", "trustInfo"}));
}

TEST_F(ManifestTest, LoaderBindsCommonControlsSixAndAdministratorLevel) {
    // What the system itself makes of the manifest: it must accept it, redirect comctl32.dll to the
    // version-6 assembly of this architecture and see the requested run level.
    const std::wstring path = ProgramPath();
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run{};
    SIZE_T written = 0;
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run, sizeof run, &written));
    EXPECT_EQ(run.RunLevel, ACTCTX_RUN_LEVEL_REQUIRE_ADMIN);
    EXPECT_EQ(run.UiAccess, 0u);

    std::wstring identity;
    ULONG_PTR cookie = 0;
    if (ActivateActCtx(context, &cookie)) {
        ACTCTX_SECTION_KEYED_DATA data{};
        data.cbSize = sizeof data;
        if (FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data)) {
            DWORD index = data.ulAssemblyRosterIndex;
            SIZE_T needed = 0;
            QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &needed);
            std::vector<uint8_t> buffer(needed + sizeof(ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION));
            if (QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, buffer.data(),
                             buffer.size(), &needed)) {
                const auto* info =
                    reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
                if (info->lpAssemblyEncodedAssemblyIdentity)
                    identity = info->lpAssemblyEncodedAssemblyIdentity;
            }
        }
        DeactivateActCtx(0, cookie);
    }
    ReleaseActCtx(context);
    std::string narrow(identity.begin(), identity.end());
    EXPECT_NE(narrow.find("Microsoft.Windows.Common-Controls"), std::string::npos) << narrow;
    EXPECT_NE(narrow.find("version=\"6.0."), std::string::npos) << narrow;
    EXPECT_NE(narrow.find("processorArchitecture=\"" + kArchitecture + "\""), std::string::npos) << narrow;
}

} // namespace
