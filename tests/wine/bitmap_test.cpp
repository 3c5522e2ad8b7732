// Qor32Bitmap: parsing and ownership, exact pixels of every part in every
// paint state, the four kinds of button under mouse and space bar, the
// standard and private messages, and re-entrant destruction.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/bitmap_helpers.h"
#include "support/test_support.h"

namespace {

using qt::Flags;

constexpr uint32_t kBg = qt::kParentBackground;
constexpr uint32_t kFace = 0xC0C0C0, kDark = 0x808080, kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;
const qt::Legend kLegend = {{'-', kBg}, {'.', kFace}, {'d', kDark}, {'w', kWhite}, {'k', kBlack},
                            {'r', kRed}, {'g', kGreen}, {'b', kBlue}, {'y', kYellow}};

std::string Fmt(const char* format, long long a = 0, long long b = 0, long long c = 0) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return buf;
}

// Number of pixels of one colour in a rectangle of the control.
int CountColor(HWND w, RECT r, uint32_t color) {
  int n = 0;
  for (uint32_t p : qt::ReadPixels(w, r)) n += p == color;
  return n;
}

// Bounding box of the pixels of one colour (empty if none).
RECT BoxOf(HWND w, uint32_t color) {
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = qt::ReadClientPixels(w, &width, &height);
  RECT box{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (pixels[size_t(y) * width + x] == color) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  if (box.right <= box.left) box = RECT{0, 0, 0, 0};
  return box;
}

::testing::AssertionResult BoxIs(HWND w, uint32_t color, RECT expected) {
  const RECT box = BoxOf(w, color);
  if (EqualRect(&box, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "box of " << std::hex << color << std::dec << " is (" << box.left
                                       << ", " << box.top << ", " << box.right << ", " << box.bottom
                                       << "), expected (" << expected.left << ", " << expected.top << ", "
                                       << expected.right << ", " << expected.bottom << ")";
}

class BitmapTest : public ::testing::Test {
 protected:
  HWND Create(const std::string& text, DWORD style = 0, int width = 40, int height = 30, int id = 100) {
    return bench.Create(text, style, width, height, id);
  }
  qt::BitmapBench bench;
};

// ---- State, commands and ownership -------------------------------------------

TEST_F(BitmapTest, FlagWordsOverlapAndLeaveTheOtherExtraBytesAlone) {
  HWND w = Create("");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetClassLongA(w, GCL_CBWNDEXTRA), QOR32_BMP_WNDEXTRA);
  EXPECT_NE(GetWindowLongPtrA(w, QOR32_BMP_STATE_OFFSET), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, QOR32_BMP_FONT_OFFSET), 0);
  // Sentinels in the unused bytes from 2 up to the font slot.
  for (int at = 2; at + 2 <= QOR32_BMP_FONT_OFFSET; at += 2) SetWindowWord(w, at, 0xA55A);
  SendMessageA(w, WM_ENABLE, FALSE, 0);        // second byte
  SendMessageA(w, BM_SETSTATE, TRUE, 0);       // first byte
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);    // down, and the focus
  SendMessageA(w, BMPM_CHECK, 0, 0);
  EXPECT_EQ(Flags(w), BMPF_DISABLED | BMPF_HIGHLIGHT | BMPF_DOWN | BMPF_FOCUS | BMPF_CHECKED);
  EXPECT_EQ(GetWindowWord(w, 0), (BMPF_DOWN | BMPF_DISABLED) << 8 | BMPF_HIGHLIGHT | BMPF_FOCUS | BMPF_CHECKED);
  EXPECT_EQ(GetWindowWord(w, 1) & 0xFF, BMPF_DOWN | BMPF_DISABLED);
  SendMessageA(w, WM_ENABLE, TRUE, 0);
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  SendMessageA(w, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Flags(w), BMPF_FOCUS | BMPF_CHECKED);
  EXPECT_EQ(GetWindowWord(w, 0), BMPF_FOCUS | BMPF_CHECKED);
  for (int at = 2; at + 2 <= QOR32_BMP_FONT_OFFSET; at += 2) EXPECT_EQ(GetWindowWord(w, at), 0xA55A) << at;
}

