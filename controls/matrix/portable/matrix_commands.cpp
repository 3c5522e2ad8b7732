#include "controls/matrix/portable/matrix_commands.h"

#include <cstring>

#include "frame/portable/command_reader.h"

namespace qor32 {

namespace {

constexpr char kHandleName[] = "HBITMAP=";

int8_t LowByte(int32_t value) { return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF)); }

void ReadGridCommand(const char* text, MatrixGrid& grid, char (&bitmapName)[kMatrixNameCapacity],
                     MatrixScanResult& result) {
  int32_t& pos = g_parsePos;
  const int32_t o1 = ParseNumber(pos, text);
  const int32_t o2 = ParseNumber(pos, text);
  const int32_t o3 = ParseNumber(pos, text);
  const int32_t o4 = ParseNumber(pos, text);
  grid.options = MatrixOptions(o1, o2, o3, o4);
  ParseText(pos, text, bitmapName, kMatrixNameCapacity, true);
  if (std::strcmp(bitmapName, kHandleName) == 0) {
    result.handleNumber = ParseHandleNumber(pos, text);
    result.handleRead = true;
  }
  int8_t* const fields[] = {&grid.columns,     &grid.rows,        &grid.gapX,
                            &grid.gapY,        &grid.focusInsetX, &grid.focusInsetY,
                            &grid.reserved[0], &grid.reserved[1]};
  for (int8_t* field : fields) *field = LowByte(ParseNumber(pos, text));
}

}  // namespace

MatrixScanResult ScanMatrixText(const char* text, MatrixGrid& grid,
                                char (&bitmapName)[kMatrixNameCapacity]) {
  MatrixScanResult result;
  char working[kControlTextCapacity];
  CopyControlText(working, text);
  g_parsePos = 0;
  RunCommands(g_parsePos, working, [&](char letter) {
    switch (letter) {
      case 'H':
        result.instanceSource = MatrixInstanceSource::kNumber;
        result.instanceNumber = ParseHandleNumber(g_parsePos, working);
        break;
      case 'P':
        result.instanceSource = MatrixInstanceSource::kRoot;
        break;
      case 'M':
        ReadGridCommand(working, grid, bitmapName, result);
        break;
      default:
        break;
    }
  });
  return result;
}

}  // namespace qor32
