// Gallery art of the matrix part: a keypad of 4 x 2 rounded keys in four
// bands (normal, pressed, disabled, mask). Outside the key shapes the mask
// is white and the images black, so the dialog shows between the keys.
#include <cstdlib>

#include "bmpgen.h"

namespace {

constexpr int kColumns = 4, kRows = 2, kCellW = 44, kCellH = 26;
constexpr int kBandH = kRows * kCellH;
constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

// 7 x 7 glyphs, one per key.
const char* const kGlyphs[kColumns * kRows][7] = {
    {"...#...", "..###..", ".#.#.#.", "#..#..#", "...#...", "...#...", "...#..."},  // up
    {"...#...", "...#...", "...#...", "#..#..#", ".#.#.#.", "..###..", "...#..."},  // down
    {"...#...", "..#....", ".#.....", "#######", ".#.....", "..#....", "...#..."},  // left
    {"...#...", "....#..", ".....#.", "#######", ".....#.", "....#..", "...#..."},  // right
    {"...#...", "...#...", "...#...", "#######", "...#...", "...#...", "...#..."},  // plus
    {".......", ".......", ".......", "#######", ".......", ".......", "......."},  // minus
    {"#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"},  // times
    {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."},  // ring
};

// Inside the key: a rectangle with corners cut round (radius 6).
bool InKey(int x, int y) {
  constexpr int l = 1, t = 1, r = kCellW - 2, b = kCellH - 2, radius = 6;
  if (x < l || x > r || y < t || y > b) return false;
  const int cx = x < l + radius ? l + radius : x > r - radius ? r - radius : x;
  const int cy = y < t + radius ? t + radius : y > b - radius ? b - radius : y;
  const int dx = x - cx, dy = y - cy;
  return dx * dx + dy * dy <= radius * radius;
}

bool OnEdge(int x, int y) {
  return InKey(x, y) && !(InKey(x - 1, y) && InKey(x + 1, y) && InKey(x, y - 1) && InKey(x, y + 1));
}

struct Look {
  uint32_t face, light, dark, glyph;
  int shift;  // glyph offset of the pressed key
};

void DrawKey(bmpgen::Image& image, int ox, int oy, int key, const Look& look) {
  for (int y = 0; y < kCellH; ++y)
    for (int x = 0; x < kCellW; ++x) {
      if (!InKey(x, y)) continue;
      uint32_t color = look.face;
      if (OnEdge(x, y)) color = (y < kCellH / 2) == (look.shift == 0) ? look.light : look.dark;
      image.at(ox + x, oy + y) = color;
    }
  const int gx = (kCellW - 7) / 2 + look.shift, gy = (kCellH - 7) / 2 + look.shift;
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (kGlyphs[key][y][x] == '#') image.at(ox + gx + x, oy + gy + y) = look.glyph;
}

}  // namespace

QOR32_BITMAP(GAL_MTX_KEYPAD) {
  const Look looks[3] = {
      {0x3A6EA5, 0x8FBCE8, 0x1C3A5C, 0xFFFFFF, 0},  // normal
      {0x2A5588, 0x1C3A5C, 0x8FBCE8, 0xFFE070, 1},  // pressed
      {0x9A9A9A, 0xC8C8C8, 0x6A6A6A, 0xC8C8C8, 0},  // disabled
  };
  bmpgen::Image image(kColumns * kCellW, 4 * kBandH, kBlack);
  for (int key = 0; key < kColumns * kRows; ++key) {
    const int ox = (key % kColumns) * kCellW, oy = (key / kColumns) * kCellH;
    for (int band = 0; band < 3; ++band) DrawKey(image, ox, band * kBandH + oy, key, looks[band]);
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x)
        image.at(ox + x, 3 * kBandH + oy + y) = InKey(x, y) ? kBlack : kWhite;
  }
  return image;
}
