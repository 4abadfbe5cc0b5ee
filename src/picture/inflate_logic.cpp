#include "picture/inflate_logic.h"

namespace bw {

namespace {

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr bool kChecksums = false; // so that the fuzzer reaches what lies behind them
#else
constexpr bool kChecksums = true;
#endif

// Bits are taken least significant first. Past the end the reader gives zeros and remembers it, so that every
// loop ends and the stream is refused.
struct BitReader {
    std::string_view in;
    std::size_t at = 0;
    std::uint32_t buffer = 0;
    int count = 0;
    bool over = false;

    unsigned Get(int n) {
        while (count < n) {
            if (at < in.size())
                buffer |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at])) << count;
            else
                over = true;
            ++at;
            count += 8;
        }
        const unsigned value = buffer & ((1u << n) - 1);
        buffer >>= n;
        count -= n;
        return value;
    }
};

// A canonical Huffman code as deflate defines it: how many codes of each length, and the symbols in code order.
struct Huffman {
    std::uint16_t count[16];
    std::uint16_t symbol[288];

    // Over-subscribed lengths are refused; an incomplete code is taken, and its missing codes fail when read.
    bool Build(const std::uint8_t* lengths, int n) {
        std::uint16_t offset[16];
        for (auto& c : count)
            c = 0;
        for (int i = 0; i < n; ++i)
            ++count[lengths[i]];
        count[0] = 0;
        int left = 1;
        offset[1] = 0;
        for (int len = 1; len < 16; ++len) {
            left = 2 * left - count[len];
            if (left < 0)
                return false;
            if (len < 15)
                offset[len + 1] = static_cast<std::uint16_t>(offset[len] + count[len]);
        }
        for (int i = 0; i < n; ++i)
            if (lengths[i] != 0)
                symbol[offset[lengths[i]]++] = static_cast<std::uint16_t>(i);
        return true;
    }

    // The symbol, or -1 for a code the table lacks.
    int Decode(BitReader& bits) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len < 16; ++len) {
            code |= static_cast<int>(bits.Get(1));
            if (code - first < count[len])
                return symbol[index + code - first];
            index += count[len];
            first = (first + count[len]) << 1;
            code <<= 1;
        }
        return -1;
    }
};

// Length codes 257..285 and distance codes 0..29: each base is the last one plus the span of its extra bits.
int ExtraBits(int code, int firstWithExtra) {
    return code < firstWithExtra ? 0 : (code - firstWithExtra / 2) / (firstWithExtra / 2);
}

bool ReadDynamic(BitReader& bits, Huffman& literals, Huffman& distances) {
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int nLiterals = static_cast<int>(bits.Get(5)) + 257;
    const int nDistances = static_cast<int>(bits.Get(5)) + 1;
    const int nLengthCodes = static_cast<int>(bits.Get(4)) + 4;
    if (nLiterals > 286 || nDistances > 30)
        return false;
    std::uint8_t lengths[286 + 30] = {};
    for (int i = 0; i < nLengthCodes; ++i)
        lengths[kOrder[i]] = static_cast<std::uint8_t>(bits.Get(3));
    Huffman lengthCode;
    if (!lengthCode.Build(lengths, 19))
        return false;
    for (int i = 0; i < nLiterals + nDistances;) {
        const int symbol = lengthCode.Decode(bits);
        if (symbol < 0 || bits.over)
            return false;
        if (symbol < 16) {
            lengths[i++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t value = 0;
        int repeat;
        if (symbol == 16) {
            if (i == 0)
                return false;
            value = lengths[i - 1];
            repeat = 3 + static_cast<int>(bits.Get(2));
        } else if (symbol == 17) {
            repeat = 3 + static_cast<int>(bits.Get(3));
        } else {
            repeat = 11 + static_cast<int>(bits.Get(7));
        }
        if (i + repeat > nLiterals + nDistances)
            return false;
        while (repeat-- > 0)
            lengths[i++] = value;
    }
    // Without a code for the end of the block no block could end.
    return lengths[256] != 0 && literals.Build(lengths, nLiterals) && distances.Build(lengths + nLiterals, nDistances);
}

} // namespace

bool Inflate(std::string_view zlib, std::uint8_t* out, std::size_t size) {
    if (zlib.size() < 6)
        return false;
    const unsigned cmf = static_cast<unsigned char>(zlib[0]), flags = static_cast<unsigned char>(zlib[1]);
    // Deflate with a window of at most 32 KiB, no preset dictionary, header check.
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (flags & 0x20) != 0 || (cmf << 8 | flags) % 31 != 0)
        return false;
    BitReader bits{zlib.substr(2)};
    std::size_t written = 0;
    bool last = false;
    while (!last) {
        last = bits.Get(1) != 0;
        const unsigned type = bits.Get(2);
        if (bits.over)
            return false;
        if (type == 0) {
            bits.buffer = 0, bits.count = 0; // stored blocks start at a byte
            const unsigned length = bits.Get(16);
            if ((length ^ bits.Get(16)) != 0xFFFF || bits.over || length > size - written ||
                length > bits.in.size() - bits.at)
                return false;
            for (unsigned i = 0; i < length; ++i)
                out[written++] = static_cast<std::uint8_t>(bits.in[bits.at++]);
            continue;
        }
        Huffman literals, distances;
        if (type == 1) {
            std::uint8_t lengths[288 + 30];
            for (int i = 0; i < 288 + 30; ++i)
                lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : i < 288 ? 8 : 5;
            literals.Build(lengths, 288);
            distances.Build(lengths + 288, 30);
        } else if (type != 2 || !ReadDynamic(bits, literals, distances)) {
            return false;
        }
        for (;;) {
            int symbol = literals.Decode(bits);
            if (symbol < 0 || bits.over)
                return false;
            if (symbol < 256) {
                if (written == size)
                    return false;
                out[written++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            if (symbol == 256)
                break;
            symbol -= 257;
            if (symbol > 28)
                return false;
            std::size_t length = 3;
            for (int c = 0; c < symbol; ++c)
                length += std::size_t{1} << ExtraBits(c, 8);
            length = symbol == 28 ? 258 : length + bits.Get(ExtraBits(symbol, 8));
            const int code = distances.Decode(bits);
            if (code < 0)
                return false;
            std::size_t distance = 1;
            for (int c = 0; c < code; ++c)
                distance += std::size_t{1} << ExtraBits(c, 4);
            distance += bits.Get(ExtraBits(code, 4));
            if (distance > written || length > size - written)
                return false;
            for (; length > 0; --length, ++written)
                out[written] = out[written - distance];
        }
    }
    // The Adler-32 follows at the next byte, and ends the stream.
    bits.buffer = 0, bits.count = 0;
    if (bits.at + 4 != bits.in.size() || written != size)
        return false;
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + out[i]) % 65521;
        b = (b + a) % 65521;
    }
    std::uint32_t expected = 0;
    for (int i = 0; i < 4; ++i)
        expected = expected << 8 | static_cast<unsigned char>(bits.in[bits.at + static_cast<std::size_t>(i)]);
    return !kChecksums || expected == (b << 16 | a);
}

} // namespace bw
