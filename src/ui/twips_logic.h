#pragma once
// Layout arithmetic: the windows are designed in twips (1/1440 inch; 15 twips are one pixel at 96 DPI).
namespace bw {

inline constexpr int kTwipsPerInch = 1440;
// The scale the pictures are drawn for, at which the layout's 15 twips make one pixel.
inline constexpr int kDesignDpi = 96;

// Rounds half away from zero, as MulDiv does, so the same table gives the same pixels everywhere.
int TwipsToPixels(int twips, int dpi);
// Fractional positions (the logo preview is centred in floating point).
int TwipsToPixels(float twips, int dpi);
float PixelsToTwips(int pixels, int dpi);

} // namespace bw
