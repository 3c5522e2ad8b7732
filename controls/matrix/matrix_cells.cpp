// The Matrix control's cells: reconfiguration from the control text, the
// layout that sizes the control and creates one owner-drawn button per
// cell, and the release of cells and bitmaps.
#include <windows.h>

#include "controls/matrix/background_capture.h"
#include "controls/matrix/matrix_state.h"
#include "frame/bitmap_lookup.h"
#include "frame/library.h"

namespace qor32 {

namespace {

constexpr DWORD kCellStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
static_assert(kCellStyle == 0x5001000B, "cell button style");

void ReleaseBitmaps(MatrixState& state) {
  if (state.bitmap != nullptr && !IsHandleBitmapName(state.bitmapName)) DeleteObject(state.bitmap);
  state.bitmap = nullptr;
  if (state.background != nullptr) DeleteObject(state.background);
  state.background = nullptr;
}

HINSTANCE ScannedInstance(HWND hwnd, const MatrixScanResult& scan) {
  switch (scan.instanceSource) {
    case MatrixInstanceSource::kNumber:
      return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(scan.instanceNumber));
    case MatrixInstanceSource::kRoot:
      return GetRootInstance(hwnd);
    case MatrixInstanceSource::kLibrary:
    default:
      return g_hInstance;
  }
}

void ReplaceBackground(MatrixState& state, HBITMAP capture) {
  if (state.background != nullptr && state.background != capture) DeleteObject(state.background);
  state.background = capture;
}

// Sizes the control to the grid, captures what lies under it and creates
// the cell buttons row by row. A control without cells keeps its size.
void LayOutMatrix(HWND hwnd, StateLock<MatrixState>& lock) {
  MatrixState& state = *lock;
  if (!IsHandleBitmapName(state.bitmapName)) {
    state.bitmap = LoadNamedBitmap(hwnd, state.instance, state.bitmapName);
  }
  const MatrixLayout layout = CurrentLayout(state);
  if (!layout.hasCells) return;
  SetWindowPos(hwnd, nullptr, 0, 0, layout.Width(), layout.Height(), SWP_NOZORDER | SWP_NOMOVE);
  if (lock.Released()) return;
  ReplaceBackground(state, CaptureBackground(hwnd, nullptr));
  const uint16_t controlId = MatrixControlId(hwnd);
  for (int32_t index = 0; index < layout.CellCount(); ++index) {
    const MatrixPoint place = CellPlace(layout, index);
    const uint16_t cellId = CellIdentifier(controlId, index);
    HWND cell = CreateWindowExA(0, "button", "", kCellStyle, place.x, place.y, layout.cellWidth,
                                layout.cellHeight, hwnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(cellId)),
                                g_hInstance, nullptr);
    if (cell == nullptr || lock.Released()) return;
    ShowWindow(cell, SW_SHOWNORMAL);
  }
}

}  // namespace

MatrixLayout CurrentLayout(const MatrixState& state) {
  BITMAP info{};
  const bool hasBitmap =
      state.bitmap != nullptr && GetObjectA(state.bitmap, sizeof info, &info) == sizeof info;
  return ComputeMatrixLayout(state.grid, hasBitmap, info.bmWidth, info.bmHeight);
}

void ReconfigureMatrix(HWND hwnd, StateLock<MatrixState>& lock, const char* text) {
  if (text == nullptr || !lock) return;
  EnumChildWindows(hwnd, EnumDestroyChildWnd, 0);
  if (lock.Released()) return;
  MatrixState& state = *lock;
  ReleaseBitmaps(state);
  state.instance = g_hInstance;
  const MatrixScanResult scan = ScanMatrixText(text, state.grid, state.bitmapName);
  state.instance = ScannedInstance(hwnd, scan);
  if (scan.handleRead) {
    state.bitmap = reinterpret_cast<HBITMAP>(static_cast<intptr_t>(scan.handleNumber));
  }
  LayOutMatrix(hwnd, lock);
}

void ReleaseMatrix(HWND hwnd, MatrixState& state) {
  const MatrixLayout layout = CurrentLayout(state);
  const uint16_t controlId = MatrixControlId(hwnd);
  for (int32_t index = 0; index < layout.CellCount(); ++index) {
    if (HWND cell = GetDlgItem(hwnd, CellIdentifier(controlId, index))) DestroyWindow(cell);
  }
  ReleaseBitmaps(state);
}

}  // namespace qor32
