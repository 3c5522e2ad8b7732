// Strips for the slider tests. Thumbs are 6 x 6 per band with four bands
// (normal red, pressed blue, disabled grey, mask) and transparent corners;
// tracks have a face band and a mask band whose white part is transparent
// (the face is black there, so that it shows the background unchanged).
#include "bmpgen.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kFace = 0x00C000;
constexpr uint32_t kNormal = 0xFF0000, kPressed = 0x0000FF, kDisabled = 0x808080;

bmpgen::Image ThumbBand(uint32_t colour) {
  bmpgen::Image band(6, 6, colour);
  for (int y : {0, 5})
    for (int x : {0, 5}) band.at(x, y) = kBlack;
  return band;
}

bmpgen::Image ThumbMask() {
  bmpgen::Image mask(6, 6, kBlack);
  for (int y : {0, 5})
    for (int x : {0, 5}) mask.at(x, y) = kWhite;
  return mask;
}

// A face band and its mask: the `clear` rectangle is transparent.
bmpgen::Image Track(int width, int height, int l, int t, int r, int b) {
  bmpgen::Image face(width, height, kFace);
  face.FillRect(l, t, r, b, kBlack);
  bmpgen::Image mask(width, height, kBlack);
  mask.FillRect(l, t, r, b, kWhite);
  return bmpgen::Stack({face, mask});
}

}  // namespace

QOR32_BITMAP(SLD_THUMB) {
  return bmpgen::Stack({ThumbBand(kNormal), ThumbBand(kPressed), ThumbBand(kDisabled), ThumbMask()});
}
// Horizontal: 40 x 8, the top two rows transparent.
QOR32_BITMAP(SLD_HTRACK) { return Track(40, 8, 0, 0, 40, 2); }
// Vertical: 8 x 40, the left two columns transparent.
QOR32_BITMAP(SLD_VTRACK) { return Track(8, 40, 0, 0, 2, 40); }
// Two axes: 40 x 30, transparent inside a one-pixel opaque frame.
QOR32_BITMAP(SLD_AREA) { return Track(40, 30, 1, 1, 39, 29); }
// Smaller than the thumb, one band.
QOR32_BITMAP(SLD_TINY) { return bmpgen::Image(4, 4, kFace); }
// Three rows: divided into four thumb bands (or two track bands of 40 x 1
// for SLD_LINE) the band height is 0.
QOR32_BITMAP(SLD_FLAT) { return bmpgen::Image(6, 3, kNormal); }
QOR32_BITMAP(SLD_LINE) { return bmpgen::Image(40, 1, kFace); }
