// Color and pattern pickers: fixed size, hit tests and notifications as the
// parent sees them, the private messages, exact pixels of wells, swatches
// and the drop shadow, pattern tiling, re-entrancy and GDI hygiene.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/bitmap_pixels.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 100;
constexpr uint32_t kWhite = 0xFFFFFF, kLight = 0xC0C0C0, kDark = 0x808080, kBlack = 0x000000;
constexpr uint32_t kBackground = 0x2040A0;  // the parent, seen where the picker draws nothing

COLORREF CellColor(int i) { return RGB(200 - 7 * i, 30 + 9 * i, (i * 37 + 11) & 0xFF); }

struct Colors {
  COLORREF values[QOR32_COLOR_COUNT];
};
Colors MakeColors() {
  Colors c{};
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) c.values[i] = CellColor(i);
  return c;
}
const Colors kColors = MakeColors();

// Pattern k is the bitmap resource 101 + k of the test program.
struct Patterns {
  DWORD values[QOR32_PATTERN_COUNT];
};
Patterns MakePatterns() {
  Patterns p{};
  for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) p.values[i] = 101 + i;
  return p;
}
const Patterns kPatterns = MakePatterns();

qt::Legend BaseLegend() {
  return {{'w', kWhite}, {'l', kLight}, {'d', kDark}, {'k', kBlack}, {'b', kBackground}};
}

qt::Command Sent(int id, int code, HWND from) { return qt::MakeCommand(id, code, from); }

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

