// Background capture and strip-band drawing.
//
// A control that is painted over every pixel of its client area can still
// look transparent: it takes a snapshot of what the parent shows under it
// (CaptureBackground) and composes its artwork over that snapshot with a
// mask band (DrawStripBand): the background is copied, ANDed with the mask
// band (white keeps the background, black clears it) and XORed with the
// image band (black leaves the background, colour shows where the mask was
// black).
//
// A strip bitmap holds bands of equal height stacked from the top; band k
// starts at row k * height.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qor32 {

// Copies the parent's pixels under the control's client area into `bitmap`,
// or into a new bitmap of the current client size when `bitmap` is null.
// A reused bitmap keeps its size. Returns the bitmap (null if none could be
// made); the caller owns it.
HBITMAP CaptureBackground(HWND hwnd, HBITMAP bitmap);

// Draws band `imageBand` of `strip` into (0, 0)-(width, height) of dc:
// opaquely without a background, or over `background` through band
// `maskBand` with it.
void DrawStripBand(HDC dc, HBITMAP strip, uint16_t maskBand, uint16_t imageBand, int width,
                   int height, HBITMAP background);

}  // namespace qor32
