// Gallery art of the preview part: an 8-bit picture of hills under a sun,
// with a black outline and white clouds (so the black and white swap shows).
#include <cstdint>

#include "bmpgen.h"

namespace {

enum : uint32_t { kBlackIdx = 0, kSky = 1, kSun = 2, kHill = 3, kFarHill = 4, kWhiteIdx = 255 };

}  // namespace

QOR32_BITMAP(GAL_PRV_PICTURE) {
  constexpr int w = 96, h = 64;
  bmpgen::Image image(w, h, kSky);
  image.palette.assign(256, 0x808080);
  image.palette[kBlackIdx] = 0x000000;
  image.palette[kSky] = 0x78B4F0;
  image.palette[kSun] = 0xFFD030;
  image.palette[kHill] = 0x3C9A3C;
  image.palette[kFarHill] = 0x6CB86C;
  image.palette[kWhiteIdx] = 0xFFFFFF;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int sx = x - 70, sy = y - 16;
      if (sx * sx + sy * sy <= 81) image.at(x, y) = kSun;
      const int far = 34 + (x - 62) * (x - 62) / 200;
      const int near = 40 + (x - 15) * (x - 15) / 120;
      if (y >= far) image.at(x, y) = kFarHill;
      if (y >= near) image.at(x, y) = kHill;
    }
  }
  image.FillRect(12, 10, 30, 14, kWhiteIdx);  // clouds
  image.FillRect(16, 7, 26, 10, kWhiteIdx);
  image.FillRect(40, 18, 52, 21, kWhiteIdx);
  image.FillRect(0, 0, w, 1, kBlackIdx);  // outline
  image.FillRect(0, h - 1, w, h, kBlackIdx);
  image.FillRect(0, 0, 1, h, kBlackIdx);
  image.FillRect(w - 1, 0, w, h, kBlackIdx);
  return image;
}
