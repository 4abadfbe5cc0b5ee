#include "picture/decode_logic.h"

namespace bw {

namespace {

struct Bytes {
    std::string_view b;
    unsigned U8(std::size_t at) const { return static_cast<unsigned char>(b[at]); }
    unsigned U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }
    std::uint32_t Be32(std::size_t at) const {
        return static_cast<std::uint32_t>(U8(at) << 24 | U8(at + 1) << 16 | U8(at + 2) << 8 | U8(at + 3));
    }
};

bool IsPng(std::string_view image) {
    return image.starts_with(kPngSignature);
}

// An icon's DIB: BITMAPINFOHEADER with the height of colour and mask rows together, BI_RGB, the colour rows
// bottom up, then the AND mask of one bit a pixel.
std::optional<Rgba> DecodeDib(std::string_view image) {
    const Bytes d{image};
    if (image.size() < 40)
        return std::nullopt;
    const std::uint32_t headerSize = d.U32(0), width = d.U32(4), doubleHeight = d.U32(8), height = doubleHeight / 2;
    const unsigned depth = d.U16(14);
    const std::uint64_t used = d.U32(32);
    if (headerSize < 40 || headerSize > image.size() || doubleHeight % 2 != 0 || d.U32(16) != 0 ||
        !(depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32) || !PictureSizeFits(width, height) ||
        (depth <= 8 && used > 1u << depth))
        return std::nullopt;
    const std::uint64_t colours = depth > 8 ? 0 : used != 0 ? used : 1u << depth;
    const std::uint64_t stride = (std::uint64_t{width} * depth + 31) / 32 * 4, maskStride = (width + 31) / 32 * 4;
    const std::uint64_t bits = headerSize + 4 * colours, mask = bits + stride * height;
    if (mask + maskStride * height > image.size())
        return std::nullopt;
    // A 32-bit image's alpha holds when any pixel has some; older ones leave it 0 and mean the mask.
    bool alpha = false;
    for (std::uint64_t y = 0; depth == 32 && y < height; ++y)
        for (std::uint64_t x = 0; x < width; ++x)
            alpha = alpha || d.U8(static_cast<std::size_t>(bits + y * stride + 4 * x + 3)) != 0;
    Rgba out = BlankPicture(width, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(bits + (height - 1 - y) * stride);
        const std::size_t maskRow = static_cast<std::size_t>(mask + (height - 1 - y) * maskStride);
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* px = &out.pixels[4 * (std::size_t{y} * width + x)];
            std::size_t at = row + std::size_t{x} * depth / 8; // blue, green, red
            if (depth <= 8) {
                const unsigned shift = 8 - depth - x * depth % 8;
                const unsigned index = d.U8(at) >> shift & ((1u << depth) - 1);
                at = index < colours ? static_cast<std::size_t>(headerSize + 4 * index) : 0;
            }
            for (int c = 0; c < 3; ++c)
                px[c] = static_cast<std::uint8_t>(at != 0 ? d.U8(at + 2 - static_cast<std::size_t>(c)) : 0);
            const bool masked = d.U8(maskRow + x / 8) >> (7 - x % 8) & 1;
            px[3] = static_cast<std::uint8_t>(alpha ? d.U8(at + 3) : masked ? 0 : 255);
        }
    }
    return out;
}

} // namespace

std::optional<Rgba> DecodeIcon(std::string_view bytes) {
    const Bytes f{bytes};
    if (bytes.size() < 6 || f.U16(0) != 0 || (f.U16(2) != 1 && f.U16(2) != 2))
        return std::nullopt;
    const std::size_t count = f.U16(4);
    if (count == 0 || bytes.size() < 6 + 16 * count)
        return std::nullopt;
    // The largest image, then the deepest, by what its own header says rather than the directory.
    std::string_view best;
    std::uint64_t bestArea = 0, bestDepth = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t length = f.U32(6 + 16 * i + 8), offset = f.U32(6 + 16 * i + 12);
        if (offset > bytes.size() || length > bytes.size() - offset || length < 40)
            return std::nullopt;
        const std::string_view image = bytes.substr(offset, length);
        const Bytes d{image};
        std::uint64_t area, depth;
        if (IsPng(image)) {
            const unsigned colour = d.U8(25);
            area = std::uint64_t{d.Be32(16)} * d.Be32(20);
            depth = d.U8(24) * (colour == 2 ? 3u : colour == 4 ? 2u : colour == 6 ? 4u : 1u);
        } else {
            area = std::uint64_t{d.U32(4)} * (d.U32(8) / 2);
            depth = d.U16(14);
        }
        if (best.empty() || area > bestArea || (area == bestArea && depth > bestDepth))
            best = image, bestArea = area, bestDepth = depth;
    }
    return IsPng(best) ? DecodePng(best) : DecodeDib(best);
}

} // namespace bw
