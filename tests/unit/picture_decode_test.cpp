// The decoders and the logo bitmap: exact pixels of tiny pictures, hostile pictures refused.
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

std::string Corpus(std::string_view name, std::string_view folder = "decode") {
    for (const test::PictureFile& p : test::PictureFiles(folder))
        if (p.name == name)
            return p.bytes;
    ADD_FAILURE() << "no test picture " << name;
    return {};
}

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
    ASSERT_TRUE(Inflate(Bytes({0x78, 0x01, 0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e', 'l', 'l', 'o', 0x06, 0x2C, 0x02, 0x15}),
                        out, 5));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 5), "hello");
}

TEST(Png, CompressedPicturesDecodeExactly) {
    // Python's zlib, fixed Huffman: 3 x 2 RGBA, a Sub row then an Up row whose sums wrap.
    const std::string fixed = Corpus("png-fixedhuffman.png");
    EXPECT_TRUE(CheckPng(fixed));
    const Rgba rgba = Decoded(fixed);
    EXPECT_EQ(rgba.width, 3u);
    EXPECT_EQ(rgba.height, 2u);
    EXPECT_EQ(rgba.pixels, Pixels({0xFF, 0, 0, 0xFF, 0,    0,    0,    0xFF, 0, 0, 0xFF, 0x7F, //
                                   0xFF, 0, 0, 0xFF, 0x0A, 0x14, 0x1E, 0x27, 0, 0, 0xFF, 0x7F}));

    const Rgba dynamic = Decoded(Corpus("png-dynamic.png"));
    const int grey[64] = {0,  0,   85,  255, 0,   0,  170, 0,   0,   170, 0,   170, 0,   0,   0,   85,
                          85, 0,   0,   0,   170, 85, 0,   170, 0,   0,   255, 255, 170, 0,   170, 170,
                          85, 0,   0,   0,   170, 0,  0,   85,  0,   170, 0,   170, 0,   170, 255, 0,
                          0,  170, 170, 255, 0,   0,  0,   170, 255, 0,   170, 0,   170, 0,   85,  255};
    ASSERT_EQ(dynamic.pixels.size(), 256u);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(dynamic.pixels[4 * i], grey[i]) << i;
        EXPECT_EQ(dynamic.pixels[4 * i + 2], grey[i]) << i;
        EXPECT_EQ(dynamic.pixels[4 * i + 3], 255) << i;
    }
}

// Each colour type at the depths that show scaling, tRNS and filters; checked once against ImageMagick (which
// rounds 16-bit samples where these keep the high byte).
TEST(Png, ColourTypesDepthsAndTransparency) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> pixels;
    } cases[] = {
        {"png-c0d4.png", Pixels({0, 0, 0, 255, 0,    0,    0,    255, 0x22, 0x22, 0x22, 255, //
                                 0, 0, 0, 255, 0x11, 0x11, 0x11, 255, 0x44, 0x44, 0x44, 255})},
        {"png-c0d16.png", Pixels({0, 0, 0, 255, 0x4A, 0x4A, 0x4A, 255, 0xDE, 0xDE, 0xDE, 255, //
                                  1, 1, 1, 255, 0x95, 0x95, 0x95, 255, 0x73, 0x73, 0x73, 255})},
        {"png-c2d16.png", Pixels({0x00, 0x4A, 0x94, 255, 0xDE, 0x72, 0x06, 255, 0x9A, 0x78, 0x56, 255, //
                                  0x01, 0x95, 0x29, 255, 0xBD, 0xBE, 0x79, 255, 0x57, 0xC5, 0xCA, 255})},
        {"png-c3d2.png", Pixels({255, 0, 0,   0,   0,   0, 255, 128, 255, 0, 0,   0, //
                                 0,   0, 255, 128, 255, 0, 0,   0,   0,   0, 255, 128})},
        {"png-c4d8.png", Pixels({0, 0, 0, 0x25, 0x4A, 0x4A, 0x4A, 0x94, 0xDE, 0xDE, 0xDE, 0x4D, //
                                 1, 1, 1, 0x4B, 0x95, 0x95, 0x95, 0x04, 0x73, 0x73, 0x73, 0xBE})},
        {"png-c6d16.png", Pixels({0x00, 0x4A, 0x94, 0xDE, 0x28, 0xBC, 0x50, 0xE4, 0x78, 0x56, 0x34, 0x12, //
                                  0x01, 0x95, 0x29, 0xBD, 0x51, 0x2F, 0xE6, 0xC4, 0xC9, 0xCA, 0xCB, 0x41})},
        {"png-keyedrgb16.png", Pixels({0, 0, 0, 0, 0, 0, 0, 255})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decoded(Corpus(c.name)).pixels, c.pixels) << c.name;
    // Paeth: above-left 20, above 10, left 40 tie the left with the above-left, and the left wins.
    const Rgba paeth = Decoded(Corpus("png-paeth.png"));
    EXPECT_EQ(paeth.pixels, Pixels({20, 20, 20, 255, 10, 10, 10, 255, 40, 40, 40, 255, 45, 45, 45, 255}));
}

