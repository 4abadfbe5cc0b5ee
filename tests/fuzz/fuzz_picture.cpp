// The picture check: any bytes get a verdict without fault, and an accepted picture stays accepted when bytes
// are appended (a loader may find trailing data; the check must not read it as structure); but a PNG ends at its
// IEND, and nothing may follow it.
#include "picture/picture_check_logic.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const bw::PictureFormat format = bw::CheckPicture(bytes);
    if (format == bw::PictureFormat::None)
        return 0;
    bytes.append(16, '\xFF');
    if (bw::CheckPicture(bytes) != (format == bw::PictureFormat::Png ? bw::PictureFormat::None : format))
        std::abort();
    return 0;
}
