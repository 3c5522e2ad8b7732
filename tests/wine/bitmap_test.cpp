// Qor32Bitmap: parsing and ownership, exact pixels of every part in every
// paint state, the four kinds of button under mouse and space bar, the
// standard and private messages, and re-entrant destruction.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
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

// Every pixel outside `box` still shows the parent's background.
::testing::AssertionResult DrawnOnlyInside(HWND w, RECT box) {
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = qt::ReadClientPixels(w, &width, &height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const POINT p{x, y};
      if (!PtInRect(&box, p) && pixels[size_t(y) * width + x] != kBg)
        return ::testing::AssertionFailure() << "drawn at (" << x << ", " << y << ")";
    }
  return ::testing::AssertionSuccess();
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
    // H with module A's handle (more than nine digits on this system): A first.
    const std::string viaA = Fmt("~H%lld~G0,0,0,0,0,0,0,1,SHARED", reinterpret_cast<intptr_t>(moduleA));
    HWND a = parent.CreateChild(QOR32_BITMAP_CLASS, viaA.c_str(), WS_VISIBLE, 90, 0, 20, 10, 4);
    UpdateWindow(a);
    EXPECT_TRUE(BoxIs(a, kGreen, RECT{0, 0, 5, 1}));
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

// ---- Painting ------------------------------------------------------------------

TEST_F(BitmapTest, NothingPlacedDrawsNothing) {
  for (const char* text : {"", "Caption only", "Caption~T1,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,", "~G0,0,0,0,0,0,0,1,NOSUCH"}) {
    HWND w = Create(text, 0, 30, 20);
    for (int state : {0, 7}) {
      qt::EnterPaintState(w, state);
      qt::Repaint(w);
      EXPECT_EQ(CountColor(w, RECT{0, 0, 30, 20}, kBg), 600) << text << " state " << state;
    }
  }
}

// Faces on a 12 x 10 control: faceRect (0, 0, 11, 9). 'f' is the fill.
const std::vector<std::string> kBevelUp = {
    "fkkkkkkkkkk-", "kwwwwwwwwwfk", "kwwwwwwwwfdk", "kwwffffffddk", "kwwffffffddk",
    "kwwffffffddk", "kwwffffffddk", "kwfddddddddk", "kfdddddddddk", "-kkkkkkkkkk-"};
const std::vector<std::string> kBevelDown = {
    "fkkkkkkkkkk-", "kddddddddddk", "kdfffffffffk", "kdfffffffffk", "kdfffffffffk",
    "kdfffffffffk", "kdfffffffffk", "kdfffffffffk", "kdfffffffffk", "-kkkkkkkkkk-"};
const std::vector<std::string> kDefaultUp = {
    "fkkkkkkkkkk-", "kkkkkkkkkkkk", "kkwwwwwwwfkk", "kkwwwwwwfdkk", "kkwwffffddkk",
    "kkwwffffddkk", "kkwfddddddkk", "kkfdddddddkk", "kkkkkkkkkkkk", "-kkkkkkkkkk-"};
const std::vector<std::string> kDefaultDown = {
    "fkkkkkkkkkk-", "kkkkkkkkkkkk", "kkddddddddkk", "kkdfffffffkk", "kkdfffffffkk",
    "kkdfffffffkk", "kkdfffffffkk", "kkdfffffffkk", "kkkkkkkkkkkk", "-kkkkkkkkkk-"};
const std::vector<std::string> kFlat = {
    "wwwwwwwwwww.", "wffffffffffd", "wffffffffffd", "wffffffffffd", "wffffffffffd",
    "wffffffffffd", "wffffffffffd", "wffffffffffd", "wffffffffffd", ".ddddddddddd"};

TEST_F(BitmapTest, FaceInEveryPaintState) {
  struct Case {
    int faceFlags;
    bool isDefault;
    int state;
    const std::vector<std::string>* map;
    char fill;
  } cases[] = {
      {0, false, 0, &kBevelUp, '.'},      {0, false, 1, &kBevelDown, '.'},
      {0, false, 2, &kBevelUp, '.'},      {0, false, 3, &kBevelUp, '.'},   // disabled: up bevel
      {0, false, 4, &kBevelUp, '.'},      {0, false, 5, &kBevelDown, '.'}, // checked: no change
      {1, false, 0, &kBevelUp, '.'},      {1, false, 1, &kBevelDown, 'r'}, // faceColor while down
      {1, false, 3, &kBevelUp, '.'},      {1, false, 7, &kBevelUp, '.'},
      {0, true, 0, &kDefaultUp, '.'},     {1, true, 1, &kDefaultDown, 'r'},
      {1, true, 2, &kDefaultUp, '.'},     {0, true, 3, &kDefaultUp, '.'},
      {2, false, 0, &kFlat, '.'},         {2, true, 1, &kFlat, '.'},
      {3, false, 1, &kFlat, 'r'},         {3, false, 3, &kFlat, '.'},
  };
  for (const Case& c : cases) {
    HWND w = Create(Fmt("~B0,0,0,0,%lld,255,0,0", c.faceFlags), c.isDefault ? BMPS_DEFAULT : 0, 12, 10);
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(qt::MapMatches(w, 0, 0, qt::WithKey(*c.map, 'f', c.fill), kLegend))
        << "flags " << c.faceFlags << (c.isDefault ? " default" : "") << " state " << c.state;
  }
}

TEST_F(BitmapTest, FacePlacedInsideTheControl) {
  HWND w = Create("~B3,2,6,5,0,0,0,0", 0, 14, 10);  // (3, 2, 9, 7)
  EXPECT_TRUE(qt::PixelsMatch(w, 2, 1,
                              {"---------",
                               "-.kkkkk--",
                               "-kwwww.k-",
                               "-kwww.dk-",
                               "-kw.dddk-",
                               "-k.ddddk-",
                               "--kkkkk--",
                               "---------"},
                              kLegend));
}

// BMP_ONE (6 x 4) in the image rectangle (2, 2, 18, 13): W = 16, H = 11,
// over a flat face filling the 24 x 18 control.
const std::vector<std::string> kOneImage = {"........", ".rrrrrg.", ".ryyyyg.", ".ryyyyg.", ".bbbbbb.", "........"};
const char kOneFace[] = "~B0,0,0,0,2,0,0,0";

::testing::AssertionResult OneImageAt(HWND w, int x, int y) {
  ::testing::AssertionResult at = qt::MapMatches(w, x - 1, y - 1, kOneImage, kLegend);
  if (!at) return at;
  const int drawn = 22 * 16 - CountColor(w, RECT{1, 1, 23, 17}, kFace);
  if (drawn != 24) return ::testing::AssertionFailure() << drawn << " pixels drawn, expected 24";
  return ::testing::AssertionSuccess();
}

TEST_F(BitmapTest, EveryAlignmentCodeAndTheShiftWhileDown) {
  struct Case {
    int align;
    int x, y;
  } cases[] = {
      {0x0000, 2, 2},  {0x1000, 7, 2},  {0x2000, 13, 2},  {0x4000, 2, 6},  {0x5000, 7, 6},
      {0x6000, 13, 6}, {0x8000, 2, 10}, {0x9000, 8, 10},  // one right of top centre
      {0xA000, 13, 10},
      {0x3000, 7, 6},  {0x7000, 7, 6},  {0xF000, 7, 6},   // fit, and it fits: centred
      {0x5123, 7, 6},                                     // low bits do not count
  };
  for (const Case& c : cases) {
    const std::string text = kOneFace + Fmt("~G2,2,16,11,1,2,%lld,1,BMP_ONE", c.align);
    HWND w = Create(text, 0, 24, 18);
    EXPECT_TRUE(OneImageAt(w, c.x, c.y)) << std::hex << c.align;
    HWND down = Create(text, 0, 24, 18);
    qt::EnterPaintState(down, 1);
    EXPECT_TRUE(OneImageAt(down, c.x + 1, c.y + 2)) << std::hex << c.align << " down";
  }
}

TEST_F(BitmapTest, ImageStripsShowOneBandPerState) {
  // Two bands: red up, blue down; the disabled bit does not pick a band.
  const struct {
    int state;
    uint32_t color;
  } two[] = {{0, kRed}, {1, kBlue}, {2, kRed}, {3, kBlue}, {4, kRed}, {7, kBlue}};
  for (const auto& c : two) {
    HWND w = Create("~G3,3,0,0,0,0,0,2,BMP_TWO", 0, 12, 12);
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(BoxIs(w, c.color, RECT{3, 3, 7, 7})) << "state " << c.state;
  }
  // One band: the same picture in every state.
  for (int state : {0, 1, 6}) {
    HWND w = Create("~G3,3,0,0,0,0,0,1,BMP_TWO", 0, 12, 12);
    qt::EnterPaintState(w, state);
    EXPECT_TRUE(BoxIs(w, kRed, RECT{3, 3, 7, 7})) << "state " << state;
    EXPECT_TRUE(BoxIs(w, kBlue, RECT{3, 7, 7, 11})) << "state " << state;
  }
  // Eight bands: each paint state its own.
  for (int state = 0; state < 8; ++state) {
    HWND w = Create("~G1,1,0,0,0,0,0,8,BMP_EIGHT", 0, 8, 8);
    qt::EnterPaintState(w, state);
    EXPECT_TRUE(BoxIs(w, 0x100000u * (state + 1), RECT{1, 1, 5, 5})) << "state " << state;
  }
}

TEST_F(BitmapTest, MaskedStripOverTheFace) {
  // Three 6 x 6 bands over a flat face: the last band is the mask. In state 2
  // the mask is combined with itself: transparent pixels invert the face.
  const std::vector<std::string> shape = {"..##..", ".####.", "######", "######", ".####.", "..##.."};
  const qt::Legend legend = {{'.', kFace}, {'r', kRed}, {'b', kBlue}, {'k', kBlack}, {'i', 0x3F3F3F}};
  const struct {
    int state;
    char transparent, opaque;
    int dx, dy;
  } cases[] = {{0, '.', 'r', 0, 0}, {1, '.', 'b', 2, 1}, {2, 'i', 'k', 0, 0}, {3, '.', 'r', 2, 1},
               {4, '.', 'b', 0, 0}, {5, 'i', 'k', 2, 1}};  // the band is the state mod 3
  for (const auto& c : cases) {
    HWND w = Create("~B0,0,0,0,2,0,0,0~G4,4,0,0,2,1,0,3,BMP_MASKED", 0, 16, 16);
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(qt::MapMatches(w, 4 + c.dx, 4 + c.dy, qt::WithKey(qt::WithKey(shape, '.', c.transparent), '#', c.opaque),
                               legend))
        << "state " << c.state;
  }
}

TEST_F(BitmapTest, FitStretchesTheFirstBandWhenTooBig) {
  // Image rectangle (10, 10, 29, 29): W = H = 19, room for 20 x 20.
  const struct {
    const char* name;
    RECT box;
  } cases[] = {
      {"BMP_FIT_WIDE", {10, 17, 30, 23}},  // 30 x 6: 20 wide, centred vertically
      {"BMP_FIT_TALL", {17, 10, 23, 30}},  // 6 x 30: 20 tall, centred horizontally
      {"BMP_FIT_BIG", {10, 10, 30, 30}},   // both
  };
  for (const auto& c : cases) {
    for (int state : {0, 1, 3}) {
      HWND w = Create(std::string("~G10,10,19,19,1,1,12288,2,") + c.name, 0, 40, 40);
      qt::EnterPaintState(w, state);
      RECT box = c.box;
      if (state & 1) OffsetRect(&box, 1, 1);
      EXPECT_TRUE(BoxIs(w, kRed, box)) << c.name << " state " << state;
      EXPECT_EQ(CountColor(w, RECT{0, 0, 40, 40}, kBlue), 0) << c.name;
      EXPECT_EQ(CountColor(w, RECT{0, 0, 40, 40}, kRed), (box.right - box.left) * (box.bottom - box.top)) << c.name;
    }
  }
}

TEST_F(BitmapTest, FrameCountBelowOneDrawsNoImage) {
  for (const char* text : {"~G0,0,0,0,0,0,0,0,BMP_TWO", "~G0,0,0,0,0,0,0,-3,BMP_TWO", "~Q0,BMP_FIT_BIG"}) {
    HWND w = Create(text, 0, 12, 12);
    for (int state = 0; state < 8; ++state) {
      qt::EnterPaintState(w, state);
      qt::Repaint(w);
    }
    EXPECT_EQ(CountColor(w, RECT{0, 0, 12, 12}, kBg), 144) << text;
  }
}

// Pixels of exactly `color` within `area`, as offsets from the area's corner.
std::vector<POINT> PixelsOf(HWND w, RECT area, uint32_t color) {
  std::vector<POINT> out;
  const std::vector<uint32_t> pixels = qt::ReadPixels(w, area);
  const int width = area.right - area.left;
  for (size_t i = 0; i < pixels.size(); ++i)
    if (pixels[i] == color) out.push_back(POINT{LONG(i % width), LONG(i / width)});
  return out;
}

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b, int dx, int dy) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x + dx != b[i].x || a[i].y + dy != b[i].y) return false;
  return true;
}

