#pragma once
// What the main window's picture boxes show, drawn at the window's scale, and the frame that holds the logo.
#include "core/unique_handle.h"
#include "ui/layout.h"

#include <windows.h>

namespace bw {

// The frame draws neither border nor caption; it only holds the logo preview, on the window colour.
inline constexpr wchar_t kLogoFrameClass[] = L"BrandwickFrame";
void RegisterLogoFrameClass();

// The picture boxes' own font, MS Sans Serif 8.25 pt.
UniqueFont CreatePictureFont(int dpi);

// The picture drawn at its own size, scaled to the window's dpi, on the window colour, as a bitmap a static control
// can show.
UniqueBitmap RenderPicture(IPicture* picture, int dpi);

// An empty picture of the given size and system colour: a static control without a bitmap paints nothing at all.
UniqueBitmap BlankBitmap(int cx, int cy, int colour);

// Gives a picture box the picture drawn at dpi, and the box takes its size; nothing when it cannot be drawn.
UniqueBitmap ShowPicture(HWND pictureBox, IPicture* picture, int dpi);

// Gives a picture box a blank of its own size in the system colour; the box shows it until the bitmap goes.
UniqueBitmap ShowBlank(HWND pictureBox, int colour);

// Moves a picture box to the middle of its frame, whose size the design gives in twips.
void CentrePictureBox(HWND pictureBox, const ControlSpec& frame, int dpi);

} // namespace bw
