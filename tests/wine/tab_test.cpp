// Tab control: creation from the control text, the band shown, presses and
// the space bar as the parent sees them, TABM_SETSEL / TABM_GETSEL, the
// focus rectangle, controls without count or bitmap, re-entrancy and GDI
// hygiene.
#include <windows.h>

#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/bitmap_pixels.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 300;
constexpr uint32_t kBackground = 0x2040A0;

qt::BitmapPixels Strip(const char* name) { return qt::LoadBitmapPixels(GetModuleHandleA(nullptr), name); }

SIZE WindowSize(HWND w) {
  RECT rc;
  GetWindowRect(w, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

qt::Command Clicked(int id, HWND from) { return qt::MakeCommand(id, TABN_CLICK, from); }

struct FocusChange {
  std::vector<POINT> changed;  // pixels that differ with the focus
  bool allInverted = true;     // each of them is the inverse of its look without
};

class TabTest : public ::testing::Test {
 protected:
  // Each control on its own row of the parent.
  HWND Create(const char* text, int id = kId, int width = 60, int height = 30) {
    HWND w = parent.CreateChild(QOR32_TAB_CLASS, text, WS_VISIBLE, 10, nextY, width, height, id);
    nextY += 40;
    UpdateWindow(w);
    return w;
  }
  void Press(HWND w, int x, int y) { SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

  // The control shows rows first .. first + band - 1 of the strip. The focus
  // goes to the parent first, so that no focus rectangle is drawn.
  ::testing::AssertionResult ShowsRows(HWND w, const qt::BitmapPixels& strip, int first, int band) {
    SetFocus(parent.hwnd());
    return ShowsTopRows(w, strip, first, band);
  }
  // The same for the top `count` rows of the control, as it stands.
  static ::testing::AssertionResult ShowsTopRows(HWND w, const qt::BitmapPixels& strip, int first, int count) {
    RECT rc{0, 0, strip.width, count};
    if (qt::ReadPixels(w, rc) == strip.Rows(first, count)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the control does not show rows " << first << " to "
                                         << first + count - 1;
  }

  FocusChange CompareFocus(HWND w) {
    SetFocus(parent.hwnd());
    int width = 0, height = 0;
    const auto without = qt::ReadClientPixels(w, &width, &height);
    SetFocus(w);
    const auto with = qt::ReadClientPixels(w);
    FocusChange change;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t i = size_t(y) * width + x;
        if (with[i] == without[i]) continue;
        change.changed.push_back(POINT{x, y});
        if (with[i] != (without[i] ^ 0xFFFFFF)) change.allInverted = false;
      }
    }
    return change;
  }

  qt::ParentWindow parent{420, 420, kBackground};
  int nextY = 10;
};

// ---- creation and the band shown ---------------------------------------------

TEST_F(TabTest, SizesItselfToOneBandAndShowsTheSelectedBand) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3");
  ASSERT_EQ(strip.height, 60);
  HWND w = Create("~Q3 TAB_STRIP3", kId, 50, 50);
  const SIZE size = WindowSize(w);
  EXPECT_EQ(size.cx, 171);
  EXPECT_EQ(size.cy, 20);
  EXPECT_TRUE(ShowsRows(w, strip, 0, 20));

  // The parent hears of the press before the control shows the new band
  // (rows 0 to 2 lie above every focus rectangle).
  bool showedOldBand = false;
  parent.onCommand = [&](WPARAM, LPARAM) { showedOldBand = ShowsTopRows(w, strip, 0, 3); };
  Press(w, 70, 5);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(kId + 1, w)});
  EXPECT_TRUE(showedOldBand);
  EXPECT_TRUE(ShowsRows(w, strip, 20, 20));
  Press(w, 170, 19);
  EXPECT_TRUE(ShowsRows(w, strip, 40, 20));
}

TEST_F(TabTest, RemainderRowsOfTheStripAreNeverShown) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3_TALL");
  HWND w = Create("~Q3 TAB_STRIP3_TALL");
  EXPECT_EQ(WindowSize(w).cy, 20);  // 62 / 3
  Press(w, 120, 10);
  EXPECT_TRUE(ShowsRows(w, strip, 40, 20));
}

