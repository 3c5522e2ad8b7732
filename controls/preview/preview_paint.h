// Painting of the Preview control (WM_PAINT).
#pragma once

#include <windows.h>

namespace qor32 {

LRESULT PaintPreview(HWND hwnd);

struct PreviewState;

// The painted image of the control, made for the client size at creation
// when it is small enough to keep.
void CreatePreviewImage(HWND hwnd, PreviewState& st);

}  // namespace qor32
