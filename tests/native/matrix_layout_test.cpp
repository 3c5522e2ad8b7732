#include "controls/matrix/portable/matrix_layout.h"

#include <gtest/gtest.h>

namespace qor32 {
namespace {

MatrixGrid Grid(int columns, int rows, int gapX, int gapY, int bands = 1) {
  MatrixGrid grid{};
  grid.options = MatrixOptions(0, 0, 0, bands - 1);
  grid.columns = static_cast<int8_t>(columns);
  grid.rows = static_cast<int8_t>(rows);
  grid.gapX = static_cast<int8_t>(gapX);
  grid.gapY = static_cast<int8_t>(gapY);
  return grid;
}

TEST(MatrixLayoutTest, ExampleGridOfFourBands) {
  // 160 x 160 bitmap, four bands, 4 x 2 cells with gaps of 2.
  const MatrixLayout layout = ComputeMatrixLayout(Grid(4, 2, 2, 2, 4), true, 160, 160);
  ASSERT_TRUE(layout.hasCells);
  EXPECT_EQ(layout.cellWidth, 40);
  EXPECT_EQ(layout.cellHeight, 20);
  EXPECT_EQ(layout.Width(), 166);
  EXPECT_EQ(layout.Height(), 42);
  EXPECT_EQ(layout.CellCount(), 8);
  const struct {
    int index;
    MatrixPoint place, normal, mask;
  } cells[] = {
      {0, {0, 0}, {0, 0}, {0, 120}},
      {3, {126, 0}, {120, 0}, {120, 120}},
      {4, {0, 22}, {0, 20}, {0, 140}},
      {7, {126, 22}, {120, 20}, {120, 140}},
  };
  for (const auto& c : cells) {
    const MatrixPoint place = CellPlace(layout, c.index);
    const MatrixPoint normal = CellSource(layout, c.index, 0);
    const MatrixPoint mask = CellSource(layout, c.index, kMatrixMaskBand);
    EXPECT_EQ(place.x, c.place.x) << c.index;
    EXPECT_EQ(place.y, c.place.y) << c.index;
    EXPECT_EQ(normal.x, c.normal.x) << c.index;
    EXPECT_EQ(normal.y, c.normal.y) << c.index;
    EXPECT_EQ(mask.x, c.mask.x) << c.index;
    EXPECT_EQ(mask.y, c.mask.y) << c.index;
  }
}

TEST(MatrixLayoutTest, DivisionsTruncate) {
  // 3 bands of 50 / 3 = 16 rows, 2 cell rows: 8 high; 100 / 3 = 33 wide.
  const MatrixLayout layout = ComputeMatrixLayout(Grid(3, 2, -1, 0, 3), true, 100, 50);
  EXPECT_EQ(layout.cellWidth, 33);
  EXPECT_EQ(layout.cellHeight, 8);
  EXPECT_EQ(layout.Width(), 97);  // negative gaps overlap the cells
  EXPECT_EQ(CellSource(layout, 5, 2).y, 2 * 2 * 8 + 8);
}

TEST(MatrixLayoutTest, SizesNearTheIntegerLimitSaturate) {
  // A bitmap as wide and high as a 32-bit size allows, with gaps: the
  // control size and the cell places stop at the limit instead of wrapping.
  const MatrixLayout layout = ComputeMatrixLayout(Grid(127, 127, 127, 127, 1), true, INT32_MAX, INT32_MAX);
  EXPECT_EQ(layout.Width(), INT32_MAX);
  EXPECT_EQ(layout.Height(), INT32_MAX);
  EXPECT_EQ(CellPlace(layout, 127 * 127 - 1).x, 126 * (INT32_MAX / 127 + 127));
  EXPECT_EQ(CellSource(layout, 127 * 127 - 1, 0).y, 126 * (INT32_MAX / 127));
  const MatrixLayout bands = ComputeMatrixLayout(Grid(1, 1, -128, -128, 8), true, 1, INT32_MAX);
  EXPECT_EQ(CellSource(bands, 0, 7).y, 7 * (INT32_MAX / 8));
  EXPECT_EQ(bands.Width(), 1);
}

TEST(MatrixLayoutTest, NoCellsWithoutBitmapOrWithoutColumnsAndRows) {
  const struct {
    int columns, rows;
    bool hasBitmap;
  } cases[] = {{0, 2, true}, {2, 0, true}, {-1, 2, true}, {2, -3, true},
               {-2, -2, true},  // a product that would be positive
               {0, 0, true},  {4, 2, false}};
  for (const auto& c : cases) {
    const MatrixLayout layout = ComputeMatrixLayout(Grid(c.columns, c.rows, 2, 2), c.hasBitmap, 64, 64);
    EXPECT_FALSE(layout.hasCells) << c.columns << " x " << c.rows;
    EXPECT_EQ(layout.CellCount(), 0);
    EXPECT_EQ(CellIndexOf(layout, 10, 10), -1);
    EXPECT_EQ(CellPlace(layout, 3).x, 0);
  }
  // A bitmap narrower than the columns gives empty cells, not a failure.
  const MatrixLayout thin = ComputeMatrixLayout(Grid(8, 1, 0, 0), true, 4, 4);
  EXPECT_TRUE(thin.hasCells);
  EXPECT_EQ(thin.cellWidth, 0);
}

TEST(MatrixLayoutTest, CellIdentifiersAreSixteenBit) {
  const MatrixLayout layout = ComputeMatrixLayout(Grid(4, 2, 0, 0), true, 8, 8);
  EXPECT_EQ(CellIdentifier(100, 7), 107);
  EXPECT_EQ(CellIdentifier(0xFFFE, 3), 1);  // wraps
  EXPECT_EQ(CellIndexOf(layout, 100, 100), 0);
  EXPECT_EQ(CellIndexOf(layout, 100, 107), 7);
  EXPECT_EQ(CellIndexOf(layout, 100, 108), -1);
  EXPECT_EQ(CellIndexOf(layout, 100, 99), -1);
  EXPECT_EQ(CellIndexOf(layout, 0xFFFE, 1), 3);

  const CellEnableRequest disable = DecodeCellEnable(105);
  EXPECT_EQ(disable.cellId, 105);
  EXPECT_FALSE(disable.enable);
  const CellEnableRequest enable = DecodeCellEnable(0x8000 | 105);
  EXPECT_EQ(enable.cellId, 105);
  EXPECT_TRUE(enable.enable);
  EXPECT_EQ(DecodeCellEnable(0x18000 | 3).cellId, 3);
}

struct PlanCase {
  int bands;
  uint32_t state;
  bool draw;
  int band;
  uint32_t rop;
};

TEST(MatrixLayoutTest, BandTableForOneToEightBands) {
  constexpr uint32_t N = 0, S = kStateSelected, D = kStateDisabled, SD = S | D;
  const PlanCase cases[] = {
      {1, N, true, 0, kRopSrcCopy},    {1, S, true, 0, kRopNotSrcCopy}, {1, D, true, 0, kRopSrcCopy},
      {1, SD, true, 0, kRopSrcCopy},   {2, N, true, 0, kRopSrcCopy},    {2, S, true, 1, kRopSrcCopy},
      {2, D, true, 0, kRopSrcCopy},    {3, N, true, 0, kRopSrcCopy},    {3, S, true, 1, kRopSrcCopy},
      {3, D, true, 2, kRopSrcCopy},    {3, SD, true, 2, kRopSrcCopy},   {4, N, true, 0, kRopSrcInvert},
      {4, S, true, 1, kRopSrcInvert},  {4, D, true, 2, kRopSrcInvert},  {5, N, false, 0, 0},
      {5, S, false, 0, 0},             {8, D, false, 0, 0},
  };
  for (const PlanCase& c : cases) {
    const uint16_t options = MatrixOptions(0, 0, 0, c.bands - 1);
    const CellDrawPlan plan = PlanCellDraw(options, 0, 0, kDrawEntire, c.state);
    EXPECT_TRUE(plan.redraw);
    EXPECT_EQ(plan.composeOverBackground, c.bands >= 4) << c.bands;
    EXPECT_EQ(plan.image.draw, c.draw) << c.bands << " " << c.state;
    if (c.draw) {
      EXPECT_EQ(plan.image.band, c.band) << c.bands << " " << c.state;
      EXPECT_EQ(plan.image.rop, c.rop) << c.bands << " " << c.state;
    }
  }
}

TEST(MatrixLayoutTest, TimerFollowsTheRedrawnState) {
  const uint16_t repeat = MatrixOptions(0, 1, 0, 0), plain = MatrixOptions(0, 0, 0, 0);
  const struct {
    uint16_t options;
    uint32_t action, state;
    CellTimer timer;
  } cases[] = {
      {repeat, kDrawSelect, kStateSelected, CellTimer::kSet},
      {repeat, kDrawEntire, kStateSelected | kStateFocus, CellTimer::kSet},
      {repeat, kDrawSelect, 0, CellTimer::kKill},
      {repeat, kDrawSelect, kStateSelected | kStateDisabled, CellTimer::kKill},
      {repeat, kDrawEntire, kStateDisabled, CellTimer::kKill},
      {plain, kDrawSelect, kStateSelected, CellTimer::kNone},
      {plain, kDrawSelect, 0, CellTimer::kKill},
      {repeat, kDrawFocus, kStateSelected, CellTimer::kNone},  // focus alone: no redraw
  };
  for (const auto& c : cases) {
    const CellDrawPlan plan = PlanCellDraw(c.options, 1, 1, c.action, c.state);
    EXPECT_EQ(plan.timer, c.timer) << c.action << " " << c.state;
  }
}

TEST(MatrixLayoutTest, FocusRectangleRule) {
  const uint16_t options = MatrixOptions(0, 0, 0, 3);
  const struct {
    int insetX, insetY;
    uint32_t action, state;
    bool focus;
  } cases[] = {
      {3, 3, kDrawFocus, 0, true},                   // focus change alone toggles
      {3, 3, kDrawFocus, kStateFocus, true},
      {3, 3, kDrawEntire, kStateFocus, true},        // full redraw of a focused cell
      {3, 3, kDrawSelect, kStateFocus, true},
      {3, 3, kDrawEntire, 0, false},
      {0, 0, kDrawEntire, kStateFocus, true},
      {-1, 3, kDrawFocus, kStateFocus, false},       // a negative inset suppresses it
      {3, -1, kDrawEntire, kStateFocus, false},
      {3, 3, 0, kStateFocus, false},
  };
  for (const auto& c : cases) {
    const CellDrawPlan plan = PlanCellDraw(options, static_cast<int8_t>(c.insetX),
                                           static_cast<int8_t>(c.insetY), c.action, c.state);
    EXPECT_EQ(plan.focusRect, c.focus) << c.insetX << "," << c.insetY << " " << c.action << " " << c.state;
    EXPECT_EQ(plan.redraw, (c.action & (kDrawEntire | kDrawSelect)) != 0);
  }
}

TEST(RepeatTimers, OnlyStartedTimersAreKilledUntilMoreRunThanFit) {
  RepeatTimers timers;
  EXPECT_FALSE(timers.Stop(301));  // never started: nothing to kill
  timers.Started(301);
  timers.Started(301);
  EXPECT_TRUE(timers.Stop(301));
  EXPECT_FALSE(timers.Stop(301));  // killed once
  for (uint32_t id = 1; id <= RepeatTimers::kCapacity; ++id) timers.Started(id);
  EXPECT_TRUE(timers.Stop(RepeatTimers::kCapacity));
  timers.Started(100);
  timers.Started(101);  // one more than fits: from now on every kill goes through
  EXPECT_TRUE(timers.Stop(999));
  EXPECT_TRUE(timers.Stop(1));
}

}  // namespace
}  // namespace qor32
