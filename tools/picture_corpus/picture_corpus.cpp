#include "picture_corpus.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace bw::corpus {

namespace {

using F = PictureFormat;

void Put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
void Set16(std::string& s, std::size_t at, unsigned v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Set32(std::string& s, std::size_t at, std::uint32_t v) {
    Set16(s, at, v & 0xFFFF);
    Set16(s, at + 2, v >> 16);
}
void SetBe16(std::string& s, std::size_t at, unsigned v) {
    s[at] = static_cast<char>(v >> 8 & 0xFF);
    s[at + 1] = static_cast<char>(v & 0xFF);
}
std::string Hex(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

struct Dib {
    std::uint32_t headerSize = 40;
    std::int32_t width = 8, height = 4;
    unsigned bitCount = 24, planes = 1;
    std::uint32_t compression = 0, colorsUsed = 0;
    std::vector<std::uint32_t> masks;
    std::string pixels; // empty: rows of a pattern for the size and depth
};

std::int64_t Stride(std::int64_t width, unsigned bitCount) { return (width * bitCount + 31) / 32 * 4; }

std::string DibHeader(const Dib& d) {
    std::string s;
    if (d.headerSize == 12) {
        Put32(s, 12), Put16(s, d.width), Put16(s, d.height), Put16(s, d.planes), Put16(s, d.bitCount);
    } else {
        Put32(s, d.headerSize), Put32(s, d.width), Put32(s, d.height), Put16(s, d.planes), Put16(s, d.bitCount);
        Put32(s, d.compression), Put32(s, static_cast<std::uint32_t>(d.pixels.size()));
        Put32(s, 2835), Put32(s, 2835), Put32(s, d.colorsUsed), Put32(s, 0);
        for (std::uint32_t mask : d.masks)
            Put32(s, mask);
        if (d.headerSize > 40)
            s.resize(d.headerSize, '\0');
    }
    const std::uint32_t colors = d.colorsUsed != 0 ? d.colorsUsed : (d.bitCount <= 8 ? 1u << d.bitCount : 0);
    for (std::uint32_t i = 0; i < colors && i < 256; ++i) {
        const char grey = static_cast<char>(i * 255 / (colors > 1 ? colors - 1 : 1));
        s.append(d.headerSize == 12 ? 3 : 4, grey);
        if (d.headerSize != 12)
            s.back() = 0;
    }
    return s;
}

std::string Pixels(const Dib& d, bool withMask = false) {
    if (!d.pixels.empty())
        return d.pixels;
    const std::int64_t rows = std::llabs(d.height) / (withMask ? 2 : 1);
    if (d.width <= 0 || d.width > 8192 || rows > 8192)
        return std::string(64, '\x55');
    std::string s(static_cast<std::size_t>(Stride(d.width, d.bitCount) * rows), '\0');
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<char>(i * 37);
    if (withMask)
        s.append(static_cast<std::size_t>(Stride(d.width, 1) * rows), '\0');
    return s;
}

std::string Bmp(const Dib& d, std::optional<std::uint32_t> bitsOffset = std::nullopt) {
    const std::string dib = DibHeader(d), pixels = Pixels(d);
    std::string s = "BM";
    Put32(s, static_cast<std::uint32_t>(14 + dib.size() + pixels.size())), Put32(s, 0);
    Put32(s, bitsOffset.value_or(static_cast<std::uint32_t>(14 + dib.size())));
    return s + dib + pixels;
}

Dib Fields(std::uint32_t headerSize, unsigned bitCount, std::uint32_t compression = 3) {
    Dib d{headerSize, 8, 4, bitCount, 1, compression};
    d.masks = bitCount == 16 ? std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F, 0}
                             : std::vector<std::uint32_t>{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    if (compression == 3 && headerSize == 40)
        d.masks.resize(3);
    return d;
}

Dib Rle(unsigned bitCount, std::int32_t width, std::int32_t height, std::string runs) {
    return Dib{40, width, height, bitCount, 1, bitCount == 8 ? 1u : 2u, 0, {}, std::move(runs)};
}

// An icon or cursor directory over the given images, each taken as width × width.
std::string IconFile(unsigned type, const std::vector<std::string>& images, int width) {
    std::string s;
    Put16(s, 0), Put16(s, type), Put16(s, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const std::string& image : images) {
        s += static_cast<char>(width), s += static_cast<char>(width), s += '\0', s += '\0';
        Put16(s, type == 2 ? 2 : 1), Put16(s, type == 2 ? 3 : 32); // hot spot, or planes and depth
        Put32(s, static_cast<std::uint32_t>(image.size())), Put32(s, offset);
        offset += static_cast<std::uint32_t>(image.size());
    }
    for (const std::string& image : images)
        s += image;
    return s;
}

std::string IconImage(std::int32_t width, unsigned bitCount, std::int32_t height = 0) {
    const Dib d{40, width, height != 0 ? height : 2 * width, bitCount};
    return DibHeader(d) + Pixels(d, true);
}

// A grey JPEG whose blocks are all flat: one-code Huffman tables, two bits a block.
std::string Jpeg(unsigned width, unsigned height) {
    std::string s = Hex({0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00}) + std::string(64, '\x01');
    s += Hex({0xFF, 0xC0, 0x00, 0x0B, 0x08, 0, 0, 0, 0, 0x01, 0x01, 0x11, 0x00});
    SetBe16(s, s.size() - 8, height), SetBe16(s, s.size() - 6, width);
    for (int table : {0x00, 0x10})
        s += Hex({0xFF, 0xC4, 0x00, 0x14, table, 0x01}) + std::string(15, '\0') + '\0';
    s += Hex({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    const unsigned bits = 2 * ((width + 7) / 8) * ((height + 7) / 8);
    s.append(bits / 8, '\0');
    if (bits % 8)
        s += static_cast<char>(0xFF >> (bits % 8));
    return s + Hex({0xFF, 0xD9});
}
constexpr std::size_t kJpegFrame = 2 + 4 + 65; // where the frame header's marker starts

std::string Gif(const char* version, bool extension) {
    std::string s = std::string(version) + Hex({1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF});
    if (extension)
        s += Hex({0x21, 0xF9, 0x04, 0x01, 0, 0, 0, 0});
    return s + Hex({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B});
}
constexpr std::size_t kGifImage = 19; // the image descriptor of Gif(.., false)

std::string With(std::string s, std::size_t at, std::uint32_t value32) { return Set32(s, at, value32), s; }
std::string With16(std::string s, std::size_t at, unsigned value) { return Set16(s, at, value), s; }
std::string WithByte(std::string s, std::size_t at, int value) { return s[at] = static_cast<char>(value), s; }
std::string Cut(const std::string& s, std::size_t drop) { return s.substr(0, s.size() - drop); }

} // namespace

std::vector<Picture> PictureCorpus() {
    std::vector<Picture> c;
    const auto add = [&c](std::string name, std::string bytes, F expected) {
        c.push_back({std::move(name), std::move(bytes), expected});
    };
    // Every header version and depth, palettes, bit fields and both run-length codings.
    for (unsigned depth : {1u, 4u, 8u, 24u})
        add("core" + std::to_string(depth) + ".bmp", Bmp({12, 8, 4, depth}), F::Bmp);
    for (unsigned depth : {1u, 4u, 8u, 16u, 24u, 32u})
        add("info" + std::to_string(depth) + ".bmp", Bmp({40, 8, 4, depth}), F::Bmp);
    add("topdown.bmp", Bmp({40, 8, -4, 24}), F::Bmp);
    add("palette16of256.bmp", Bmp({40, 8, 4, 8, 1, 0, 16}), F::Bmp);
    add("palette24bit.bmp", Bmp({40, 8, 4, 24, 1, 0, 4}), F::Bmp);
    add("fields565.bmp", Bmp(Fields(40, 16)), F::Bmp);
    add("fields32.bmp", Bmp(Fields(40, 32)), F::Bmp);
    add("v2fields.bmp", Bmp(Fields(52, 16)), F::Bmp);
    add("v3alpha.bmp", Bmp(Fields(56, 32)), F::Bmp);
    add("v4.bmp", Bmp({108, 8, 4, 24}), F::Bmp);
    add("v5fields.bmp", Bmp(Fields(124, 32)), F::Bmp);
    add("large300x200.bmp", Bmp({40, 300, 200, 24}), F::Bmp);
    add("width4096.bmp", Bmp({40, 4096, 1, 1}), F::Bmp); // the largest sides and pixel count
    add("height4096.bmp", Bmp({40, 1, 4096, 1}), F::Bmp);
    add("pixels4096x1024.bmp", Bmp({40, 4096, 1024, 1}), F::Bmp);
    const std::string rle8 = Hex({8, 1, 0, 0, 0, 3, 1, 2, 3, 0, 5, 2, 0, 0, 0, 2, 2, 1, 6, 1, 0, 1});
    add("rle8.bmp", Bmp(Rle(8, 8, 4, rle8)), F::Bmp);
    add("rle4.bmp", Bmp(Rle(4, 8, 2, Hex({8, 0x12, 0, 0, 0, 4, 0x12, 0x34, 4, 0x55, 0, 1}))), F::Bmp);

    const std::string bmp = Bmp({40, 8, 4, 24});
    add("truncatedpixels.bmp", Cut(bmp, 1), F::None);
    // Rows are padded to 4 bytes: pixels that end inside that padding would let the loader read past the file.
    // Three pixels a row leave padding at every depth but 32; these hold each row's pixels without it.
    for (unsigned depth : {1u, 4u, 8u, 16u, 24u}) {
        const Dib whole{40, 3, 4, depth};
        const std::string bytes = Bmp(whole);
        add("cutinpadding" + std::to_string(depth) + ".bmp",
            Cut(bytes, static_cast<std::size_t>(4 * (Stride(3, depth) - (3 * depth + 7) / 8))), F::None);
    }
    add("cutinlastpadding.bmp", Cut(Bmp({40, 3, 4, 24}), 1), F::None);
    add("truncatedheader.bmp", bmp.substr(0, 30), F::None);
    add("fileheaderonly.bmp", bmp.substr(0, 14), F::None);
    add("headersize200.bmp", With(bmp, 14, 200), F::None);
    add("headersize64.bmp", With(bmp, 14, 64), F::None);
    add("headersize0.bmp", With(bmp, 14, 0), F::None);
    add("headersizehuge.bmp", With(bmp, 14, 0xFFFFFFF0), F::None);
    add("offsetpastend.bmp", Bmp({40, 8, 4, 24}, 0x7FFFFFFF), F::None);
    add("offsetinpalette.bmp", Bmp({40, 8, 4, 8}, 60), F::None);
    add("width0.bmp", Bmp({40, 0, 4, 24}), F::None);
    add("height0.bmp", Bmp({40, 8, 0, 24}), F::None);
    add("widthnegative.bmp", Bmp({40, -8, 4, 24}), F::None);
    add("width100000.bmp", Bmp({40, 100000, 1, 24}), F::None);
    add("heightmin.bmp", Bmp({40, 8, INT32_MIN, 24}), F::None);
    add("pixelcount.bmp", Bmp({40, 4096, 4096, 1}), F::None);
    add("pixels4096x1025.bmp", Bmp({40, 4096, 1025, 1}), F::None);
    add("width4097.bmp", Bmp({40, 4097, 1, 1}), F::None);
    add("height4097.bmp", Bmp({40, 1, 4097, 1}), F::None);
    add("coreheight0.bmp", Bmp({12, 8, 0, 24}), F::None);
    for (unsigned depth : {0u, 2u, 7u, 64u})
        add("depth" + std::to_string(depth) + ".bmp", Bmp({40, 8, 4, depth}), F::None);
    add("coredepth16.bmp", Bmp({12, 8, 4, 16}), F::None);
    add("planes2.bmp", Bmp({40, 8, 4, 24, 2}), F::None);
    add("palette300.bmp", Bmp({40, 8, 4, 8, 1, 0, 300}), F::None);
    add("palette17of16.bmp", Bmp({40, 8, 4, 4, 1, 0, 17}), F::None);
    add("palettehuge.bmp", With(bmp, 46, 0xFFFFFFFF), F::None);
    add("truncatedpalette.bmp", Bmp({40, 8, 4, 8}).substr(0, 54 + 500), F::None);
    add("rle8runpastwidth.bmp", Bmp(Rle(8, 8, 4, Hex({9, 1, 0, 1}))), F::None);
    add("rle8absolutepastwidth.bmp", Bmp(Rle(8, 4, 4, Hex({0, 5, 1, 2, 3, 4, 5, 0, 0, 1}))), F::None);
    add("rle8absolutetruncated.bmp", Bmp(Rle(8, 8, 4, Hex({0, 5, 1, 2}))), F::None);
    add("rle8deltapast.bmp", Bmp(Rle(8, 8, 4, Hex({0, 2, 9, 0, 0, 1}))), F::None);
    add("rle8deltabelow.bmp", Bmp(Rle(8, 8, 4, Hex({0, 2, 0, 5, 0, 1}))), F::None);
    add("rle8pastlastrow.bmp", Bmp(Rle(8, 8, 1, Hex({0, 0, 0, 0, 0, 1}))), F::None);
    add("rle8runbelowlastrow.bmp", Bmp(Rle(8, 8, 1, Hex({0, 0, 1, 0, 0, 1}))), F::None);
    add("rle8noend.bmp", Bmp(Rle(8, 8, 4, Hex({8, 1, 0, 0}))), F::None);
    add("rle8sizepastend.bmp", With(Bmp(Rle(8, 8, 4, rle8)), 34, 4000), F::None);
    add("rle8depth4.bmp", Bmp(Rle(4, 8, 4, rle8)).replace(30, 1, 1, '\1'), F::None);
    add("rle8topdown.bmp", Bmp(Rle(8, 8, -4, rle8)), F::None);
    add("rle4runpastwidth.bmp", Bmp(Rle(4, 8, 2, Hex({9, 0x12, 0, 1}))), F::None);
    add("fields24.bmp", With16(Bmp(Fields(40, 16)), 28, 24), F::None);
    add("fieldszero.bmp", With(Bmp(Fields(40, 16)), 54, 0), F::None);
    add("fieldsoverlap.bmp", With(Bmp(Fields(40, 32)), 58, 0xFFFF), F::None);
    add("fieldsgap.bmp", With(Bmp(Fields(40, 32)), 62, 0x0F0F), F::None);
    add("fields16wide.bmp", With(Bmp(Fields(40, 16)), 54, 0x1F0000), F::None);
    add("fieldstruncated.bmp", Bmp(Fields(40, 32)).substr(0, 60), F::None);
    add("alphabitfields.bmp", Bmp(Fields(40, 32, 6)), F::None);
    add("alphabitfieldsv5.bmp", Bmp(Fields(124, 32, 6)), F::None);
    add("compressionjpeg.bmp", With(bmp, 30, 4), F::None);
    add("compressionpng.bmp", With(bmp, 30, 5), F::None);
    add("v5profilepastend.bmp", With(With(Bmp({124, 8, 4, 24}), 14 + 56, 0x4D424544), 14 + 112, 5000), F::None);

    // Icons and cursors of DIB images.
    const std::string icon = IconFile(1, {IconImage(16, 32)}, 16);
    add("icon32.ico", icon, F::Icon);
    add("icon8.ico", IconFile(1, {IconImage(32, 8), IconImage(16, 4)}, 32), F::Icon);
    add("cursor.cur", IconFile(2, {IconImage(32, 1)}, 32), F::Cursor);
    add("iconcount0.ico", With16(icon, 4, 0), F::None);
    add("iconcount9.ico", With16(icon, 4, 9), F::None);
    add("iconoffsetpastend.ico", With(icon, 18, 100000), F::None);
    add("iconsizepastend.ico", With(icon, 14, 100000), F::None);
    add("iconoddheight.ico", IconFile(1, {IconImage(16, 32, 31)}, 16), F::None);
    add("icontruncatedimage.ico", Cut(icon, 4), F::None);
    add("icondirectorytruncated.ico", icon.substr(0, 12), F::None);
    add("iconrle.ico", With(icon, 22 + 16, 1), F::None);

    // PNG, alone and as an icon's image; PNG's own faults are the decoders' corpus.
    const std::string png = Png(2, 1, 8, 6, Hex({0, 255, 0, 0, 255, 0, 0, 255, 128}));
    add("rgba.png", png, F::Png);
    add("iconofpng.ico", IconFile(1, {png}, 2), F::Icon);
    add("iconofbadpng.ico", IconFile(1, {Cut(png, 1)}, 2), F::None);

    // GIF.
    const std::string gif = Gif("GIF87a", false);
    add("gif87.gif", gif, F::Gif);
    add("gif89.gif", Gif("GIF89a", true), F::Gif);
    add("gifnotrailer.gif", Cut(gif, 1), F::None);
    add("gifoutside.gif", With16(gif, kGifImage + 1, 1), F::None);
    add("gifwidth0.gif", With16(gif, kGifImage + 5, 0), F::None);
    add("gifcodesize12.gif", WithByte(gif, kGifImage + 10, 12), F::None);
    add("gifblockpastend.gif", WithByte(gif, kGifImage + 11, 200), F::None);
    add("gifscreenhuge.gif", With(gif, 6, 0xFFFFFFFF), F::None);
    add("gifnoimage.gif", gif.substr(0, kGifImage) + ";", F::None);
    add("giftruncated.gif", gif.substr(0, 10), F::None);

    // JPEG.
    const std::string jpeg = Jpeg(8, 8);
    add("gray8x8.jpg", jpeg, F::Jpeg);
    add("gray40x30.jpg", Jpeg(40, 30), F::Jpeg);
    add("jpegnoend.jpg", Cut(jpeg, 2), F::None);
    add("jpegtruncated.jpg", jpeg.substr(0, 40), F::None);
    add("jpegsegmentpastend.jpg", WithByte(jpeg, 4, 0x7F), F::None);
    add("jpegsegmentlength1.jpg", WithByte(WithByte(jpeg, 4, 0), 5, 1), F::None);
    add("jpegheight0.jpg", [&] { std::string s = jpeg; SetBe16(s, kJpegFrame + 5, 0); return s; }(), F::None);
    add("jpegwidthhuge.jpg", [&] { std::string s = jpeg; SetBe16(s, kJpegFrame + 7, 65535); return s; }(), F::None);
    add("jpeglossless.jpg", WithByte(jpeg, kJpegFrame + 1, 0xC3), F::None);
    add("jpegarithmetic.jpg", WithByte(jpeg, kJpegFrame + 1, 0xC9), F::None);
    add("jpegsampling0.jpg", WithByte(jpeg, kJpegFrame + 11, 0x01), F::None);
    add("jpegnoframe.jpg", Hex({0xFF, 0xD8, 0xFF, 0xD9}), F::None);

    // Formats the logo does not take, and no picture at all.
    add("placeable.wmf", Hex({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 0xA0, 5}) + std::string(30, '\0'), F::None);
    add("metafile.wmf", Hex({1, 0, 9, 0, 0, 3, 0x1E, 0, 0, 0, 0, 0}) + std::string(48, '\0'), F::None);
    add("enhanced.emf", Hex({1, 0, 0, 0, 88, 0, 0, 0}) + std::string(32, '\0') + " EMF" + std::string(44, '\0'), F::None);
    add("png.png", Hex({0x89, 'P', 'N', 'G', 13, 10, 26, 10}) + std::string(50, '\0'), F::None);
    add("empty.bmp", "", F::None);
    add("text.bmp", "plain text, not a picture", F::None);
    return c;
}

} // namespace bw::corpus

namespace bw::corpus {

namespace {

void PutBe32(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        s += static_cast<char>(v >> shift & 0xFF);
}

// Deflate's bits, least significant first; Huffman codes go in from their first bit.
struct BitWriter {
    std::string out;
    int used = 8;
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i, ++used) {
            if (used == 8)
                out += '\0', used = 0;
            out.back() = static_cast<char>(out.back() | (value >> i & 1) << used);
        }
    }
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            Bits(code >> i & 1, 1);
    }
};

std::string Zlib(std::string deflate, std::string_view data) {
    std::uint32_t a = 1, b = 0;
    for (char c : data)
        a = (a + static_cast<unsigned char>(c)) % 65521, b = (b + a) % 65521;
    std::string s = "\x78\x01" + deflate;
    PutBe32(s, b << 16 | a);
    return s;
}

// A fixed-Huffman stream of `size` zero bytes: one literal, then matches of 258 at distance 1.
std::string ZlibZeros(std::size_t size) {
    BitWriter w;
    w.Bits(1, 1), w.Bits(1, 2);
    w.Code(0x30, 8); // literal 0
    for (std::size_t left = size - 1; left >= 258; left -= 258)
        w.Code(0xC5, 8), w.Code(0, 5); // length 258, distance 1
    for (std::size_t i = 0; i < (size - 1) % 258; ++i)
        w.Code(0x30, 8);
    w.Code(0, 7); // end of block
    return Zlib(w.out, std::string(size, '\0'));
}

std::string Ihdr(std::uint32_t width, std::uint32_t height, int depth, int colour, int interlace) {
    std::string h;
    PutBe32(h, width), PutBe32(h, height);
    h += Hex({depth, colour, 0, 0, interlace});
    return PngChunk("IHDR", h);
}

const std::string kPngSignature = Hex({0x89, 'P', 'N', 'G', 13, 10, 26, 10});

} // namespace

std::string PngChunk(std::string_view type, std::string_view data) {
    std::string s;
    PutBe32(s, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + std::string(data);
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : body) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? crc >> 1 ^ 0xEDB88320 : crc >> 1;
    }
    s += body;
    PutBe32(s, ~crc);
    return s;
}

