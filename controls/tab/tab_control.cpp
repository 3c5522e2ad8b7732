// Qor32Tab: two to four tabs drawn from one strip bitmap, one band per
// selected tab. The control text (~H instance, ~Q count and bitmap name) is
// read once at creation; the layout chosen by the count says where each tab
// lies and where its focus rectangle goes.
#include <windows.h>

#include <cstring>

#include "controls/tab/portable/tab_logic.h"
#include "frame/bitmap_lookup.h"
#include "frame/gdi.h"
#include "frame/library.h"
#include "frame/portable/command_reader.h"
#include "frame/state_block.h"
#include "qor32cl.h"

namespace qor32 {

struct TabState {
  HINSTANCE instance;
  WORD count;
  WORD selected;
  RECT tabRects[tab::kMaxTabs];
  RECT focusRects[tab::kMaxTabs];
  WORD flags;
  HBITMAP bitmap;
  char bitmapName[tab::kNameCapacity];
};

namespace {

using Lock = StateLock<TabState>;

RECT ToRect(const Rect32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void RepaintNow(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

// WM_COMMAND to the parent with the tab identifier and TABN_CLICK.
void Notify(HWND hwnd, int index) {
  const WPARAM command = MAKEWPARAM(tab::TabIdentifier(GetDlgCtrlID(hwnd), index), TABN_CLICK);
  SendMessageA(GetParent(hwnd), WM_COMMAND, command, WindowParam(hwnd));
}

// Reads the control text, applies the layout, loads the strip and sizes the
// window to one band. Without a count (or without a bitmap) the window keeps
// the size it was created with.
LRESULT OnCreate(HWND hwnd) {
  HGLOBAL block = CreateStateBlock(hwnd, kStateOffset, sizeof(TabState));
  if (block == nullptr) return 0;
  Lock state(block);
  if (!state) return 0;
  state->instance = WindowInstance(GetParent(hwnd));
  state->selected = 0;
  state->flags &= static_cast<WORD>(~TABF_FOCUS);

  GetWindowTextA(hwnd, g_textBuf, kControlTextCapacity);
  g_parsePos = 0;
  tab::TabText text{};
  tab::ReadTabText(g_parsePos, g_textBuf, text);
  if (text.hasInstance) {
    state->instance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(static_cast<uint32_t>(text.instance)));
  }
  std::memcpy(state->bitmapName, text.bitmapName, sizeof state->bitmapName);

  const tab::Layout layout = tab::LayoutFor(text.count);
  state->count = layout.count;
  for (int i = 0; i < tab::kMaxTabs; ++i) {
    state->tabRects[i] = ToRect(layout.tabRects[i]);
    state->focusRects[i] = ToRect(layout.focusRects[i]);
  }
  if (state->count == 0) return 0;

  state->bitmap = LoadNamedBitmap(hwnd, state->instance, state->bitmapName);
  BITMAP info{};
  if (state->bitmap != nullptr && GetObjectA(state->bitmap, sizeof info, &info) != 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth, info.bmHeight / state->count,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  return 0;
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    Lock state(hwnd, kStateOffset);
    if (state && state->bitmap != nullptr) {
      DeleteObject(state->bitmap);
      state->bitmap = nullptr;
    }
  }
  ReleaseStateBlock(hwnd, kStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

LRESULT OnFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool gained) {
  {
    Lock state(hwnd, kStateOffset);
    if (state) {
      if (gained) {
        state->flags |= TABF_FOCUS;
      } else {
        state->flags &= static_cast<WORD>(~TABF_FOCUS);
      }
      RepaintNow(hwnd);
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The selected tab's band, then the focus rectangle inside the selected tab
// while the control has the focus. A control without a count or without a
// bitmap paints nothing.
LRESULT OnPaint(HWND hwnd) {
  PaintScope paint(hwnd);
  Lock state(hwnd, kStateOffset);
  HDC dc = paint.dc();
  if (!state || dc == nullptr || state->count == 0 || state->bitmap == nullptr) return 0;
  BITMAP info{};
  if (GetObjectA(state->bitmap, sizeof info, &info) == 0) return 0;
  {
    MemoryDC memory(dc);
    if (memory) {
      ScopedSelect selection(memory.get(), state->bitmap);
      SetMapMode(memory.get(), GetMapMode(dc));
      const int32_t top = tab::BandTop(state->selected, info.bmHeight, state->count);
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight - top, memory.get(), 0, top, SRCCOPY);
    }
  }
  if ((state->flags & TABF_FOCUS) != 0 && state->selected < tab::kMaxTabs) {
    const RECT& focus = state->focusRects[state->selected];
    if (!IsRectEmpty(&focus)) DrawFocusRect(dc, &focus);
  }
  return 0;
}

// The space bar re-sends the selected tab.
LRESULT OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE) {
    Lock state(hwnd, kStateOffset);
    if (state) Notify(hwnd, state->selected);
  }
  return DefWindowProcA(hwnd, WM_KEYUP, wParam, lParam);
}

// Focus first; a press on a tab selects it and tells the parent before the
// control shows the change.
LRESULT OnLeftButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    Lock state(hwnd, kStateOffset);
    if (state) {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      const int hit = state.Released()
                          ? -1
                          : tab::HitTestTabs(state->tabRects, state->count, LOWORD(lParam), HIWORD(lParam));
      if (hit >= 0) {
        state->selected = static_cast<WORD>(hit);
        Notify(hwnd, hit);
        if (!state.Released()) RepaintNow(hwnd);
      }
    }
  }
  return DefWindowProcA(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

// Selects the tab the identifier names, without notifying; an identifier
// that names no band of this control changes nothing.
LRESULT OnSetSelection(HWND hwnd, WPARAM wParam) {
  Lock state(hwnd, kStateOffset);
  if (state) {
    const uint16_t index = tab::TabFromIdentifier(static_cast<uint32_t>(wParam), GetDlgCtrlID(hwnd));
    if (tab::HasBand(index, state->count)) {
      state->selected = index;
      RepaintNow(hwnd);
    }
  }
  return static_cast<LRESULT>(wParam);
}

// The control identifier plus the selected tab, as a 32-bit sum.
LRESULT OnGetSelection(HWND hwnd) {
  Lock state(hwnd, kStateOffset);
  const uint32_t selected = state ? state->selected : 0;
  return static_cast<LRESULT>(static_cast<int32_t>(static_cast<uint32_t>(GetDlgCtrlID(hwnd)) + selected));
}

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK TabWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    case WM_SETFOCUS: return OnFocus(hwnd, message, wParam, lParam, true);
    case WM_KILLFOCUS: return OnFocus(hwnd, message, wParam, lParam, false);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_KEYUP: return OnKeyUp(hwnd, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(hwnd, wParam, lParam);
    case TABM_SETSEL: return OnSetSelection(hwnd, wParam);
    case TABM_GETSEL: return OnGetSelection(hwnd);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
