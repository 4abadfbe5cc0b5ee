// Layout arithmetic: twips to pixels rounds halves away from zero; the logo preview is centred in twips.
#include "oeminfo/logo_logic.h"
#include "ui/twips_logic.h"

#include <gtest/gtest.h>

namespace bw {

TEST(TwipsLogic, PixelsAtTheScreenDpiAndTheLogoCentredInItsFrame) {
    EXPECT_EQ(TwipsToPixels(6135, 96), 409);
    EXPECT_EQ(TwipsToPixels(6135, 120), 511); // 511.25
    EXPECT_EQ(TwipsToPixels(6135, 144), 614); // 613.5
    EXPECT_EQ(TwipsToPixels(7, 96), 0);       // 0.47
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);     // -0.53
    EXPECT_EQ(TwipsToPixels(562.5f, 96), 38); // 37.5
    EXPECT_EQ(TwipsToPixels(-1042.5f, 96), -70);
    const LogoPosition small = CentreInFrame(2415, 1575, 1500, 750), large = CentreInFrame(2415, 1575, 4500, 3000);
    EXPECT_EQ(std::pair(small.left, small.top), std::pair(457.5f, 412.5f)); // halves are exact in binary
    EXPECT_EQ(std::pair(large.left, large.top), std::pair(-1042.5f, -712.5f));
}

} // namespace bw