TEST_F(BitmapTest, BothTextsWithTheirColoursAndShifts) {
  // Slot 0: red / green / blue, shifted (2, 1); slot 1: yellow / white /
  // black, shifted (-1, 2). Over a flat face that repaints everything.
  const std::string text =
      "~B0,0,0,0,2,0,0,0~T0,4,4,30,16,2,1,37,255,0,0,0,255,0,0,0,255,Ab"
      "~T1,44,4,30,16,-1,2,37,255,255,0,255,255,255,0,0,0,Cd";
  const RECT area0{1, 1, 40, 25}, area1{40, 1, 79, 25};  // inside the face's edge lines
  HWND reference = Create(text, 0, 80, 26);
  const std::vector<POINT> red = PixelsOf(reference, area0, kRed);
  const std::vector<POINT> yellow = PixelsOf(reference, area1, kYellow);
  ASSERT_GT(red.size(), 10u);
  ASSERT_GT(yellow.size(), 10u);
  EXPECT_EQ(CountColor(reference, area1, kRed), 0);  // each text in its own rectangle
  // Both records' rectangles shift together while down; disabled colours win.
  const struct {
    int state;
    uint32_t color0, color1;
    bool shifted;
  } cases[] = {{1, kGreen, kWhite, true}, {2, kBlue, kBlack, false}, {3, kBlue, kBlack, true},
               {4, kRed, kYellow, false}, {5, kGreen, kWhite, true}, {7, kBlue, kBlack, true}};
  for (const auto& c : cases) {
    HWND w = Create(text, 0, 80, 26);
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(SamePoints(red, PixelsOf(w, area0, c.color0), c.shifted ? 2 : 0, c.shifted ? 1 : 0)) << c.state;
    EXPECT_TRUE(SamePoints(yellow, PixelsOf(w, area1, c.color1), c.shifted ? -1 : 0, c.shifted ? 2 : 0)) << c.state;
  }
}

