#include "frame/portable/command_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qor32 {
namespace {

struct NumberCase {
  const char* text;
  int32_t start;
  int32_t expected;
  int32_t cursorAfter;
};

TEST(ParseNumberTest, ReadsValueAndLeavesCursor) {
  const NumberCase cases[] = {NumberCase{"42", 0, 42, 2}, NumberCase{"  ,x7,", 0, 7, 5},
                      NumberCase{"1234567890", 0, 123456789, 9},  // nine digits at most
                      NumberCase{"1234567890", 9, 0, 10},         // the rest reads as 0
                      NumberCase{"-", 0, 0, 1}, NumberCase{"--5", 0, 0, 3},
                      NumberCase{"5-3", 0, 5, 3}, NumberCase{"+5", 0, 5, 2},
                      NumberCase{"-12x", 0, -12, 3}, NumberCase{"-123456789", 0, -12345678, 9},
                      NumberCase{"", 0, 0, 0}, NumberCase{"abc", 0, 0, 3},
                      NumberCase{"~B~C9", 0, 9, 5},  // '~' is skipped like any separator
                      NumberCase{"999999999", 0, 999999999, 9}};
  for (const NumberCase& c : cases) {
    int32_t pos = c.start;
    EXPECT_EQ(ParseNumber(pos, c.text), c.expected) << c.text;
    EXPECT_EQ(pos, c.cursorAfter) << c.text;
  }
}

struct TextCase {
  const char* text;
  int capacity;
  bool stopAtBlank;
  const char* expected;
  int32_t cursorAfter;
};

TEST(ParseTextTest, ReadsTextAndLeavesCursor) {
  const TextCase cases[] = {
        TextCase{", ,  Hello, world  ~X", 256, false, "Hello, world", 19},
        TextCase{", ,  Hello, world  ~X", 256, true, "Hello,", 11},
        TextCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", 24, true, "ABCDEFGHIJKLMNOPQRSTUVW", 23},
        TextCase{"", 16, true, "", 0}, TextCase{"   ", 16, false, "", 3},
        TextCase{"~G", 16, false, "", 0}, TextCase{"name", 1, false, "", 0},
        TextCase{"HBITMAP= 1234", 16, true, "HBITMAP=", 8},
        TextCase{"HBITMAP=1234", 16, true, "HBITMAP=1234", 12},
        TextCase{"trail  ", 16, false, "trail", 7},
        TextCase{"ab cd ~", 16, false, "ab cd", 6}};
  for (const TextCase& c : cases) {
    int32_t pos = 0;
    std::vector<char> dest(size_t(c.capacity) + 8, '#');
    ParseText(pos, c.text, dest.data(), c.capacity, c.stopAtBlank);
    EXPECT_STREQ(dest.data(), c.expected) << c.text;
    EXPECT_EQ(pos, c.cursorAfter) << c.text;
    for (size_t i = size_t(c.capacity); i < dest.size(); ++i) EXPECT_EQ(dest[i], '#') << "wrote past capacity";
  }
}

TEST(ParseRectTest, ClampsAndStretchesToBounds) {
  const Rect32 bounds{0, 0, 99, 49};
  struct Case {
    const char* text;
    Rect32 expected;
  } cases[] = {
      {"-5,-5,0,0", {0, 0, 99, 49}},
      {"10,20,30,40", {10, 20, 40, 60}},
      {"10,20,-1,0", {10, 20, 99, 49}},
      {"-3,4,5,6", {0, 4, 5, 10}},
      {"", {0, 0, 99, 49}},
      {"999999999,999999999,999999999,999999999", {999999999, 999999999, 1999999998, 1999999998}},
  };
  for (const Case& c : cases) {
    int32_t pos = 0;
    Rect32 r{};
    EXPECT_TRUE(ParseRect(pos, c.text, r, bounds));
    EXPECT_EQ(r.left, c.expected.left) << c.text;
    EXPECT_EQ(r.top, c.expected.top) << c.text;
    EXPECT_EQ(r.right, c.expected.right) << c.text;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.text;
  }
}

TEST(ParsePointTest, KeepsNegativeValues) {
  int32_t pos = 0;
  Point32 p{};
  EXPECT_TRUE(ParsePoint(pos, "-3,-4", p));
  EXPECT_EQ(p.x, -3);
  EXPECT_EQ(p.y, -4);
}

// Runs the command loop over text and records, per command, the letter and
// the numbers the known letters read (B reads eight, F seven, C one).
std::string Trace(const char* text) {
  std::string trace;
  int32_t pos = 0;
  RunCommands(pos, text, [&](char letter) {
    int count = letter == 'B' ? 8 : letter == 'F' ? 7 : letter == 'C' ? 1 : 0;
    if (count == 0) return;
    trace += letter;
    for (int i = 0; i < count; ++i) trace += " " + std::to_string(ParseNumber(pos, text));
    trace += ";";
  });
  return trace;
}

TEST(CommandLoopTest, RunsCommandsInTextOrder) {
  struct Case {
    const char* text;
    const char* trace;
  } cases[] = {
      // B takes the numbers of the following F; F itself is not run.
      {"~B5,6~F1,2,3,4,5,6,7", "B 5 6 1 2 3 4 5 6;"},
      {"~b1~c2", "B 1 2 0 0 0 0 0 0;"},    // lower case; B reads on into ~c2
      {"~c1~b2", "C 1;B 2 0 0 0 0 0 0 0;"},
      {"xB1", "B 1 0 0 0 0 0 0 0;"},       // the first character is stepped over
      {"B1~C2", "C 2;"},                   // a missing leading '~' loses the command
      {"~~B1", "B 1 0 0 0 0 0 0 0;"},      // second '~' in the letter position
      {"~C1 comment 7~C3", "C 1;C 3;"},    // unread rest skipped to the next '~'
      {"~", ""}, {"", ""}, {"~Z9~?~ ~5", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Trace(c.text), c.trace) << c.text;
}

TEST(CaptionTest, SplitsCaptionOffTheCommands) {
  struct Case {
    const char* text;
    const char* caption;
    int32_t cursor;
  } cases[] = {
      {"  Save  ~G1", "Save", 8},
      {"~G1", "", 0},
      {"Plain caption", "Plain caption", 13},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    CopyControlText(g_textBuf, c.text);
    SplitCaption();
    const std::string caption = g_captionBuf;
    const int32_t cursor = g_parsePos;
    EXPECT_EQ(caption, c.caption) << c.text;
    EXPECT_EQ(cursor, c.cursor) << c.text;
  }
}

TEST(ControlTextTest, LongTextIsCutAt255Characters) {
  const std::string longText(400, 'a');
  CopyControlText(g_textBuf, longText.c_str());
  EXPECT_EQ(std::string(g_textBuf).size(), 255u);
  CopyControlText(g_textBuf, nullptr);
  EXPECT_EQ(std::string(g_textBuf), "");
}

TEST(ControlTextTest, MalformedTextsStayInBounds) {
  // Texts that end in the middle of a command, names of every length and
  // handle conventions with garbage: the reader must stop at the end.
  const std::string hundred(100, 'N');
  const std::string texts[] = {
      "~G1,2,3,4,5,6,7,8," + hundred, "~G1,2,3,4,5,6,7,8,", "~G1,2,3,4,5,6,7,8,HBITMAP=",
      "~G1,2,3,4,5,6,7,8,HBITMAP= junk!~", "~", "~~~~", "-", std::string(255, '~'),
      std::string(255, '9'), std::string(255, '-'),
  };
  for (const std::string& t : texts) {
    CopyControlText(g_textBuf, t.c_str());
    int32_t pos = 0;
    RunCommands(pos, g_textBuf, [&](char) {
      for (int i = 0; i < 8; ++i) ParseNumber(pos, g_textBuf);
      char name[24];
      ParseText(pos, g_textBuf, name, sizeof name, true);
      ParseNumber(pos, g_textBuf);
    });
    EXPECT_EQ(g_textBuf[pos], '\0');
  }
}

}  // namespace
}  // namespace qor32
