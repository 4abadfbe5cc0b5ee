#include "picture/decode_logic.h"

#include <algorithm>

namespace bw {

namespace {

struct Reader {
    std::string_view in;
    std::size_t at = 0;
    bool Has(std::size_t n) const { return n <= in.size() - at; }
    unsigned U8() { return static_cast<unsigned char>(in[at++]); }
    unsigned U16() { return U8() | U8() << 8; }
};

// Sub-blocks up to the empty one; false when the file ends first.
bool ReadSubBlocks(Reader& r, std::string* out) {
    for (;;) {
        if (!r.Has(1))
            return false;
        const unsigned n = r.U8();
        if (n == 0)
            return true;
        if (!r.Has(n))
            return false;
        if (out)
            *out += r.in.substr(r.at, n);
        r.at += n;
    }
}

// Interlaced frames store rows 0, 8, 16..., then 4, 12..., then 2, 6..., then the odd rows.
std::uint32_t FrameRow(std::uint32_t stored, std::uint32_t height) {
    static constexpr std::uint8_t kFirst[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const std::uint32_t rows = height > kFirst[pass] ? (height - kFirst[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (stored < rows)
            return kFirst[pass] + stored * kStep[pass];
        stored -= rows;
    }
    return 0;
}

} // namespace

std::optional<Rgba> DecodeGif(std::string_view bytes) {
    Reader r{bytes};
    if (!r.Has(13) || !(bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a"))
        return std::nullopt;
    r.at = 6;
    const std::uint32_t screenWidth = r.U16(), screenHeight = r.U16();
    const unsigned flags = r.U8();
    r.at += 2;
    if (!PictureSizeFits(screenWidth, screenHeight))
        return std::nullopt;
    // Colours past a table's end, and every colour without a table, are black.
    std::uint8_t palette[256 * 3] = {};
    const auto readTable = [&r, &palette](unsigned tableFlags) {
        if (!(tableFlags & 0x80))
            return true;
        const std::size_t size = std::size_t{3} << ((tableFlags & 7) + 1);
        if (!r.Has(size))
            return false;
        for (std::size_t i = 0; i < size; ++i)
            palette[i] = static_cast<std::uint8_t>(r.U8());
        return true;
    };
    if (!readTable(flags))
        return std::nullopt;
    int transparent = -1;
    for (;;) {
        if (!r.Has(1))
            return std::nullopt;
        const unsigned introducer = r.U8();
        if (introducer == 0x21) {
            if (!r.Has(1))
                return std::nullopt;
            // A Graphic Control Extension's transparent index holds for the frame after it.
            if (r.U8() == 0xF9 && r.Has(5) && static_cast<unsigned char>(bytes[r.at]) >= 4)
                transparent = bytes[r.at + 1] & 1 ? static_cast<unsigned char>(bytes[r.at + 4]) : -1;
            if (!ReadSubBlocks(r, nullptr))
                return std::nullopt;
            continue;
        }
        if (introducer != 0x2C || !r.Has(9))
            return std::nullopt;
        break;
    }
    const std::uint32_t left = r.U16(), top = r.U16(), width = r.U16(), height = r.U16();
    const unsigned frameFlags = r.U8();
    if (frameFlags & 0x80)
        std::fill(palette, palette + sizeof palette, 0); // the frame's own table replaces the global one
    if (!PictureSizeFits(width, height) || !readTable(frameFlags) || !r.Has(1))
        return std::nullopt;
    const unsigned minimum = r.U8();
    std::string codes;
    if (minimum < 2 || minimum > 8 || !ReadSubBlocks(r, &codes))
        return std::nullopt;

    // LZW: each table entry is an earlier entry plus one byte, so a string is read backwards along its prefixes.
    Rgba out = BlankPicture(screenWidth, screenHeight);
    const unsigned clear = 1u << minimum, end = clear + 1;
    std::uint16_t prefix[4096];
    std::uint8_t suffix[4096], stack[4097];
    unsigned size = minimum + 1, next = end + 1, bits = 0, count = 0;
    int previous = -1;
    std::size_t at = 0, pixel = 0;
    const std::size_t pixels = std::size_t{width} * height;
    const auto put = [&](unsigned index) {
        if (pixel == pixels)
            return;
        const std::uint32_t x = left + static_cast<std::uint32_t>(pixel % width);
        const std::uint32_t row = static_cast<std::uint32_t>(pixel / width);
        const std::uint32_t y = top + (frameFlags & 0x40 ? FrameRow(row, height) : row);
        ++pixel;
        if (x >= screenWidth || y >= screenHeight || static_cast<int>(index) == transparent)
            return;
        std::uint8_t* px = &out.pixels[4 * (std::size_t{y} * screenWidth + x)];
        px[0] = palette[3 * index], px[1] = palette[3 * index + 1], px[2] = palette[3 * index + 2], px[3] = 255;
    };
    // A frame whose codes end early keeps its missing pixels transparent, as browsers show it.
    while (pixel < pixels) {
        while (count < size && at < codes.size())
            bits |= static_cast<unsigned>(static_cast<unsigned char>(codes[at++])) << count, count += 8;
        if (count < size)
            break;
        const unsigned code = bits & ((1u << size) - 1);
        bits >>= size, count -= size;
        if (code == clear) {
            size = minimum + 1, next = end + 1, previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0 ? code >= clear : code > next)
            return std::nullopt;
        unsigned depth = 0, c = code == next ? static_cast<unsigned>(previous) : code;
        for (; c > end; c = prefix[c])
            stack[depth++] = suffix[c];
        stack[depth++] = static_cast<std::uint8_t>(c);
        while (depth > 0)
            put(stack[--depth]);
        if (code == next)
            put(c);
        if (previous >= 0 && next < 4096) {
            prefix[next] = static_cast<std::uint16_t>(previous), suffix[next] = static_cast<std::uint8_t>(c);
            if (++next == 1u << size && size < 12)
                ++size;
        }
        previous = static_cast<int>(code);
    }
    return out;
}

} // namespace bw
