#include "picture/decode_logic.h"

#include "picture/picture_check_logic.h"

namespace bw {

bool PictureSizeFits(std::uint64_t width, std::uint64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

Rgba BlankPicture(std::uint32_t width, std::uint32_t height) {
    return {width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
}

std::optional<Rgba> DecodePicture(std::string_view bytes) {
    const auto starts = [bytes](std::string_view signature) { return bytes.substr(0, signature.size()) == signature; };
    if (starts(kPngSignature))
        return DecodePng(bytes);
    if (starts("GIF8"))
        return DecodeGif(bytes);
    if (starts(std::string_view("\0\0\1\0", 4)) || starts(std::string_view("\0\0\2\0", 4)))
        return DecodeIcon(bytes);
    if (starts("\xFF\xD8"))
        return DecodeJpeg(bytes);
    return std::nullopt;
}

std::string BuildLogoBitmap(const Rgba& picture) {
    const std::uint32_t imageSize = picture.width * picture.height * 4;
    std::string s(54, '\0');
    const auto put = [&s](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> 8 * i);
    };
    s[0] = 'B', s[1] = 'M';
    put(2, 54 + imageSize);
    put(10, 54);
    put(14, 40);
    put(18, picture.width);
    put(22, picture.height); // positive: rows bottom up, as every loader takes them
    put(26, 1 | 32 << 16);   // one plane, 32 bits a pixel
    put(34, imageSize);
    put(38, 2835), put(42, 2835); // 72 dots an inch
    s.reserve(54 + std::size_t{imageSize});
    for (std::uint32_t y = picture.height; y-- > 0;) {
        const std::uint8_t* px = &picture.pixels[std::size_t{y} * picture.width * 4];
        for (std::uint32_t x = 0; x < picture.width; ++x, px += 4) {
            const unsigned a = px[3];
            for (int c = 2; c >= 0; --c)
                s += static_cast<char>((px[c] * a + 255 * (255 - a) + 127) / 255);
            s += '\xFF';
        }
    }
    return s;
}

std::optional<std::string> LogoBitmap(std::string_view bytes) {
    const PictureFormat format = CheckPicture(bytes);
    if (format == PictureFormat::Bmp)
        return std::string(bytes);
    // Nothing but a checked file reaches a decoder.
    const std::optional<Rgba> picture = format == PictureFormat::None ? std::nullopt : DecodePicture(bytes);
    return picture ? std::optional(BuildLogoBitmap(*picture)) : std::nullopt;
}

} // namespace bw
