// The decoders and the logo bitmap: exact pixels of tiny pictures, as ImageMagick decodes them where it agrees on
// what they show; hostile pictures refused.
#include "picture/decode_logic.h"
#include "picture/inflate_logic.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <string>

namespace bw {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

std::vector<std::uint8_t> Pixels(std::initializer_list<int> bytes) {
    return {bytes.begin(), bytes.end()};
}

using test::Picture;

Rgba Decoded(std::string_view bytes) {
    std::optional<Rgba> picture = DecodePicture(bytes);
    EXPECT_TRUE(picture.has_value());
    return picture.value_or(Rgba{});
}

TEST(Inflate, TakesExactlyTheStreamsSize) {
    // Python's zlib: "abcabcabcabcX", a fixed-Huffman block with an overlapping match.
    const std::string fixed =
        Bytes({0x78, 0xDA, 0x4B, 0x4C, 0x4A, 0x4E, 0x84, 0xA1, 0x08, 0x00, 0x22, 0xD1, 0x04, 0xF1});
    std::uint8_t out[14] = {};
    ASSERT_TRUE(Inflate(fixed, out, 13));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 13), "abcabcabcabcX");
    EXPECT_FALSE(Inflate(fixed, out, 12));
    EXPECT_FALSE(Inflate(fixed, out, 14));
    EXPECT_FALSE(Inflate(fixed.substr(0, 13), out, 13));
    EXPECT_FALSE(Inflate(fixed + '\0', out, 13));
    std::string badSum = fixed;
    badSum[13] = 0;
    EXPECT_FALSE(Inflate(badSum, out, 13));
    // A match at distance 1 before anything was written.
    EXPECT_FALSE(Inflate(Bytes({0x78, 0x01, 0x03, 0x02, 0x00, 0x00, 0x00, 0x00, 0x01}), out, 3));
    // Stored, not compressed.
    ASSERT_TRUE(Inflate(
        Bytes({0x78, 0x01, 0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e', 'l', 'l', 'o', 0x06, 0x2C, 0x02, 0x15}), out, 5));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 5), "hello");
}

// Every picture that ImageMagick decodes as we do, to the pixel: PNG of each colour type and depth, filters, Adam7,
// fixed and dynamic Huffman codes, colour keys; GIF codes that grow past their first size; icons; JPEG. A fully
// transparent pixel's colour is no part of it. Of 16-bit samples (references of two bytes a sample, low byte first)
// we keep the high byte; ImageMagick's JPEG transform rounds otherwise (2 apart).
TEST(DecodePicture, AgreesWithImageMagick) {
    const auto references = test::PictureFiles("reference");
    EXPECT_GE(references.size(), 29u);
    for (const test::PictureFile& reference : references) {
        const std::string name = reference.name.substr(0, reference.name.size() - 5); // without ".rgba"
        const Rgba rgba = Decoded(Picture(name));
        const std::size_t wide = reference.bytes.size() == rgba.pixels.size() * 2 ? 2 : 1;
        ASSERT_EQ(rgba.pixels.size() * wide, reference.bytes.size()) << name;
        const auto sample = [&](std::size_t i) {
            return static_cast<std::uint8_t>(reference.bytes[i * wide + wide - 1]);
        };
        for (std::size_t i = 0; i < rgba.pixels.size(); ++i) {
            const std::size_t alpha = i - i % 4 + 3;
            if (i % 4 != 3 && rgba.pixels[alpha] == 0 && sample(alpha) == 0)
                continue;
            ASSERT_NEAR(rgba.pixels[i], sample(i), name.starts_with("jpeg-") ? 2 : 0)
                << name << " pixel " << i / 4 << " channel " << i % 4;
        }
    }
}

// Every test picture decodes or is refused as it says, a decoded one whole. The structure check of
// PNG agrees, but for an index past the palette's end, found only while unfiltering.
TEST(DecodePicture, EveryCorpusPictureDecodesOrIsRefused) {
    int refused = 0;
    for (const test::PictureFile& p : test::PictureFiles("decode")) {
        const std::optional<Rgba> rgba = DecodePicture(p.bytes);
        EXPECT_EQ(rgba.has_value(), !p.bad) << p.name;
        EXPECT_EQ(LogoBitmap(p.bytes).has_value(), !p.bad) << p.name;
        if (rgba) {
            EXPECT_EQ(rgba->pixels.size(), std::size_t{rgba->width} * rgba->height * 4) << p.name;
        }
        if (p.name.starts_with("png-")) {
            EXPECT_EQ(CheckPng(p.bytes), !p.bad || p.name == "png-indexpastpalette.png") << p.name;
        }
        refused += p.bad;
    }
    EXPECT_GE(refused, 35);
}

TEST(Gif, FirstFrameOnItsScreenInterlacedWithTransparency) {
    const Rgba rgba = Decoded(Picture("gif-interlacedtransparent.gif"));
    ASSERT_EQ(std::pair(rgba.width, rgba.height), std::pair(6u, 7u));
    // A 3 x 5 frame at 2, 1 on the screen, its rows stored interlaced; transparent outside it and where it says.
    const auto at = [&rgba](int x, int y) {
        const auto p = rgba.pixels.begin() + 4 * (6 * y + x);
        return std::vector<std::uint8_t>(p, p + 4);
    };
    EXPECT_EQ(at(0, 0), Pixels({0, 0, 0, 0})) << "outside the frame";
    EXPECT_EQ(at(4, 1), Pixels({0, 0, 255, 255}));
    EXPECT_EQ(at(3, 2), Pixels({0, 0, 0, 0})) << "transparent";
    EXPECT_EQ(at(2, 3), Pixels({255, 255, 255, 255}));
    EXPECT_EQ(at(4, 5), Pixels({255, 0, 0, 255}));
    // Codes that end after three pixels: the first is transparent, the rest of the frame stays so.
    const Rgba early = Decoded(Picture("gif-codesendearly.gif"));
    EXPECT_EQ(std::vector<std::uint8_t>(early.pixels.begin() + 4 * 8, early.pixels.begin() + 4 * 12),
              Pixels({0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0}));
}

TEST(Icon, DibsWithAlphaOrTheirMask) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> pixels;
    } cases[] = {
        // 32 bits without alpha: the mask, as Windows draws it (ImageMagick leaves it out).
        {"icon-32mask.ico", Pixels({0x30, 0x20, 0x10, 255, 3, 2, 1, 0})},
        {"icon-png.ico", Pixels({10, 10, 10, 255, 20, 20, 20, 255, 15, 15, 15, 255, 25, 25, 25, 255})},
        // Of 1 x 1 at 32 bits, 2 x 2 at 4 and 2 x 2 at 8: the last.
        {"icon-deepest.ico", Pixels({50, 50, 50, 255, 0, 0, 0, 255, 200, 200, 200, 255, 100, 100, 100, 255})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decoded(Picture(c.name)).pixels, c.pixels) << c.name;
    EXPECT_EQ(Decoded(Picture("icon-largest.ico")).width, 3u); // 3 x 3 at 1 bit over 2 x 2 at 8
}

// A progressive picture of the same coefficients in ten scans, with successive approximation, decodes as the
// baseline one does (whose own rounding, which ImageMagick's agreement within 2 leaves open, the logo test pins).
TEST(Jpeg, ProgressiveScansDecodeAsTheBaseline) {
    EXPECT_EQ(Decoded(Picture("jpeg-420progressive.jpg")).pixels, Decoded(Picture("jpeg-420.jpg")).pixels);
}

// What is installed for a picture file: a BMP itself, anything else the picture check takes converted.
TEST(LogoBitmap, KeepsABmpAndConvertsTheRest) {
    const std::string bmp = Picture("rle8.bmp"), png = Picture("rgba.png");
    EXPECT_EQ(LogoBitmap(bmp), bmp);
    // Opaque red, then blue at alpha 128 over white; rows bottom up, B G R A.
    EXPECT_EQ(LogoBitmap(png).value_or(std::string(62, '?')).substr(18),
              Bytes({2, 0, 0,    0,    1, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 8,    0,    0,    0,    0x13, 0x0B,
                     0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x7F, 0xFF}));
    EXPECT_FALSE(LogoBitmap(png + "x").has_value());
    EXPECT_FALSE(LogoBitmap(bmp.substr(0, 60)).has_value());
}

TEST(DecodePicture, LeavesBitmapsAndUnknownBytesAlone) {
    EXPECT_FALSE(DecodePicture(Bytes({'B', 'M', 70, 0, 0, 0})).has_value());
    EXPECT_FALSE(DecodePicture("").has_value());
    EXPECT_FALSE(DecodePicture("\x89PNG").has_value());
}

} // namespace
} // namespace bw