TEST(Png, Adam7PlacesEveryPass) {
    const Rgba rgba = Decoded(Corpus("png-interlaced.png"));
    ASSERT_EQ(rgba.pixels.size(), 9u * 9 * 4);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(rgba.pixels[4 * (9 * y + x)], x + 16 * y) << x << "," << y;
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
    const Rgba rgba = Decoded(Corpus("gif-interlacedtransparent.gif"));
    ASSERT_EQ(rgba.width, 6u);
    ASSERT_EQ(rgba.height, 7u);
    // r red, g green, b blue, w white, . transparent (as is everything outside the frame).
    const char* frame[5] = {"rgb", "b.w", "wrg", "gb.", ".wr"};
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 6;
            const char c = inside ? frame[y - 1][x - 2] : '.';
            const std::vector<std::uint8_t> expected = c == 'r'   ? Pixels({255, 0, 0, 255})
                                                       : c == 'g' ? Pixels({0, 255, 0, 255})
                                                       : c == 'b' ? Pixels({0, 0, 255, 255})
                                                       : c == 'w' ? Pixels({255, 255, 255, 255})
                                                                  : Pixels({0, 0, 0, 0});
            const auto at = rgba.pixels.begin() + 4 * (6 * y + x);
            EXPECT_EQ(std::vector<std::uint8_t>(at, at + 4), expected) << x << "," << y;
        }
    }
    // Codes that end after three pixels: the first is transparent, the rest of the frame stays so.
    const Rgba early = Decoded(Corpus("gif-codesendearly.gif"));
    EXPECT_EQ(std::vector<std::uint8_t>(early.pixels.begin() + 4 * 8, early.pixels.begin() + 4 * 12),
              Pixels({0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0}));
}

TEST(Gif, CodesGrowPastTheirFirstSize) {
    const Rgba rgba = Decoded(Corpus("gif-lzw.gif"));
    ASSERT_EQ(rgba.pixels.size(), 20u * 12 * 4);
    const auto pixel = [&rgba](int x, int y) {
        const auto at = rgba.pixels.begin() + 4 * (20 * y + x);
        return std::vector<std::uint8_t>(at, at + 4);
    };
    EXPECT_EQ(pixel(0, 0), Pixels({255, 0, 0, 255}));
    EXPECT_EQ(pixel(10, 3), Pixels({0, 128, 0, 255}));
    EXPECT_EQ(pixel(19, 11), Pixels({0, 0, 255, 255}));
    EXPECT_EQ(pixel(4, 0), Pixels({255, 255, 0, 255}));
}