TEST_F(BitmapTest, CaptionTextCentredBlackWhiteWhileDownGreyWhileDisabled) {
  // Inside the flat face's edge lines (white and dark grey themselves).
  const RECT inner{1, 1, 59, 19};
  HWND up = Create(kSaveText, 0, 60, 20);
  const std::vector<POINT> black = PixelsOf(up, inner, kBlack);
  ASSERT_GT(black.size(), 10u);
  // Centred in (0, 0, 59, 19): about as much room left as right of the text.
  LONG left = 60, right = 0;
  for (const POINT& p : black) left = std::min(left, p.x + 1), right = std::max(right, p.x + 1);
  EXPECT_LE(std::abs(left - (58 - right)), 2) << left << " " << right;
  HWND down = Create(kSaveText, 0, 60, 20);
  qt::EnterPaintState(down, 1);
  EXPECT_TRUE(SamePoints(black, PixelsOf(down, inner, kWhite), 0, 0));
  HWND disabled = Create(kSaveText, 0, 60, 20);
  qt::EnterPaintState(disabled, 2);
  EXPECT_TRUE(SamePoints(black, PixelsOf(disabled, inner, kDark), 0, 0));
}

TEST_F(BitmapTest, FontIsUsedForBothTextsAndNeverDeleted) {
  const std::string text = "~B0,0,0,0,2,0,0,0~T0,0,0,30,0,0,0,37,0,0,0,0,0,0,0,0,0,W~T1,30,0,30,0,0,0,37,0,0,0,0,0,0,0,0,0,W";
  HWND plain = Create(text, 0, 60, 30);
  HWND w = Create(text, 0, 60, 30);
  HFONT big = CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(big), 0), 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));  // no redraw asked
  EXPECT_EQ(SendMessageA(w, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big));
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(big), 1);
  EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
  UpdateWindow(w);
  const int plainLeft = CountColor(plain, RECT{0, 0, 30, 30}, kBlack);
  const int plainRight = CountColor(plain, RECT{30, 0, 60, 30}, kBlack);
  EXPECT_EQ(plainLeft, plainRight);
  EXPECT_GT(CountColor(w, RECT{0, 0, 30, 30}, kBlack), plainLeft);
  EXPECT_GT(CountColor(w, RECT{30, 0, 60, 30}, kBlack), plainRight);
  DestroyWindow(w);
  LOGFONTA lf{};
  EXPECT_EQ(GetObjectA(big, sizeof lf, &lf), int(sizeof lf));
  DeleteObject(big);
}

// Lamp rectangle (2, 2) with a 4 x 4 size: drawn 8 x 8 as (2, 2, 10, 10).
const std::vector<std::string> kSquareLamp = {
    "--------------", "--------------", "--ddddddd-----", "--d......w----", "--d.cccc.w----",
    "--d.cccc.w----", "--d.cccc.w----", "--d.cccc.w----", "--d......w----", "---wwwwwww----",
    "--------------", "--------------"};

TEST_F(BitmapTest, LampShapesWithTheEightPixelFloor) {
  const std::vector<std::string> patch = {"ppppppp", "ppppppp", "ppppppp", "ppppppp",
                                          "ppppppp", "ppppppp", "ppppppp"};
  const struct {
    int shape;
    std::vector<std::string> rows;  // 7 x 7 at (2, 2), 'c' = lamp colour
  } marks[] = {
      {3, {"ccccccc", "ccccccc", "ccccccc", "ccccccc", "ccccccc", "ccccccc", "ccccccc"}},
      {4, {"ccccccc", "ccccccc", "ccccccc", "ccc----", "ccc----", "ccc----", "ccc----"}},
      {5, {"ccccccc", "ccccccc", "ccccccc", "----ccc", "----ccc", "----ccc", "----ccc"}},
      {6, {"----ccc", "----ccc", "----ccc", "----ccc", "ccccccc", "ccccccc", "ccccccc"}},
      {7, {"ccc----", "ccc----", "ccc----", "ccc----", "ccccccc", "ccccccc", "ccccccc"}},
  };
  for (const auto& m : marks) {
    HWND w = Create(Fmt("~I2,2,4,4,0,0,%lld,0,255,0,255,0,0,192,192,192", m.shape), 0, 14, 12);
    EXPECT_TRUE(qt::MapMatches(w, 2, 2, qt::WithKey(m.rows, 'c', 'r'), kLegend)) << "shape " << m.shape;
    EXPECT_EQ(CountColor(w, RECT{0, 0, 14, 12}, kBg), 14 * 12 - CountColor(w, RECT{2, 2, 9, 9}, kRed));
  }
  HWND square = Create("~I2,2,4,4,0,0,1,0,255,0,255,0,0,192,192,192", 0, 14, 12);
  EXPECT_TRUE(qt::MapMatches(square, 0, 0, qt::WithKey(kSquareLamp, 'c', 'r'), kLegend));
  for (int shape : {2, 8, 0xFFFF}) {
    HWND w = Create(Fmt("~I2,2,4,4,0,0,%lld,0,255,0,255,0,0,192,192,192", shape), 0, 14, 12);
    EXPECT_EQ(CountColor(w, RECT{0, 0, 14, 12}, kBg), 14 * 12) << "shape " << shape;
  }
}

