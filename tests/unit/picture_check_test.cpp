// The picture check against the generated corpus of well-formed and malformed pictures.
#include "picture/picture_check_logic.h"
#include "picture_corpus.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(PictureCheck, EveryCorpusPictureGetsItsVerdict) {
    const auto corpus = corpus::PictureCorpus();
    EXPECT_GE(corpus.size(), 60u);
    for (const corpus::Picture& p : corpus)
        EXPECT_EQ(static_cast<int>(CheckPicture(p.bytes)), static_cast<int>(p.expected)) << p.name;
}

} // namespace
} // namespace bw
