// Matrix control: configuration and layout, cell buttons and their
// identifiers, exact pixels per band count (the masked composition over a
// known parent background included), auto-repeat driven through the cell
// buttons' owner-draw states, the notifications the parent receives, and no
// GDI object or window left behind.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 300;
constexpr uint32_t kParentGrey = 0x404040;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buf[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return buf;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// The control's children, in identifier order.
std::vector<HWND> Cells(HWND matrix) {
  std::vector<HWND> cells;
  EnumChildWindows(matrix, CollectChild, reinterpret_cast<LPARAM>(&cells));
  std::sort(cells.begin(), cells.end(),
            [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
  return cells;
}

RECT RectIn(HWND window, HWND child) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

SIZE WindowSize(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// Repaints the control's cells at once.
void PaintCells(HWND matrix) {
  RedrawWindow(matrix, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Press(HWND cell) { SendMessageA(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)); }
void Release(HWND cell) { SendMessageA(cell, WM_LBUTTONUP, 0, MAKELPARAM(1, 1)); }

// Whether the control has a repeat timer for the cell (asking kills it).
bool TakeTimer(HWND matrix, int cellId) { return KillTimer(matrix, cellId) != FALSE; }

// Sends the control the owner-draw message a cell button would send.
void SendDrawItem(HWND matrix, HWND cell, UINT action, UINT state) {
  HDC dc = GetDC(cell);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = GetDlgCtrlID(cell);
  item.itemAction = action;
  item.itemState = state;
  item.hwndItem = cell;
  item.hDC = dc;
  GetClientRect(cell, &item.rcItem);
  SendMessageA(matrix, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  ReleaseDC(cell, dc);
}

class MatrixTest : public ::testing::Test {
 protected:
  HWND Create(const std::string& text, int x = 10, int y = 10, int id = kId, int width = 50,
              int height = 30) {
    return parent.CreateChild(QOR32_MATRIX_CLASS, text.c_str(), WS_VISIBLE, x, y, width, height, id);
  }
  qt::ParentWindow parent{320, 240, kParentGrey};
};

// ---- Configuration and layout -----------------------------------------

TEST_F(MatrixTest, ExampleGridSizesTheControlAndCreatesEightCells) {
  const char* text = "~M 0 1 0 3 BUTTONS 4 2 2 2 3 3 0 0";
  HWND matrix = Create(text);
  const SIZE size = WindowSize(matrix);
  EXPECT_EQ(size.cx, 166);
  EXPECT_EQ(size.cy, 42);
  const std::vector<HWND> cells = Cells(matrix);
  ASSERT_EQ(cells.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    HWND cell = cells[i];
    EXPECT_EQ(GetDlgCtrlID(cell), kId + i);
    EXPECT_EQ(GetDlgItem(matrix, kId + i), cell);
    char className[16];
    GetClassNameA(cell, className, sizeof className);
    EXPECT_STREQ(className, "Button");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(cell, GWL_STYLE)), 0x5001000Bu);
    const RECT rc = RectIn(matrix, cell);
    EXPECT_EQ(rc.left, (i % 4) * 42) << i;
    EXPECT_EQ(rc.top, (i / 4) * 22) << i;
    EXPECT_EQ(rc.right - rc.left, 40);
    EXPECT_EQ(rc.bottom - rc.top, 20);
  }
  // Reconfiguring does not change the window text.
  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~M0 0 0 3 BUTTONS 2 2 0 0 0 0 0 0"));
  char buf[64];
  GetWindowTextA(matrix, buf, sizeof buf);
  EXPECT_STREQ(buf, text);
  EXPECT_EQ(Cells(matrix).size(), 4u);
  EXPECT_EQ(WindowSize(matrix).cx, 160);  // 160 / 2 = 80 per cell, no gap
  EXPECT_EQ(WindowSize(matrix).cy, 40);
}

TEST_F(MatrixTest, FocusGoesToTheFirstCellAndItsRectangleIsInset) {
  HWND matrix = Create("~M 0 1 0 3 BUTTONS 4 2 2 2 3 3 0 0");
  const std::vector<HWND> cells = Cells(matrix);
  ASSERT_EQ(cells.size(), 8u);
  PaintCells(matrix);
  const RECT cell0{10, 10, 50, 30};  // parent coordinates
  const std::vector<uint32_t> plain = qt::ReadPixels(parent.hwnd(), cell0);

  SetFocus(matrix);
  EXPECT_EQ(GetFocus(), cells[0]);
  UpdateWindow(cells[0]);
  const std::vector<uint32_t> focused = qt::ReadPixels(parent.hwnd(), cell0);
  // Every pixel that changed lies on the rectangle (3, 3)-(37, 17).
  int changed = 0, strays = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      if (plain[y * 40 + x] == focused[y * 40 + x]) continue;
      ++changed;
      const bool onRing = ((x == 3 || x == 36) && y >= 3 && y <= 16) ||
                          ((y == 3 || y == 16) && x >= 3 && x <= 36);
      strays += !onRing;
    }
  EXPECT_GT(changed, 20);
  EXPECT_EQ(strays, 0);
  // Moving the focus away toggles the rectangle off again.
  SetFocus(parent.hwnd());
  UpdateWindow(cells[0]);
  EXPECT_EQ(qt::ReadPixels(parent.hwnd(), cell0), plain);

  // A negative inset on either axis: no focus rectangle.
  for (const char* text : {"~M 0 0 0 3 BUTTONS 4 2 2 2 -1 3 0 0", "~M 0 0 0 3 BUTTONS 4 2 2 2 3 -1 0 0"}) {
    SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PaintCells(matrix);
    const std::vector<uint32_t> before = qt::ReadPixels(parent.hwnd(), cell0);
    SetFocus(matrix);
    ASSERT_EQ(GetFocus(), GetDlgItem(matrix, kId));
    UpdateWindow(GetDlgItem(matrix, kId));
    EXPECT_EQ(qt::ReadPixels(parent.hwnd(), cell0), before) << text;
    SetFocus(parent.hwnd());
  }
}

TEST_F(MatrixTest, InstanceCommandsChooseTheModuleSearchedFirst) {
  // Top level from qres_a.dll (SHARED is 5 x 1 there), an intermediate
  // window from the test program (SHARED is 4 x 1 here).
  HMODULE moduleA = LoadLibraryA("qres_a.dll");
  ASSERT_NE(moduleA, nullptr);
  {
    qt::ParentWindow top(200, 100, kParentGrey, moduleA);
    HWND middle = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 80, top.hwnd(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    const auto widthFor = [&](const char* text) {
      HWND matrix = CreateWindowExA(0, QOR32_MATRIX_CLASS, text, WS_CHILD | WS_VISIBLE, 5, 5, 50, 30,
                                    middle, reinterpret_cast<HMENU>(kId), GetModuleHandleA(nullptr),
                                    nullptr);
      const int width = WindowSize(matrix).cx;
      DestroyWindow(matrix);
      return width;
    };
    EXPECT_EQ(widthFor("~M0 0 0 0 SHARED 1 1 0 0 0 0 0 0"), 4);  // the parent's module first
    EXPECT_EQ(widthFor("~P~M0 0 0 0 SHARED 1 1 0 0 0 0 0 0"), 5);
    EXPECT_EQ(widthFor("~M0 0 0 0 SHARED 1 1 0 0 0 0 0 0~p"), 5);
  }
  // ~H names the module by its handle value, all digits of it.
  HWND direct = Create(Format("~H %lld~M0 0 0 0 SHARED 1 1 0 0 0 0 0 0",
                              static_cast<long long>(reinterpret_cast<INT_PTR>(moduleA))));
  EXPECT_EQ(WindowSize(direct).cx, 5);
  HWND plain = Create("~M0 0 0 0 SHARED 1 1 0 0 0 0 0 0", 100, 10);
  EXPECT_EQ(WindowSize(plain).cx, 4);
  FreeLibrary(moduleA);
}

// ---- Obvious faults, mended ---------------------------------------------

TEST_F(MatrixTest, TextsThatGiveNoGridMakeAControlWithoutCells) {
  const char* texts[] = {
      "",
      "~P",                                      // no ~M
      "~M0 0 0 0 MTX_BANDS1 0 2 0 0 0 0 0 0",    // no columns
      "~M0 0 0 0 MTX_BANDS1 2 0 0 0 0 0 0 0",    // no rows
      "~M0 0 0 0 MTX_BANDS1 -2 2 0 0 0 0 0 0",   // negative columns
      "~M0 0 0 0 MTX_BANDS1 -2 -2 0 0 0 0 0 0",  // both negative
      "~M0 0 0 0 MTX_BANDS1 200 1 0 0 0 0 0 0",  // 200 wraps to -56
      "~M0 0 0 0 NO_SUCH_BITMAP 2 2 0 0 0 0 0 0",
      "~M0 0 0 0 HBITMAP= 0 2 2 0 0 0 0 0 0",
      "~M0 0 0 0 HBITMAP=12345 2 2 0 0 0 0 0 0",  // one longer name, not found
  };
  int y = 0;
  for (const char* text : texts) {
    HWND matrix = Create(text, 10, y, kId);
    y += 32;
    ASSERT_NE(matrix, nullptr) << text;
    EXPECT_TRUE(Cells(matrix).empty()) << text;
    EXPECT_EQ(WindowSize(matrix).cx, 50) << text;  // size unchanged
    EXPECT_EQ(WindowSize(matrix).cy, 30) << text;
    // Every message that works on cells finds none.
    SendMessageA(matrix, WM_ENABLE, kId, 0);
    SendMessageA(matrix, WM_ENABLE, 0x8000 | kId, 0);
    SetFocus(matrix);
    EXPECT_EQ(GetFocus(), matrix) << text;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kId;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = GetDC(matrix);
    EXPECT_EQ(SendMessageA(matrix, WM_DRAWITEM, kId, reinterpret_cast<LPARAM>(&item)), TRUE);
    ReleaseDC(matrix, item.hDC);
    SendMessageA(matrix, WM_MOVE, 0, 0);
    PaintCells(matrix);
  }
  // A configured control that is given such a text loses its cells.
  HWND matrix = Create("~M0 0 0 0 MTX_BANDS1 2 2 0 0 0 0 0 0", 200, 10);
  ASSERT_EQ(Cells(matrix).size(), 4u);
  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~M0 0 0 0 MTX_BANDS1 0 0 0 0 0 0 0 0"));
  EXPECT_TRUE(Cells(matrix).empty());
}

TEST_F(MatrixTest, NullTextChangesNothing) {
  HWND matrix = Create("~M0 0 0 0 MTX_BANDS1 2 2 0 0 0 0 0 0");
  const std::vector<HWND> before = Cells(matrix);
  ASSERT_EQ(before.size(), 4u);
  EXPECT_EQ(SendMessageA(matrix, WM_SETTEXT, 0, 0), 0);
  EXPECT_EQ(Cells(matrix), before);  // the same windows: nothing was rebuilt
  EXPECT_EQ(WindowSize(matrix).cx, 6);
}

TEST_F(MatrixTest, LongTextIsCutAt255Characters) {
  // The first command makes 2 x 1 cells; one beyond character 255 would
  // make 2 x 2.
  std::string text = "~M0 0 0 0 MTX_BANDS1 2 1 0 0 0 0 0 0 ";
  text += std::string(260 - text.size(), '.');
  text += "~M0 0 0 0 MTX_BANDS1 2 2 0 0 0 0 0 0";
  text += std::string(3000, 'x');
  HWND matrix = Create("");
  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_EQ(Cells(matrix).size(), 2u);
  EXPECT_EQ(WindowSize(matrix).cy, 4);  // 4 rows of the bitmap, one cell row
}

TEST_F(MatrixTest, HandleBitmapIsUsedButNeverDeletedNorReusedOnceDropped) {
  HBITMAP own = LoadBitmapA(GetModuleHandleA(nullptr), "MTX_BANDS1");
  ASSERT_NE(own, nullptr);
  const std::string text =
      Format("~M0 0 0 0 HBITMAP= %lld 2 2 1 1 -1 -1 0 0", static_cast<long long>(reinterpret_cast<INT_PTR>(own)));
  HWND matrix = Create(text);
  EXPECT_EQ(Cells(matrix).size(), 4u);
  EXPECT_EQ(WindowSize(matrix).cx, 7);
  for (int i = 0; i < 3; ++i) SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  BITMAP info{};
  EXPECT_EQ(GetObjectA(own, sizeof info, &info), int(sizeof info));  // still alive

  // A text without ~M keeps the name "HBITMAP=", but the handle was dropped
  // when the cells were rebuilt: the control has no bitmap and no cells.
  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~P"));
  EXPECT_TRUE(Cells(matrix).empty());
  EXPECT_EQ(GetObjectA(own, sizeof info, &info), int(sizeof info));

  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  EXPECT_EQ(Cells(matrix).size(), 4u);
  DestroyWindow(matrix);
  EXPECT_EQ(GetObjectA(own, sizeof info, &info), int(sizeof info));
  EXPECT_TRUE(DeleteObject(own));
}

// ---- Pixels --------------------------------------------------------------

// Colours of MTX_BANDS<n> (tests/resources/matrix_bitmaps.cpp) and their
// inverses.
const qt::Legend kBandLegend = {
    {'w', 0xFFFFFF}, {'k', 0x000000},                                      // marker, inverted
    {'R', 0xFF0000}, {'G', 0x00FF00}, {'B', 0x0000FF}, {'Y', 0xFFFF00},  // band 0
    {'M', 0xFF00FF}, {'C', 0x00FFFF}, {'m', 0x800000}, {'g', 0x008000},  // band 1
    {'n', 0x000080}, {'o', 0x808000}, {'p', 0x800080}, {'t', 0x008080},  // band 2
};

struct SmallLook {
  const char* cell[4][2];  // rows of the 3 x 2 cells
};

// Cells of the 2 x 2 grid with gaps of 1, control at (x, y) of the parent.
void ExpectSmallLook(HWND parentWindow, int x, int y, const SmallLook& look, const char* what) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(qt::PixelsMatch(parentWindow, x + (i % 2) * 4, y + (i / 2) * 3,
                                {look.cell[i][0], look.cell[i][1]}, kBandLegend))
        << what << ", cell " << i;
  }
}

TEST_F(MatrixTest, OneToThreeBandsPickTheBandForTheState) {
  const SmallLook normal{{{"wRR", "RRR"}, {"wGG", "GGG"}, {"wBB", "BBB"}, {"wYY", "YYY"}}};
  struct Case {
    int bands;
    const char* pressed3[2];   // cell 3 held down
    const char* disabled1[2];  // cell 1 disabled
  } const cases[] = {
      {1, {"kBB", "BBB"}, {"wGG", "GGG"}},  // pressed: band 0 inverted
      {2, {"wgg", "ggg"}, {"wGG", "GGG"}},  // pressed: band 1; disabled: band 0
      {3, {"wgg", "ggg"}, {"woo", "ooo"}},  // disabled: band 2
  };
  int x = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bands);
    HWND matrix = Create(Format("~M0 0 0 %d MTX_BANDS%d 2 2 1 1 -1 -1 0 0", c.bands - 1, c.bands), x, 10);
    ASSERT_EQ(WindowSize(matrix).cx, 7);
    ASSERT_EQ(WindowSize(matrix).cy, 5);
    PaintCells(matrix);
    ExpectSmallLook(parent.hwnd(), x, 10, normal, "normal");

    HWND cell3 = GetDlgItem(matrix, kId + 3);
    Press(cell3);
    SmallLook pressed = normal;
    pressed.cell[3][0] = c.pressed3[0];
    pressed.cell[3][1] = c.pressed3[1];
    ExpectSmallLook(parent.hwnd(), x, 10, pressed, "pressed");
    Release(cell3);
    ExpectSmallLook(parent.hwnd(), x, 10, normal, "released");

    SendMessageA(matrix, WM_ENABLE, kId + 1, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(matrix, kId + 1)));
    UpdateWindow(GetDlgItem(matrix, kId + 1));
    SmallLook disabled = normal;
    disabled.cell[1][0] = c.disabled1[0];
    disabled.cell[1][1] = c.disabled1[1];
    ExpectSmallLook(parent.hwnd(), x, 10, disabled, "disabled");
    SendMessageA(matrix, WM_ENABLE, 0x8000 | (kId + 1), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(matrix, kId + 1)));
    UpdateWindow(GetDlgItem(matrix, kId + 1));
    ExpectSmallLook(parent.hwnd(), x, 10, normal, "enabled again");
    x += 20;
  }
}

