// The Bitmap control as a button: how its flags change under mouse, space
// bar and the check messages, for each of the four kinds, and what the
// standard button queries answer. Pure functions of the flags; the window
// procedure carries out what they return (write the flags, refresh, notify).
#pragma once

#include <cstdint>

#include "controls/bitmap/portable/bitmap_record.h"

namespace qor32::bitmap {

enum class InputEvent : uint8_t {
  LButtonDown,  // the control has just taken the capture
  MouseMove,    // with the capture
  LButtonUp,    // with the capture, already released
  CancelMode,   // with the capture, already released
  SpaceDown,    // also every auto-repeat
  SpaceUp,
};

struct InputResult {
  uint8_t flags;  // the new flags
  bool refresh;   // repaint at once, or take the focus (which repaints)
  bool notify;    // send BMPN_CLICK to the parent
  bool operator==(const InputResult& o) const {
    return flags == o.flags && refresh == o.refresh && notify == o.notify;
  }
};

// `inside`: the pointer is over the control (mouse move and button up only).
InputResult ApplyInput(Kind kind, uint8_t flags, InputEvent event, bool inside);

enum class CheckRequest : uint8_t { Check, Uncheck, SetIndeterminate };

struct CheckResult {
  uint8_t flags;
  bool repaint;
};

// BMPM_CHECK, BMPM_UNCHECK and BMPM_SETINDETERMINATE. A request that finds
// the flags as asked changes and repaints nothing.
CheckResult ApplyCheck(Kind kind, uint8_t flags, CheckRequest request);

// BM_SETCHECK's wParam to the request it stands for; false for other values.
bool CheckRequestOf(uintptr_t wParam, CheckRequest& request);

// BM_GETCHECK and BM_GETSTATE: the first flag byte; a disabled control
// reports indeterminate instead of checked.
uint32_t ButtonCheckState(uint8_t flags);

// The paint state: bit 0 down, bit 1 disabled, bit 2 checked.
constexpr int PaintState(uint8_t flags) {
  return ((flags & kDown) ? 1 : 0) | ((flags & kDisabled) ? 2 : 0) | ((flags & kChecked) ? 4 : 0);
}

// WM_GETDLGCODE (the DLGC_ values).
constexpr uint32_t kDlgcDefPushButton = 0x0010;
constexpr uint32_t kDlgcUndefPushButton = 0x0020;
constexpr uint32_t kDlgcRadioButton = 0x0040;
constexpr uint32_t kDlgcButton = 0x2000;
uint32_t DialogCode(Kind kind, bool isDefault, const BitmapState& state);

// The flags in the window extra bytes: two 16-bit words at offsets 0 and 1
// that overlap in byte 1. The first flag byte is the low byte of the word at
// 0, the second the low byte of the word at 1.
constexpr uint8_t FlagsFromWords(uint16_t word0, uint16_t word1) {
  return static_cast<uint8_t>((word0 & kFirstByteFlags) | (word1 & kSecondByteFlags));
}
// Both flag bytes lie in the word at 0 (the second is its high byte), so a
// store of that one word changes flags of either byte. Only the bits named
// in `mask` change; every other bit of the word stays.
constexpr uint16_t StoreInFlagWord(uint16_t word0, uint8_t mask, uint8_t flags) {
  const auto bits = static_cast<uint16_t>((mask & kFirstByteFlags) | ((mask & kSecondByteFlags) << 8));
  const auto value = static_cast<uint16_t>((flags & kFirstByteFlags) | ((flags & kSecondByteFlags) << 8));
  return static_cast<uint16_t>((word0 & ~bits) | (value & bits));
}

}  // namespace qor32::bitmap
