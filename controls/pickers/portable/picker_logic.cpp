#include "controls/pickers/portable/picker_logic.h"

#include <initializer_list>

namespace qor32 {
namespace picker {

Notice React(Input input, int hit, uint32_t key, uint16_t& selected) {
  switch (input) {
    case Input::LeftPress:
    case Input::RightPress:
      if (hit < 0) return Notice{false, 0, 0};
      selected = static_cast<uint16_t>(hit);
      return Notice{true, hit, input == Input::LeftPress ? kClick : kRightClick};
    case Input::LeftDoubleClick: return Notice{true, selected, kDoubleClick};
    case Input::RightDoubleClick: return Notice{true, selected, kRightDoubleClick};
    case Input::KeyRelease:
      if (key != kSpaceKey) return Notice{false, 0, 0};
      return Notice{true, selected, kClick};
  }
  return Notice{false, 0, 0};
}

namespace {

void Add(StrokeList& list, uint32_t color, std::initializer_list<Point32> points) {
  Stroke& s = list.strokes[list.count++];
  s.color = color;
  s.pointCount = 0;
  for (const Point32& p : points) s.points[s.pointCount++] = p;
}

}  // namespace

StrokeList CellStrokes(uint16_t kind, const Rect32& rect) {
  const int32_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  StrokeList list;
  if (kind == CELL_SWATCH) {
    Add(list, kDarkGrey, {{l + 1, b}, {r, b}, {r, t}});
    Add(list, kLightGrey, {{l + 1, b - 1}, {l + 1, t + 1}, {r - 1, t + 1}, {r - 1, b - 1}, {l + 1, b - 1}});
    Add(list, kLightGrey, {{l, b}, {l + 1, b}});
    Add(list, kLightGrey, {{r, t}, {r + 1, t}});
    return list;
  }
  Add(list, kDarkGrey, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
  if (kind == CELL_WELL) {
    Add(list, kLightGrey, {{l + 2, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}});
    Add(list, kBlack, {{l + 2, b - 2}, {l + 2, t + 2}, {r - 1, t + 2}});
  }
  return list;
}

Stroke DropShadow(const Rect32& f) {
  return Stroke{kDarkGrey, 3, {{f.left + 1, f.bottom}, {f.right, f.bottom}, {f.right, f.top}}};
}

}  // namespace picker
}  // namespace qor32
