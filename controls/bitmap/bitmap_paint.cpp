// WM_PAINT: every placed part in the current paint state, in the order face,
// image, text 0, text 1, lamp, bar, focus rectangle; and the palette
// messages. Nothing is painted where no part lies.
#include <windows.h>

#include "controls/bitmap/bitmap_internal.h"
#include "controls/bitmap/portable/bitmap_input.h"
#include "controls/bitmap/portable/bitmap_layout.h"
#include "frame/gdi.h"

namespace qor32::bitmap {

namespace {

constexpr COLORREF kPaletteRelative = 0x02000000;

RECT ToRect(const Rect32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void DrawPolyline(HDC dc, const Polyline& line) {
  Pen pen = SolidPen(line.color);
  ScopedSelect selection(dc, pen.get());
  MoveToEx(dc, line.points[0].x, line.points[0].y, nullptr);
  for (int i = 1; i < line.count; ++i) LineTo(dc, line.points[i].x, line.points[i].y);
}

void PaintFace(HDC dc, const BitmapState& state, int paintState, bool isDefault) {
  const FaceDrawing face = LayOutFace(state, paintState, isDefault);
  {
    Brush brush = SolidBrush(face.fillColor);
    const RECT rect = ToRect(state.faceRect);
    FillRect(dc, &rect, brush.get());
  }
  for (int i = 0; i < face.lineCount; ++i) DrawPolyline(dc, face.lines[i]);
  for (int i = 0; i < face.pixelCount; ++i) SetPixel(dc, face.pixels[i].x, face.pixels[i].y, kLightGrey);
}

// A handle passed by the application may name no bitmap at all (a brush,
// a DC, a deleted object) or one that another DC holds: nothing is drawn.
void PaintImage(HDC dc, const BitmapState& state, int paintState) {
  if (GetObjectType(state.image) != OBJ_BITMAP) return;
  BITMAP bm{};
  if (GetObjectA(static_cast<HBITMAP>(state.image), sizeof bm, &bm) == 0) return;
  const ImageBlit blit = PlaceImage(state, paintState, bm.bmWidth, bm.bmHeight);
  if (!blit.draw) return;
  MemoryDC memory(dc);
  if (!memory) return;
  ScopedSelect selection(memory.get(), state.image);
  if (!selection.selected()) return;
  SetMapMode(memory.get(), GetMapMode(dc));
  if (blit.stretch) {
    StretchBlt(dc, blit.x, blit.y, blit.width, blit.height, memory.get(), 0, 0, blit.sourceWidth,
               blit.sourceHeight, SRCCOPY);
    return;
  }
  if (blit.mask) {
    BitBlt(dc, blit.x, blit.y, blit.width, blit.height, memory.get(), 0, blit.maskY, SRCAND);
    BitBlt(dc, blit.x, blit.y, blit.width, blit.height, memory.get(), 0, blit.sourceY, SRCINVERT);
  } else {
    BitBlt(dc, blit.x, blit.y, blit.width, blit.height, memory.get(), 0, blit.sourceY, SRCCOPY);
  }
}

void PaintText(HDC dc, HWND hwnd, Handle record, int paintState) {
  HFONT font = StoredFont(hwnd);
  ScopedSelect fontSelection(dc, font);
  StateLock<BitmapText> text(static_cast<HGLOBAL>(record));
  if (!text || IsEmpty(text->rect)) return;
  const TextLook look = LayOutText(*text, paintState);
  ScopedTextColor color(dc, look.color);
  SetBkMode(dc, TRANSPARENT);
  RECT rect = ToRect(look.rect);
  DrawTextA(dc, text->text, -1, &rect, text->format);
  SetBkMode(dc, OPAQUE);
}

void DrawArc(HDC dc, COLORREF color, const Rect32& box, Point32 from, Point32 to) {
  Pen pen = SolidPen(color);
  ScopedSelect selection(dc, pen.get());
  ::Arc(dc, box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
}

// Arcs and ellipses cost time and memory in proportion to their size, and a
// control text can place a lamp a billion pixels wide. A round lamp larger
// than the 16-bit coordinate range cannot be meant; it is not drawn.
constexpr int32_t kMaxRoundLampExtent = 32767;

bool RoundLampDrawable(const Rect32& box) {
  const int64_t width = int64_t(box.right) - box.left;
  const int64_t height = int64_t(box.bottom) - box.top;
  return width <= kMaxRoundLampExtent && height <= kMaxRoundLampExtent && box.left >= -kMaxRoundLampExtent &&
         box.top >= -kMaxRoundLampExtent && box.right <= 2 * kMaxRoundLampExtent &&
         box.bottom <= 2 * kMaxRoundLampExtent;
}

void PaintLamp(HDC dc, const BitmapState& state, int paintState) {
  RealizedPalette palette(dc, static_cast<HPALETTE>(state.palette), true, RealizedPalette::kOnPaletteDevices);
  const COLORREF c = LampColor(state, paintState);
  Pen nullPen(CreatePen(PS_NULL, 1, c));
  Brush brush = SolidBrush(c | kPaletteRelative);
  ScopedSelect penSelection(dc, nullPen.get());
  ScopedSelect brushSelection(dc, brush.get());
  switch (state.indicatorShape) {
    case 0: {  // round lamp
      const RoundLamp lamp = LayOutRoundLamp(state, paintState);
      if (!RoundLampDrawable(lamp.box) || !RoundLampDrawable(lamp.ellipse)) break;
      DrawArc(dc, kDarkGrey, lamp.box, lamp.upperFrom, lamp.upperTo);
      DrawArc(dc, kWhite, lamp.box, lamp.upperTo, lamp.upperFrom);
      {
        Pen rim = SolidPen(kLightGrey);
        ScopedSelect selection(dc, rim.get());
        Ellipse(dc, lamp.ellipse.left, lamp.ellipse.top, lamp.ellipse.right, lamp.ellipse.bottom);
      }
      DrawArc(dc, kWhite, lamp.highlightBox, lamp.highlightFrom, lamp.highlightTo);
      break;
    }
    case 1: {  // square lamp
      const SquareLamp lamp = LayOutSquareLamp(state, paintState);
      DrawPolyline(dc, lamp.dark);
      DrawPolyline(dc, lamp.light);
      Pen rim = SolidPen(kLightGrey);
      ScopedSelect selection(dc, rim.get());
      Rectangle(dc, lamp.patch.left, lamp.patch.top, lamp.patch.right, lamp.patch.bottom);
      break;
    }
    default: {
      Rect32 patches[2];
      const int count = LampPatches(state.indicatorShape, LampRect(state, paintState), patches);
      for (int i = 0; i < count; ++i)
        Rectangle(dc, patches[i].left, patches[i].top, patches[i].right, patches[i].bottom);
      break;
    }
  }
}

void FilledRectangle(HDC dc, COLORREF color, const Rect32& r) {
  Pen pen = SolidPen(color);
  Brush brush = SolidBrush(color);
  ScopedSelect penSelection(dc, pen.get());
  ScopedSelect brushSelection(dc, brush.get());
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void PaintBar(HDC dc, const BitmapState& state, int paintState) {
  const BarDrawing bar = LayOutBar(state, paintState);
  FilledRectangle(dc, bar.filledColor, bar.filled);
  FilledRectangle(dc, state.barColors[2], bar.unfilled);
}

void PaintParts(HDC dc, HWND hwnd, const BitmapState& state, uint8_t flags) {
  const int paintState = PaintState(flags);
  if (!IsEmpty(state.faceRect)) PaintFace(dc, state, paintState, IsDefaultButton(hwnd));
  if (!IsEmpty(state.imageRect) && state.image != nullptr) PaintImage(dc, state, paintState);
  for (Handle record : state.textRecords)
    if (record != nullptr) PaintText(dc, hwnd, record, paintState);
  if (!IsEmpty(state.indicatorRect)) PaintLamp(dc, state, paintState);
  if (!IsEmpty(state.barRect)) PaintBar(dc, state, paintState);
  if (!IsEmpty(state.focusRect) && (flags & kFocus)) {
    const RECT focus = ToRect(FocusRect(state, paintState));
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

LRESULT OnPaint(HWND hwnd) {
  PaintScope paint(hwnd);
  HDC dc = paint.dc();
  StateRecordLock state(hwnd, kBitmapStateOffset);
  if (!state || dc == nullptr) return 0;
  ScopedSaveDC saved(dc);
  SetMapMode(dc, MM_TEXT);
  const Rect32& c = state->clientRect;
  Region clip(CreateRectRgn(c.left - 3, c.top - 3, c.right + 1, c.bottom + 1));
  SelectClipRgn(dc, clip.get());
  PaintParts(dc, hwnd, *state, ReadFlags(hwnd));
  return 0;
}

LRESULT OnQueryNewPalette(HWND hwnd) {
  HPALETTE palette = nullptr;
  {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (state) palette = static_cast<HPALETTE>(state->palette);
  }
  if (palette == nullptr) return 0;
  UINT changed = 0;
  {
    WindowDC dc(hwnd);
    if (!dc) return 0;
    RealizedPalette realized(dc.get(), palette, false);
    changed = realized.changed();
  }
  if (changed != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(changed);
}

LRESULT OnPaletteChanged(HWND hwnd, WPARAM wParam) {
  if (reinterpret_cast<HWND>(wParam) == hwnd) return 0;
  return OnQueryNewPalette(hwnd);
}

}  // namespace qor32::bitmap
