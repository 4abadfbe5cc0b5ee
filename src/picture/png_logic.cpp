#include "picture/picture_check_logic.h"
#include "picture/decode_logic.h"
#include "picture/inflate_logic.h"

namespace bw {

namespace {

// The fuzz build takes any checksum, so that the fuzzer reaches what lies behind them.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr bool kChecksums = false;
#else
constexpr bool kChecksums = true;
#endif

unsigned Byte(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]);
}
unsigned Be16(std::string_view s, std::size_t at) {
    return Byte(s, at) << 8 | Byte(s, at + 1);
}
std::uint32_t Be32(std::string_view s, std::size_t at) {
    return static_cast<std::uint32_t>(Be16(s, at)) << 16 | Be16(s, at + 2);
}

std::uint32_t Crc32(std::string_view s) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : s) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

struct Png {
    std::uint32_t width = 0, height = 0;
    unsigned depth = 0, colour = 0, interlace = 0;
    std::string_view palette, transparency;
    std::vector<std::uint8_t> filtered; // every pass's rows, each with its filter byte
};

unsigned Channels(unsigned colour) {
    return colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
}

// Adam7's passes: first column and row, then the step between columns and between rows.
constexpr std::uint8_t kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr std::uint8_t kWhole[4] = {0, 0, 1, 1};

struct Pass {
    std::uint32_t x0, y0, dx, dy, width, height;
};

Pass PassOf(const Png& png, int pass) {
    const std::uint8_t* p = png.interlace ? kAdam7[pass] : kWhole;
    const auto span = [](std::uint32_t size, unsigned first, unsigned step) {
        return size > first ? (size - first + step - 1) / step : 0;
    };
    return {p[0], p[1], p[2], p[3], span(png.width, p[0], p[2]), span(png.height, p[1], p[3])};
}

std::size_t RowBytes(const Png& png, std::uint32_t width) {
    return (static_cast<std::size_t>(width) * Channels(png.colour) * png.depth + 7) / 8;
}

bool HeaderIsSound(const Png& png, unsigned compression, unsigned filter) {
    const unsigned d = png.depth;
    const bool depthFits = png.colour == 0   ? d == 1 || d == 2 || d == 4 || d == 8 || d == 16
                           : png.colour == 3 ? d == 1 || d == 2 || d == 4 || d == 8
                           : png.colour == 2 || png.colour == 4 || png.colour == 6 ? d == 8 || d == 16
                                                                                   : false;
    return depthFits && compression == 0 && filter == 0 && png.interlace <= 1 && PictureSizeFits(png.width, png.height);
}

// The structure, then the IDATs inflated into a buffer of exactly the size the header implies: a stream that
// would give more is refused as soon as it tries, so no compression bomb is ever expanded.
std::optional<Png> ReadPng(std::string_view f) {
    if (!f.starts_with(kPngSignature))
        return std::nullopt;
    Png png;
    std::string idat;
    bool header = false;
    int idatRun = 0; // 0 none yet, 1 in the run, 2 after it
    for (std::size_t p = 8;;) {
        if (f.size() - p < 12)
            return std::nullopt;
        const std::uint32_t length = Be32(f, p);
        if (length > f.size() - p - 12 || (kChecksums && Crc32(f.substr(p + 4, length + 4)) != Be32(f, p + 8 + length)))
            return std::nullopt;
        const std::string_view type = f.substr(p + 4, 4), data = f.substr(p + 8, length);
        p += 12 + std::size_t{length};
        for (char c : type)
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return std::nullopt;
        if (!header) {
            if (type != "IHDR" || length != 13)
                return std::nullopt;
            png.width = Be32(data, 0), png.height = Be32(data, 4);
            png.depth = Byte(data, 8), png.colour = Byte(data, 9), png.interlace = Byte(data, 12);
            if (!HeaderIsSound(png, Byte(data, 10), Byte(data, 11)))
                return std::nullopt;
            header = true;
            continue;
        }
        // IEND ends the file: a chunk or any byte after it is refused, as is a file without image data.
        if (type == "IEND") {
            if (length != 0 || p != f.size() || idatRun == 0)
                return std::nullopt;
            break;
        }
        if (idatRun == 1 && type != "IDAT")
            idatRun = 2;
        const bool indexed = png.colour == 3;
        if (type == "IDAT") {
            if (idatRun == 2 || (indexed && png.palette.empty()))
                return std::nullopt;
            idatRun = 1;
            idat += data;
        } else if (type == "PLTE") {
            if (!png.palette.empty() || !png.transparency.empty() || idatRun != 0 || length == 0 || length % 3 != 0 ||
                length / 3 > (indexed ? 1u << png.depth : 256u) || png.colour == 0 || png.colour == 4)
                return std::nullopt;
            png.palette = data;
        } else if (type == "tRNS") {
            const std::size_t size = png.colour == 0 ? 2 : png.colour == 2 ? 6 : 0;
            if (!png.transparency.empty() || idatRun != 0 ||
                (indexed ? length == 0 || length > png.palette.size() / 3 : length != size || size == 0))
                return std::nullopt;
            png.transparency = data;
        } else if ((type[0] & 0x20) == 0) {
            return std::nullopt; // a second IHDR, or a critical chunk this decoder does not know
        }
    }
    std::size_t size = 0;
    for (int pass = 0; pass < (png.interlace ? 7 : 1); ++pass) {
        const Pass s = PassOf(png, pass);
        if (s.width != 0)
            size += s.height * (1 + RowBytes(png, s.width));
    }
    png.filtered.resize(size);
    if (!Inflate(idat, png.filtered.data(), size))
        return std::nullopt;
    // Each row's filter type is known now, without unfiltering.
    std::size_t at = 0;
    for (int pass = 0; pass < (png.interlace ? 7 : 1); ++pass) {
        const Pass s = PassOf(png, pass);
        for (std::uint32_t y = 0; s.width != 0 && y < s.height; ++y, at += 1 + RowBytes(png, s.width))
            if (png.filtered[at] > 4)
                return std::nullopt;
    }
    return png;
}

} // namespace

