// The slider's control text: ~S and ~H, the scan's first character, the
// option bits, name limits and the 255-character working copy.
#include "controls/slide/portable/slide_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace qor32 {
namespace slide {
namespace {

TEST(SlideCommandsTest, HorizontalSliderText) {
  const SlideText t = ParseSlideText("~S 0 3 0 1 THUMB TRACK 0 0 50 0 100 0 10 0");
  ASSERT_TRUE(t.hasShape);
  EXPECT_FALSE(t.hasInstance);
  EXPECT_EQ(t.options, 0x26);  // thumb bands 4 (bits 1-3 = 3), track bands 2 (bits 5-7 = 1)
  EXPECT_STREQ(t.thumbName, "THUMB");
  EXPECT_STREQ(t.trackName, "TRACK");
  EXPECT_EQ(t.minX, 0);
  EXPECT_EQ(t.minY, 0);
  EXPECT_EQ(t.posX, 50);
  EXPECT_EQ(t.posY, 0);
  EXPECT_EQ(t.maxX, 100);
  EXPECT_EQ(t.maxY, 0);
  EXPECT_EQ(t.pageX, 10);
  EXPECT_EQ(t.pageY, 0);
}

TEST(SlideCommandsTest, OptionBitsAreMasked) {
  EXPECT_EQ(ShapeOptions(1, 0, 0, 0), 0x01);
  EXPECT_EQ(ShapeOptions(3, 9, 2, 8), 0x03);  // 3&1, 9&7=1, 2&1=0, 8&7=0
  EXPECT_EQ(ShapeOptions(0, 7, 1, 7), 0xFE);
  EXPECT_EQ(ShapeOptions(-1, -1, -1, -1), 0xFF);
  EXPECT_EQ(ParseSlideText("~s 1 1 1 1 a b").options, 0x33);
}

TEST(SlideCommandsTest, WhereCommandsAreFound) {
  const struct {
    const char* text;
    bool shape;
    int32_t posX;
    bool instance;
    int32_t instanceValue;
  } cases[] = {
      {"xS 0 0 0 0 A B 0 0 7", true, 7, false, 0},   // the second character is a letter
      {"S 0 0 0 0 A B 0 0 7", false, 0, false, 0},   // the first character never is
      {"~h 1234", false, 0, true, 1234},
      {"xH5", false, 0, true, 5},
      {"~Q 1 ~X 2 ~S 0 0 0 0 A B 0 0 7", true, 7, false, 0},
      {"~S 0 0 0 0 A B 0 0 7 0 0 0 0 0 ~S 0 0 0 0 C D 0 0 8", true, 8, false, 0},  // the last wins
      {"~S 0 0 0 0 A B 0 0 7 ~S 0 0 0 0 C D 0 0 8", true, 7, false, 0},  // short: reads into the next
      {"~H 9 ~H 10", false, 0, true, 10},
      {"", false, 0, false, 0},
      {"~", false, 0, false, 0},
  };
  for (const auto& c : cases) {
    const SlideText t = ParseSlideText(c.text);
    EXPECT_EQ(t.hasShape, c.shape) << c.text;
    EXPECT_EQ(t.posX, c.posX) << c.text;
    EXPECT_EQ(t.hasInstance, c.instance) << c.text;
    EXPECT_EQ(t.instance, c.instanceValue) << c.text;
  }
}

TEST(SlideCommandsTest, NamesAndNumbers) {
  // A name has at most 15 characters; the rest of a longer one is read as
  // the next name (the reader stops at the capacity, not at the blank).
  SlideText t = ParseSlideText("~S 0 0 0 0 ABCDEFGHIJKLMNOPQR TR 1 2");
  EXPECT_STREQ(t.thumbName, "ABCDEFGHIJKLMNO");
  EXPECT_STREQ(t.trackName, "PQR");
  EXPECT_EQ(t.minX, 1) << "the number reader skips TR";
  EXPECT_EQ(t.minY, 2);

  // Nine-digit numbers and negative eight-digit ones; missing ones are 0.
  t = ParseSlideText("~S 0 3 0 1 T K -99999999 0 999999999 0 999999999");
  EXPECT_EQ(t.minX, -99999999);
  EXPECT_EQ(t.posX, 999999999);
  EXPECT_EQ(t.maxX, 999999999);
  EXPECT_EQ(t.pageX, 0);

  // A text without names leaves them empty.
  t = ParseSlideText("~S 1 2 3 4");
  EXPECT_STREQ(t.thumbName, "");
  EXPECT_STREQ(t.trackName, "");
}

TEST(SlideCommandsTest, TextBeyond255CharactersIsNotRead) {
  // Numbers that start within the first 255 characters are read; the text
  // after them is cut, never copied past the working buffer.
  std::string text = "~S 0 0 0 0 A B 1";
  text += std::string(255 - text.size() - 2, ' ');
  text += " 2";  // characters 253 and 254: the last ones kept
  text += " 3 4 5 6 7 8" + std::string(1000, '9');
  const SlideText t = ParseSlideText(text.c_str());
  EXPECT_EQ(t.minX, 1);
  EXPECT_EQ(t.minY, 2);
  EXPECT_EQ(t.posX, 0);
  EXPECT_EQ(t.maxY, 0);
  EXPECT_EQ(ParseSlideText(nullptr).hasShape, false);
}

}  // namespace
}  // namespace slide
}  // namespace qor32
