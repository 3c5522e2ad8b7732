// Qor32Scroll: a slider with an X and a Y axis, drawn from a track strip
// and a thumb strip, configured by its control text or by a SlideState
// passed at creation, driven by mouse, keyboard and a repeat timer.
#include <windows.h>

#include "controls/slide/slide_record.h"
#include "qor32cl.h"

extern "C" LRESULT CALLBACK SlideWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32::slide;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<const char*>(lParam));
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    case WM_MOVE: return OnMove(hwnd);
    case WM_SIZE: return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocusChange(hwnd, message, wParam, lParam);
    case WM_ENABLE: return OnEnable(hwnd, wParam);
    case WM_CANCELMODE: return OnCancelMode(hwnd);
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam);
    case WM_TIMER: return OnTimer(hwnd);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, lParam);
    case WM_LBUTTONDOWN: return OnButtonDown(hwnd, lParam);
    case WM_LBUTTONUP: return OnButtonUp(hwnd);
    case WM_GETDLGCODE: return DLGC_BUTTON;
    case SLDM_SETMIN:
    case SLDM_SETMAX:
    case SLDM_SETPOS:
    case SLDM_SETPAGE: return OnSetPair(hwnd, message, wParam, lParam);
    case SLDM_GETSTATE: return OnGetState(hwnd);
    case SLDM_GETPOS: return OnGetPos(hwnd);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
