#include "controls/slide/portable/slide_geometry.h"

#include "frame/portable/saturate.h"

namespace qor32 {
namespace slide {

int32_t Saturate(int64_t value) { return Saturate32(value); }

namespace {

// a x b / c truncated toward zero, for c > 0. The product fits 64 bits for
// every value the control can hold (32-bit differences times pixel sizes);
// one that would not saturates. The result stays within +-2^62, so adding a
// 32-bit value to it cannot overflow.
int64_t Scale(int64_t a, int64_t b, int64_t c) {
  constexpr int64_t kBound = int64_t{1} << 62;
  int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) return (a < 0) != (b < 0) ? -kBound : kBound;
  const int64_t quotient = product / c;
  return quotient < -kBound ? -kBound : quotient > kBound ? kBound : quotient;
}

}  // namespace

void PlaceThumb(SlideAxis& axis) {
  const int64_t range = int64_t{axis.max} - axis.min;
  if (range <= 0) {
    const int32_t centred = Saturate((int64_t{axis.trackSize} - axis.thumbSize) / 2);
    axis.thumb = axis.travelMin = axis.travelMax = centred;
    return;
  }
  int64_t low = 0;
  int64_t high = int64_t{axis.trackSize} - axis.thumbSize;
  if (high < 0) {
    // The thumb is larger than the track: it may overhang by half its size.
    low = -(axis.thumbSize / 2);
    high = int64_t{axis.trackSize} - axis.thumbSize / 2;
  }
  axis.travelMin = Saturate(low);
  axis.travelMax = Saturate(high);
  // The travel's low bound is not added: the thumb's edge runs from 0.
  const int64_t travel = int64_t{axis.travelMax} - axis.travelMin;
  const int64_t offset = int64_t{axis.pos} - axis.min;
  axis.thumb = Saturate(Scale(offset, travel, range));
}

bool HasTravel(const SlideAxis& axis) { return int64_t{axis.travelMax} - axis.travelMin > 0; }

int32_t ClampToRange(int64_t value, int32_t min, int32_t max) {
  if (value < min) value = min;
  if (value > max) value = max;
  return static_cast<int32_t>(value);
}

int32_t ClampAfterKey(const SlideAxis& axis, int64_t value) {
  const int32_t clamped = ClampToRange(value, axis.min, axis.max);
  return HasTravel(axis) ? clamped : 0;
}

int32_t ClampAfterPress(const SlideAxis& axis, int64_t value) {
  return ClampToRange(HasTravel(axis) ? value : 0, axis.min, axis.max);
}

int64_t StepForPress(const SlideAxis& axis, int32_t coord) {
  const int64_t pos = axis.pos;
  if (coord < axis.thumbSize) return pos - 1;
  if (coord > int64_t{axis.trackSize} - axis.thumbSize) return pos + 1;
  if (coord < axis.dragLow) return pos - axis.page;
  if (coord > axis.dragHigh) return pos + axis.page;
  return pos;
}

int32_t DragEdge(const SlideAxis& axis, int32_t coord) {
  int64_t edge = int64_t{coord} - axis.thumbSize / 2 + 1;
  if (edge < axis.travelMin) edge = axis.travelMin;
  if (edge > axis.travelMax) edge = axis.travelMax;
  return static_cast<int32_t>(edge);
}

int32_t PositionFromEdge(const SlideAxis& axis, int32_t edge) {
  if (!HasTravel(axis)) return 0;
  const int64_t travel = int64_t{axis.travelMax} - axis.travelMin;
  const int64_t range = int64_t{axis.max} - axis.min;
  return Saturate(axis.min + Scale(range, edge, travel));
}

int32_t BandHeight(int32_t bitmapHeight, int bands) {
  return bands > 0 ? bitmapHeight / bands : 0;
}

}  // namespace slide
}  // namespace qor32
