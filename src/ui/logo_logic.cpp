#include "ui/logo_logic.h"

namespace bw {

LogoPosition CentreInFrame(float frameWidth, float frameHeight, float pictureWidth, float pictureHeight) {
    return {frameWidth / 2 - pictureWidth / 2, frameHeight / 2 - pictureHeight / 2};
}

} // namespace bw