TEST_F(BitmapTest, RoundLamp) {
  // 16 x 16 at (2, 2): dark rim at the upper left, white at the lower right,
  // light grey ring, colour inside, white highlight in the upper left.
  HWND w = Create("~I2,2,16,16,0,0,0,0,255,0,255,0,0,192,192,192", 0, 20, 20);
  EXPECT_GT(CountColor(w, RECT{2, 2, 18, 3}, kDark), 0);
  EXPECT_EQ(CountColor(w, RECT{2, 2, 18, 3}, kWhite), 0);
  EXPECT_GT(CountColor(w, RECT{2, 17, 18, 18}, kWhite), 0);
  EXPECT_EQ(CountColor(w, RECT{2, 17, 18, 18}, kDark), 0);
  EXPECT_GT(CountColor(w, RECT{2, 2, 3, 18}, kDark), 0);
  EXPECT_GT(CountColor(w, RECT{17, 2, 18, 18}, kWhite), 0);
  EXPECT_GT(CountColor(w, RECT{3, 3, 17, 17}, kFace), 0);
  EXPECT_EQ(qt::PixelAt(w, 10, 10), kRed);
  EXPECT_GT(CountColor(w, RECT{6, 6, 10, 10}, kWhite), 0);    // highlight, upper left
  EXPECT_EQ(CountColor(w, RECT{10, 10, 14, 14}, kWhite), 0);  // none at the lower right
  EXPECT_TRUE(DrawnOnlyInside(w, RECT{2, 2, 18, 18}));
  // A 4 x 4 round lamp is drawn in an 8 x 8 box.
  HWND small = Create("~I2,2,4,4,0,0,0,0,255,0,255,0,0,192,192,192", 0, 14, 14);
  EXPECT_TRUE(DrawnOnlyInside(small, RECT{2, 2, 10, 10}));
  EXPECT_GT(14 * 14 - CountColor(small, RECT{0, 0, 14, 14}, kBg), 30);
  EXPECT_GT(CountColor(small, RECT{8, 2, 10, 10}, kWhite) + CountColor(small, RECT{2, 8, 10, 10}, kWhite), 0);
}

TEST_F(BitmapTest, RoundLampBeyondTheCoordinateRangeIsNotDrawn) {
  // Found by the message storms: a round lamp a billion pixels wide made
  // every paint take minutes. It draws nothing; a square lamp of the same
  // size still fills the control.
  HWND round = Create("~I0,0,999999999,999999999,0,0,0,0,255,0,255,0,0,192,192,192", 0, 20, 20);
  EXPECT_TRUE(DrawnOnlyInside(round, RECT{0, 0, 0, 0}));
  HWND square = Create("~I0,0,999999999,999999999,0,0,3,0,255,0,255,0,0,192,192,192", 0, 20, 20);
  EXPECT_EQ(qt::PixelAt(square, 10, 10), kRed);
}

TEST_F(BitmapTest, LampColourByStateAndShiftWhileDown) {
  const struct {
    int state;
    uint32_t color;
    int shift;
  } cases[] = {{0, kRed, 0},  {1, kRed, 1},  {2, kFace, 0}, {3, kFace, 1},
               {4, kGreen, 0}, {5, kGreen, 1}, {6, kFace, 0}, {7, kFace, 1}};
  for (const auto& c : cases) {
    HWND w = Create("~I2,2,8,8,1,1,3,0,255,0,255,0,0,192,192,192", 0, 14, 14);  // the default colours
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(BoxIs(w, c.color, RECT{2 + c.shift, 2 + c.shift, 9 + c.shift, 9 + c.shift})) << c.state;
  }
  // Colours set by message.
  HWND w = Create("~I2,2,8,8,0,0,3", 0, 14, 14);
  SendMessageA(w, BMPM_SETINDICATORCOLOR, 0, 0x0000FF);  // checked and unchecked: red
  EXPECT_EQ(SendMessageA(w, BMPM_GETINDICATORCOLOR, 0, 0), 0x0000FF);
  EXPECT_TRUE(BoxIs(w, kRed, RECT{2, 2, 9, 9}));
  SendMessageA(w, BMPM_CHECK, 0, 0);
  EXPECT_TRUE(BoxIs(w, kRed, RECT{2, 2, 9, 9}));
  SendMessageA(w, BMPM_SETINDICATORCOLOR, 1, 0xFF0000);  // checked: blue
  EXPECT_TRUE(BoxIs(w, kBlue, RECT{2, 2, 9, 9}));
  SendMessageA(w, BMPM_SETINDICATORCOLOR, 3, 0x00FFFF);  // disabled: yellow
  SendMessageA(w, WM_ENABLE, FALSE, 0);
  UpdateWindow(w);
  EXPECT_TRUE(BoxIs(w, kYellow, RECT{2, 2, 9, 9}));
  SendMessageA(w, BMPM_SETINDICATORCOLOR, 4, 0x000000);  // no such colour: nothing changes
  EXPECT_EQ(SendMessageA(w, BMPM_GETINDICATORCOLOR, 0, 0), 0xFF0000);
  // The shape by message.
  EXPECT_EQ(SendMessageA(w, BMPM_GETINDICATORSHAPE, 0, 0), 3);
  SendMessageA(w, BMPM_SETINDICATORSHAPE, 0x10002, 0);  // low 16 bits: 2, draws nothing
  EXPECT_EQ(SendMessageA(w, BMPM_GETINDICATORSHAPE, 0, 0), 2);
}

