// Helpers of the Bitmap control's Wine tests: a parent with a grid of
// places (so that no two controls overlap), flag access by message, and
// reaching each paint state by the control's own messages.
#pragma once

#include <windows.h>

#include <string>

#include "qor32cl.h"
#include "support/test_support.h"

namespace qt {

constexpr uint32_t kParentBackground = 0x008080;

class BitmapBench {
 public:
  BitmapBench() : parent(1400, 1000, kParentBackground) {}

  // A Qor32Bitmap child at the next free place of the grid.
  HWND Create(const std::string& text, DWORD style = 0, int width = 40, int height = 30, int id = 100) {
    if (x_ + width > 1400) {
      x_ = 0;
      y_ += rowHeight_ + 4;
      rowHeight_ = 0;
    }
    HWND w = parent.CreateChild(QOR32_BITMAP_CLASS, text.c_str(), WS_VISIBLE | style, x_, y_, width, height, id);
    x_ += width + 4;
    if (height > rowHeight_) rowHeight_ = height;
    UpdateWindow(w);
    return w;
  }

  ParentWindow parent;

 private:
  int x_ = 0, y_ = 0, rowHeight_ = 0;
};

inline uint8_t Flags(HWND w) { return static_cast<uint8_t>(SendMessageA(w, BMPM_GETSTATE, 0, 0)); }

// Paint states of a push button: bit 2 by BMPM_CHECK (no DOWN for a push
// button), bit 0 by a space key-down, bit 1 by WM_ENABLE sent directly (so
// that nothing cancels the press).
inline void EnterPaintState(HWND w, int paintState) {
  if (paintState & 4) SendMessageA(w, BMPM_CHECK, 0, 0);
  if (paintState & 1) SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  if (paintState & 2) SendMessageA(w, WM_ENABLE, FALSE, 0);
  UpdateWindow(w);
}

}  // namespace qt
