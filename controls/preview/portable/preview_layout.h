// Layout of the page preview: the caller's page, inner area, picture
// rectangle, frame width and shadow offset are scaled so that the page's
// longer side fills the client area less a margin, and the page is centred.
//
// Platform-free: built into the DLL and into the native tests.
#pragma once

#include <cstdint>

#include "frame/portable/command_reader.h"

namespace qor32 {

// Pixels taken from the longer client side before scaling.
constexpr int32_t kPreviewMargin = 20;
// A caption height below this is raised by kCaptionHeightRaise.
constexpr int32_t kMinCaptionHeight = 5;
constexpr int32_t kCaptionHeightRaise = 7;

struct PreviewGeometry {
  Rect32 page;
  Rect32 inner;
  Rect32 picture;
  int32_t frameWidth;
  int32_t shadowOffset;
};

// The caption height the control uses for a stored height (0 becomes 7,
// 4 becomes 11, 5 and above stay).
constexpr uint8_t EffectiveCaptionHeight(uint8_t height) {
  return height < kMinCaptionHeight ? static_cast<uint8_t>(height + kCaptionHeightRaise) : height;
}

// Scales g, given in the caller's units, to a client area of
// clientWidth x clientHeight pixels. A page whose right and bottom are both 0
// leaves g unchanged. The arithmetic is 64-bit and every result is clamped
// to the 32-bit range, so no caller value can overflow.
void LayoutPreview(PreviewGeometry& g, int32_t clientWidth, int32_t clientHeight);

// ---- Painting geometry, on a laid-out PreviewGeometry (client pixels) ----
// Every sum below saturates at the 32-bit range.

// Offset of the page's drop shadow, in pixels, not scaled.
constexpr int32_t kPageShadowOffset = 4;
// Width of the caption box before the text's own extent replaces it.
constexpr int32_t kCaptionBoxWidth = 200;

constexpr bool IsEmptyRect(const Rect32& r) { return r.right <= r.left || r.bottom <= r.top; }

// The figure that fills exactly r with a null pen, or outlines r's left and
// top edges and the column and row just beyond its right and bottom with a
// solid pen: r grown by one at the right and bottom.
Rect32 FillBoxFigure(const Rect32& r);

Rect32 PageShadowRect(const Rect32& page);
// The picture grown by the frame width on every side (the picture itself
// when there is no frame).
Rect32 FrameRect(const PreviewGeometry& g);
// The frame rectangle moved right and down by the shadow offset.
Rect32 PictureShadowRect(const PreviewGeometry& g);

// The caption box before the text is measured: under the picture's frame
// and shadow, kCaptionBoxWidth wide and captionHeight high.
Rect32 CaptionBox(const PreviewGeometry& g, int32_t captionHeight);
// The caption box's right edge never goes beyond this.
int32_t CaptionRightLimit(const PreviewGeometry& g);
// The white box behind the caption text b (null pen).
Rect32 CaptionBackground(const Rect32& b);

struct GuideLine {
  int32_t x0, y0, x1, y1;
};
// Centre lines of the page, drawn from (x0, y0) up to (x1, y1).
GuideLine HorizontalGuide(const Rect32& page);
GuideLine VerticalGuide(const Rect32& page);

}  // namespace qor32