TEST_F(TabTest, EveryLayoutSizesAndHitsItsTabs) {
  struct Case {
    const char* text;
    const char* strip;
    int width, height;
    std::vector<int> presses;  // x at y = 5, and the tab each hits (-1: none)
    std::vector<int> tabs;
  };
  const Case cases[] = {
      {"~Q2 TAB_STRIP2", "TAB_STRIP2", 171, 20, {85, 86, 170}, {0, 1, 1}},
      {"~Q4 TAB_STRIP4", "TAB_STRIP4", 173, 23, {42, 43, 129, 172}, {0, 1, 3, 3}},
      {"~Q19 TAB_WIDE19", "TAB_WIDE19", 249, 23, {82, 83, 248}, {0, 1, 2}},
      {"~Q20 TAB_WIDE20", "TAB_WIDE20", 339, 23, {111, 112, 113, 225, 226}, {0, -1, 1, -1, 2}},
  };
  for (const Case& c : cases) {
    parent.commands.clear();
    HWND w = Create(c.text);
    const SIZE size = WindowSize(w);
    EXPECT_EQ(size.cx, c.width) << c.text;
    EXPECT_EQ(size.cy, c.height) << c.text;
    std::vector<qt::Command> expected;
    for (size_t i = 0; i < c.presses.size(); ++i) {
      Press(w, c.presses[i], 5);
      if (c.tabs[i] >= 0) expected.push_back(Clicked(kId + c.tabs[i], w));
    }
    EXPECT_EQ(parent.commands, expected) << c.text;
    const int last = expected.empty() ? 0 : LOWORD(expected.back().wParam) - kId;
    EXPECT_TRUE(ShowsRows(w, Strip(c.strip), last * c.height, c.height)) << c.text;
    DestroyWindow(w);
  }
}

TEST_F(TabTest, RepeatedPressesAndTheSpaceBarNotifyEveryTime) {
  HWND w = Create("~Q3 TAB_STRIP3");
  Press(w, 130, 5);  // tab 2
  Press(w, 130, 5);  // again: no double click, a second notification
  Press(w, 70, 25);  // below the tabs: nothing
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(w, WM_KEYUP, VK_RETURN, 0);
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);  // re-sends tab 2
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{Clicked(kId + 2, w), Clicked(kId + 2, w), Clicked(kId + 2, w)}));

  // The space bar does not repaint.
  HDC dc = GetDC(w);
  SetPixel(dc, 5, 5, RGB(255, 0, 255));
  ReleaseDC(w, dc);
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(qt::PixelAt(w, 5, 5), 0xFF00FFu);
}

TEST_F(TabTest, ControlTextIsReadOnlyAtCreation) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3");
  HWND w = Create("~Q3 TAB_STRIP3");
  SetWindowTextA(w, "~Q2 TAB_STRIP2");
  qt::Repaint(w);
  EXPECT_EQ(WindowSize(w).cx, 171);
  EXPECT_EQ(WindowSize(w).cy, 20);
  EXPECT_TRUE(ShowsRows(w, strip, 0, 20));
  Press(w, 130, 5);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(kId + 2, w)});  // still three tabs
}

TEST_F(TabTest, BitmapComesFromTheParentsModuleOrTheOneGivenByH) {
  HMODULE moduleA = LoadLibraryA("qres_a.dll");
  HMODULE moduleB = LoadLibraryA("qres_b.dll");
  ASSERT_TRUE(moduleA != nullptr && moduleB != nullptr);
  // The parent's module (B, 6 x 1) comes before the control's own (4 x 1).
  qt::ParentWindow other(200, 100, kBackground, moduleB);
  HWND fromParent = other.CreateChild(QOR32_TAB_CLASS, "~Q1 SHARED", WS_VISIBLE, 0, 0, 30, 30, kId);
  EXPECT_EQ(WindowSize(fromParent).cx, 6);
  EXPECT_EQ(WindowSize(fromParent).cy, 1);

  // ~H names module A in decimal; the reader takes at most nine digits, so
  // a handle of ten or more digits cannot be named and the parent's module
  // is searched first as before.
  const std::string digits = std::to_string(reinterpret_cast<uintptr_t>(moduleA));
  const std::string text = "~H" + digits + "~Q1 SHARED";
  HWND named = other.CreateChild(QOR32_TAB_CLASS, text.c_str(), WS_VISIBLE, 0, 40, 30, 30, kId);
  EXPECT_EQ(WindowSize(named).cx, digits.size() <= 9 ? 5 : 6) << digits;
  DestroyWindow(fromParent);
  DestroyWindow(named);
  FreeLibrary(moduleA);
  FreeLibrary(moduleB);
}

// ---- private messages -----------------------------------------------------------

TEST_F(TabTest, SetSelSelectsWithoutNotifyingGetSelReturnsTheSum) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3");
  HWND w = Create("~Q3 TAB_STRIP3");
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId);
  EXPECT_EQ(SendMessageA(w, TABM_SETSEL, kId + 2, 0), kId + 2);
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId + 2);
  EXPECT_TRUE(ShowsRows(w, strip, 40, 20));  // repainted at once
  // Only the low word names the tab; the result is wParam as given.
  const WPARAM withHighWord = 0x00070000 | (kId + 1);
  EXPECT_EQ(SendMessageA(w, TABM_SETSEL, withHighWord, 0), static_cast<LRESULT>(withHighWord));
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId + 1);
  EXPECT_TRUE(ShowsRows(w, strip, 20, 20));
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(kId + 1, w)});
}

