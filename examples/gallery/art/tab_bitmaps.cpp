// Gallery art of the tab part: a strip of three bands for the wide
// three-tab layout (249 x 23 each), band k showing tab k selected.
#include <cstring>

#include "bmpgen.h"

namespace {

constexpr int kTabWidth = 83, kBandHeight = 23;
constexpr uint32_t kFace = 0xF0F0F0, kTabFace = 0xD8D8D8, kSelectedFace = 0xFFFFFF;
constexpr uint32_t kWhite = 0xFFFFFF, kShadow = 0x808080, kDark = 0x404040, kInk = 0x000000;

// A 5 x 7 pixel font for the letters of the labels.
struct Glyph {
  char letter;
  const char* rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
};

void DrawText(bmpgen::Image& image, int centreX, int top, const char* text, uint32_t ink) {
  const int width = static_cast<int>(std::strlen(text)) * 6 - 1;
  int x = centreX - width / 2;
  for (const char* c = text; *c != '\0'; ++c, x += 6) {
    for (const Glyph& g : kGlyphs) {
      if (g.letter != *c) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g.rows[row][col] == '#') image.at(x + col, top + row) = ink;
    }
  }
}

bmpgen::Image Band(int selected) {
  static const char* const kLabels[3] = {"GENERAL", "COLORS", "PATTERNS"};
  bmpgen::Image band(3 * kTabWidth, kBandHeight, kFace);
  band.FillRect(0, kBandHeight - 1, band.width, kBandHeight, kWhite);  // the line under the tabs
  for (int i = 0; i < 3; ++i) {
    const int l = i * kTabWidth, r = l + kTabWidth - 1;
    const bool on = i == selected;
    const int t = on ? 0 : 3, b = on ? kBandHeight : kBandHeight - 1;
    band.FillRect(l + 1, t + 1, r - 1, b, on ? kSelectedFace : kTabFace);
    band.FillRect(l, t + 1, l + 1, b, kWhite);       // left edge
    band.FillRect(l + 1, t, r - 1, t + 1, kWhite);   // top edge
    band.FillRect(r - 1, t + 1, r, b, kShadow);      // right edge
    band.FillRect(r, t + 1, r + 1, b, kDark);
    DrawText(band, l + kTabWidth / 2, on ? 8 : 10, kLabels[i], on ? kInk : kShadow);
  }
  return band;
}

}  // namespace

QOR32_BITMAP(GAL_TAB_STRIP) { return bmpgen::Stack({Band(0), Band(1), Band(2)}); }