bool CheckPng(std::string_view bytes) {
    return ReadPng(bytes).has_value();
}

std::optional<Rgba> DecodePng(std::string_view bytes) {
    std::optional<Png> png = ReadPng(bytes);
    if (!png)
        return std::nullopt;
    const unsigned channels = Channels(png->colour), depth = png->depth;
    const std::size_t step = channels * depth < 8 ? 1 : channels * depth / 8; // bytes of the pixel to the left
    const std::string_view palette = png->palette, trns = png->transparency;
    Rgba out = BlankPicture(png->width, png->height);
    std::uint8_t* data = png->filtered.data();
    for (int pass = 0; pass < (png->interlace ? 7 : 1); ++pass) {
        const Pass s = PassOf(*png, pass);
        if (s.width == 0)
            continue;
        const std::size_t stride = RowBytes(*png, s.width);
        const std::uint8_t* prior = nullptr;
        for (std::uint32_t y = 0; y < s.height; ++y) {
            const unsigned filter = *data++;
            std::uint8_t* row = data;
            data += stride;
            for (std::size_t i = 0; i < stride; ++i) {
                const int a = i >= step ? row[i - step] : 0, b = prior ? prior[i] : 0,
                          c = prior && i >= step ? prior[i - step] : 0;
                const int pa = b > c ? b - c : c - b, pb = a > c ? a - c : c - a;
                const int pc = a + b > 2 * c ? a + b - 2 * c : 2 * c - a - b;
                const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                const int predicted = filter == 1   ? a
                                      : filter == 2 ? b
                                      : filter == 3 ? (a + b) / 2
                                      : filter == 4 ? paeth
                                                    : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + predicted);
            }
            prior = row;
            for (std::uint32_t x = 0; x < s.width; ++x) {
                unsigned v[4];
                for (unsigned c = 0; c < channels; ++c) {
                    const std::size_t index = std::size_t{x} * channels + c;
                    if (depth == 16) {
                        v[c] = static_cast<unsigned>(row[2 * index] << 8 | row[2 * index + 1]);
                    } else {
                        const std::size_t bit = index * depth;
                        v[c] = row[bit / 8] >> (8 - depth - bit % 8) & ((1u << depth) - 1);
                    }
                }
                std::uint8_t* px = &out.pixels[4 * (std::size_t{s.y0 + y * s.dy} * png->width + s.x0 + x * s.dx)];
                if (png->colour == 3) {
                    if (v[0] >= palette.size() / 3)
                        return std::nullopt;
                    for (int c = 0; c < 3; ++c)
                        px[c] = static_cast<std::uint8_t>(palette[3 * v[0] + static_cast<unsigned>(c)]);
                    px[3] = static_cast<std::uint8_t>(v[0] < trns.size() ? Byte(trns, v[0]) : 255);
                    continue;
                }
                // The key colour of tRNS compares the samples as stored, before they are scaled.
                bool keyed = !trns.empty();
                for (unsigned c = 0; keyed && c < channels; ++c)
                    keyed = v[c] == Be16(trns, 2 * c);
                const auto scale = [depth](unsigned value) {
                    return static_cast<std::uint8_t>(depth == 16 ? value >> 8 : value * 255 / ((1u << depth) - 1));
                };
                const bool grey = channels < 3;
                for (int c = 0; c < 3; ++c)
                    px[c] = scale(v[grey ? 0 : c]);
                px[3] = channels == 2 || channels == 4 ? scale(v[channels - 1]) : keyed ? 0 : 255;
            }
        }
    }
    return out;
}

} // namespace bw
