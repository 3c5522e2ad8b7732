#include "controls/matrix/portable/matrix_commands.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <cstring>
#include <string>

#include "frame/portable/command_reader.h"

namespace qor32 {
namespace {

struct Scanned {
  MatrixGrid grid{};
  char name[kMatrixNameCapacity] = {};
  MatrixScanResult result;
};

Scanned Scan(const char* text) {
  Scanned s;
  s.result = ScanMatrixText(text, s.grid, s.name);
  return s;
}

TEST(MatrixCommandsTest, ExampleTextSetsEveryField) {
  const Scanned s = Scan("~M 0 1 0 3 BUTTONS 4 2 2 2 3 3 0 0");
  EXPECT_EQ(s.grid.options, kMatrixAutoRepeat | (3 << 1));
  EXPECT_EQ(MatrixBandCount(s.grid.options), 4);
  EXPECT_STREQ(s.name, "BUTTONS");
  EXPECT_EQ(s.grid.columns, 4);
  EXPECT_EQ(s.grid.rows, 2);
  EXPECT_EQ(s.grid.gapX, 2);
  EXPECT_EQ(s.grid.gapY, 2);
  EXPECT_EQ(s.grid.focusInsetX, 3);
  EXPECT_EQ(s.grid.focusInsetY, 3);
  EXPECT_FALSE(s.result.handleRead);
  EXPECT_EQ(s.result.instanceSource, MatrixInstanceSource::kLibrary);
}

TEST(MatrixCommandsTest, OptionBitsComeFromTheLowBitsOfTheFirstFourNumbers) {
  struct Case {
    const char* text;
    uint16_t options;
  } const cases[] = {
      {"~M1 0 0 0 X", 0x20},  {"~M0 1 0 0 X", 0x10},  {"~M0 0 1 0 X", 0x01},
      {"~M0 0 0 7 X", 0x0E},  {"~M0 0 0 8 X", 0x00},  {"~M3 2 5 9 X", 0x23},
      {"~M-1 -1 -1 -1 X", 0x3F},
  };
  for (const Case& c : cases) EXPECT_EQ(Scan(c.text).grid.options, c.options) << c.text;
  for (int o4 = 0; o4 < 8; ++o4) EXPECT_EQ(MatrixBandCount(MatrixOptions(0, 0, 0, o4)), o4 + 1);
}

TEST(MatrixCommandsTest, EightBitFieldsKeepTheLowByteSigned) {
  const Scanned s = Scan("~m0 0 0 0 B 128 255 -1 300 -129 127 7 -8");
  EXPECT_EQ(s.grid.columns, -128);
  EXPECT_EQ(s.grid.rows, -1);
  EXPECT_EQ(s.grid.gapX, -1);
  EXPECT_EQ(s.grid.gapY, 44);  // 300 & 0xFF
  EXPECT_EQ(s.grid.focusInsetX, 127);
  EXPECT_EQ(s.grid.focusInsetY, 127);
  EXPECT_EQ(s.grid.reserved[0], 7);
  EXPECT_EQ(s.grid.reserved[1], -8);
}

TEST(MatrixCommandsTest, HandleNameReadsTheHandleOnlyAfterABlank) {
  Scanned s = Scan("~M0 0 0 0 HBITMAP= 123456 2 1 0 0 0 0 0 0");
  EXPECT_STREQ(s.name, "HBITMAP=");
  EXPECT_TRUE(s.result.handleRead);
  EXPECT_EQ(s.result.handleNumber, 123456);
  EXPECT_EQ(s.grid.columns, 2);
  EXPECT_EQ(s.grid.rows, 1);

  // Without the blank the whole is a name (cut at 15 characters).
  s = Scan("~M0 0 0 0 HBITMAP=123456789012 2 1");
  EXPECT_STREQ(s.name, "HBITMAP=1234567");
  EXPECT_FALSE(s.result.handleRead);
  // The characters beyond the name's capacity are read as the next number,
  // 89012, of which the field keeps the low byte.
  EXPECT_EQ(s.grid.columns, static_cast<int8_t>(89012 & 0xFF));
}

TEST(MatrixCommandsTest, HandlesKeepAllTheirDigits) {
  // Handle values of ten digits are common; the nine-digit number reader
  // would cut them and name another object.
  Scanned s = Scan("~M0 0 0 0 HBITMAP= 4278190085 3 1 0 0 0 0 0 0");
  EXPECT_EQ(s.result.handleNumber, 4278190085LL);
  EXPECT_EQ(s.grid.columns, 3);
  s = Scan("~M0 0 0 0 HBITMAP= -16777211 3 1");
  EXPECT_EQ(s.result.handleNumber, -16777211LL);
  EXPECT_EQ(s.grid.columns, 3);

  const struct {
    const char* text;
    int64_t value;
    int32_t cursorAfter;
  } cases[] = {{"", 0, 0},           {" x,12", 12, 5},   {"--5", 0, 3},
               {"5-3 7", 5, 3},      {"-", 0, 1},        {"12345678901234567890", 1234567890123456789LL, 19},
               // The most negative value negates without overflowing.
               {"-9223372036854775808", INT64_MIN, 20}};
  for (const auto& c : cases) {
    int32_t pos = 0;
    EXPECT_EQ(ParseHandleNumber(pos, c.text), c.value) << c.text;
    EXPECT_EQ(pos, c.cursorAfter) << c.text;
  }
}

TEST(MatrixCommandsTest, InstanceCommandsRunInTextOrder) {
  Scanned s = Scan("~H 77");
  EXPECT_EQ(s.result.instanceSource, MatrixInstanceSource::kNumber);
  EXPECT_EQ(s.result.instanceNumber, 77);
  s = Scan("~H77~P");
  EXPECT_EQ(s.result.instanceSource, MatrixInstanceSource::kRoot);
  s = Scan("~H 14055374848");  // a 64-bit module address
  EXPECT_EQ(s.result.instanceNumber, 14055374848LL);
  s = Scan("~p~h5");
  EXPECT_EQ(s.result.instanceSource, MatrixInstanceSource::kNumber);
  EXPECT_EQ(s.result.instanceNumber, 5);
}

TEST(MatrixCommandsTest, TextWithoutGridCommandKeepsGridAndName) {
  Scanned s;
  s.grid.columns = 3;
  s.grid.options = 0x12;
  std::strcpy(s.name, "KEPT");
  s.result = ScanMatrixText("~X1 2 3~P", s.grid, s.name);
  EXPECT_EQ(s.grid.columns, 3);
  EXPECT_EQ(s.grid.options, 0x12);
  EXPECT_STREQ(s.name, "KEPT");
  // Empty and null texts change nothing either.
  ScanMatrixText("", s.grid, s.name);
  ScanMatrixText(nullptr, s.grid, s.name);
  EXPECT_EQ(s.grid.columns, 3);
  EXPECT_STREQ(s.name, "KEPT");
}

TEST(MatrixCommandsTest, FirstCharacterIsSteppedOverAndLaterGridWins) {
  // The letter position is the text's second character, whatever the first.
  EXPECT_EQ(Scan("xM0 0 0 0 A 5 1").grid.columns, 5);
  EXPECT_EQ(Scan("M0 0 0 0 A 5 1").grid.columns, 0);  // the M was stepped over
  const Scanned s = Scan("~M0 0 0 0 HBITMAP= 9 1 1 0 0 0 0 0 0~M0 0 0 0 LATER 2 3");
  EXPECT_STREQ(s.name, "LATER");
  EXPECT_EQ(s.grid.columns, 2);
  EXPECT_EQ(s.grid.rows, 3);
}

TEST(MatrixCommandsTest, OnlyTheFirst255CharactersAreRead) {
  // The grid command starts beyond character 255: it is never seen.
  std::string text(260, ' ');
  text.insert(0, "~Q");
  text += "~M0 0 0 0 LATE 4 4";
  Scanned s = Scan(text.c_str());
  EXPECT_EQ(s.grid.columns, 0);
  EXPECT_STREQ(s.name, "");
  // A number that straddles the cut is read up to the cut.
  std::string cut = "~M0 0 0 0 A 1 1 ";
  cut += std::string(255 - cut.size() - 2, ' ');
  cut += "123456";
  s = Scan(cut.c_str());
  EXPECT_EQ(s.grid.gapX, 12);
}

}  // namespace
}  // namespace qor32
