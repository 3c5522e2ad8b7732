// The Matrix control's state record, kept in its StateBlock, and the
// helpers the window code shares.
#pragma once

#include <windows.h>

#include "controls/matrix/portable/matrix_commands.h"
#include "controls/matrix/portable/matrix_layout.h"
#include "frame/state_block.h"

namespace qor32 {

struct MatrixState {
  HINSTANCE instance;   // first module searched for the bitmap
  MatrixGrid grid;      // options, columns, rows, gaps, focus insets
  HBITMAP bitmap;       // owned unless bitmapName is "HBITMAP="
  HBITMAP background;   // capture of the parent under the control, owned
  char bitmapName[kMatrixNameCapacity];
  RepeatTimers repeatTimers;  // cells whose repeat timer is set
};

constexpr UINT kMatrixRepeatMilliseconds = 200;

// The control's own identifier, in 16 bits like its cells'.
inline uint16_t MatrixControlId(HWND hwnd) { return static_cast<uint16_t>(GetDlgCtrlID(hwnd)); }

// The layout of the current grid over the current bitmap.
MatrixLayout CurrentLayout(const MatrixState& state);

// Rebuilds the cells from a control text (null: nothing happens). Stops
// early if the window is destroyed by a message sent on the way.
void ReconfigureMatrix(HWND hwnd, StateLock<MatrixState>& lock, const char* text);

// Destroys the cells and releases the owned bitmaps.
void ReleaseMatrix(HWND hwnd, MatrixState& state);

// Paints one cell button (WM_DRAWITEM).
void DrawMatrixCell(HWND hwnd, uint16_t controlId, MatrixState& state,
                    const DRAWITEMSTRUCT& item);

}  // namespace qor32
