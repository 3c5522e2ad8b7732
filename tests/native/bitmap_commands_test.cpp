// Parsing a Bitmap control's text into its record: the caption, the nine
// commands, bitmap ownership and the failure paths, against a host that
// records what the parse asked of the platform.
#include "controls/bitmap/portable/bitmap_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qor32::bitmap {
namespace {

class FakeHost : public CommandHost {
 public:
  Handle AllocateTextRecord() override {
    if (failAllocations) return nullptr;
    records.push_back(std::make_unique<BitmapText>());
    std::memset(records.back().get(), 0, sizeof(BitmapText));
    return records.back().get();
  }
  BitmapText* LockTextRecord(Handle record) override {
    ++locks;
    return static_cast<BitmapText*>(record);
  }
  void UnlockTextRecord(Handle) override { --locks; }
  void DeleteImage(Handle image) override { log += "delete " + Name(image) + ";"; }
  Handle LookUpImage(uintptr_t instance, const char* name) override {
    log += "load " + std::string(name) + "@" + std::to_string(instance) + ";";
    if (std::strcmp(name, "MISSING") == 0) return nullptr;
    return reinterpret_cast<Handle>(uintptr_t(1000 + ++loads));
  }
  uintptr_t RootInstance() override { return 77; }
  void InvalidatePart(const Rect32& r) override {
    invalidated.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                          std::to_string(r.right) + "," + std::to_string(r.bottom));
  }
  static std::string Name(Handle h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

  std::vector<std::unique_ptr<BitmapText>> records;
  bool failAllocations = false;
  int locks = 0;
  int loads = 0;
  std::string log;
  std::vector<std::string> invalidated;
};

class BitmapCommandsTest : public ::testing::Test {
 protected:
  BitmapCommandsTest() {
    std::memset(&state, 0, sizeof state);
    InitBitmapState(state);
  }
  void Parse(const char* text, uintptr_t instance = 5) {
    ParseBitmapText(state, host, text, Rect32{0, 0, 99, 49}, instance);
    EXPECT_EQ(host.locks, 0) << "a text record was left locked";
  }
  const BitmapText* Text(int slot) const { return static_cast<const BitmapText*>(state.textRecords[slot]); }