qt::BitmapPixels LoadPattern(int resource) {
  return qt::LoadBitmapPixels(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
}

// A sunken well (l, t, r, b) as the picker draws it, right column and bottom
// row included: white border, dark grey inside the left and top edges, black
// inside that, light grey inside the right and bottom edges, and the
// interior from l + 3 to r - 2 and t + 3 to b - 2.
::testing::AssertionResult WellMatches(HWND w, RECT cell, const std::function<uint32_t(int, int)>& interior) {
  const RECT area{cell.left, cell.top, cell.right + 1, cell.bottom + 1};
  const std::vector<uint32_t> pixels = qt::ReadPixels(w, area);
  const int l = cell.left, t = cell.top, r = cell.right, b = cell.bottom;
  int mismatches = 0;
  std::string report;
  for (int y = t; y <= b; ++y) {
    for (int x = l; x <= r; ++x) {
      uint32_t expected;
      if (x == l || x == r || y == t || y == b) {
        expected = kWhite;
      } else if (x == l + 1 || y == t + 1) {
        expected = kDark;
      } else if (x == r - 1 || y == b - 1) {
        expected = kLight;
      } else if (x == l + 2 || y == t + 2) {
        expected = kBlack;
      } else {
        expected = interior(x, y);
      }
      const uint32_t actual = pixels[size_t(y - t) * (r - l + 1) + (x - l)];
      if (actual != expected && ++mismatches <= 8) {
        char line[80];
        snprintf(line, sizeof line, "(%d, %d): 0x%06X, expected 0x%06X\n", x, y, actual, expected);
        report += line;
      }
    }
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << mismatches << " pixels differ\n" << report;
}

RECT PatternCell(int i) {
  const int l = 19 * (i % 4), t = 17 * (i / 4);
  return RECT{l, t, l + 19, t + 17};
}

class PickerTest : public ::testing::Test {
 protected:
  HWND CreateColor(const COLORREF* colors = kColors.values, int id = kId, int width = 78, int height = 104) {
    return Create(QOR32_COLOR_CLASS, colors, id, width, height);
  }
  HWND CreatePattern(const DWORD* patterns = kPatterns.values, int id = kId, HINSTANCE instance = nullptr) {
    return Create(QOR32_PATTERN_CLASS, patterns, id, 78, 70, instance);
  }
  HWND Create(const char* className, const void* record, int id, int width, int height,
              HINSTANCE instance = nullptr) {
    HWND w = parent.CreateChild(className, "", WS_VISIBLE, nextX, 10, width, height, id,
                                const_cast<void*>(record), instance);
    nextX += 90;
    UpdateWindow(w);
    return w;
  }
  void Press(HWND w, UINT message, int x, int y) { SendMessageA(w, message, 0, At(x, y)); }
  std::vector<uint32_t> Pixels(HWND w) { return qt::ReadClientPixels(w); }

  qt::ParentWindow parent{560, 140, kBackground};
  int nextX = 10;
};

// ---- geometry --------------------------------------------------------------

TEST_F(PickerTest, SizeIsFixedAtTheGivenPosition) {
  struct Case {
    const char* className;
    const void* record;
    int width, height, expectedWidth, expectedHeight;
  };
  const Case cases[] = {{QOR32_COLOR_CLASS, kColors.values, 10, 10, 78, 104},
                        {QOR32_COLOR_CLASS, kColors.values, 300, 200, 78, 104},
                        {QOR32_PATTERN_CLASS, kPatterns.values, 10, 10, 78, 70},
                        {QOR32_PATTERN_CLASS, kPatterns.values, 300, 200, 78, 70}};
  for (const Case& c : cases) {
    const int x = nextX;
    HWND w = Create(c.className, c.record, kId, c.width, c.height);
    RECT rc;
    GetWindowRect(w, &rc);
    MapWindowPoints(nullptr, parent.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, x) << c.className;
    EXPECT_EQ(rc.top, 10) << c.className;
    EXPECT_EQ(rc.right - rc.left, c.expectedWidth) << c.className;
    EXPECT_EQ(rc.bottom - rc.top, c.expectedHeight) << c.className;
    DestroyWindow(w);
  }
}

// ---- hit tests and notifications ---------------------------------------------

struct PressCase {
  int x, y, cell;  // cell -1: nothing is sent
};

// Left presses one after the other; the parent hears of each hit in order.
void ExpectLeftPresses(qt::ParentWindow& parent, HWND w, std::initializer_list<PressCase> presses) {
  std::vector<qt::Command> expected;
  for (const PressCase& p : presses) {
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    if (p.cell >= 0) expected.push_back(Sent(kId + p.cell, CLRN_CLICK, w));
  }
  EXPECT_EQ(parent.commands, expected);
}

TEST_F(PickerTest, ColorLeftPressesReportTheCellHit) {
  ExpectLeftPresses(parent, CreateColor(),
                    {{40, 2, 0}, {10, 10, 22}, {30, 26, 21}, {2, 2, 20}, {76, 40, -1}, {10, 102, -1},
                     {20, 18, 22}, {33, 29, 21}, {0, 34, 4}, {75, 101, 19}, {77, 0, -1}, {500, 500, -1}});
}

TEST_F(PickerTest, PatternLeftPressesReportTheCellHit) {
  ExpectLeftPresses(parent, CreatePattern(),
                    {{0, 0, 0}, {57, 51, 15}, {19, 17, 5}, {76, 10, -1}, {10, 68, -1}, {18, 16, 0}, {75, 67, 15}});
}

TEST_F(PickerTest, DoubleClicksReportTheCellOfThePress) {
  for (bool pattern : {false, true}) {
    parent.commands.clear();
    HWND w = pattern ? CreatePattern() : CreateColor();
    // Before any press, a double click reports cell 0.
    SendMessageA(w, WM_LBUTTONDBLCLK, 0, At(60, 5));
    // Left: the press on one cell, the double click on its neighbour.
    Press(w, WM_LBUTTONDOWN, 40, 20);  // color: cell 2; pattern: cell 6
    SendMessageA(w, WM_LBUTTONUP, 0, At(40, 20));
    Press(w, WM_LBUTTONDBLCLK, 60, 20);
    SendMessageA(w, WM_LBUTTONUP, 0, At(60, 20));
    // Right: the same with the other codes.
    Press(w, WM_RBUTTONDOWN, 60, 40);  // color: cell 7; pattern: cell 11
    SendMessageA(w, WM_RBUTTONUP, 0, At(60, 40));
    Press(w, WM_RBUTTONDBLCLK, 5, 40);
    const int first = pattern ? 6 : 2;
    const int second = pattern ? 11 : 7;
    const std::vector<qt::Command> expected = {
        Sent(kId, CLRN_DBLCLK, w),          Sent(kId + first, CLRN_CLICK, w),
        Sent(kId + first, CLRN_DBLCLK, w),  Sent(kId + second, CLRN_RCLICK, w),
        Sent(kId + second, CLRN_RDBLCLK, w)};
    EXPECT_EQ(parent.commands, expected) << (pattern ? "pattern" : "color");
    DestroyWindow(w);
  }
}

TEST_F(PickerTest, SpaceBarReportsTheSelectedCellRightPressesMoveIt) {
  HWND w = CreateColor();
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);       // nothing hit yet: cell 0
  Press(w, WM_RBUTTONDOWN, 60, 40);             // cell 7
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);     // a press of the key sends nothing
  SendMessageA(w, WM_CHAR, ' ', 0);
  SendMessageA(w, WM_KEYUP, 'A', 0);            // nor another key
  SendMessageA(w, WM_KEYUP, VK_RETURN, 0);
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);       // the right press moved the selection
  Press(w, WM_LBUTTONDOWN, 76, 40);             // no hit: the selection stays
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{Sent(kId, CLRN_CLICK, w), Sent(kId + 7, CLRN_RCLICK, w),
                                                       Sent(kId + 7, CLRN_CLICK, w), Sent(kId + 7, CLRN_CLICK, w)}));
}

