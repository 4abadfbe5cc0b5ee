#include "picture/decode_logic.h"

#include <algorithm>
#include <utility>

namespace bw {

namespace {

// Where each coefficient of the zigzag order sits in the 8 x 8 block.
constexpr std::uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                      12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                      35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                      58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct Huffman {
    std::uint8_t count[17] = {};
    std::uint8_t symbol[256] = {};
};

struct Component {
    unsigned id = 0, h = 1, v = 1, table = 0, dcTable = 0, acTable = 0;
    std::uint32_t blocksWide = 0, blocksHigh = 0; // whole MCUs
    std::vector<std::int16_t> coefficients;       // 64 a block, in zigzag order
    int predictor = 0;
};

struct Jpeg {
    std::string_view f;
    std::size_t at = 0;
    unsigned byte = 0, bitsLeft = 0;
    bool over = false; // a scan that needs bits past its data is refused
    std::uint32_t width = 0, height = 0, mcusWide = 0, mcusHigh = 0;
    unsigned hMax = 1, vMax = 1, restart = 0, count = 0;
    bool progressive = false;
    Component components[3];
    Huffman dc[4], ac[4];
    std::uint16_t quant[4][64] = {};
    unsigned ss = 0, se = 0, ah = 0, al = 0, eobRun = 0;

    unsigned U8(std::size_t i) const { return static_cast<unsigned char>(f[i]); }

    unsigned Bit() {
        if (bitsLeft == 0) {
            byte = 0;
            if (at < f.size() && U8(at) != 0xFF)
                byte = U8(at++);
            else if (at + 1 < f.size() && U8(at + 1) == 0)
                byte = 0xFF, at += 2; // a stuffed zero
            else
                over = true;
            bitsLeft = 8;
        }
        return byte >> --bitsLeft & 1;
    }
    unsigned Bits(unsigned n) {
        unsigned v = 0;
        while (n-- > 0)
            v = v << 1 | Bit();
        return v;
    }
    // A coefficient of s bits: the lower half of the range stands for negative values.
    int Receive(unsigned s) {
        const int v = static_cast<int>(Bits(s));
        return s == 0 || v >= 1 << (s - 1) ? v : v - (1 << s) + 1;
    }
    int Decode(const Huffman& h) {
        int code = 0, first = 0, index = 0;
        for (int length = 1; length <= 16; ++length) {
            code |= static_cast<int>(Bit());
            if (code - first < h.count[length])
                return h.symbol[index + code - first];
            index += h.count[length];
            first = (first + h.count[length]) << 1;
            code <<= 1;
        }
        return -1;
    }

