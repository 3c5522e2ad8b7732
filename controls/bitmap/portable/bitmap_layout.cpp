#include "controls/bitmap/portable/bitmap_layout.h"

namespace qor32::bitmap {

namespace {

class FaceBuilder {
 public:
  explicit FaceBuilder(FaceDrawing& face) : face_(face) {}
  void Line(uint32_t color, std::initializer_list<Point32> points) {
    Polyline& line = face_.lines[face_.lineCount++];
    line.color = color;
    line.count = 0;
    for (const Point32& p : points) line.points[line.count++] = p;
  }

 private:
  FaceDrawing& face_;
};

// How the nine placed alignment codes move the image: horizontally none,
// centre, right or bottom centre (one more than centre); vertically none,
// middle or bottom.
enum class AlignX : uint8_t { None, Centre, Right, BottomCentre };
enum class AlignY : uint8_t { None, Middle, Bottom };
struct Placement {
  uint16_t code;
  AlignX x;
  AlignY y;
};
constexpr Placement kPlacements[] = {
    {0x0000, AlignX::None, AlignY::None},       {0x1000, AlignX::Centre, AlignY::None},
    {0x2000, AlignX::Right, AlignY::None},      {0x4000, AlignX::None, AlignY::Middle},
    {0x5000, AlignX::Centre, AlignY::Middle},   {0x6000, AlignX::Right, AlignY::Middle},
    {0x8000, AlignX::None, AlignY::Bottom},     {0x9000, AlignX::BottomCentre, AlignY::Bottom},
    {0xA000, AlignX::Right, AlignY::Bottom},
};

const Placement* FindPlacement(uint16_t align) {
  for (const Placement& p : kPlacements)
    if (p.code == (align & 0xF000)) return &p;
  return nullptr;
}

int64_t ShiftX(AlignX mode, int64_t W, int64_t bw) {
  switch (mode) {
    case AlignX::None: return 0;
    case AlignX::Centre: return (W - bw + 1) / 2;
    case AlignX::Right: return W - bw + 1;
    case AlignX::BottomCentre: return (W - bw + 2) / 2;
  }
  return 0;
}

int64_t ShiftY(AlignY mode, int64_t H, int64_t fh) {
  switch (mode) {
    case AlignY::None: return 0;
    case AlignY::Middle: return (H - fh + 1) / 2;
    case AlignY::Bottom: return H - fh + 1;
  }
  return 0;
}

// Percent of a length, without overflow for any 16-bit percentage.
int64_t PercentOf(uint16_t percent, int64_t length) { return int64_t{percent} * length / 100; }

// The lamp's corner marks: two patches four pixels thick along two edges.
enum class Edge : uint8_t { Top, Left, Right, Bottom };
struct CornerMark {
  Edge first, second;
};
constexpr CornerMark kCornerMarks[] = {
    {Edge::Top, Edge::Left},      // 4: top left
    {Edge::Top, Edge::Right},     // 5: top right
    {Edge::Bottom, Edge::Right},  // 6: bottom right
    {Edge::Bottom, Edge::Left},   // 7: bottom left
};

Rect32 EdgeBand(Edge edge, const Rect32& r) {
  switch (edge) {
    case Edge::Top: return Rect32{r.left, r.top, r.right, AddClamped(r.top, 4)};
    case Edge::Left: return Rect32{r.left, r.top, AddClamped(r.left, 4), r.bottom};
    case Edge::Right: return Rect32{AddClamped(r.right, -4), r.top, r.right, r.bottom};
    case Edge::Bottom: return Rect32{r.left, AddClamped(r.bottom, -4), r.right, r.bottom};
  }
  return r;
}

}  // namespace

FaceDrawing LayOutFace(const BitmapState& state, int paintState, bool isDefault) {
  FaceDrawing face{};
  const bool pressed = IsPressedLook(paintState);
  face.fillColor = (pressed && (state.faceFlags & 1)) ? state.faceColor : kLightGrey;
  const int32_t L = state.faceRect.left, T = state.faceRect.top;
  const int32_t R = state.faceRect.right, B = state.faceRect.bottom;
  FaceBuilder f(face);
  if (state.faceFlags & 2) {  // flat edge, the same in every state
    f.Line(kWhite, {{L, B - 1}, {L, T}, {R, T}});
    f.Line(kDarkGrey, {{L + 1, B}, {R, B}, {R, T}});
    face.pixels[0] = Point32{L, B};
    face.pixels[1] = Point32{R, T};
    face.pixelCount = 2;
    return face;
  }
  // Black outline without its corner pixels.
  f.Line(kBlack, {{L, B - 1}, {L, T}});
  f.Line(kBlack, {{L + 1, T}, {R, T}});
  f.Line(kBlack, {{R, T + 1}, {R, B}});
  f.Line(kBlack, {{R - 1, B}, {L, B}});
  const int32_t e = isDefault ? 1 : 0;
  if (e) f.Line(kBlack, {{L + 1, B - 1}, {L + 1, T + 1}, {R - 1, T + 1}, {R - 1, B - 1}, {L + 1, B - 1}});
  if (pressed) {
    f.Line(kDarkGrey, {{L + e + 1, B - e - 1}, {L + e + 1, T + e + 1}, {R - e, T + e + 1}});
  } else {
    f.Line(kWhite, {{L + e + 1, B - e - 2}, {L + e + 1, T + e + 1}, {R - e - 1, T + e + 1}});
    f.Line(kWhite, {{L + e + 2, B - e - 3}, {L + e + 2, T + e + 2}, {R - e - 2, T + e + 2}});
    f.Line(kDarkGrey, {{R - e - 1, T + e + 2}, {R - e - 1, B - e - 1}, {L + e + 1, B - e - 1}});
    f.Line(kDarkGrey, {{R - e - 2, T + e + 3}, {R - e - 2, B - e - 2}, {L + e + 2, B - e - 2}});
  }
  return face;
}

ImageBlit PlaceImage(const BitmapState& state, int paintState, int32_t bw, int32_t bitmapHeight) {
  ImageBlit blit{};
  const int32_t frames = state.imageFrames;
  if (frames < 1) return blit;  // cannot be divided into images
  blit.draw = true;
  const int32_t fh = bitmapHeight / frames;
  const int32_t idx = paintState % frames;
  const bool mask = frames > 2 && (frames % 2) == 1;
  const Point32 shift = IsDownState(paintState) ? state.imageOffset : Point32{0, 0};
  int64_t dx = shift.x, dy = shift.y;
  const Rect32& r = state.imageRect;
  const int64_t W = int64_t{r.right} - r.left, H = int64_t{r.bottom} - r.top;

  blit.sourceWidth = bw;
  blit.sourceHeight = fh;
  if (const Placement* p = FindPlacement(state.imageAlign)) {
    dx += ShiftX(p->x, W, bw);
    dy += ShiftY(p->y, H, fh);
  } else {
    const bool tooWide = W + 1 < bw;
    const bool tooTall = H + 1 < fh;
    if (!tooWide) dx += (W - bw + 1) / 2;
    if (!tooTall) dy += (H - fh + 1) / 2;
    if (tooWide || tooTall) {
      blit.stretch = true;
      blit.x = AddClamped(r.left, dx);
      blit.y = AddClamped(r.top, dy);
      blit.width = tooWide ? Clamp32(W + 1) : bw;
      blit.height = tooTall ? Clamp32(H + 1) : fh;
      blit.sourceY = 0;
      return blit;
    }
  }
  blit.x = AddClamped(r.left, dx);
  blit.y = AddClamped(r.top, dy);
  blit.width = bw;
  blit.height = fh;
  blit.sourceY = idx * fh;
  blit.mask = mask;
  blit.maskY = (frames - 1) * fh;
  return blit;
}

TextLook LayOutText(const BitmapText& text, int paintState) {
  static constexpr int kColorByState[4] = {0, 1, 2, 2};
  const bool down = IsDownState(paintState);
  return TextLook{ShiftedWhenDown(text.rect, text.offset, down), text.colors[kColorByState[paintState & 3]]};
}

uint32_t LampColor(const BitmapState& state, int paintState) {
  if (paintState & 2) return state.indicatorColors[2];
  return (paintState & 4) ? state.indicatorColors[0] : state.indicatorColors[1];
}

Rect32 LampRect(const BitmapState& state, int paintState) {
  Rect32 r = ShiftedWhenDown(state.indicatorRect, state.indicatorOffset, IsDownState(paintState));
  if (int64_t{r.right} - r.left < 8) r.right = AddClamped(r.left, 8);
  if (int64_t{r.bottom} - r.top < 8) r.bottom = AddClamped(r.top, 8);
  return r;
}

RoundLamp LayOutRoundLamp(const BitmapState& state, int paintState) {
  const Rect32 r = LampRect(state, paintState);
  const int64_t w = int64_t{state.indicatorRect.right} - state.indicatorRect.left;
  const int64_t h = int64_t{state.indicatorRect.bottom} - state.indicatorRect.top;
  RoundLamp lamp{};
  lamp.box = r;
  lamp.upperFrom = Point32{r.right, r.top};
  lamp.upperTo = Point32{r.left, r.bottom};
  lamp.ellipse = Rect32{AddClamped(r.left, 1), AddClamped(r.top, 1), AddClamped(r.right, -1), AddClamped(r.bottom, -1)};
  lamp.highlightBox =
      Rect32{AddClamped(r.left, 4), AddClamped(r.top, 4), AddClamped(r.right, -4), AddClamped(r.bottom, -4)};
  lamp.highlightFrom = Point32{AddClamped(r.left, w / 2), AddClamped(r.top, 4)};
  lamp.highlightTo = Point32{AddClamped(r.left, 4), AddClamped(r.top, h / 2)};
  return lamp;
}

SquareLamp LayOutSquareLamp(const BitmapState& state, int paintState) {
  const Rect32 r = LampRect(state, paintState);
  const int32_t L = r.left, T = r.top;
  const int32_t R1 = AddClamped(r.right, -1), B1 = AddClamped(r.bottom, -1), B2 = AddClamped(r.bottom, -2);
  SquareLamp lamp{};
  lamp.dark = Polyline{kDarkGrey, 3, {{L, B2}, {L, T}, {R1, T}}};
  lamp.light = Polyline{kWhite, 3, {{R1, AddClamped(T, 1)}, {R1, B1}, {L, B1}}};
  lamp.patch = Rect32{AddClamped(L, 1), AddClamped(T, 1), R1, B1};
  return lamp;
}

int LampPatches(uint16_t shape, const Rect32& lamp, Rect32 (&patches)[2]) {
  if (shape == 3) {
    patches[0] = lamp;
    return 1;
  }
  if (shape < 4 || shape > 7) return 0;
  const CornerMark& mark = kCornerMarks[shape - 4];
  patches[0] = EdgeBand(mark.first, lamp);
  patches[1] = EdgeBand(mark.second, lamp);
  return 2;
}

BarDrawing LayOutBar(const BitmapState& state, int paintState) {
  const bool down = IsDownState(paintState);
  Rect32 r = ShiftedWhenDown(state.barRect, state.barOffset, down);
  const int64_t w = int64_t{r.right} - r.left, h = int64_t{r.bottom} - r.top;
  if (w < 10) r.right = AddClamped(r.left, 10);
  if (h < 4) r.bottom = AddClamped(r.top, 4);
  const int32_t L = r.left, T = r.top, R = r.right, B = r.bottom;
  BarDrawing bar{};
  bar.filledColor = state.barColors[down ? 1 : 0];
  switch (state.barDirection & 3) {
    case 0: {
      const int32_t Lp = AddClamped(L, PercentOf(state.barPercent, w));
      bar.filled = Rect32{L, T, Lp, B};
      bar.unfilled = Rect32{Lp, T, R, B};
      break;
    }
    case 1: {
      const int32_t Lp = AddClamped(L, PercentOf(state.barPercent, w));
      bar.filled = Rect32{Lp, T, R, B};
      bar.unfilled = Rect32{L, T, Lp, B};
      break;
    }
    case 2: {
      const int32_t Tp = AddClamped(T, PercentOf(state.barPercent, h));
      bar.filled = Rect32{L, T, R, Tp};
      bar.unfilled = Rect32{L, Tp, R, B};
      break;
    }
    default: {
      const int32_t Tp = AddClamped(T, PercentOf(state.barPercent, h));
      bar.filled = Rect32{L, Tp, R, B};
      bar.unfilled = Rect32{L, T, R, Tp};
      break;
    }
  }
  return bar;
}

Rect32 FocusRect(const BitmapState& state, int paintState) {
  return ShiftedWhenDown(state.focusRect, state.focusOffset, IsDownState(paintState));
}

}  // namespace qor32::bitmap
