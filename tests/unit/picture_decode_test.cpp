// The decoders and the logo bitmap: exact pixels of tiny pictures, hostile pictures refused.
#include "picture/decode_logic.h"
#include "picture/inflate_logic.h"
#include "picture_corpus.h"

#include <gtest/gtest.h>

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

std::string Corpus(std::string_view name) {
    for (const corpus::Decodable& p : corpus::DecodeCorpus())
        if (p.name == name)
            return p.bytes;
    ADD_FAILURE() << "no corpus picture " << name;
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
    ASSERT_TRUE(Inflate(corpus::ZlibStored("hello"), out, 5));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 5), "hello");
}

TEST(Png, CompressedPicturesDecodeExactly) {
    // Python's zlib, fixed Huffman: 3 x 2 RGBA, a Sub row then an Up row whose sums wrap.
    const std::string fixed =
        Bytes({0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
               0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x9D, 0x74, 0x66, 0x1A, 0x00,
               0x00, 0x00, 0x1B, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xFC, 0xCF, 0xC0, 0xF0, 0x9F, 0x91, 0x01,
               0x04, 0xFE, 0x37, 0x30, 0x81, 0x28, 0x2E, 0x11, 0x39, 0x0D, 0x10, 0x0D, 0x00, 0x47, 0x7D, 0x03, 0xE6,
               0x0A, 0xF2, 0xBA, 0xEC, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82});
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
}

TEST(Png, Adam7PlacesEveryPass) {
    const Rgba rgba = Decoded(Corpus("png-interlaced.png"));
    ASSERT_EQ(rgba.pixels.size(), 9u * 9 * 4);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(rgba.pixels[4 * (9 * y + x)], x + 16 * y) << x << "," << y;
}

// Every picture of the corpus decodes or is refused as it says, a decoded one whole. The structure check of
// PNG agrees, but for an index past the palette's end, found only while unfiltering.
TEST(DecodePicture, EveryCorpusPictureDecodesOrIsRefused) {
    int refused = 0;
    for (const corpus::Decodable& p : corpus::DecodeCorpus()) {
        const std::optional<Rgba> rgba = DecodePicture(p.bytes);
        EXPECT_EQ(rgba.has_value(), p.decodes) << p.name;
        if (rgba) {
            EXPECT_EQ(rgba->pixels.size(), std::size_t{rgba->width} * rgba->height * 4) << p.name;
        }
        if (p.name.starts_with("png-")) {
            EXPECT_EQ(CheckPng(p.bytes), p.decodes || p.name == "png-indexpastpalette.png") << p.name;
        }
        refused += !p.decodes;
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

TEST(LogoBitmap, CompositesOverWhiteBottomUp) {
    const Rgba picture{2, 2, Pixels({255, 0, 0, 255, 0, 255, 0, 0, 10, 20, 30, 128, 0, 0, 0, 1})};
    EXPECT_EQ(BuildLogoBitmap(picture),
              Bytes({'B',  'M',  70,   0,    0,    0,    0,    0,    0, 0, 54, 0, 0, 0, // file header
                     40,   0,    0,    0,    2,    0,    0,    0,    2, 0, 0,  0, 1, 0, 32, 0,
                     0,    0,    0,    0,    16,   0,    0,    0,                              // info header
                     0x13, 0x0B, 0,    0,    0x13, 0x0B, 0,    0,    0, 0, 0,  0, 0, 0, 0,  0, //
                     0x8E, 0x89, 0x84, 0xFF, 0xFE, 0xFE, 0xFE, 0xFF,                           // bottom row
                     0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(DecodePicture, LeavesBitmapsAndUnknownBytesAlone) {
    EXPECT_FALSE(DecodePicture(Bytes({'B', 'M', 70, 0, 0, 0})).has_value());
    EXPECT_FALSE(DecodePicture("").has_value());
    EXPECT_FALSE(DecodePicture("\x89PNG").has_value());
}

} // namespace
} // namespace bw