  BitmapState state;
  FakeHost host;
};

TEST_F(BitmapCommandsTest, CaptionGoesToRecordZeroAndLeavesItsPlacement) {
  Parse("  Save  ~B0,0,10,10,0,0,0,0");
  ASSERT_NE(Text(0), nullptr);
  EXPECT_STREQ(Text(0)->text, "Save");
  EXPECT_EQ(Text(0)->rect.right, 0);  // not placed: nothing is drawn
  EXPECT_EQ(state.textRecords[1], nullptr);

  Parse("~T0,5,6,20,10,1,2,37,0,0,0,255,255,255,128,128,128,Hello, world ~B");
  EXPECT_STREQ(Text(0)->text, "Hello, world");
  // A text-only update changes the text and keeps the rest.
  Parse("Cancel");
  EXPECT_STREQ(Text(0)->text, "Cancel");
  EXPECT_EQ(Text(0)->rect.left, 5);
  EXPECT_EQ(Text(0)->rect.right, 25);
  EXPECT_EQ(Text(0)->offset.y, 2);
  EXPECT_EQ(Text(0)->format, 37);
  EXPECT_EQ(Text(0)->colors[1], 0xFFFFFFu);
  EXPECT_EQ(Text(0)->colors[2], 0x808080u);
  // An empty caption leaves record 0 alone; T with an empty text clears it.
  Parse("~B");
  EXPECT_STREQ(Text(0)->text, "Cancel");
  Parse("Save~T0,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,");
  EXPECT_STREQ(Text(0)->text, "");
  EXPECT_EQ(host.records.size(), 1u);
}

TEST_F(BitmapCommandsTest, CaptionAndTextsAreCutToTheirRecords) {
  const std::string caption(200, 'c');
  Parse(caption.c_str());
  EXPECT_EQ(std::strlen(Text(0)->text), 127u);
  const std::string text = "~T1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0," + std::string(200, 't');
  Parse(text.c_str());
  EXPECT_EQ(std::strlen(Text(1)->text), 127u);
}

TEST_F(BitmapCommandsTest, TextSlotOtherThanZeroOrOneIsIgnoredWhole) {
  for (const char* text : {"~T2,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,0,Far~B3,3,3,3,0,0,0,0",
                           "~T-1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,0,Far~B3,3,3,3,0,0,0,0",
                           "~T65536~B3,3,3,3,0,0,0,0"}) {
    std::memset(&state, 0, sizeof state);
    host.records.clear();
    host.invalidated.clear();
    Parse(text);
    EXPECT_TRUE(host.records.empty()) << text;
    EXPECT_EQ(state.textRecords[0], nullptr);
    EXPECT_EQ(state.textRecords[1], nullptr);
    // The next command runs as usual; nothing else was invalidated.
    EXPECT_EQ(state.faceRect.left, 3) << text;
    EXPECT_EQ(host.invalidated, std::vector<std::string>{"3,3,6,6"}) << text;
  }
}

TEST_F(BitmapCommandsTest, FailedTextAllocationLeavesTheSlotEmpty) {
  host.failAllocations = true;
  Parse("Save~T1,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,Other~S1,1,20,5,0,0,0,1,2,3,4,5,6,7,8,9,50");
  EXPECT_EQ(state.textRecords[0], nullptr);
  EXPECT_EQ(state.textRecords[1], nullptr);
  EXPECT_EQ(state.barPercent, 50);  // the rest of the text still applies
  host.failAllocations = false;
  Parse("Save");
  ASSERT_NE(Text(0), nullptr);
  EXPECT_STREQ(Text(0)->text, "Save");
}

TEST_F(BitmapCommandsTest, PartsNumbersColoursAndInvalidation) {
  Parse("~B-5,-5,0,0,3,300,1,2~F1,2,3,4,-2,-3,9~I5,6,4,4,2,2,65537,1,2,3,4,5,6,7,8,9"
        "~S10,20,30,0,1,1,6,255,0,0,0,255,0,0,0,255,70000");
  EXPECT_EQ(state.faceRect.left, 0);
  EXPECT_EQ(state.faceRect.right, 99);  // width 0: to the far edge
  EXPECT_EQ(state.faceRect.bottom, 49);
  EXPECT_EQ(state.faceFlags, 3);
  EXPECT_EQ(state.faceColor, 44u | (1u << 8) | (2u << 16));  // 300 keeps its low 8 bits
  EXPECT_EQ(state.focusRect.right, 4);
  EXPECT_EQ(state.focusOffset.x, -2);
  EXPECT_EQ(state.focusOffset.y, -3);
  EXPECT_EQ(state.indicatorShape, 1);  // low 16 bits
  EXPECT_EQ(state.indicatorColors[0], 0x030201u);
  EXPECT_EQ(state.indicatorColors[2], 0x090807u);
  EXPECT_EQ(state.barRect.bottom, 49);
  EXPECT_EQ(state.barDirection, 6);
  EXPECT_EQ(state.barColors[0], 0x0000FFu);
  EXPECT_EQ(state.barColors[1], 0x00FF00u);
  EXPECT_EQ(state.barPercent, 70000 & 0xFFFF);
  EXPECT_EQ(host.invalidated,
            (std::vector<std::string>{"0,0,99,49", "1,2,4,6", "5,6,9,10", "10,20,40,49"}));
  // The palette follows the lamp colours.
  EXPECT_EQ(state.paletteEntries.version, 0x300);
  EXPECT_EQ(state.paletteEntries.count, 3);
  EXPECT_EQ(state.paletteEntries.entries[1].red, 4);
  EXPECT_EQ(state.paletteEntries.entries[1].blue, 6);
  EXPECT_EQ(state.paletteEntries.entries[2].flags, 0);
}

TEST_F(BitmapCommandsTest, ShortCommandTakesItsNumbersFromTheNext) {
  // F reads seven numbers: the seventh is B's first, and B itself is skipped.
  Parse("~F0,0,0,0,2,2~B1,2,3,4,5,6,7,8");
  EXPECT_EQ(state.focusOffset.x, 2);
  EXPECT_TRUE(IsEmpty(state.faceRect));
}

TEST_F(BitmapCommandsTest, ImagesAreOwnedUnlessPassedByHandle) {
  Parse("~G1,2,10,10,3,4,0x5000,3,ARROWS");
  EXPECT_EQ(host.log, "load 3,ARROWS@5;");
  EXPECT_EQ(state.image, reinterpret_cast<Handle>(1001));
  EXPECT_EQ(state.imageAlign, 0);  // "0x5000" reads 0
  EXPECT_EQ(state.imageFrames, 5000);
  EXPECT_STREQ(state.imageName, "3,ARROWS");  // "0x5000" read 0 and 5000: the 3 went to the name
  Parse("~G1,2,10,10,3,4,20480,3,ARROWS");
  EXPECT_EQ(state.imageAlign, 0x5000);
  EXPECT_EQ(state.imageOffset.y, 4);
  // Replacing a loaded bitmap deletes it first.
  EXPECT_EQ(host.log, "load 3,ARROWS@5;delete 1001;load ARROWS@5;");
  host.log.clear();
  Parse("~G0,0,0,0,0,0,0,1,HBITMAP= 1234");
  EXPECT_EQ(host.log, "delete 1002;");
  EXPECT_EQ(state.image, reinterpret_cast<Handle>(1234));
  EXPECT_STREQ(state.imageName, "HBITMAP=");
  // A handle passed in is never deleted, also not when replaced.
  host.log.clear();
  Parse("~G0,0,0,0,0,0,0,1,OTHER");
  EXPECT_EQ(host.log, "load OTHER@5;");
  // Without the blank the whole is one name.
  host.log.clear();
  Parse("~Q1,HBITMAP=1234");
  EXPECT_EQ(host.log, "delete 1003;load HBITMAP=1234@5;");
}

TEST_F(BitmapCommandsTest, HandlesAndInstancesKeepAllTheirDigits) {
  // Ten digits and more: 0x80000001, and a 64-bit module address.
  Parse("~G0,0,0,0,0,0,0,1,HBITMAP= 2147483649~B1");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(state.image), uintptr_t{2147483649u});
  EXPECT_EQ(state.faceRect.left, 1);  // the next command still runs
  if (sizeof(uintptr_t) == 8) {
    Parse("~H12351176704~Q1,A");
    EXPECT_NE(host.log.find("load A@12351176704;"), std::string::npos) << host.log;
  }
  struct Case {
    const char* text;
    uint64_t value;
    int32_t cursorAfter;
  } cases[] = {
      {" 1234,5", 1234, 5}, {"-1", ~uint64_t{0}, 2}, {"--5", 0, 3}, {"5-3", 5, 3}, {"x", 0, 1},
      {"12345678901234567890", 1234567890123456789u, 19},  // 19 digits at most
      {"-9223372036854775808", uint64_t{1} << 63, 20},
  };
  for (const Case& c : cases) {
    int32_t pos = 0;
    EXPECT_EQ(static_cast<uint64_t>(ParseHandleNumber(pos, c.text)), c.value) << c.text;
    EXPECT_EQ(pos, c.cursorAfter) << c.text;
  }
}