TEST_F(PickerTest, CellIdentifiersWrapInSixteenBits) {
  HWND color = CreateColor(kColors.values, 65530);
  HWND pattern = CreatePattern(kPatterns.values, 65530);
  Press(color, WM_LBUTTONDOWN, 10, 10);    // cell 22
  Press(color, WM_LBUTTONDOWN, 40, 2);     // cell 0
  Press(pattern, WM_LBUTTONDOWN, 57, 51);  // cell 15
  Press(pattern, WM_RBUTTONDOWN, 38, 0);   // cell 2
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{Sent(16, CLRN_CLICK, color), Sent(65530, CLRN_CLICK, color),
                                                       Sent(9, PATN_CLICK, pattern), Sent(65532, PATN_RCLICK, pattern)}));
  // The private messages take the 32-bit sum.
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(color, CLRM_GETCOLOR, 65530 + 22, 0)), CellColor(22));
  EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, 65530 + 15, 0), 116);
}

TEST_F(PickerTest, PressesTakeTheFocusEvenWithoutAHit) {
  HWND w = CreateColor();
  SetFocus(parent.hwnd());
  ASSERT_EQ(GetFocus(), parent.hwnd());
  Press(w, WM_LBUTTONDOWN, 76, 40);
  EXPECT_EQ(GetFocus(), w);
  EXPECT_TRUE(parent.commands.empty());
  SetFocus(parent.hwnd());
  Press(w, WM_RBUTTONDOWN, 10, 102);
  EXPECT_EQ(GetFocus(), w);
  EXPECT_TRUE(parent.commands.empty());
}

// ---- private messages ----------------------------------------------------------

TEST_F(PickerTest, ColorMessagesReadAndChangeEveryEntry) {
  HWND w = CreateColor();
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) {
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(w, CLRM_GETCOLOR, kId + i, 0)), CellColor(i)) << i;
  }
  EXPECT_EQ(SendMessageA(w, CLRM_GETCOLOR, kId + 23, 0), 0x808080);  // the frame entry
  EXPECT_EQ(SendMessageA(w, CLRM_SETCOLOR, kId + 4, 0x00123456), 0x00123456);
  EXPECT_EQ(SendMessageA(w, CLRM_GETCOLOR, kId + 4, 0), 0x00123456);
  EXPECT_EQ(qt::PixelAt(w, 5, 40), 0x563412u);  // cell 4 shows it at once
  EXPECT_TRUE(parent.commands.empty());
}