TEST_F(BitmapTest, BarDirectionsColoursAndFloor) {
  // Bar (2, 2, 22, 10), 25 per cent: 5 columns or 2 rows filled.
  const struct {
    int direction;
    int state;
    RECT filled, unfilled;
    uint32_t fill;
  } cases[] = {
      {0, 0, {2, 2, 7, 10}, {7, 2, 22, 10}, kRed},   {1, 0, {7, 2, 22, 10}, {2, 2, 7, 10}, kRed},
      {2, 0, {2, 2, 22, 4}, {2, 4, 22, 10}, kRed},   {3, 0, {2, 4, 22, 10}, {2, 2, 22, 4}, kRed},
      {4, 2, {2, 2, 7, 10}, {7, 2, 22, 10}, kRed},   // low two bits; disabled changes nothing
      {0, 1, {3, 3, 8, 11}, {8, 3, 23, 11}, kGreen}, {2, 3, {3, 3, 23, 5}, {3, 5, 23, 11}, kGreen},
  };
  for (const auto& c : cases) {
    HWND w = Create(Fmt("~S2,2,20,8,1,1,%lld,255,0,0,0,255,0,0,0,255,25", c.direction), 0, 26, 14);
    qt::EnterPaintState(w, c.state);
    EXPECT_TRUE(BoxIs(w, c.fill, c.filled)) << c.direction << " state " << c.state;
    EXPECT_TRUE(BoxIs(w, kBlue, c.unfilled)) << c.direction << " state " << c.state;
    const int area = (c.filled.right - c.filled.left) * (c.filled.bottom - c.filled.top) +
                     (c.unfilled.right - c.unfilled.left) * (c.unfilled.bottom - c.unfilled.top);
    EXPECT_EQ(26 * 14 - CountColor(w, RECT{0, 0, 26, 14}, kBg), area);
  }
  // 4 x 2 at 50 per cent: drawn 10 x 4, the fill measured on the 4 columns.
  HWND small = Create("~S2,2,4,2,0,0,0,255,0,0,0,255,0,0,0,255,50", 0, 16, 10);
  EXPECT_TRUE(BoxIs(small, kRed, RECT{2, 2, 4, 6}));
  EXPECT_TRUE(BoxIs(small, kBlue, RECT{4, 2, 12, 6}));
}

// The focus rectangle is drawn with DrawFocusRect: the control's pixels must
// equal those of the same look without focus plus DrawFocusRect at `at`.
::testing::AssertionResult FocusDrawnAt(HWND w, RECT at) {
  const std::vector<uint32_t> focused = qt::ReadClientPixels(w);
  SetFocus(GetParent(w));
  const std::vector<uint32_t> unfocused = qt::ReadClientPixels(w);
  if (focused == unfocused) return ::testing::AssertionFailure() << "no focus rectangle drawn";
  HDC dc = GetDC(w);
  DrawFocusRect(dc, &at);
  ReleaseDC(w, dc);
  const bool same = qt::ReadClientPixels(w) == focused;
  qt::Repaint(w);
  if (!same) return ::testing::AssertionFailure() << "focus rectangle misplaced";
  return ::testing::AssertionSuccess();
}

TEST_F(BitmapTest, FocusRectangleOnlyWithTheFocusAndShiftedWhileDown) {
  const char* text = "~B0,0,0,0,2,0,0,0~F3,3,10,8,2,1,0";
  HWND w = Create(text, 0, 30, 20);
  HWND plain = Create("~B0,0,0,0,2,0,0,0", 0, 30, 20);
  EXPECT_EQ(qt::ReadClientPixels(w), qt::ReadClientPixels(plain));  // not focused: not drawn
  SetFocus(w);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  EXPECT_TRUE(FocusDrawnAt(w, RECT{3, 3, 13, 11}));
  EXPECT_EQ(Flags(w), 0);
  EXPECT_EQ(qt::ReadClientPixels(w), qt::ReadClientPixels(plain));
  // Space down gives the focus and draws it down: the rectangle moves.
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Flags(w), BMPF_FOCUS | BMPF_DOWN);
  EXPECT_TRUE(FocusDrawnAt(w, RECT{5, 4, 15, 12}));
  EXPECT_EQ(Flags(w), BMPF_DOWN);  // losing the focus does not lift the button
}

