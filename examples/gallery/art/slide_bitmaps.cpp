// Gallery art of the slide part: a horizontal and a vertical groove with
// ticks (one opaque band each) and their pointer thumbs, and a grid pad
// whose mask leaves everything but the frame and the grid lines
// transparent, with a round thumb. Thumbs have four bands (normal,
// pressed, disabled, mask); outside a thumb's shape the mask is white and
// the images black.
#include <functional>

#include "bmpgen.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kFace = 0xC0C0C0, kShadow = 0x808080;

using Shape = std::function<bool(int x, int y)>;

struct Look {
  uint32_t face, light, dark, outline;
};

const Look kNormal{0xD8D8D8, 0xFFFFFF, 0x808080, 0x202020};
const Look kPressed{0x9CC0EC, 0xDCEBFF, 0x3A6EA5, 0x102850};
const Look kDisabled{0xC8C8C8, 0xE8E8E8, 0xA8A8A8, 0x909090};

// One band of a thumb: the shape outlined, lit from the top left.
bmpgen::Image ShadedBand(int w, int h, const Shape& inside, const Look& look) {
  bmpgen::Image band(w, h, kBlack);
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && inside(x, y); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!in(x, y)) continue;
      uint32_t c = look.face;
      if (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1)) c = look.outline;
      else if (!in(x - 2, y) || !in(x, y - 2)) c = look.light;
      else if (!in(x + 2, y) || !in(x, y + 2)) c = look.dark;
      band.at(x, y) = c;
    }
  return band;
}

bmpgen::Image MaskBand(int w, int h, const Shape& inside) {
  bmpgen::Image band(w, h, kWhite);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (inside(x, y)) band.at(x, y) = kBlack;
  return band;
}

bmpgen::Image Thumb(int w, int h, const Shape& inside, const std::function<void(bmpgen::Image&)>& mark) {
  bmpgen::Image normal = ShadedBand(w, h, inside, kNormal);
  bmpgen::Image pressed = ShadedBand(w, h, inside, kPressed);
  mark(normal);
  mark(pressed);
  return bmpgen::Stack({normal, pressed, ShadedBand(w, h, inside, kDisabled), MaskBand(w, h, inside)});
}

// A 12 x 20 pointer whose tip points down.
bool PointerDown(int x, int y) {
  if (x < 0 || x > 11 || y < 0 || y > 19) return false;
  if (y < 13) return true;
  const int inset = y - 12;
  return x >= inset && x <= 11 - inset;
}

// Raised body with a sunken groove.
void Raised(bmpgen::Image& image) {
  image.FillRect(0, 0, image.width, image.height, kFace);
  image.FillRect(0, 0, image.width, 1, kWhite);
  image.FillRect(0, 0, 1, image.height, kWhite);
  image.FillRect(0, image.height - 1, image.width, image.height, kShadow);
  image.FillRect(image.width - 1, 0, image.width, image.height, kShadow);
}

void Groove(bmpgen::Image& image, int l, int t, int r, int b) {
  image.FillRect(l, t, r, b, kShadow);
  image.FillRect(l + 1, t + 1, r, b, kWhite);
  image.FillRect(l + 1, t + 1, r - 1, b - 1, 0x3A6EA5);
}

}  // namespace

QOR32_BITMAP(GAL_SLD_HTRACK) {
  bmpgen::Image track(180, 24);
  Raised(track);
  Groove(track, 8, 6, 172, 11);
  for (int k = 0; k <= 10; ++k) {
    const int x = 6 + k * 168 / 10;
    track.FillRect(x, 15, x + 1, k % 5 == 0 ? 21 : 19, kBlack);
  }
  return track;
}

QOR32_BITMAP(GAL_SLD_HTHUMB) {
  return Thumb(12, 20, PointerDown, [](bmpgen::Image& band) { band.FillRect(4, 4, 8, 5, 0x404040); });
}

QOR32_BITMAP(GAL_SLD_VTRACK) {
  bmpgen::Image track(24, 120);
  Raised(track);
  Groove(track, 6, 8, 11, 112);
  for (int k = 0; k <= 10; ++k) {
    const int y = 6 + k * 108 / 10;
    track.FillRect(15, y, k % 5 == 0 ? 21 : 19, y + 1, kBlack);
  }
  return track;
}

QOR32_BITMAP(GAL_SLD_VTHUMB) {
  return Thumb(20, 12, [](int x, int y) { return PointerDown(y, x); },
               [](bmpgen::Image& band) { band.FillRect(4, 4, 5, 8, 0x404040); });
}

// 110 x 90: a raised frame and a grid of dark lines; transparent between.
QOR32_BITMAP(GAL_SLD_PAD) {
  constexpr int w = 110, h = 90, frame = 4;
  bmpgen::Image face(w, h, kBlack);
  bmpgen::Image mask(w, h, kWhite);
  auto opaque = [&](int l, int t, int r, int b, uint32_t c) {
    face.FillRect(l, t, r, b, c);
    mask.FillRect(l, t, r, b, kBlack);
  };
  opaque(0, 0, w, frame, kFace);
  opaque(0, h - frame, w, h, kFace);
  opaque(0, 0, frame, h, kFace);
  opaque(w - frame, 0, w, h, kFace);
  opaque(0, 0, w, 1, kWhite);
  opaque(0, 0, 1, h, kWhite);
  opaque(0, h - 1, w, h, kShadow);
  opaque(w - 1, 0, w, h, kShadow);
  opaque(frame - 1, frame - 1, w - frame + 1, frame, kShadow);
  opaque(frame - 1, frame - 1, frame, h - frame + 1, kShadow);
  for (int k = 1; k < 5; ++k) {
    const int x = frame + k * (w - 2 * frame) / 5;
    const int y = frame + k * (h - 2 * frame) / 5;
    opaque(x, frame, x + 1, h - frame, k == 2 || k == 3 ? 0x3A6EA5 : 0x606060);
    opaque(frame, y, w - frame, y + 1, k == 2 || k == 3 ? 0x3A6EA5 : 0x606060);
  }
  return bmpgen::Stack({face, mask});
}

// A 14 x 14 disc.
QOR32_BITMAP(GAL_SLD_DOT) {
  auto disc = [](int x, int y) {
    const int dx = 2 * x - 13, dy = 2 * y - 13;
    return dx * dx + dy * dy <= 14 * 14;
  };
  bmpgen::Image normal = ShadedBand(14, 14, disc, Look{0xE04830, 0xFFB0A0, 0x902010, 0x401008});
  bmpgen::Image pressed = ShadedBand(14, 14, disc, Look{0x3050E0, 0xB0C0FF, 0x102890, 0x081040});
  bmpgen::Image disabled = ShadedBand(14, 14, disc, kDisabled);
  return bmpgen::Stack({normal, pressed, disabled, MaskBand(14, 14, disc)});
}
