#include "controls/matrix/background_capture.h"

#include "frame/dib_section.h"
#include "frame/gdi.h"

namespace qor32 {

HBITMAP CaptureBackground(HWND hwnd, HBITMAP bitmap) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  HWND parent = GetParent(hwnd);
  WindowDC parentDC(parent);
  MemoryDC memory(parentDC.get());
  // A DIB section holds the same pixels as a bitmap compatible with the
  // parent's context and is cheaper to select at every paint; the
  // compatible bitmap stays the way out for sizes a DIB cannot have.
  if (bitmap == nullptr) bitmap = CreateDibSection32(width, height);
  if (bitmap == nullptr) bitmap = CreateCompatibleBitmap(parentDC.get(), width, height);
  if (bitmap == nullptr || !memory) return bitmap;
  ScopedSelect selection(memory.get(), bitmap);
  POINT origin{client.left, client.top};
  ClientToScreen(hwnd, &origin);
  ScreenToClient(parent, &origin);
  BitBlt(memory.get(), 0, 0, width, height, parentDC.get(), origin.x, origin.y, SRCCOPY);
  return bitmap;
}

void DrawStripBand(HDC dc, HBITMAP strip, uint16_t maskBand, uint16_t imageBand, int width,
                   int height, HBITMAP background) {
  MemoryDC memory(dc);
  if (!memory) return;
  SetMapMode(memory.get(), GetMapMode(dc));
  // The row offsets are computed in 64 bits so that a large band index and
  // height cannot wrap into another band.
  const auto row = [height](uint16_t band) {
    const long long offset = static_cast<long long>(band) * height;
    return offset > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(offset);
  };
  if (background != nullptr) {
    {
      ScopedSelect selection(memory.get(), background);
      BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
    ScopedSelect selection(memory.get(), strip);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, row(maskBand), SRCAND);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, row(imageBand), SRCINVERT);
  } else {
    ScopedSelect selection(memory.get(), strip);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, row(imageBand), SRCCOPY);
  }
}

}  // namespace qor32