TEST_F(PickerTest, MessagesOutsideTheEntriesReadZeroAndChangeNothing) {
  HWND color = CreateColor();
  HWND pattern = CreatePattern();
  const auto colorLook = Pixels(color), patternLook = Pixels(pattern);
  for (WPARAM wParam : {WPARAM(kId + 24), WPARAM(kId + 1000), WPARAM(kId - 1), WPARAM(0)}) {
    EXPECT_EQ(SendMessageA(color, CLRM_GETCOLOR, wParam, 0), 0) << wParam;
    EXPECT_EQ(SendMessageA(color, CLRM_SETCOLOR, wParam, 0x00ABCDEF), 0x00ABCDEF) << wParam;
    EXPECT_EQ(SendMessageA(color, CLRM_GETCOLOR, wParam, 0), 0) << wParam;
  }
  for (WPARAM wParam : {WPARAM(kId + 17), WPARAM(kId + 1000), WPARAM(kId - 1)}) {
    EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, wParam, 0), 0) << wParam;
    EXPECT_EQ(SendMessageA(pattern, PATM_SETPATTERN, wParam, 103), 103) << wParam;
    EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, wParam, 0), 0) << wParam;
  }
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) {
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(color, CLRM_GETCOLOR, kId + i, 0)), CellColor(i)) << i;
  }
  EXPECT_EQ(SendMessageA(color, CLRM_GETCOLOR, kId + 23, 0), 0x808080);
  for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, kId + i, 0), 101 + i);
  EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, kId + 16, 0), 0);
  qt::Repaint(color);
  qt::Repaint(pattern);
  EXPECT_EQ(Pixels(color), colorLook);
  EXPECT_EQ(Pixels(pattern), patternLook);
}

TEST_F(PickerTest, NullCreationRecordGivesZeroValues) {
  HWND color = CreateColor(nullptr);
  HWND pattern = CreatePattern(nullptr);
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) EXPECT_EQ(SendMessageA(color, CLRM_GETCOLOR, kId + i, 0), 0) << i;
  EXPECT_EQ(SendMessageA(color, CLRM_GETCOLOR, kId + 23, 0), 0x808080);
  for (int i = 0; i <= QOR32_PATTERN_COUNT; ++i) EXPECT_EQ(SendMessageA(pattern, PATM_GETPATTERN, kId + i, 0), 0) << i;
  // Black colours; no pattern bitmaps, so every pattern cell keeps the
  // light grey brush the paint starts with.
  EXPECT_TRUE(WellMatches(color, RECT{38, 0, 57, 17}, [](int, int) { return kBlack; }));
  for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) {
    EXPECT_TRUE(WellMatches(pattern, PatternCell(i), [](int, int) { return kLight; })) << i;
  }
  // Still working controls.
  Press(color, WM_LBUTTONDOWN, 40, 2);
  EXPECT_EQ(parent.commands.size(), 1u);
}

TEST_F(PickerTest, ParentMayUseThePickerWhileANotificationIsSent) {
  HWND w = CreateColor();
  std::vector<LRESULT> seen;
  int depth = 0;
  parent.onCommand = [&](WPARAM wParam, LPARAM) {
    if (depth++ > 0) return;
    const int cell = LOWORD(wParam) - kId;
    // Read the colour of the reported cell and move it into the front swatch.
    const LRESULT color = SendMessageA(w, CLRM_GETCOLOR, kId + cell, 0);
    seen.push_back(color);
    seen.push_back(SendMessageA(w, CLRM_SETCOLOR, kId + 22, color));
    // The selection already names the cell pressed.
    SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
    depth = 0;
  };
  Press(w, WM_LBUTTONDOWN, 60, 90);  // cell 19
  EXPECT_EQ(seen, (std::vector<LRESULT>{LRESULT(CellColor(19)), LRESULT(CellColor(19))}));
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{Sent(kId + 19, CLRN_CLICK, w), Sent(kId + 19, CLRN_CLICK, w)}));
  EXPECT_EQ(qt::PixelAt(w, 15, 15), qt::Rgb(CellColor(19)));
}