TEST_F(BitmapTest, EraseAndPaletteMessages) {
  HWND w = Create("~I2,2,8,8,0,0,3,0,255,0,255,0,0,192,192,192", 0, 14, 14);
  HDC dc = GetDC(w);
  EXPECT_EQ(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(w, dc);
  EXPECT_EQ(SendMessageA(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(w), 0), 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  // The number of changed entries comes back; only a change repaints.
  for (UINT message : {UINT(WM_QUERYNEWPALETTE), UINT(WM_PALETTECHANGED)}) {
    const LRESULT changed = SendMessageA(w, message, reinterpret_cast<WPARAM>(bench.parent.hwnd()), 0);
    EXPECT_GE(changed, 0);
    EXPECT_LE(changed, 3);
    EXPECT_EQ(GetUpdateRect(w, &update, FALSE) != FALSE, changed != 0) << message;
    UpdateWindow(w);
  }
  EXPECT_TRUE(BoxIs(w, kRed, RECT{2, 2, 9, 9}));
}

TEST_F(BitmapTest, PaintsLeaveNoGdiObjectBehindInAnyState) {
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  const std::string text =
      "Go~B0,0,0,0,1,255,0,0~G2,2,0,0,1,1,0x5000,3,BMP_MASKED"
      "~T0,0,0,0,0,1,1,37,0,0,0,255,255,255,128,128,128~T1,0,0,20,10,1,1,0,1,2,3,4,5,6,7,8,9,x"
      "~I30,2,10,10,1,1,0,0,255,0,255,0,0,192,192,192~S2,30,30,6,1,1,2,1,2,3,4,5,6,7,8,9,60~F1,1,40,40,1,1,0";
  for (int state = 0; state < 8; ++state) {
    HWND w = Create(text, 0, 48, 48);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    qt::EnterPaintState(w, state);
    SetFocus(w);
    const int before = qt::GdiCounter::LiveObjects();
    for (int i = 0; i < 1000; ++i) {
      InvalidateRect(w, nullptr, TRUE);
      UpdateWindow(w);
    }
    SendMessageA(w, WM_QUERYNEWPALETTE, 0, 0);
    SendMessageA(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(bench.parent.hwnd()), 0);
    EXPECT_EQ(qt::GdiCounter::LiveObjects(), before) << "state " << state;
  }
  DeleteObject(font);
}

// ---- Input and messages -----------------------------------------------------------

constexpr int kId = 321;
const char kButtonFace[] = "~B0,0,0,0,0,0,0,0";  // 40 x 30: pixel (1, 1) white up, dark down
const LPARAM kInside = MAKELPARAM(10, 10), kOutside = MAKELPARAM(100, 10);

class BitmapInputTest : public BitmapTest {
 protected:
  HWND Button(DWORD kind, const char* text = kButtonFace) { return Create(text, kind, 40, 30, kId); }
  qt::Command Click(HWND w) const { return qt::MakeCommand(kId, BMPN_CLICK, w); }
  std::vector<qt::Command>& commands() { return bench.parent.commands; }
  static void Send(HWND w, UINT message, LPARAM lParam = 0) { SendMessageA(w, message, 0, lParam); }
  static void Key(HWND w, UINT message) { SendMessageA(w, message, VK_SPACE, 0); }
  static bool LooksDown(HWND w) { return qt::PixelAt(w, 1, 1) == kDark; }
};

TEST_F(BitmapInputTest, PushButtonOutAndBackIn) {
  HWND w = Button(BMPS_PUSHBUTTON);
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(GetCapture(), w);
  EXPECT_EQ(GetFocus(), w);  // clicked without the focus: takes it
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);
  EXPECT_TRUE(LooksDown(w));  // repainted at once
  Send(w, WM_MOUSEMOVE, kOutside);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  EXPECT_FALSE(LooksDown(w));
  Send(w, WM_MOUSEMOVE, MAKELPARAM(0xFFFB, 10));  // x = -5: outside
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  Send(w, WM_MOUSEMOVE, kInside);
  EXPECT_TRUE(LooksDown(w));
  EXPECT_TRUE(commands().empty());
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(commands(), std::vector<qt::Command>{Click(w)});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  EXPECT_FALSE(LooksDown(w));
  // Press, out, release outside: no notification, drawn up.
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_MOUSEMOVE, kOutside);
  Send(w, WM_LBUTTONUP, kOutside);
  EXPECT_EQ(commands().size(), 1u);
  EXPECT_FALSE(LooksDown(w));
  // Without the capture, moves and releases do nothing.
  Send(w, WM_MOUSEMOVE, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  Send(w, WM_CANCELMODE);
  EXPECT_EQ(commands().size(), 1u);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
}

TEST_F(BitmapInputTest, PushButtonSpaceBarNotifiesOnEveryKeyUp) {
  HWND w = Button(BMPS_PUSHBUTTON);
  Key(w, WM_KEYUP);  // no key-down before: notifies all the same
  EXPECT_EQ(commands().size(), 1u);
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYDOWN);  // repeat
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);
  Key(w, WM_KEYUP);
  EXPECT_EQ(commands(), (std::vector<qt::Command>{Click(w), Click(w)}));
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  // Other keys only go to the default processing.
  SendMessageA(w, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(w, WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(commands().size(), 2u);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
}

TEST_F(BitmapInputTest, CheckBoxTogglesCommitsAndCancels) {
  HWND w = Button(BMPS_CHECKBOX);
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);  // toggled look at once
  Send(w, WM_MOUSEMOVE, kOutside);                // moves change nothing
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_EQ(commands(), std::vector<qt::Command>{Click(w)});
  // Press and release outside: look and state as before, no notification.
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(Flags(w), BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_FALSE(LooksDown(w));
  Send(w, WM_LBUTTONUP, kOutside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_TRUE(LooksDown(w));
  // Press and cancel (disabling the window cancels the capture first).
  Send(w, WM_LBUTTONDOWN, kInside);
  EnableWindow(w, FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_DISABLED);
  EXPECT_EQ(commands().size(), 1u);
  // Uncheck by a second click.
  EnableWindow(w, TRUE);
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(Flags(w) & (BMPF_DOWN | BMPF_CHECKED), 0);
  EXPECT_EQ(commands().size(), 2u);
}

TEST_F(BitmapInputTest, CheckBoxKeyRepeatCommitsTheLookLastShown) {
  HWND w = Button(BMPS_CHECKBOX);
  for (int repeat = 1; repeat <= 3; ++repeat) {
    Key(w, WM_KEYDOWN);
    EXPECT_EQ(LooksDown(w), repeat % 2 == 1) << repeat;
  }
  Key(w, WM_KEYUP);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYUP);  // two toggles: the look is checked again, so it stays checked
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_EQ(commands(), (std::vector<qt::Command>{Click(w), Click(w)}));
}

TEST_F(BitmapInputTest, RadioButtonChecksItselfAndNotifiesAgainWhenChecked) {
  HWND w = Button(BMPS_RADIOBUTTON);
  // Pressed and released outside: back up, nothing sent.
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_TRUE(LooksDown(w));
  Send(w, WM_LBUTTONUP, kOutside);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
  EXPECT_TRUE(commands().empty());
  // Clicked: checked, rests down.
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  // Clicked while checked, by mouse and by space: notifies, stays checked and down.
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kOutside);  // outside while checked: stays down
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYUP);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_TRUE(LooksDown(w));
  EXPECT_EQ(commands(), (std::vector<qt::Command>{Click(w), Click(w), Click(w)}));
  // It never unchecks itself: the group does.
  SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);
}

TEST_F(BitmapInputTest, PressRadioActsAtThePress) {
  HWND w = Button(BMPS_PRESSRADIO);
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_TRUE(LooksDown(w));
  EXPECT_EQ(commands(), std::vector<qt::Command>{Click(w)});
  Send(w, WM_MOUSEMOVE, kOutside);
  Send(w, WM_LBUTTONUP, kOutside);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_EQ(commands().size(), 1u);
  // Pressed again while checked: notifies again. Every space repeat does too.
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYDOWN);
  Key(w, WM_KEYUP);
  EXPECT_EQ(commands().size(), 4u);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
}

TEST_F(BitmapInputTest, PressRadioGroupDrivenByCheckRadioButton) {
  HWND a = Create(kButtonFace, BMPS_PRESSRADIO, 40, 30, 11);
  HWND b = Create(kButtonFace, BMPS_PRESSRADIO, 40, 30, 12);
  HWND c = Create(kButtonFace, BMPS_PRESSRADIO, 40, 30, 13);
  HWND parent = bench.parent.hwnd();
  // The parent keeps one option chosen, from inside the notification.
  bench.parent.onCommand = [parent](WPARAM wParam, LPARAM) { CheckRadioButton(parent, 11, 13, LOWORD(wParam)); };
  Send(b, WM_LBUTTONDOWN, kInside);
  Send(b, WM_LBUTTONUP, kInside);
  EXPECT_EQ(Flags(b) & (BMPF_DOWN | BMPF_CHECKED), BMPF_DOWN | BMPF_CHECKED);
  Send(c, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(Flags(b) & (BMPF_DOWN | BMPF_CHECKED), 0);
  EXPECT_EQ(Flags(c) & (BMPF_DOWN | BMPF_CHECKED), BMPF_DOWN | BMPF_CHECKED);
  EXPECT_FALSE(LooksDown(b));
  EXPECT_TRUE(LooksDown(c));
  Send(c, WM_LBUTTONUP, kInside);
  CheckRadioButton(parent, 11, 13, 11);
  EXPECT_EQ(Flags(a) & (BMPF_DOWN | BMPF_CHECKED), BMPF_DOWN | BMPF_CHECKED);
  EXPECT_EQ(Flags(c) & (BMPF_DOWN | BMPF_CHECKED), 0);
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0) & BST_CHECKED, BST_CHECKED);
  EXPECT_EQ(commands(), (std::vector<qt::Command>{qt::MakeCommand(12, 0, b), qt::MakeCommand(13, 0, c)}));
}

