#pragma once
// Centring the logo preview in its frame, in twips. Each half is taken separately and the result may be
// fractional, or negative when the picture is larger than the frame.
namespace bw {

struct LogoPosition {
    float left;
    float top;
};

LogoPosition CentreInFrame(float frameWidth, float frameHeight, float pictureWidth, float pictureHeight);

} // namespace bw
