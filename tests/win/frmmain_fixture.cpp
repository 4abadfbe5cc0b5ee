#include "frmmain_fixture.h"

#include <cstring>

namespace bw::test {

std::string MakeBmp(int width, int height, int bitsPerPixel) {
    const bool palette = bitsPerPixel <= 8;
    const int colours = palette ? 1 << bitsPerPixel : 0;
    const int stride = (width * bitsPerPixel + 31) / 32 * 4;
    const int headerSize = 14 + 40 + colours * 4;
    std::string bytes(static_cast<std::size_t>(headerSize + stride * height), '\0');
    auto put32 = [&](int at, std::uint32_t v) { std::memcpy(&bytes[static_cast<std::size_t>(at)], &v, 4); };
    auto put16 = [&](int at, std::uint16_t v) { std::memcpy(&bytes[static_cast<std::size_t>(at)], &v, 2); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, static_cast<std::uint32_t>(headerSize));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, static_cast<std::uint16_t>(bitsPerPixel));
    put32(46, static_cast<std::uint32_t>(colours));
    if (palette) {
        put32(54, 0x000000FFu); // index 0 blue (bytes B G R X)
        put32(58, 0x00FF0000u); // index 1 red
    }
    // Rows are stored bottom-up: the top-left pixel is the first of the last row.
    for (int row = 0; row < height; ++row) {
        const bool top = row == height - 1;
        char* line = &bytes[static_cast<std::size_t>(headerSize + row * stride)];
        for (int x = 0; x < width; ++x) {
            const bool red = top && x == 0;
            if (palette) {
                const int bit = x * bitsPerPixel;
                if (red)
                    line[bit / 8] = static_cast<char>(line[bit / 8] | (1 << (8 - bitsPerPixel - bit % 8)));
            } else {
                char* px = line + x * (bitsPerPixel / 8);
                px[0] = red ? 0 : static_cast<char>(0xFF);
                px[2] = red ? static_cast<char>(0xFF) : 0;
            }
        }
    }
    return bytes;
}

std::wstring DataDir() {
    // The sources are reached through Wine's drive Z:, which maps the Unix root.
    std::string file = __FILE__;
    file = file.substr(0, file.find_last_of("/\\") + 1) + "data\\";
    std::wstring path = L"Z:";
    for (char ch : file)
        path.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(ch)));
    return path;
}

} // namespace bw::test