TEST_F(BitmapInputTest, SetCheckPerKindAndGetCheck) {
  const struct {
    DWORD kind;
    uint8_t checked;  // flags after BM_SETCHECK 1
  } kinds[] = {{BMPS_PUSHBUTTON, BMPF_CHECKED},
               {BMPS_CHECKBOX, BMPF_CHECKED | BMPF_DOWN},
               {BMPS_RADIOBUTTON, BMPF_CHECKED | BMPF_DOWN},
               {BMPS_PRESSRADIO, BMPF_CHECKED | BMPF_DOWN}};
  for (const auto& k : kinds) {
    HWND w = Button(k.kind);
    EXPECT_EQ(SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0), 0);
    EXPECT_EQ(Flags(w), k.checked) << k.kind;
    EXPECT_EQ(LooksDown(w), (k.checked & BMPF_DOWN) != 0) << k.kind;  // repainted at once
    EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(w, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(Flags(w), BMPF_INDETERMINATE) << k.kind;
    EXPECT_EQ(SendMessageA(w, BM_GETSTATE, 0, 0), BST_INDETERMINATE);
    SendMessageA(w, BM_SETCHECK, 7, 0);  // no such value
    EXPECT_EQ(Flags(w), BMPF_INDETERMINATE) << k.kind;
    SendMessageA(w, BMPM_CHECK, 0, 0);
    EXPECT_EQ(Flags(w), k.checked) << k.kind;
    SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(Flags(w), 0) << k.kind;
    EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(LooksDown(w));
  }
  EXPECT_TRUE(commands().empty());  // none of them notifies
}

TEST_F(BitmapInputTest, GetCheckOnADisabledControl) {
  HWND w = Button(BMPS_CHECKBOX);
  SendMessageA(w, BMPM_CHECK, 0, 0);
  SendMessageA(w, WM_ENABLE, FALSE, 0);
  EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), 2);
  SendMessageA(w, BM_SETSTATE, TRUE, 0);
  SetFocus(w);
  EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), 2 + 4 + 8);
  EXPECT_EQ(SendMessageA(w, BM_GETSTATE, 0, 0), 2 + 4 + 8);
  SendMessageA(w, BMPM_UNCHECK, 0, 0);
  EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), 2 + 4 + 8);  // whatever the check state
  SendMessageA(w, WM_ENABLE, TRUE, 0);
  EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), 4 + 8);
  EXPECT_EQ(Flags(w), BMPF_HIGHLIGHT | BMPF_FOCUS);
}

