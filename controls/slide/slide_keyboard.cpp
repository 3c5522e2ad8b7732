// Focus, enable and the keyboard. Each repaints the thumb as last painted;
// painting redraws the whole control, so the thumb shows at the new place.
#include <windows.h>

#include "controls/slide/slide_record.h"

namespace qor32 {
namespace slide {

static_assert(kKeyEnd == VK_END && kKeyHome == VK_HOME && kKeyLeft == VK_LEFT &&
                  kKeyUp == VK_UP && kKeyRight == VK_RIGHT && kKeyDown == VK_DOWN,
              "key codes");

namespace {

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void SetStateBit(SlideState& s, WORD bit, bool on) {
  s.state = static_cast<WORD>(on ? (s.state | bit) : (s.state & ~bit));
}

}  // namespace

LRESULT OnFocusChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    SlideLock lock = LockSlide(hwnd);
    if (lock) {
      SetStateBit(*lock, kFocus, message == WM_SETFOCUS);
      RepaintRect(hwnd, ThumbRect(*lock));
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT OnEnable(HWND hwnd, WPARAM enabled) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  SetStateBit(*lock, kDisabled, enabled == 0);
  RepaintRect(hwnd, ThumbRect(*lock));
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM key) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  SlideModel model = LoadModel(*lock);
  if (!ApplyKey(model, static_cast<int>(key), KeyDown(VK_SHIFT), KeyDown(VK_CONTROL))) return 0;
  StoreModel(*lock, model);
  RepaintRect(hwnd, ThumbRect(*lock));
  if (lock.Released()) return 0;
  Notify(hwnd, SLDN_CHANGED, lock->posX);
  return 0;
}

}  // namespace slide
}  // namespace qor32
