// Preview layout: scaling to the client area, centring, the one-pixel
// insets at the page's left and top, frame and shadow scaling, and the
// painting geometry derived from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "controls/preview/portable/preview_layout.h"

namespace qor32 {

bool operator==(const Rect32& a, const Rect32& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& os, const Rect32& r) {
  return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct LayoutCase {
  const char* name;
  int32_t clientWidth, clientHeight;
  PreviewGeometry in;
  PreviewGeometry out;
};

// The 200 x 200 letter page: S = 180, D = 1100.
constexpr PreviewGeometry kLetterIn{{0, 0, 850, 1100}, {50, 50, 800, 1050}, {100, 200, 500, 500}, 10, 1};
constexpr PreviewGeometry kLetterOut{{30, 10, 169, 190}, {38, 18, 161, 182}, {46, 43, 112, 92}, 2, 1};

const LayoutCase kCases[] = {
    {"letter page in 200 x 200", 200, 200, kLetterIn, kLetterOut},
    {"negative shadow becomes one pixel", 200, 200,
     {{0, 0, 850, 1100}, {50, 50, 800, 1050}, {100, 200, 500, 500}, 10, -10},
     {{30, 10, 169, 190}, {38, 18, 161, 182}, {46, 43, 112, 92}, 2, 1}},
    {"frame and shadow 0 stay 0", 200, 200,
     {{0, 0, 850, 1100}, {50, 50, 800, 1050}, {100, 200, 500, 500}, 0, 0},
     {{30, 10, 169, 190}, {38, 18, 161, 182}, {46, 43, 112, 92}, 0, 0}},
    {"tiny and negative frame become one pixel", 200, 200,
     {{0, 0, 850, 1100}, {50, 50, 800, 1050}, {100, 200, 500, 500}, -3, 2},
     {{30, 10, 169, 190}, {38, 18, 161, 182}, {46, 43, 112, 92}, 1, 1}},
    {"inner area equal to the page moves in at left and top", 200, 200,
     {{0, 0, 850, 1100}, {0, 0, 850, 1100}, {0, 0, 850, 1100}, 0, 0},
     {{30, 10, 169, 190}, {31, 11, 169, 190}, {31, 11, 169, 190}, 0, 0}},
    {"D of 0 leaves everything in place", 200, 200,
     {{0, 0, 0, 0}, {5, 6, 70, 80}, {10, 20, 30, 40}, 3, -4},
     {{0, 0, 0, 0}, {5, 6, 70, 80}, {10, 20, 30, 40}, 3, -4}},
    {"wide client: landscape page centred both ways", 300, 100,
     {{0, 0, 1000, 500}, {0, 100, 1000, 400}, {0, 0, 0, 0}, 0, 0},
     {{10, -20, 290, 120}, {11, 8, 290, 92}, {11, -19, 10, -20}, 0, 0}},
    {"one to one", 120, 120,
     {{0, 0, 100, 100}, {10, 10, 90, 90}, {20, 30, 40, 50}, 1, 2},
     {{10, 10, 110, 110}, {20, 20, 100, 100}, {30, 40, 50, 60}, 1, 2}},
    // Products beyond 32 bits: 2e9 x 180 would overflow a 32-bit product.
    {"large caller units do not overflow", 200, 200,
     {{0, 0, 2000000000, 2000000000}, {1000000000, 0, 2000000000, 1000000000},
      {0, 0, 2000000000, 2000000000}, 2000000000, 1000000000},
     {{10, 10, 190, 190}, {100, 11, 190, 100}, {11, 11, 190, 190}, 180, 90}},
    {"results beyond 32 bits are clamped", 200, 200,
     {{0, 0, 1, 1}, {0, 0, kMax, kMax}, {kMin, kMin, 1, 1}, kMax, kMin},
     {{10, 10, 190, 190}, {11, 11, kMax, kMax}, {kMin + 10, kMin + 10, 190, 190}, kMax, 1}},
};

TEST(PreviewLayout, Table) {
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.name);
    PreviewGeometry g = c.in;
    LayoutPreview(g, c.clientWidth, c.clientHeight);
    EXPECT_EQ(g.page, c.out.page);
    EXPECT_EQ(g.inner, c.out.inner);
    EXPECT_EQ(g.picture, c.out.picture);
    EXPECT_EQ(g.frameWidth, c.out.frameWidth);
    EXPECT_EQ(g.shadowOffset, c.out.shadowOffset);
  }
}

