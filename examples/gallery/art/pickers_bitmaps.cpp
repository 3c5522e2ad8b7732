// Gallery art of the pickers part: sixteen 8 x 8 fill patterns for the
// pattern picker, two colours each.
#include "bmpgen.h"

namespace {

using Rule = bool (*)(int x, int y);

bmpgen::Image FillPattern(Rule rule, uint32_t ink, uint32_t paper) {
  bmpgen::Image image(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image.at(x, y) = rule(x, y) ? ink : paper;
  return image;
}

constexpr uint32_t kPaper = 0xFFFFFF;

}  // namespace

QOR32_BITMAP(GAL_PAT_SOLID) { return FillPattern([](int, int) { return true; }, 0x3060C0, kPaper); }
QOR32_BITMAP(GAL_PAT_HLINES) { return FillPattern([](int, int y) { return y % 4 == 0; }, 0x000000, kPaper); }
QOR32_BITMAP(GAL_PAT_VLINES) { return FillPattern([](int x, int) { return x % 4 == 0; }, 0x000000, kPaper); }
QOR32_BITMAP(GAL_PAT_FDIAG) { return FillPattern([](int x, int y) { return (x + y) % 4 == 0; }, 0x206020, kPaper); }
QOR32_BITMAP(GAL_PAT_BDIAG) { return FillPattern([](int x, int y) { return (x - y + 8) % 4 == 0; }, 0x206020, kPaper); }
QOR32_BITMAP(GAL_PAT_CROSS) { return FillPattern([](int x, int y) { return x % 4 == 0 || y % 4 == 0; }, 0x800000, kPaper); }
QOR32_BITMAP(GAL_PAT_DIAGCROSS) {
  return FillPattern([](int x, int y) { return (x + y) % 4 == 0 || (x - y + 8) % 4 == 0; }, 0x800000, kPaper);
}
QOR32_BITMAP(GAL_PAT_CHECKER) { return FillPattern([](int x, int y) { return (x / 2 + y / 2) % 2 == 0; }, 0x404040, kPaper); }
QOR32_BITMAP(GAL_PAT_DOTS) { return FillPattern([](int x, int y) { return x % 4 == 1 && y % 4 == 1; }, 0x000080, kPaper); }
QOR32_BITMAP(GAL_PAT_HALFTONE) { return FillPattern([](int x, int y) { return (x + y) % 2 == 0; }, 0x808080, kPaper); }
QOR32_BITMAP(GAL_PAT_BRICK) {
  return FillPattern([](int x, int y) { return y % 4 == 3 || (y < 4 ? x == 0 : x == 4); }, 0xA04020, 0xF0D0B0);
}
QOR32_BITMAP(GAL_PAT_WEAVE) {
  return FillPattern([](int x, int y) { return ((x / 4 + y / 4) % 2 == 0) ? y % 2 == 0 : x % 2 == 0; }, 0x605020, 0xF0E8C0);
}
QOR32_BITMAP(GAL_PAT_WAVE) {
  return FillPattern([](int x, int y) { return y == (x < 4 ? x : 7 - x); }, 0x0060A0, 0xE0F0FF);
}
QOR32_BITMAP(GAL_PAT_SCALES) {
  return FillPattern([](int x, int y) { return (x - 4) * (x - 4) + (y - 8) * (y - 8) / 2 == 8 || y == 0; }, 0x208080, kPaper);
}
QOR32_BITMAP(GAL_PAT_PLAID) {
  return FillPattern([](int x, int y) { return x == 2 || x == 3 || y == 5; }, 0xC03030, 0xF8F0D0);
}
QOR32_BITMAP(GAL_PAT_SAND) {
  return FillPattern([](int x, int y) { return ((x * 5 + y * 3) * 7 + x * y) % 5 == 0; }, 0x806040, 0xF8ECD0);
}
