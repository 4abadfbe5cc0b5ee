#pragma once
#include "core/unique_handle.h"

#include <string>

namespace bw {

// The picture of a BMP file whose structure CheckPicture has accepted, drawn by GDI straight from its bytes: what
// OleLoadPicture makes of it (the same size in HIMETRIC from the screen's DPI, the same pixels), without starting
// OLE, whose first use costs a start-up with a logo more than all of its own work. It draws the whole picture, the
// only way the program draws one; the rest of IPicture answers E_NOTIMPL.
UniquePicture MakeDibPicture(std::string bmp);

} // namespace bw