TEST_F(TabTest, SetSelBeyondTheBandsChangesNothing) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3");
  HWND w = Create("~Q3 TAB_STRIP3");
  SendMessageA(w, TABM_SETSEL, kId + 1, 0);
  SetFocus(w);
  const auto look = qt::ReadClientPixels(w);
  for (WPARAM wParam : {WPARAM(kId + 3), WPARAM(kId + 4), WPARAM(kId + 1000), WPARAM(kId - 1)}) {
    EXPECT_EQ(SendMessageA(w, TABM_SETSEL, wParam, 0), static_cast<LRESULT>(wParam));
    EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId + 1) << wParam;
  }
  qt::Repaint(w);
  EXPECT_EQ(qt::ReadClientPixels(w), look);
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(kId + 1, w)});
}

TEST_F(TabTest, IdentifiersNearTheTopOfTheRange) {
  HWND w = Create("~Q3 TAB_STRIP3", 65535);
  Press(w, 70, 5);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(0, w)});  // 65535 + 1 in 16 bits
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), 65536);                // a 32-bit sum
  EXPECT_EQ(SendMessageA(w, TABM_SETSEL, 1, 0), 1);                    // 1 - 65535 = 2 in 16 bits
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), 65537);
}

// ---- the focus rectangle -----------------------------------------------------------

TEST_F(TabTest, FocusRectangleFramesTheSelectedTab) {
  struct Case {
    const char* text;
    const char* strip;
    int tab;
    RECT frame;  // focusRects[tab]
  };
  const Case cases[] = {
      {"~Q2 TAB_STRIP2", "TAB_STRIP2", 1, {92, 4, 159, 20}},
      {"~Q3 TAB_STRIP3", "TAB_STRIP3", 0, {6, 4, 53, 20}},
      {"~Q3 TAB_STRIP3", "TAB_STRIP3", 2, {115, 4, 162, 20}},
      {"~Q4 TAB_STRIP4", "TAB_STRIP4", 3, {131, 3, 170, 20}},
      {"~Q19 TAB_WIDE19", "TAB_WIDE19", 1, {87, 3, 162, 20}},
      {"~Q20 TAB_WIDE20", "TAB_WIDE20", 2, {230, 3, 336, 20}},
  };
  for (const Case& c : cases) {
    HWND w = Create(c.text);
    SendMessageA(w, TABM_SETSEL, kId + c.tab, 0);
    const FocusChange change = CompareFocus(w);
    EXPECT_TRUE(change.allInverted) << c.text;
    // Every changed pixel lies on the frame's edges: the top row, the bottom
    // row 19, the left and the right column.
    int top = 0, bottom = 0, left = 0, right = 0;
    const RECT& f = c.frame;
    for (const POINT& p : change.changed) {
      const bool inside = p.x >= f.left && p.x < f.right && p.y >= f.top && p.y < f.bottom;
      const bool onEdge = p.y == f.top || p.y == f.bottom - 1 || p.x == f.left || p.x == f.right - 1;
      EXPECT_TRUE(inside && onEdge) << c.text << ": (" << p.x << ", " << p.y << ")";
      top += p.y == f.top;
      bottom += p.y == 19;
      left += p.x == f.left;
      right += p.x == f.right - 1;
    }
    // A dotted frame: every other pixel along each edge.
    const int width = f.right - f.left, height = f.bottom - f.top;
    EXPECT_GE(top, width / 2) << c.text;
    EXPECT_GE(bottom, width / 2) << c.text;
    EXPECT_GE(left, height / 2) << c.text;
    EXPECT_GE(right, height / 2) << c.text;
    // Gone once the focus leaves.
    const auto focused = qt::ReadClientPixels(w);
    SetFocus(parent.hwnd());
    EXPECT_NE(qt::ReadClientPixels(w), focused) << c.text;
    EXPECT_TRUE(ShowsRows(w, Strip(c.strip), c.tab * WindowSize(w).cy, WindowSize(w).cy)) << c.text;
    DestroyWindow(w);
  }
}

