// Strip bitmaps for the tab control tests. Every pixel has its own colour
// (red from the column, green from the row, blue from the column's high
// bits), so a test can tell exactly which rows of the strip are shown.
#include "bmpgen.h"

namespace {

bmpgen::Image Strip(int width, int height) {
  bmpgen::Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.at(x, y) = (uint32_t(x & 0xFF) << 16) | (uint32_t(y * 3) << 8) | uint32_t(0x20 + 0x40 * (x >> 8));
  return image;
}

}  // namespace

QOR32_BITMAP(TAB_STRIP2) { return Strip(171, 40); }
QOR32_BITMAP(TAB_STRIP3) { return Strip(171, 60); }
QOR32_BITMAP(TAB_STRIP3_TALL) { return Strip(171, 62); }  // two rows beyond three bands
QOR32_BITMAP(TAB_STRIP4) { return Strip(173, 92); }
QOR32_BITMAP(TAB_WIDE19) { return Strip(249, 69); }
QOR32_BITMAP(TAB_WIDE20) { return Strip(339, 69); }
QOR32_BITMAP(TAB_STRIP5) { return Strip(100, 50); }      // five bands, no layout
