// The state records of the two pickers, kept in their StateBlocks.
#pragma once

#include <windows.h>

#include "frame/painted_image.h"

namespace qor32 {

struct ColorPickerState {
  COLORREF colors[24];
  WORD kinds[24];
  RECT cellRects[24];
  WORD selected;
  WORD flags;
  PaintedImage picture;  // the cells as last drawn, copied by each paint
};

struct PatternPickerState {
  HINSTANCE instance;
  DWORD patterns[17];
  WORD kinds[17];
  RECT cellRects[17];
  WORD selected;
  WORD flags;
  PaintedImage picture;  // the cells as last drawn, copied by each paint
};

}  // namespace qor32
