// Painting of one Matrix cell button: the cell's image in the band for its
// state, composed over the background capture through the mask band when
// the bitmap has four bands or more, the auto-repeat timer that follows the
// pressed state, and the focus rectangle.
#include <windows.h>

#include "controls/matrix/matrix_state.h"
#include "frame/gdi.h"

namespace qor32 {

namespace {

static_assert(kRopSrcCopy == SRCCOPY && kRopSrcAnd == SRCAND && kRopSrcInvert == SRCINVERT &&
                  kRopNotSrcCopy == NOTSRCCOPY,
              "raster operations");
static_assert(kDrawEntire == ODA_DRAWENTIRE && kDrawSelect == ODA_SELECT && kDrawFocus == ODA_FOCUS,
              "owner-draw actions");
static_assert(kStateSelected == ODS_SELECTED && kStateDisabled == ODS_DISABLED &&
                  kStateFocus == ODS_FOCUS,
              "owner-draw states");

void FollowPressedState(HWND hwnd, UINT timerId, CellTimer timer, RepeatTimers& running) {
  if (timer == CellTimer::kSet) {
    if (SetTimer(hwnd, timerId, kMatrixRepeatMilliseconds, nullptr) != 0) running.Started(timerId);
  } else if (timer == CellTimer::kKill && running.Stop(timerId)) {
    KillTimer(hwnd, timerId);
  }
}

}  // namespace

void DrawMatrixCell(HWND hwnd, uint16_t controlId, MatrixState& state,
                    const DRAWITEMSTRUCT& item) {
  const MatrixLayout layout = CurrentLayout(state);
  const int32_t index = CellIndexOf(layout, controlId, static_cast<uint16_t>(item.CtlID));
  if (index < 0) return;
  const CellDrawPlan plan = PlanCellDraw(state.grid.options, state.grid.focusInsetX,
                                         state.grid.focusInsetY, item.itemAction, item.itemState);
  HDC dc = item.hDC;
  const int w = layout.cellWidth, h = layout.cellHeight;
  if (plan.redraw) {
    MemoryDC memory(dc);
    if (!memory) return;
    SetMapMode(memory.get(), GetMapMode(dc));
    if (plan.composeOverBackground && state.background != nullptr) {
      const MatrixPoint place = CellPlace(layout, index);
      ScopedSelect background(memory.get(), state.background);
      BitBlt(dc, 0, 0, w, h, memory.get(), place.x, place.y, SRCCOPY);
    }
    // A bitmap that another DC holds cannot be selected: no band is drawn.
    ScopedSelect strip(memory.get(), state.bitmap);
    if (plan.composeOverBackground && strip.selected()) {
      const MatrixPoint mask = CellSource(layout, index, kMatrixMaskBand);
      BitBlt(dc, 0, 0, w, h, memory.get(), mask.x, mask.y, SRCAND);
    }
    FollowPressedState(hwnd, item.CtlID, plan.timer, state.repeatTimers);
    if (plan.image.draw && strip.selected()) {
      const MatrixPoint source = CellSource(layout, index, plan.image.band);
      BitBlt(dc, 0, 0, w, h, memory.get(), source.x, source.y, plan.image.rop);
    }
  }
  if (plan.focusRect) {
    const RECT focus{state.grid.focusInsetX, state.grid.focusInsetY, w - state.grid.focusInsetX,
                     h - state.grid.focusInsetY};
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace qor32
