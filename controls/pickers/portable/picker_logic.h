// Color and pattern pickers: the platform-free half. Both pickers are fixed
// grids of entries (cells that are painted and hit-tested, then one frame
// entry that only places the drop shadow); what tells them apart is the
// geometry below. The hit test, the cell identifiers, the index carried by
// the private messages, the reaction to input and the lines of each cell are
// shared.
#pragma once

#include <cstdint>

#include "frame/portable/command_reader.h"

namespace qor32 {

// Drawing style of an entry.
enum : uint16_t { CELL_WELL = 0, CELL_SWATCH = 2, CELL_FRAME = 3 };

namespace picker {

// COLORREF values (0x00BBGGRR) of the three-dimensional look.
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kLightGrey = 0xC0C0C0;
constexpr uint32_t kDarkGrey = 0x808080;
constexpr uint32_t kBlack = 0x000000;

constexpr int kMaxEntries = 24;

struct Entry {
  Rect32 rect;  // right and bottom exclusive
  uint16_t kind;
};

struct Geometry {
  int width, height;      // the window's fixed size
  int cellCount;          // entries 0 .. cellCount - 1 are cells
  int entryCount;         // cellCount + the frame entry
  uint32_t frameValue;    // value of the frame entry at creation
  Entry entries[kMaxEntries];
};

// The colour picker: 20 palette cells, the swatch well, the back and the
// front swatch, the frame entry.
constexpr Geometry MakeColorGeometry() {
  Geometry g{78, 104, 23, 24, 0x808080, {}};
  constexpr Rect32 kTopRight[4] = {{38, 0, 57, 17}, {57, 0, 76, 17}, {38, 17, 57, 34}, {57, 17, 76, 34}};
  for (int i = 0; i < 4; ++i) g.entries[i] = Entry{kTopRight[i], CELL_WELL};
  for (int k = 0; k < 16; ++k) {
    const int32_t left = 19 * (k % 4), top = 34 + 17 * (k / 4);
    g.entries[4 + k] = Entry{{left, top, left + 19, top + 17}, CELL_WELL};
  }
  g.entries[20] = Entry{{0, 0, 38, 34}, CELL_WELL};
  g.entries[21] = Entry{{16, 14, 34, 30}, CELL_SWATCH};
  g.entries[22] = Entry{{6, 6, 24, 22}, CELL_SWATCH};
  g.entries[23] = Entry{{0, 0, 77, 103}, CELL_FRAME};
  return g;
}

// The pattern picker: a 4 x 4 grid of wells and the frame entry.
constexpr Geometry MakePatternGeometry() {
  Geometry g{78, 70, 16, 17, 0, {}};
  for (int i = 0; i < 16; ++i) {
    const int32_t left = 19 * (i % 4), top = 17 * (i / 4);
    g.entries[i] = Entry{{left, top, left + 19, top + 17}, CELL_WELL};
  }
  g.entries[16] = Entry{{0, 0, 77, 69}, CELL_FRAME};
  return g;
}

constexpr Geometry kColorGeometry = MakeColorGeometry();
constexpr Geometry kPatternGeometry = MakePatternGeometry();

// The cell hit at (x, y), searching from the last cell down so that a later
// (front) cell wins where cells overlap; -1 when no cell holds the point.
// Works on any rectangle type with left, top, right and bottom.
template <class R>
int HitTestCells(const R* rects, int cellCount, uint32_t x, uint32_t y) {
  for (int i = cellCount - 1; i >= 0; --i) {
    const R& r = rects[i];
    if (static_cast<int64_t>(r.left) <= x && x < static_cast<int64_t>(r.right) &&
        static_cast<int64_t>(r.top) <= y && y < static_cast<int64_t>(r.bottom)) {
      return i;
    }
  }
  return -1;
}

// Cell identifier of cell `index`: control identifier plus index, 16 bits.
constexpr uint16_t CellIdentifier(int32_t controlId, int index) {
  return static_cast<uint16_t>(static_cast<uint32_t>(controlId) + static_cast<uint32_t>(index));
}

// The entry a private message addresses (wParam minus the control
// identifier, in 32 bits); -1 when that is not one of the entryCount
// entries.
constexpr int EntryIndex(uint32_t wParam, int32_t controlId, int entryCount) {
  const uint32_t index = wParam - static_cast<uint32_t>(controlId);
  return index < static_cast<uint32_t>(entryCount) ? static_cast<int>(index) : -1;
}

// Notification codes, the same for both pickers.
constexpr uint16_t kClick = 0;
constexpr uint16_t kDoubleClick = 5;
constexpr uint16_t kRightClick = 0x0437;
constexpr uint16_t kRightDoubleClick = 0x0438;
constexpr uint32_t kSpaceKey = 32;

enum class Input { LeftPress, RightPress, LeftDoubleClick, RightDoubleClick, KeyRelease };

struct Notice {
  bool send;
  int cell;       // cell index to report
  uint16_t code;  // notification code
};

// What an input does: `hit` is the cell a press landed on (-1: none), `key`
// the virtual key of a release. A press that hits a cell moves `selected`;
// double clicks and the space bar report `selected` as it stands.
Notice React(Input input, int hit, uint32_t key, uint16_t& selected);

// A polyline in one colour: a move to points[0], then a line to each
// following point (each line leaves out its end point).
struct Stroke {
  uint32_t color;
  int pointCount;
  Point32 points[5];
};

struct StrokeList {
  int count = 0;
  Stroke strokes[6];
};

// The lines drawn over a cell after its outlined rectangle
// (l, t, r + 1, b + 1): raised edges for a swatch, sunken ones for a well.
StrokeList CellStrokes(uint16_t kind, const Rect32& r);

// The drop shadow along the bottom and right of the frame entry.
Stroke DropShadow(const Rect32& frame);

}  // namespace picker
}  // namespace qor32
