#include "picture/picture_check_logic.h"

#include "picture/decode_logic.h"

#include <bit>
#include <optional>

namespace bw {

namespace {

using U64 = std::uint64_t;

// Offsets and lengths are 64-bit: sums of two 32-bit fields cannot wrap, on either build.
struct Bytes {
    std::string_view b;
    U64 size() const { return b.size(); }
    bool Has(U64 offset, U64 length) const { return offset <= size() && length <= size() - offset; }
    unsigned U8(U64 at) const { return static_cast<unsigned char>(b[static_cast<std::size_t>(at)]); }
    unsigned U16(U64 at) const { return U8(at) | U8(at + 1) << 8; }
    unsigned Be16(U64 at) const { return U8(at) << 8 | U8(at + 1); }
    std::uint32_t U32(U64 at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }
    std::int32_t I32(U64 at) const { return static_cast<std::int32_t>(U32(at)); }
};

bool SizeIsBounded(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

bool MaskIsContiguous(std::uint32_t mask) {
    if (mask == 0)
        return true;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

// Colour masks: red, green and blue present, each one run of bits, none overlapping, all within the depth.
bool MasksAreSound(const Bytes& f, U64 at, int count, unsigned bitCount) {
    std::uint32_t seen = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t mask = f.U32(at + 4 * static_cast<U64>(i));
        if ((i < 3 && mask == 0) || !MaskIsContiguous(mask) || (mask & seen) != 0 ||
            (bitCount == 16 && mask > 0xFFFF))
            return false;
        seen |= mask;
    }
    return true;
}

// Walks every run of RLE4 or RLE8 data: each one must stay inside the picture and the data, and the data
// must reach its end-of-picture mark.
bool RleRunsStayInside(const Bytes& f, U64 p, U64 end, std::int64_t width, std::int64_t rows, bool rle8) {
    std::int64_t x = 0;
    std::int64_t y = 0;
    for (;;) {
        if (end - p < 2)
            return false;
        const unsigned n = f.U8(p);
        const unsigned c = f.U8(p + 1);
        p += 2;
        if (n > 0) {
            if (y >= rows || x + n > width)
                return false;
            x += n;
            continue;
        }
        switch (c) {
        case 0: // end of line
            if (y >= rows)
                return false;
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return true;
        case 2: // delta
            if (end - p < 2)
                return false;
            x += f.U8(p);
            y += f.U8(p + 1);
            p += 2;
            if (x > width || y > rows)
                return false;
            break;
        default: { // c pixels given one by one, padded to a whole word
            if (y >= rows || x + c > width)
                return false;
            U64 length = rle8 ? c : (c + 1) / 2;
            length += length & 1;
            if (end - p < length)
                return false;
            p += length;
            x += c;
        }
        }
    }
}

// BI_ALPHABITFIELDS (6) is not among them: the desktop system's loader refuses it (it comes from Windows CE);
// an alpha mask is taken in the headers of 56 bytes and more, with BI_BITFIELDS.
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::uint32_t kProfileLinked = 0x4C494E4B, kProfileEmbedded = 0x4D424544;

// A device-independent bitmap whose header starts at `header` and whose data must end by `end`. In a BMP file
// the pixels start at `bits`; in an icon they follow the palette, the height counts the colour and the mask
// rows, and a mask of one bit a pixel follows the colour rows.
bool DibIsSound(const Bytes& f, U64 header, std::optional<U64> bits, U64 end, bool icon) {
    if (!f.Has(header, 4) || end > f.size())
        return false;
    const std::uint32_t size = f.U32(header);
    const bool core = size == 12;
    if (icon ? size != 40 : !(core || size == 40 || size == 52 || size == 56 || size == 108 || size == 124))
        return false;
    if (header + size > end)
        return false;

    std::int64_t width, height;
    unsigned planes, bitCount;
    std::uint32_t compression = kRgb, colorsUsed = 0;
    if (core) {
        width = f.U16(header + 4);
        height = f.U16(header + 6);
        planes = f.U16(header + 8);
        bitCount = f.U16(header + 10);
    } else {
        width = f.I32(header + 4);
        height = f.I32(header + 8);
        planes = f.U16(header + 12);
        bitCount = f.U16(header + 14);
        compression = f.U32(header + 16);
        colorsUsed = f.U32(header + 32);
    }
    const bool topDown = height < 0;
    std::int64_t rows = topDown ? -height : height;
    if (icon) {
        if (topDown || rows % 2 != 0)
            return false;
        rows /= 2;
    }
    if (!SizeIsBounded(width, rows) || planes != 1)
        return false;
    const bool depthKnown = core ? (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24)
                                 : (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                                    bitCount == 24 || bitCount == 32);
    if (!depthKnown)
        return false;

    const bool rle = compression == kRle8 || compression == kRle4;
    const bool fields = compression == kBitFields;
    if (compression == kRle8 && bitCount != 8)
        return false;
    if (compression == kRle4 && bitCount != 4)
        return false;
    if (fields && bitCount != 16 && bitCount != 32)
        return false;
    if (!(compression == kRgb || rle || fields) || (icon && compression != kRgb) || (rle && topDown))
        return false;

    U64 masksEnd = header + size;
    if (fields) {
        if (size == 40)
            masksEnd += 12; // the three masks follow this header
        if (masksEnd > end || !MasksAreSound(f, header + 40, size >= 56 ? 4 : 3, bitCount))
            return false;
    }

    if (size == 108 || size == 124) {
        const std::uint32_t colourSpace = f.U32(header + 56);
        if (colourSpace == kProfileLinked || colourSpace == kProfileEmbedded) {
            if (size == 108 || !f.Has(header + f.U32(header + 112), f.U32(header + 116)))
                return false;
        }
    }

    const U64 maxColors = bitCount <= 8 ? U64{1} << bitCount : 256;
    if (colorsUsed > maxColors)
        return false;
    const U64 colors = colorsUsed != 0 ? colorsUsed : (bitCount <= 8 ? maxColors : 0);
    const U64 paletteEnd = masksEnd + colors * (core ? 3 : 4);
    if (paletteEnd > end)
        return false;

    const U64 start = bits.value_or(paletteEnd);
    if (start < paletteEnd || start > end)
        return false;
    if (rle) {
        const std::uint32_t dataSize = f.U32(header + 20);
        return dataSize != 0 && dataSize <= end - start &&
               RleRunsStayInside(f, start, start + dataSize, width, rows, compression == kRle8);
    }
    const auto stride = [width](U64 depth) { return (static_cast<U64>(width) * depth + 31) / 32 * 4; };
    const U64 pixels = stride(bitCount) * static_cast<U64>(rows) + (icon ? stride(1) * static_cast<U64>(rows) : 0);
    return pixels <= end - start;
}

PictureFormat CheckBmp(const Bytes& f) {
    if (!f.Has(0, 14))
        return PictureFormat::None;
    return DibIsSound(f, 14, f.U32(10), f.size(), false) ? PictureFormat::Bmp : PictureFormat::None;
}

// An icon or cursor directory; every image it lists must be a sound DIB or PNG inside the file.
PictureFormat CheckIconDirectory(const Bytes& f) {
    const unsigned type = f.U16(2);
    const unsigned count = f.U16(4);
    const U64 directoryEnd = 6 + 16 * static_cast<U64>(count);
    if (count == 0 || !f.Has(0, directoryEnd))
        return PictureFormat::None;
    for (unsigned i = 0; i < count; ++i) {
        const U64 entry = 6 + 16 * static_cast<U64>(i);
        const U64 length = f.U32(entry + 8);
        const U64 offset = f.U32(entry + 12);
        if (offset < directoryEnd || !f.Has(offset, length))
            return PictureFormat::None;
        const std::string_view image = f.b.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
        if (image.starts_with(kPngSignature) ? !CheckPng(image)
                                             : !DibIsSound(f, offset, std::nullopt, offset + length, true))
            return PictureFormat::None;
    }
    return type == 1 ? PictureFormat::Icon : PictureFormat::Cursor;
}

bool SkipSubBlocks(const Bytes& f, U64& p) {
    for (;;) {
        if (p >= f.size())
            return false;
        const unsigned n = f.U8(p++);
        if (n == 0)
            return true;
        if (!f.Has(p, n))
            return false;
        p += n;
    }
}

PictureFormat CheckGif(const Bytes& f) {
    if (!f.Has(0, 13) || !(f.b.substr(0, 6) == "GIF87a" || f.b.substr(0, 6) == "GIF89a"))
        return PictureFormat::None;
    const std::int64_t screenWidth = f.U16(6), screenHeight = f.U16(8);
    if (!SizeIsBounded(screenWidth, screenHeight))
        return PictureFormat::None;
    const auto colourTable = [](unsigned flags) -> U64 { return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0; };
    U64 p = 13 + colourTable(f.U8(10));
    bool image = false;
    for (;;) {
        if (p >= f.size())
            return PictureFormat::None;
        switch (f.U8(p++)) {
        case 0x3B: // trailer
            return image ? PictureFormat::Gif : PictureFormat::None;
        case 0x21: // extension: label, then its sub-blocks
            ++p;
            if (!SkipSubBlocks(f, p))
                return PictureFormat::None;
            break;
        case 0x2C: {
            if (!f.Has(p, 10))
                return PictureFormat::None;
            const std::int64_t left = f.U16(p), top = f.U16(p + 2), width = f.U16(p + 4), height = f.U16(p + 6);
            if (!SizeIsBounded(width, height) || left + width > screenWidth || top + height > screenHeight)
                return PictureFormat::None;
            p += 9 + colourTable(f.U8(p + 8));
            if (p >= f.size())
                return PictureFormat::None;
            const unsigned codeSize = f.U8(p++);
            if (codeSize < 2 || codeSize > 8 || !SkipSubBlocks(f, p))
                return PictureFormat::None;
            image = true;
            break;
        }
        default:
            return PictureFormat::None;
        }
    }
}

// Skips entropy-coded data: stops at the first marker that is neither a stuffed zero nor a restart.
bool SkipScan(const Bytes& f, U64& p) {
    for (; p < f.size(); ++p) {
        if (f.U8(p) != 0xFF)
            continue;
        if (p + 1 >= f.size())
            return false;
        const unsigned next = f.U8(p + 1);
        if (next == 0xFF)
            continue;
        if (next != 0 && (next < 0xD0 || next > 0xD7))
            return true;
        ++p;
    }
    return false;
}

PictureFormat CheckJpeg(const Bytes& f) {
    if (!f.Has(0, 2) || f.U8(0) != 0xFF || f.U8(1) != 0xD8)
        return PictureFormat::None;
    U64 p = 2;
    bool frame = false;
    bool scan = false;
    for (;;) {
        if (p >= f.size() || f.U8(p) != 0xFF)
            return PictureFormat::None;
        while (p < f.size() && f.U8(p) == 0xFF)
            ++p;
        if (p >= f.size())
            return PictureFormat::None;
        const unsigned marker = f.U8(p++);
        if (marker == 0xD9)
            return frame && scan ? PictureFormat::Jpeg : PictureFormat::None;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8) || !f.Has(p, 2))
            return PictureFormat::None;
        const U64 length = f.Be16(p);
        if (length < 2 || !f.Has(p, length))
            return PictureFormat::None;
        const U64 segment = p + 2;
        const U64 segmentLength = length - 2;
        p += length;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            // Only Huffman-coded baseline, extended and progressive frames; one frame a file.
            if (marker > 0xC2 || frame || segmentLength < 6)
                return PictureFormat::None;
            const unsigned components = f.U8(segment + 5);
            if (f.U8(segment) != 8 || !SizeIsBounded(f.Be16(segment + 3), f.Be16(segment + 1)) ||
                components < 1 || components > 4 || segmentLength != 6 + 3 * U64{components})
                return PictureFormat::None;
            for (unsigned i = 0; i < components; ++i) {
                const unsigned sampling = f.U8(segment + 7 + 3 * U64{i});
                if ((sampling >> 4) < 1 || (sampling >> 4) > 4 || (sampling & 15) < 1 || (sampling & 15) > 4)
                    return PictureFormat::None;
            }
            frame = true;
        } else if (marker == 0xDA) {
            if (!frame || segmentLength < 1)
                return PictureFormat::None;
            const unsigned components = f.U8(segment);
            if (components < 1 || components > 4 || segmentLength != 4 + 2 * U64{components} || !SkipScan(f, p))
                return PictureFormat::None;
            scan = true;
        }
    }
}

} // namespace

PictureFormat CheckPicture(std::string_view bytes) {
    const Bytes f{bytes};
    if (f.Has(0, 2) && bytes.substr(0, 2) == "BM")
        return CheckBmp(f);
    if (f.Has(0, 6) && f.U16(0) == 0 && (f.U16(2) == 1 || f.U16(2) == 2))
        return CheckIconDirectory(f);
    if (bytes.starts_with(kPngSignature))
        return CheckPng(bytes) ? PictureFormat::Png : PictureFormat::None;
    if (f.Has(0, 4) && bytes.substr(0, 4) == "GIF8")
        return CheckGif(f);
    if (f.Has(0, 2) && f.U8(0) == 0xFF && f.U8(1) == 0xD8)
        return CheckJpeg(f);
    return PictureFormat::None;
}

} // namespace bw
