#include "controls/preview/portable/preview_layout.h"

#include <algorithm>
#include <limits>

namespace qor32 {
namespace {

int32_t Clamp32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::min(std::max(v, lo), hi));
}

// Scale factor S / D with rounding by D / 2; divisions truncate toward zero.
struct Scale {
  int64_t s;
  int64_t d;
  int32_t Apply(int32_t v) const { return Clamp32((int64_t{v} * s + d / 2) / d); }
};

Rect32 ScaleRect(const Rect32& r, const Scale& k) {
  return Rect32{k.Apply(r.left), k.Apply(r.top), k.Apply(r.right), k.Apply(r.bottom)};
}

Rect32 Offset(const Rect32& r, int64_t dx, int64_t dy) {
  return Rect32{Clamp32(r.left + dx), Clamp32(r.top + dy), Clamp32(r.right + dx),
                Clamp32(r.bottom + dy)};
}

// Inner and picture rectangles start one pixel inside the page's left and
// top edges when they coincide with them, so the page outline stays visible.
void KeepOutlineVisible(Rect32& r, const Rect32& page) {
  if (r.left == page.left) r.left = Clamp32(int64_t{r.left} + 1);
  if (r.top == page.top) r.top = Clamp32(int64_t{r.top} + 1);
}

// 0 stays 0 (no frame, no shadow); anything else is at least one pixel.
int32_t ScaleWidth(int32_t v, const Scale& k) {
  if (v == 0) return 0;
  const int32_t scaled = k.Apply(v);
  return scaled <= 0 ? 1 : scaled;
}

}  // namespace

void LayoutPreview(PreviewGeometry& g, int32_t clientWidth, int32_t clientHeight) {
  const int64_t s = int64_t{std::max(clientWidth, clientHeight)} - kPreviewMargin;
  const int64_t d = std::max(g.page.right, g.page.bottom);
  if (d == 0) return;
  const Scale k{s, d};

  const Rect32 page = ScaleRect(g.page, k);
  const int64_t dx = (int64_t{clientWidth} - page.right) / 2;
  const int64_t dy = (int64_t{clientHeight} - page.bottom) / 2;
  g.page = Offset(page, dx, dy);

  g.inner = Offset(ScaleRect(g.inner, k), dx, dy);
  KeepOutlineVisible(g.inner, g.page);
  g.picture = Offset(ScaleRect(g.picture, k), dx, dy);
  KeepOutlineVisible(g.picture, g.page);

  g.frameWidth = ScaleWidth(g.frameWidth, k);
  g.shadowOffset = ScaleWidth(g.shadowOffset, k);
}

Rect32 FillBoxFigure(const Rect32& r) {
  return Rect32{r.left, r.top, Clamp32(int64_t{r.right} + 1), Clamp32(int64_t{r.bottom} + 1)};
}

Rect32 PageShadowRect(const Rect32& page) {
  return Offset(page, kPageShadowOffset, kPageShadowOffset);
}

Rect32 FrameRect(const PreviewGeometry& g) {
  const int64_t w = g.frameWidth;
  const Rect32& p = g.picture;
  return Rect32{Clamp32(p.left - w), Clamp32(p.top - w), Clamp32(p.right + w), Clamp32(p.bottom + w)};
}

Rect32 PictureShadowRect(const PreviewGeometry& g) {
  return Offset(FrameRect(g), g.shadowOffset, g.shadowOffset);
}

Rect32 CaptionBox(const PreviewGeometry& g, int32_t captionHeight) {
  const int64_t left = int64_t{g.picture.left} - g.frameWidth;
  const int64_t top = int64_t{g.picture.bottom} + g.frameWidth + g.shadowOffset;
  return Rect32{Clamp32(left), Clamp32(top), Clamp32(Clamp32(left) + int64_t{kCaptionBoxWidth}),
                Clamp32(Clamp32(top) + int64_t{captionHeight})};
}

int32_t CaptionRightLimit(const PreviewGeometry& g) {
  return Clamp32(int64_t{g.picture.right} + g.frameWidth + g.shadowOffset);
}

Rect32 CaptionBackground(const Rect32& b) {
  return Rect32{Clamp32(int64_t{b.left} - 1), Clamp32(int64_t{b.top} + 1),
                Clamp32(int64_t{b.right} + 1), Clamp32(int64_t{b.bottom} + 1)};
}

GuideLine HorizontalGuide(const Rect32& page) {
  const int64_t a = int64_t{page.right} - page.left - 3;
  const int64_t b = int64_t{page.bottom} - page.top - 3;
  const int32_t y = Clamp32(page.top + b / 2 - 1);
  const int32_t x0 = Clamp32(int64_t{page.left} + 2);
  return GuideLine{x0, y, Clamp32(x0 + a), y};
}

GuideLine VerticalGuide(const Rect32& page) {
  const int64_t a = int64_t{page.right} - page.left - 3;
  const int64_t b = int64_t{page.bottom} - page.top - 3;
  const int32_t x = Clamp32(page.left + a / 2 - 1);
  const int32_t y0 = Clamp32(int64_t{page.top} + 2);
  return GuideLine{x, y0, x, Clamp32(y0 + b)};
}

}  // namespace qor32