// Parent background: three colours in diagonals, (x + y) % 3, so a capture
// taken at the wrong place shows.
constexpr uint32_t kDiagonal[3] = {0x204060, 0x608020, 0x802040};

class MaskedMatrixTest : public MatrixTest {
 protected:
  MaskedMatrixTest() {
    parent.paintBackground = [](HDC dc, const RECT& rc) {
      for (int y = rc.top; y < rc.bottom && y < 80; ++y)
        for (int x = rc.left; x < rc.right && x < 120; ++x)
          SetPixelV(dc, x, y, qt::ColorRef(kDiagonal[(x + y) % 3]));
    };
    qt::Repaint(parent.hwnd());
  }
};

const qt::Legend kMaskedLegend = {
    {'a', kDiagonal[0]},            {'b', kDiagonal[1]},            {'c', kDiagonal[2]},
    {'A', kDiagonal[0] ^ 0xFFFFFF}, {'B', kDiagonal[1] ^ 0xFFFFFF}, {'C', kDiagonal[2] ^ 0xFFFFFF},
    {'r', 0xFF0000},                {'g', 0x00FF00},                {'u', 0x0000FF},
    {'y', 0xFFFF00},                {'e', 0x808080},                {'m', 0xFF00FF},
    {'k', 0x000000},
};