TEST_F(PickerTest, ParentMayDestroyThePickerFromItsNotification) {
  for (bool pattern : {false, true}) {
    HWND w = pattern ? CreatePattern() : CreateColor();
    const int windows = qt::CountThreadWindows();
    parent.onCommand = [&](WPARAM, LPARAM) { DestroyWindow(w); };
    Press(w, WM_LBUTTONDOWN, 40, 20);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(qt::CountThreadWindows(), windows - 1);
    parent.onCommand = nullptr;
  }
}

// ---- pixels --------------------------------------------------------------------

qt::Legend ColorLegend() {
  qt::Legend legend = BaseLegend();
  legend['c'] = qt::Rgb(CellColor(0));
  legend['f'] = qt::Rgb(CellColor(22));
  legend['a'] = qt::Rgb(CellColor(21));
  legend['s'] = qt::Rgb(CellColor(20));
  legend['p'] = qt::Rgb(CellColor(1));
  legend['q'] = qt::Rgb(CellColor(16));
  legend['r'] = qt::Rgb(CellColor(19));
  return legend;
}

TEST_F(PickerTest, PaletteCellIsASunkenWell) {
  HWND w = CreateColor();
  // Cell 0 = (38, 0, 57, 17), its right column and bottom row included.
  EXPECT_TRUE(qt::PixelsMatch(w, 38, 0,
                              {"wwwwwwwwwwwwwwwwwwww",
                               "wddddddddddddddddddw",
                               "wdkkkkkkkkkkkkkkkklw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdkccccccccccccccclw",
                               "wdlllllllllllllllllw",
                               "wwwwwwwwwwwwwwwwwwww"},
                              ColorLegend()));
  // Every palette cell follows the same pattern with its own colour.
  for (int i = 0; i < 20; ++i) {
    const RECT r = i < 4 ? RECT{38 + 19 * (i % 2), 17 * (i / 2), 57 + 19 * (i % 2), 17 + 17 * (i / 2)}
                         : RECT{19 * ((i - 4) % 4), 34 + 17 * ((i - 4) / 4), 19 + 19 * ((i - 4) % 4),
                                51 + 17 * ((i - 4) / 4)};
    EXPECT_TRUE(WellMatches(w, r, [i](int, int) { return qt::Rgb(CellColor(i)); })) << i;
  }
}

TEST_F(PickerTest, FrontSwatchIsRaised) {
  HWND w = CreateColor();
  // Front swatch (6, 6, 24, 22), drawn last.
  EXPECT_TRUE(qt::PixelsMatch(w, 6, 6,
                              {"wwwwwwwwwwwwwwwwwwl",
                               "wllllllllllllllllld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wlfffffffffffffffld",
                               "wllllllllllllllllld",
                               "lddddddddddddddddddd"},
                              ColorLegend()));
}

TEST_F(PickerTest, FrontSwatchCoversTheBackSwatchInsideTheWell) {
  HWND w = CreateColor();
  const qt::Legend legend = ColorLegend();
  // Columns 22 to 37, rows 12 to 33: the front swatch's right edge, the back
  // swatch (16, 14, 34, 30) behind it, the swatch well's interior and edges.
  EXPECT_TRUE(qt::PixelsMatch(w, 22, 12,
                              {"fldssssssssssssl",
                               "fldssssssssssssl",
                               "fldwwwwwwwwwlssl",
                               "fldllllllllldssl",
                               "fldaaaaaaaaldssl",
                               "fldaaaaaaaaldssl",
                               "fldaaaaaaaaldssl",
                               "fldaaaaaaaaldssl",
                               "fldaaaaaaaaldssl",
                               "lldaaaaaaaaldssl",
                               "dddaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "aaaaaaaaaaaldssl",
                               "lllllllllllldssl",
                               "dddddddddddddssl",
                               "sssssssssssssssl",
                               "sssssssssssssssl",
                               "llllllllllllllll"},
                              legend));
}

