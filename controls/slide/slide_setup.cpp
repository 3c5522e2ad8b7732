// Creation, reconfiguration from the control text, the layout that loads
// the two strips and sizes the window to one track band, destruction, and
// the background capture on moves.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "controls/matrix/background_capture.h"
#include "controls/slide/portable/slide_commands.h"
#include "controls/slide/slide_record.h"
#include "frame/bitmap_lookup.h"
#include "frame/library.h"
#include "frame/portable/command_reader.h"

namespace qor32 {
namespace slide {

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

// Loads both strips by the names the record points to and sizes the window
// to one track band. A strip that no module holds leaves its sizes 0, so
// the control is sized to nothing and paints nothing.
void Layout(HWND hwnd, SlideState& s) {
  s.state &= static_cast<WORD>(~kStateBits);
  DeleteOwnedBitmaps(s);

  s.thumbBitmap = LoadNamedBitmap(hwnd, s.instance, s.thumbNameRef);
  const SIZE thumb = BitmapSize(s.thumbBitmap);
  s.thumbWidth = thumb.cx;
  s.thumbHeight = BandHeight(thumb.cy, ThumbBandCount(s.options));

  s.trackBitmap = LoadNamedBitmap(hwnd, s.instance, s.trackNameRef);
  const SIZE track = BitmapSize(s.trackBitmap);
  s.trackWidth = track.cx;
  s.trackHeight = BandHeight(track.cy, TrackBandCount(s.options));

  SetWindowPos(hwnd, nullptr, 0, 0, s.trackWidth, s.trackHeight, SWP_NOZORDER | SWP_NOMOVE);
  if ((s.options & kTransparent) != 0) s.background = CaptureBackground(hwnd, nullptr);
}

void ApplyText(SlideState& s, const SlideText& text) {
  if (text.hasInstance) {
    s.instance = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(text.instance));
  }
  if (!text.hasShape) return;
  s.options = text.options;
  static_assert(sizeof s.thumbName == sizeof text.thumbName, "name size");
  static_assert(sizeof s.trackName == sizeof text.trackName, "name size");
  std::memcpy(s.thumbName, text.thumbName, sizeof s.thumbName);
  std::memcpy(s.trackName, text.trackName, sizeof s.trackName);
  s.thumbNameRef = s.thumbName;
  s.trackNameRef = s.trackName;
  s.minX = text.minX;
  s.minY = text.minY;
  s.posX = text.posX;
  s.posY = text.posY;
  s.maxX = text.maxX;
  s.maxY = text.maxY;
  s.pageX = text.pageX;
  s.pageY = text.pageY;
}

}  // namespace

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* create) {
  if (CreateStateBlock(hwnd, kStateOffset, sizeof(SlideState)) == nullptr) return 0;
  if (create != nullptr && create->lpCreateParams != nullptr) {
    SlideLock lock = LockSlide(hwnd);
    if (!lock) return 0;
    // A complete record: the creator's bitmaps stay the creator's. The
    // name references are kept as given.
    std::memcpy(lock.get(), create->lpCreateParams, sizeof(SlideState));
    lock->thumbBitmap = nullptr;
    lock->trackBitmap = nullptr;
    lock->background = nullptr;
    Layout(hwnd, *lock);
    return 0;
  }
  char text[kControlTextCapacity];
  if (GetWindowTextA(hwnd, text, sizeof text) > 0) {
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  return 0;
}

// The window text is not changed: it keeps its creation value.
LRESULT OnSetText(HWND hwnd, const char* text) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  if (text != nullptr) {
    EnumChildWindows(hwnd, EnumDestroyChildWnd, 0);
    DeleteOwnedBitmaps(*lock);
    lock->instance = WindowInstance(GetParent(hwnd));
    ApplyText(*lock, ParseSlideText(text));
  }
  Layout(hwnd, *lock);
  return 0;
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    SlideLock lock = LockSlide(hwnd);
    if (lock) DeleteOwnedBitmaps(*lock);
  }
  ReleaseStateBlock(hwnd, kStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

LRESULT OnMove(HWND hwnd) {
  SlideLock lock = LockSlide(hwnd);
  if (lock) lock->background = CaptureBackground(hwnd, lock->background);
  return 0;
}

}  // namespace slide
}  // namespace qor32