    bool DecodeBlock(Component& c, std::int16_t* coef);
    bool DecodeScan(Component* scan[], unsigned n);
};

bool Jpeg::DecodeBlock(Component& c, std::int16_t* coef) {
    unsigned k = ss;
    if (ss == 0) {
        if (progressive && ah != 0) {
            if (Bit())
                coef[0] = static_cast<std::int16_t>(coef[0] | 1 << al);
        } else {
            const int s = Decode(dc[c.dcTable]);
            if (s < 0 || s > 15)
                return false;
            c.predictor = static_cast<std::int16_t>(c.predictor + Receive(static_cast<unsigned>(s)));
            coef[0] = static_cast<std::int16_t>(c.predictor * (1 << al));
        }
        if (se == 0)
            return true;
        k = 1;
    }
    if (!progressive || ah == 0) {
        if (eobRun > 0) {
            --eobRun;
            return true;
        }
        for (; k <= se; ++k) {
            const int rs = Decode(ac[c.acTable]);
            if (rs < 0)
                return false;
            const unsigned r = static_cast<unsigned>(rs) >> 4, s = rs & 15;
            if (s == 0) {
                if (r < 15) { // the end of this block, and of as many after it as the run says
                    eobRun = (1u << r) - 1 + Bits(r);
                    break;
                }
                k += 15;
                continue;
            }
            k += r;
            if (k > se)
                return false;
            coef[k] = static_cast<std::int16_t>(Receive(s) * (1 << al));
        }
        return true;
    }
    // Successive approximation of the AC coefficients: one more bit of each coefficient that is already
    // non-zero, and new coefficients of +-1 << al placed among the zero ones.
    const int plus = 1 << al, minus = -plus;
    const auto refine = [&](std::int16_t& value) {
        if (Bit() && (value & plus) == 0)
            value = static_cast<std::int16_t>(value + (value >= 0 ? plus : minus));
    };
    if (eobRun == 0) {
        while (k <= se) {
            const int rs = Decode(ac[c.acTable]);
            if (rs < 0)
                return false;
            unsigned r = static_cast<unsigned>(rs) >> 4;
            int value = 0;
            if ((rs & 15) != 0) {
                value = Bit() ? plus : minus;
            } else if (r < 15) {
                eobRun = (1u << r) + Bits(r);
                break;
            }
            for (; k <= se; ++k) {
                if (coef[k] != 0) {
                    refine(coef[k]);
                } else if (r-- == 0) {
                    if (value != 0)
                        coef[k] = static_cast<std::int16_t>(value);
                    ++k;
                    break;
                }
            }
        }
    }
    if (eobRun > 0) {
        for (; k <= se; ++k)
            if (coef[k] != 0)
                refine(coef[k]);
        --eobRun;
    }
    return true;
}

bool Jpeg::DecodeScan(Component* scan[], unsigned n) {
    bitsLeft = 0, eobRun = 0;
    for (unsigned i = 0; i < n; ++i)
        scan[i]->predictor = 0;
    // A scan of one component goes block by block over that component alone, MCU padding left out.
    const Component& first = *scan[0];
    const std::uint32_t unitsWide = n > 1 ? mcusWide : ((width * first.h + hMax - 1) / hMax + 7) / 8;
    const std::uint32_t unitsHigh = n > 1 ? mcusHigh : ((height * first.v + vMax - 1) / vMax + 7) / 8;
    const std::uint32_t units = unitsWide * unitsHigh;
    for (std::uint32_t unit = 0; unit < units; ++unit) {
        if (restart != 0 && unit > 0 && unit % restart == 0) {
            while (at + 1 < f.size() && U8(at) == 0xFF && U8(at + 1) == 0xFF)
                ++at;
            if (at + 1 >= f.size() || U8(at) != 0xFF || U8(at + 1) != 0xD0 + (unit / restart - 1) % 8)
                return false;
            at += 2, bitsLeft = 0, eobRun = 0;
            for (unsigned i = 0; i < n; ++i)
                scan[i]->predictor = 0;
        }
        const std::uint32_t x = unit % unitsWide, y = unit / unitsWide;
        for (unsigned i = 0; i < n; ++i) {
            Component& c = *scan[i];
            const unsigned across = n > 1 ? c.h : 1, down = n > 1 ? c.v : 1;
            for (unsigned j = 0; j < across * down; ++j) {
                const std::size_t block = std::size_t{y * down + j / across} * c.blocksWide + x * across + j % across;
                if (!DecodeBlock(c, &c.coefficients[64 * block]) || over)
                    return false;
            }
        }
    }
    return true;
}

unsigned Be16(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) << 8 | static_cast<unsigned char>(s[at + 1]);
}

// The IDCT's cosines, C(u) / 2 * cos((2x + 1) u pi / 16) in units of 1 / 4096.
void Cosines(int t[8][8]) {
    static constexpr std::int16_t kCos[9] = {2048, 2009, 1892, 1703, 1448, 1138, 784, 400, 0}; // 2048 cos(k pi / 16)
    for (int x = 0; x < 8; ++x) {
        for (int u = 0; u < 8; ++u) {
            int m = (2 * x + 1) * u % 32;
            m = m > 16 ? 32 - m : m;
            t[x][u] = u == 0 ? 1448 : m > 8 ? -kCos[16 - m] : kCos[m];
        }
    }
}

// One block into 8 x 8 samples: columns, then rows, in integers. The columns keep 2 bits of fraction; each
// sample is rounded to nearest, shifted by 128 and clamped to 0..255. A coefficient is clamped to +-4095, more
// than any 8-bit picture can have, so that no sum overflows.
void Idct(const std::int16_t* coef, const std::uint16_t* quant, const int t[8][8], std::uint8_t* out,
          std::size_t stride) {
    int f[64] = {}, tmp[64];
    for (int k = 0; k < 64; ++k)
        f[kZigzag[k]] = std::clamp(coef[k] * quant[k], -4095, 4095);
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            int sum = 512;
            for (int v = 0; v < 8; ++v)
                sum += t[y][v] * f[8 * v + u];
            tmp[8 * y + u] = sum >> 10;
        }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int sum = 8192;
            for (int u = 0; u < 8; ++u)
                sum += t[x][u] * tmp[8 * y + u];
            out[std::size_t{static_cast<unsigned>(y)} * stride + static_cast<unsigned>(x)] =
                static_cast<std::uint8_t>(std::clamp((sum >> 14) + 128, 0, 255));
        }
}

} // namespace

