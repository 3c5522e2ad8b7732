// Painting of the Preview control, back to front: background, page shadow,
// page, inner area, picture shadow, frame, picture, caption, guide lines.
#include "controls/preview/preview_paint.h"

#include "controls/preview/portable/preview_layout.h"
#include "controls/preview/portable/preview_picture.h"
#include "controls/preview/preview_state.h"
#include "frame/gdi.h"
#include "frame/library.h"
#include "frame/state_block.h"

namespace qor32 {
namespace {

constexpr COLORREF kBackground = 0x808000;
constexpr COLORREF kBackgroundPen = 0xC0C0C0;  // null pen: never visible
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kPaletteRelative = 0x02000000;
constexpr int kGuideWidth = 2;
constexpr char kCaptionFace[] = "arial";

// Fills r with `color`; a solid pen also outlines it in black, one pixel
// beyond r at the right and bottom.
void FillBox(HDC dc, const Rect32& r, int penStyle, COLORREF color) {
  if (IsEmptyRect(r)) return;
  Pen pen(CreatePen(penStyle, 1, kBlack));
  Brush brush = SolidBrush(color);
  ScopedSelect penSelection(dc, pen.get());
  ScopedSelect brushSelection(dc, brush.get());
  const Rect32 f = FillBoxFigure(r);
  Rectangle(dc, f.left, f.top, f.right, f.bottom);
}

class ScopedStretchMode {
 public:
  ScopedStretchMode(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
  ~ScopedStretchMode() {
    if (previous_ != 0) SetStretchBltMode(dc_, previous_);
  }
  ScopedStretchMode(const ScopedStretchMode&) = delete;
  ScopedStretchMode& operator=(const ScopedStretchMode&) = delete;

 private:
  HDC dc_;
  int previous_;
};

// right - left of a non-empty rectangle, cut to the int range.
int Extent(LONG from, LONG to) {
  const long long extent = static_cast<long long>(to) - from;
  return extent > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(extent);
}

void PaintPicture(HDC dc, const PreviewState& st) {
  const Rect32 r = ToRect32(st.settings.pictureRect);
  if (IsEmptyRect(r)) return;
  const auto* bytes = st.picture != nullptr ? static_cast<const uint8_t*>(GlobalLock(st.picture)) : nullptr;
  PictureLayout layout{};
  if (bytes == nullptr || !CheckPicture(bytes, st.pictureSize, &layout)) {
    FillBox(dc, r, PS_NULL, kWhite);
  } else {
    ScopedStretchMode mode(dc, COLORONCOLOR);
    StretchDIBits(dc, r.left, r.top, Extent(r.left, r.right), Extent(r.top, r.bottom), 0, 0, layout.width,
                  layout.height, bytes + layout.bitsOffset, reinterpret_cast<const BITMAPINFO*>(bytes),
                  DIB_RGB_COLORS, SRCCOPY);
  }
  if (bytes != nullptr) GlobalUnlock(st.picture);
}

void PaintCaption(HDC dc, const PreviewSettings& s) {
  const PreviewGeometry g = GeometryOf(s);
  const int height = s.options & 0xFF;
  Font font(CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, kCaptionFace));
  Pen pen(CreatePen(PS_NULL, 1, kBlack));
  Brush brush = SolidBrush(kWhite);
  ScopedSelect fontSelection(dc, font.get());
  ScopedSelect penSelection(dc, pen.get());
  ScopedSelect brushSelection(dc, brush.get());
  ScopedTextColor textColor(dc, kBlack);
  ScopedBkMode bkMode(dc, TRANSPARENT);

