#include "controls/matrix/portable/matrix_layout.h"

namespace qor32 {

namespace {

// Image per band count (index bands - 1) and state; bands 5 to 8 draw none.
struct BandRow {
  CellBlit normal, selected, disabled;
};

constexpr CellBlit kNone{};
constexpr CellBlit Blit(int32_t band, uint32_t rop) { return CellBlit{true, band, rop}; }

constexpr BandRow kBandTable[] = {
    {Blit(0, kRopSrcCopy), Blit(0, kRopNotSrcCopy), Blit(0, kRopSrcCopy)},
    {Blit(0, kRopSrcCopy), Blit(1, kRopSrcCopy), Blit(0, kRopSrcCopy)},
    {Blit(0, kRopSrcCopy), Blit(1, kRopSrcCopy), Blit(2, kRopSrcCopy)},
    {Blit(0, kRopSrcInvert), Blit(1, kRopSrcInvert), Blit(2, kRopSrcInvert)},
    {kNone, kNone, kNone},
    {kNone, kNone, kNone},
    {kNone, kNone, kNone},
    {kNone, kNone, kNone},
};
static_assert(sizeof(kBandTable) / sizeof(kBandTable[0]) == 8, "one row per band count");

constexpr int32_t kMaskedBandCount = 4;  // from four bands on, cells are masked

}  // namespace

MatrixLayout ComputeMatrixLayout(const MatrixGrid& grid, bool hasBitmap, int32_t bitmapWidth,
                                 int32_t bitmapHeight) {
  MatrixLayout layout;
  layout.columns = grid.columns;
  layout.rows = grid.rows;
  layout.gapX = grid.gapX;
  layout.gapY = grid.gapY;
  layout.bands = MatrixBandCount(grid.options);
  if (!hasBitmap || grid.columns < 1 || grid.rows < 1 || bitmapWidth < 0 || bitmapHeight < 0) {
    return layout;
  }
  layout.hasCells = true;
  layout.cellWidth = bitmapWidth / layout.columns;
  layout.cellHeight = (bitmapHeight / layout.bands) / layout.rows;
  return layout;
}

MatrixPoint CellPlace(const MatrixLayout& layout, int32_t index) {
  if (!layout.hasCells) return MatrixPoint{0, 0};
  const int32_t r = index / layout.columns, c = index % layout.columns;
  return MatrixPoint{Saturate32(c * (int64_t{layout.cellWidth} + layout.gapX)),
                     Saturate32(r * (int64_t{layout.cellHeight} + layout.gapY))};
}

MatrixPoint CellSource(const MatrixLayout& layout, int32_t index, int32_t band) {
  if (!layout.hasCells) return MatrixPoint{0, 0};
  const int32_t r = index / layout.columns, c = index % layout.columns;
  return MatrixPoint{Saturate32(int64_t{c} * layout.cellWidth),
                     Saturate32((int64_t{band} * layout.rows + r) * layout.cellHeight)};
}

int32_t CellIndexOf(const MatrixLayout& layout, uint16_t controlId, uint16_t cellId) {
  const int32_t index = static_cast<uint16_t>(cellId - controlId);
  return index < layout.CellCount() ? index : -1;
}

CellDrawPlan PlanCellDraw(uint16_t options, int8_t focusInsetX, int8_t focusInsetY,
                          uint32_t itemAction, uint32_t itemState) {
  CellDrawPlan plan;
  plan.redraw = (itemAction & (kDrawEntire | kDrawSelect)) != 0;
  const int32_t bands = MatrixBandCount(options);
  if (plan.redraw) {
    plan.composeOverBackground = bands >= kMaskedBandCount;
    const bool disabled = (itemState & kStateDisabled) != 0;
    const bool selected = (itemState & kStateSelected) != 0;
    if (disabled) {
      plan.timer = CellTimer::kKill;
    } else if (selected && (options & kMatrixAutoRepeat) != 0) {
      plan.timer = CellTimer::kSet;
    } else if (!selected) {
      plan.timer = CellTimer::kKill;
    }
    const BandRow& row = kBandTable[bands - 1];
    plan.image = disabled ? row.disabled : selected ? row.selected : row.normal;
  }
  const bool focusWanted =
      (itemAction & kDrawFocus) != 0 || (plan.redraw && (itemState & kStateFocus) != 0);
  plan.focusRect = focusInsetX >= 0 && focusInsetY >= 0 && focusWanted;
  return plan;
}

}  // namespace qor32
