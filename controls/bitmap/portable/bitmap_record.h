// The Bitmap control's records: the state record kept in the StateBlock, the
// two separately allocated text records, and the flag set kept in the window
// extra bytes. Platform-free: handles are opaque values here, and the values
// of the flags and style bits are those of the public header.
#pragma once

#include <cstdint>
#include <climits>

#include "frame/portable/command_reader.h"
#include "frame/portable/saturate.h"

namespace qor32::bitmap {

// A bitmap, palette or memory-block handle, as the platform hands it out.
using Handle = void*;

// ---- Flags (the BMPF_ values) ----------------------------------------------
constexpr uint8_t kChecked = 0x01;
constexpr uint8_t kIndeterminate = 0x02;
constexpr uint8_t kHighlight = 0x04;
constexpr uint8_t kFocus = 0x08;
constexpr uint8_t kDown = 0x10;
constexpr uint8_t kDisabled = 0x20;
// The first flag byte (extra offset 0) holds the four low flags, the second
// (extra offset 1) the two high ones.
constexpr uint8_t kFirstByteFlags = kChecked | kIndeterminate | kHighlight | kFocus;
constexpr uint8_t kSecondByteFlags = kDown | kDisabled;

// ---- Style bits (the BMPS_ values) -----------------------------------------
constexpr uint32_t kKindMask = 0x00C0;
constexpr uint32_t kDefaultStyle = 0x0800;

enum class Kind : uint8_t { Push = 0, CheckBox = 1, Radio = 2, PressRadio = 3 };

constexpr Kind KindOfStyle(uint32_t style) { return static_cast<Kind>((style & kKindMask) >> 6); }

// ---- Records ----------------------------------------------------------------
constexpr int kTextChars = 128;      // at most 127 characters
constexpr int kImageNameChars = 24;  // at most 23 characters
constexpr int kTextSlots = 2;        // 0: the caption, 1: a second text

constexpr uint32_t kDefaultCheckedColor = 0x00FF00;    // green
constexpr uint32_t kDefaultUncheckedColor = 0x0000FF;  // red
constexpr uint32_t kDefaultDisabledColor = 0xC0C0C0;   // light grey

struct BitmapText {
  Rect32 rect;         // empty: the text is not drawn
  Point32 offset;      // shift while down
  uint16_t format;     // DrawText format flags
  uint32_t colors[3];  // normal, down, disabled
  char text[kTextChars];
};

// Same layout as the platform's logical palette of three entries.
struct PaletteEntry {
  uint8_t red, green, blue, flags;
};
struct PaletteEntries {
  uint16_t version;
  uint16_t count;
  PaletteEntry entries[3];
};
constexpr uint16_t kPaletteVersion = 0x300;

// Zero when allocated; WM_CREATE sets the lamp's default colours.
struct BitmapState {
  Rect32 clientRect;  // client rectangle, right and bottom reduced by one

  Rect32 faceRect;
  uint16_t faceFlags;  // bit 0: faceColor while down; bit 1: flat edge
  uint32_t faceColor;

  Rect32 focusRect;
  Point32 focusOffset;

  Rect32 indicatorRect;
  Point32 indicatorOffset;
  uint16_t indicatorShape;
  uint32_t indicatorColors[3];  // checked, not checked, disabled

  Handle textRecords[kTextSlots];

  Rect32 barRect;
  Point32 barOffset;
  uint16_t barDirection;
  uint32_t barColors[3];  // filled while up, filled while down, unfilled
  uint16_t barPercent;

  Rect32 imageRect;
  Point32 imageOffset;
  uint16_t imageAlign;  // alignment code in the top four bits
  int32_t imageFrames;
  char imageName[kImageNameChars];
  Handle image;
  // The control loaded `image` itself and deletes it. Follows the stored name
  // (a bitmap passed as "HBITMAP=" is the application's), except that a
  // resource looked up under the name "HBITMAP=" (handle 0) is owned too.
  bool imageOwned;

  Handle palette;
  PaletteEntries paletteEntries;
};

constexpr bool IsEmpty(const Rect32& r) { return r.right <= r.left || r.bottom <= r.top; }

// Coordinates come from the control text and may be as large as the reader
// allows: sums of them saturate instead of overflowing.
constexpr int32_t Clamp32(int64_t v) { return Saturate32(v); }
constexpr int32_t AddClamped(int32_t a, int64_t b) { return Clamp32(int64_t{a} + b); }

constexpr Rect32 Offset(const Rect32& r, int32_t dx, int32_t dy) {
  return Rect32{AddClamped(r.left, dx), AddClamped(r.top, dy), AddClamped(r.right, dx), AddClamped(r.bottom, dy)};
}

// The rectangle shifted by `offset` while down.
constexpr Rect32 ShiftedWhenDown(const Rect32& r, const Point32& offset, bool down) {
  return down ? Offset(r, offset.x, offset.y) : r;
}

// Sets the defaults of a freshly zeroed record.
void InitBitmapState(BitmapState& state);

}  // namespace qor32::bitmap
