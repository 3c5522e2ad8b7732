// An image of what a control paints, kept so that a repaint copies it
// instead of drawing again. The drawing is made on a 32-bit DIB section,
// which on a 32-bit display gives exactly the pixels the same drawing gives
// on the window; on other displays no image is made and the control draws
// on the window. The record is plain data, zero when empty, so that it can
// live in a StateBlock.
#pragma once

#include <windows.h>

#include "frame/dib_section.h"
#include "frame/gdi.h"

namespace qor32 {

struct PaintedImage {
  HBITMAP bitmap;  // owned; null when there is none
  SIZE size;
  bool current;    // false until drawn, and after what it shows changed
};

// Makes an image of width x height on a 32-bit display; none otherwise.
inline void CreatePaintedImage(PaintedImage& image, int width, int height) {
  image.bitmap = DisplayIs32Bit() ? CreateDibSection32(width, height) : nullptr;
  image.size = SIZE{width, height};
  image.current = false;
}

inline void ReleasePaintedImage(PaintedImage& image) {
  if (image.bitmap != nullptr) DeleteObject(image.bitmap);
  image = PaintedImage{};
}

// Repaints through the image: an image of another size is made anew, an
// out-of-date one is drawn again with draw(memoryDC), then copy(dc,
// memoryDC) puts it on the window. False when there is no image to use;
// the caller then draws on the window itself.
template <class Draw, class Copy>
bool PaintThroughImage(HDC dc, PaintedImage& image, int width, int height, Draw draw, Copy copy) {
  if (image.bitmap == nullptr) return false;
  if (image.size.cx != width || image.size.cy != height) {
    HBITMAP resized = CreateDibSection32(width, height);
    if (resized == nullptr) return false;
    DeleteObject(image.bitmap);
    image = PaintedImage{resized, SIZE{width, height}, false};
  }
  MemoryDC memory(dc);
  if (!memory) return false;
  ScopedSelect selection(memory.get(), image.bitmap);
  if (!selection.selected()) return false;
  if (!image.current) {
    draw(memory.get());
    image.current = true;
  }
  copy(dc, memory.get());
  return true;
}

}  // namespace qor32
