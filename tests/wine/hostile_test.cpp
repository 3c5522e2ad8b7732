// Hostile artwork: every control that draws bitmaps is given bitmaps too
// small for its bands, depths it is not drawn for, pictures whose headers
// lie, and bad bitmap handles. Each case creates the control, paints it,
// drives it through its state messages and destroys it. Where the picture
// can be decided it is compared exactly (nothing drawn, or the few pixels
// there are); every case must leave the process alive, the control
// answering, and no window and no GDI object behind.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "frame/dib_section.h"
#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr uint32_t kGround = 0x604020;         // the parent's background
constexpr uint32_t kPreviewGround = 0x008080;  // the preview's own background
constexpr uint32_t kDot = 0x3060C0;            // the pixel of the 1 x 1 artwork
constexpr uint32_t kRowA = 0xC03030, kRowB = 0x30C030, kRowC = 0x3030C0;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

constexpr int kId = 400;
constexpr int kLeft = 8, kTop = 8;        // each control's place in the parent
constexpr int kWidth = 16, kHeight = 12;  // and its size at creation
constexpr int kMargin = 4;                // checked around that rectangle

const qt::Legend& Colors() {
  static const qt::Legend legend = {
      {'.', kGround}, {'g', kPreviewGround}, {'o', kDot},   {'a', kRowA},
      {'b', kRowB},   {'c', kRowC},          {'k', kBlack}, {'w', kWhite},
      {'x', (kGround & kRowB) ^ kRowA},  // the track's band over its mask band, over the parent
      {'f', qt::Rgb(GetSysColor(COLOR_BTNFACE))},  // what a matrix cell button erases with
  };
  return legend;
}

// What a case writes for "%h" in its text.
enum class Given {
  kNothing,
  kBitmap,        // a live 1 x 1 bitmap of kDot
  kDeleted,       // the value of a bitmap deleted before it is given
  kDeletedInUse,  // a bitmap deleted after the control has drawn it
  kRandom,        // a value that is no object
  kBrush,         // a hatched brush: its record reads as a wide, short bitmap
  kDC,            // a memory device context
  kHeld,          // a bitmap selected into that device context
  kZero,
};

// The application's objects that the handle cases pass, alive for the whole
// suite (so that they are no part of any case's count).
struct ForeignObjects {
  HBITMAP bitmap = nullptr;
  HBITMAP deleted = nullptr;
  HBRUSH brush = nullptr;
  HDC dc = nullptr;
  HBITMAP held = nullptr;
  HGDIOBJ dcPrevious = nullptr;
};