TEST_F(TabTest, FocusRectangleRowsOfLayoutThree) {
  HWND w = Create("~Q3 TAB_STRIP3");
  const FocusChange change = CompareFocus(w);
  // Tab 0's frame (6, 4, 53, 20), dotted in the system's way: inverted where
  // x + y is even, on rows 4 and 19 and columns 6 and 52.
  std::vector<std::string> inverted(20, std::string(171, '.'));
  for (const POINT& p : change.changed) inverted[p.y][p.x] = '#';
  std::vector<std::string> expected(20, std::string(171, '.'));
  for (int x = 6; x <= 52; ++x) {
    if ((x + 4) % 2 == 0) expected[4][x] = '#';
    if ((x + 19) % 2 == 0) expected[19][x] = '#';
  }
  for (int y = 4; y <= 19; ++y) {
    if ((6 + y) % 2 == 0) expected[y][6] = '#';
    if ((52 + y) % 2 == 0) expected[y][52] = '#';
  }
  EXPECT_EQ(inverted, expected);
  EXPECT_TRUE(change.allInverted);
}

// ---- controls without count, layout or bitmap -----------------------------------------

TEST_F(TabTest, WithoutCountOrBitmapNothingIsPainted) {
  // Without a count there is no band to select; the missing bitmap leaves
  // the three tabs of the layout.
  const struct {
    const char* text;
    int selectable;
  } cases[] = {{"", 0}, {"~Z9", 0}, {"~Q0 TAB_STRIP3", 0}, {"~Q3 NO_SUCH_BITMAP", 1}};
  for (const auto& c : cases) {
    const char* text = c.text;
    parent.commands.clear();
    HWND w = Create(text, kId, 60, 30);
    SetFocus(w);
    qt::Repaint(w);
    const SIZE size = WindowSize(w);
    EXPECT_EQ(size.cx, 60) << text;  // the size it was created with
    EXPECT_EQ(size.cy, 30) << text;
    for (uint32_t p : qt::ReadClientPixels(w)) ASSERT_EQ(p, kBackground) << text;
    SetFocus(parent.hwnd());
    Press(w, 10, 5);
    EXPECT_EQ(GetFocus(), w) << text;
    EXPECT_EQ(SendMessageA(w, TABM_SETSEL, kId + 1, 0), kId + 1);
    EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId + c.selectable) << text;
    DestroyWindow(w);
  }
}

TEST_F(TabTest, CountWithoutLayoutShowsBandsButHasNoTabs) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP5");
  HWND w = Create("~Q5 TAB_STRIP5");
  EXPECT_EQ(WindowSize(w).cy, 10);
  Press(w, 5, 5);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_EQ(SendMessageA(w, TABM_SETSEL, kId + 4, 0), kId + 4);
  SetFocus(w);  // no focus rectangle for a tab without one
  ASSERT_EQ(GetFocus(), w);
  qt::Repaint(w);
  EXPECT_TRUE(ShowsTopRows(w, strip, 40, 10));
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(parent.commands, std::vector<qt::Command>{Clicked(kId + 4, w)});
}

// ---- re-entrancy ---------------------------------------------------------------------

TEST_F(TabTest, ParentMaySelectAnotherTabFromItsNotification) {
  const qt::BitmapPixels strip = Strip("TAB_STRIP3");
  HWND w = Create("~Q3 TAB_STRIP3");
  std::vector<LRESULT> seen;
  parent.onCommand = [&](WPARAM, LPARAM) {
    seen.push_back(SendMessageA(w, TABM_GETSEL, 0, 0));
    seen.push_back(SendMessageA(w, TABM_SETSEL, kId + 2, 0));
    seen.push_back(SendMessageA(w, TABM_GETSEL, 0, 0));
  };
  Press(w, 70, 5);
  EXPECT_EQ(seen, (std::vector<LRESULT>{kId + 1, kId + 2, kId + 2}));
  EXPECT_EQ(SendMessageA(w, TABM_GETSEL, 0, 0), kId + 2);
  EXPECT_TRUE(ShowsRows(w, strip, 40, 20));
}

TEST_F(TabTest, ParentMayDestroyTheControlFromItsNotification) {
  HWND w = Create("~Q3 TAB_STRIP3");
  const int windows = qt::CountThreadWindows();
  const int objects = qt::GdiCounter::LiveObjects();
  parent.onCommand = [&](WPARAM, LPARAM) { DestroyWindow(w); };
  Press(w, 70, 5);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(qt::CountThreadWindows(), windows - 1);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), objects - 1);  // the strip bitmap is gone
}

// ---- GDI hygiene -----------------------------------------------------------------------

TEST_F(TabTest, PaintsLeaveNoGdiObjectBehindAndDestroyDeletesTheStrip) {
  const int start = qt::GdiCounter::LiveObjects();
  HWND w = Create("~Q3 TAB_STRIP3");
  SetFocus(w);
  qt::Repaint(w);
  const int before = qt::GdiCounter::LiveObjects();
  EXPECT_EQ(before, start + 1);  // the strip
  for (int i = 0; i < 1000; ++i) qt::Repaint(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
  DestroyWindow(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), start);
}

}  // namespace
