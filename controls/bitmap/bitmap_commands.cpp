// Parsing the control text on WM_SIZE and WM_SETTEXT, the palette made from
// the lamp colours, and the lamp's private messages.
#include <windows.h>

#include "controls/bitmap/bitmap_internal.h"
#include "controls/bitmap/portable/bitmap_commands.h"
#include "frame/allocation.h"
#include "frame/bitmap_lookup.h"
#include "frame/gdi.h"

namespace qor32::bitmap {

namespace {

// The platform side of a parse: text records in moveable memory blocks,
// bitmaps through the lookup chain, invalidation of the control.
class WindowCommandHost : public CommandHost {
 public:
  explicit WindowCommandHost(HWND hwnd) : hwnd_(hwnd) {}

  Handle AllocateTextRecord() override {
    return AllocateBlock(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BitmapText));
  }
  BitmapText* LockTextRecord(Handle record) override {
    return static_cast<BitmapText*>(GlobalLock(static_cast<HGLOBAL>(record)));
  }
  void UnlockTextRecord(Handle record) override { GlobalUnlock(static_cast<HGLOBAL>(record)); }
  void DeleteImage(Handle image) override { DeleteObject(static_cast<HBITMAP>(image)); }
  Handle LookUpImage(uintptr_t instance, const char* name) override {
    return LoadNamedBitmap(hwnd_, reinterpret_cast<HINSTANCE>(instance), name);
  }
  uintptr_t RootInstance() override { return reinterpret_cast<uintptr_t>(GetRootInstance(hwnd_)); }
  // Nothing to do here: Parse invalidates the whole control, without
  // erasing, once the commands have run, and that covers every part a
  // command placed (an invalidation reaches no further than the client
  // area anyway). Each InvalidateRect is a round trip to the window manager.
  void InvalidatePart(const Rect32&) override {}

 private:
  HWND hwnd_;
};

static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY));

// A new palette from paletteEntries; the previous one stays if it fails.
void RebuildPalette(BitmapState& state) {
  struct {
    WORD version;
    WORD count;
    PALETTEENTRY entries[3];
  } description{state.paletteEntries.version, state.paletteEntries.count, {}};
  for (int i = 0; i < 3; ++i) {
    const PaletteEntry& e = state.paletteEntries.entries[i];
    description.entries[i] = PALETTEENTRY{e.red, e.green, e.blue, e.flags};
  }
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&description));
  if (palette == nullptr) return;
  if (state.palette != nullptr) DeleteObject(static_cast<HPALETTE>(state.palette));
  state.palette = palette;
}

void Parse(HWND hwnd, const char* text) {
  {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (!state) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    WindowCommandHost host(hwnd);
    ParseBitmapText(*state, host, text, Rect32{0, 0, client.right - 1, client.bottom - 1},
                    reinterpret_cast<uintptr_t>(WindowInstance(hwnd)));
    RebuildPalette(*state);
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace

void ReleaseOwned(HWND hwnd, BitmapState& state) {
  for (Handle& record : state.textRecords) {
    if (record != nullptr) GlobalFree(static_cast<HGLOBAL>(record));
    record = nullptr;
  }
  WindowCommandHost host(hwnd);
  DropImage(state, host);
  if (state.palette != nullptr) DeleteObject(static_cast<HPALETTE>(state.palette));
  state.palette = nullptr;
}

LRESULT OnSize(HWND hwnd) {
  char text[kControlTextCapacity];
  if (GetWindowTextA(hwnd, text, kControlTextCapacity) <= 0) text[0] = '\0';
  Parse(hwnd, text);
  return 0;
}

// The stored window text is left as it was created.
LRESULT OnSetText(HWND hwnd, LPARAM lParam) {
  Parse(hwnd, reinterpret_cast<const char*>(lParam));
  return 0;
}

LRESULT OnGetIndicatorShape(HWND hwnd) {
  StateRecordLock state(hwnd, kBitmapStateOffset);
  return state ? state->indicatorShape : 0;
}

LRESULT OnGetIndicatorColor(HWND hwnd) {
  StateRecordLock state(hwnd, kBitmapStateOffset);
  return state ? state->indicatorColors[0] : 0;
}

LRESULT OnSetIndicatorShape(HWND hwnd, WPARAM wParam) {
  {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (!state) return 0;
    state->indicatorShape = LOWORD(wParam);
  }
  Repaint(hwnd);
  return 0;
}

LRESULT OnSetIndicatorColor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    StateRecordLock state(hwnd, kBitmapStateOffset);
    if (!state) return 0;
    const uint32_t color = static_cast<uint32_t>(lParam);
    switch (wParam) {
      case 0: state->indicatorColors[0] = state->indicatorColors[1] = color; break;
      case 1: state->indicatorColors[0] = color; break;
      case 2: state->indicatorColors[1] = color; break;
      case 3: state->indicatorColors[2] = color; break;
      default: return 0;
    }
    FillPaletteEntries(*state);
    RebuildPalette(*state);
  }
  Repaint(hwnd);
  return 0;
}

}  // namespace qor32::bitmap
