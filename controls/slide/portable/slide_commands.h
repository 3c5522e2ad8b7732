// The slider's control text: ~H sets the module searched first for the
// bitmaps, ~S the shape (band counts and transparency), the two bitmap
// names and the ranges, positions and page steps. The caption is not used,
// and the text's first character is stepped over like a '~'.
//
// This file does not depend on the platform.
#pragma once

#include <cstdint>

namespace qor32 {
namespace slide {

constexpr int kNameCapacity = 16;  // 15 characters and the zero

struct SlideText {
  bool hasInstance = false;
  int32_t instance = 0;  // the ~H number, a module instance handle
  bool hasShape = false;
  uint16_t options = 0;
  char thumbName[kNameCapacity] = {};
  char trackName[kNameCapacity] = {};
  int32_t minX = 0, minY = 0;
  int32_t posX = 0, posY = 0;
  int32_t maxX = 0, maxY = 0;
  int32_t pageX = 0, pageY = 0;
};

// Options of ~S o1 o2 o3 o4: bit 0 = o1 & 1, bits 1-3 = o2 & 7 (thumb bands
// - 1), bit 4 = o3 & 1 (transparent), bits 5-7 = o4 & 7 (track bands - 1).
uint16_t ShapeOptions(int32_t o1, int32_t o2, int32_t o3, int32_t o4);

// Scans a control text (at most 255 characters are read) with the shared
// cursor g_parsePos; later commands override earlier ones.
SlideText ParseSlideText(const char* text);

}  // namespace slide
}  // namespace qor32
