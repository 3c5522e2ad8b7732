// Pickers, platform-free half: geometry, hit tests, identifiers, the index
// of the private messages and the reaction to input.
#include "controls/pickers/portable/picker_logic.h"

#include <gtest/gtest.h>

namespace qor32 {
namespace picker {
namespace {

Rect32 Cells(const Geometry& g, int i) { return g.entries[i].rect; }

int Hit(const Geometry& g, uint32_t x, uint32_t y) {
  Rect32 rects[kMaxEntries];
  for (int i = 0; i < g.entryCount; ++i) rects[i] = Cells(g, i);
  return HitTestCells(rects, g.cellCount, x, y);
}

struct HitCase {
  uint32_t x, y;
  int cell;
};

TEST(PickerHitTest, ColorPickerCellsInDescendingOrder) {
  const HitCase cases[] = {
      {40, 2, 0},    {10, 10, 22},  {30, 26, 21},  {2, 2, 20},     {76, 40, -1}, {10, 102, -1},
      {20, 18, 22},  // both swatches: the front one wins
      {16, 14, 22},  {24, 22, 21},  {33, 29, 21},  {34, 30, 20},   {37, 33, 20}, {38, 0, 0},
      {57, 16, 1},   {38, 17, 2},   {75, 33, 3},   {0, 34, 4},     {75, 101, 19}, {77, 0, -1},
      {0, 103, -1},  {65535, 65535, -1}};
  for (const HitCase& c : cases) EXPECT_EQ(Hit(kColorGeometry, c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(PickerHitTest, PatternPickerGrid) {
  const HitCase cases[] = {{0, 0, 0},   {57, 51, 15}, {19, 17, 5},   {76, 10, -1}, {10, 68, -1},
                           {18, 16, 0}, {75, 67, 15}, {38, 0, 2},    {0, 34, 8},   {65535, 0, -1}};
  for (const HitCase& c : cases) EXPECT_EQ(Hit(kPatternGeometry, c.x, c.y), c.cell) << c.x << "," << c.y;
}

// Every point of the box but its last column and row belongs to a cell,
// and the cells stay inside the frame entry.
TEST(PickerGeometry, CellsCoverTheBoxWithoutHoles) {
  for (const Geometry* g : {&kColorGeometry, &kPatternGeometry}) {
    const Rect32 frame = Cells(*g, g->cellCount);
    EXPECT_EQ(g->entries[g->cellCount].kind, CELL_FRAME);
    EXPECT_EQ(g->entryCount, g->cellCount + 1);
    EXPECT_EQ(frame.right + 1, g->width);
    EXPECT_EQ(frame.bottom + 1, g->height);
    for (int32_t y = 0; y < frame.bottom - 1; ++y)
      for (int32_t x = 0; x < frame.right - 1; ++x)
        ASSERT_GE(Hit(*g, x, y), 0) << x << "," << y;
    for (int i = 0; i < g->cellCount; ++i) {
      const Rect32 r = Cells(*g, i);
      EXPECT_TRUE(r.left >= frame.left && r.top >= frame.top && r.right <= frame.right && r.bottom <= frame.bottom) << i;
      EXPECT_NE(g->entries[i].kind, CELL_FRAME) << i;
    }
  }
  // The palette cells of both pickers are 19 x 17.
  for (int i = 0; i < 20; ++i) {
    const Rect32 r = Cells(kColorGeometry, i);
    EXPECT_EQ(r.right - r.left, 19) << i;
    EXPECT_EQ(r.bottom - r.top, 17) << i;
  }
  EXPECT_EQ(kColorGeometry.frameValue, 0x808080u);
  EXPECT_EQ(kPatternGeometry.frameValue, 0u);
}

TEST(PickerIdentifiers, CellIdentifierWrapsInSixteenBits) {
  EXPECT_EQ(CellIdentifier(100, 22), 122);
  EXPECT_EQ(CellIdentifier(65530, 5), 65535);
  EXPECT_EQ(CellIdentifier(65530, 22), 16);
  EXPECT_EQ(CellIdentifier(0x12345, 1), 0x2346);
}

TEST(PickerIdentifiers, MessageIndexStaysInsideTheEntries) {
  EXPECT_EQ(EntryIndex(100, 100, 24), 0);
  EXPECT_EQ(EntryIndex(123, 100, 24), 23);  // the frame entry
  EXPECT_EQ(EntryIndex(124, 100, 24), -1);
  EXPECT_EQ(EntryIndex(99, 100, 24), -1);  // below the control identifier
  EXPECT_EQ(EntryIndex(116, 100, 17), 16);
  EXPECT_EQ(EntryIndex(117, 100, 17), -1);
  EXPECT_EQ(EntryIndex(0xFFFFFFFFu, 100, 24), -1);
  // The index is a 32-bit difference: a wrapped 16-bit cell identifier
  // does not name the cell of a control near the top of the range.
  EXPECT_EQ(EntryIndex(65535, 65530, 24), 5);
  EXPECT_EQ(EntryIndex(16, 65530, 24), -1);
}

TEST(PickerInput, PressesMoveTheSelectionOthersReportIt) {
  struct Case {
    Input input;
    int hit;
    uint32_t key;
    uint16_t selectedBefore;
    Notice expected;
    uint16_t selectedAfter;
  };
  const Case cases[] = {
      {Input::LeftPress, 5, 0, 0, {true, 5, kClick}, 5},
      {Input::RightPress, 7, 0, 2, {true, 7, kRightClick}, 7},
      {Input::LeftPress, -1, 0, 3, {false, 0, 0}, 3},
      {Input::RightPress, -1, 0, 3, {false, 0, 0}, 3},
      {Input::LeftDoubleClick, -1, 0, 9, {true, 9, kDoubleClick}, 9},
      {Input::RightDoubleClick, -1, 0, 4, {true, 4, kRightDoubleClick}, 4},
      {Input::KeyRelease, -1, kSpaceKey, 6, {true, 6, kClick}, 6},
      {Input::KeyRelease, -1, 13, 6, {false, 0, 0}, 6},
  };
  for (const Case& c : cases) {
    uint16_t selected = c.selectedBefore;
    const Notice n = React(c.input, c.hit, c.key, selected);
    EXPECT_EQ(n.send, c.expected.send) << static_cast<int>(c.input);
    if (n.send) {
      EXPECT_EQ(n.cell, c.expected.cell);
      EXPECT_EQ(n.code, c.expected.code);
    }
    EXPECT_EQ(selected, c.selectedAfter);
  }
}

}  // namespace
}  // namespace picker
}  // namespace qor32
