// Qor32Bitmap: a button assembled from a face, an image strip, two texts, an
// indicator lamp, a level bar and a focus rectangle, placed by its control
// text. This file holds the window procedure, the record's lifetime, the
// flag words and the small queries; parsing, painting and input have their
// own files.
#include <windows.h>

#include "controls/bitmap/bitmap_internal.h"
#include "controls/bitmap/portable/bitmap_commands.h"
#include "controls/bitmap/portable/bitmap_input.h"
#include "qor32cl.h"

namespace qor32::bitmap {

static_assert(kChecked == BMPF_CHECKED && kIndeterminate == BMPF_INDETERMINATE &&
              kHighlight == BMPF_HIGHLIGHT && kFocus == BMPF_FOCUS && kDown == BMPF_DOWN &&
              kDisabled == BMPF_DISABLED);
static_assert(kKindMask == BMPS_KINDMASK && kDefaultStyle == BMPS_DEFAULT);
static_assert(static_cast<uint32_t>(KindOfStyle(BMPS_CHECKBOX)) == 1 &&
              static_cast<uint32_t>(KindOfStyle(BMPS_PRESSRADIO)) == 3);
static_assert(kDlgcButton == DLGC_BUTTON && kDlgcRadioButton == DLGC_RADIOBUTTON &&
              kDlgcDefPushButton == DLGC_DEFPUSHBUTTON && kDlgcUndefPushButton == DLGC_UNDEFPUSHBUTTON);

uint8_t ReadFlags(HWND hwnd) {
  return FlagsFromWords(GetWindowWord(hwnd, kBitmapFlags0Offset), GetWindowWord(hwnd, kBitmapFlags1Offset));
}

// Writing window words is a round trip to the window manager: one write of
// the word that holds both flag bytes, and none when nothing changes.
void StoreFlags(HWND hwnd, uint8_t mask, uint8_t flags) {
  const WORD word = GetWindowWord(hwnd, kBitmapFlags0Offset);
  const WORD updated = StoreInFlagWord(word, mask, flags);
  if (updated != word) SetWindowWord(hwnd, kBitmapFlags0Offset, updated);
}

void Repaint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
}

LRESULT OnCreate(HWND hwnd) {
  StoreFlags(hwnd, kFirstByteFlags | kSecondByteFlags, 0);
  if (StoredFont(hwnd) != nullptr) SetWindowLongPtrA(hwnd, kBitmapFontOffset, 0);
  // Without a record the control stays a window that draws nothing.
  if (CreateStateBlock(hwnd, kBitmapStateOffset, sizeof(BitmapState)) != nullptr) {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (state) InitBitmapState(*state);
  }
  return 0;
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (state) ReleaseOwned(hwnd, *state);
  }
  ReleaseStateBlock(hwnd, kBitmapStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrA(hwnd, kBitmapFontOffset, static_cast<LONG_PTR>(wParam));
  if (lParam != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT OnGetDlgCode(HWND hwnd) {
  StateRecordLock state(hwnd, kBitmapStateOffset);
  if (!state) return DLGC_BUTTON;
  return DialogCode(KindOf(hwnd), IsDefaultButton(hwnd), *state);
}

}  // namespace qor32::bitmap

extern "C" LRESULT CALLBACK BitmapWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32::bitmap;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    case WM_SIZE: return OnSize(hwnd);
    case WM_SETTEXT: return OnSetText(hwnd, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_QUERYNEWPALETTE: return OnQueryNewPalette(hwnd);
    case WM_PALETTECHANGED: return OnPaletteChanged(hwnd, wParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk();
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, lParam);
    case WM_CANCELMODE: return OnCancelMode(hwnd);
    case WM_KEYDOWN:
    case WM_KEYUP: return OnKey(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(hwnd, message, wParam, lParam);
    case WM_ENABLE: return OnEnable(hwnd, wParam);
    case WM_SETFONT: return OnSetFont(hwnd, wParam, lParam);
    case WM_GETFONT: return static_cast<LRESULT>(GetWindowLongPtrA(hwnd, qor32::kBitmapFontOffset));
    case WM_GETDLGCODE: return OnGetDlgCode(hwnd);
    case BM_GETCHECK:
    case BM_GETSTATE: return OnGetCheck(hwnd);
    case BM_SETCHECK: return OnSetCheck(hwnd, wParam);
    case BM_SETSTATE: return OnSetState(hwnd, wParam);
    case BM_SETSTYLE: return OnSetStyle(hwnd, wParam, lParam);
    case BMPM_GETSTATE: return OnGetState(hwnd);
    case BMPM_CHECK:
    case BMPM_UNCHECK:
    case BMPM_SETINDETERMINATE: return OnCheckMessage(hwnd, message);
    case BMPM_CLICK: return OnClick(hwnd);
    case BMPM_GETINDICATORSHAPE: return OnGetIndicatorShape(hwnd);
    case BMPM_GETINDICATORCOLOR: return OnGetIndicatorColor(hwnd);
    case BMPM_SETINDICATORSHAPE: return OnSetIndicatorShape(hwnd, wParam);
    case BMPM_SETINDICATORCOLOR: return OnSetIndicatorColor(hwnd, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
