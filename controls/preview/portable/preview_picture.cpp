#include "controls/preview/portable/preview_picture.h"

namespace qor32 {
namespace {

uint32_t Read16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t Read32(const uint8_t* p) { return Read16(p) | Read16(p + 2) << 16; }

constexpr uint32_t kCompressionNone = 0;

void SetColor(uint8_t* entry, uint8_t value) {
  entry[0] = value;  // blue
  entry[1] = value;  // green
  entry[2] = value;  // red
}

bool IsTableIndex(int32_t i) { return i >= 0 && i < kPictureColors; }

}  // namespace

bool CheckPicture(const uint8_t* data, size_t size, PictureLayout* layout) {
  if (data == nullptr || size < kInfoHeaderBytes) return false;
  const uint32_t headerSize = Read32(data);
  const int32_t width = static_cast<int32_t>(Read32(data + 4));
  const int32_t height = static_cast<int32_t>(Read32(data + 8));
  const uint32_t planes = Read16(data + 12);
  const uint32_t bitCount = Read16(data + 14);
  const uint32_t compression = Read32(data + 16);
  const uint32_t colorsUsed = Read32(data + 32);
  if (headerSize < kInfoHeaderBytes || headerSize > size) return false;
  if (planes != 1 || bitCount != 8 || compression != kCompressionNone) return false;
  if (colorsUsed != 0 && colorsUsed != kPictureColors) return false;
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;

  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -int64_t{height} : int64_t{height});
  const uint64_t stride = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
  const uint64_t bitsOffset = uint64_t{headerSize} + kColorTableBytes;
  const uint64_t bitsSize = stride * rows;  // below 2^63: both factors below 2^32
  if (bitsOffset > size || bitsSize > size - bitsOffset) return false;

  if (layout != nullptr) {
    layout->headerSize = headerSize;
    layout->width = width;
    layout->height = static_cast<int32_t>(rows);
    layout->colorTableOffset = headerSize;
    layout->bitsOffset = static_cast<size_t>(bitsOffset);
    layout->bitsSize = static_cast<size_t>(bitsSize);
  }
  return true;
}

void ReadPictureColors(const uint8_t* colorTable, PaletteColor* entries, int32_t& blackIndex,
                       int32_t& whiteIndex) {
  for (int i = 0; i < kPictureColors; ++i) {
    const uint8_t* q = colorTable + 4 * i;
    const PaletteColor c{q[2], q[1], q[0], 0};
    entries[i] = c;
    if (c.red == 0 && c.green == 0 && c.blue == 0) blackIndex = i;
    if (c.red == 255 && c.green == 255 && c.blue == 255) whiteIndex = i;
  }
}

void ApplyBlackWhiteSwap(uint8_t* colorTable, int32_t blackIndex, int32_t whiteIndex, bool swapped) {
  if (blackIndex == whiteIndex || !IsTableIndex(blackIndex) || !IsTableIndex(whiteIndex)) return;
  SetColor(colorTable + 4 * blackIndex, swapped ? 255 : 0);
  SetColor(colorTable + 4 * whiteIndex, swapped ? 0 : 255);
}

}  // namespace qor32
