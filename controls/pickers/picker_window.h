// The window side of the two pickers, written once. A picker is described
// by a traits type:
//
//   struct Traits {
//     using State = ...;                 // the state record, with the fields
//                                        // kinds, cellRects, selected, flags,
//                                        // picture (a PaintedImage)
//     static constexpr const picker::Geometry& kGeometry = ...;
//     static constexpr uint16_t kFocusFlag = ...;
//     static DWORD* Values(State&);      // colours or pattern values
//     static void Prepare(State&, HWND); // anything beyond the entries
//     static Brush CellBrush(const State&, int cell);  // null: keep the last
//   };
//
// PickerWindow<Traits>::Proc is the picker's window procedure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <iterator>
#include <utility>

#include "controls/pickers/portable/picker_logic.h"
#include "frame/gdi.h"
#include "frame/library.h"
#include "frame/painted_image.h"
#include "frame/state_block.h"
#include "qor32cl.h"

namespace qor32 {
namespace picker {

static_assert(CLRM_GETCOLOR == WM_USER + 58 && CLRM_SETCOLOR == WM_USER + 60 &&
                  PATM_GETPATTERN == CLRM_GETCOLOR && PATM_SETPATTERN == CLRM_SETCOLOR,
              "both pickers answer the same two message numbers");
static_assert(CLRN_CLICK == kClick && CLRN_DBLCLK == kDoubleClick && CLRN_RCLICK == kRightClick &&
                  CLRN_RDBLCLK == kRightDoubleClick && PATN_CLICK == kClick && PATN_DBLCLK == kDoubleClick &&
                  PATN_RCLICK == kRightClick && PATN_RDBLCLK == kRightDoubleClick,
              "both pickers send the same codes");
static_assert(kColorGeometry.cellCount == QOR32_COLOR_COUNT && kPatternGeometry.cellCount == QOR32_PATTERN_COUNT,
              "one creation value per cell");

// The pens and the brush a picker paints with. The four pens are made once
// per paint; each new cell brush replaces (and deletes) the one before it.
// On exit the device context's own pen and brush are selected back before
// the last ones are deleted.
class PaintTools {
 public:
  explicit PaintTools(HDC dc) : dc_(dc), brush_(SolidBrush(kLightGrey)) {
    originalPen_ = SelectObject(dc_, pens_[2].get());
    originalBrush_ = SelectObject(dc_, brush_.get());
  }
  ~PaintTools() {
    if (originalBrush_ != nullptr) SelectObject(dc_, originalBrush_);
    if (originalPen_ != nullptr) SelectObject(dc_, originalPen_);
  }
  PaintTools(const PaintTools&) = delete;
  PaintTools& operator=(const PaintTools&) = delete;

  void SelectPen(uint32_t color) {
    for (int i = 0; i < 4; ++i) {
      if (kPenColors[i] == color) SelectObject(dc_, pens_[i].get());
    }
  }
  // A brush that could not be made leaves the previous one selected.
  void SelectBrush(Brush next) {
    if (!next) return;
    if (SelectObject(dc_, next.get()) != nullptr) brush_ = std::move(next);
  }
  // One polyline: the same pixels as a move and a line to each further
  // point, in one call.
  void Draw(const Stroke& stroke) {
    SelectPen(stroke.color);
    POINT points[std::size(stroke.points)];
    for (int i = 0; i < stroke.pointCount; ++i) points[i] = POINT{stroke.points[i].x, stroke.points[i].y};
    Polyline(dc_, points, stroke.pointCount);
  }

 private:
  static constexpr uint32_t kPenColors[4] = {kWhite, kLightGrey, kDarkGrey, kBlack};
  HDC dc_;
  Pen pens_[4] = {SolidPen(kWhite), SolidPen(kLightGrey), SolidPen(kDarkGrey), SolidPen(kBlack)};
  Brush brush_;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
};

template <class Traits>
class PickerWindow {
 public:
  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
      case WM_SETFOCUS: return OnFocus(hwnd, message, wParam, lParam, true);
      case WM_KILLFOCUS: return OnFocus(hwnd, message, wParam, lParam, false);
      case WM_PAINT: return OnPaint(hwnd);
      case WM_KEYUP: return OnInput(hwnd, message, wParam, lParam, Input::KeyRelease);
      case WM_LBUTTONDOWN: return OnInput(hwnd, message, wParam, lParam, Input::LeftPress);
      case WM_LBUTTONDBLCLK: return OnInput(hwnd, message, wParam, lParam, Input::LeftDoubleClick);
      case WM_RBUTTONDOWN: return OnInput(hwnd, message, wParam, lParam, Input::RightPress);
      case WM_RBUTTONDBLCLK: return OnInput(hwnd, message, wParam, lParam, Input::RightDoubleClick);
      case CLRM_GETCOLOR: return OnGetValue(hwnd, wParam);
      case CLRM_SETCOLOR: return OnSetValue(hwnd, wParam, lParam);
      default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  }

 private:
  using State = typename Traits::State;
  using Lock = StateLock<State>;
  static constexpr const Geometry& kGeometry = Traits::kGeometry;

