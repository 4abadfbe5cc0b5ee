// The logo System shows: each kind of picture, named by a profile or chosen in the window, installed as a 32-bit
// bitmap that the system's own loader reads with the expected pixels; a hostile picture changes nothing.
#include "cli/cli.h"
#include "fault_platform.h"
#include "test_support.h"
#include "ui/main_window.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

namespace bw::test {
namespace {

const OsVersion kWin10{2, 10, 0, 19045, L""};
void Win10(FaultPlatform& os) {
    os.version = kWin10;
}

// A bitmap's size and its pixels as 0xRRGGBB, rows top down, as GDI reads them back.
struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const { return rgb.at(static_cast<std::size_t>(y * width + x)); }
};
Pixels Read(HBITMAP bitmap) {
    BITMAP b{};
    if (!bitmap || !GetObjectW(bitmap, sizeof b, &b))
        return {};
    Pixels p{b.bmWidth, b.bmHeight, std::vector<std::uint32_t>(static_cast<std::size_t>(b.bmWidth * b.bmHeight))};
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, b.bmWidth, -b.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(WindowDC(nullptr).get(), bitmap, 0, static_cast<UINT>(b.bmHeight), p.rgb.data(), &bi, DIB_RGB_COLORS);
    for (std::uint32_t& pixel : p.rgb)
        pixel &= 0xFFFFFF;
    return p;
}

struct Recorded final : Messages {
    void Say(const std::wstring& text) override { said += text; }
    std::wstring said;
};

class Logo : public testing::Test, protected SystemPlaces {
protected:
    // /apply of a profile whose Logo names the picture, in this process; its exit code.
    int ApplyProfile(const std::string& picture) {
        WriteBytes(source, picture);
        WriteBytes(profile, "[OEM]\r\nLogo=brandwick_logo.pic\r\n");
        FaultPlatform os;
        os.version = kWin10;
        CommandLine command;
        command.action = CliAction::Apply;
        command.profile = profile;
        said.said.clear();
        const int code = RunCommandLine(os, command, said);
        writes = os.Calls(PlatformOp::RegWrite) + os.Calls(PlatformOp::WriteFile);
        return code;
    }

    const std::wstring source = TempDir() + L"brandwick_logo.pic", profile = TempDir() + L"brandwick_logo.ini";
    FileGuard g5{source}, g6{profile};
    Recorded said;
    int writes = 0;
};

// Through /apply and then through the window (choose, preview, Apply), each picture ends as oemlogo.bmp: a BMP as
// it is, any other as a 32-bit BI_RGB bottom-up bitmap of its own size, half-transparent pixels blended with white.
TEST_F(Logo, EachKindIsInstalledAsABitmapWithItsPixels) {
    const struct {
        const char* name;
        int width, height;
        std::vector<std::array<std::uint32_t, 3>> probes; // x, y, 0xRRGGBB
    } cases[] = {
        {"rgba.png", 2, 1, {{0, 0, 0xFF0000}, {1, 0, 0x7F7FFF}}}, // opaque red; blue at alpha 128
        {"jpeg-420.jpg", 16, 16, {{0, 0, 0x0101EF}, {15, 0, 0xF10686}, {15, 15, 0xFDFE1E}}},
        {"gif-interlacedtransparent.gif",
         6,
         7,
         {{0, 0, 0xFFFFFF}, {2, 1, 0xFF0000}, {3, 1, 0x00FF00}, {3, 2, 0xFFFFFF}}},
        {"icon-32alpha.ico", 2, 1, {{0, 0, 0x978F87}, {1, 0, 0xFFFFFF}}}, // 0x302010 at alpha 128; transparent
        {"iconofpng.ico", 2, 1, {{0, 0, 0xFF0000}, {1, 0, 0x7F7FFF}}},
        {"info24.bmp", 8, 4, {{0, 0, 0xB28D68}, {0, 3, 0x4A2500}}}, // rows bottom up
        {"topdown.bmp", 8, 4, {{0, 0, 0x4A2500}, {0, 3, 0xB28D68}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string picture = Picture(c.name);
        const bool bmp = picture.starts_with("BM");
        const auto shows = [&c](const Pixels& p) {
            ASSERT_EQ(std::pair(p.width, p.height), std::pair(c.width, c.height));
            for (const auto& [x, y, rgb] : c.probes)
                EXPECT_EQ(p.At(static_cast<int>(x), static_cast<int>(y)), rgb) << x << "," << y;
        };
        const auto installed = [&](const char* how) {
            SCOPED_TRACE(how);
            const std::string bytes = ReadBytes(logo).value_or("");
            EXPECT_EQ(RegText(kKey, L"Logo"), SystemDir() + L"\\oemlogo.bmp");
            if (bmp) {
                EXPECT_EQ(bytes, picture);
                return;
            }
            // A positive height (rows bottom up), one plane, 32 bits, BI_RGB.
            std::int32_t header[3] = {};
            if (bytes.size() >= 34)
                std::memcpy(header, &bytes[22], sizeof header);
            EXPECT_EQ(std::vector(header, header + 3), (std::vector{c.height, 1 | 32 << 16, 0}));
            UniqueBitmap loaded(static_cast<HBITMAP>(
                LoadImageW(nullptr, logo.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
            shows(Read(loaded.get()));
        };

        EXPECT_EQ(ApplyProfile(picture), 0) << said.said;
        installed("/apply");
        RemoveFile(logo), DeleteValue(kKey, L"Logo");

        {
            Instance window(Win10, SW_SHOWNA);
            window.Choose(source);
            EXPECT_EQ(window.reports, std::vector<std::wstring>{});
            SCOPED_TRACE("preview");
            shows(Read(reinterpret_cast<HBITMAP>(
                SendMessageW(window.main->Control(MainId::picLogo), STM_GETIMAGE, IMAGE_BITMAP, 0))));
            window.Click(MainId::cmdApply);
        }
        installed("window");
        RemoveFile(logo), DeleteValue(kKey, L"Logo");
    }
}

// A picture that fails its check or its decoding: /apply refuses the profile before writing anything, and the
// window's logo button says so and stages nothing.
TEST_F(Logo, AHostilePictureChangesNothing) {
    for (const char* name : {"png-badcrc.png", "png-truncatedidat.png", "png-huge.png", "png-bomb.png",
                             "png-chunkafteriend.png", "png-indexpastpalette.png", "iconofbadpng.ico",
                             "gif-framehuge.gif", "jpeg-scancut.jpg", "icon-depth16.ico"}) {
        SCOPED_TRACE(name);
        WriteBytes(logo, "installed");
        SetText(kKey, L"Logo", L"installed");
        EXPECT_EQ(ApplyProfile(Picture(name)), 2);
        EXPECT_NE(said.said.find(L"不是可用的图片 " + source), std::wstring::npos) << said.said;
        EXPECT_EQ(writes, 0);
        EXPECT_EQ(ReadBytes(logo), "installed");
        EXPECT_EQ(RegText(kKey, L"Logo"), L"installed");

        Instance window(Win10, SW_SHOWNA);
        window.Choose(source);
        EXPECT_EQ(window.reports, std::vector<std::wstring>{L"无法将所选文件读取为图片，Logo 未更改：\n" + source});
        EXPECT_EQ(ReadBytes(stagedLogo), std::nullopt);
    }
}

} // namespace
} // namespace bw::test
