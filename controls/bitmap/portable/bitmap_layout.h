// Where the Bitmap control's parts go in each paint state: the face's fill
// and edge lines, the image band and its placement, the lamp and bar
// rectangles and the text's colour and shift. Platform-free geometry; the
// paint code turns it into drawing calls.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "controls/bitmap/portable/bitmap_record.h"

namespace qor32::bitmap {

// Colours of the three-dimensional look (0x00BBGGRR).
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDarkGrey = 0x808080;
constexpr uint32_t kLightGrey = 0xC0C0C0;

constexpr bool IsDownState(int paintState) { return (paintState & 1) != 0; }
// Down and not disabled: the look of a pressed, working button.
constexpr bool IsPressedLook(int paintState) { return (paintState & 3) == 1; }

// ---- Face ---------------------------------------------------------------------
struct Polyline {
  uint32_t color;
  int count;  // 2 to 5 points: a line from each point to the next
  Point32 points[5];
};

struct FaceDrawing {
  uint32_t fillColor;  // FillRect over faceRect
  int lineCount;
  Polyline lines[9];
  int pixelCount;  // light grey pixels (flat edge only)
  Point32 pixels[2];
};

FaceDrawing LayOutFace(const BitmapState& state, int paintState, bool isDefault);

// ---- Image ----------------------------------------------------------------------
struct ImageBlit {
  bool draw;     // false: nothing to draw (no usable frame count)
  bool stretch;  // stretched copy of the first band, no mask
  bool mask;     // combine the mask band (AND) before the image (XOR)
  int32_t x, y, width, height;  // destination
  int32_t sourceY;              // top row of the band drawn
  int32_t sourceWidth, sourceHeight;
  int32_t maskY;  // top row of the mask band
};

// bitmapWidth x bitmapHeight is the whole strip of `imageFrames` bands.
ImageBlit PlaceImage(const BitmapState& state, int paintState, int32_t bitmapWidth,
                     int32_t bitmapHeight);

// ---- Texts ------------------------------------------------------------------------
struct TextLook {
  Rect32 rect;
  uint32_t color;
};
TextLook LayOutText(const BitmapText& text, int paintState);

// ---- Indicator lamp --------------------------------------------------------------
// The lamp's colour by the paint state's disabled and checked bits.
uint32_t LampColor(const BitmapState& state, int paintState);
// indicatorRect shifted while down, at least 8 x 8.
Rect32 LampRect(const BitmapState& state, int paintState);
// Shape 0: the rim arcs on `box` (dark grey from `upperFrom` to `upperTo`
// counter-clockwise, white back again), the light grey ringed ellipse, and
// the white highlight arc on `highlightBox`.
struct RoundLamp {
  Rect32 box;
  Point32 upperFrom, upperTo;
  Rect32 ellipse;
  Rect32 highlightBox;
  Point32 highlightFrom, highlightTo;
};
RoundLamp LayOutRoundLamp(const BitmapState& state, int paintState);
// Shape 1: a dark grey and a white edge, and a light grey ringed patch.
struct SquareLamp {
  Polyline dark, light;
  Rect32 patch;
};
SquareLamp LayOutSquareLamp(const BitmapState& state, int paintState);
// The colour patches of shapes 3 to 7 (drawn with a null pen); 0 for the
// other shapes.
int LampPatches(uint16_t shape, const Rect32& lamp, Rect32 (&patches)[2]);

// ---- Level bar ---------------------------------------------------------------------
struct BarDrawing {
  uint32_t filledColor;
  Rect32 filled;    // first Rectangle, in filledColor
  Rect32 unfilled;  // second Rectangle, in barColors[2]
};
BarDrawing LayOutBar(const BitmapState& state, int paintState);

// ---- Focus rectangle ----------------------------------------------------------------
Rect32 FocusRect(const BitmapState& state, int paintState);

}  // namespace qor32::bitmap