  // Entries from the geometry, the cells' values from the creation array
  // (zero without one), the frame entry's fixed value; then the fixed size.
  static LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* create) {
    if (HGLOBAL block = CreateStateBlock(hwnd, kStateOffset, sizeof(State))) {
      Lock state(block);
      if (state) {
        const DWORD* initial =
            create != nullptr ? static_cast<const DWORD*>(create->lpCreateParams) : nullptr;
        DWORD* values = Traits::Values(*state);
        for (int i = 0; i < kGeometry.entryCount; ++i) {
          const Entry& e = kGeometry.entries[i];
          state->kinds[i] = e.kind;
          state->cellRects[i] = RECT{e.rect.left, e.rect.top, e.rect.right, e.rect.bottom};
          values[i] = i < kGeometry.cellCount ? (initial != nullptr ? initial[i] : 0) : kGeometry.frameValue;
        }
        state->selected = 0;
        state->flags = Traits::kFocusFlag;
        Traits::Prepare(*state, hwnd);
        CreatePaintedImage(state->picture, kGeometry.width, kGeometry.height);
      }
    }
    SetWindowPos(hwnd, nullptr, 0, 0, kGeometry.width, kGeometry.height, SWP_NOMOVE | SWP_NOZORDER);
    return 0;
  }

  static LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    {
      Lock state(hwnd, kStateOffset);
      if (state) ReleasePaintedImage(state->picture);
    }
    ReleaseStateBlock(hwnd, kStateOffset);
    return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
  }

  // The focus flag follows the focus; the picker shows no focus mark, but
  // repaints all the same.
  static LRESULT OnFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool gained) {
    {
      Lock state(hwnd, kStateOffset);
      if (state) {
        if (gained) {
          state->flags |= Traits::kFocusFlag;
        } else {
          state->flags &= static_cast<uint16_t>(~Traits::kFocusFlag);
        }
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
      }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  // Cells in increasing order (each an outlined rectangle filled with its
  // brush, then its edges), then the drop shadow.
  static void DrawCells(HDC dc, const State& state) {
    PaintTools tools(dc);
    for (int i = 0; i < kGeometry.cellCount; ++i) {
      const RECT& r = state.cellRects[i];
      tools.SelectPen(kWhite);
      tools.SelectBrush(Traits::CellBrush(state, i));
      Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
      const StrokeList strokes = CellStrokes(state.kinds[i], Rect32{r.left, r.top, r.right, r.bottom});
      for (int s = 0; s < strokes.count; ++s) tools.Draw(strokes.strokes[s]);
    }
    const RECT& f = state.cellRects[kGeometry.cellCount];
    tools.Draw(DropShadow(Rect32{f.left, f.top, f.right, f.bottom}));
  }

  // The picker draws every pixel of its window but the top-right and the
  // bottom-left corner, which the drop shadow's offset leaves alone. Those
  // two are left as they are; everything else comes from the picture.
  static void CopyPicture(HDC dc, HDC picture) {
    const int w = kGeometry.width, h = kGeometry.height;
    BitBlt(dc, 0, 0, w - 1, 1, picture, 0, 0, SRCCOPY);
    BitBlt(dc, 0, 1, w, h - 2, picture, 0, 1, SRCCOPY);
    BitBlt(dc, 1, h - 1, w - 1, 1, picture, 1, h - 1, SRCCOPY);
  }

  // The cells are drawn into the picture when it is out of date (at the
  // first paint and after a value changed) and each paint copies it.
  // Without a picture the cells are drawn on the window itself.
  static LRESULT OnPaint(HWND hwnd) {
    PaintScope paint(hwnd);
    Lock state(hwnd, kStateOffset);
    if (!state || paint.dc() == nullptr) return 0;
    const State& cells = *state;
    if (!PaintThroughImage(
            paint.dc(), state->picture, kGeometry.width, kGeometry.height,
            [&cells](HDC memory) { DrawCells(memory, cells); }, CopyPicture)) {
      DrawCells(paint.dc(), *state);
    }
    return 0;
  }

  // Presses take the focus first, then hit-test; every input may report a
  // cell to the parent while the state is locked.
  static LRESULT OnInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Input input) {
    {
      Lock state(hwnd, kStateOffset);
      if (state) {
        int hit = -1;
        if (input == Input::LeftPress || input == Input::RightPress) {
          if (GetFocus() != hwnd) SetFocus(hwnd);
          if (!state.Released()) {
            hit = HitTestCells(state->cellRects, kGeometry.cellCount, LOWORD(lParam), HIWORD(lParam));
          }
        }
        if (!state.Released()) {
          const Notice notice = React(input, hit, static_cast<uint32_t>(wParam), state->selected);
          if (notice.send) Notify(hwnd, notice);
        }
      }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  static void Notify(HWND hwnd, const Notice& notice) {
    const WPARAM command = MAKEWPARAM(CellIdentifier(GetDlgCtrlID(hwnd), notice.cell), notice.code);
    SendMessageA(GetParent(hwnd), WM_COMMAND, command, WindowParam(hwnd));
  }

  static int AddressedEntry(HWND hwnd, WPARAM wParam) {
    return EntryIndex(static_cast<uint32_t>(wParam), GetDlgCtrlID(hwnd), kGeometry.entryCount);
  }

  // An identifier that names no entry reads 0.
  static LRESULT OnGetValue(HWND hwnd, WPARAM wParam) {
    Lock state(hwnd, kStateOffset);
    const int index = AddressedEntry(hwnd, wParam);
    if (!state || index < 0) return 0;
    return static_cast<LRESULT>(Traits::Values(*state)[index]);
  }

  // Stores the value and repaints that entry; an identifier that names no
  // entry changes nothing. Returns the value given either way.
  static LRESULT OnSetValue(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Lock state(hwnd, kStateOffset);
    const int index = AddressedEntry(hwnd, wParam);
    if (state && index >= 0) {
      Traits::Values(*state)[index] = static_cast<DWORD>(lParam);
      state->picture.current = false;
      InvalidateRect(hwnd, &state->cellRects[index], FALSE);
      UpdateWindow(hwnd);
    }
    return lParam;
  }
};

}  // namespace picker
}  // namespace qor32
