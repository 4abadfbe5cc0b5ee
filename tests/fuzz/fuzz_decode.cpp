// The whole path of a logo: the structure check, the decoder and the bitmap that is installed, as CheckLogo takes
// it. Any bytes get a verdict without fault, and an accepted picture stays accepted when bytes are appended (a loader
// may find trailing data; the check must not read it as structure), but a PNG ends at its IEND and nothing may follow
// it. Nothing the check refuses is installed; a BMP is installed as it is, any other picture as a 32-bit BMP within
// the limits that the check takes. The decoders also see every input unchecked: they promise to take any bytes.
#include "picture/decode_logic.h"
#include "picture/picture_check_logic.h"

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
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<bw::Rgba> unchecked = bw::DecodePicture(bytes);
    if (unchecked)
        Require(bw::PictureSizeFits(unchecked->width, unchecked->height) &&
                unchecked->pixels.size() == std::size_t{unchecked->width} * unchecked->height * 4);
    const bw::PictureFormat format = bw::CheckPicture(bytes);
    if (format != bw::PictureFormat::None)
        Require(bw::CheckPicture(bytes + std::string(16, '\xFF')) ==
                (format == bw::PictureFormat::Png ? bw::PictureFormat::None : format));
    const std::optional<std::string> bmp = bw::LogoBitmap(bytes);
    if (!bmp)
        return 0;
    Require(format != bw::PictureFormat::None);
    if (format == bw::PictureFormat::Bmp) {
        Require(*bmp == bytes);
        return 0;
    }
    Require(bmp->size() >= 54);
    const std::uint32_t width = U32(*bmp, 18), height = U32(*bmp, 22), image = width * height * 4;
    Require(bw::PictureSizeFits(width, height));
    Require(bmp->size() == 54 + std::size_t{image} && bmp->starts_with("BM") && U32(*bmp, 2) == 54 + image &&
            U32(*bmp, 10) == 54 && U32(*bmp, 14) == 40 && U32(*bmp, 26) == (1 | 32 << 16) && U32(*bmp, 30) == 0 &&
            U32(*bmp, 34) == image);
    for (std::size_t at = 54 + 3; at < bmp->size(); at += 4)
        Require((*bmp)[at] == '\xFF');
    Require(bw::CheckPicture(*bmp) == bw::PictureFormat::Bmp);
    return 0;
}
