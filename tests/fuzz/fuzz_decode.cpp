// The whole path of a logo that is not a BMP: the structure checks, the decoder and the bitmap that is installed.
// Any bytes get a verdict without fault; a decoded picture is within the limits and whole, and its bitmap is a
// BMP of the picture's size that the picture check takes.
#include "picture/picture_check_logic.h"
#include "picture/decode_logic.h"

#include <cstdlib>
#include <string>

namespace {

std::uint32_t U32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
    return v;
}

void Require(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool png = bw::CheckPng(bytes);
    Require(!png || bw::CheckPicture(bytes) == bw::PictureFormat::None);
    const std::optional<bw::Rgba> rgba = bw::DecodePicture(bytes);
    // Nothing may follow a PNG's IEND.
    if (png) {
        Require(!bw::CheckPng(bytes + std::string(16, '\xFF')));
    }
    if (!rgba) {
        return 0;
    }
    Require(!bytes.starts_with("\x89PNG") || png);
    const std::uint32_t width = rgba->width, height = rgba->height;
    Require(bw::PictureSizeFits(width, height) && rgba->pixels.size() == std::size_t{width} * height * 4);
    const std::string bmp = bw::BuildLogoBitmap(*rgba);
    const std::uint32_t image = width * height * 4;
    Require(bmp.size() == 54 + std::size_t{image} && bmp.starts_with("BM") && U32(bmp, 2) == 54 + image &&
            U32(bmp, 10) == 54 && U32(bmp, 14) == 40 && U32(bmp, 18) == width && U32(bmp, 22) == height &&
            U32(bmp, 26) == (1 | 32 << 16) && U32(bmp, 30) == 0 && U32(bmp, 34) == image);
    for (std::size_t at = 54 + 3; at < bmp.size(); at += 4)
        Require(bmp[at] == '\xFF');
    Require(bw::CheckPicture(bmp) == bw::PictureFormat::Bmp);
    return 0;
}
