// Slider arithmetic, one axis at a time: the thumb's travel and place, the
// steps of a press on the track, the clamping rules and the position read
// back from a dragged thumb. The X and Y axes follow the same rules, so
// every function takes one SlideAxis.
//
// Products such as (position - minimum) x travel are formed in 64 bits: the
// values come from nine-digit control-text numbers or from a creation
// record and do not fit 32 bits once multiplied. A result that still does
// not fit is saturated.
//
// This file does not depend on the platform.
#pragma once

#include <cstdint>

namespace qor32 {
namespace slide {

struct SlideAxis {
  int32_t min = 0;
  int32_t pos = 0;
  int32_t max = 0;
  int32_t page = 0;
  int32_t travelMin = 0;  // lowest pixel coordinate of the thumb's leading edge
  int32_t travelMax = 0;  // highest one
  int32_t thumb = 0;      // the thumb's leading edge as last painted
  int32_t thumbSize = 0;  // one thumb band along this axis
  int32_t trackSize = 0;  // one track band along this axis (the control's size)
  int32_t dragLow = 0;    // the dragged thumb rectangle along this axis
  int32_t dragHigh = 0;
};

int32_t Saturate(int64_t value);

// Travel bounds and the thumb's leading edge for the axis's position, as a
// paint places them. The position is not clamped: a position outside the
// range puts the thumb outside the travel.
void PlaceThumb(SlideAxis& axis);

// An axis has travel when travelMax - travelMin is positive.
bool HasTravel(const SlideAxis& axis);

// Raise to the minimum first, then lower to the maximum (so the maximum wins
// when the minimum exceeds it).
int32_t ClampToRange(int64_t value, int32_t min, int32_t max);

// The keyboard's rule: clamp, then an axis without travel gets 0.
int32_t ClampAfterKey(const SlideAxis& axis, int64_t value);

// The track press's rule: an axis without travel gets 0, then clamp.
int32_t ClampAfterPress(const SlideAxis& axis, int64_t value);

// The unclamped position after a press at `coord` on the track (the drag
// rectangle holds the thumb's place): one unit within one thumb size of
// either end, a page elsewhere beside the thumb, nothing over it.
int64_t StepForPress(const SlideAxis& axis, int32_t coord);

// The dragged thumb's leading edge for a cursor at `coord`: centred on the
// cursor (one pixel past the truncated half) and kept within the travel.
int32_t DragEdge(const SlideAxis& axis, int32_t coord);

// The position that a thumb edge maps back to: min + (max - min) x edge /
// travel, truncated toward zero; 0 on an axis without travel.
int32_t PositionFromEdge(const SlideAxis& axis, int32_t edge);

// Band height of a strip bitmap of the given height holding `bands` bands.
int32_t BandHeight(int32_t bitmapHeight, int bands);

}  // namespace slide
}  // namespace qor32
