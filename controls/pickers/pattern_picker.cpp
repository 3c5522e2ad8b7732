// Placeholder window procedure until the control is built: default
// processing only.
#include <windows.h>

#include "qor32cl.h"

extern "C" LRESULT CALLBACK PatternWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
