// Slider arithmetic: thumb placement, press steps, the two clamping orders,
// the drag edge and the position read back from it, with truncation and
// the products that do not fit 32 bits.
#include "controls/slide/portable/slide_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace qor32 {
namespace slide {
namespace {

constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

SlideAxis Axis(int32_t min, int32_t pos, int32_t max, int32_t track, int32_t thumb) {
  SlideAxis a;
  a.min = min;
  a.pos = pos;
  a.max = max;
  a.trackSize = track;
  a.thumbSize = thumb;
  return a;
}

struct PlaceCase {
  const char* what;
  int32_t min, pos, max, track, thumbSize;
  int32_t travelMin, travelMax, thumb;
};

TEST(SlideGeometryTest, PlaceThumb) {
  const PlaceCase cases[] = {
      {"middle", 0, 50, 100, 40, 6, 0, 34, 17},
      {"truncates", 0, 33, 100, 40, 6, 0, 34, 11},  // 11.22
      {"at the maximum", 0, 100, 100, 40, 6, 0, 34, 34},
      {"negative range", -100, -50, 0, 40, 6, 0, 34, 17},
      {"below the range truncates toward zero", 0, -1, 100, 40, 6, 0, 34, 0},  // -0.34
      {"below the range", 0, -10, 100, 40, 6, 0, 34, -3},                      // -3.4
      {"beyond the range is not clamped", 0, 200, 100, 40, 6, 0, 34, 68},
      {"empty range centres", 5, 9, 5, 40, 6, 17, 17, 17},
      {"inverted range centres", 10, 0, 0, 41, 6, 17, 17, 17},
      {"thumb as large as the track", 0, 5, 10, 6, 6, 0, 0, 0},
      {"thumb larger than the track overhangs", 0, 5, 10, 4, 6, -3, 1, 2},
      {"larger thumb at the maximum", 0, 10, 10, 4, 6, -3, 1, 4},
      {"larger thumb, empty range, both sides", 0, 0, 0, 4, 6, -1, -1, -1},
      {"larger odd thumb, empty range", 0, 0, 0, 4, 7, -1, -1, -1},  // -1.5
      // Nine-digit values from the control text: (pos - min) x travel
      // needs more than 32 bits.
      {"nine digits", 0, 999999999, 999999999, 40, 6, 0, 34, 34},
      {"nine digits, half", 0, 500000000, 999999999, 40, 6, 0, 34, 17},
      {"nine and eight digits", -99999999, 999999999, 999999999, 40, 6, 0, 34, 34},
      // Record values: the range itself needs 33 bits.
      {"full 32-bit range", kMinInt, kMaxInt, kMaxInt, 40, 6, 0, 34, 34},
      {"full 32-bit range, minimum", kMinInt, kMinInt, kMaxInt, 40, 6, 0, 34, 0},
      {"far beyond saturates", 0, kMaxInt, 1, 40, 6, 0, 34, kMaxInt},
      {"far below saturates", kMaxInt - 1, kMinInt, kMaxInt, 40, 6, 0, 34, kMinInt},
  };
  for (const PlaceCase& c : cases) {
    SlideAxis a = Axis(c.min, c.pos, c.max, c.track, c.thumbSize);
    PlaceThumb(a);
    EXPECT_EQ(a.travelMin, c.travelMin) << c.what;
    EXPECT_EQ(a.travelMax, c.travelMax) << c.what;
    EXPECT_EQ(a.thumb, c.thumb) << c.what;
    EXPECT_EQ(a.pos, c.pos) << c.what << ": painting never clamps";
  }
}

TEST(SlideGeometryTest, HasTravel) {
  SlideAxis a = Axis(0, 0, 100, 40, 6);
  PlaceThumb(a);
  EXPECT_TRUE(HasTravel(a));
  a = Axis(0, 0, 100, 6, 6);  // travel 0
  PlaceThumb(a);
  EXPECT_FALSE(HasTravel(a));
  a = Axis(7, 0, 7, 40, 6);  // no range: centred, travel 0
  PlaceThumb(a);
  EXPECT_FALSE(HasTravel(a));
}

// Track press at a coordinate, thumb rectangle 17..23 on a 40-pixel track
// with a 6-pixel thumb: one unit within a thumb size of either end, a page
// beside the thumb, nothing over it.
TEST(SlideGeometryTest, StepForPress) {
  SlideAxis a = Axis(0, 50, 100, 40, 6);
  a.page = 10;
  a.dragLow = 17;
  a.dragHigh = 23;
  const struct {
    int32_t coord;
    int64_t expected;
  } cases[] = {{0, 49},  {5, 49},  {6, 40},  {16, 40}, {17, 50}, {20, 50},
               {23, 50}, {24, 60}, {34, 60}, {35, 51}, {39, 51}};
  for (const auto& c : cases) EXPECT_EQ(StepForPress(a, c.coord), c.expected) << c.coord;

  // The end strips win over paging even when the thumb is far away.
  a.dragLow = 30;
  a.dragHigh = 36;
  EXPECT_EQ(StepForPress(a, 3), 49);
  EXPECT_EQ(StepForPress(a, 10), 40);
  // Sums beyond 32 bits are left to the clamp.
  a.pos = kMaxInt;
  a.page = kMaxInt;
  a.dragLow = 0;
  a.dragHigh = 6;
  EXPECT_EQ(StepForPress(a, 20), int64_t{kMaxInt} * 2);
}

// The keyboard clamps and then zeroes an axis without travel; the track
// press zeroes first and clamps after, so its result is in the range.
TEST(SlideGeometryTest, ClampingOrders) {
  SlideAxis moving = Axis(5, 0, 9, 40, 6);
  PlaceThumb(moving);
  SlideAxis fixed = Axis(5, 0, 9, 6, 6);  // range, but no travel
  PlaceThumb(fixed);
  SlideAxis inverted = Axis(10, 0, 3, 40, 6);
  inverted.travelMin = 0;
  inverted.travelMax = 34;
  const struct {
    const char* what;
    const SlideAxis* axis;
    int64_t value;
    int32_t afterKey, afterPress;
  } cases[] = {
      {"inside", &moving, 7, 7, 7},
      {"below", &moving, 1, 5, 5},
      {"above", &moving, 12, 9, 9},
      {"64-bit sum", &moving, int64_t{kMaxInt} * 2, 9, 9},
      {"no travel", &fixed, 7, 0, 5},
      {"no travel, above", &fixed, 100, 0, 5},
      {"minimum above maximum: the maximum wins", &inverted, 5, 3, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampAfterKey(*c.axis, c.value), c.afterKey) << c.what;
    EXPECT_EQ(ClampAfterPress(*c.axis, c.value), c.afterPress) << c.what;
  }
  EXPECT_EQ(ClampToRange(-5, 0, 10), 0);
  EXPECT_EQ(ClampToRange(int64_t{kMinInt} - 1, kMinInt, kMaxInt), kMinInt);
}

TEST(SlideGeometryTest, DragEdge) {
  SlideAxis even = Axis(0, 0, 100, 40, 6);
  PlaceThumb(even);  // travel 0..34
  SlideAxis odd = Axis(0, 0, 100, 40, 7);
  PlaceThumb(odd);  // travel 0..33
  SlideAxis wide = Axis(0, 0, 10, 4, 6);
  PlaceThumb(wide);  // travel -3..1
  const struct {
    const SlideAxis* axis;
    int32_t coord, edge;
  } cases[] = {{&even, 20, 18}, {&even, 0, 0},   {&even, 2, 0},   {&even, 3, 1},
               {&even, 39, 34}, {&even, 60000, 34}, {&odd, 20, 18}, {&odd, 39, 33},
               {&wide, 0, -2},  {&wide, 3, 1},   {&wide, -30, -3}};
  for (const auto& c : cases) EXPECT_EQ(DragEdge(*c.axis, c.coord), c.edge) << c.coord;
}

TEST(SlideGeometryTest, PositionFromEdge) {
  const struct {
    const char* what;
    int32_t min, max, travelMin, travelMax, edge, pos;
  } cases[] = {
      {"middle", 0, 100, 0, 34, 17, 50},
      {"truncates", 0, 100, 0, 34, 11, 32},  // 32.35
      {"end", 0, 100, 0, 34, 34, 100},
      {"negative minimum", -100, 0, 0, 34, 11, -68},
      {"overhanging edge truncates toward zero", 0, 10, -3, 1, -3, -7},  // -7.5
      {"no travel", 3, 100, 17, 17, 17, 0},
      {"nine digits", 0, 999999999, 0, 34, 17, 499999999},
      {"nine and eight digits", -99999999, 999999999, 0, 34, 34, 999999999},
      {"full 32-bit range", kMinInt, kMaxInt, 0, 34, 34, kMaxInt},
  };
  for (const auto& c : cases) {
    SlideAxis a = Axis(c.min, 0, c.max, 40, 6);
    a.travelMin = c.travelMin;
    a.travelMax = c.travelMax;
    EXPECT_EQ(PositionFromEdge(a, c.edge), c.pos) << c.what;
  }
}

// A position painted and read back through the thumb's pixel place differs
// by the truncation of the two divisions.
TEST(SlideGeometryTest, PaintedPlaceMapsBackWithTruncation) {
  const struct {
    int32_t pos, back;
  } cases[] = {{50, 50}, {33, 32}, {1, 0}, {99, 97}, {100, 100}};
  for (const auto& c : cases) {
    SlideAxis a = Axis(0, c.pos, 100, 40, 6);
    PlaceThumb(a);
    EXPECT_EQ(PositionFromEdge(a, a.thumb), c.back) << c.pos;
  }
}

TEST(SlideGeometryTest, BandHeightTruncates) {
  EXPECT_EQ(BandHeight(24, 4), 6);
  EXPECT_EQ(BandHeight(23, 4), 5);
  EXPECT_EQ(BandHeight(3, 4), 0);
  EXPECT_EQ(BandHeight(0, 1), 0);
}

}  // namespace
}  // namespace slide
}  // namespace qor32
