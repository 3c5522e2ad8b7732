#include "controls/tab/portable/tab_logic.h"

namespace qor32 {
namespace tab {

void ReadTabText(int32_t& pos, const char* text, TabText& out) {
  RunCommands(pos, text, [&](char letter) {
    switch (letter) {
      case 'H':
        out.instance = ParseNumber(pos, text);
        out.hasInstance = true;
        break;
      case 'Q':
        out.count = static_cast<uint16_t>(ParseNumber(pos, text));
        ParseText(pos, text, out.bitmapName, kNameCapacity, true);
        break;
      default: break;
    }
  });
}

namespace {

struct LayoutRow {
  uint16_t code;
  Layout layout;
};

constexpr LayoutRow kLayouts[] = {
    {2, {2, {{0, 0, 86, 20}, {86, 0, 171, 20}}, {{13, 4, 79, 20}, {92, 4, 159, 20}}}},
    {3,
     {3,
      {{0, 0, 61, 20}, {61, 0, 115, 20}, {115, 0, 171, 20}},
      {{6, 4, 53, 20}, {61, 4, 108, 20}, {115, 4, 162, 20}}}},
    {4,
     {4,
      {{0, 0, 43, 23}, {43, 0, 86, 23}, {86, 0, 129, 23}, {129, 0, 173, 23}},
      {{2, 3, 41, 20}, {45, 3, 84, 20}, {88, 3, 127, 20}, {131, 3, 170, 20}}}},
    {19,
     {3,
      {{0, 0, 83, 23}, {83, 0, 166, 23}, {166, 0, 249, 23}},
      {{4, 3, 79, 20}, {87, 3, 162, 20}, {170, 3, 245, 20}}}},
    {20,
     {3,
      {{0, 0, 112, 23}, {113, 0, 225, 23}, {226, 0, 339, 23}},
      {{4, 3, 109, 20}, {117, 3, 222, 20}, {230, 3, 336, 20}}}},
};

}  // namespace

Layout LayoutFor(uint16_t value) {
  for (const LayoutRow& row : kLayouts) {
    if (row.code == value) return row.layout;
  }
  return Layout{value, {}, {}};
}

}  // namespace tab
}  // namespace qor32