// MTX_MASKED<n> at (12, 6): cell 0 at x 12 (diagonal phase 0), cell 1 at
// x 20 (phase 2). The border shows the parent, the top-left pixel the
// parent XOR white (the image band is white there), the core the image.
TEST_F(MaskedMatrixTest, FourBandsComposeBackgroundMaskAndImage) {
  HWND matrix = Create("~M0 1 0 3 MTX_MASKED4 2 1 2 0 -1 -1 0 0", 12, 6);
  ASSERT_EQ(WindowSize(matrix).cx, 14);
  ASSERT_EQ(WindowSize(matrix).cy, 4);
  PaintCells(matrix);
  EXPECT_TRUE(qt::PixelsMatch(parent.hwnd(), 12, 6,
                              {"Abcabc??Cabcab",
                               "brrrra??aggggc",
                               "crrrrb??bgggga",
                               "abcabc??cabcab"},
                              kMaskedLegend));
  HWND cell1 = GetDlgItem(matrix, kId + 1);
  Press(cell1);
  EXPECT_TRUE(qt::PixelsMatch(parent.hwnd(), 20, 6, {"Cabcab", "ayyyyc", "byyyya", "cabcab"}, kMaskedLegend));
  Release(cell1);
  SendMessageA(matrix, WM_ENABLE, kId, 0);
  UpdateWindow(GetDlgItem(matrix, kId));
  EXPECT_TRUE(qt::PixelsMatch(parent.hwnd(), 12, 6,
                              {"Abcabc??Cabcab",
                               "beeeea??aggggc",
                               "ceeeeb??bgggga",
                               "abcabc??cabcab"},
                              kMaskedLegend));
}

