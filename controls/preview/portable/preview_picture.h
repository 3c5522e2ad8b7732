// The preview's picture: a packed 8-bit device-independent bitmap (a
// header, a colour table of 256 blue-green-red-reserved entries, the pixel
// rows), checked before use, its colours read into the control's palette,
// and its black and white entries swapped on request.
//
// Platform-free: built into the DLL and into the native tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qor32 {

constexpr int kPictureColors = 256;
constexpr size_t kColorTableBytes = kPictureColors * 4;
// Entry 0: frame colour, entry 1: picture shadow colour, then the picture's.
constexpr int kPreviewPaletteEntries = 2 + kPictureColors;
constexpr uint16_t kPaletteVersion = 0x300;
constexpr size_t kInfoHeaderBytes = 40;

// Same layout as the platform's palette entry.
struct PaletteColor {
  uint8_t red, green, blue, flags;
};

// Where the parts of a usable picture lie, in bytes from its start.
struct PictureLayout {
  uint32_t headerSize;      // the header's own size field
  int32_t width;            // pixels
  int32_t height;           // pixels, always positive
  size_t colorTableOffset;  // == headerSize
  size_t bitsOffset;        // colour table + 1024
  size_t bitsSize;          // bytes of pixel rows the header asks for
};

// True when data (size bytes) is an uncompressed 8-bit bitmap with a header
// of at least 40 bytes, one plane, a non-zero size, a full 256-entry colour
// table (colours-used field 0 or 256) and every pixel row the header asks
// for inside the data. Reads nothing beyond data + size.
bool CheckPicture(const uint8_t* data, size_t size, PictureLayout* layout);

// Copies the 256 colours of colorTable into entries[0..255] (flags 0) and
// notes the last pure black and the last pure white entry; an index for
// which no entry matches keeps its value.
void ReadPictureColors(const uint8_t* colorTable, PaletteColor* entries, int32_t& blackIndex,
                       int32_t& whiteIndex);

// Rewrites the black and white entries of colorTable: swapped (black entry
// shows white, white entry black) or restored. Nothing happens when the two
// indices are equal or either lies outside the table; reserved bytes stay.
void ApplyBlackWhiteSwap(uint8_t* colorTable, int32_t blackIndex, int32_t whiteIndex, bool swapped);

}  // namespace qor32
