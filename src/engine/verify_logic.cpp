#include "engine/verify_logic.h"

#include "core/text_logic.h"
#include "oeminfo/oeminfo_logic.h"

#include <array>
#include <cstdint>

namespace bw {

bool SameAsStored(StoredIn place, const std::optional<std::wstring>& held, const std::wstring& wanted,
                  const CodePage& codePage) {
    if (!held)
        return false;
    switch (place) {
    case StoredIn::Registration:
        return *held == (wanted.empty() ? L" " : wanted);
    case StoredIn::Key:
        return *held == wanted;
    case StoredIn::File:
        break;
    }
    // A line whose value already reads as the one written is kept as it is; any other gets the written value, which
    // the system reads without its blanks and quotes.
    const std::string written = OneLine(codePage.toFile(wanted));
    return *held == codePage.fromFile(written) || *held == codePage.fromFile(ProfileValue(written));
}

std::wstring DescribeValue(const std::optional<std::wstring>& value) {
    if (!value)
        return L"（无）";
    // Enough to tell most values apart on one line of a console or a log.
    constexpr std::size_t kShown = 40;
    std::size_t end = value->size() > kShown ? kShown : value->size();
    if (end < value->size() && (*value)[end] >= 0xDC00 && (*value)[end] <= 0xDFFF)
        --end; // not between the halves of a character
    std::wstring text = L"“";
    for (std::size_t i = 0; i < end; ++i) {
        const wchar_t c = (*value)[i];
        if (c >= 0x20) {
            text += c;
            continue;
        }
        // A line break would split the line that names the difference.
        text += L"\\x";
        text += L"0123456789ABCDEF"[c >> 4];
        text += L"0123456789ABCDEF"[c & 0xF];
    }
    text += L"”";
    if (end < value->size())
        text.insert(text.size() - 1, L"…").append(L"（共 " + DecimalText(value->size()) + L" 个字符）");
    return text;
}

std::wstring DescribePicture(const std::optional<std::string>& bytes) {
    if (!bytes)
        return L"（无）";
    const std::string hash = Sha256Hex(*bytes).substr(0, 16);
    return DecimalText(bytes->size()) + L" 字节，SHA-256 " + std::wstring(hash.begin(), hash.end()) + L"…";
}

std::wstring DifferenceLine(std::wstring_view item, std::wstring_view held, std::wstring_view wanted) {
    return std::wstring(item) + L"：本机为 " + std::wstring(held) + L"，配置文件为 " + std::wstring(wanted);
}

namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotate(std::uint32_t x, int n) {
    return x >> n | x << (32 - n);
}

void Compress(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = std::uint32_t{block[4 * i]} << 24 | std::uint32_t{block[4 * i + 1]} << 16 |
               std::uint32_t{block[4 * i + 2]} << 8 | block[4 * i + 3];
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::array<std::uint32_t, 8> v = h;
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t t1 = v[7] + (Rotate(v[4], 6) ^ Rotate(v[4], 11) ^ Rotate(v[4], 25)) +
                                 ((v[4] & v[5]) ^ (~v[4] & v[6])) + kRound[i] + w[i];
        const std::uint32_t t2 =
            (Rotate(v[0], 2) ^ Rotate(v[0], 13) ^ Rotate(v[0], 22)) + ((v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]));
        for (int k = 7; k > 0; --k)
            v[k] = v[k - 1];
        v[4] += t1;
        v[0] = t1 + t2;
    }
    for (int k = 0; k < 8; ++k)
        h[k] += v[k];
}

} // namespace

std::string Sha256Hex(std::string_view bytes) {
    std::array<std::uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::size_t at = 0;
    for (; bytes.size() - at >= 64; at += 64)
        Compress(h, reinterpret_cast<const unsigned char*>(bytes.data() + at));
    // The rest, a one bit, zeros and the length in bits: one block or two.
    unsigned char tail[128] = {};
    const std::size_t rest = bytes.size() - at;
    for (std::size_t i = 0; i < rest; ++i)
        tail[i] = static_cast<unsigned char>(bytes[at + i]);
    tail[rest] = 0x80;
    const std::size_t size = rest < 56 ? 64 : 128;
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i)
        tail[size - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
    for (std::size_t block = 0; block < size; block += 64)
        Compress(h, tail + block);
    std::string hex;
    for (const std::uint32_t word : h)
        for (int shift = 28; shift >= 0; shift -= 4)
            hex += "0123456789abcdef"[(word >> shift) & 0xF];
    return hex;
}

} // namespace bw
