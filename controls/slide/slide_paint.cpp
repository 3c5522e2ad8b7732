// Painting: the thumb is placed for the current position, the track band is
// drawn (over the background capture when transparent) and the thumb band
// for the state is laid over it through the thumb's mask. The whole client
// area is drawn through a window DC, whatever part was invalid.
#include <windows.h>

#include "controls/matrix/background_capture.h"
#include "controls/slide/slide_record.h"
#include "frame/gdi.h"

namespace qor32 {
namespace slide {

namespace {

void DrawTrack(HDC dc, const SlideState& s) {
  if (s.trackBitmap == nullptr || s.trackWidth <= 0 || s.trackHeight <= 0) return;
  const bool transparent = (s.options & kTransparent) != 0;
  const auto maskBand = static_cast<uint16_t>(TrackBandCount(s.options) - 1);
  DrawStripBand(dc, s.trackBitmap, maskBand, 0, s.trackWidth, s.trackHeight,
                transparent ? s.background : nullptr);
}

void DrawThumb(HDC dc, const SlideState& s) {
  if (s.thumbBitmap == nullptr || s.thumbWidth <= 0 || s.thumbHeight <= 0) return;
  MemoryDC memory(dc);
  if (!memory) return;
  SetMapMode(memory.get(), GetMapMode(dc));
  ScopedSelect selection(memory.get(), s.thumbBitmap);
  const int band = ThumbImageBand(s.state);
  BitBlt(dc, s.thumbX, s.thumbY, s.thumbWidth, s.thumbHeight, memory.get(), 0,
         kThumbMaskBand * s.thumbHeight, SRCAND);
  BitBlt(dc, s.thumbX, s.thumbY, s.thumbWidth, s.thumbHeight, memory.get(), 0,
         band * s.thumbHeight, SRCINVERT);
}

}  // namespace

LRESULT OnPaint(HWND hwnd) {
  PaintScope paint(hwnd);
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  SlideModel model = LoadModel(*lock);
  PlaceThumbs(model);
  StoreModel(*lock, model);
  WindowDC dc(hwnd);
  if (!dc) return 0;
  DrawTrack(dc.get(), *lock);
  DrawThumb(dc.get(), *lock);
  return 0;
}

}  // namespace slide
}  // namespace qor32
