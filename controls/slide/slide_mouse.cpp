// The mouse: a press on the thumb starts a drag, a press on the track steps
// or pages and arms the repeat timer, whose tick notifies and posts the
// press again at the cursor's place; moves drag the thumb while the cursor
// is inside; the release ends the capture and notifies.
//
// Every handler stores its changes in the record before it repaints or
// notifies, and stops touching the record when the window was destroyed
// meanwhile.
#include <windows.h>

#include "controls/slide/slide_record.h"
#include "frame/bitmap_lookup.h"

namespace qor32 {
namespace slide {

namespace {

// Mouse coordinates are two unsigned 16-bit values: a point left of or above
// the captured control reads as a large positive one and falls outside.
int32_t PointX(LPARAM point) { return LOWORD(point); }
int32_t PointY(LPARAM point) { return HIWORD(point); }

}  // namespace

LRESULT OnButtonDown(HWND hwnd, LPARAM point) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  const int32_t x = PointX(point);
  const int32_t y = PointY(point);
  if (GetCapture() != hwnd) SetCapture(hwnd);
  lock->pressX = x;
  lock->pressY = y;
  SlideModel model = LoadModel(*lock);
  const PressTarget target = ApplyPress(model, x, y);
  StoreModel(*lock, model);
  switch (target) {
    case PressTarget::kThumb: {
      const RECT thumb = ThumbRect(*lock);
      RefreshOrFocus(hwnd, &thumb, true);
      break;
    }
    case PressTarget::kTrack:
      // Painted and notified by the first tick or the release.
      SetTimer(hwnd, kRepeatTimer, kRepeatPeriod, nullptr);
      break;
    case PressTarget::kOutside: break;
  }
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, LPARAM point) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  const int32_t x = PointX(point);
  const int32_t y = PointY(point);
  SlideModel model = LoadModel(*lock);
  if (!InClient(model, x, y)) {
    // Out of the control the thumb shows its normal band and stays put.
    if (LeaveDrag(model)) {
      StoreModel(*lock, model);
      RepaintAll(hwnd);
    }
    return 0;
  }
  if ((model.state & kDragging) == 0) return 0;
  if (ReenterDrag(model)) {
    StoreModel(*lock, model);
    RepaintAll(hwnd);
    if (lock.Released()) return 0;
    model = LoadModel(*lock);
  }
  DragTo(model, x, y);
  StoreModel(*lock, model);
  if (!RefreshThumbAndDrag(hwnd, lock)) return 0;
  Notify(hwnd, SLDN_TRACKING, lock->posX);
  return 0;
}

LRESULT OnButtonUp(HWND hwnd) {
  KillTimer(hwnd, kRepeatTimer);
  SlideLock lock = LockSlide(hwnd);
  if (!lock || GetCapture() != hwnd) return 0;
  ReleaseCapture();
  SlideModel model = LoadModel(*lock);
  if ((model.state & kPressed) != 0) {
    PositionFromDrag(model);
    StoreModel(*lock, model);
  }
  Notify(hwnd, SLDN_CHANGED, lock->posX);
  if (lock.Released()) return 0;
  model = LoadModel(*lock);
  EndDrag(model);
  StoreModel(*lock, model);
  RefreshThumbAndDrag(hwnd, lock);
  return 0;
}

// One tick per press: the timer is armed again only by the posted press.
LRESULT OnTimer(HWND hwnd) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  KillTimer(hwnd, kRepeatTimer);
  const RECT thumb = ThumbRect(*lock);
  RefreshOrFocus(hwnd, &thumb, false);
  if (lock.Released()) return 0;
  Notify(hwnd, SLDN_CHANGED, lock->posX);
  if (lock.Released()) return 0;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(hwnd, &cursor);
  PostMessageA(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(cursor.x & 0xFFFF, cursor.y & 0xFFFF));
  return 0;
}

// The repeat timer is left alone.
LRESULT OnCancelMode(HWND hwnd) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  ReleaseCapture();
  SlideModel model = LoadModel(*lock);
  EndDrag(model);
  StoreModel(*lock, model);
  RepaintAll(hwnd);
  return 0;
}

}  // namespace slide
}  // namespace qor32
