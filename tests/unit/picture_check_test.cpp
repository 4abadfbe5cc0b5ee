// The picture check against pictures of every format, well-formed and malformed; each one it takes installs.
#include "picture/decode_logic.h"
#include "picture/picture_check_logic.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

// A good picture is of its extension's format.
PictureFormat FormatOf(std::string_view name) {
    const std::string_view extension = name.substr(name.rfind('.') + 1);
    return extension == "bmp"   ? PictureFormat::Bmp
           : extension == "png" ? PictureFormat::Png
           : extension == "ico" ? PictureFormat::Icon
           : extension == "cur" ? PictureFormat::Cursor
           : extension == "gif" ? PictureFormat::Gif
           : extension == "jpg" ? PictureFormat::Jpeg
                                : PictureFormat::None;
}

TEST(PictureCheck, EveryPictureGetsItsVerdict) {
    const auto pictures = test::PictureFiles("check");
    EXPECT_GE(pictures.size(), 125u);
    for (const test::PictureFile& p : pictures) {
        const PictureFormat expected = p.bad ? PictureFormat::None : FormatOf(p.name);
        EXPECT_EQ(static_cast<int>(CheckPicture(p.bytes)), static_cast<int>(expected)) << p.name;
        EXPECT_EQ(LogoBitmap(p.bytes).has_value(), !p.bad) << p.name;
    }
}

} // namespace
} // namespace bw