std::string ZlibStored(std::string_view data) {
    std::string deflate;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(data.size() - at, 65535);
        deflate += static_cast<char>(at + n == data.size() ? 1 : 0);
        Put16(deflate, static_cast<unsigned>(n)), Put16(deflate, static_cast<unsigned>(~n & 0xFFFF));
        deflate += data.substr(at, n);
        at += n;
    } while (at < data.size());
    return Zlib(deflate, data);
}

std::string Png(std::uint32_t width, std::uint32_t height, int depth, int colour, std::string_view filtered,
                std::string_view chunks, int interlace) {
    return kPngSignature + Ihdr(width, height, depth, colour, interlace) + std::string(chunks) +
           PngChunk("IDAT", ZlibStored(filtered)) + PngChunk("IEND", "");
}

std::vector<Decodable> DecodeCorpus() {
    std::vector<Decodable> c;
    const auto add = [&c](std::string name, std::string bytes, bool decodes) {
        c.push_back({std::move(name), std::move(bytes), decodes});
    };
    // PNG: each colour type and depth, 3 x 2 pixels. Filtered rows of any bytes, Sub then Paeth; palette indices
    // (x + y) % 2 unfiltered, as any filter could make them pass the palette's end.
    for (int colour : {0, 2, 3, 4, 6}) {
        for (int depth : {1, 2, 4, 8, 16}) {
            const int channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
            if ((colour == 3 && depth == 16) || (colour != 0 && colour != 3 && depth < 8))
                continue;
            const std::size_t stride = static_cast<std::size_t>((3 * channels * depth + 7) / 8);
            std::string rows;
            for (int y = 0; y < 2; ++y) {
                std::string row(stride, '\0');
                for (std::size_t i = 0; i < stride; ++i)
                    row[i] = static_cast<char>(i * 37 + static_cast<std::size_t>(y));
                if (colour == 3) {
                    row.assign(stride, '\0');
                    for (int x = 0; x < 3; ++x)
                        row[static_cast<std::size_t>(x * depth / 8)] |=
                            static_cast<char>((x + y) % 2 << (8 - depth - x * depth % 8));
                }
                rows += static_cast<char>(colour == 3 ? 0 : y == 0 ? 1 : 4) + row;
            }
            const std::string palette =
                colour == 3 ? PngChunk("PLTE", Hex({255, 0, 0, 0, 0, 255})) + PngChunk("tRNS", Hex({0, 128})) : "";
            add("png-c" + std::to_string(colour) + "d" + std::to_string(depth) + ".png",
                Png(3, 2, depth, colour, rows, palette), true);
        }
    }
    const std::string grey = Png(2, 2, 8, 0, Hex({0, 10, 20, 2, 5, 5}));
    add("png-grey.png", grey, true);
    // 9 x 9 grey, each pixel x + 16 y, in Adam7's seven passes.
    std::string passes;
    for (const auto& p : {Hex({0, 0, 8, 8}), Hex({4, 0, 8, 8}), Hex({0, 4, 4, 8}), Hex({2, 0, 4, 4}), Hex({0, 2, 2, 4}),
                          Hex({1, 0, 2, 2}), Hex({0, 1, 1, 2})})
        for (int y = p[1]; y < 9; y += p[3]) {
            passes += '\0';
            for (int x = p[0]; x < 9; x += p[2])
                passes += static_cast<char>(x + 16 * y);
        }
    add("png-interlaced.png", Png(9, 9, 8, 0, passes, "", 1), true);
    add("png-keyedrgb16.png",
        Png(2, 1, 16, 2, Hex({0, 0, 1, 0, 2, 0, 3, 0, 1, 0, 2, 0, 4}), PngChunk("tRNS", Hex({0, 1, 0, 2, 0, 3}))),
        true);
    // Made by Python's zlib: 8 x 8 grey in a dynamic-Huffman block.
    add("png-dynamic.png",
        Hex({0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
             0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x08, 0x08, 0x00, 0x00, 0x00, 0x00, 0xE1, 0x64, 0xE1, 0x57, 0x00,
             0x00, 0x00, 0x2B, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x25, 0x8A, 0x01, 0x0E, 0x00, 0x00, 0x08, 0x01,
             0xEF, 0x93, 0x3E, 0xD9, 0x27, 0x15, 0xCD, 0x32, 0x2E, 0x80, 0x0C, 0x43, 0x2E, 0xAE, 0xD3, 0x65, 0xB5,
             0xD8, 0x07, 0xE7, 0x49, 0x5E, 0xDD, 0x8C, 0x53, 0xDF, 0x71, 0x91, 0xBC, 0x8C, 0x82, 0x14, 0x97, 0x21,
             0xB2, 0x28, 0xBB, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82}),
        true);

    // Refused: every fault the structure check is there for.
    const std::string data = Hex({0, 10, 20, 2, 5, 5}), stream = ZlibStored(data);
    const std::string head = kPngSignature + Ihdr(2, 2, 8, 0, 0), end = PngChunk("IEND", "");
    add("png-badcrc.png", WithByte(grey, grey.size() - 13, 0x55), false);
    add("png-truncatedidat.png", head + PngChunk("IDAT", stream.substr(0, stream.size() - 5)) + end, false);
    add("png-truncatedfile.png", Cut(grey, 1), false);
    add("png-huge.png", Png(100000, 100000, 8, 0, ""), false);
    add("png-width4097.png", Png(4097, 1, 1, 0, std::string(1 + 513, '\0')), false);
    add("png-pixels4096x1025.png", Png(4096, 1025, 1, 0, ""), false);
    // 1 MiB of zeros in 6 KiB, where the header allows 16 x 17 bytes.
    add("png-bomb.png", kPngSignature + Ihdr(16, 16, 8, 0, 0) + PngChunk("IDAT", ZlibZeros(1 << 20)) + end, false);
    add("png-short.png", kPngSignature + Ihdr(16, 16, 8, 0, 0) + PngChunk("IDAT", ZlibZeros(16 * 17 - 1)) + end, false);
    add("png-chunkafteriend.png", grey + PngChunk("tEXt", std::string("a\0b", 3)), false);
    add("png-junkafteriend.png", grey + std::string(16, '\xFF'), false);
    add("png-noiend.png", grey.substr(0, grey.size() - 12), false);
    add("png-noidat.png", head + end, false);
    add("png-idatsplit.png",
        head + PngChunk("IDAT", stream.substr(0, 5)) + PngChunk("tEXt", std::string("a\0b", 3)) +
            PngChunk("IDAT", stream.substr(5)) + end,
        false);
    add("png-ihdrnotfirst.png",
        kPngSignature + PngChunk("tEXt", std::string("a\0b", 3)) + Ihdr(2, 2, 8, 0, 0) + PngChunk("IDAT", stream) + end,
        false);
    add("png-twoihdr.png", Png(2, 2, 8, 0, data, Ihdr(2, 2, 8, 0, 0)), false);
    add("png-depth16palette.png", Png(1, 1, 16, 3, Hex({0, 0, 0}), PngChunk("PLTE", Hex({1, 2, 3}))), false);
    add("png-depth4rgb.png", Png(2, 1, 4, 2, Hex({0, 0, 0, 0})), false);
    add("png-colour5.png", Png(1, 1, 8, 5, Hex({0, 0})), false);
    add("png-interlace2.png", Png(1, 1, 8, 0, Hex({0, 0}), "", 2), false);
    add("png-noplte.png", Png(1, 1, 8, 3, Hex({0, 0})), false);
    add("png-plte5of4.png", Png(1, 1, 2, 3, Hex({0, 0}), PngChunk("PLTE", std::string(15, '\1'))), false);
    add("png-trnsgreyalpha.png", Png(1, 1, 8, 4, Hex({0, 0, 0}), PngChunk("tRNS", Hex({0, 0}))), false);
    add("png-indexpastpalette.png", Png(1, 1, 8, 3, Hex({0, 2}), PngChunk("PLTE", std::string(6, '\1'))), false);
    add("png-filter5.png", Png(2, 2, 8, 0, Hex({0, 10, 20, 5, 5, 5})), false);
    add("png-unknowncritical.png", Png(2, 2, 8, 0, data, PngChunk("XYZW", "")), false);
    add("png-extradata.png", Png(2, 2, 8, 0, data + '\0'), false);
    add("png-presetdictionary.png", head + PngChunk("IDAT", WithByte(stream, 1, 0x20).insert(2, "\0\0\0\1")) + end,
        false);
    add("png-badadler.png", head + PngChunk("IDAT", WithByte(stream, stream.size() - 1, 0)) + end, false);

    // GIF, made by ImageMagick: 3 x 5 on a screen of 6 x 7 at (2, 1), interlaced, colour 3 transparent; and 20 x 12
    // of four colours, whose codes grow from 3 to 7 bits.
    const std::string gif =
        Hex({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x06, 0x00, 0x07, 0x00, 0xF2, 0x03, 0x00, 0xFF, 0x00, 0x00, 0x00,
             0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
             0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x04, 0x00, 0x2C, 0x02, 0x00, 0x01, 0x00, 0x03,
             0x00, 0x05, 0x00, 0x40, 0x03, 0x07, 0x08, 0x21, 0x34, 0xE0, 0xAB, 0xC5, 0x04, 0x00, 0x3B});
    add("gif-interlacedtransparent.gif", gif, true);
    add("gif-lzw.gif",
        Hex({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x14, 0x00, 0x0C, 0x00, 0xF1, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80,
             0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
             0x00, 0x00, 0x14, 0x00, 0x0C, 0x00, 0x40, 0x02, 0x4B, 0x84, 0x23, 0x18, 0xC6, 0x9A, 0x1D, 0x06, 0x58, 0x23,
             0x2C, 0x2B, 0x29, 0x1E, 0x62, 0x3E, 0x31, 0x84, 0x9D, 0x02, 0x80, 0x58, 0x27, 0x99, 0x27, 0x90, 0x56, 0xC2,
             0x28, 0x55, 0xE5, 0x3B, 0xC5, 0x0B, 0x28, 0x3A, 0xE1, 0x9E, 0xF4, 0xE1, 0xC1, 0x41, 0xC8, 0x80, 0xBE, 0x4B,
             0xCE, 0x15, 0x8A, 0x04, 0x91, 0x1C, 0x5A, 0x6C, 0xF6, 0x42, 0xB1, 0x66, 0x44, 0xE1, 0xA2, 0x6A, 0x9A, 0x44,
             0xA4, 0xAA, 0xED, 0xD4, 0x24, 0xF2, 0xDC, 0x78, 0xE2, 0xD2, 0xA0, 0x00, 0x00, 0x3B}),
        true);
    constexpr std::size_t kFrame = 45; // the image descriptor's first byte
    add("gif-codesendearly.gif", gif.substr(0, kFrame + 11) + Hex({2, 0x84, 0x00, 0, 0x3B}), true);
    add("gif-framehuge.gif", With16(With16(gif, kFrame + 5, 0xFFFF), kFrame + 7, 0xFFFF), false);
    add("gif-screen0.gif", With16(gif, 6, 0), false);
    add("gif-codesize9.gif", WithByte(gif, kFrame + 10, 9), false);
    add("gif-firstcodeunknown.gif", gif.substr(0, kFrame + 11) + Hex({1, 0x0A, 0, 0x3B}), false);
    add("gif-codepastnext.gif", gif.substr(0, kFrame + 11) + Hex({1, 0xB0, 0, 0x3B}), false);
    add("gif-truncated.gif", gif.substr(0, gif.size() - 6), false);
    add("gif-noimage.gif", gif.substr(0, kFrame) + ";", false);
    add("gif-unknownblock.gif", gif.substr(0, kFrame) + "U" + gif.substr(kFrame), false);

    // Icons: a DIB's header (a grey palette of 2^depth colours) and its colour and mask rows, bottom up.
    const auto dib = [](std::int32_t width, std::int32_t height, unsigned depth, const std::string& rows) {
        return DibHeader(Dib{40, width, 2 * height, depth}) + rows;
    };
    const std::string alpha32 = dib(2, 1, 32, Hex({0x10, 0x20, 0x30, 0x80, 1, 2, 3, 0, 0xC0, 0, 0, 0}));
    add("icon-32alpha.ico", IconFile(1, {alpha32}, 2), true);
    add("icon-32mask.ico", IconFile(1, {dib(2, 1, 32, Hex({0x10, 0x20, 0x30, 0, 1, 2, 3, 0, 0x40, 0, 0, 0}))}, 2),
        true);
    const std::string grey4 = dib(2, 2, 4, Hex({0xF5, 0, 0, 0, 0x0A, 0, 0, 0, 0x40, 0, 0, 0, 0x80, 0, 0, 0}));
    add("icon-4mask.ico", IconFile(1, {grey4}, 2), true);
    const std::string grey8 = dib(2, 2, 8, Hex({200, 100, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    add("icon-deepest.ico", IconFile(1, {alpha32, grey4, grey8}, 2), true);
    add("icon-largest.ico", IconFile(1, {grey8, dib(3, 3, 1, std::string(24, '\0'))}, 2), true);
    add("icon-24.cur", IconFile(2, {dib(1, 1, 24, Hex({1, 2, 3, 0, 0, 0, 0, 0}))}, 1), true);
    add("icon-png.ico", IconFile(1, {grey4, grey}, 2), true);
    add("icon-entrypastend.ico", With(IconFile(1, {grey4}, 2), 6 + 12, 1000), false);
    add("icon-lengthpastend.ico", With(IconFile(1, {grey4}, 2), 6 + 8, 1000), false);
    add("icon-truncatedmask.ico", Cut(IconFile(1, {grey4}, 2), 4), false);
    add("icon-rle.ico", With(IconFile(1, {grey4}, 2), 22 + 16, 2), false);
    add("icon-depth16.ico", IconFile(1, {dib(2, 2, 16, std::string(16, '\0'))}, 2), false);
    add("icon-oddheight.ico", With(IconFile(1, {grey4}, 2), 22 + 8, 5), false);
    add("icon-huge.ico", With(With(IconFile(1, {grey4}, 2), 22 + 4, 5000), 22 + 8, 10000), false);
    add("icon-count0.ico", With16(IconFile(1, {grey4}, 2), 4, 0), false);
    add("icon-badpng.ico", IconFile(1, {grey4, grey.substr(0, 50) + std::string(20, '\0')}, 2), false);

    // JPEG, made by ImageMagick (libjpeg-turbo) from the same 16 x 16 picture: baseline and progressive, chroma
    // sampled 2 x 2, and the baseline one with Adobe's marker (transform 0, RGB) in place of JFIF's.
    const std::string jpeg =
        Hex({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01,
             0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x05, 0x03, 0x04, 0x04, 0x04, 0x03, 0x05, 0x04, 0x04, 0x04, 0x05,
             0x05, 0x05, 0x06, 0x07, 0x0C, 0x08, 0x07, 0x07, 0x07, 0x07, 0x0F, 0x0B, 0x0B, 0x09, 0x0C, 0x11, 0x0F, 0x12,
             0x12, 0x11, 0x0F, 0x11, 0x11, 0x13, 0x16, 0x1C, 0x17, 0x13, 0x14, 0x1A, 0x15, 0x11, 0x11, 0x18, 0x21, 0x18,
             0x1A, 0x1D, 0x1D, 0x1F, 0x1F, 0x1F, 0x13, 0x17, 0x22, 0x24, 0x22, 0x1E, 0x24, 0x1C, 0x1E, 0x1F, 0x1E, 0xFF,
             0xDB, 0x00, 0x43, 0x01, 0x05, 0x05, 0x05, 0x07, 0x06, 0x07, 0x0E, 0x08, 0x08, 0x0E, 0x1E, 0x14, 0x11, 0x14,
             0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E,
             0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E,
             0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0xFF, 0xC0, 0x00, 0x11,
             0x08, 0x00, 0x10, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xC4, 0x00,
             0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
             0x06, 0x07, 0xFF, 0xC4, 0x00, 0x1A, 0x10, 0x00, 0x01, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
             0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x06, 0x23, 0x31, 0xA1, 0x32, 0xFF, 0xC4, 0x00, 0x15, 0x01, 0x01,
             0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x03, 0xFF,
             0xC4, 0x00, 0x18, 0x11, 0x00, 0x02, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
             0x00, 0x00, 0x00, 0x06, 0x07, 0x22, 0x32, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11,
             0x00, 0x3F, 0x00, 0x95, 0xA2, 0xB5, 0x79, 0x8F, 0x06, 0xA8, 0xAD, 0x5A, 0x8F, 0x07, 0xE8, 0xAD, 0x5A, 0x8F,
             0x06, 0xA8, 0xAD, 0x5A, 0x8F, 0x0B, 0x39, 0x48, 0xFA, 0xB8, 0x47, 0x6D, 0xF9, 0xB1, 0xFF, 0xD9});
    add("jpeg-420.jpg", jpeg, true);
    add("jpeg-420progressive.jpg",
        jpeg.substr(0, 2 + 18 + 2 * 69) +
            Hex({0xFF, 0xC2, 0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03,
                 0x11, 0x01, 0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x06, 0xFF, 0xC4, 0x00, 0x15, 0x01, 0x01, 0x01, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0xFF, 0xDA, 0x00,
                 0x0C, 0x03, 0x01, 0x00, 0x02, 0x10, 0x03, 0x10, 0x00, 0x00, 0x01, 0x95, 0x6A, 0x81, 0xAB, 0x3F, 0xFF,
                 0xC4, 0x00, 0x16, 0x10, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x03, 0x04, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x05, 0x02, 0x4C,
                 0xA2, 0x65, 0x13, 0x28, 0x99, 0x4F, 0xFF, 0xC4, 0x00, 0x18, 0x11, 0x00, 0x02, 0x03, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x06, 0x21, 0x31, 0xFF, 0xDA,
                 0x00, 0x08, 0x01, 0x03, 0x01, 0x01, 0x3F, 0x01, 0x8E, 0xB7, 0xCB, 0x3F, 0xFF, 0xC4, 0x00, 0x18, 0x11,
                 0x00, 0x02, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x05, 0x06, 0x21, 0x31, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x02, 0x01, 0x01, 0x3F, 0x01, 0x73, 0x23, 0xDB,
                 0x3F, 0xFF, 0xC4, 0x00, 0x15, 0x10, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x06, 0x3F, 0x02,
                 0x88, 0x88, 0xFF, 0xC4, 0x00, 0x15, 0x10, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x31, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x3F,
                 0x21, 0x98, 0x6D, 0xBF, 0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x00, 0x00,
                 0x10, 0x57, 0xFF, 0xC4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x03, 0x01, 0x01, 0x3F, 0x10,
                 0x27, 0xFF, 0xC4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x02, 0x01, 0x01, 0x3F, 0x10, 0x2F,
                 0xFF, 0xC4, 0x00, 0x17, 0x10, 0x00, 0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0xC1, 0xF1, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x3F,
                 0x10, 0xC0, 0x11, 0x02, 0x20, 0x44, 0x1F, 0xFF, 0xD9}),
        true);
    add("jpeg-adobergb.jpg",
        jpeg.substr(0, 2) +
            Hex({0xFF, 0xEE, 0x00, 0x0E, 0x41, 0x64, 0x6F, 0x62, 0x65, 0x00, 0x64, 0x00, 0x00, 0x00, 0x00, 0x00}) +
            jpeg.substr(2 + 18),
        true);
    // By hand: 16 x 8 grey, two blocks of DC difference +80 with a restart between them, so both are 138.
    const std::string restartHead = Hex({0xFF, 0xD8, 0xFF, 0xDB, 0, 0x43, 0}) + std::string(64, '\1') +
                                    Hex({0xFF, 0xC0, 0, 0x0B, 8, 0, 8, 0, 16, 1, 1, 0x11, 0}) +
                                    Hex({0xFF, 0xC4, 0, 0x14, 0x00, 1}) + std::string(15, '\0') + '\x07' +
                                    Hex({0xFF, 0xC4, 0, 0x14, 0x10, 1}) + std::string(15, '\0') + '\0' +
                                    Hex({0xFF, 0xDD, 0, 4, 0, 1, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0x3F, 0});
    add("jpeg-restart.jpg", restartHead + Hex({0x50, 0x7F, 0xFF, 0xD0, 0x50, 0x7F, 0xFF, 0xD9}), true);
    add("jpeg-restartmissing.jpg", restartHead + Hex({0x50, 0x7F, 0x50, 0x7F, 0xFF, 0xD9}), false);
    add("jpeg-restartnumber.jpg", restartHead + Hex({0x50, 0x7F, 0xFF, 0xD1, 0x50, 0x7F, 0xFF, 0xD9}), false);
    constexpr std::size_t kSof = 158; // the baseline picture's frame marker
    add("jpeg-12bit.jpg", WithByte(jpeg, kSof + 4, 12), false);
    add("jpeg-lossless.jpg", WithByte(jpeg, kSof + 1, 0xC3), false);
    add("jpeg-arithmetic.jpg", WithByte(jpeg, kSof + 1, 0xC9), false);
    add("jpeg-height0.jpg", WithByte(WithByte(jpeg, kSof + 5, 0), kSof + 6, 0), false);
    add("jpeg-width5000.jpg", WithByte(WithByte(jpeg, kSof + 7, 0x13), kSof + 8, 0x88), false);
    add("jpeg-sampling0.jpg", WithByte(jpeg, kSof + 11, 0x02), false);
    add("jpeg-noeoi.jpg", Cut(jpeg, 2), false);
    add("jpeg-scancut.jpg", jpeg.substr(0, jpeg.size() - 20) + Hex({0xFF, 0xD9}), false);
    add("jpeg-noframe.jpg", jpeg.substr(0, kSof) + jpeg.substr(kSof + 19), false);
    add("jpeg-oversubscribed.jpg", WithByte(jpeg, 177 + 5 + 1, 3), false);
    // 257 codes of 15 and 16 bits: within the lengths, beyond the 256 symbols a table has.
    add("jpeg-257codes.jpg",
        jpeg.substr(0, 177) + Hex({0xFF, 0xC4, 0x01, 0x14, 0x00}) + std::string(14, '\0') + Hex({2, 255}) +
            std::string(257, '\1') + jpeg.substr(177),
        false);
    add("jpeg-cmyk.jpg",
        jpeg.substr(0, kSof + 2) + Hex({0, 20, 8, 0, 16, 0, 16, 4, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0, 4, 0x11, 0}) +
            jpeg.substr(kSof + 19),
        false);
    return c;
}

} // namespace bw::corpus
