// The picture check against the generated corpus of well-formed and malformed pictures; each one it takes installs.
#include "picture/decode_logic.h"
#include "picture/picture_check_logic.h"
#include "picture_corpus.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(PictureCheck, EveryCorpusPictureGetsItsVerdict) {
    const auto corpus = corpus::PictureCorpus();
    EXPECT_GE(corpus.size(), 60u);
    for (const corpus::Picture& p : corpus) {
        EXPECT_EQ(static_cast<int>(CheckPicture(p.bytes)), static_cast<int>(p.expected)) << p.name;
        EXPECT_EQ(LogoBitmap(p.bytes).has_value(), p.expected != PictureFormat::None) << p.name;
    }
}

} // namespace
} // namespace bw
