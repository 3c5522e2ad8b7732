// Painting of the Preview control (WM_PAINT).
#pragma once

#include <windows.h>

namespace qor32 {

LRESULT PaintPreview(HWND hwnd);

}  // namespace qor32