TEST(Icon, DibsWithAlphaOrTheirMask) {
    const struct {
        const char* name;
        std::vector<std::uint8_t> pixels;
    } cases[] = {
        // 32 bits: alpha where any pixel has some, else the mask; BGR turned to RGB.
        {"icon-32alpha.ico", Pixels({0x30, 0x20, 0x10, 0x80, 3, 2, 1, 0})},
        {"icon-32mask.ico", Pixels({0x30, 0x20, 0x10, 255, 3, 2, 1, 0})},
        // 4 bits of a grey palette, rows bottom up, one pixel of each row masked.
        {"icon-4mask.ico", Pixels({0, 0, 0, 0, 0xAA, 0xAA, 0xAA, 255, 255, 255, 255, 255, 0x55, 0x55, 0x55, 0})},
        {"icon-24.cur", Pixels({3, 2, 1, 255})},
        {"icon-png.ico", Pixels({10, 10, 10, 255, 20, 20, 20, 255, 15, 15, 15, 255, 25, 25, 25, 255})},
        // Of 1 x 1 at 32 bits, 2 x 2 at 4 and 2 x 2 at 8: the last.
        {"icon-deepest.ico", Pixels({50, 50, 50, 255, 0, 0, 0, 255, 200, 200, 200, 255, 100, 100, 100, 255})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decoded(Corpus(c.name)).pixels, c.pixels) << c.name;
    EXPECT_EQ(Decoded(Corpus("icon-largest.ico")).width, 3u); // 3 x 3 at 1 bit over 2 x 2 at 8
}

// ImageMagick's decoding (libjpeg-turbo) of jpeg-420.jpg, R G B a pixel, rows top down.
constexpr const char* kJpegReference =
    "0101ef0a04ee1a05e82a07e13c04d54e04cb6005c67105bd8303b89202afa502a9b7029fca0296da038dea0488f10686"
    "070ef2100fef2012eb2f13e24111d75311cd6613c77811c08710ba970fb1aa0fa9bc0ea1cf0f98e00f8fef118af61387"
    "091eeb1020e92023e43123db4221d05421c86822c17822b98820b3991eacab1fa4bd1f9ad11f91e01f88ef2183f82380"
    "072ee11130e02032da3034d34133c85332bf6632b87832af8931ab9830a3ab309bbc3091d03088e13080f0327af73478"
    "0942d91145d72047d23047c94146be5446b56746ae7846a78846a0984499aa4490bd4489d1437fe14477ef4671f7476e"
    "0753cd0f56cc1f59c72f59bf4057b45257ab6658a576579b87579596558da95586bb557dd05574df556cee5766f65964"
    "0664c40f66c31f69c02f6ab84068ad5268a266699c77679487678e976684aa667dba6675cf666be06663ee685df66a5b"
    "0776be1178bd207ab92f7ab14079a653799d667a9578798e89788897767daa7678bd776fcf7664e1775def7856f67a54"
    "0985b91187b71e88b03089a942899f55899767888f778786888782998678ab8572be8568d0855ee18657ef8750f7894e"
    "0a95b21197b01f98a93199a243999856999068988877977f89987b9a9671ac956bbf9662d19557e19750ef9849f89947"
    "09a6ab12a8a920a9a230aa9b43a99156aa8867aa7f78a8788aa87299a769aba662bea759d0a74fe2a847f0a842f7aa40"
    "07b7a010b89e1fba982fbc9142bb8656bb7f66bb7777ba6d89ba6898b960aab857bdb94ecfb844e1b93defba38f6bc36"
    "09cb9610cd931ece8e2fcf8741cf7d54cf7467cf6c77ce6588ce5e99cc55aacd4dbccc45d1cc3ce0cd33efcf2ff7d02d"
    "08dd8d0fdf8b1edf862ee07e40e07453e16b65e06377de5b88de5598dd4ca8dd44bbde3ccfdd32e0de2beede26f5e023"
    "08ed8610ef841fef7f2ff17742f06d55f06667ef5d77ee5489ef4e98ed47aaed3ebded35d1ec2be1ee24efef1ff7f01c"
    "0dfa8814fc8624fc8134fd7947fc6f5afd666cfc5f7cfb568efb509dfa47aff940c2fa37d6f92de6fa25f6fb22fdfd1f";

std::vector<std::uint8_t> Rgb(const Rgba& picture) {
    std::vector<std::uint8_t> rgb;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        if (i % 4 != 3)
            rgb.push_back(picture.pixels[i]);
    return rgb;
}

TEST(Jpeg, BaselineAndProgressiveAgreeWithLibjpeg) {
    const Rgba baseline = Decoded(Corpus("jpeg-420.jpg"));
    ASSERT_EQ(baseline.width, 16u);
    ASSERT_EQ(baseline.height, 16u);
    const std::vector<std::uint8_t> rgb = Rgb(baseline);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const int reference = std::stoi(std::string(kJpegReference + 2 * i, 2), nullptr, 16);
        EXPECT_NEAR(rgb[i], reference, 2) << "pixel " << i / 3 << " channel " << i % 3;
    }
    // This decoder's own rounding, pinned.
    const auto pixel = [&baseline](int x, int y) {
        const auto at = baseline.pixels.begin() + 4 * (16 * y + x);
        return std::vector<std::uint8_t>(at, at + 4);
    };
    EXPECT_EQ(pixel(0, 0), Pixels({0x01, 0x01, 0xEF, 255}));
    EXPECT_EQ(pixel(15, 0), Pixels({0xF1, 0x06, 0x86, 255}));
    EXPECT_EQ(pixel(7, 7), Pixels({0x78, 0x79, 0x8E, 255}));
    EXPECT_EQ(pixel(15, 15), Pixels({0xFD, 0xFE, 0x1E, 255}));
    // The same coefficients sent in ten scans, with successive approximation.
    EXPECT_EQ(Decoded(Corpus("jpeg-420progressive.jpg")).pixels, baseline.pixels);

    const Rgba rgbJpeg = Decoded(Corpus("jpeg-adobergb.jpg"));
    ASSERT_EQ(rgbJpeg.pixels.size(), 16u * 16 * 4);
    EXPECT_EQ(std::vector<std::uint8_t>(rgbJpeg.pixels.begin(), rgbJpeg.pixels.begin() + 4),
              Pixels({0x1C, 0xF7, 0x6D, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(rgbJpeg.pixels.end() - 4, rgbJpeg.pixels.end()),
              Pixels({0xE4, 0x10, 0x92, 255}));
}

TEST(Jpeg, RestartMarkersResetThePrediction) {
    const Rgba grey = Decoded(Corpus("jpeg-restart.jpg"));
    ASSERT_EQ(grey.width, 16u);
    ASSERT_EQ(grey.height, 8u);
    for (std::size_t i = 0; i < grey.pixels.size(); ++i)
        ASSERT_EQ(grey.pixels[i], i % 4 == 3 ? 255 : 138) << i;
}

TEST(LogoBitmap, CompositesOverWhiteBottomUp) {
    const Rgba picture{2, 2, Pixels({255, 0, 0, 255, 0, 255, 0, 0, 10, 20, 30, 128, 1, 0, 0, 200})};
    EXPECT_EQ(BuildLogoBitmap(picture),
              Bytes({'B',  'M',  70,   0,    0,    0,    0,    0,    0, 0, 54, 0, 0, 0, // file header
                     40,   0,    0,    0,    2,    0,    0,    0,    2, 0, 0,  0, 1, 0, 32, 0,
                     0,    0,    0,    0,    16,   0,    0,    0,                              // info header
                     0x13, 0x0B, 0,    0,    0x13, 0x0B, 0,    0,    0, 0, 0,  0, 0, 0, 0,  0, //
                     0x8E, 0x89, 0x84, 0xFF, 0x37, 0x37, 0x38, 0xFF,                           // bottom row
                     0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

// What is installed for a picture file: a BMP itself, anything else the picture check takes converted.
TEST(LogoBitmap, KeepsABmpAndConvertsTheRest) {
    const std::string bmp = Corpus("rle8.bmp", "check"), png = Corpus("rgba.png", "check");
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