TEST_F(PickerTest, DropShadowAndTheTwoPixelsNeverDrawn) {
  HWND color = CreateColor();
  HWND pattern = CreatePattern();
  const qt::Legend legend = ColorLegend();
  EXPECT_TRUE(qt::PixelsMatch(color, 74, 0, {"wwwb", "ddwd", "klwd", "plwd"}, legend));
  EXPECT_TRUE(qt::PixelsMatch(color, 74, 99, {"rlwd", "rlwd", "llwd", "wwwd", "dddd"}, legend));
  EXPECT_TRUE(qt::PixelsMatch(color, 0, 100, {"wdkq", "wdll", "wwww", "bddd"}, legend));
  // Row 103 and column 77 are dark grey from end to end, but for (0, 103)
  // and (77, 0).
  for (uint32_t p : qt::ReadPixels(color, RECT{1, 103, 78, 104})) EXPECT_EQ(p, kDark);
  for (uint32_t p : qt::ReadPixels(color, RECT{77, 1, 78, 104})) EXPECT_EQ(p, kDark);
  // The pattern picker: row 69 and column 77.
  EXPECT_EQ(qt::PixelAt(pattern, 0, 69), kBackground);
  EXPECT_EQ(qt::PixelAt(pattern, 77, 0), kBackground);
  for (uint32_t p : qt::ReadPixels(pattern, RECT{1, 69, 78, 70})) EXPECT_EQ(p, kDark);
  for (uint32_t p : qt::ReadPixels(pattern, RECT{77, 1, 78, 70})) EXPECT_EQ(p, kDark);
  EXPECT_TRUE(qt::PixelsMatch(pattern, 74, 67, {"llwd", "wwwd", "dddd"}, legend));
}

TEST_F(PickerTest, SetColorRepaintsOnlyItsEntry) {
  HWND w = CreateColor();
  // Marks inside and outside the back swatch's rectangle (16, 14, 34, 30).
  {
    HDC dc = GetDC(w);
    SetPixel(dc, 30, 20, RGB(255, 0, 255));
    SetPixel(dc, 60, 60, RGB(255, 0, 255));
    ReleaseDC(w, dc);
  }
  const COLORREF newBack = RGB(0x11, 0xEE, 0x77);
  EXPECT_EQ(SendMessageA(w, CLRM_SETCOLOR, kId + 21, newBack), static_cast<LRESULT>(newBack));
  EXPECT_EQ(qt::PixelAt(w, 30, 20), qt::Rgb(newBack));  // repainted
  EXPECT_EQ(qt::PixelAt(w, 60, 60), 0xFF00FFu);         // outside: untouched
  // The front swatch still covers the back swatch's top-left corner.
  qt::Legend legend = ColorLegend();
  legend['a'] = qt::Rgb(newBack);
  EXPECT_TRUE(qt::PixelsMatch(w, 16, 14, {"fffffffld", "fffffffld"}, legend));
  EXPECT_TRUE(qt::PixelsMatch(w, 22, 20, {"fldaaaaaaaaldss", "lldaaaaaaaaldss", "dddaaaaaaaaldss", "aaaaaaaaaaaldss"},
                              legend));

  // The frame entry changes, the shadow does not.
  qt::Repaint(w);
  const auto look = Pixels(w);
  EXPECT_EQ(SendMessageA(w, CLRM_SETCOLOR, kId + 23, 0x000000FF), 0x000000FF);
  EXPECT_EQ(SendMessageA(w, CLRM_GETCOLOR, kId + 23, 0), 0x000000FF);
  EXPECT_EQ(Pixels(w), look);
  qt::Repaint(w);
  EXPECT_EQ(Pixels(w), look);
}