std::optional<Rgba> DecodeJpeg(std::string_view bytes) {
    Jpeg j;
    j.f = bytes;
    if (bytes.size() < 4 || j.U8(0) != 0xFF || j.U8(1) != 0xD8)
        return std::nullopt;
    j.at = 2;
    bool scanned = false, jfif = false;
    int adobeTransform = -1;
    for (;;) {
        if (j.at >= bytes.size() || j.U8(j.at) != 0xFF)
            return std::nullopt;
        while (j.at < bytes.size() && j.U8(j.at) == 0xFF)
            ++j.at;
        if (j.at >= bytes.size())
            return std::nullopt;
        const unsigned marker = j.U8(j.at++);
        if (marker == 0xD9)
            break;
        if (bytes.size() - j.at < 2)
            return std::nullopt;
        const std::size_t length = Be16(bytes, j.at);
        if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01 || length < 2 || length > bytes.size() - j.at)
            return std::nullopt;
        const std::string_view s = bytes.substr(j.at + 2, length - 2);
        const auto u8 = [s](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
        j.at += length;
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            // One frame of 8-bit samples, grey or three components.
            j.count = s.size() >= 6 ? u8(5) : 0;
            if (j.width != 0 || (j.count != 1 && j.count != 3) || s.size() != 6 + 3 * j.count || u8(0) != 8)
                return std::nullopt;
            j.height = Be16(s, 1), j.width = Be16(s, 3), j.progressive = marker == 0xC2;
            if (!PictureSizeFits(j.width, j.height))
                return std::nullopt;
            for (unsigned i = 0; i < j.count; ++i) {
                Component& c = j.components[i];
                c.id = u8(6 + 3 * i), c.h = u8(7 + 3 * i) >> 4, c.v = u8(7 + 3 * i) & 15, c.table = u8(8 + 3 * i);
                if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.table > 3)
                    return std::nullopt;
                j.hMax = std::max(j.hMax, c.h), j.vMax = std::max(j.vMax, c.v);
            }
            j.mcusWide = (j.width + 8 * j.hMax - 1) / (8 * j.hMax);
            j.mcusHigh = (j.height + 8 * j.vMax - 1) / (8 * j.vMax);
            for (unsigned i = 0; i < j.count; ++i) {
                Component& c = j.components[i];
                c.blocksWide = j.mcusWide * c.h, c.blocksHigh = j.mcusHigh * c.v;
                c.coefficients.assign(std::size_t{c.blocksWide} * c.blocksHigh * 64, 0);
            }
        } else if ((marker >= 0xC3 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8) || marker == 0xDC) {
            return std::nullopt; // lossless, hierarchical, arithmetic coding, a height given after the scan
        } else if (marker == 0xC4) {
            for (std::size_t p = 0; p < s.size();) {
                if (s.size() - p < 17 || (u8(p) >> 4) > 1 || (u8(p) & 15) > 3)
                    return std::nullopt;
                Huffman& h = (u8(p) >> 4 ? j.ac : j.dc)[u8(p) & 15];
                std::size_t total = 0;
                int left = 1;
                for (int length = 1; length <= 16; ++length) {
                    h.count[length] = static_cast<std::uint8_t>(u8(p + static_cast<std::size_t>(length)));
                    total += h.count[length];
                    left = 2 * left - h.count[length];
                    if (left < 0)
                        return std::nullopt; // more codes than the lengths allow
                }
                p += 17;
                if (total > 256 || total > s.size() - p)
                    return std::nullopt;
                for (std::size_t i = 0; i < total; ++i)
                    h.symbol[i] = static_cast<std::uint8_t>(u8(p + i));
                p += total;
            }
        } else if (marker == 0xDB) {
            for (std::size_t p = 0; p < s.size();) {
                const unsigned wide = u8(p) >> 4, table = u8(p) & 15;
                if (wide > 1 || table > 3 || s.size() - p < 65 + 64 * wide)
                    return std::nullopt;
                for (std::size_t k = 0; k < 64; ++k)
                    j.quant[table][k] = static_cast<std::uint16_t>(wide ? Be16(s, p + 1 + 2 * k) : u8(p + 1 + k));
                p += 65 + 64 * wide;
            }
        } else if (marker == 0xDD) {
            if (s.size() < 2)
                return std::nullopt;
            j.restart = Be16(s, 0);
        } else if (marker == 0xE0) {
            jfif = jfif || s.substr(0, 5) == std::string_view("JFIF", 5);
        } else if (marker == 0xEE) {
            if (s.size() >= 12 && s.substr(0, 5) == "Adobe")
                adobeTransform = static_cast<int>(u8(11));
        } else if (marker == 0xDA) {
            const unsigned n = s.empty() ? 0 : u8(0);
            if (j.width == 0 || n < 1 || n > j.count || s.size() != 4 + 2 * n)
                return std::nullopt;
            Component* scan[3];
            for (unsigned i = 0; i < n; ++i) {
                scan[i] = nullptr;
                for (Component& c : j.components)
                    if (&c < j.components + j.count && c.id == u8(1 + 2 * i))
                        scan[i] = &c;
                if (!scan[i])
                    return std::nullopt;
                scan[i]->dcTable = u8(2 + 2 * i) >> 4, scan[i]->acTable = u8(2 + 2 * i) & 15;
                if (scan[i]->dcTable > 3 || scan[i]->acTable > 3)
                    return std::nullopt;
            }
            j.ss = u8(1 + 2 * n), j.se = u8(2 + 2 * n), j.ah = u8(3 + 2 * n) >> 4, j.al = u8(3 + 2 * n) & 15;
            const bool sound = j.progressive ? j.ss <= j.se && j.se <= 63 && (j.ss == 0) == (j.se == 0) &&
                                                   (j.ss == 0 || n == 1) && j.ah <= 13 && j.al <= 13
                                             : j.ss == 0 && j.se == 63 && j.ah == 0 && j.al == 0;
            if (!sound || !j.DecodeScan(scan, n))
                return std::nullopt;
            // On to the marker after the scan's data.
            while (j.at + 1 < bytes.size() && !(j.U8(j.at) == 0xFF && j.U8(j.at + 1) != 0 && j.U8(j.at + 1) != 0xFF &&
                                                (j.U8(j.at + 1) & 0xF8) != 0xD0))
                ++j.at;
            scanned = true;
        }
    }
    if (!scanned)
        return std::nullopt;

    // Each component's samples, then every pixel from the samples that cover it.
    int t[8][8];
    Cosines(t);
    std::vector<std::uint8_t> planes[3];
    for (unsigned i = 0; i < j.count; ++i) {
        const Component& c = j.components[i];
        const std::size_t stride = std::size_t{c.blocksWide} * 8;
        planes[i].resize(stride * c.blocksHigh * 8);
        for (std::size_t b = 0; b < std::size_t{c.blocksWide} * c.blocksHigh; ++b)
            Idct(&c.coefficients[64 * b], j.quant[c.table], t,
                 &planes[i][b / c.blocksWide * 8 * stride + b % c.blocksWide * 8], stride);
    }
    // Three components are YCbCr unless Adobe's marker says otherwise and no JFIF marker says YCbCr, as libjpeg
    // takes them.
    const bool rgb = adobeTransform == 0 && !jfif;
    Rgba out = BlankPicture(j.width, j.height);
    std::uint8_t* px = out.pixels.data();
    for (std::uint32_t y = 0; y < j.height; ++y) {
        for (std::uint32_t x = 0; x < j.width; ++x, px += 4) {
            int v[3];
            for (unsigned i = 0; i < j.count; ++i) {
                const Component& c = j.components[i];
                // Samples of half the resolution are interpolated between the two nearest (weights 3 and 1,
                // the edges repeated), as their centres lie between the pixels'; other ratios are repeated.
                const auto near = [](std::uint32_t at, unsigned factor, unsigned max, std::uint32_t size, bool& half) {
                    const std::uint32_t sample = at * factor / max, last = (size * factor + max - 1) / max - 1;
                    half = factor * 2 == max;
                    return std::pair{sample, !half    ? sample
                                             : at % 2 ? std::min(sample + 1, last)
                                                      : sample - (sample > 0)};
                };
                bool halfX, halfY;
                const auto [x0, x1] = near(x, c.h, j.hMax, j.width, halfX);
                const auto [y0, y1] = near(y, c.v, j.vMax, j.height, halfY);
                const std::size_t stride = std::size_t{c.blocksWide} * 8;
                const std::uint8_t* p = planes[i].data();
                const int wx = halfX ? 3 : 4, wy = halfY ? 3 : 4;
                // Rounding alternates by column as in libjpeg, whose pictures users compare ours with.
                const int bias = halfY ? 8 - static_cast<int>(halfX && x % 2) : 4 + 4 * static_cast<int>(x % 2);
                v[i] = (wy * (wx * p[y0 * stride + x0] + (4 - wx) * p[y0 * stride + x1]) +
                        (4 - wy) * (wx * p[y1 * stride + x0] + (4 - wx) * p[y1 * stride + x1]) + bias) >>
                       4;
            }
            if (j.count == 1) {
                px[0] = px[1] = px[2] = static_cast<std::uint8_t>(v[0]);
            } else if (rgb) {
                px[0] = static_cast<std::uint8_t>(v[0]), px[1] = static_cast<std::uint8_t>(v[1]),
                px[2] = static_cast<std::uint8_t>(v[2]);
            } else {
                // JFIF's YCbCr in units of 1 / 65536, rounded to nearest.
                const int cb = v[1] - 128, cr = v[2] - 128;
                px[0] = static_cast<std::uint8_t>(std::clamp(v[0] + ((91881 * cr + 32768) >> 16), 0, 255));
                px[1] =
                    static_cast<std::uint8_t>(std::clamp(v[0] + ((-22554 * cb - 46802 * cr + 32768) >> 16), 0, 255));
                px[2] = static_cast<std::uint8_t>(std::clamp(v[0] + ((116130 * cb + 32768) >> 16), 0, 255));
            }
            px[3] = 255;
        }
    }
    return out;
}

} // namespace bw
