// Painting of the Preview control (WM_PAINT).
#pragma once

#include <windows.h>

namespace qor32 {

LRESULT PaintPreview(HWND hwnd);

struct PreviewState;

// The painted image of the control: made for the client size at creation,
// marked out of date whenever what the paint draws changes, released on
// destruction.
void CreatePreviewImage(HWND hwnd, PreviewState& st);
void MarkPreviewImageOutOfDate(PreviewState& st);
void ReleasePreviewImage(PreviewState& st);

}  // namespace qor32
