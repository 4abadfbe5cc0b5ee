// Layout arithmetic and the logo preview centred in its frame.
#include "ui/logo_logic.h"
#include "ui/twips_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(TwipsLogic, PixelsRoundHalvesAwayFromZeroAndTheLogoIsCentredInItsFrame) {
    EXPECT_EQ(
        (std::vector{TwipsToPixels(6135, 96), TwipsToPixels(6135, 120), TwipsToPixels(6135, 144), TwipsToPixels(7, 96),
                     TwipsToPixels(-8, 96), TwipsToPixels(562.5f, 96), TwipsToPixels(-1042.5f, 96)}),
        (std::vector{409, 511, 614, 0, -1, 38, -70}));
    const LogoPosition small = CentreInFrame(2415, 1575, 1500, 750), large = CentreInFrame(2415, 1575, 4500, 3000);
    EXPECT_EQ((std::vector{small.left, small.top, large.left, large.top}),
              (std::vector{457.5f, 412.5f, -1042.5f, -712.5f}));
}

} // namespace
} // namespace bw
