// Shared by the Bitmap control's Windows files: the record lock, the flags in
// the window extra bytes, the style, and the message handlers that the
// window procedure hands each message to.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/bitmap/portable/bitmap_record.h"
#include "frame/library.h"
#include "frame/state_block.h"

namespace qor32::bitmap {

using StateRecordLock = StateLock<BitmapState>;

// The flag set from the two overlapping words at extra offsets 0 and 1.
uint8_t ReadFlags(HWND hwnd);
// Stores the bits of `flags` named in `mask`; every other bit stays.
void StoreFlags(HWND hwnd, uint8_t mask, uint8_t flags);

inline Kind KindOf(HWND hwnd) { return KindOfStyle(static_cast<uint32_t>(GetWindowLongA(hwnd, GWL_STYLE))); }
inline bool IsDefaultButton(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & kDefaultStyle) != 0; }
inline HFONT StoredFont(HWND hwnd) {
  return reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kBitmapFontOffset));
}

// Invalidates the whole control with erase and repaints it at once.
void Repaint(HWND hwnd);

// bitmap_control.cpp
LRESULT OnCreate(HWND hwnd);
LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnGetDlgCode(HWND hwnd);

// bitmap_commands.cpp
// Frees the text records, the image if owned and the palette, and forgets them.
void ReleaseOwned(HWND hwnd, BitmapState& state);
LRESULT OnSize(HWND hwnd);
LRESULT OnSetText(HWND hwnd, LPARAM lParam);
LRESULT OnGetIndicatorShape(HWND hwnd);
LRESULT OnGetIndicatorColor(HWND hwnd);
LRESULT OnSetIndicatorShape(HWND hwnd, WPARAM wParam);
LRESULT OnSetIndicatorColor(HWND hwnd, WPARAM wParam, LPARAM lParam);

// bitmap_paint.cpp
LRESULT OnPaint(HWND hwnd);
LRESULT OnQueryNewPalette(HWND hwnd);
LRESULT OnPaletteChanged(HWND hwnd, WPARAM wParam);

// bitmap_input.cpp
LRESULT OnLButtonDown(HWND hwnd);
LRESULT OnLButtonDblClk();
LRESULT OnMouseMove(HWND hwnd, LPARAM lParam);
LRESULT OnLButtonUp(HWND hwnd, LPARAM lParam);
LRESULT OnCancelMode(HWND hwnd);
LRESULT OnKey(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnEnable(HWND hwnd, WPARAM wParam);
LRESULT OnGetCheck(HWND hwnd);
LRESULT OnSetCheck(HWND hwnd, WPARAM wParam);
LRESULT OnSetState(HWND hwnd, WPARAM wParam);
LRESULT OnSetStyle(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnGetState(HWND hwnd);
LRESULT OnCheckMessage(HWND hwnd, UINT message);
LRESULT OnClick(HWND hwnd);

}  // namespace qor32::bitmap
