// Matrix part: the keypad composes its keys over a capture of what the
// dialog shows under it. The dialog is not painted yet when its template
// creates the keypad, so the keypad stays hidden until the dialog has
// painted; it is then configured again from its own text, which captures
// the pattern, and shown with its last key disabled.
#include <windows.h>

#include "gallery.h"
#include "gallery_ids.h"

namespace {

HWND g_matrixDialog = nullptr;

void CALLBACK ShowKeypad(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND keypad = GetDlgItem(g_matrixDialog, IDC_MATRIX_BASE);
  if (keypad == nullptr) return;
  char text[256];
  GetWindowTextA(keypad, text, sizeof text);
  SendMessageA(keypad, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  // The last key shows its disabled look (cell enable request).
  SendMessageA(keypad, WM_ENABLE, IDC_MATRIX_BASE + 7, 0);
  ShowWindow(keypad, SW_SHOWNA);
}

}  // namespace

QOR32_GALLERY_PART(matrix) {
  g_matrixDialog = dialog;
  // Timer messages come only once nothing is left to paint.
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ShowKeypad);
}
