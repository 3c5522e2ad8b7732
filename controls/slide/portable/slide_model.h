// The slider's state machine on the platform-free part of its record: the
// keys, a press, a drag and a release, and the private messages' value
// pairs. The window procedure copies the record into a SlideModel, applies
// one of these transitions and copies it back before it repaints or
// notifies, so that nested messages always see a complete record.
//
// This file does not depend on the platform.
#pragma once

#include <cstdint>

#include "controls/slide/portable/slide_geometry.h"

namespace qor32 {
namespace slide {

// State bits.
constexpr uint16_t kPressed = 0x1;
constexpr uint16_t kDisabled = 0x2;
constexpr uint16_t kFocus = 0x4;
constexpr uint16_t kDragging = 0x8;
constexpr uint16_t kStateBits = 0xF;

// Options bits.
constexpr uint16_t kTransparent = 0x10;

// The handled keys, by their virtual-key codes.
constexpr int kKeyEnd = 0x23;
constexpr int kKeyHome = 0x24;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;

struct SlideModel {
  uint16_t state = 0;
  SlideAxis x;
  SlideAxis y;
};

// Band counts and the bands drawn.
constexpr int ThumbBandCount(uint16_t options) { return ((options >> 1) & 7) + 1; }
constexpr int TrackBandCount(uint16_t options) { return ((options >> 5) & 7) + 1; }
constexpr int kThumbMaskBand = 3;
constexpr int ThumbImageBand(uint16_t state) {
  return (state & kDisabled) != 0 ? 2 : (state & kPressed) != 0 ? 1 : 0;
}

// Places the thumb on both axes, as a paint does.
void PlaceThumbs(SlideModel& model);

// Applies a key with the modifier state: moves the position, clamps it, and
// gives an axis without travel position 0. False (nothing changed) for a
// key that is not handled.
bool ApplyKey(SlideModel& model, int key, bool shift, bool ctrl);

// Point tests include the left and top edges and exclude the right and
// bottom ones.
bool InClient(const SlideModel& model, int32_t x, int32_t y);
bool InThumb(const SlideModel& model, int32_t x, int32_t y);

enum class PressTarget { kOutside, kThumb, kTrack };

// A left-button press at a client point: outside the control nothing
// changes; on the thumb the drag begins (pressed and dragging); on the track
// each axis steps or pages, and the position is made valid.
PressTarget ApplyPress(SlideModel& model, int32_t x, int32_t y);

// A move back into the control while dragging sets the pressed bit; true if
// it was clear (the control then repaints).
bool ReenterDrag(SlideModel& model);
// A move out of the control clears the pressed bit; true if it was set.
bool LeaveDrag(SlideModel& model);

// A drag move to a client point: the thumb rectangle follows the cursor
// within the travel, and the position follows the rectangle.
void DragTo(SlideModel& model, int32_t x, int32_t y);

// The position that the thumb rectangle maps back to, on both axes.
void PositionFromDrag(SlideModel& model);

// The drag is over (release or cancel).
void EndDrag(SlideModel& model);

// The 16-bit halves of a message value: the low words of two fields packed,
// and a packed pair split with zero extension (0 to 65535).
uint32_t PackLowWords(int32_t low, int32_t high);
int32_t LowHalf(uint32_t packed);
int32_t HighHalf(uint32_t packed);

// Stores the two halves of `packed` in the fields and returns their previous
// low words packed the same way.
uint32_t ExchangePair(int32_t& low, int32_t& high, uint32_t packed);

}  // namespace slide
}  // namespace qor32
