// Matrix bitmaps for the Matrix control tests.
//
// MTX_EXAMPLE_160: 160 x 160, four bands of a 4 x 2 grid (40 x 20 cells);
// every cell is one colour per band and fully opaque (black mask).
// MTX_BANDS<n>: n bands of a 2 x 2 grid of 3 x 2 cells; each cell of each
// image band is one colour with a white top-left pixel.
// MTX_MASKED<n>: n bands (4, 5 or 8) of a 2 x 1 grid of 6 x 4 cells: a
// black core of 4 x 2 inside a white mask border; image bands are black
// over the border except a white top-left pixel, coloured over the core.
#include "bmpgen.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// Cell colours of the small grid, [band][cell].
constexpr uint32_t kBandColors[3][4] = {
    {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00},
    {0xFF00FF, 0x00FFFF, 0x800000, 0x008000},
    {0x000080, 0x808000, 0x800080, 0x008080},
};

bmpgen::Image SmallGrid(int bands) {
  constexpr int w = 3, h = 2, columns = 2, rows = 2;
  bmpgen::Image image(w * columns, h * rows * bands, kBlack);
  for (int b = 0; b < bands; ++b) {
    for (int i = 0; i < columns * rows; ++i) {
      const int x = (i % columns) * w, y = b * rows * h + (i / columns) * h;
      image.FillRect(x, y, x + w, y + h, kBandColors[b][i]);
      image.at(x, y) = kWhite;
    }
  }
  return image;
}

// Core colours of the masked grid, [band][cell]; band 3 is the mask.
constexpr uint32_t kCoreColors[3][2] = {
    {0xFF0000, 0x00FF00},
    {0x0000FF, 0xFFFF00},
    {0x808080, 0xFF00FF},
};

bmpgen::Image MaskedGrid(int bands) {
  constexpr int w = 6, h = 4, columns = 2;
  bmpgen::Image image(w * columns, h * bands, kBlack);
  for (int c = 0; c < columns; ++c) {
    const int x = c * w;
    for (int b = 0; b < 3; ++b) {
      image.FillRect(x + 1, b * h + 1, x + w - 1, b * h + h - 1, kCoreColors[b][c]);
      image.at(x, b * h) = kWhite;
    }
    image.FillRect(x, 3 * h, x + w, 4 * h, kWhite);
    image.FillRect(x + 1, 3 * h + 1, x + w - 1, 4 * h - 1, kBlack);
  }
  // Bands beyond the mask are never drawn: make them loud.
  image.FillRect(0, 4 * h, w * columns, bands * h, 0x00FFFF);
  return image;
}

}  // namespace

QOR32_BITMAP(MTX_EXAMPLE_160) {
  bmpgen::Image image(160, 160, kBlack);
  for (int i = 0; i < 8; ++i) {
    const int x = (i % 4) * 40, y = (i / 4) * 20;
    for (int b = 0; b < 3; ++b) {
      const uint32_t color = 0x102030u * uint32_t(i + 1) + 0x400000u * uint32_t(b);
      image.FillRect(x, b * 40 + y, x + 40, b * 40 + y + 20, color & 0xFFFFFF);
    }
  }
  return image;  // band 3 stays black: fully opaque cells
}

QOR32_BITMAP(MTX_BANDS1) { return SmallGrid(1); }
QOR32_BITMAP(MTX_BANDS2) { return SmallGrid(2); }
QOR32_BITMAP(MTX_BANDS3) { return SmallGrid(3); }
QOR32_BITMAP(MTX_MASKED4) { return MaskedGrid(4); }
QOR32_BITMAP(MTX_MASKED5) { return MaskedGrid(5); }
QOR32_BITMAP(MTX_MASKED8) { return MaskedGrid(8); }
