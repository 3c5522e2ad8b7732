// Qor32Selection: a group of press-radio bitmap buttons, built from an
// array of SelectionItem records, chosen like radio buttons.
#include <windows.h>

#include "controls/selection/portable/option_range.h"
#include "frame/library.h"
#include "frame/state_block.h"
#include "qor32cl.h"

namespace qor32 {
namespace {

struct SelectionState {
  int32_t count;          // options created
  uint16_t chosenId;      // identifier of the chosen option, 0 for none
  uint16_t choicesMade;   // choices recorded so far (wraps)
};

// Options are press-radio buttons; 0x04 is a bit the button does not read.
constexpr DWORD kOptionStyle = WS_CHILD | WS_VISIBLE | BMPS_PRESSRADIO | 0x04;
static_assert(kOptionStyle == 0x500000C4, "option style");

using Lock = StateLock<SelectionState>;

UINT FirstId(HWND hwnd) { return static_cast<UINT>(GetWindowLongPtrA(hwnd, GWLP_ID)); }

UINT LastId(HWND hwnd, const SelectionState& state) {
  return static_cast<UINT>(FirstId(hwnd) + state.count - 1);
}

// Creates one child per record up to the first null text. If a child
// cannot be made, the ones made stay but none counts as an option.
int32_t BuildOptions(HWND hwnd, const SelectionItem* items) {
  if (items == nullptr) return 0;
  const UINT first = FirstId(hwnd);
  HINSTANCE instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(GetParent(hwnd), GWLP_HINSTANCE));
  int32_t made = 0;
  for (const SelectionItem* item = items; item->text != nullptr; ++item, ++made) {
    const UINT id = first + static_cast<UINT>(made);
    HWND child = CreateWindowExA(0, QOR32_BITMAP_CLASS, item->text, kOptionStyle, item->x, item->y,
                                 item->width, item->height, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (child == nullptr) return 0;
  }
  return made;
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* create) {
  if (CreateStateBlock(hwnd, kStateOffset, sizeof(SelectionState)) == nullptr) return 0;
  const auto* items = static_cast<const SelectionItem*>(create->lpCreateParams);
  const int32_t count = BuildOptions(hwnd, items);
  Lock state(hwnd, kStateOffset);
  if (state && !state.Released()) state->count = count;
  return 0;
}

void RecordChoice(SelectionState& state, uint16_t id) {
  state.chosenId = id;
  ++state.choicesMade;
}

// A child reports a press: check it, uncheck the others, tell our parent,
// and only then record the choice. A choice the parent made meanwhile (by
// SELM_SETCHOICE or by pressing another option) is the later one: it stays.
LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  Lock state(hwnd, kStateOffset);
  if (!state) return 0;
  if (HIWORD(wParam) != 0 || !InOptionRange(FirstId(hwnd), state->count, LOWORD(wParam))) return 0;
  CheckRadioButton(hwnd, static_cast<int>(FirstId(hwnd)), static_cast<int>(LastId(hwnd, *state)),
                   LOWORD(wParam));
  if (state.Released()) return 0;
  const uint16_t choicesBefore = state->choicesMade;
  SendMessageA(GetParent(hwnd), WM_COMMAND, wParam, lParam);
  if (state.Released()) return 0;  // the parent destroyed us meanwhile
  if (state->choicesMade == choicesBefore) RecordChoice(*state, LOWORD(wParam));
  return 0;
}

LRESULT OnGetChoice(HWND hwnd) {
  Lock state(hwnd, kStateOffset);
  return state ? state->chosenId : 0;
}

LRESULT OnSetChoice(HWND hwnd, WPARAM wParam) {
  Lock state(hwnd, kStateOffset);
  if (!state) return static_cast<LRESULT>(wParam);
  if (wParam == 0 || InOptionRange(FirstId(hwnd), state->count, static_cast<uint32_t>(wParam))) {
    CheckRadioButton(hwnd, static_cast<int>(FirstId(hwnd)), static_cast<int>(LastId(hwnd, *state)),
                     static_cast<int>(wParam));
    if (!state.Released()) RecordChoice(*state, static_cast<uint16_t>(wParam));
  }
  return static_cast<LRESULT>(wParam);
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  EnumChildWindows(hwnd, EnumDestroyChildWnd, 0);
  ReleaseStateBlock(hwnd, kStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK SelectionWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_COMMAND: return OnCommand(hwnd, wParam, lParam);
    case SELM_GETCHOICE: return OnGetChoice(hwnd);
    case SELM_SETCHOICE: return OnSetChoice(hwnd, wParam);
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