TEST(PreviewLayout, CaptionHeightBelowFiveIsRaisedBySeven) {
  EXPECT_EQ(EffectiveCaptionHeight(0), 7);
  EXPECT_EQ(EffectiveCaptionHeight(3), 10);
  EXPECT_EQ(EffectiveCaptionHeight(4), 11);
  EXPECT_EQ(EffectiveCaptionHeight(5), 5);
  EXPECT_EQ(EffectiveCaptionHeight(255), 255);
}

TEST(PreviewPaintGeometry, LetterPageBands) {
  const PreviewGeometry g = kLetterOut;
  EXPECT_EQ(FillBoxFigure(g.page), (Rect32{30, 10, 170, 191}));
  EXPECT_EQ(PageShadowRect(g.page), (Rect32{34, 14, 173, 194}));
  EXPECT_EQ(FrameRect(g), (Rect32{44, 41, 114, 94}));
  EXPECT_EQ(PictureShadowRect(g), (Rect32{45, 42, 115, 95}));
  EXPECT_EQ(CaptionBox(g, 10), (Rect32{44, 95, 244, 105}));
  EXPECT_EQ(CaptionRightLimit(g), 115);
  EXPECT_EQ(CaptionBackground(Rect32{44, 95, 80, 105}), (Rect32{43, 96, 81, 106}));

  // a = 136, b = 177: y = 10 + 88 - 1, x = 30 + 68 - 1.
  const GuideLine h = HorizontalGuide(g.page);
  EXPECT_EQ(h.x0, 32);
  EXPECT_EQ(h.y0, 97);
  EXPECT_EQ(h.x1, 168);
  EXPECT_EQ(h.y1, 97);
  const GuideLine v = VerticalGuide(g.page);
  EXPECT_EQ(v.x0, 97);
  EXPECT_EQ(v.y0, 12);
  EXPECT_EQ(v.x1, 97);
  EXPECT_EQ(v.y1, 189);
}

TEST(PreviewPaintGeometry, NoFrameAndEmptyRectangles) {
  PreviewGeometry g = kLetterOut;
  g.frameWidth = 0;
  EXPECT_EQ(FrameRect(g), g.picture);
  EXPECT_EQ(PictureShadowRect(g), (Rect32{47, 44, 113, 93}));
  EXPECT_TRUE(IsEmptyRect(Rect32{0, 0, 0, 0}));
  EXPECT_TRUE(IsEmptyRect(Rect32{5, 5, 4, 10}));
  EXPECT_TRUE(IsEmptyRect(Rect32{5, 5, 10, 5}));
  EXPECT_FALSE(IsEmptyRect(Rect32{5, 5, 6, 6}));
}

TEST(PreviewPaintGeometry, SumsSaturateAtTheEdgesOfTheRange) {
  const PreviewGeometry g{{kMin, kMin, kMax, kMax}, {}, {kMin, 0, kMax, kMax}, kMax, kMax};
  EXPECT_EQ(FillBoxFigure(g.page), (Rect32{kMin, kMin, kMax, kMax}));
  EXPECT_EQ(FrameRect(g), (Rect32{kMin, -kMax, kMax, kMax}));
  EXPECT_EQ(CaptionBox(g, 10).top, kMax);
  EXPECT_EQ(CaptionRightLimit(g), kMax);
  const GuideLine h = HorizontalGuide(g.page);
  EXPECT_EQ(h.x1, kMax - 1);  // the page's width, 2^32 - 1, is not a 32-bit value
  EXPECT_EQ(h.y0, -3);
}

}  // namespace
}  // namespace qor32
