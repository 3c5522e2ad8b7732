// Artwork of the benchmark program: a slider thumb and track, a three-tab
// strip, a button image, matrix grids of 1 to 64 cells and an 8-bit picture.
#include "bmpgen.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

// Bands of a columns x rows grid of 40 x 20 cells: three image bands, one
// colour per cell, and (with four bands) an all-black, opaque mask band.
bmpgen::Image Grid(int columns, int rows, int bands = 4) {
  constexpr int w = 40, h = 20;
  bmpgen::Image image(w * columns, h * rows * bands, kBlack);
  for (int b = 0; b < 3; ++b)
    for (int i = 0; i < columns * rows; ++i) {
      const int x = (i % columns) * w, y = b * rows * h + (i / columns) * h;
      const uint32_t colour = (0x30507 * uint32_t(i + 1) + 0x400000u * uint32_t(b)) & 0xFFFFFF;
      image.FillRect(x, y, x + w, y + h, colour);
      image.FillRect(x + 2, y + 2, x + w - 2, y + 4, kWhite);
    }
  return image;
}

}  // namespace

// Thumb: 10 x 16 per band; normal, pressed, disabled and the mask.
QOR32_BITMAP(BENCH_THUMB) {
  bmpgen::Image image(10, 64, kBlack);
  image.FillRect(1, 0, 9, 16, 0xC04040);
  image.FillRect(1, 16, 9, 32, 0x4040C0);
  image.FillRect(1, 32, 9, 48, 0x808080);
  image.FillRect(0, 48, 10, 64, kWhite);
  image.FillRect(1, 48, 9, 64, kBlack);
  return image;
}

// Track: a 200 x 20 face with a groove, and its (opaque) mask.
QOR32_BITMAP(BENCH_TRACK) {
  bmpgen::Image image(200, 40, 0xC0C0C0);
  image.FillRect(4, 9, 196, 11, 0x404040);
  image.FillRect(0, 20, 200, 40, kBlack);
  return image;
}

// Three bands of 171 x 20 (the three-tab layout), each showing another tab
// selected.
QOR32_BITMAP(BENCH_TAB3) {
  constexpr int left[] = {0, 61, 115, 171};
  bmpgen::Image image(171, 60, 0xC0C0C0);
  for (int b = 0; b < 3; ++b) {
    image.FillRect(0, b * 20 + 18, 171, b * 20 + 20, 0x404040);
    image.FillRect(left[b] + 2, b * 20 + 2, left[b + 1] - 2, b * 20 + 18, kWhite);
  }
  return image;
}

// A 16 x 16 button image.
QOR32_BITMAP(BENCH_ICON) {
  bmpgen::Image image(16, 16, 0x2060C0);
  image.FillRect(4, 4, 12, 12, 0xF0C020);
  return image;
}

QOR32_BITMAP(BENCH_GRID1) { return Grid(1, 1); }
QOR32_BITMAP(BENCH_GRID4) { return Grid(2, 2); }
QOR32_BITMAP(BENCH_GRID8) { return Grid(4, 2); }
QOR32_BITMAP(BENCH_GRID8N) { return Grid(4, 2, 3); }
QOR32_BITMAP(BENCH_GRID16) { return Grid(4, 4); }
QOR32_BITMAP(BENCH_GRID64) { return Grid(8, 8); }

// Picture of the preview: 64 x 48, 8-bit, grey ramp with black and white.
QOR32_BITMAP(BENCH_PICTURE) {
  bmpgen::Image image(64, 48, 0);
  image.palette.resize(256);
  for (uint32_t i = 0; i < 256; ++i) image.palette[i] = i * 0x010101;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) image.at(x, y) = uint32_t((x * 4 + y) & 0xFF);
  return image;
}