TEST_F(BitmapTest, CreatedDisabledStartsWithClearFlags) {
  HWND w = Create("~I0,0,8,8,0,0,3,0,0,0,0,0,0,0,0,0", WS_DISABLED);
  EXPECT_EQ(Flags(w), 0);
  EXPECT_EQ(SendMessageA(w, BMPM_GETINDICATORCOLOR, 0, 0), 0x000000);  // as the text set it
  HWND fresh = Create("");
  EXPECT_EQ(SendMessageA(fresh, BMPM_GETINDICATORCOLOR, 0, 0), 0x00FF00);  // default green
}

// Face under the text, so that each repaint starts from the same pixels.
const char kSaveText[] = "Save~B0,0,0,0,2,0,0,0~T0,0,0,0,0,0,0,37,0,0,0,255,255,255,128,128,128,Save";

TEST_F(BitmapTest, SetTextParsesWithoutStoringAndSizeBringsTheTextBack) {
  HWND w = Create(kSaveText, 0, 60, 20);
  HWND cancel = Create("Cancel~B0,0,0,0,2,0,0,0~T0,0,0,0,0,0,0,37,0,0,0,255,255,255,128,128,128,Cancel", 0, 60, 20);
  const auto saveLook = qt::ReadClientPixels(w);
  EXPECT_GT(CountColor(w, RECT{0, 0, 60, 20}, kBlack), 5);

  EXPECT_EQ(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Cancel")), 0);
  UpdateWindow(w);
  EXPECT_EQ(qt::ReadClientPixels(w), qt::ReadClientPixels(cancel));
  char text[256];
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, kSaveText);
  // A resize re-reads the stored text.
  SetWindowPos(w, nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessageA(w, WM_SIZE, 0, MAKELPARAM(60, 20));
  UpdateWindow(w);
  EXPECT_EQ(qt::ReadClientPixels(w), saveLook);
}

TEST_F(BitmapTest, WholeControlImageFollowsResizing) {
  HWND w = Create("~Q2,BMP_FIT_BIG", 0, 20, 20);  // 30 x 30 bands, too big: stretched
  EXPECT_TRUE(BoxIs(w, kRed, RECT{0, 0, 20, 20}));
  SetWindowPos(w, nullptr, 0, 0, 24, 10, SWP_NOMOVE | SWP_NOZORDER);
  UpdateWindow(w);
  EXPECT_TRUE(BoxIs(w, kRed, RECT{0, 0, 24, 10}));
}

TEST_F(BitmapTest, BitmapPassedByHandleIsNeverDeleted) {
  // An application bitmap: 5 x 5 green.
  HDC screen = GetDC(nullptr);
  HBITMAP mine = CreateCompatibleBitmap(screen, 5, 5);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, mine);
  RECT all{0, 0, 5, 5};
  HBRUSH green = CreateSolidBrush(qt::ColorRef(kGreen));
  FillRect(memory, &all, green);
  DeleteObject(green);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const long long value = reinterpret_cast<intptr_t>(mine);
  ASSERT_LT(value, 1000000000LL) << "handle too large for a nine-digit number";
  const std::string text = Fmt("~G2,2,0,0,0,0,0,1,HBITMAP= %lld", value);

  HWND first = Create(text);
  EXPECT_TRUE(BoxIs(first, kGreen, RECT{2, 2, 7, 7}));
  // Replacing it by a resource, and destroying the control, leave it alone.
  SendMessageA(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~Q1,BMP_TWO"));
  DestroyWindow(first);
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(mine, sizeof bm, &bm), int(sizeof bm));
  HWND second = Create(text);
  EXPECT_TRUE(BoxIs(second, kGreen, RECT{2, 2, 7, 7}));
  DestroyWindow(second);
  EXPECT_TRUE(DeleteObject(mine));
}

TEST_F(BitmapTest, HandleZeroLoadsTheLiteralNameAndOwnsIt) {
  HWND w = Create("~G1,1,0,0,0,0,0,1,HBITMAP= 0");
  EXPECT_TRUE(BoxIs(w, kGreen, RECT{1, 1, 4, 4}));  // the 3 x 3 resource "HBITMAP="
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 1000; ++i) {
    HWND c = bench.parent.CreateChild(QOR32_BITMAP_CLASS, "~G0,0,0,0,0,0,0,1,HBITMAP= 0", 0, 0, 900, 10, 10, 1);
    SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~G0,0,0,0,0,0,0,1,HBITMAP= 0"));
    DestroyWindow(c);
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
}

