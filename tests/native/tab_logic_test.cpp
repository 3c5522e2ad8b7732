// Tab control, platform-free half: the control text, the layout table, the
// hit test and the band and identifier arithmetic.
#include "controls/tab/portable/tab_logic.h"

#include <gtest/gtest.h>

#include <string>

namespace qor32 {
namespace tab {
namespace {

TabText Read(const char* text) {
  TabText out{};
  int32_t pos = 0;
  ReadTabText(pos, text, out);
  return out;
}

TEST(TabText, CommandsAndTheirArguments) {
  struct Case {
    const char* text;
    bool hasInstance;
    int32_t instance;
    uint16_t count;
    const char* name;
  };
  const Case cases[] = {
      {"~Q3 TABSTRIP", false, 0, 3, "TABSTRIP"},
      {"~q2,  name~h123", true, 123, 2, "name"},
      {"~Q3 ABCDEFGHIJKLMNOPQ", false, 0, 3, "ABCDEFGHIJKLMNO"},  // cut to 15
      {"~Q3 AB CD", false, 0, 3, "AB"},                            // ends at a blank
      {"~H1234567890~Q4 X", true, 123456789, 4, "X"},              // nine characters
      {"~Q65539 X", false, 0, 3, "X"},                             // low 16 bits
      {"~Z5~Q2 N~Q20 M", false, 0, 20, "M"},                       // the last ~Q wins
      {"Q3 X", false, 0, 0, ""},  // the first character is stepped over
      {"xQ3 X", false, 0, 3, "X"},
      {"", false, 0, 0, ""},
      {"~Q3", false, 0, 3, ""},
  };
  for (const Case& c : cases) {
    const TabText t = Read(c.text);
    EXPECT_EQ(t.hasInstance, c.hasInstance) << c.text;
    EXPECT_EQ(t.instance, c.instance) << c.text;
    EXPECT_EQ(t.count, c.count) << c.text;
    EXPECT_EQ(std::string(t.bitmapName), c.name) << c.text;
  }
}

TEST(TabLayout, CountsAndAreas) {
  struct Case {
    uint16_t value, count;
    int32_t width, height, focusTop;
  };
  const Case cases[] = {{2, 2, 171, 20, 4}, {3, 3, 171, 20, 4}, {4, 4, 173, 23, 3},
                        {19, 3, 249, 23, 3}, {20, 3, 339, 23, 3}};
  for (const Case& c : cases) {
    const Layout l = LayoutFor(c.value);
    ASSERT_EQ(l.count, c.count) << c.value;
    EXPECT_EQ(l.tabRects[0].left, 0);
    EXPECT_EQ(l.tabRects[c.count - 1].right, c.width) << c.value;
    for (int i = 0; i < kMaxTabs; ++i) {
      const Rect32 t = l.tabRects[i], f = l.focusRects[i];
      if (i >= c.count) {
        EXPECT_TRUE(t.right == 0 && t.bottom == 0 && f.right == 0 && f.bottom == 0) << c.value;
        continue;
      }
      EXPECT_EQ(t.top, 0);
      EXPECT_EQ(t.bottom, c.height) << c.value;
      if (i > 0) {
        EXPECT_LE(l.tabRects[i - 1].right, t.left) << c.value << " tab " << i;
      }
      // The focus frame lies inside its tab: top row as given, bottom row 19.
      EXPECT_EQ(f.top, c.focusTop) << c.value;
      EXPECT_EQ(f.bottom, 20) << c.value;
      EXPECT_TRUE(f.left >= t.left && f.right <= t.right && f.left < f.right) << c.value << " tab " << i;
    }
  }
  for (uint16_t value : {0, 1, 5, 21, 65535}) {
    const Layout l = LayoutFor(value);
    EXPECT_EQ(l.count, value);
    for (int i = 0; i < kMaxTabs; ++i) EXPECT_EQ(l.tabRects[i].right | l.focusRects[i].right, 0);
  }
}

TEST(TabLayout, HitTest) {
  struct Case {
    uint16_t value;
    uint32_t x, y;
    int tab;
  };
  const Case cases[] = {{3, 70, 5, 1},   {3, 0, 0, 0},     {3, 170, 19, 2}, {3, 171, 5, -1},
                        {3, 5, 20, -1},  {2, 85, 0, 0},    {2, 86, 0, 1},   {4, 172, 22, 3},
                        {20, 112, 5, -1}, {20, 225, 5, -1}, {20, 113, 5, 1}, {20, 338, 0, 2},
                        {5, 10, 5, -1},  {0, 10, 5, -1}};
  for (const Case& c : cases) {
    const Layout l = LayoutFor(c.value);
    EXPECT_EQ(HitTestTabs(l.tabRects, l.count, c.x, c.y), c.tab) << c.value << ": " << c.x << "," << c.y;
  }
}

TEST(TabArithmetic, IdentifiersAndBands) {
  EXPECT_EQ(TabIdentifier(100, 2), 102);
  EXPECT_EQ(TabIdentifier(65535, 1), 0);
  EXPECT_EQ(TabFromIdentifier(102, 100), 2);
  EXPECT_EQ(TabFromIdentifier(0x50066, 0x30064), 2);  // low words only
  EXPECT_EQ(TabFromIdentifier(1, 65535), 2);           // 16-bit difference
  EXPECT_EQ(TabFromIdentifier(99, 100), 65535);
  EXPECT_TRUE(HasBand(2, 3));
  EXPECT_FALSE(HasBand(3, 3));
  EXPECT_FALSE(HasBand(0, 0));
  EXPECT_EQ(BandTop(1, 60, 3), 20);
  EXPECT_EQ(BandTop(2, 62, 3), 40);  // the remainder rows are never shown
  EXPECT_EQ(BandTop(0, 60, 3), 0);
  EXPECT_EQ(BandTop(1, 10, 0), 0);
}

}  // namespace
}  // namespace tab
}  // namespace qor32
