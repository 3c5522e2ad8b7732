// The Bitmap control as a button: mouse, space bar, focus, enabling, and the
// standard and private check messages. The state machine decides; the
// handlers here store the flags, refresh and notify.
//
// A notification, a refresh (which may move the focus) and a capture change
// all send messages that can reach the parent, and the parent may destroy
// the control in response. The flags live in the window extra bytes, so
// after each such call a handler checks that the window still exists before
// it touches the control again.
#include <windows.h>

#include "controls/bitmap/bitmap_internal.h"
#include "controls/bitmap/portable/bitmap_input.h"
#include "frame/bitmap_lookup.h"
#include "qor32cl.h"

namespace qor32::bitmap {

namespace {

// Set by an explicit WM_LBUTTONDBLCLK, cleared by WM_LBUTTONDOWN; while set,
// WM_LBUTTONUP only releases the capture. Shared by the controls of a thread.
thread_local bool g_dblClickFlag = false;

void Notify(HWND hwnd) {
  const WORD id = static_cast<WORD>(GetWindowLongPtrA(hwnd, GWLP_ID) & 0xFFFF);
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, BMPN_CLICK), WindowParam(hwnd));
}

// Carries out the state machine's answer. False when the window was
// destroyed on the way.
bool Apply(HWND hwnd, InputEvent event, bool inside) {
  const uint8_t flags = ReadFlags(hwnd);
  const InputResult result = ApplyInput(KindOf(hwnd), flags, event, inside);
  StoreFlags(hwnd, flags ^ result.flags, result.flags);
  if (result.refresh) {
    RefreshOrFocus(hwnd, nullptr, true);
    if (!IsWindow(hwnd)) return false;
  }
  if (result.notify) {
    Notify(hwnd);
    if (!IsWindow(hwnd)) return false;
  }
  return true;
}

// The pointer position of a mouse message, tested against the window
// rectangle in screen coordinates.
bool PointerInside(HWND hwnd, LPARAM lParam) {
  POINT point{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
  ClientToScreen(hwnd, &point);
  RECT window{};
  GetWindowRect(hwnd, &window);
  return PtInRect(&window, point) != FALSE;
}

bool HasCapture(HWND hwnd) { return GetCapture() == hwnd; }

// Releases the capture; false if that destroyed the window.
bool Release(HWND hwnd) {
  ReleaseCapture();
  return IsWindow(hwnd) != FALSE;
}

}  // namespace

LRESULT OnLButtonDown(HWND hwnd) {
  g_dblClickFlag = false;
  SetCapture(hwnd);
  if (IsWindow(hwnd)) Apply(hwnd, InputEvent::LButtonDown, true);
  return 0;
}

LRESULT OnLButtonDblClk() {
  g_dblClickFlag = true;
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, LPARAM lParam) {
  if (HasCapture(hwnd)) Apply(hwnd, InputEvent::MouseMove, PointerInside(hwnd, lParam));
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, LPARAM lParam) {
  if (!HasCapture(hwnd) || !Release(hwnd) || g_dblClickFlag) return 0;
  Apply(hwnd, InputEvent::LButtonUp, PointerInside(hwnd, lParam));
  return 0;
}

LRESULT OnCancelMode(HWND hwnd) {
  if (HasCapture(hwnd) && Release(hwnd)) Apply(hwnd, InputEvent::CancelMode, false);
  return 0;
}

LRESULT OnKey(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE) {
    const InputEvent event = message == WM_KEYDOWN ? InputEvent::SpaceDown : InputEvent::SpaceUp;
    if (!Apply(hwnd, event, true)) return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT OnFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  StoreFlags(hwnd, kFocus, message == WM_SETFOCUS ? kFocus : 0);
  Repaint(hwnd);
  if (!IsWindow(hwnd)) return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT OnEnable(HWND hwnd, WPARAM wParam) {
  StoreFlags(hwnd, kDisabled, wParam != 0 ? 0 : kDisabled);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnGetCheck(HWND hwnd) { return static_cast<LRESULT>(ButtonCheckState(ReadFlags(hwnd))); }

LRESULT OnSetCheck(HWND hwnd, WPARAM wParam) {
  static constexpr UINT kMessages[] = {BMPM_CHECK, BMPM_UNCHECK, BMPM_SETINDETERMINATE};
  CheckRequest request;
  if (CheckRequestOf(wParam, request)) SendMessageA(hwnd, kMessages[static_cast<int>(request)], 0, 0);
  return 0;
}

LRESULT OnSetState(HWND hwnd, WPARAM wParam) {
  StoreFlags(hwnd, kHighlight, wParam != 0 ? kHighlight : 0);
  return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam == 0 || wParam == 1) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG updated = wParam != 0 ? (style | static_cast<LONG>(kDefaultStyle))
                                     : (style & ~static_cast<LONG>(kDefaultStyle));
    if (updated != style) SetWindowLongA(hwnd, GWL_STYLE, updated);
  }
  if (lParam != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnGetState(HWND hwnd) { return ReadFlags(hwnd); }

LRESULT OnCheckMessage(HWND hwnd, UINT message) {
  const CheckRequest request = message == BMPM_CHECK     ? CheckRequest::Check
                               : message == BMPM_UNCHECK ? CheckRequest::Uncheck
                                                         : CheckRequest::SetIndeterminate;
  const uint8_t flags = ReadFlags(hwnd);
  const CheckResult result = ApplyCheck(KindOf(hwnd), flags, request);
  StoreFlags(hwnd, flags ^ result.flags, result.flags);
  if (result.repaint) Repaint(hwnd);
  return 0;
}

// A space-bar press and release; the release is not sent if the press
// destroyed the control.
LRESULT OnClick(HWND hwnd) {
  SendMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0);
  if (IsWindow(hwnd)) SendMessageA(hwnd, WM_KEYUP, VK_SPACE, 0);
  return 0;
}

}  // namespace qor32::bitmap