TEST_F(BitmapCommandsTest, HandleZeroLooksUpTheLiteralNameAndOwnsWhatItFinds) {
  Parse("~G0,0,0,0,0,0,0,1,HBITMAP= 0");
  EXPECT_EQ(host.log, "load HBITMAP=@5;");
  ASSERT_NE(state.image, nullptr);
  host.log.clear();
  Parse("~Q1,MISSING");
  EXPECT_EQ(host.log, "delete 1001;load MISSING@5;");
  EXPECT_EQ(state.image, nullptr);
  host.log.clear();
  DropImage(state, host);
  EXPECT_EQ(host.log, "");
}

TEST_F(BitmapCommandsTest, ImageNameKeepsTwentyThreeCharacters) {
  Parse("~Q2,ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_STREQ(state.imageName, "ABCDEFGHIJKLMNOPQRSTUVW");
  EXPECT_EQ(state.imageFrames, 2);
}

TEST_F(BitmapCommandsTest, WholeControlImageFollowsTheClientRectangle) {
  Parse("~G5,5,5,5,1,1,0x9000,1,A~Q3,B");
  EXPECT_EQ(state.imageRect.left, 0);
  EXPECT_EQ(state.imageRect.right, 99);
  EXPECT_EQ(state.imageRect.bottom, 49);
  EXPECT_EQ(state.imageOffset.x, 0);
  EXPECT_EQ(state.imageAlign, 0);
  EXPECT_EQ(state.imageFrames, 3);
  ParseBitmapText(state, host, "~Q3,B", Rect32{0, 0, 199, 29}, 5);
  EXPECT_EQ(state.imageRect.right, 199);
  EXPECT_EQ(state.imageRect.bottom, 29);
}

TEST_F(BitmapCommandsTest, LookupInstanceChangesForTheRestOfOneParse) {
  Parse("~G0,0,0,0,0,0,0,1,A~H123456789~G0,0,0,0,0,0,0,1,B~P~Q1,C~H42~q1,D");
  EXPECT_EQ(host.log, "load A@5;delete 1001;load B@123456789;delete 1002;load C@77;delete 1003;load D@42;");
  host.log.clear();
  Parse("~Q1,E");
  EXPECT_EQ(host.log, "delete 1004;load E@5;");
}

}  // namespace
}  // namespace qor32::bitmap
