// Layout arithmetic: twips to pixels and the centring of the logo preview.
#include "oeminfo/logo_logic.h"
#include "ui/twips_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(TwipsToPixels, FifteenTwipsAreOnePixelAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(6135, 96), 409);
    EXPECT_EQ(TwipsToPixels(7395, 96), 493);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(0, 96), 0);
}

TEST(TwipsToPixels, ScalesWithTheScreenDpi) {
    EXPECT_EQ(TwipsToPixels(6135, 120), 511); // 511.25
    EXPECT_EQ(TwipsToPixels(6135, 144), 614); // 613.5 rounds away from zero
    EXPECT_EQ(TwipsToPixels(1440, 192), 192);
}

TEST(TwipsToPixels, HalvesRoundAwayFromZeroOnBothSides) {
    EXPECT_EQ(TwipsToPixels(7, 96), 0);   // 0.47
    EXPECT_EQ(TwipsToPixels(8, 96), 1);   // 0.53
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(TwipsToPixels(7.5f, 96), 1);    // 0.5
    EXPECT_EQ(TwipsToPixels(-7.5f, 96), -1);  // -0.5
    EXPECT_EQ(TwipsToPixels(-1042.5f, 96), -70); // -69.5
}

TEST(PixelsToTwips, IsTheInverseAt96Dpi) {
    EXPECT_FLOAT_EQ(PixelsToTwips(89, 96), 1335.0f);
    EXPECT_FLOAT_EQ(PixelsToTwips(1, 120), 12.0f);
}

TEST(CentreInFrame, TakesEachHalfSeparatelyAndMayBeFractional) {
    // The logo frame is 2415 x 1575 twips.
    const LogoPosition small = CentreInFrame(2415, 1575, 1500, 750);
    EXPECT_FLOAT_EQ(small.left, 457.5f);
    EXPECT_FLOAT_EQ(small.top, 412.5f);
    const LogoPosition exact = CentreInFrame(2415, 1575, 2415, 1575);
    EXPECT_FLOAT_EQ(exact.left, 0.0f);
    EXPECT_FLOAT_EQ(exact.top, 0.0f);
}

TEST(CentreInFrame, ALargerPictureGetsNegativePositionsAroundTheMiddle) {
    const LogoPosition large = CentreInFrame(2415, 1575, 4500, 3000);
    EXPECT_FLOAT_EQ(large.left, -1042.5f);
    EXPECT_FLOAT_EQ(large.top, -712.5f);
    // Its middle is the frame's middle.
    EXPECT_FLOAT_EQ(large.left + 4500 / 2.0f, 2415 / 2.0f);
}

} // namespace
} // namespace bw
