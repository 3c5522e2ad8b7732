// Geometry of the Matrix control: cell size cut from the bitmap, the cells'
// places, the window size, the cell lookup by identifier, and the drawing
// plan of one cell for its band count and owner-draw state.
//
// This file does not depend on the platform.
#pragma once

#include <cstdint>

#include "frame/portable/saturate.h"

#include "controls/matrix/portable/matrix_commands.h"

namespace qor32 {

// Standard raster operation codes used by the cell painter.
constexpr uint32_t kRopSrcCopy = 0x00CC0020;
constexpr uint32_t kRopSrcAnd = 0x008800C6;
constexpr uint32_t kRopSrcInvert = 0x00660046;
constexpr uint32_t kRopNotSrcCopy = 0x00330008;

// Owner-draw actions and states, with their standard values.
constexpr uint32_t kDrawEntire = 0x1;
constexpr uint32_t kDrawSelect = 0x2;
constexpr uint32_t kDrawFocus = 0x4;
constexpr uint32_t kStateSelected = 0x1;
constexpr uint32_t kStateDisabled = 0x4;
constexpr uint32_t kStateFocus = 0x10;

// Bands: 0 normal, 1 pressed, 2 disabled, 3 mask.
constexpr int32_t kMatrixMaskBand = 3;

struct MatrixLayout {
  // False when there is nothing to lay out: no bitmap, or fewer than one
  // column or row. Such a control has no cells and keeps its size.
  bool hasCells = false;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t gapX = 0;
  int32_t gapY = 0;
  int32_t cellWidth = 0;   // bitmap width / columns
  int32_t cellHeight = 0;  // (bitmap height / bands) / rows
  int32_t bands = 1;

  int32_t CellCount() const { return hasCells ? columns * rows : 0; }
  // The control's size; saturated, for bitmaps near the 32-bit limit.
  int32_t Width() const { return Saturate32(int64_t{columns} * cellWidth + int64_t{columns - 1} * gapX); }
  int32_t Height() const { return Saturate32(int64_t{rows} * cellHeight + int64_t{rows - 1} * gapY); }
};

// bitmapWidth and bitmapHeight as the bitmap reports them; hasBitmap false
// when there is no bitmap.
MatrixLayout ComputeMatrixLayout(const MatrixGrid& grid, bool hasBitmap, int32_t bitmapWidth,
                                 int32_t bitmapHeight);

struct MatrixPoint {
  int32_t x, y;
};

// Cell index i counts row by row from the top-left.
MatrixPoint CellPlace(const MatrixLayout& layout, int32_t index);     // in the control
MatrixPoint CellSource(const MatrixLayout& layout, int32_t index, int32_t band);  // in the bitmap

// Cell identifiers are the control identifier plus the index, in 16 bits.
constexpr uint16_t CellIdentifier(uint16_t controlId, int32_t index) {
  return static_cast<uint16_t>(controlId + index);
}
// The index of the cell with that identifier, or -1 if no cell has it.
int32_t CellIndexOf(const MatrixLayout& layout, uint16_t controlId, uint16_t cellId);

// A cell enable request: wParam bits 0-14 name the cell, bit 15 enables.
struct CellEnableRequest {
  uint16_t cellId;
  bool enable;
};
constexpr CellEnableRequest DecodeCellEnable(uintptr_t wParam) {
  return CellEnableRequest{static_cast<uint16_t>(wParam & 0x7FFF), (wParam & 0x8000) != 0};
}

enum class CellTimer { kNone, kSet, kKill };

// The cells whose repeat timer the control has set and not yet killed. A
// cell's redraw in the normal or disabled state kills its timer; killing
// one that was never set changes nothing but costs a round trip to the
// window manager for every cell of every repaint, so it is only done for
// the cells listed here. More cells held at once than fit (a pointer holds
// one) make every kill go through, as if none were tracked.
class RepeatTimers {
 public:
  static constexpr int kCapacity = 8;
  void Started(uint32_t id) {
    if (Find(id) >= 0 || overflow_) return;
    if (count_ == kCapacity) {
      overflow_ = true;
      return;
    }
    ids_[count_++] = id;
  }
  // True when the timer may run and must be killed; it is then forgotten.
  bool Stop(uint32_t id) {
    const int i = Find(id);
    if (i >= 0) ids_[i] = ids_[--count_];
    return i >= 0 || overflow_;
  }

 private:
  int Find(uint32_t id) const {
    for (int i = 0; i < count_; ++i)
      if (ids_[i] == id) return i;
    return -1;
  }
  uint32_t ids_[kCapacity] = {};
  int count_ = 0;
  bool overflow_ = false;
};

struct CellBlit {
  bool draw = false;
  int32_t band = 0;
  uint32_t rop = 0;
};

// What one WM_DRAWITEM of a cell does, in order: the background copy and
// mask (four bands or more), the repeat timer, the image, the focus
// rectangle.
struct CellDrawPlan {
  bool redraw = false;          // ODA_DRAWENTIRE or ODA_SELECT
  bool composeOverBackground = false;
  CellTimer timer = CellTimer::kNone;
  CellBlit image;
  bool focusRect = false;
};

CellDrawPlan PlanCellDraw(uint16_t options, int8_t focusInsetX, int8_t focusInsetY,
                          uint32_t itemAction, uint32_t itemState);

}  // namespace qor32
