// The picture check against the generated corpus of well-formed and malformed pictures.
#include "oeminfo/picture_check_logic.h"
#include "picture_corpus.h"

#include <gtest/gtest.h>

#include <cstring>

namespace bw {
namespace {

TEST(PictureCheck, EveryCorpusPictureGetsItsVerdict) {
    const auto corpus = corpus::PictureCorpus();
    EXPECT_GE(corpus.size(), 60u);
    for (const corpus::Picture& p : corpus)
        EXPECT_EQ(static_cast<int>(CheckPicture(p.bytes)), static_cast<int>(p.expected)) << p.name;
}

TEST(PictureCheck, DimensionsAreBoundedBySideAndPixelCount) {
    const auto bmp = [](std::int32_t width, std::int32_t height) {
        std::string s = "BM" + std::string(52, '\0');
        const std::uint32_t fields[] = {0, 0, 62, 40, static_cast<std::uint32_t>(width),
                                        static_cast<std::uint32_t>(height), 1 | 1 << 16};
        std::memcpy(&s[2], fields, sizeof fields);
        s.resize(54 + 8 + static_cast<std::size_t>((width + 31) / 32 * 4) * static_cast<std::size_t>(height));
        return CheckPicture(s) == PictureFormat::Bmp;
    };
    EXPECT_TRUE(bmp(4096, 1024));
    EXPECT_TRUE(bmp(1024, 4096));
    EXPECT_FALSE(bmp(4097, 1));
    EXPECT_FALSE(bmp(1, 4097));
    EXPECT_FALSE(bmp(4096, 1025));
}

TEST(PictureCheck, RleRunsStayInsideThePicture) {
    const auto rle8 = [](std::string_view data) { // 1 x 1 pixel, 8 bits, 256 colours
        std::string s = "BM" + std::string(52 + 1024, '\0');
        const std::uint32_t fields[] = {0, 0, 1078, 40, 1, 1, 1 | 8 << 16, 1, static_cast<std::uint32_t>(data.size())};
        std::memcpy(&s[2], fields, sizeof fields);
        return CheckPicture(s.append(data));
    };
    EXPECT_EQ(rle8({"\1\0\0\0\0\1", 6}), PictureFormat::Bmp) << "a run, the end of the line, the end";
    EXPECT_EQ(rle8({"\1\0\0\0\1\0\0\1", 8}), PictureFormat::None) << "a run below the last row";
}

} // namespace
} // namespace bw
