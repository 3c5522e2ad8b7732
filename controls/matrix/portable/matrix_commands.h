// The Matrix control's configuration record and the scan of its control
// text (commands H, P and M).
//
// This file does not depend on the platform; handles are carried as their
// numeric values and turned into platform handles by the window code.
#pragma once

#include <cstdint>

namespace qor32 {

constexpr int kMatrixNameCapacity = 16;  // 15 characters and the zero

// Bits of MatrixGrid::options.
constexpr uint16_t kMatrixReservedLowBit = 0x01;  // third number of ~M, no effect
constexpr uint16_t kMatrixBandCountMask = 0x0E;        // band count minus one, bits 1-3
constexpr int kMatrixBandShift = 1;
constexpr uint16_t kMatrixAutoRepeat = 0x10;      // MTXS_AUTOREPEAT
constexpr uint16_t kMatrixReservedHighBit = 0x20; // first number of ~M, no effect

// What ~M sets: the options and the eight 8-bit fields, in text order.
struct MatrixGrid {
  uint16_t options;
  int8_t columns;
  int8_t rows;
  int8_t gapX;
  int8_t gapY;
  int8_t focusInsetX;
  int8_t focusInsetY;
  int8_t reserved[2];
};

// Where the first module searched for the bitmap comes from.
enum class MatrixInstanceSource {
  kLibrary,  // the library's own module (no ~H or ~P)
  kNumber,   // ~H: the number read, taken as a module instance handle
  kRoot,     // ~P: the module of the control's top-level ancestor
};

// The outcome of one scan besides the grid and the name.
struct MatrixScanResult {
  MatrixInstanceSource instanceSource = MatrixInstanceSource::kLibrary;
  int64_t instanceNumber = 0;  // with kNumber
  bool handleRead = false;     // a ~M named "HBITMAP=" and read a handle
  int64_t handleNumber = 0;    // the last handle read after "HBITMAP="
};

// Number of bands of the matrix bitmap, 1 to 8.
constexpr int MatrixBandCount(uint16_t options) {
  return ((options & kMatrixBandCountMask) >> kMatrixBandShift) + 1;
}

// Options from the first four numbers of ~M.
constexpr uint16_t MatrixOptions(int32_t o1, int32_t o2, int32_t o3, int32_t o4) {
  return static_cast<uint16_t>(((o1 & 1) ? kMatrixReservedHighBit : 0) |
                               ((o2 & 1) ? kMatrixAutoRepeat : 0) |
                               ((o3 & 1) ? kMatrixReservedLowBit : 0) |
                               ((o4 & 7) << kMatrixBandShift));
}

// Scans a control text (at most 255 characters are read) with the shared
// cursor g_parsePos. Only what the text's commands set is changed: a text
// without ~M keeps the grid and the name as they were.
MatrixScanResult ScanMatrixText(const char* text, MatrixGrid& grid,
                                char (&bitmapName)[kMatrixNameCapacity]);

}  // namespace qor32
