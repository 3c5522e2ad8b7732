// The Bitmap control's button state machine, walked event by event for the
// four kinds, and the check messages, queries and flag words around it.
#include "controls/bitmap/portable/bitmap_input.h"

#include <gtest/gtest.h>

namespace qor32::bitmap {
namespace {

constexpr uint8_t D = kDown, C = kChecked, DC = kDown | kChecked;
constexpr bool In = true, Out = false;
constexpr bool R = true, N = true, _ = false;

const char* Name(InputEvent e) {
  static const char* const names[] = {"LButtonDown", "MouseMove", "LButtonUp", "CancelMode", "SpaceDown", "SpaceUp"};
  return names[static_cast<int>(e)];
}

struct Row {
  Kind kind;
  uint8_t before;
  InputEvent event;
  bool inside;
  uint8_t after;
  bool refresh;
  bool notify;
};

using E = InputEvent;
const Row kTable[] = {
    // Push button: down while held inside, notifies on release inside.
    {Kind::Push, 0, E::LButtonDown, In, D, R, _},
    {Kind::Push, D, E::LButtonDown, In, D, R, _},  // refreshes even when already down
    {Kind::Push, C, E::LButtonDown, In, DC, R, _},
    {Kind::Push, 0, E::MouseMove, In, D, R, _},    // back in: drawn down
    {Kind::Push, D, E::MouseMove, In, D, _, _},
    {Kind::Push, D, E::MouseMove, Out, 0, R, _},   // out: drawn up
    {Kind::Push, 0, E::MouseMove, Out, 0, _, _},
    {Kind::Push, D, E::LButtonUp, In, 0, R, N},
    {Kind::Push, DC, E::LButtonUp, In, C, R, N},   // CHECKED is not the mouse's business
    {Kind::Push, D, E::LButtonUp, Out, 0, R, _},
    {Kind::Push, 0, E::LButtonUp, Out, 0, R, _},
    {Kind::Push, D, E::CancelMode, Out, 0, R, _},
    {Kind::Push, 0, E::SpaceDown, In, D, R, _},
    {Kind::Push, D, E::SpaceDown, In, D, _, _},    // auto-repeat
    {Kind::Push, D, E::SpaceUp, In, 0, R, N},
    {Kind::Push, 0, E::SpaceUp, In, 0, R, N},      // notifies without a key-down before
    // Check box: each press toggles the look, the release inside commits it.
    {Kind::CheckBox, 0, E::LButtonDown, In, D, R, _},
    {Kind::CheckBox, DC, E::LButtonDown, In, C, R, _},
    {Kind::CheckBox, D, E::MouseMove, In, D, _, _},
    {Kind::CheckBox, D, E::MouseMove, Out, D, _, _},
    {Kind::CheckBox, D, E::LButtonUp, In, DC, R, N},
    {Kind::CheckBox, C, E::LButtonUp, In, 0, R, N},
    {Kind::CheckBox, D, E::LButtonUp, Out, 0, R, _},  // look restored, not committed
    {Kind::CheckBox, C, E::LButtonUp, Out, DC, R, _},
    {Kind::CheckBox, D, E::CancelMode, Out, 0, R, _},
    {Kind::CheckBox, C, E::CancelMode, Out, DC, R, _},
    {Kind::CheckBox, 0, E::SpaceDown, In, D, R, _},
    {Kind::CheckBox, D, E::SpaceDown, In, 0, R, _},   // every repeat toggles the look
    {Kind::CheckBox, D, E::SpaceUp, In, DC, R, N},
    {Kind::CheckBox, C, E::SpaceUp, In, 0, R, N},
    // Radio button: checks itself on release inside, never unchecks itself.
    {Kind::Radio, 0, E::LButtonDown, In, D, R, _},
    {Kind::Radio, DC, E::LButtonDown, In, DC, R, _},
    {Kind::Radio, D, E::MouseMove, Out, D, _, _},
    {Kind::Radio, D, E::LButtonUp, In, DC, R, N},
    {Kind::Radio, DC, E::LButtonUp, In, DC, _, N},    // clicked while checked: notifies again
    {Kind::Radio, D, E::LButtonUp, Out, 0, R, _},
    {Kind::Radio, DC, E::LButtonUp, Out, DC, _, _},
    {Kind::Radio, D, E::CancelMode, Out, 0, R, _},
    {Kind::Radio, DC, E::CancelMode, Out, DC, R, _},
    {Kind::Radio, 0, E::SpaceDown, In, D, R, _},
    {Kind::Radio, D, E::SpaceDown, In, D, _, _},
    {Kind::Radio, D, E::SpaceUp, In, DC, R, N},
    {Kind::Radio, DC, E::SpaceUp, In, DC, _, N},
    // Press radio: checks and notifies at the press, release does nothing.
    {Kind::PressRadio, 0, E::LButtonDown, In, DC, R, N},
    {Kind::PressRadio, DC, E::LButtonDown, In, DC, R, N},
    {Kind::PressRadio, DC, E::MouseMove, Out, DC, _, _},
    {Kind::PressRadio, DC, E::LButtonUp, In, DC, _, _},
    {Kind::PressRadio, DC, E::LButtonUp, Out, DC, _, _},
    {Kind::PressRadio, DC, E::CancelMode, Out, DC, _, _},
    {Kind::PressRadio, 0, E::CancelMode, Out, 0, _, _},
    {Kind::PressRadio, 0, E::SpaceDown, In, DC, R, N},
    {Kind::PressRadio, DC, E::SpaceDown, In, DC, _, N},  // every repeat notifies
    {Kind::PressRadio, DC, E::SpaceUp, In, DC, _, _},
};

TEST(BitmapInputTest, EventTableForEveryKind) {
  // Each row also runs with the flags the machine never changes set; they
  // must come out as they went in.
  for (uint8_t others : {uint8_t(0), uint8_t(kFocus | kHighlight | kIndeterminate | kDisabled)}) {
    for (const Row& row : kTable) {
      const InputResult got = ApplyInput(row.kind, row.before | others, row.event, row.inside);
      const InputResult want{static_cast<uint8_t>(row.after | others), row.refresh, row.notify};
      EXPECT_EQ(got.flags, want.flags) << "kind " << int(row.kind) << " " << Name(row.event)
                                       << " before 0x" << std::hex << int(row.before | others);
      EXPECT_EQ(got.refresh, want.refresh) << "kind " << int(row.kind) << " " << Name(row.event);
      EXPECT_EQ(got.notify, want.notify) << "kind " << int(row.kind) << " " << Name(row.event);
    }
  }
}

TEST(BitmapInputTest, SequencesEndInTheSteadyStates) {
  struct Step {
    InputEvent event;
    bool inside;
  };
  auto run = [](Kind kind, uint8_t flags, std::initializer_list<Step> steps, int& notifications) {
    notifications = 0;
    for (const Step& s : steps) {
      const InputResult r = ApplyInput(kind, flags, s.event, s.inside);
      flags = r.flags;
      notifications += r.notify;
    }
    return flags;
  };
  int n = 0;
  // Push button: press, out, back in, release: one notification, up again.
  EXPECT_EQ(run(Kind::Push, 0, {{E::LButtonDown, In}, {E::MouseMove, Out}, {E::MouseMove, In}, {E::LButtonUp, In}}, n), 0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(run(Kind::Push, 0, {{E::LButtonDown, In}, {E::MouseMove, Out}, {E::LButtonUp, Out}}, n), 0);
  EXPECT_EQ(n, 0);
  // Check box with key repeat: three key-downs show checked, the release commits.
  EXPECT_EQ(run(Kind::CheckBox, 0, {{E::SpaceDown, In}, {E::SpaceDown, In}, {E::SpaceDown, In}, {E::SpaceUp, In}}, n), DC);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(run(Kind::CheckBox, 0, {{E::SpaceDown, In}, {E::SpaceDown, In}, {E::SpaceUp, In}}, n), 0);
  EXPECT_EQ(n, 1);
  // Check box pressed and released outside: as before, no notification.
  EXPECT_EQ(run(Kind::CheckBox, DC, {{E::LButtonDown, In}, {E::LButtonUp, Out}}, n), DC);
  EXPECT_EQ(n, 0);
  // Radio: a checked one rests down.
  EXPECT_EQ(run(Kind::Radio, 0, {{E::LButtonDown, In}, {E::LButtonUp, In}}, n), DC);
  EXPECT_EQ(n, 1);
}

TEST(BitmapInputTest, CheckMessagesPerKind) {
  struct Case {
    Kind kind;
    uint8_t before;
    CheckRequest request;
    uint8_t after;
    bool repaint;
  };
  using Q = CheckRequest;
  constexpr uint8_t I = kIndeterminate;
  const Case cases[] = {
      {Kind::Push, 0, Q::Check, C, true},             // a push button is not drawn down
      {Kind::CheckBox, 0, Q::Check, DC, true},
      {Kind::Radio, 0, Q::Check, DC, true},
      {Kind::PressRadio, I, Q::Check, DC, true},      // leaves the indeterminate state
      {Kind::CheckBox, C, Q::Check, C, false},        // already checked: nothing at all
      {Kind::CheckBox, DC, Q::Uncheck, 0, true},
      {Kind::Push, D, Q::Uncheck, D, false},          // neither checked nor indeterminate
      {Kind::Radio, I | D, Q::Uncheck, 0, true},
      {Kind::CheckBox, DC, Q::SetIndeterminate, I, true},
      {Kind::CheckBox, I | D, Q::SetIndeterminate, I | D, false},
  };
  for (const Case& c : cases) {
    const uint8_t others = kFocus | kHighlight | kDisabled;
    const CheckResult r = ApplyCheck(c.kind, c.before | others, c.request);
    EXPECT_EQ(r.flags, c.after | others) << int(c.kind) << " " << int(c.request);
    EXPECT_EQ(r.repaint, c.repaint) << int(c.kind) << " " << int(c.request);
  }
  CheckRequest q;
  EXPECT_TRUE(CheckRequestOf(0, q) && q == Q::Uncheck);
  EXPECT_TRUE(CheckRequestOf(1, q) && q == Q::Check);
  EXPECT_TRUE(CheckRequestOf(2, q) && q == Q::SetIndeterminate);
  EXPECT_FALSE(CheckRequestOf(3, q));
}

TEST(BitmapInputTest, CheckStateReportsIndeterminateWhileDisabled) {
  EXPECT_EQ(ButtonCheckState(C | kFocus | D), uint32_t(C | kFocus));
  EXPECT_EQ(ButtonCheckState(C | kDisabled), uint32_t(kIndeterminate));
  EXPECT_EQ(ButtonCheckState(kDisabled | kHighlight | kFocus), uint32_t(2 + 4 + 8));
}

TEST(BitmapInputTest, DialogCodeByLampAndKind) {
  BitmapState s{};
  EXPECT_EQ(DialogCode(Kind::Push, false, s), kDlgcButton | kDlgcUndefPushButton);
  EXPECT_EQ(DialogCode(Kind::Push, true, s), kDlgcButton | kDlgcDefPushButton);
  EXPECT_EQ(DialogCode(Kind::CheckBox, true, s), kDlgcButton);
  EXPECT_EQ(DialogCode(Kind::Radio, false, s), kDlgcButton);
  s.indicatorRect = Rect32{0, 0, 8, 8};
  EXPECT_EQ(DialogCode(Kind::Push, true, s), kDlgcButton | kDlgcRadioButton);
  s.indicatorShape = 1;
  EXPECT_EQ(DialogCode(Kind::Radio, false, s), kDlgcButton);
}

TEST(BitmapInputTest, FlagWordsOverlapInTheirSharedByte) {
  // Four extra bytes; the word at 0 covers bytes 0-1, the word at 1 bytes 1-2.
  uint8_t bytes[4] = {0, 0, 0xA5, 0x5A};
  auto word = [&](int at) { return uint16_t(bytes[at] | (bytes[at + 1] << 8)); };
  auto put = [&](int at, uint16_t w) {
    bytes[at] = uint8_t(w);
    bytes[at + 1] = uint8_t(w >> 8);
  };
  auto store = [&](uint8_t mask, uint8_t flags) { put(0, StoreInFlagWord(word(0), mask, flags)); };
  store(kDown | kDisabled, kDown | kDisabled);
  store(kFocus | kChecked, kFocus | kChecked);
  EXPECT_EQ(FlagsFromWords(word(0), word(1)), kDown | kDisabled | kFocus | kChecked);
  store(kDown | kChecked, 0);  // one store clears a flag of each byte
  EXPECT_EQ(FlagsFromWords(word(0), word(1)), kDisabled | kFocus);
  EXPECT_EQ(bytes[0], kFocus);
  EXPECT_EQ(bytes[1], kDisabled);
  EXPECT_EQ(bytes[2], 0xA5);  // beyond the flags, untouched
  EXPECT_EQ(bytes[3], 0x5A);
}

}  // namespace
}  // namespace qor32::bitmap