TEST_F(BitmapInputTest, HighlightChangesNeitherLookNorBehaviour) {
  HWND w = Button(BMPS_PUSHBUTTON);
  UpdateWindow(w);
  EXPECT_EQ(SendMessageA(w, BM_SETSTATE, TRUE, 0), 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  EXPECT_EQ(Flags(w), BMPF_HIGHLIGHT);
  EXPECT_FALSE(LooksDown(w));
  SendMessageA(w, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Flags(w), 0);
}

TEST_F(BitmapInputTest, SetStyleMakesTheDefaultFrameAndDialogCode) {
  HWND w = Create("~B0,0,0,0,0,0,0,0", BMPS_PUSHBUTTON, 12, 10, kId);
  EXPECT_EQ(SendMessageA(w, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  EXPECT_TRUE(qt::MapMatches(w, 0, 0, qt::WithKey(kBevelUp, 'f', '.'), kLegend));
  EXPECT_EQ(SendMessageA(w, BM_SETSTYLE, 1, 1), 0);
  EXPECT_NE(GetWindowLongA(w, GWL_STYLE) & BMPS_DEFAULT, 0);
  EXPECT_EQ(SendMessageA(w, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  UpdateWindow(w);
  EXPECT_TRUE(qt::MapMatches(w, 0, 0, qt::WithKey(kDefaultUp, 'f', '.'), kLegend));
  // Other values leave the style; lParam 0 does not invalidate.
  SendMessageA(w, BM_SETSTYLE, 5, 0);
  EXPECT_NE(GetWindowLongA(w, GWL_STYLE) & BMPS_DEFAULT, 0);
  SendMessageA(w, BM_SETSTYLE, 0, 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  EXPECT_EQ(SendMessageA(w, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  // The other kinds are plain buttons; with a lamp, bit 0 of its shape decides.
  EXPECT_EQ(SendMessageA(Button(BMPS_CHECKBOX | BMPS_DEFAULT), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
  HWND lamp = Create("~I0,0,8,8,0,0,0,0,0,0,0,0,0,0,0,0", BMPS_PUSHBUTTON, 12, 10);
  EXPECT_EQ(SendMessageA(lamp, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  SendMessageA(lamp, BMPM_SETINDICATORSHAPE, 1, 0);
  EXPECT_EQ(SendMessageA(lamp, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(BitmapInputTest, DoubleClickFlagSwallowsTheNextRelease) {
  HWND w = Button(BMPS_CHECKBOX);
  HWND other = Button(BMPS_PUSHBUTTON);
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(SendMessageA(other, WM_LBUTTONDBLCLK, 0, kInside), 0);  // the flag is library-wide
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(GetCapture(), nullptr);  // released, nothing else
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);
  EXPECT_TRUE(commands().empty());
  // A new press clears it.
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(Flags(w), BMPF_FOCUS);  // toggled twice, committed unchecked
  EXPECT_EQ(commands(), std::vector<qt::Command>{Click(w)});
}

TEST_F(BitmapInputTest, ClickMessageActsAsTheSpaceBar) {
  HWND push = Button(BMPS_PUSHBUTTON);
  HWND box = Button(BMPS_CHECKBOX);
  EXPECT_EQ(SendMessageA(push, BMPM_CLICK, 0, 0), 0);
  EXPECT_EQ(SendMessageA(box, BMPM_CLICK, 0, 0), 0);
  EXPECT_EQ(Flags(push), 0);                          // down and up again; the focus moved on
  EXPECT_EQ(Flags(box), BMPF_DOWN | BMPF_CHECKED | BMPF_FOCUS);
  EXPECT_EQ(commands(), (std::vector<qt::Command>{Click(push), Click(box)}));
  // BM_CLICK is not the control's: default processing only.
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(commands().size(), 2u);
}

TEST_F(BitmapInputTest, FocusRepaintsAndKeepsDown) {
  HWND w = Create("~B0,0,0,0,2,0,0,0~F2,2,10,10,1,1,0", BMPS_PUSHBUTTON, 20, 20, kId);
  HWND plain = Create("~B0,0,0,0,2,0,0,0", BMPS_PUSHBUTTON, 20, 20);
  // Clicked without the focus: the first repaint already shows the rectangle.
  Send(w, WM_LBUTTONDOWN, kInside);
  EXPECT_EQ(Flags(w), BMPF_DOWN | BMPF_FOCUS);
  EXPECT_NE(qt::ReadClientPixels(w), qt::ReadClientPixels(plain));
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  SetFocus(plain);  // WM_KILLFOCUS: repainted at once, still down
  EXPECT_EQ(Flags(w), BMPF_DOWN);
  EXPECT_EQ(qt::ReadClientPixels(w), qt::ReadClientPixels(plain));
  EXPECT_EQ(GetCapture(), w);
  Send(w, WM_LBUTTONUP, kInside);
  EXPECT_EQ(commands(), std::vector<qt::Command>{Click(w)});
}

TEST_F(BitmapInputTest, EnableAndFontMessages) {
  HWND w = Button(BMPS_PUSHBUTTON);
  UpdateWindow(w);
  EXPECT_EQ(SendMessageA(w, WM_ENABLE, FALSE, 0), 0);
  EXPECT_EQ(Flags(w), BMPF_DISABLED);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));  // invalidated, not yet repainted
  UpdateWindow(w);
  EXPECT_EQ(SendMessageA(w, WM_ENABLE, TRUE, 0), 0);
  EXPECT_EQ(Flags(w), 0);
  EXPECT_EQ(SendMessageA(w, WM_GETFONT, 0, 0), 0);
  HFONT font = reinterpret_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, QOR32_BMP_FONT_OFFSET), reinterpret_cast<LONG_PTR>(font));
  EXPECT_EQ(SendMessageA(w, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
}

// ---- Destroyed by the parent while handling a message ----------------------------

class BitmapDestroyTest : public BitmapInputTest {
 protected:
  // The parent destroys the control at the first notification.
  void DestroyOnCommand() {
    bench.parent.onCommand = [](WPARAM, LPARAM lParam) { DestroyWindow(reinterpret_cast<HWND>(lParam)); };
  }
  void ExpectGone(HWND w, size_t notifications) {
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(commands().size(), notifications);
    EXPECT_NE(GetCapture(), w);
    // The parent goes on working; a new control in its place works too.
    HWND next = Button(BMPS_PUSHBUTTON);
    bench.parent.onCommand = nullptr;
    Key(next, WM_KEYDOWN);
    Key(next, WM_KEYUP);
    EXPECT_EQ(commands().size(), notifications + 1);
    EXPECT_EQ(Flags(next), BMPF_FOCUS);
  }
};

TEST_F(BitmapDestroyTest, ByTheNotificationOfAMouseRelease) {
  HWND w = Button(BMPS_PUSHBUTTON, "Go~B0,0,0,0,0,0,0,0~T0,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,Go~G0,0,0,0,0,0,0,1,BMP_TWO");
  DestroyOnCommand();
  Send(w, WM_LBUTTONDOWN, kInside);
  Send(w, WM_LBUTTONUP, kInside);
  ExpectGone(w, 1);
}

TEST_F(BitmapDestroyTest, ByTheNotificationOfAPress) {
  HWND w = Button(BMPS_PRESSRADIO);
  DestroyOnCommand();
  Send(w, WM_LBUTTONDOWN, kInside);
  ExpectGone(w, 1);
}

TEST_F(BitmapDestroyTest, ByTheNotificationOfTheSpaceBar) {
  for (DWORD kind : {BMPS_PUSHBUTTON, BMPS_CHECKBOX, BMPS_RADIOBUTTON}) {
    HWND w = Button(kind);
    DestroyOnCommand();
    Key(w, WM_KEYDOWN);
    Key(w, WM_KEYUP);
    EXPECT_FALSE(IsWindow(w)) << kind;
    bench.parent.onCommand = nullptr;
  }
  EXPECT_EQ(commands().size(), 3u);
  HWND press = Button(BMPS_PRESSRADIO);
  DestroyOnCommand();
  Key(press, WM_KEYDOWN);
  ExpectGone(press, 4);
}

TEST_F(BitmapDestroyTest, ByTheNotificationOfAClickMessage) {
  // The press radio notifies at the key-down: the key-up must not follow.
  HWND press = Button(BMPS_PRESSRADIO);
  DestroyOnCommand();
  EXPECT_EQ(SendMessageA(press, BMPM_CLICK, 0, 0), 0);
  EXPECT_FALSE(IsWindow(press));
  HWND push = Button(BMPS_PUSHBUTTON);
  DestroyOnCommand();
  EXPECT_EQ(SendMessageA(push, BMPM_CLICK, 0, 0), 0);
  ExpectGone(push, 2);
}

// A sibling that destroys a window when it loses the focus to it.
HWND g_victim = nullptr;
WNDPROC g_staticProc = nullptr;
LRESULT CALLBACK DestroyVictimOnKillFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KILLFOCUS && g_victim != nullptr && reinterpret_cast<HWND>(wParam) == g_victim) {
    HWND victim = std::exchange(g_victim, nullptr);
    DestroyWindow(victim);
  }
  return CallWindowProcA(g_staticProc, hwnd, message, wParam, lParam);
}

TEST_F(BitmapDestroyTest, WhileTakingTheFocus) {
  HWND sibling = bench.parent.CreateChild("STATIC", "", WS_VISIBLE, 1300, 900, 10, 10, 999);
  g_staticProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(sibling, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyVictimOnKillFocus)));
  // A press radio would notify after its refresh: it must not, once destroyed.
  for (DWORD kind : {BMPS_PRESSRADIO, BMPS_PUSHBUTTON}) {
    HWND w = Button(kind);
    SetFocus(sibling);
    g_victim = w;
    Send(w, WM_LBUTTONDOWN, kInside);
    EXPECT_FALSE(IsWindow(w)) << kind;
    EXPECT_NE(GetCapture(), w);
  }
  HWND w = Button(BMPS_PRESSRADIO);
  SetFocus(sibling);
  g_victim = w;
  Key(w, WM_KEYDOWN);
  EXPECT_FALSE(IsWindow(w));
  g_victim = nullptr;
  EXPECT_TRUE(commands().empty());
  ExpectGone(w, 0);
}

}  // namespace
