// The Preview control's state record, kept in its StateBlock.
#pragma once

#include <windows.h>

#include <cstddef>

#include "controls/preview/portable/preview_layout.h"
#include "controls/preview/portable/preview_picture.h"
#include "frame/painted_image.h"
#include "qor32cl.h"

namespace qor32 {

// Room for the control's 258 palette entries in the platform's layout.
struct PreviewLogPalette {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[kPreviewPaletteEntries];
};

struct PreviewState {
  // After the layout: rectangles, frame width and shadow offset in client
  // pixels, caption height at least 5.
  PreviewSettings settings;
  LONG blackIndex;
  LONG whiteIndex;
  // The control's own writable copy of the picture resource (a packed
  // 8-bit bitmap that passed CheckPicture), or null.
  HGLOBAL picture;
  SIZE_T pictureSize;
  HPALETTE palette;
  PreviewLogPalette logPalette;
  // The whole client area as last painted, copied by each paint while the
  // settings, the picture and the size stay as they were.
  PaintedImage image;
};

static_assert(sizeof(PALETTEENTRY) == sizeof(PaletteColor), "palette entry layout");
static_assert(offsetof(PreviewLogPalette, palPalEntry) == offsetof(LOGPALETTE, palPalEntry),
              "logical palette layout");

inline Rect32 ToRect32(const RECT& r) { return Rect32{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const Rect32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The rectangles, frame width and shadow offset of a settings record.
inline PreviewGeometry GeometryOf(const PreviewSettings& s) {
  return PreviewGeometry{ToRect32(s.pageRect), ToRect32(s.innerRect), ToRect32(s.pictureRect),
                         s.frameWidth, s.shadowOffset};
}

}  // namespace qor32
