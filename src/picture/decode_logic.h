#pragma once
// Pictures the system cannot show as a logo (PNG, GIF, icons, JPEG), decoded to plain pixels and turned into the
// 32-bit bitmap that every Windows shows. Every decoder takes any bytes: a file it cannot decode whole and within
// kMaxPictureSide and kMaxPicturePixels gives nullopt, never a fault or an unbounded allocation.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Straight (not premultiplied) colour, rows top down, 4 bytes a pixel: R, G, B, A. pixels holds exactly
// width * height * 4 bytes.
struct Rgba {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
};

// Within the limits of a logo: both sides at least 1 and at most kMaxPictureSide, at most kMaxPicturePixels.
bool PictureSizeFits(std::uint64_t width, std::uint64_t height);
// A transparent black picture of that size.
Rgba BlankPicture(std::uint32_t width, std::uint32_t height);

// PNG's structure before any pixel is unfiltered: signature, every chunk whole with its CRC-32, IHDR first and
// sound, PLTE and tRNS where they belong, the IDATs consecutive, IEND last and the file's end (nothing may
// follow it), and the IDATs' zlib stream inflating to exactly the size the header implies.
bool CheckPng(std::string_view bytes);

// The eight bytes every PNG file, and every PNG image of an icon, begins with.
inline constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

// Every colour type and depth, tRNS, Adam7. Samples of 16 bits keep their high byte.
std::optional<Rgba> DecodePng(std::string_view bytes);
// The first frame on the logical screen; the rest of the screen transparent.
std::optional<Rgba> DecodeGif(std::string_view bytes);
// Icons and cursors: the largest image, then the deepest, a PNG or a DIB with its AND mask.
std::optional<Rgba> DecodeIcon(std::string_view bytes);
// Huffman-coded 8-bit JPEG (baseline, extended, progressive), grey or three components.
std::optional<Rgba> DecodeJpeg(std::string_view bytes);

// Chooses the decoder by the file's signature: PNG, GIF, icon or cursor, JPEG. A BMP gives nullopt: it is
// installed as it is.
std::optional<Rgba> DecodePicture(std::string_view bytes);

// A whole .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER, 32 bits a pixel, BI_RGB, rows bottom up, B G R A.
// System draws the logo on white and older systems ignore alpha, so each pixel is composited over white and
// stored opaque: c' = (c * a + 255 * (255 - a) + 127) / 255, alpha 255.
std::string BuildLogoBitmap(const Rgba& picture);

// What is installed as oemlogo.bmp for a picture file: a BMP that passes the picture check as it is, every Windows
// loads it; any other checked picture that decodes whole, converted by BuildLogoBitmap. nullopt for any other file.
std::optional<std::string> LogoBitmap(std::string_view bytes);

} // namespace bw
