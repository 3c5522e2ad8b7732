#include "controls/slide/slide_record.h"

#include "frame/bitmap_lookup.h"
#include "frame/library.h"

namespace qor32 {
namespace slide {

namespace {

struct FieldPair {
  int32_t SlideAxis::*axis;
  LONG SlideState::*record;
};

constexpr FieldPair kXFields[] = {
    {&SlideAxis::min, &SlideState::minX},
    {&SlideAxis::pos, &SlideState::posX},
    {&SlideAxis::max, &SlideState::maxX},
    {&SlideAxis::page, &SlideState::pageX},
    {&SlideAxis::travelMin, &SlideState::travelMinX},
    {&SlideAxis::travelMax, &SlideState::travelMaxX},
    {&SlideAxis::thumb, &SlideState::thumbX},
    {&SlideAxis::thumbSize, &SlideState::thumbWidth},
    {&SlideAxis::trackSize, &SlideState::trackWidth},
};

constexpr FieldPair kYFields[] = {
    {&SlideAxis::min, &SlideState::minY},
    {&SlideAxis::pos, &SlideState::posY},
    {&SlideAxis::max, &SlideState::maxY},
    {&SlideAxis::page, &SlideState::pageY},
    {&SlideAxis::travelMin, &SlideState::travelMinY},
    {&SlideAxis::travelMax, &SlideState::travelMaxY},
    {&SlideAxis::thumb, &SlideState::thumbY},
    {&SlideAxis::thumbSize, &SlideState::thumbHeight},
    {&SlideAxis::trackSize, &SlideState::trackHeight},
};

template <size_t N>
void LoadAxis(const SlideState& s, const FieldPair (&fields)[N], SlideAxis& axis) {
  for (const FieldPair& f : fields) axis.*f.axis = s.*f.record;
}

template <size_t N>
void StoreAxis(SlideState& s, const FieldPair (&fields)[N], const SlideAxis& axis) {
  for (const FieldPair& f : fields) s.*f.record = axis.*f.axis;
}

void DeleteBitmap(HBITMAP& bitmap) {
  if (bitmap != nullptr) DeleteObject(bitmap);
  bitmap = nullptr;
}

}  // namespace

SlideLock LockSlide(HWND hwnd) { return SlideLock(hwnd, kStateOffset); }

SlideModel LoadModel(const SlideState& s) {
  SlideModel m;
  m.state = s.state;
  LoadAxis(s, kXFields, m.x);
  LoadAxis(s, kYFields, m.y);
  m.x.dragLow = s.dragRect.left;
  m.x.dragHigh = s.dragRect.right;
  m.y.dragLow = s.dragRect.top;
  m.y.dragHigh = s.dragRect.bottom;
  return m;
}

void StoreModel(SlideState& s, const SlideModel& m) {
  s.state = m.state;
  StoreAxis(s, kXFields, m.x);
  StoreAxis(s, kYFields, m.y);
  s.dragRect = RECT{m.x.dragLow, m.y.dragLow, m.x.dragHigh, m.y.dragHigh};
}

RECT ThumbRect(const SlideState& s) {
  return RECT{s.thumbX, s.thumbY, s.thumbX + s.thumbWidth, s.thumbY + s.thumbHeight};
}

void DeleteOwnedBitmaps(SlideState& s) {
  DeleteBitmap(s.thumbBitmap);
  DeleteBitmap(s.trackBitmap);
  DeleteBitmap(s.background);
}

void RepaintAll(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

void RepaintRect(HWND hwnd, const RECT& rect) {
  InvalidateRect(hwnd, &rect, FALSE);
  UpdateWindow(hwnd);
}

bool RefreshThumbAndDrag(HWND hwnd, const SlideLock& lock) {
  const RECT thumb = ThumbRect(*lock);
  RefreshOrFocus(hwnd, &thumb, false);
  if (lock.Released()) return false;
  const RECT drag = lock->dragRect;
  RefreshOrFocus(hwnd, &drag, false);
  return !lock.Released();
}

void Notify(HWND hwnd, WORD code, LONG posX) {
  const WORD id = static_cast<WORD>(GetDlgCtrlID(hwnd));
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, code), static_cast<LPARAM>(posX));
}

}  // namespace slide
}  // namespace qor32
