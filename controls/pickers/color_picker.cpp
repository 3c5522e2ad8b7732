// Qor32Color: a 78 x 104 colour box of sunken palette cells beside a well
// with two overlapping raised swatches. The 23 colours come from the
// creation array; the parent reads and changes them with CLRM_GETCOLOR and
// CLRM_SETCOLOR and hears of every press on a cell.
#include <windows.h>

#include "controls/pickers/picker_states.h"
#include "controls/pickers/picker_window.h"
#include "qor32cl.h"

namespace qor32 {

namespace {

struct ColorTraits {
  using State = ColorPickerState;
  static constexpr const picker::Geometry& kGeometry = picker::kColorGeometry;
  static constexpr uint16_t kFocusFlag = CLRF_FOCUS;
  static DWORD* Values(State& state) { return state.colors; }
  static void Prepare(State&, HWND) {}
  static Brush CellBrush(const State& state, int cell) { return SolidBrush(state.colors[cell]); }
};

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK ColorWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return qor32::picker::PickerWindow<qor32::ColorTraits>::Proc(hwnd, message, wParam, lParam);
}