TEST_F(MaskedMatrixTest, FiveOrMoreBandsShowOnlyBackgroundAndMask) {
  for (int bands : {5, 8}) {
    HWND matrix = Create(Format("~M0 0 0 %d MTX_MASKED%d 2 1 2 0 -1 -1 0 0", bands - 1, bands), 12, 6);
    ASSERT_EQ(WindowSize(matrix).cy, 4) << bands;
    PaintCells(matrix);
    const auto expectPlain = [&](const char* what) {
      EXPECT_TRUE(qt::PixelsMatch(parent.hwnd(), 12, 6,
                                  {"abcabc??cabcab",
                                   "bkkkka??akkkkc",
                                   "ckkkkb??bkkkka",
                                   "abcabc??cabcab"},
                                  kMaskedLegend))
          << bands << " bands, " << what;
    };
    expectPlain("normal");
    Press(GetDlgItem(matrix, kId + 1));
    expectPlain("pressed");
    Release(GetDlgItem(matrix, kId + 1));
    SendMessageA(matrix, WM_ENABLE, kId, 0);
    UpdateWindow(GetDlgItem(matrix, kId));
    expectPlain("disabled");
    DestroyWindow(matrix);
  }
}

TEST_F(MaskedMatrixTest, MoveRecapturesTheBackground) {
  HWND matrix = Create("~M0 0 0 3 MTX_MASKED4 2 1 2 0 -1 -1 0 0", 12, 6);
  // To (31, 16), clear of the old place, where the parent's pixels are
  // still on the surface: phase (31 + 16) % 3 = 2 for cell 0, 1 for cell 1.
  SetWindowPos(matrix, nullptr, 31, 16, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
  PaintCells(matrix);
  EXPECT_TRUE(qt::PixelsMatch(parent.hwnd(), 31, 16,
                              {"Cabcab??Bcabca",
                               "arrrrc??cggggb",
                               "brrrra??aggggc",
                               "cabcab??bcabca"},
                              kMaskedLegend));
}

// ---- Notifications and auto-repeat ---------------------------------------

TEST_F(MatrixTest, ClickReachesTheParentWithTheCellIdentifier) {
  HWND matrix = Create("~M 0 0 0 3 BUTTONS 4 2 2 2 3 3 0 0");
  HWND cell5 = GetDlgItem(matrix, kId + 5);
  ASSERT_NE(cell5, nullptr);
  Press(cell5);
  Release(cell5);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{qt::MakeCommand(kId + 5, BN_CLICKED, matrix)}));
  EXPECT_FALSE(TakeTimer(matrix, kId + 5));  // no auto-repeat: no timer at all

  // The control passes on whatever its children report, and a timer tick
  // as a repeat of the cell named by the timer.
  parent.commands.clear();
  SendMessageA(matrix, WM_COMMAND, MAKEWPARAM(kId + 2, 0x1234), reinterpret_cast<LPARAM>(cell5));
  SendMessageA(matrix, WM_TIMER, 0x50000 | (kId + 7), 0);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{qt::MakeCommand(kId + 2, 0x1234, matrix),
                                                       qt::MakeCommand(kId + 7, MTXN_REPEAT, matrix)}));
}

