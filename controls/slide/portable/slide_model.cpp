#include "controls/slide/portable/slide_model.h"

namespace qor32 {
namespace slide {

namespace {

bool Within(int32_t low, int32_t high, int32_t value) { return value >= low && value < high; }

void StartDragRect(SlideAxis& axis) {
  axis.dragLow = axis.thumb;
  axis.dragHigh = Saturate(int64_t{axis.thumb} + axis.thumbSize);
}

void DragAxis(SlideAxis& axis, int32_t coord) {
  axis.dragLow = DragEdge(axis, coord);
  axis.dragHigh = Saturate(int64_t{axis.dragLow} + axis.thumbSize);
  axis.pos = PositionFromEdge(axis, axis.dragLow);
}

}  // namespace

void PlaceThumbs(SlideModel& model) {
  PlaceThumb(model.x);
  PlaceThumb(model.y);
}

bool ApplyKey(SlideModel& model, int key, bool shift, bool ctrl) {
  SlideAxis& x = model.x;
  SlideAxis& y = model.y;
  // Shift alone moves Y only, Ctrl alone X only; neither or both move both.
  const bool moveX = !shift || ctrl;
  const bool moveY = shift || !ctrl;
  int64_t newX = x.pos;
  int64_t newY = y.pos;
  switch (key) {
    case kKeyEnd:
      if (moveX) newX = x.max;
      if (moveY) newY = y.max;
      break;
    case kKeyHome:
      if (moveX) newX = x.min;
      if (moveY) newY = y.min;
      break;
    case kKeyLeft: newX -= shift ? int64_t{x.page} : 1; break;
    case kKeyRight: newX += shift ? int64_t{x.page} : 1; break;
    case kKeyUp: newY -= shift ? int64_t{y.page} : 1; break;
    case kKeyDown: newY += shift ? int64_t{y.page} : 1; break;
    default: return false;
  }
  x.pos = ClampAfterKey(x, newX);
  y.pos = ClampAfterKey(y, newY);
  return true;
}

bool InClient(const SlideModel& model, int32_t x, int32_t y) {
  return Within(0, model.x.trackSize, x) && Within(0, model.y.trackSize, y);
}

bool InThumb(const SlideModel& model, int32_t x, int32_t y) {
  const int64_t right = int64_t{model.x.thumb} + model.x.thumbSize;
  const int64_t bottom = int64_t{model.y.thumb} + model.y.thumbSize;
  return x >= model.x.thumb && x < right && y >= model.y.thumb && y < bottom;
}

PressTarget ApplyPress(SlideModel& model, int32_t x, int32_t y) {
  if (!InClient(model, x, y)) return PressTarget::kOutside;
  StartDragRect(model.x);
  StartDragRect(model.y);
  if (InThumb(model, x, y)) {
    model.state |= kPressed | kDragging;
    return PressTarget::kThumb;
  }
  model.state &= ~kDragging;
  model.x.pos = ClampAfterPress(model.x, StepForPress(model.x, x));
  model.y.pos = ClampAfterPress(model.y, StepForPress(model.y, y));
  return PressTarget::kTrack;
}

bool ReenterDrag(SlideModel& model) {
  if ((model.state & kPressed) != 0) return false;
  model.state |= kPressed;
  return true;
}

bool LeaveDrag(SlideModel& model) {
  if ((model.state & kPressed) == 0) return false;
  model.state &= ~kPressed;
  return true;
}

void DragTo(SlideModel& model, int32_t x, int32_t y) {
  DragAxis(model.x, x);
  DragAxis(model.y, y);
}

void PositionFromDrag(SlideModel& model) {
  model.x.pos = PositionFromEdge(model.x, model.x.dragLow);
  model.y.pos = PositionFromEdge(model.y, model.y.dragLow);
}

void EndDrag(SlideModel& model) { model.state &= ~(kPressed | kDragging); }

uint32_t PackLowWords(int32_t low, int32_t high) {
  return (static_cast<uint32_t>(low) & 0xFFFFu) | ((static_cast<uint32_t>(high) & 0xFFFFu) << 16);
}

int32_t LowHalf(uint32_t packed) { return static_cast<int32_t>(packed & 0xFFFFu); }
int32_t HighHalf(uint32_t packed) { return static_cast<int32_t>(packed >> 16); }

uint32_t ExchangePair(int32_t& low, int32_t& high, uint32_t packed) {
  const uint32_t previous = PackLowWords(low, high);
  low = LowHalf(packed);
  high = HighHalf(packed);
  return previous;
}

}  // namespace slide
}  // namespace qor32
