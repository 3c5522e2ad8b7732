// Tab control: the platform-free half. The control text (read once at
// creation), the layout chosen by the tab count, the hit test, and the
// arithmetic of bands and tab identifiers.
#pragma once

#include <cstdint>

#include "frame/portable/command_reader.h"

namespace qor32 {
namespace tab {

constexpr int kMaxTabs = 4;
constexpr int kNameCapacity = 16;  // 15 characters and the zero

// What the control text sets.
struct TabText {
  bool hasInstance;       // ~H was given
  int32_t instance;       // its number: a module instance written in decimal
  uint16_t count;         // ~Q: the tab count or layout code, 16 bits
  char bitmapName[kNameCapacity];
};

// Runs the commands of the text from pos on: ~H (instance) and ~Q (count,
// then the bitmap name, which ends at a blank). Other letters do nothing.
void ReadTabText(int32_t& pos, const char* text, TabText& out);

struct Layout {
  uint16_t count;                 // tabs and bitmap bands
  Rect32 tabRects[kMaxTabs];      // hit areas; right and bottom exclusive
  Rect32 focusRects[kMaxTabs];    // framed by the focus rectangle
};

// The layout for a ~Q value: 2, 3 and 4 tabs, and the wide three-tab
// layouts 19 and 20. Any other value is the count itself, without hit or
// focus areas.
Layout LayoutFor(uint16_t value);

// First tab (of the first `count`, at most four) whose area holds (x, y);
// -1 when none does. Works on any rectangle type.
template <class R>
int HitTestTabs(const R* rects, int count, uint32_t x, uint32_t y) {
  for (int i = 0; i < count && i < kMaxTabs; ++i) {
    const R& r = rects[i];
    if (static_cast<int64_t>(r.left) <= x && x < static_cast<int64_t>(r.right) &&
        static_cast<int64_t>(r.top) <= y && y < static_cast<int64_t>(r.bottom)) {
      return i;
    }
  }
  return -1;
}

// Tab identifier of tab `index`: control identifier plus index, 16 bits.
constexpr uint16_t TabIdentifier(int32_t controlId, int index) {
  return static_cast<uint16_t>(static_cast<uint32_t>(controlId) + static_cast<uint32_t>(index));
}

// The tab a TABM_SETSEL identifier names: its low word minus the low word
// of the control identifier, in 16 bits.
constexpr uint16_t TabFromIdentifier(uint32_t wParam, int32_t controlId) {
  return static_cast<uint16_t>((wParam & 0xFFFF) - (static_cast<uint32_t>(controlId) & 0xFFFF));
}

// Whether the control has a band for tab `index`.
constexpr bool HasBand(uint16_t index, uint16_t count) { return index < count; }

// First row of band `selected` in a bitmap of `height` rows holding `count`
// bands (the remainder rows at the bottom belong to no band).
constexpr int32_t BandTop(uint16_t selected, int32_t height, uint16_t count) {
  return count == 0 ? 0 : static_cast<int32_t>(selected) * (height / count);
}

}  // namespace tab
}  // namespace qor32
