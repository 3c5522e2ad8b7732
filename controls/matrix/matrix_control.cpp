// Qor32Matrix: a grid of owner-drawn push buttons cut from one bitmap. The
// window procedure hands each message to a small handler; the cells are
// built in matrix_cells.cpp and painted in matrix_cell_paint.cpp.
#include <windows.h>

#include "controls/matrix/background_capture.h"
#include "controls/matrix/matrix_state.h"
#include "frame/library.h"
#include "frame/portable/command_reader.h"
#include "frame/state_block.h"

namespace qor32 {
namespace {

using MatrixLock = StateLock<MatrixState>;

LRESULT OnCreate(HWND hwnd) {
  CreateStateBlock(hwnd, kStateOffset, sizeof(MatrixState));
  char text[kControlTextCapacity];
  if (GetWindowTextA(hwnd, text, kControlTextCapacity) > 0) {
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  return 0;
}

// Reconfigures from the new text; the window text keeps its creation value.
LRESULT OnSetText(HWND hwnd, const char* text) {
  MatrixLock lock(hwnd, kStateOffset);
  ReconfigureMatrix(hwnd, lock, text);
  return 0;
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    MatrixLock lock(hwnd, kStateOffset);
    if (lock && !lock.Released()) ReleaseMatrix(hwnd, *lock);
  }
  ReleaseStateBlock(hwnd, kStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

LRESULT OnMove(HWND hwnd) {
  MatrixLock lock(hwnd, kStateOffset);
  if (lock) lock->background = CaptureBackground(hwnd, lock->background);
  return 0;
}

// The first cell takes the focus.
LRESULT OnSetFocus(HWND hwnd) {
  if (HWND first = GetDlgItem(hwnd, MatrixControlId(hwnd))) SetFocus(first);
  return 0;
}

// A cell enable request: wParam names the cell in bits 0-14; bit 15 set
// enables it, clear disables it. Other identifiers do nothing.
LRESULT OnEnable(HWND hwnd, WPARAM wParam) {
  const CellEnableRequest request = DecodeCellEnable(wParam);
  HWND cell = nullptr;
  {
    MatrixLock lock(hwnd, kStateOffset);
    if (!lock) return 0;
    if (CellIndexOf(CurrentLayout(*lock), MatrixControlId(hwnd), request.cellId) >= 0) {
      cell = GetDlgItem(hwnd, request.cellId);
    }
  }
  if (cell != nullptr) EnableWindow(cell, request.enable ? TRUE : FALSE);
  return 0;
}

LRESULT OnDrawItem(HWND hwnd, const DRAWITEMSTRUCT* item) {
  MatrixLock lock(hwnd, kStateOffset);
  if (lock && item != nullptr) DrawMatrixCell(hwnd, MatrixControlId(hwnd), *lock, *item);
  return TRUE;
}

// A cell's own notification, passed on as coming from the Matrix control.
LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, wParam, WindowParam(hwnd));
  return 0;
}

// A cell that goes away while held (a reconfiguration, or the application
// destroying it) is never redrawn released: its repeat timer ends with it.
// Only a timer the control set is killed (each kill is a round trip to the
// window manager, and every cell reports its destruction); without the
// record nothing says which run, and the timer is killed all the same.
LRESULT OnParentNotify(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WM_DESTROY) {
    const UINT id = HIWORD(wParam);
    MatrixLock lock(hwnd, kStateOffset);
    if (!lock || lock->repeatTimers.Stop(id)) KillTimer(hwnd, id);
  }
  return DefWindowProcA(hwnd, WM_PARENTNOTIFY, wParam, lParam);
}

// An auto-repeat tick of the held cell whose identifier is the timer's.
LRESULT OnTimer(HWND hwnd, WPARAM wParam) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(LOWORD(wParam), MTXN_REPEAT),
               WindowParam(hwnd));
  return 0;
}

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK MatrixWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<const char*>(lParam));
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    case WM_MOVE: return OnMove(hwnd);
    case WM_SETFOCUS: return OnSetFocus(hwnd);
    case WM_ENABLE: return OnEnable(hwnd, wParam);
    case WM_DRAWITEM: return OnDrawItem(hwnd, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(hwnd, wParam);
    case WM_TIMER: return OnTimer(hwnd, wParam);
    case WM_PARENTNOTIFY: return OnParentNotify(hwnd, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
