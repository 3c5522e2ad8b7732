// Pictures for the Preview tests: 8-bit bitmaps with a full colour table,
// and deliberately broken ones that the control must take as no picture.
#include <cstdint>
#include <vector>

#include "bmpgen.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Greys without pure black and white; index 0 and 255 as given.
std::vector<uint32_t> Palette(uint32_t first, uint32_t last) {
  std::vector<uint32_t> p(256);
  for (uint32_t i = 0; i < 256; ++i) p[i] = i * 0x010101;
  p[0] = first;
  p[1] = kRed;
  p[2] = kGreen;
  p[3] = kBlue;
  p[255] = last;
  return p;
}

// 16 x 8: the top four rows are blocks of index 0, 255, 1 (red) and 3
// (blue), four columns each; the bottom four rows are index 2 (green) on
// the left half and 128 (grey 0x808080) on the right half.
bmpgen::Image Blocks(uint32_t first, uint32_t last) {
  bmpgen::Image image(16, 8, 0);
  image.palette = Palette(first, last);
  image.FillRect(4, 0, 8, 4, 255);
  image.FillRect(8, 0, 12, 4, 1);
  image.FillRect(12, 0, 16, 4, 3);
  image.FillRect(0, 4, 8, 8, 2);
  image.FillRect(8, 4, 16, 8, 128);
  return image;
}

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// A bitmap file written field by field: file header, 40-byte header with
// the given values, `tableEntries` colours (entry i = grey i) and
// `bitsBytes` bytes of pixels, each `pixel`.
bmpgen::Image Raw(uint32_t bitCount, int32_t width, int32_t height, uint32_t tableEntries,
                  uint32_t colorsUsed, uint32_t bitsBytes, uint8_t pixel = 0) {
  bmpgen::Image image;
  std::vector<uint8_t>& v = image.raw;
  v.push_back('B');
  v.push_back('M');
  Put32(v, 14 + 40 + tableEntries * 4 + bitsBytes);
  Put32(v, 0);
  Put32(v, 14 + 40 + tableEntries * 4);
  Put32(v, 40);
  Put32(v, uint32_t(width));
  Put32(v, uint32_t(height));
  Put16(v, 1);
  Put16(v, bitCount);
  Put32(v, 0);
  Put32(v, bitsBytes);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, colorsUsed);
  Put32(v, 0);
  for (uint32_t i = 0; i < tableEntries; ++i) {
    for (int k = 0; k < 3; ++k) v.push_back(uint8_t(i));
    v.push_back(0);
  }
  v.insert(v.end(), bitsBytes, pixel);
  return image;
}

}  // namespace

QOR32_BITMAP(PRV_BW) { return Blocks(0x000000, 0xFFFFFF); }
// The same picture under a 31-character name.
QOR32_BITMAP(PRV_NAME_31_CHARACTERS_ABCDEFGH) { return Blocks(0x000000, 0xFFFFFF); }
// Neither pure black nor pure white: index 0 is 0x202020, index 255 0xE0E0E0.
QOR32_BITMAP(PRV_NOBW) { return Blocks(0x202020, 0xE0E0E0); }
// A top-down 16 x 8 picture: rows 0-3 grey 0x404040 (index 64), rows 4-7
// grey 0xC0C0C0 (index 192).
QOR32_BITMAP(PRV_TOPDOWN) {
  bmpgen::Image image = Raw(8, 16, -8, 256, 256, 16 * 8, 64);
  for (size_t i = image.raw.size() - 16 * 4; i < image.raw.size(); ++i) image.raw[i] = 192;
  return image;
}

// Not usable: each is shown as no picture.
QOR32_BITMAP(PRV_24BIT) { return bmpgen::Image(16, 8, kRed); }
QOR32_BITMAP(PRV_SHORTTABLE) {
  bmpgen::Image image(16, 8, 1);
  image.palette = {0x000000, kRed, kGreen, kBlue, 0x808080, 0xC0C0C0, 0x400000, 0x004000,
                   0x000040, 0x404000, 0x004040, 0x400040, 0x202020, 0x606060, 0xA0A0A0, 0xFFFFFF};
  return image;
}
QOR32_BITMAP(PRV_4BIT) { return Raw(4, 16, 8, 16, 16, 8 * 8, 0x11); }
// Header and colour table of a 16 x 8 picture but only three pixel rows.
QOR32_BITMAP(PRV_TRUNCATED) { return Raw(8, 16, 8, 256, 256, 16 * 3, 1); }
// Twenty bytes: not even a whole header.
QOR32_BITMAP(PRV_TINY) {
  bmpgen::Image image = Raw(8, 16, 8, 0, 0, 0);
  image.raw.resize(14 + 20);
  return image;
}
