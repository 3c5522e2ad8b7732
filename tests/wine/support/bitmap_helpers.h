// Helpers of the Bitmap control's Wine tests: a parent with a grid of
// places (so that no two controls overlap), flag access by message, and
// reaching each paint state by the control's own messages.
#pragma once

#include <windows.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/test_support.h"

namespace qt {

constexpr uint32_t kParentBackground = 0x008080;

class BitmapBench {
 public:
  BitmapBench() : parent(1400, 1000, kParentBackground) {}

  // A Qor32Bitmap child at the next free place of the grid.
  HWND Create(const std::string& text, DWORD style = 0, int width = 40, int height = 30, int id = 100) {
    if (x_ + width > 1400) {
      x_ = 0;
      y_ += rowHeight_ + 4;
      rowHeight_ = 0;
    }
    HWND w = parent.CreateChild(QOR32_BITMAP_CLASS, text.c_str(), WS_VISIBLE | style, x_, y_, width, height, id);
    x_ += width + 4;
    if (height > rowHeight_) rowHeight_ = height;
    UpdateWindow(w);
    return w;
  }

  ParentWindow parent;

 private:
  int x_ = 0, y_ = 0, rowHeight_ = 0;
};

inline uint8_t Flags(HWND w) { return static_cast<uint8_t>(SendMessageA(w, BMPM_GETSTATE, 0, 0)); }

// The control paints over whatever is below it and never erases: this
// repaints the parent's background under it first, then the control.
inline void RepaintOverParent(HWND w) {
  HWND parent = GetParent(w);
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Paint states of a push button: bit 2 by BMPM_CHECK (no DOWN for a push
// button), bit 0 by a space key-down, bit 1 by WM_ENABLE sent directly (so
// that nothing cancels the press). The control is then painted afresh.
inline void EnterPaintState(HWND w, int paintState) {
  if (paintState & 4) SendMessageA(w, BMPM_CHECK, 0, 0);
  if (paintState & 1) SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  if (paintState & 2) SendMessageA(w, WM_ENABLE, FALSE, 0);
  RepaintOverParent(w);
}

// PixelsMatch for rows built at run time (a map with a placeholder
// replaced per case, say).
inline ::testing::AssertionResult MapMatches(HWND hwnd, int x, int y, const std::vector<std::string>& rows,
                                             const Legend& legend) {
  const int height = int(rows.size());
  const int width = height > 0 ? int(rows[0].size()) : 0;
  const RECT rect{x, y, x + width, y + height};
  const std::vector<uint32_t> pixels = ReadPixels(hwnd, rect);
  std::ostringstream errors;
  int mismatches = 0;
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const char key = rows[row][col];
      if (key == '?') continue;
      const auto it = legend.find(key);
      if (it == legend.end()) return ::testing::AssertionFailure() << "no legend entry for '" << key << "'";
      if (pixels[size_t(row) * width + col] != it->second && ++mismatches <= 10)
        errors << "  (" << x + col << ", " << y + row << ") expected '" << key << "'\n";
    }
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << mismatches << " pixel(s) differ:\n"
                                       << errors.str() << "actual:\n"
                                       << DescribePixels(hwnd, rect, legend);
}

// Rows with every `placeholder` replaced by `key`.
inline std::vector<std::string> WithKey(std::vector<std::string> rows, char placeholder, char key) {
  for (std::string& row : rows)
    for (char& c : row)
      if (c == placeholder) c = key;
  return rows;
}

}  // namespace qt
