// The pixels of a bitmap resource, for comparing what a control shows with
// the bitmap it was given.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qt {

struct BitmapPixels {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // row-major from the top, 0xRRGGBB
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // Tiled: coordinates wrap at the bitmap's size.
  uint32_t Tiled(int x, int y) const { return At(x % width, y % height); }
  // Rows first to first + count - 1, all columns.
  std::vector<uint32_t> Rows(int first, int count) const {
    return std::vector<uint32_t>(pixels.begin() + size_t(first) * width,
                                 pixels.begin() + size_t(first + count) * width);
  }
};

// Empty (0 x 0) if the module holds no such bitmap.
BitmapPixels LoadBitmapPixels(HINSTANCE module, const char* name);

}  // namespace qt
