// Shared fixtures of the Wine tests.
//
// - ParentWindow: a visible top-level window that records, in order, every
//   WM_COMMAND it receives, so a test compares the log with the expected
//   sequence; a hook lets a test act inside a notification (re-entrancy).
// - ReadPixels / PixelsMatch: a window's client pixels, read back from the
//   real window surface, compared exactly with an ASCII map.
// - GdiCounter: counts live GDI objects the only way that works under Wine
//   (how many more can be created before creation fails).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qt {

void PumpMessages();

struct Command {
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Command& o) const { return wParam == o.wParam && lParam == o.lParam; }
};
std::ostream& operator<<(std::ostream& os, const Command& c);

inline Command MakeCommand(int id, int code, HWND from) {
  return Command{MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(from)};
}
inline Command MakeCommand(int id, int code, LPARAM value) {
  return Command{MAKEWPARAM(id, code), value};
}

class ParentWindow {
 public:
  // A popup window at (0, 0) whose client area is width x height, erased
  // with `background` (0xRRGGBB) unless paintBackground is set.
  explicit ParentWindow(int width = 320, int height = 240, uint32_t background = 0x008080,
                        HINSTANCE instance = nullptr);
  ~ParentWindow();
  ParentWindow(const ParentWindow&) = delete;
  ParentWindow& operator=(const ParentWindow&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Creates a child of this window (instance defaults to the test program).
  HWND CreateChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id, void* param = nullptr, HINSTANCE instance = nullptr);

  std::vector<Command> commands;                  // every WM_COMMAND, in order
  std::function<void(WPARAM, LPARAM)> onCommand;  // called after recording
  // Optional: any other message; return true to answer it with `result`.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onMessage;
  // Optional: paints the client background (WM_ERASEBKGND).
  std::function<void(HDC, const RECT&)> paintBackground;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  uint32_t background_;
};

// COLORREF (0x00BBGGRR) to 0xRRGGBB, and back.
constexpr uint32_t Rgb(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Pixels of rect (client coordinates of hwnd), row-major, 0xRRGGBB, read
// from the window's surface after it has painted.
std::vector<uint32_t> ReadPixels(HWND hwnd, const RECT& rect);
std::vector<uint32_t> ReadClientPixels(HWND hwnd, int* width = nullptr, int* height = nullptr);
uint32_t PixelAt(HWND hwnd, int x, int y);

using Legend = std::map<char, uint32_t>;
// Compares the pixels starting at client (x, y) with rows of characters
// mapped through legend; '?' matches anything. Reports every mismatch.
::testing::AssertionResult PixelsMatch(HWND hwnd, int x, int y,
                                       std::initializer_list<const char*> rows,
                                       const Legend& legend);
// Renders a pixel area as an ASCII map for failure messages (colours not
// in the legend are printed as '*').
std::string DescribePixels(HWND hwnd, const RECT& rect, const Legend& legend);

// Invalidates the window (with erase) and repaints it at once.
void Repaint(HWND hwnd);

class GdiCounter {
 public:
  // Number of GDI objects alive in the process now.
  static int LiveObjects();
};

// Walks the process heap. Under Wine's heap checking (WINEDEBUG=warn+heap)
// freed blocks are filled and held back a while, so a write to memory
// after its release shows here (and Wine reports it on the heap channel).
::testing::AssertionResult ProcessHeapIntact();

// Counts windows of the current thread (top-level and their descendants).
int CountThreadWindows();

// Path of a file next to the test executable.
std::string ModuleDirFile(const char* fileName);

}  // namespace qt
