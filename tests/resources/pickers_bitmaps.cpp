// Pattern bitmaps for the pattern picker tests. Every pixel of a pattern
// has its own colour, and the sizes differ, so a test can tell which bitmap
// tiled a cell and where the tiling starts.
#include "bmpgen.h"

namespace {

// Pattern k: (3 + k mod 3) x (2 + k mod 4) pixels.
bmpgen::Image PickerPattern(int k) {
  bmpgen::Image image(3 + k % 3, 2 + k % 4);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      image.at(x, y) = (uint32_t((16 * k + 40 * x) & 0xFF) << 16) | (uint32_t(50 * y + 20) << 8) |
                      uint32_t(250 - 12 * k);
  return image;
}

}  // namespace

QOR32_BITMAP(PICK_PAT_0) { return PickerPattern(0); }
QOR32_BITMAP(PICK_PAT_1) { return PickerPattern(1); }
QOR32_BITMAP(PICK_PAT_2) { return PickerPattern(2); }
QOR32_BITMAP(PICK_PAT_3) { return PickerPattern(3); }
QOR32_BITMAP(PICK_PAT_4) { return PickerPattern(4); }
QOR32_BITMAP(PICK_PAT_5) { return PickerPattern(5); }
QOR32_BITMAP(PICK_PAT_6) { return PickerPattern(6); }
QOR32_BITMAP(PICK_PAT_7) { return PickerPattern(7); }
QOR32_BITMAP(PICK_PAT_8) { return PickerPattern(8); }
QOR32_BITMAP(PICK_PAT_9) { return PickerPattern(9); }
QOR32_BITMAP(PICK_PAT_10) { return PickerPattern(10); }
QOR32_BITMAP(PICK_PAT_11) { return PickerPattern(11); }
QOR32_BITMAP(PICK_PAT_12) { return PickerPattern(12); }
QOR32_BITMAP(PICK_PAT_13) { return PickerPattern(13); }
QOR32_BITMAP(PICK_PAT_14) { return PickerPattern(14); }
QOR32_BITMAP(PICK_PAT_15) { return PickerPattern(15); }
