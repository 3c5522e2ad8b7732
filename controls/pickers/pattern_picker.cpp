// Qor32Pattern: a 78 x 70 box of 4 x 4 sunken cells, each tiled with a
// bitmap resource of the parent's module named by the low word of the
// cell's pattern value. The 16 values come from the creation array; the
// parent reads and changes them with PATM_GETPATTERN and PATM_SETPATTERN.
#include <windows.h>

#include "controls/pickers/picker_states.h"
#include "controls/pickers/picker_window.h"
#include "frame/bitmap_lookup.h"
#include "qor32cl.h"

namespace qor32 {

namespace {

struct PatternTraits {
  using State = PatternPickerState;
  static constexpr const picker::Geometry& kGeometry = picker::kPatternGeometry;
  static constexpr uint16_t kFocusFlag = PATF_FOCUS;
  static DWORD* Values(State& state) { return state.patterns; }
  // The bitmaps come from the parent's module as it is at creation.
  static void Prepare(State& state, HWND hwnd) { state.instance = WindowInstance(GetParent(hwnd)); }
  // Bitmaps are not kept: each paint loads them and lets them go once the
  // brush holds its own copy. A missing bitmap gives no brush.
  static Brush CellBrush(const State& state, int cell) {
    const WORD id = LOWORD(state.patterns[cell]);
    if (id == 0) return Brush();
    Bitmap bitmap(LoadBitmapA(state.instance, MAKEINTRESOURCEA(id)));
    if (!bitmap) return Brush();
    return Brush(CreatePatternBrush(bitmap.get()));
  }
};

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK PatternWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return qor32::picker::PickerWindow<qor32::PatternTraits>::Proc(hwnd, message, wParam, lParam);
}