TEST_F(BitmapTest, CreateParseDestroyCyclesLeaveNoGdiObject) {
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 1000; ++i) {
    HWND c = bench.parent.CreateChild(QOR32_BITMAP_CLASS, "Go~G0,0,0,0,0,0,0,1,BMP_CYCLE~Q2,BMP_TWO", WS_VISIBLE,
                                      0, 900, 40, 40, 1);
    SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~G0,0,0,0,0,0,0,1,BMP_CYCLE~T1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,x"));
    SendMessageA(c, WM_SIZE, 0, 0);
    SendMessageA(c, BMPM_SETINDICATORCOLOR, 1, 0x123456);
    DestroyWindow(c);
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
}

TEST_F(BitmapTest, LookupInstanceCommands) {
  HMODULE moduleA = LoadLibraryA("qres_a.dll");
  HMODULE moduleB = LoadLibraryA("qres_b.dll");
  ASSERT_NE(moduleA, nullptr);
  ASSERT_NE(moduleB, nullptr);
  {
    // The control's own module (this program) holds INEXE and SHARED (red,
    // 4 x 1); the parent's module B holds SHARED (blue, 6 x 1).
    qt::ParentWindow parent(200, 60, kBg, moduleB);
    HWND w = parent.CreateChild(QOR32_BITMAP_CLASS, "~G0,0,0,0,0,0,0,1,SHARED", WS_VISIBLE, 0, 0, 20, 10, 1);
    UpdateWindow(w);
    EXPECT_TRUE(BoxIs(w, kRed, RECT{0, 0, 4, 1}));
    // P: the top-level window's module first.
    HWND p = parent.CreateChild(QOR32_BITMAP_CLASS, "~P~G0,0,0,0,0,0,0,1,SHARED", WS_VISIBLE, 30, 0, 20, 10, 2);
    UpdateWindow(p);
    EXPECT_TRUE(BoxIs(p, kBlue, RECT{0, 0, 6, 1}));
    // H with a value that is no module: the own module is not tried (the
    // ancestors are, and module B lacks INEXE), so nothing is found...
    HWND h = parent.CreateChild(QOR32_BITMAP_CLASS, "~B0,0,0,0,2,0,0,0~H1~G2,2,0,0,0,0,0,2,INEXE", WS_VISIBLE,
                                60, 0, 20, 10, 3);
    UpdateWindow(h);
    EXPECT_TRUE(BoxIs(h, kRed, RECT{0, 0, 0, 0}));
    // ...while the next parse starts from the own module again.
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~G2,2,0,0,0,0,0,2,INEXE"));
    UpdateWindow(h);
    EXPECT_TRUE(BoxIs(h, kRed, RECT{2, 2, 6, 6}));
  }
  FreeLibrary(moduleB);
  FreeLibrary(moduleA);
}

TEST_F(BitmapTest, ControlKeepsWorkingWhenNoPaletteCanBeMade) {
  HWND w = Create("~I2,2,8,8,0,0,3,0,255,0,255,0,0,192,192,192", 0, 20, 20);
  EXPECT_TRUE(BoxIs(w, kRed, RECT{2, 2, 9, 9}));
  // Fill the GDI handle table, so that the next parse cannot create its palette.
  std::vector<HRGN> hog;
  for (HRGN r; (r = CreateRectRgn(0, 0, 1, 1)) != nullptr && hog.size() < 200000;) hog.push_back(r);
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~I2,2,8,8,0,0,3,0,255,0,0,0,255,192,192,192"));
  SendMessageA(w, BMPM_SETINDICATORCOLOR, 2, 0x00FF00);
  for (HRGN r : hog) DeleteObject(r);
  hog.clear();
  qt::Repaint(w);
  EXPECT_TRUE(BoxIs(w, kGreen, RECT{2, 2, 9, 9}));  // the new colour, drawn as before
  const int before = qt::GdiCounter::LiveObjects();
  DestroyWindow(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before - 1);  // the one palette it still held
}

}  // namespace
