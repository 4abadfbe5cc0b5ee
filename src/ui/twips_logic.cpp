#include "ui/twips_logic.h"

#include <cmath>
#include <cstdlib>

namespace bw {

int TwipsToPixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long magnitude = (std::llabs(product) + kTwipsPerInch / 2) / kTwipsPerInch;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

int TwipsToPixels(float twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

float PixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

} // namespace bw