  RECT box = ToRect(CaptionBox(g, height));
  DrawTextA(dc, s.caption, -1, &box, DT_CALCRECT | DT_NOPREFIX);
  const LONG limit = CaptionRightLimit(g);
  if (box.right > limit) box.right = limit;
  const Rect32 white = CaptionBackground(ToRect32(box));
  Rectangle(dc, white.left, white.top, white.right, white.bottom);
  DrawTextA(dc, s.caption, -1, &box, DT_NOPREFIX);
}

void PaintGuides(HDC dc, const PreviewSettings& s) {
  const Rect32 page = ToRect32(s.pageRect);
  if (IsEmptyRect(page)) return;
  Pen pen = SolidPen(s.guideColor, kGuideWidth);
  ScopedSelect penSelection(dc, pen.get());
  if (s.options & PRVF_HGUIDE) {
    const GuideLine h = HorizontalGuide(page);
    MoveToEx(dc, h.x0, h.y0, nullptr);
    LineTo(dc, h.x1, h.y1);
  }
  if (s.options & PRVF_VGUIDE) {
    const GuideLine v = VerticalGuide(page);
    MoveToEx(dc, v.x0, v.y0, nullptr);
    LineTo(dc, v.x1, v.y1);
  }
}

// Every layer, back to front; the background fills the whole client area.
void PaintLayers(HDC dc, const RECT& client, const PreviewState& st) {
  const PreviewSettings& s = st.settings;
  const PreviewGeometry g = GeometryOf(s);

  Pen backgroundPen(CreatePen(PS_NULL, 1, kBackgroundPen));
  Brush backgroundBrush = SolidBrush(kBackground);
  ScopedSelect penSelection(dc, backgroundPen.get());
  ScopedSelect brushSelection(dc, backgroundBrush.get());
  Rectangle(dc, 0, 0, client.right + 1, client.bottom + 1);

  FillBox(dc, PageShadowRect(g.page), PS_NULL, s.pageShadowColor);
  FillBox(dc, g.page, PS_SOLID, s.pageColor);
  FillBox(dc, g.inner, PS_NULL, s.innerColor);
  if (s.shadowOffset != 0) {
    FillBox(dc, PictureShadowRect(g), PS_NULL, s.pictureShadowColor + kPaletteRelative);
  }
  if (s.frameWidth != 0) FillBox(dc, FrameRect(g), PS_NULL, s.frameColor + kPaletteRelative);
  PaintPicture(dc, st);
  if (s.options & PRVF_CAPTION) PaintCaption(dc, s);
  PaintGuides(dc, s);
}

// Images above this many pixels are not kept: the control paints directly.
constexpr int64_t kMaxImagePixels = int64_t(1) << 20;

bool ImageFits(const RECT& client) {
  return client.right > 0 && client.bottom > 0 && int64_t(client.right) * client.bottom <= kMaxImagePixels;
}

}  // namespace

void CreatePreviewImage(HWND hwnd, PreviewState& st) {
  RECT client{};
  GetClientRect(hwnd, &client);
  if (ImageFits(client)) CreatePaintedImage(st.image, client.right, client.bottom);
}

namespace {

// Whether any colour the paint uses names a palette entry (PALETTEINDEX):
// only those, and every colour on a palette device, depend on the palette
// selected. Palette-relative colours on a true-colour device are their RGB.
bool NeedsPalette(HDC dc, const PreviewSettings& s) {
  if ((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0) return true;
  const COLORREF drawn[] = {s.pageShadowColor, s.pageColor, s.innerColor, s.pictureShadowColor + kPaletteRelative,
                            s.frameColor + kPaletteRelative, s.guideColor};
  for (COLORREF c : drawn)
    if ((c & 0x01000000) != 0) return true;
  return false;
}

}  // namespace

LRESULT PaintPreview(HWND hwnd) {
  PaintScope paint(hwnd);
  StateLock<PreviewState> st(hwnd, kStateOffset);
  if (!st) return 0;
  HDC dc = paint.dc();
  RECT client{};
  GetClientRect(hwnd, &client);
  // Selecting a palette as foreground palette costs more than most of the
  // paint: it is selected only where a colour depends on it, and then the
  // control paints on the window directly.
  if (NeedsPalette(dc, st->settings)) {
    RealizedPalette palette(dc, st->palette, false, RealizedPalette::kOnPaletteDevices);
    PaintLayers(dc, client, *st);
    return 0;
  }
  // Otherwise through the image, which the drawing covers whole.
  const PreviewState& layers = *st;
  const bool copied = ImageFits(client) &&
                      PaintThroughImage(
                          dc, st->image, client.right, client.bottom,
                          [&](HDC memory) { PaintLayers(memory, client, layers); },
                          [&](HDC target, HDC memory) {
                            BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
                          });
  if (!copied) PaintLayers(dc, client, *st);
  return 0;
}

}  // namespace qor32