TEST_F(MatrixTest, HeldCellRepeatsUntilReleasedLeftOrDisabled) {
  HWND matrix = Create("~M 0 1 0 3 BUTTONS 4 2 2 2 3 3 0 0");
  HWND cell = GetDlgItem(matrix, kId + 2);
  const qt::Command repeat = qt::MakeCommand(kId + 2, MTXN_REPEAT, matrix);
  const qt::Command click = qt::MakeCommand(kId + 2, BN_CLICKED, matrix);

  // Pressed: the timer runs; each tick is a repeat; the release kills the
  // timer and the click follows.
  Press(cell);
  SendMessageA(matrix, WM_TIMER, kId + 2, 0);
  SendMessageA(matrix, WM_TIMER, kId + 2, 0);
  Release(cell);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{repeat, repeat, click}));
  EXPECT_FALSE(TakeTimer(matrix, kId + 2));
  Press(cell);
  EXPECT_TRUE(TakeTimer(matrix, kId + 2));
  Release(cell);

  // The pointer leaves the held cell: the timer stops, no click.
  parent.commands.clear();
  Press(cell);
  SendMessageA(cell, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -5));
  EXPECT_FALSE(TakeTimer(matrix, kId + 2));
  SendMessageA(cell, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
  EXPECT_TRUE(parent.commands.empty());

  // Disabled while held: the timer stops.
  Press(cell);
  SendMessageA(matrix, WM_ENABLE, kId + 2, 0);
  EXPECT_FALSE(TakeTimer(matrix, kId + 2));
  Release(cell);
  EXPECT_TRUE(parent.commands.empty());
  SendMessageA(matrix, WM_ENABLE, 0x8000 | (kId + 2), 0);

  // The owner-draw states alone decide, as the cell button reports them.
  const struct {
    UINT action, state;
    bool timer;
  } states[] = {
      {ODA_SELECT, ODS_SELECTED, true},
      {ODA_DRAWENTIRE, ODS_SELECTED | ODS_FOCUS, true},
      {ODA_FOCUS, ODS_SELECTED, false},  // a focus change alone does not redraw
      {ODA_SELECT, ODS_SELECTED | ODS_DISABLED, false},
  };
  for (const auto& s : states) {
    SendDrawItem(matrix, cell, s.action, s.state);
    EXPECT_EQ(TakeTimer(matrix, kId + 2), s.timer) << s.action << " " << s.state;
  }
  SendDrawItem(matrix, cell, ODA_SELECT, ODS_SELECTED);
  SendDrawItem(matrix, cell, ODA_SELECT, 0);
  EXPECT_FALSE(TakeTimer(matrix, kId + 2));
}