TEST_F(PickerTest, FocusRepaintsWithoutChangingAPixel) {
  for (bool pattern : {false, true}) {
    HWND w = pattern ? CreatePattern() : CreateColor();
    SetFocus(parent.hwnd());
    const auto look = Pixels(w);
    HDC dc = GetDC(w);
    SetPixel(dc, 40, 40, RGB(255, 0, 255));
    ReleaseDC(w, dc);
    SetFocus(w);  // repaints at once: the mark is gone
    EXPECT_EQ(Pixels(w), look);
    dc = GetDC(w);
    SetPixel(dc, 40, 40, RGB(255, 0, 255));
    ReleaseDC(w, dc);
    SetFocus(parent.hwnd());
    EXPECT_EQ(Pixels(w), look);
    DestroyWindow(w);
  }
}

// ---- the pattern picker's bitmaps -------------------------------------------------

TEST_F(PickerTest, PatternCellsAreTiledFromTheirBitmaps) {
  // Cells 0 and 6 name no bitmap (0, and a resource that does not exist):
  // cell 0 keeps the light grey brush, cell 6 the brush of cell 5.
  Patterns patterns = kPatterns;
  patterns.values[0] = 0;
  patterns.values[6] = 999;
  HWND w = CreatePattern(patterns.values);
  std::vector<qt::BitmapPixels> images;
  for (int k = 0; k < QOR32_PATTERN_COUNT; ++k) images.push_back(LoadPattern(101 + k));
  ASSERT_GT(images[5].width, 0);
  for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) {
    const qt::BitmapPixels* image = i == 0 ? nullptr : &images[i == 6 ? 5 : i];
    // The brush tiles from the client origin.
    EXPECT_TRUE(WellMatches(w, PatternCell(i), [image](int x, int y) { return image ? image->Tiled(x, y) : kLight; }))
        << "cell " << i;
  }
}

TEST_F(PickerTest, PatternMessagesKeepAll32Bits) {
  HWND w = CreatePattern();
  EXPECT_EQ(SendMessageA(w, PATM_GETPATTERN, kId + 3, 0), 104);
  const DWORD value = 0xABCD0000u | 108;
  EXPECT_EQ(static_cast<DWORD>(SendMessageA(w, PATM_SETPATTERN, kId + 3, static_cast<LPARAM>(value))), value);
  EXPECT_EQ(static_cast<DWORD>(SendMessageA(w, PATM_GETPATTERN, kId + 3, 0)), value);
  const qt::BitmapPixels image = LoadPattern(108);
  EXPECT_TRUE(WellMatches(w, PatternCell(3), [&](int x, int y) { return image.Tiled(x, y); }));
  // The frame entry: 0 until set, and setting it changes no pixel.
  EXPECT_EQ(SendMessageA(w, PATM_GETPATTERN, kId + 16, 0), 0);
  const auto look = Pixels(w);
  EXPECT_EQ(SendMessageA(w, PATM_SETPATTERN, kId + 16, 105), 105);
  EXPECT_EQ(SendMessageA(w, PATM_GETPATTERN, kId + 16, 0), 105);
  EXPECT_EQ(Pixels(w), look);
}

TEST_F(PickerTest, PatternBitmapsComeFromTheParentsModule) {
  // The picker's own instance is the library, which holds no bitmaps.
  HWND w = CreatePattern(kPatterns.values, kId, GetModuleHandleA("QOR32CL.DLL"));
  ASSERT_NE(w, nullptr);
  const qt::BitmapPixels image = LoadPattern(110);
  EXPECT_TRUE(WellMatches(w, PatternCell(9), [&](int x, int y) { return image.Tiled(x, y); }));
}

// ---- GDI hygiene ---------------------------------------------------------------

TEST_F(PickerTest, PaintsLeaveNoGdiObjectBehind) {
  Patterns someMissing = kPatterns;
  someMissing.values[0] = 0;
  someMissing.values[9] = 999;
  for (int which = 0; which < 3; ++which) {
    HWND w = which == 0 ? CreateColor() : CreatePattern(which == 1 ? kPatterns.values : someMissing.values);
    qt::Repaint(w);
    const int before = qt::GdiCounter::LiveObjects();
    for (int i = 0; i < 1000; ++i) qt::Repaint(w);
    EXPECT_EQ(qt::GdiCounter::LiveObjects(), before) << which;
    DestroyWindow(w);
  }
}

}  // namespace
