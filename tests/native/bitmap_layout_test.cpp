// Placement of the Bitmap control's image, bar and lamp in each paint state.
#include "controls/bitmap/portable/bitmap_layout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qor32::bitmap {
namespace {

BitmapState ImageState(Rect32 rect, uint16_t align, int32_t frames, Point32 offset = {0, 0}) {
  BitmapState s;
  std::memset(&s, 0, sizeof s);
  s.imageRect = rect;
  s.imageAlign = align;
  s.imageFrames = frames;
  s.imageOffset = offset;
  return s;
}

TEST(BitmapLayoutTest, AlignmentCodesPlaceOneUnscaledImage) {
  // A 10 x 6 image in the rectangle (20, 30, 41, 45): W = 21, H = 15.
  struct Case {
    uint16_t align;
    int32_t x, y;
  } cases[] = {
      {0x0000, 20, 30}, {0x1000, 26, 30}, {0x2000, 32, 30}, {0x4000, 20, 35}, {0x5000, 26, 35},
      {0x6000, 32, 35}, {0x8000, 20, 40}, {0x9000, 26, 40}, {0xA000, 32, 40},
      {0x5FFF, 26, 35},  // only the top four bits count
  };
  for (const Case& c : cases) {
    const ImageBlit b = PlaceImage(ImageState({20, 30, 41, 45}, c.align, 1), 0, 10, 6);
    EXPECT_TRUE(b.draw && !b.stretch && !b.mask) << std::hex << c.align;
    EXPECT_EQ(b.x, c.x) << std::hex << c.align;
    EXPECT_EQ(b.y, c.y) << std::hex << c.align;
    EXPECT_EQ(b.width, 10);
    EXPECT_EQ(b.height, 6);
  }
  // With W - bw + 1 odd, bottom centre lies one pixel right of top centre.
  const BitmapState odd = ImageState({0, 0, 20, 10}, 0, 1);  // W - bw + 1 = 11
  BitmapState s = odd;
  s.imageAlign = 0x1000;
  const int32_t top = PlaceImage(s, 0, 10, 4).x;
  s.imageAlign = 0x9000;
  EXPECT_EQ(PlaceImage(s, 0, 10, 4).x, top + 1);
  // Too big an image at a placed code simply overhangs (negative shift).
  s.imageAlign = 0x2000;
  EXPECT_EQ(PlaceImage(s, 0, 30, 4).x, -9);
}

TEST(BitmapLayoutTest, FitCentresOrStretchesTheFirstImage) {
  struct Case {
    int32_t bw, bh, frames;
    bool stretch;
    int32_t x, y, width, height;
  } cases[] = {
      {20, 20, 1, false, 15, 15, 20, 20},  // fits: centred unscaled
      {100, 20, 1, true, 0, 15, 50, 20},   // too wide: width W + 1, centred vertically
      {20, 100, 1, true, 15, 0, 20, 50},   // too tall
      {100, 200, 2, true, 0, 0, 50, 50},   // both (bands of 100)
      {50, 50, 1, false, 0, 0, 50, 50},    // exactly fits
  };
  for (const Case& c : cases) {
    const ImageBlit b = PlaceImage(ImageState({0, 0, 49, 49}, 0x3000, c.frames), 1, c.bw, c.bh);
    EXPECT_EQ(b.stretch, c.stretch) << c.bw << "x" << c.bh;
    EXPECT_EQ(b.x, c.x) << c.bw << "x" << c.bh;
    EXPECT_EQ(b.y, c.y) << c.bw << "x" << c.bh;
    EXPECT_EQ(b.width, c.width) << c.bw << "x" << c.bh;
    EXPECT_EQ(b.height, c.height) << c.bw << "x" << c.bh;
    if (c.stretch) {
      EXPECT_EQ(b.sourceY, 0);  // always the first band, no mask
      EXPECT_FALSE(b.mask);
      EXPECT_EQ(b.sourceHeight, c.bh / c.frames);
    }
  }
}

TEST(BitmapLayoutTest, BandsPerStateMaskAndShift) {
  // 16 x 48, three frames: up shows band 0, down band 1 shifted, the last
  // band is the mask.
  const BitmapState s = ImageState({4, 4, 20, 20}, 0, 3, {2, 1});
  ImageBlit up = PlaceImage(s, 0, 16, 48);
  EXPECT_TRUE(up.mask);
  EXPECT_EQ(up.sourceY, 0);
  EXPECT_EQ(up.maskY, 32);
  EXPECT_EQ(up.x, 4);
  ImageBlit down = PlaceImage(s, 1, 16, 48);
  EXPECT_EQ(down.sourceY, 16);
  EXPECT_EQ(down.x, 6);
  EXPECT_EQ(down.y, 5);
  EXPECT_EQ(PlaceImage(s, 2, 16, 48).sourceY, 32);  // the mask over itself
  EXPECT_EQ(PlaceImage(s, 7, 16, 48).sourceY, 16);  // 7 mod 3
  // Eight frames: one band per paint state, no mask; five frames have one.
  for (int state = 0; state < 8; ++state)
    EXPECT_EQ(PlaceImage(ImageState({0, 0, 9, 9}, 0, 8), state, 8, 64).sourceY, state * 8);
  EXPECT_FALSE(PlaceImage(ImageState({0, 0, 9, 9}, 0, 8), 0, 8, 64).mask);
  EXPECT_FALSE(PlaceImage(ImageState({0, 0, 9, 9}, 0, 1), 0, 8, 8).mask);
  EXPECT_TRUE(PlaceImage(ImageState({0, 0, 9, 9}, 0, 5), 0, 8, 40).mask);
}

TEST(BitmapLayoutTest, FrameCountBelowOneDrawsNothing) {
  for (int32_t frames : {0, -1, -2147483647 - 1})
    for (int state = 0; state < 8; ++state)
      EXPECT_FALSE(PlaceImage(ImageState({0, 0, 9, 9}, 0x3000, frames), state, 8, 8).draw) << frames;
}

TEST(BitmapLayoutTest, BarDirectionsAndFloor) {
  BitmapState s;
  std::memset(&s, 0, sizeof s);
  s.barRect = Rect32{10, 20, 110, 40};  // w = 100, h = 20
  s.barOffset = Point32{1, 2};
  s.barPercent = 50;
  s.barColors[0] = 0x111111;
  s.barColors[1] = 0x222222;
  struct Case {
    uint16_t direction;
    Rect32 filled, unfilled;
  } cases[] = {
      {0, {10, 20, 60, 40}, {60, 20, 110, 40}},
      {1, {60, 20, 110, 40}, {10, 20, 60, 40}},
      {2, {10, 20, 110, 30}, {10, 30, 110, 40}},
      {7, {10, 30, 110, 40}, {10, 20, 110, 30}},  // low two bits: 3
  };
  for (const Case& c : cases) {
    s.barDirection = c.direction;
    const BarDrawing bar = LayOutBar(s, 0);
    EXPECT_EQ(bar.filledColor, 0x111111u);
    EXPECT_EQ(std::memcmp(&bar.filled, &c.filled, sizeof(Rect32)), 0) << c.direction;
    EXPECT_EQ(std::memcmp(&bar.unfilled, &c.unfilled, sizeof(Rect32)), 0) << c.direction;
  }
  s.barDirection = 0;
  const BarDrawing down = LayOutBar(s, 3);  // down and disabled: shifted, down colour
  EXPECT_EQ(down.filledColor, 0x222222u);
  EXPECT_EQ(down.filled.left, 11);
  EXPECT_EQ(down.filled.top, 22);
  // A 4 x 2 bar is drawn 10 x 4; the fill is measured on the original width.
  s.barRect = Rect32{0, 0, 4, 2};
  s.barPercent = 100;
  const BarDrawing small = LayOutBar(s, 0);
  EXPECT_EQ(small.filled.right, 4);
  EXPECT_EQ(small.unfilled.right, 10);
  EXPECT_EQ(small.unfilled.bottom, 4);
  // Percentages beyond 100 cannot overflow.
  s.barRect = Rect32{0, 0, 100000, 10};
  s.barPercent = 65535;
  EXPECT_EQ(LayOutBar(s, 0).filled.right, 65535000);
}

TEST(BitmapLayoutTest, LampColourRectangleAndPatches) {
  BitmapState s;
  std::memset(&s, 0, sizeof s);
  InitBitmapState(s);
  EXPECT_EQ(LampColor(s, 0), kDefaultUncheckedColor);
  EXPECT_EQ(LampColor(s, 5), kDefaultCheckedColor);
  EXPECT_EQ(LampColor(s, 6), kDefaultDisabledColor);
  EXPECT_EQ(LampColor(s, 2), kDefaultDisabledColor);
  s.indicatorRect = Rect32{3, 4, 7, 8};  // 4 x 4: drawn 8 x 8
  s.indicatorOffset = Point32{1, 1};
  const Rect32 up = LampRect(s, 0), down = LampRect(s, 1);
  EXPECT_EQ(up.right, 11);
  EXPECT_EQ(up.bottom, 12);
  EXPECT_EQ(down.left, 4);
  EXPECT_EQ(down.bottom, 13);
  Rect32 p[2];
  const Rect32 lamp{0, 0, 20, 10};
  EXPECT_EQ(LampPatches(0, lamp, p), 0);
  EXPECT_EQ(LampPatches(2, lamp, p), 0);
  EXPECT_EQ(LampPatches(8, lamp, p), 0);
  ASSERT_EQ(LampPatches(3, lamp, p), 1);
  EXPECT_EQ(p[0].right, 20);
  ASSERT_EQ(LampPatches(6, lamp, p), 2);  // bottom right
  EXPECT_EQ(p[0].top, 6);
  EXPECT_EQ(p[1].left, 16);
}

TEST(BitmapLayoutTest, ExtremeNumbersStayWithinRange) {
  // Rectangles as the reader can make them (left 0 to 999999999, width up
  // to 999999999) with the largest shifts: no arithmetic may overflow.
  const int32_t big = 999999999;
  const Rect32 rects[] = {{0, 0, 2 * big, 2 * big}, {big, big, 2 * big, 2 * big}, {0, 0, 0, 0}, {5, 5, 4, 4}};
  const Point32 shifts[] = {{big, big}, {-big, -big}, {0, 0}};
  for (const Rect32& r : rects) {
    for (const Point32& shift : shifts) {
      BitmapState s;
      std::memset(&s, 0, sizeof s);
      s.faceRect = s.imageRect = s.indicatorRect = s.barRect = s.focusRect = r;
      s.imageOffset = s.indicatorOffset = s.barOffset = s.focusOffset = shift;
      s.barPercent = 65535;
      s.imageFrames = 1;
      for (uint16_t align : {0x0000, 0x2000, 0x9000, 0xA000, 0x3000}) {
        s.imageAlign = align;
        for (int state = 0; state < 8; ++state) {
          for (int32_t size : {1, big, 2 * big}) {
            const ImageBlit b = PlaceImage(s, state, size, size);
            EXPECT_TRUE(b.draw);
          }
          LayOutFace(s, state, true);
          for (uint16_t direction = 0; direction < 4; ++direction) {
            s.barDirection = direction;
            const BarDrawing bar = LayOutBar(s, state);
            EXPECT_LE(bar.filled.left, bar.unfilled.right);
          }
          Rect32 patches[2];
          const Rect32 lamp = LampRect(s, state);
          EXPECT_GE(lamp.right, lamp.left);
          LampPatches(6, lamp, patches);
          LayOutRoundLamp(s, state);
          LayOutSquareLamp(s, state);
          FocusRect(s, state);
        }
      }
    }
  }
}

}  // namespace
}  // namespace qor32::bitmap