HBITMAP CreateDot() {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  SetPixel(memory, 0, 0, qt::ColorRef(kDot));
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

constexpr uintptr_t kRandomValue = 0x0BADF00D;

// The parent's pixels around and under the control: `rows` from the
// control's origin ('?' = any), `rest` elsewhere in its rectangle at
// creation, the parent's background around it.
struct Expected {
  char rest = '.';
  std::vector<std::string> rows;
};

Expected Nothing() { return Expected{'.', {}}; }
Expected Shows(std::vector<std::string> rows) { return Expected{'.', std::move(rows)}; }

// The preview case's settings: no page (so no scaling), the picture at
// (2, 2)-(10, 8) in pixels.
PreviewSettings PictureOnly(WORD flags = 0) {
  PreviewSettings s{};
  s.pictureRect = RECT{2, 2, 10, 8};
  s.options = flags;
  return s;
}
// The preview's background with the picture rectangle filled by `picture`.
Expected PreviewShows(char picture) {
  Expected e{'g', {}};
  e.rows.assign(2, std::string(kWidth, 'g'));
  for (int y = 2; y < 8; ++y) e.rows.push_back("gg" + std::string(8, picture) + std::string(6, 'g'));
  return e;
}

struct HostileCase {
  const char* label;
  const char* className;
  const char* text;  // control text, the picture's name, or cell 0's pattern value
  Given given;
  Expected expected;
  std::function<void(HWND)> before = nullptr;  // run before the pixels are read
};

void SelectTab(HWND w, int index) { SendMessageA(w, TABM_SETSEL, kId + index, 0); }

bool IsPatternPicker(const std::string& className) { return className == QOR32_PATTERN_CLASS; }

// Every control is created kWidth x kHeight, except the pattern picker,
// which has a fixed size.
SIZE CreatedSize(const std::string& className) {
  return IsPatternPicker(className) ? SIZE{78, 70} : SIZE{kWidth, kHeight};
}

// The picker's first cell tiled with a pattern whose rows are `pattern`: the
// visible interior is x 3 to 17, y 3 to 15, tiled from the client origin.
Expected FirstCellTiled(std::vector<std::string> pattern) {
  Expected e{'?', std::vector<std::string>(3)};
  for (int y = 3; y <= 15; ++y) {
    const std::string& row = pattern[size_t(y) % pattern.size()];
    std::string line = "???";
    for (int x = 3; x <= 17; ++x) line += row[size_t(x) % row.size()];
    e.rows.push_back(line);
  }
  return e;
}

std::vector<HostileCase> Cases() {
  const char* const bitmap = QOR32_BITMAP_CLASS;
  const char* const matrix = QOR32_MATRIX_CLASS;
  const char* const slide = QOR32_SLIDE_CLASS;
  const char* const tab = QOR32_TAB_CLASS;
  const char* const preview = QOR32_PREVIEW_CLASS;
  const char* const pattern = QOR32_PATTERN_CLASS;
  const Given none = Given::kNothing;
  return {
      // Bitmap control: strips too short for their frames, and other depths.
      {"BitmapOnePixel", bitmap, "~Q1,HOSTILE_1X1", none, Shows({"o"})},
      {"BitmapMoreFramesThanRows", bitmap, "~G0,0,0,0,0,0,0,8,HOSTILE_1X1", none, Nothing()},
      {"BitmapMaskedStripOfTwoRows", bitmap, "~Q3,HOSTILE_2ROWS", none, Nothing()},
      {"BitmapTwoFramesOfThreeRows", bitmap, "~Q2,HOSTILE_3ROWS", none, Shows({"aaaaaaaa", "........"})},
      {"BitmapOnePixelFitted", bitmap, "~G0,0,0,0,0,0,12288,1,HOSTILE_1X1", none,
       Shows({"", "", "", "", "", ".......o."})},
      {"BitmapOneBitMono", bitmap, "~Q1,HOSTILE_MONO", none, Shows({"kwwk.", "wkkw."})},
      {"BitmapOneBitColour", bitmap, "~Q1,HOSTILE_1BIT", none, Shows({"acca.", "caac."})},
      {"BitmapThirtyTwoBit", bitmap, "~Q1,HOSTILE_32BIT", none, Shows({"oaaa.", "bbbb."})},
      // Bitmap control: handles.
      {"BitmapHandle", bitmap, "~Q1,HBITMAP= %h", Given::kBitmap, Shows({"o.", ".."})},
      {"BitmapDeletedHandle", bitmap, "~Q1,HBITMAP= %h", Given::kDeleted, Nothing()},
      {"BitmapHandleDeletedInUse", bitmap, "~Q1,HBITMAP= %h", Given::kDeletedInUse, Nothing()},
      {"BitmapRandomHandle", bitmap, "~Q1,HBITMAP= %h", Given::kRandom, Nothing()},
      {"BitmapBrushHandle", bitmap, "~Q1,HBITMAP= %h", Given::kBrush, Nothing()},
      {"BitmapBrushHandlePlaced", bitmap, "~G2,2,0,0,0,0,0,1,HBITMAP= %h", Given::kBrush, Nothing()},
      {"BitmapDCHandle", bitmap, "~Q1,HBITMAP= %h", Given::kDC, Nothing()},
      {"BitmapHandleHeldByAnotherDC", bitmap, "~Q1,HBITMAP= %h", Given::kHeld, Nothing()},
      {"BitmapZeroHandle", bitmap, "~Q1,HBITMAP= %h", Given::kZero, Nothing()},

      // Matrix control: one cell per pixel, bands of no rows, other depths.
      {"MatrixOnePixel", matrix, "~M0 0 0 0 HOSTILE_1X1 1 1 0 0 -1 -1 0 0", none, Shows({"o.", ".."})},
      {"MatrixFourBandsOfTwoRows", matrix, "~M0 0 0 3 HOSTILE_2ROWS 1 1 0 0 -1 -1 0 0", none, Nothing()},
      {"MatrixFiveBandsOfTwoRows", matrix, "~M0 0 0 4 HOSTILE_2ROWS 1 1 0 0 -1 -1 0 0", none, Nothing()},
      {"MatrixTwoBandsOfThreeRows", matrix, "~M0 0 0 1 HOSTILE_3ROWS 1 1 0 0 -1 -1 0 0", none,
       Shows({"aaaaaaaa.", "........."})},
      {"MatrixMoreColumnsThanPixels", matrix, "~M0 0 0 0 HOSTILE_1X1 2 2 1 1 -1 -1 0 0", none, Nothing()},
      {"MatrixOneBitColour", matrix, "~M0 0 0 0 HOSTILE_1BIT 1 1 0 0 -1 -1 0 0", none,
       Shows({"acca.", "caac.", "....."})},
      // A monochrome cell takes the cell button's DC colours: the button face
      // for its white.
      {"MatrixOneBitMono", matrix, "~M0 0 0 0 HOSTILE_MONO 1 1 0 0 -1 -1 0 0", none,
       Shows({"kffk.", "fkkf.", "....."})},
      {"MatrixThirtyTwoBit", matrix, "~M0 0 0 0 HOSTILE_32BIT 1 1 0 0 -1 -1 0 0", none,
       Shows({"oaaa.", "bbbb.", "....."})},
      // Matrix control: handles.
      {"MatrixHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kBitmap, Shows({"o.", ".."})},
      {"MatrixDeletedHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kDeleted, Nothing()},
      // A cell whose bitmap cannot be drawn shows the cell button's own face.
      {"MatrixHandleDeletedInUse", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kDeletedInUse,
       Shows({"f.", ".."})},
      {"MatrixRandomHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kRandom, Nothing()},
      {"MatrixBrushHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kBrush, Nothing()},
      {"MatrixDCHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kDC, Nothing()},
      {"MatrixHandleHeldByAnotherDC", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kHeld,
       Shows({"f.", ".."})},
      {"MatrixZeroHandle", matrix, "~M0 0 0 0 HBITMAP= %h 1 1 0 0 -1 -1 0 0", Given::kZero, Nothing()},

      // Slide control: tiny thumbs and tracks.
      {"SlideOnePixelTrackThumbOfNoRows", slide, "~S0 3 0 0 HOSTILE_1X1 HOSTILE_1X1 0 0 0 0 0 0 0 0", none,
       Shows({"o.", ".."})},
      {"SlideThumbWiderThanTrack", slide, "~S0 3 0 0 HOSTILE_THUMB HOSTILE_1X1 0 0 0 0 0 0 0 0", none,
       Shows({"a.", ".."})},
      {"SlideTinyThumbOnTrack", slide, "~S0 3 0 0 HOSTILE_THUMB HOSTILE_3ROWS 0 0 0 0 0 0 0 0", none,
       Shows({"aaaaaaaa.", "bbbaabbb.", "cccccccc.", "........."})},
      {"SlideTinyThumbAtTheLeftEnd", slide, "~S0 3 0 0 HOSTILE_THUMB HOSTILE_3ROWS 0 0 0 0 100 0 10 0", none,
       Shows({"aaaaaaaa.", "aabbbbbb.", "cccccccc.", "........."})},
      {"SlideTrackOfMoreBandsThanRows", slide, "~S0 3 0 7 HOSTILE_THUMB HOSTILE_2ROWS 0 0 0 0 0 0 0 0", none,
       Nothing()},
      {"SlideTransparentTrackOfNoRows", slide, "~S0 3 1 7 HOSTILE_THUMB HOSTILE_2ROWS 0 0 0 0 0 0 0 0", none,
       Nothing()},
      {"SlideTransparentTrackOfOneRow", slide, "~S0 3 1 1 HOSTILE_1X1 HOSTILE_2ROWS 0 0 0 0 0 0 0 0", none,
       Shows({"xxxxxxxx.", "........."})},
      {"SlideOneBitColourTrack", slide, "~S0 3 0 0 HOSTILE_1X1 HOSTILE_1BIT 0 0 0 0 0 0 0 0", none,
       Shows({"acca.", "caac.", "....."})},
      {"SlideOneBitMonoTrack", slide, "~S0 3 0 0 HOSTILE_1X1 HOSTILE_MONO 0 0 0 0 0 0 0 0", none,
       Shows({"kwwk.", "wkkw.", "....."})},
      {"SlideThirtyTwoBitTrack", slide, "~S0 3 0 0 HOSTILE_1X1 HOSTILE_32BIT 0 0 0 0 0 0 0 0", none,
       Shows({"oaaa.", "bbbb.", "....."})},
      {"SlideMissingBitmaps", slide, "~S0 3 1 1 HOSTILE_NONE HOSTILE_NONE 0 0 0 0 0 0 0 0", none, Nothing()},

      // Tab control: bands of one row or none, other depths.
      {"TabBandOfOneRow", tab, "~Q2 HOSTILE_3ROWS", none, Shows({"aaaaaaaa.", "........."})},
      {"TabSecondBandOfOneRow", tab, "~Q2 HOSTILE_3ROWS", none, Shows({"bbbbbbbb.", "........."}),
       [](HWND w) { SelectTab(w, 1); }},
      // A selection past the count is refused, even where rows remain.
      {"TabSelectedBeyondTheBands", tab, "~Q2 HOSTILE_3ROWS", none, Shows({"aaaaaaaa.", "........."}),
       [](HWND w) { SelectTab(w, 2); }},
      {"TabMoreTabsThanRows", tab, "~Q4 HOSTILE_2ROWS", none, Nothing()},
      {"TabOnePixel", tab, "~Q2 HOSTILE_1X1", none, Nothing()},
      {"TabOneBitColour", tab, "~Q2 HOSTILE_1BIT", none, Shows({"acca.", "....."})},
      {"TabOneBitMono", tab, "~Q2 HOSTILE_MONO", none, Shows({"kwwk.", "....."})},
      {"TabThirtyTwoBit", tab, "~Q2 HOSTILE_32BIT", none, Shows({"oaaa.", "....."})},

      // Pattern picker: a pattern bitmap of one pixel tiles the cell.
      {"PatternOnePixel", pattern, "901", none, FirstCellTiled({"o"})},
      {"PatternOneBitColour", pattern, "902", none, FirstCellTiled({"acca", "caac"})},
      {"PatternOneBitMono", pattern, "903", none, FirstCellTiled({"kwwk", "wkkw"})},
      {"PatternThirtyTwoBit", pattern, "904", none, FirstCellTiled({"oaaa", "bbbb"})},
      {"PatternBrokenLargest", pattern, "905", none, Expected{'?', {}}},
      {"PatternBrokenTruncated", pattern, "906", none, Expected{'?', {}}},
      {"PatternBrokenZeroHeight", pattern, "907", none, Expected{'?', {}}},

      // Broken bitmap files given by name to the controls that load bitmaps.
      {"BitmapBrokenLargest", bitmap, "~Q1,HOSTILE_HUGE", none, Nothing()},
      {"BitmapBrokenTruncated", bitmap, "~Q1,HOSTILE_TRUNC", none, Expected{'?', {}}},
      // The platform loads a picture of no rows as its 1 x 1 default bitmap.
      {"BitmapBrokenZeroHeight", bitmap, "~Q1,HOSTILE_FLAT", none, Shows({"?.", ".."})},
      {"MatrixBrokenLargest", matrix, "~M0 0 0 0 HOSTILE_HUGE 1 1 0 0 -1 -1 0 0", none, Nothing()},
      {"MatrixBrokenTruncated", matrix, "~M0 0 0 0 HOSTILE_TRUNC 1 1 0 0 -1 -1 0 0", none, Expected{'?', {}}},
      {"SlideBrokenTrack", slide, "~S0 3 0 0 HOSTILE_THUMB HOSTILE_HUGE 0 0 0 0 0 0 0 0", none, Nothing()},
      {"SlideBrokenThumb", slide, "~S0 3 0 0 HOSTILE_FLAT HOSTILE_3ROWS 0 0 0 0 0 0 0 0", none,
       Shows({"aaaaaaaa.", "bbbbbbbb.", "cccccccc.", "........."})},
      {"TabBrokenLargest", tab, "~Q2 HOSTILE_HUGE", none, Nothing()},
      {"TabBrokenTruncated", tab, "~Q2 HOSTILE_TRUNC", none, Expected{'?', {}}},

      // Preview control: a usable picture of one pixel is stretched over the
      // picture rectangle; anything else is no picture, drawn white.
      {"PreviewOnePixel", preview, "HOSTILE_PIC_1X1", none, PreviewShows('o')},
      {"PreviewOnePixelTopDown", preview, "HOSTILE_PIC_1X1_TOPDOWN", none, PreviewShows('o')},
      {"PreviewTwentyFourBit", preview, "HOSTILE_PIC_24BIT", none, PreviewShows('w')},
      {"PreviewThirtyTwoBit", preview, "HOSTILE_PIC_32BIT", none, PreviewShows('w')},
      {"PreviewOneBit", preview, "HOSTILE_PIC_1BIT", none, PreviewShows('w')},
      {"PreviewSixteenColours", preview, "HOSTILE_PIC_16COLORS", none, PreviewShows('w')},
      {"PreviewSixteenColoursOfAFullTable", preview, "HOSTILE_PIC_16OF256", none, PreviewShows('?')},
      {"PreviewTruncatedColourTable", preview, "HOSTILE_PIC_SHORT_TABLE", none, PreviewShows('w')},
      {"PreviewTruncatedRows", preview, "HOSTILE_PIC_SHORT_BITS", none, PreviewShows('w')},
      {"PreviewZeroHeight", preview, "HOSTILE_PIC_ZERO_HEIGHT", none, PreviewShows('w')},
      {"PreviewMostNegativeHeight", preview, "HOSTILE_PIC_MIN_HEIGHT", none, PreviewShows('w')},
      {"PreviewTallTopDown", preview, "HOSTILE_PIC_TALL_TOPDOWN", none, PreviewShows('w')},
      {"PreviewZeroWidth", preview, "HOSTILE_PIC_ZERO_WIDTH", none, PreviewShows('w')},
      {"PreviewNegativeWidth", preview, "HOSTILE_PIC_NEG_WIDTH", none, PreviewShows('w')},
      {"PreviewSizeBeyond32Bits", preview, "HOSTILE_PIC_OVERFLOW", none, PreviewShows('w')},
      {"PreviewLargestSize", preview, "HOSTILE_PIC_MAXIMAL", none, PreviewShows('w')},
      {"PreviewHeaderLongerThanTheBlock", preview, "HOSTILE_PIC_HUGE_HEADER", none, PreviewShows('w')},
      {"PreviewCoreHeader", preview, "HOSTILE_PIC_CORE_HEADER", none, PreviewShows('w')},
      {"PreviewCompressed", preview, "HOSTILE_PIC_RLE8", none, PreviewShows('w')},
      {"PreviewNoPlanes", preview, "HOSTILE_PIC_NO_PLANES", none, PreviewShows('w')},
  };
}

const std::vector<HostileCase>& AllCases() {
  static const std::vector<HostileCase> cases = Cases();
  return cases;
}

// Sends a message and lets the control repaint whatever it invalidated.
LRESULT Send(HWND w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  const LRESULT result = SendMessageA(w, message, wParam, lParam);
  if (IsWindow(w)) UpdateWindow(w);
  return result;
}

// Drives the control through the messages that change its state and checks
// that it still answers. `verify` is off during the warm-up.
void Exercise(HWND w, const std::string& className, const std::string& text, bool verify) {
  const int length = static_cast<int>(text.size());
  Send(w, WM_SETFOCUS);
  Send(w, WM_ENABLE, FALSE);
  Send(w, WM_ENABLE, TRUE);
  Send(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  Send(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 0));
  Send(w, WM_LBUTTONUP, 0, MAKELPARAM(3, 0));
  Send(w, WM_KEYDOWN, VK_SPACE);
  Send(w, WM_KEYUP, VK_SPACE);
  Send(w, WM_QUERYNEWPALETTE);
  Send(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(GetParent(w)));
  Send(w, WM_MOVE);
  Send(w, WM_KILLFOCUS);
  LRESULT answer = 0, expected = 0;
  if (className == QOR32_BITMAP_CLASS) {
    Send(w, BMPM_CHECK);
    Send(w, BMPM_SETINDETERMINATE);
    Send(w, BM_SETSTATE, TRUE);
    Send(w, WM_SIZE, 0, MAKELPARAM(kWidth, kHeight));
    Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Send(w, BMPM_UNCHECK);
    Send(w, BMPM_CHECK);
    answer = Send(w, BMPM_GETSTATE) & BMPF_CHECKED;
    expected = BMPF_CHECKED;
  } else if (className == QOR32_MATRIX_CLASS) {
    Send(w, WM_ENABLE, kId & 0x7FFF);
    Send(w, WM_ENABLE, kId | 0x8000);
    HDC screen = GetDC(w);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ previous = SelectObject(memory, target);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kId;
    item.itemAction = ODA_DRAWENTIRE | ODA_FOCUS;
    item.itemState = ODS_SELECTED | ODS_FOCUS;
    item.hwndItem = GetDlgItem(w, kId);
    item.hDC = memory;
    item.rcItem = RECT{0, 0, 8, 8};
    const LRESULT drawn = Send(w, WM_DRAWITEM, kId, reinterpret_cast<LPARAM>(&item));
    if (verify) EXPECT_EQ(drawn, 1);
    item.itemState = 0;
    Send(w, WM_DRAWITEM, kId, reinterpret_cast<LPARAM>(&item));
    SelectObject(memory, previous);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(w, screen);
    Send(w, WM_TIMER, kId);
    Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    answer = Send(w, WM_GETTEXTLENGTH);
    expected = length;
  } else if (className == QOR32_SLIDE_CLASS) {
    Send(w, SLDM_SETMIN, 0, MAKELPARAM(0, 0));
    Send(w, SLDM_SETMAX, 0, MAKELPARAM(100, 100));
    Send(w, SLDM_SETPAGE, 0, MAKELPARAM(10, 10));
    Send(w, WM_KEYDOWN, VK_RIGHT);
    Send(w, WM_KEYDOWN, VK_NEXT);
    Send(w, WM_TIMER, 0);
    Send(w, WM_SETTEXT, 0, 0);  // reloads the same bitmaps
    Send(w, SLDM_SETPOS, 0, MAKELPARAM(7, 9));
    answer = Send(w, SLDM_GETPOS);
    expected = MAKELONG(7, 9);
  } else if (className == QOR32_TAB_CLASS) {
    Send(w, TABM_SETSEL, kId + 5);
    Send(w, TABM_SETSEL, kId + 1);
    answer = Send(w, TABM_GETSEL);
    expected = kId + 1;
  } else if (IsPatternPicker(className)) {
    Send(w, WM_RBUTTONDOWN, 0, MAKELPARAM(40, 20));
    Send(w, WM_LBUTTONDBLCLK, 0, MAKELPARAM(40, 20));
    Send(w, PATM_SETPATTERN, kId + 1, 905);
    Send(w, PATM_SETPATTERN, kId + 2, 906);
    Send(w, PATM_SETPATTERN, kId + 3, 903);
    answer = Send(w, PATM_GETPATTERN, kId + 3);
    expected = 903;
  } else if (className == QOR32_PREVIEW_CLASS) {
    const PreviewSettings swapped = PictureOnly(PRVF_SWAPBW | PRVF_CAPTION);
    Send(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&swapped));
    Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("HOSTILE_PIC_1X1"));
    const PreviewSettings plain = PictureOnly();
    Send(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&plain));
    answer = Send(w, WM_GETTEXTLENGTH);
    expected = length;
  }
  ReleaseCapture();
  qt::PumpMessages();
  if (verify) EXPECT_EQ(answer, expected) << "the control no longer answers";
}

class HostileTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // One case: create, paint, compare, exercise, destroy.
  static void Run(const HostileCase& c, bool verify);
  static ::testing::AssertionResult Matches(const Expected& expected, SIZE size);

  static qt::ParentWindow* parent_;
  static ForeignObjects objects_;
  static int gdiAtStart_, windowsAtStart_;
};

qt::ParentWindow* HostileTest::parent_ = nullptr;
ForeignObjects HostileTest::objects_;
int HostileTest::gdiAtStart_ = 0;
int HostileTest::windowsAtStart_ = 0;

void HostileTest::SetUpTestSuite() {
  parent_ = new qt::ParentWindow(120, 100, kGround);
  objects_.bitmap = CreateDot();
  objects_.deleted = CreateDot();
  DeleteObject(objects_.deleted);
  objects_.brush = CreateHatchBrush(HS_CROSS, qt::ColorRef(kDot));
  objects_.dc = CreateCompatibleDC(nullptr);
  objects_.held = CreateDot();
  objects_.dcPrevious = SelectObject(objects_.dc, objects_.held);
  // The platform keeps a cache of window DCs that grows to the number held
  // at once; fill it, so that it does not count as a leak of a case.
  std::vector<HWND> windows;
  std::vector<HDC> held;
  for (int i = 0; i < 24; ++i) {
    windows.push_back(parent_->CreateChild("STATIC", "", WS_VISIBLE, i, 0, 4, 4, 100 + i));
    held.push_back(GetDC(windows.back()));
  }
  for (size_t i = 0; i < held.size(); ++i) ReleaseDC(windows[i], held[i]);
  for (HWND w : windows) DestroyWindow(w);
  // Every case once, so that what the platform allocates at first use (font,
  // palette and resource caches) is in place before anything is counted.
  for (const HostileCase& c : AllCases()) Run(c, false);
  gdiAtStart_ = qt::GdiCounter::LiveObjects();
  windowsAtStart_ = qt::CountThreadWindows();
}

void HostileTest::TearDownTestSuite() {
  std::printf("hostile resources: %zu cases; live GDI objects %+d and windows %d -> %d over the suite\n",
              AllCases().size(), qt::GdiCounter::LiveObjects() - gdiAtStart_, windowsAtStart_,
              qt::CountThreadWindows());
  SelectObject(objects_.dc, objects_.dcPrevious);
  DeleteObject(objects_.held);
  DeleteDC(objects_.dc);
  DeleteObject(objects_.brush);
  DeleteObject(objects_.bitmap);
  delete parent_;
  parent_ = nullptr;
}

::testing::AssertionResult HostileTest::Matches(const Expected& expected, SIZE size) {
  const int columns = size.cx + 2 * kMargin, lines = size.cy + 2 * kMargin;
  std::vector<std::string> map(static_cast<size_t>(lines), std::string(static_cast<size_t>(columns), '.'));
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) map[size_t(y + kMargin)][size_t(x + kMargin)] = expected.rest;
  for (size_t y = 0; y < expected.rows.size(); ++y)
    for (size_t x = 0; x < expected.rows[y].size(); ++x) map[y + kMargin][x + kMargin] = expected.rows[y][x];
  const RECT area{kLeft - kMargin, kTop - kMargin, kLeft - kMargin + columns, kTop - kMargin + lines};
  const std::vector<uint32_t> pixels = qt::ReadPixels(parent_->hwnd(), area);
  int mismatches = 0;
  for (int y = 0; y < lines; ++y)
    for (int x = 0; x < columns; ++x) {
      const char key = map[size_t(y)][size_t(x)];
      if (key != '?' && pixels[size_t(y) * columns + x] != Colors().at(key)) ++mismatches;
    }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  std::string expectedMap;
  for (const std::string& row : map) expectedMap += row + "\n";
  return ::testing::AssertionFailure() << mismatches << " pixel(s) differ; expected (the control at (" << kMargin
                                       << ", " << kMargin << ")):\n"
                                       << expectedMap << "actual:\n"
                                       << qt::DescribePixels(parent_->hwnd(), area, Colors());
}

void RedrawAll(HWND parent) {
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  qt::PumpMessages();
}

void HostileTest::Run(const HostileCase& c, bool verify) {
  HWND parent = parent_->hwnd();
  RedrawAll(parent);
  HBITMAP inUse = c.given == Given::kDeletedInUse ? CreateDot() : nullptr;
  uintptr_t value = 0;
  switch (c.given) {
    case Given::kBitmap: value = reinterpret_cast<uintptr_t>(objects_.bitmap); break;
    case Given::kDeleted: value = reinterpret_cast<uintptr_t>(objects_.deleted); break;
    case Given::kDeletedInUse: value = reinterpret_cast<uintptr_t>(inUse); break;
    case Given::kRandom: value = kRandomValue; break;
    case Given::kBrush: value = reinterpret_cast<uintptr_t>(objects_.brush); break;
    case Given::kDC: value = reinterpret_cast<uintptr_t>(objects_.dc); break;
    case Given::kHeld: value = reinterpret_cast<uintptr_t>(objects_.held); break;
    case Given::kNothing:
    case Given::kZero: break;
  }
  if (verify && (c.given == Given::kRandom || c.given == Given::kDeleted))
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(value)), 0u) << "the value names an object after all";
  std::string text = c.text;
  if (const size_t at = text.find("%h"); at != std::string::npos) text.replace(at, 2, std::to_string(value));

  // The creation records: the preview's settings, the picker's patterns.
  PreviewSettings settings = PictureOnly();
  DWORD patterns[QOR32_PATTERN_COUNT] = {};
  void* record = nullptr;
  if (std::strcmp(c.className, QOR32_PREVIEW_CLASS) == 0) record = &settings;
  if (IsPatternPicker(c.className)) {
    patterns[0] = static_cast<DWORD>(std::stoul(text));
    record = patterns;
    text.clear();
  }
  const SIZE size = CreatedSize(c.className);
  HWND w = parent_->CreateChild(c.className, text.c_str(), WS_VISIBLE, kLeft, kTop, size.cx, size.cy, kId,
                                record);
  if (verify) ASSERT_NE(w, nullptr);
  if (w == nullptr) return;
  UpdateWindow(w);
  if (inUse != nullptr) {
    RedrawAll(parent);
    DeleteObject(inUse);
  }
  if (c.before) c.before(w);
  RedrawAll(parent);
  if (verify) EXPECT_TRUE(Matches(c.expected, size));

  Exercise(w, c.className, text, verify);
  RedrawAll(parent);
  if (verify) EXPECT_TRUE(IsWindow(w));
  DestroyWindow(w);
  qt::PumpMessages();
}

