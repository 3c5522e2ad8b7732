// A small strip for the storms' control texts.
#include "bmpgen.h"

QOR32_BITMAP(STORM_STRIP) {
  bmpgen::Image image(12, 16, 0x808080);
  image.FillRect(0, 4, 12, 8, 0xFFFFFF);
  image.FillRect(0, 12, 12, 16, 0x000000);
  return image;
}
