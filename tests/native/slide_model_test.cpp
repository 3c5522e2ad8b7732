// The slider's state machine: the six keys with their modifiers, presses on
// the thumb and the track, the drag, and the private messages' value pairs.
#include "controls/slide/portable/slide_model.h"

#include <gtest/gtest.h>

namespace qor32 {
namespace slide {
namespace {

// A two-axis slider on a 40 x 30 track with a 6 x 6 thumb: X 0..100 at 50,
// page 10 (travel 0..34, thumb at 17); Y 0..60 at 20, page 7 (travel 0..24,
// thumb at 8).
SlideModel TwoAxis() {
  SlideModel m;
  m.x.min = 0, m.x.max = 100, m.x.pos = 50, m.x.page = 10;
  m.x.trackSize = 40, m.x.thumbSize = 6;
  m.y.min = 0, m.y.max = 60, m.y.pos = 20, m.y.page = 7;
  m.y.trackSize = 30, m.y.thumbSize = 6;
  PlaceThumbs(m);
  return m;
}

TEST(SlideModelTest, KeysWithModifiers) {
  const struct {
    int key;
    bool shift, ctrl;
    int32_t x, y;
  } cases[] = {
      {kKeyEnd, false, false, 100, 60}, {kKeyEnd, true, false, 50, 60},
      {kKeyEnd, false, true, 100, 20},  {kKeyEnd, true, true, 100, 60},
      {kKeyHome, false, false, 0, 0},   {kKeyHome, true, false, 50, 0},
      {kKeyHome, false, true, 0, 20},   {kKeyHome, true, true, 0, 0},
      {kKeyLeft, false, false, 49, 20}, {kKeyLeft, true, false, 40, 20},
      {kKeyLeft, false, true, 49, 20},  {kKeyLeft, true, true, 40, 20},
      {kKeyRight, false, false, 51, 20}, {kKeyRight, true, false, 60, 20},
      {kKeyRight, false, true, 51, 20}, {kKeyRight, true, true, 60, 20},
      {kKeyUp, false, false, 50, 19},   {kKeyUp, true, false, 50, 13},
      {kKeyUp, false, true, 50, 19},    {kKeyUp, true, true, 50, 13},
      {kKeyDown, false, false, 50, 21}, {kKeyDown, true, false, 50, 27},
      {kKeyDown, false, true, 50, 21},  {kKeyDown, true, true, 50, 27},
  };
  for (const auto& c : cases) {
    SlideModel m = TwoAxis();
    EXPECT_TRUE(ApplyKey(m, c.key, c.shift, c.ctrl));
    EXPECT_EQ(m.x.pos, c.x) << std::hex << c.key << " shift " << c.shift << " ctrl " << c.ctrl;
    EXPECT_EQ(m.y.pos, c.y) << std::hex << c.key << " shift " << c.shift << " ctrl " << c.ctrl;
  }
}

TEST(SlideModelTest, KeysClampAndZeroAnAxisWithoutTravel) {
  SlideModel m = TwoAxis();
  m.x.pos = 95;
  ASSERT_TRUE(ApplyKey(m, kKeyRight, true, false));
  EXPECT_EQ(m.x.pos, 100);
  m.y.pos = 3;
  ASSERT_TRUE(ApplyKey(m, kKeyUp, true, false));
  EXPECT_EQ(m.y.pos, 0);

  // A horizontal slider whose Y range is 3..3: the key clamps Y to 3 and
  // then, Y having no travel, sets it to 0. End does the same to a
  // maximum that is not 0.
  SlideModel h = TwoAxis();
  h.y.min = h.y.max = h.y.pos = 3;
  PlaceThumbs(h);
  ASSERT_TRUE(ApplyKey(h, kKeyLeft, false, false));
  EXPECT_EQ(h.x.pos, 49);
  EXPECT_EQ(h.y.pos, 0);
  ASSERT_TRUE(ApplyKey(h, kKeyEnd, false, false));
  EXPECT_EQ(h.x.pos, 100);
  EXPECT_EQ(h.y.pos, 0);
}

TEST(SlideModelTest, OtherKeysChangeNothing) {
  for (int key : {0x09, 0x20, 0x21, 0x22, 0x29, 0x2E, 0x41}) {
    SlideModel m = TwoAxis();
    m.x.pos = 500;  // out of range: a handled key would clamp it
    EXPECT_FALSE(ApplyKey(m, key, false, false)) << key;
    EXPECT_EQ(m.x.pos, 500);
    EXPECT_EQ(m.y.pos, 20);
  }
}

TEST(SlideModelTest, PressTargets) {
  const struct {
    const char* what;
    int32_t x, y;
    PressTarget target;
    int32_t posX, posY;
    uint16_t state;
  } cases[] = {
      {"thumb, top-left pixel", 17, 8, PressTarget::kThumb, 50, 20, kPressed | kDragging},
      {"thumb, bottom-right pixel", 22, 13, PressTarget::kThumb, 50, 20, kPressed | kDragging},
      {"track left of the thumb pages X; Y over the thumb's row", 10, 10, PressTarget::kTrack, 40, 20, 0},
      {"right of the thumb; below it", 23, 14, PressTarget::kTrack, 50, 20, 0},  // right edge excluded, 23 !> 23
      {"beyond the thumb's right and bottom edges", 24, 15, PressTarget::kTrack, 60, 27, 0},
      {"left end strip steps by one", 2, 10, PressTarget::kTrack, 49, 20, 0},
      {"right end strip steps by one", 35, 10, PressTarget::kTrack, 51, 20, 0},
      {"top end strip", 20, 5, PressTarget::kTrack, 50, 19, 0},
      {"bottom end strip", 20, 25, PressTarget::kTrack, 50, 21, 0},
      {"corner steps both axes", 0, 29, PressTarget::kTrack, 49, 21, 0},
      {"right of the client", 40, 10, PressTarget::kOutside, 50, 20, 0},
      {"below the client", 10, 30, PressTarget::kOutside, 50, 20, 0},
      {"left of the client, as a 16-bit coordinate", 65535, 10, PressTarget::kOutside, 50, 20, 0},
  };
  for (const auto& c : cases) {
    SlideModel m = TwoAxis();
    EXPECT_EQ(ApplyPress(m, c.x, c.y), c.target) << c.what;
    EXPECT_EQ(m.x.pos, c.posX) << c.what;
    EXPECT_EQ(m.y.pos, c.posY) << c.what;
    EXPECT_EQ(m.state, c.state) << c.what;
    if (c.target != PressTarget::kOutside) {
      EXPECT_EQ(m.x.dragLow, 17) << c.what;
      EXPECT_EQ(m.x.dragHigh, 23) << c.what;
      EXPECT_EQ(m.y.dragLow, 8) << c.what;
      EXPECT_EQ(m.y.dragHigh, 14) << c.what;
    }
  }
}

TEST(SlideModelTest, TrackPressClearsDraggingOnlyAndClampsAfterZeroing) {
  SlideModel m = TwoAxis();
  m.state = kDragging | kPressed | kFocus;
  m.x.pos = 100;
  PlaceThumbs(m);  // thumb at 34
  ASSERT_EQ(ApplyPress(m, 36, 2), PressTarget::kTrack);
  EXPECT_EQ(m.x.pos, 100) << "stepping stops at the range's end";
  EXPECT_EQ(m.state, kPressed | kFocus);

  // A vertical slider with an X range of 4..4: the press gives X the value
  // 0 raised to the minimum, 4 (the keyboard would leave 0).
  SlideModel v = TwoAxis();
  v.x.min = v.x.max = v.x.pos = 4;
  PlaceThumbs(v);  // centred at 17
  ASSERT_EQ(ApplyPress(v, 5, 2), PressTarget::kTrack);
  EXPECT_EQ(v.x.pos, 4);
  EXPECT_EQ(v.y.pos, 19);
  v.x.min = v.x.max = 0;
  ASSERT_EQ(ApplyPress(v, 5, 2), PressTarget::kTrack);
  EXPECT_EQ(v.x.pos, 0);
}

TEST(SlideModelTest, DragFollowsTheCursorWithinTheTravel) {
  SlideModel m = TwoAxis();
  ASSERT_EQ(ApplyPress(m, 18, 9), PressTarget::kThumb);
  DragTo(m, 30, 20);
  EXPECT_EQ(m.x.dragLow, 28);
  EXPECT_EQ(m.x.dragHigh, 34);
  EXPECT_EQ(m.y.dragLow, 18);
  EXPECT_EQ(m.y.dragHigh, 24);
  EXPECT_EQ(m.x.pos, 82);  // 100 x 28 / 34 = 82.35
  EXPECT_EQ(m.y.pos, 45);  // 60 x 18 / 24
  DragTo(m, 39, 0);
  EXPECT_EQ(m.x.dragLow, 34);
  EXPECT_EQ(m.x.pos, 100);
  EXPECT_EQ(m.y.dragLow, 0);
  EXPECT_EQ(m.y.pos, 0);

  // Leaving and coming back only toggles the pressed bit.
  EXPECT_TRUE(LeaveDrag(m));
  EXPECT_FALSE(LeaveDrag(m));
  EXPECT_EQ(m.state, kDragging);
  EXPECT_TRUE(ReenterDrag(m));
  EXPECT_FALSE(ReenterDrag(m));
  EXPECT_EQ(m.state, kDragging | kPressed);
  EndDrag(m);
  EXPECT_EQ(m.state, 0);
}

TEST(SlideModelTest, ReleaseOnTheThumbMapsThePaintedPlaceBack) {
  SlideModel m = TwoAxis();
  m.x.pos = 33;  // painted at 11, which maps back to 32
  m.y.pos = 59;  // painted at 23, which maps back to 57
  PlaceThumbs(m);
  ASSERT_EQ(ApplyPress(m, 12, 24), PressTarget::kThumb);
  PositionFromDrag(m);
  EXPECT_EQ(m.x.pos, 32);
  EXPECT_EQ(m.y.pos, 57);
}

TEST(SlideModelTest, HorizontalAndVerticalSlidersKeepTheFixedAxisAtZero) {
  SlideModel h = TwoAxis();
  h.y.min = h.y.max = h.y.pos = 0;
  PlaceThumbs(h);  // Y centred at 12
  ASSERT_EQ(ApplyPress(h, 18, 13), PressTarget::kThumb);
  DragTo(h, 30, 2);
  EXPECT_EQ(h.x.pos, 82);
  EXPECT_EQ(h.y.pos, 0);
  EXPECT_EQ(h.y.dragLow, 12) << "the travel of a fixed axis is its centred place";

  SlideModel v = TwoAxis();
  v.x.min = v.x.max = 0;
  v.x.pos = 7;
  PlaceThumbs(v);
  ASSERT_EQ(ApplyKey(v, kKeyDown, false, false), true);
  EXPECT_EQ(v.x.pos, 0);
  EXPECT_EQ(v.y.pos, 21);
}

TEST(SlideModelTest, BandsForStateAndOptions) {
  EXPECT_EQ(ThumbImageBand(0), 0);
  EXPECT_EQ(ThumbImageBand(kFocus | kDragging), 0);
  EXPECT_EQ(ThumbImageBand(kPressed), 1);
  EXPECT_EQ(ThumbImageBand(kPressed | kDisabled), 2);
  EXPECT_EQ(ThumbBandCount(0x06), 4);
  EXPECT_EQ(TrackBandCount(0x20), 2);
  EXPECT_EQ(TrackBandCount(0xE0), 8);
  EXPECT_EQ(ThumbBandCount(0xFFF1), 1);
}

TEST(SlideModelTest, MessagePairsAreZeroExtendedHalves) {
  int32_t low = -1, high = 70000;
  EXPECT_EQ(ExchangePair(low, high, 0x0002FFFFu), 0x1170FFFFu);  // 70000 = 0x11170
  EXPECT_EQ(low, 65535);
  EXPECT_EQ(high, 2);
  EXPECT_EQ(PackLowWords(65535, 2), 0x0002FFFFu);
  EXPECT_EQ(LowHalf(0xFFFF8000u), 0x8000);
  EXPECT_EQ(HighHalf(0xFFFF8000u), 0xFFFF);
}

}  // namespace
}  // namespace slide
}  // namespace qor32