TEST_P(HostileTest, DrawsSanelyAndLeavesNothingBehind) {
  const HostileCase& c = AllCases()[static_cast<size_t>(GetParam())];
  SCOPED_TRACE(c.text);
  const int windowsBefore = qt::CountThreadWindows();
  const int gdiBefore = qt::GdiCounter::LiveObjects();
  Run(c, true);
  EXPECT_EQ(qt::CountThreadWindows(), windowsBefore) << "windows left behind";
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), gdiBefore) << "GDI objects left behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileTest, ::testing::Range(0, static_cast<int>(AllCases().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(AllCases()[static_cast<size_t>(info.param)].label);
                         });

// The controls load their artwork without the platform's bitmap loader
// where the resource allows it. Every bitmap resource of this module, each
// format and each broken one among them, must come out as the loader's
// bitmap would after its conversion to a DIB section: both or neither,
// the same kind of bitmap, and the same 32-bit pixels.
struct LoadedBitmap {
  bool exists = false;
  int objectSize = 0;  // a DIB section answers with more than a BITMAP
  BITMAP bm{};
  std::vector<uint32_t> pixels;
};

LoadedBitmap Describe(HBITMAP bitmap) {
  LoadedBitmap d;
  if (bitmap == nullptr) return d;
  d.exists = true;
  DIBSECTION ds{};
  d.objectSize = GetObjectA(bitmap, sizeof ds, &ds);
  d.bm = ds.dsBm;
  d.bm.bmBits = nullptr;
  const int width = d.bm.bmWidth, height = d.bm.bmHeight;
  if (width > 0 && height > 0 && int64_t(width) * height <= (1 << 22)) {
    d.pixels.assign(size_t(width) * size_t(height), 0xDEADBEEF);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, UINT(height), d.pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  DeleteObject(bitmap);
  return d;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(
      IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : std::string(name));
  return TRUE;
}

TEST(BitmapLoading, EveryResourceAsTheSystemLoaderMakesIt) {
  HMODULE module = GetModuleHandleA(nullptr);
  std::vector<std::string> names;
  EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_BITMAP), CollectName, reinterpret_cast<LONG_PTR>(&names));
  ASSERT_GE(names.size(), 30u);
  names.push_back("NO_SUCH_BITMAP");
  int sections = 0;
  // The first load asks the display for its depth, which leaves the
  // platform's screen DC behind: not part of the count.
  Describe(qor32::LoadBitmapForPainting(module, names.front().c_str()));
  const int gdiBefore = qt::GdiCounter::LiveObjects();
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const LoadedBitmap expected = Describe(qor32::ToDibSection(LoadBitmapA(module, name.c_str())));
    const LoadedBitmap loaded = Describe(qor32::LoadBitmapForPainting(module, name.c_str()));
    ASSERT_EQ(loaded.exists, expected.exists);
    EXPECT_EQ(loaded.objectSize, expected.objectSize);
    EXPECT_EQ(std::memcmp(&loaded.bm, &expected.bm, sizeof(BITMAP)), 0);
    EXPECT_TRUE(loaded.pixels == expected.pixels);
    if (loaded.objectSize == int(sizeof(DIBSECTION))) ++sections;
  }
  EXPECT_GE(sections, 10);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), gdiBefore);
}

}  // namespace
