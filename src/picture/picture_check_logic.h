#pragma once
// Checks a picture file's structure against its real size before any loader or decoder sees it, so that no file
// can make one read past its end, allocate without bound or walk runs off the picture.
// Accepted: BMP (header sizes 12, 40, 52, 56, 108, 124; depths 1/4/8/16/24/32; RLE4, RLE8, bit fields), PNG
// (CheckPng), icons and cursors of DIB and PNG images, GIF and JPEG (baseline, extended and progressive Huffman).
// Refused outright: WMF and EMF (their records are GDI calls with parameters of their own, too many to check
// soundly), BMP's BI_ALPHABITFIELDS (the desktop loader refuses it), every other format.
#include <cstdint>
#include <string_view>

namespace bw {

// The largest logo: a few thousand pixels a side and a bounded pixel count.
inline constexpr std::int64_t kMaxPictureSide = 4096;
inline constexpr std::int64_t kMaxPicturePixels = 4 * 1024 * 1024;

enum class PictureFormat { None, Bmp, Png, Icon, Cursor, Gif, Jpeg };

// The format of a file whose structure is whole and within bounds; None for any other file.
PictureFormat CheckPicture(std::string_view bytes);

} // namespace bw