TEST_F(MatrixTest, HeldCellRepeatsInRealTimeThenClicks) {
  HWND matrix = Create("~M 0 1 0 3 BUTTONS 4 2 2 2 3 3 0 0");
  HWND cell = GetDlgItem(matrix, kId + 6);
  Press(cell);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 700) {
    qt::PumpMessages();
    Sleep(10);
  }
  Release(cell);
  ASSERT_GE(parent.commands.size(), 2u);
  for (size_t i = 0; i + 1 < parent.commands.size(); ++i)
    EXPECT_EQ(parent.commands[i], qt::MakeCommand(kId + 6, MTXN_REPEAT, matrix)) << i;
  EXPECT_EQ(parent.commands.back(), qt::MakeCommand(kId + 6, BN_CLICKED, matrix));
}

TEST_F(MatrixTest, EnableRequestNamesOneCell) {
  HWND matrix = Create("~M0 0 0 0 MTX_BANDS1 2 2 0 0 -1 -1 0 0");
  const auto enabledCells = [&] {
    std::string s;
    for (HWND cell : Cells(matrix)) s += IsWindowEnabled(cell) ? '1' : '0';
    return s;
  };
  EXPECT_EQ(SendMessageA(matrix, WM_ENABLE, kId + 2, 0), 0);
  EXPECT_EQ(enabledCells(), "1101");
  SendMessageA(matrix, WM_ENABLE, kId + 4, 0);             // not a cell
  SendMessageA(matrix, WM_ENABLE, 0x10000 | (kId - 1), 0);  // not a cell either
  EXPECT_EQ(enabledCells(), "1101");
  SendMessageA(matrix, WM_ENABLE, 0x8000 | (kId + 2), 0);
  EXPECT_EQ(enabledCells(), "1111");
  // The system's own WM_ENABLE (wParam 0 or 1) reads as a request for
  // cell identifier 0 or 1: the control's own state is not passed on.
  EnableWindow(matrix, FALSE);
  EnableWindow(matrix, TRUE);
  EXPECT_EQ(enabledCells(), "1111");
  HWND low = Create("~M0 0 0 0 MTX_BANDS1 2 2 0 0 -1 -1 0 0", 100, 10, 1);
  EnableWindow(low, FALSE);
  EnableWindow(low, TRUE);  // WM_ENABLE 1 without bit 15: cell 1 is disabled
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(low, 1)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(low, 2)));
}

// ---- Re-entrancy ---------------------------------------------------------

TEST_F(MatrixTest, ParentMayReconfigureOrDestroyTheControlInsideAClick) {
  HWND matrix = Create("~M0 0 0 0 MTX_BANDS1 2 2 0 0 -1 -1 0 0");
  parent.onCommand = [&](WPARAM, LPARAM) {
    SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~M0 0 0 0 MTX_BANDS1 2 1 0 0 0 0 0 0"));
  };
  HWND cell = GetDlgItem(matrix, kId + 3);
  Press(cell);
  Release(cell);
  EXPECT_EQ(Cells(matrix).size(), 2u);

  // Rebuilding while a cell has the focus.
  SetFocus(GetDlgItem(matrix, kId + 1));
  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~M0 0 0 0 MTX_BANDS1 2 2 0 0 0 0 0 0"));
  EXPECT_EQ(Cells(matrix).size(), 4u);

  parent.onCommand = [&](WPARAM, LPARAM) { DestroyWindow(matrix); };
  cell = GetDlgItem(matrix, kId);
  Press(cell);
  Release(cell);
  EXPECT_FALSE(IsWindow(matrix));
  EXPECT_EQ(parent.commands.size(), 2u);
}

// ---- Resources -------------------------------------------------------------

TEST_F(MaskedMatrixTest, NoGdiObjectLeftByReconfigurationsOrPaints) {
  HWND matrix = Create("~M0 1 0 3 MTX_MASKED4 2 1 2 0 1 1 0 0", 12, 6);
  HBITMAP own = LoadBitmapA(GetModuleHandleA(nullptr), "MTX_BANDS1");
  const std::string texts[] = {
      "~M0 1 0 3 MTX_MASKED4 2 1 2 0 1 1 0 0",
      Format("~M0 0 0 0 HBITMAP= %lld 2 2 1 1 -1 -1 0 0", static_cast<long long>(reinterpret_cast<INT_PTR>(own))),
      "~M0 0 0 0 NO_SUCH_BITMAP 2 2 0 0 0 0 0 0",
      "~M0 0 0 2 MTX_BANDS3 2 2 1 1 0 0 0 0",
  };
  for (const std::string& t : texts) SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
  PaintCells(matrix);
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 200; ++i) {
    const std::string& t = texts[i % 4];
    SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str()));
    SendMessageA(matrix, WM_MOVE, 0, 0);
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects() - before, 0) << "reconfigurations";

  SendMessageA(matrix, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[0].c_str()));
  HWND cell = GetDlgItem(matrix, kId + 1);
  SetFocus(cell);
  PaintCells(matrix);
  const int beforePaints = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 1000; ++i) {
    const UINT state = (i % 3 == 0 ? ODS_SELECTED : 0) | (i % 5 == 0 ? ODS_DISABLED : 0) | ODS_FOCUS;
    SendDrawItem(matrix, cell, i % 2 ? ODA_DRAWENTIRE : ODA_FOCUS, state);
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects() - beforePaints, 0) << "cell paints";
  DeleteObject(own);
}

TEST_F(MaskedMatrixTest, NothingLeftBehindWhenDestroyed) {
  {  // warm up the button class and the bitmap cache
    HWND warm = Create("~M0 1 0 3 MTX_MASKED4 2 1 2 0 1 1 0 0", 12, 6);
    PaintCells(warm);
    DestroyWindow(warm);
  }
  const int windows = qt::CountThreadWindows();
  const int objects = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 20; ++i) {
    HWND matrix = Create(i % 2 ? "~M0 1 0 3 MTX_MASKED4 2 1 2 0 1 1 0 0" : "~M0 0 0 0 BUTTONS 4 2 2 2 3 3 0 0", 12, 6);
    EXPECT_EQ(qt::CountThreadWindows(), windows + 1 + (i % 2 ? 2 : 8));
    PaintCells(matrix);
    SetFocus(matrix);
    Press(GetFocus());
    DestroyWindow(matrix);
  }
  qt::PumpMessages();
  EXPECT_EQ(qt::CountThreadWindows(), windows);
  EXPECT_EQ(qt::GdiCounter::LiveObjects() - objects, 0);
}

}  // namespace
