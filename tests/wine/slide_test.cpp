// Slide control: configuration from text and from a record, exact pixels of
// the thumb over opaque and transparent tracks, keys, presses, drags and the
// repeat, the private messages, re-entrancy and GDI objects.
//
// The strips (tests/resources/slide_bitmaps.cpp): a 6 x 6 thumb with four
// bands (red, blue, grey, mask) and transparent corners; a 40 x 8
// horizontal track whose top two rows are transparent, an 8 x 40 vertical
// one whose left two columns are, and a 40 x 30 area transparent inside a
// one-pixel frame. Opaque, a transparent part of a track shows black.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frame/state_block.h"
#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 31;
constexpr uint32_t kBlack = 0x000000, kFace = 0x00C000, kRed = 0xFF0000, kBlue = 0x0000FF,
                   kGrey = 0x808080, kTeal = 0x008080;
const qt::Legend kLegend = {{'k', kBlack}, {'g', kFace}, {'r', kRed},
                            {'b', kBlue},  {'d', kGrey}, {'p', kTeal}};

// Horizontal: X 0..100 at 50, page 10; travel 0..34, thumb at (17, 1).
constexpr char kHorizontal[] = "~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0";
constexpr char kHorizontalClear[] = "~S 0 3 1 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0";
// Vertical: Y 0..100 at 50, page 10; thumb at (1, 17).
constexpr char kVertical[] = "~S 0 3 0 1 SLD_THUMB SLD_VTRACK 0 0 0 50 0 100 0 10";
// Two axes: X 0..100 at 50 page 10, Y 0..60 at 20 page 7; thumb at (17, 8).
constexpr char kArea[] = "~S 0 3 0 1 SLD_THUMB SLD_AREA 0 0 50 20 100 60 10 7";
constexpr char kAreaClear[] = "~S 0 3 1 1 SLD_THUMB SLD_AREA 0 0 50 20 100 60 10 7";

// ---- Pictures -------------------------------------------------------------

using Picture = std::vector<std::string>;

// A track picture: `clear` where its mask is white, `face` elsewhere.
Picture TrackPicture(int width, int height, RECT clear, char clearKey) {
  Picture p(height, std::string(width, 'g'));
  for (int y = clear.top; y < clear.bottom; ++y)
    for (int x = clear.left; x < clear.right; ++x) p[y][x] = clearKey;
  return p;
}

// The thumb band `key` at (x, y): its corners leave the track.
Picture WithThumb(Picture p, int x, int y, char key) {
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i) {
      const bool corner = (i == 0 || i == 5) && (j == 0 || j == 5);
      const int px = x + i, py = y + j;
      if (!corner && py >= 0 && py < int(p.size()) && px >= 0 && px < int(p[0].size())) p[py][px] = key;
    }
  return p;
}

Picture Horizontal(int thumbX, char key = 'r', char clear = 'k') {
  return WithThumb(TrackPicture(40, 8, RECT{0, 0, 40, 2}, clear), thumbX, 1, key);
}
Picture Vertical(int thumbY, char key = 'r') {
  return WithThumb(TrackPicture(8, 40, RECT{0, 0, 2, 40}, 'k'), 1, thumbY, key);
}
Picture Area(int thumbX, int thumbY, char key = 'r') {
  return WithThumb(TrackPicture(40, 30, RECT{1, 1, 39, 29}, 'k'), thumbX, thumbY, key);
}

::testing::AssertionResult Shows(HWND w, const Picture& expected) {
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = qt::ReadClientPixels(w, &width, &height);
  if (height != int(expected.size()) || width != int(expected[0].size())) {
    return ::testing::AssertionFailure() << "client is " << width << " x " << height;
  }
  std::string actual;
  bool same = true;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = pixels[size_t(y) * width + x];
      char key = '*';
      for (const auto& [k, v] : kLegend)
        if (v == pixel) key = k;
      actual += key;
      if (key != expected[y][x]) same = false;
    }
    actual += '\n';
  }
  if (same) return ::testing::AssertionSuccess();
  std::string wanted;
  for (const std::string& row : expected) wanted += row + '\n';
  return ::testing::AssertionFailure() << "expected:\n" << wanted << "actual:\n" << actual;
}

// A parent pattern in which every pixel differs from its neighbours.
uint32_t Pattern(int x, int y) {
  return (uint32_t((x * 7 + 3) & 0xFF) << 16) | (uint32_t((y * 5 + 1) & 0xFF) << 8) |
         uint32_t((x + 2 * y) & 0xFF);
}

void PaintPattern(HDC dc, const RECT& rc) {
  const int w = rc.right, h = rc.bottom;
  std::vector<uint32_t> pixels(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[size_t(y) * w + x] = Pattern(x, y);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
}

// Compares a transparent slider at (left, top) of the parent: '.' in the
// picture is the parent's pattern, other keys are the legend's colours.
::testing::AssertionResult ShowsOverPattern(HWND w, int left, int top, const Picture& expected) {
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = qt::ReadClientPixels(w, &width, &height);
  if (height != int(expected.size()) || width != int(expected[0].size()))
    return ::testing::AssertionFailure() << "client is " << width << " x " << height;
  int mismatches = 0;
  std::string report;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const char key = expected[y][x];
      const uint32_t want = key == '.' ? Pattern(left + x, top + y) : kLegend.at(key);
      const uint32_t got = pixels[size_t(y) * width + x];
      if (want != got && ++mismatches <= 10) {
        char line[80];
        snprintf(line, sizeof line, "  (%d, %d) '%c': want %06X, got %06X\n", x, y, key, want, got);
        report += line;
      }
    }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << mismatches << " pixel(s) differ\n" << report;
}

// ---- Record access, input and the message log -------------------------------

SlideState Record(HWND w) {
  qor32::StateLock<SlideState> lock(w, QOR32_STATE_OFFSET);
  return lock ? *lock : SlideState{};
}

void Press(HWND w, int x, int y) { SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Move(HWND w, int x, int y) { SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(HWND w, int x, int y) { SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
void Tick(HWND w) { SendMessageA(w, WM_TIMER, 0, 0); }
void Key(HWND w, WPARAM key) { SendMessageA(w, WM_KEYDOWN, key, 1); }
LRESULT State(HWND w) { return SendMessageA(w, SLDM_GETSTATE, 0, 0); }

void PlaceCursor(HWND w, int x, int y) {
  POINT p{x, y};
  ClientToScreen(w, &p);
  SetCursorPos(p.x, p.y);
}

// Dispatches the press a repeat tick posted; false if there is none.
bool RunPostedPress(HWND w) {
  MSG msg;
  if (!PeekMessageA(&msg, w, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) return false;
  DispatchMessageA(&msg);
  return true;
}

// Shift and Ctrl as GetKeyState reports them, for the life of the object.
class Modifiers {
 public:
  Modifiers(bool shift, bool ctrl) {
    GetKeyboardState(saved_);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  ~Modifiers() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

qt::Command Changed(LONG posX) { return qt::MakeCommand(kId, SLDN_CHANGED, static_cast<LPARAM>(posX)); }
qt::Command Tracking(LONG posX) { return qt::MakeCommand(kId, SLDN_TRACKING, static_cast<LPARAM>(posX)); }
using Log = std::vector<qt::Command>;

// One of everything first, so that what the system creates once per
// process does not count.
void WarmUp(qt::ParentWindow& parent) {
  HWND w = parent.CreateChild(QOR32_SLIDE_CLASS, kHorizontalClear, WS_VISIBLE, 10, 10, 1, 1, kId);
  UpdateWindow(w);
  Key(w, VK_RIGHT);
  Press(w, 19, 3);
  Move(w, 30, 3);
  Release(w, 30, 3);
  Press(w, 2, 3);
  Tick(w);
  RunPostedPress(w);
  Release(w, 2, 3);
  DestroyWindow(w);
  SetFocus(parent.hwnd());
  parent.commands.clear();
}

class SlideTest : public ::testing::Test {
 protected:
  HWND Create(const char* text, int x = 10, int y = 10, void* record = nullptr) {
    HWND w = parent.CreateChild(QOR32_SLIDE_CLASS, text, WS_VISIBLE, x, y, 1, 1, kId, record);
    UpdateWindow(w);
    return w;
  }
  void UsePattern() {
    parent.paintBackground = PaintPattern;
    qt::Repaint(parent.hwnd());
  }
  void TearDown() override {
    ReleaseCapture();
    qt::PumpMessages();
  }
  qt::ParentWindow parent{400, 300};
};

// ---- Configuration and layout ----------------------------------------------

TEST_F(SlideTest, HorizontalSliderFromItsText) {
  HWND w = Create(kHorizontal);
  RECT rc;
  GetClientRect(w, &rc);
  EXPECT_EQ(rc.right, 40);
  EXPECT_EQ(rc.bottom, 8);
  // Thumb top (8 - 6) / 2 = 1, left 50 x (40 - 6) / 100 = 17.
  EXPECT_TRUE(qt::PixelsMatch(w, 0, 0,
                              {"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
                               "kkkkkkkkkkkkkkkkkkrrrrkkkkkkkkkkkkkkkkkk",
                               "gggggggggggggggggrrrrrrggggggggggggggggg",
                               "gggggggggggggggggrrrrrrggggggggggggggggg",
                               "gggggggggggggggggrrrrrrggggggggggggggggg",
                               "gggggggggggggggggrrrrrrggggggggggggggggg",
                               "ggggggggggggggggggrrrrgggggggggggggggggg",
                               "gggggggggggggggggggggggggggggggggggggggg"},
                              kLegend));
  const SlideState s = Record(w);
  EXPECT_EQ(s.options, 0x26);
  EXPECT_STREQ(s.thumbName, "SLD_THUMB");
  {
    qor32::StateLock<SlideState> lock(w, QOR32_STATE_OFFSET);
    EXPECT_EQ(lock->thumbNameRef, lock->thumbName) << "~S points the references at the record's names";
    EXPECT_EQ(lock->trackNameRef, lock->trackName);
  }
  EXPECT_EQ(s.thumbWidth, 6);
  EXPECT_EQ(s.thumbHeight, 6);
  EXPECT_EQ(s.trackWidth, 40);
  EXPECT_EQ(s.trackHeight, 8);
  EXPECT_EQ(s.instance, GetModuleHandleA(nullptr));
  EXPECT_EQ(s.travelMaxX, 34);
  EXPECT_EQ(s.thumbX, 17);
  EXPECT_EQ(s.thumbY, 1);
  EXPECT_EQ(SendMessageA(w, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(SlideTest, CommandLetterIsTheSecondCharacterOrFollowsATilde) {
  HWND second = Create("xS 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0", 10, 10);
  HWND first = Create("S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0", 10, 30);
  EXPECT_TRUE(Shows(second, Horizontal(17)));
  RECT rc;
  GetClientRect(first, &rc);
  EXPECT_EQ(rc.right, 0) << "nothing configured: no bitmap, no size";
  EXPECT_EQ(rc.bottom, 0);
}

TEST_F(SlideTest, SetTextReconfiguresButKeepsTheWindowText) {
  HWND w = Create(kHorizontal);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 2, 2, w, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  SendMessageA(w, SLDM_SETPOS, 0, MAKELPARAM(25, 0));
  EXPECT_EQ(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kVertical)), 0);
  EXPECT_FALSE(IsWindow(child)) << "a new text destroys the children";
  char text[300];
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, kHorizontal);
  qt::Repaint(w);
  EXPECT_TRUE(Shows(w, Vertical(17)));

  // Without ~S the range and position stay; ~H sets the first module.
  SendMessageA(w, SLDM_SETPOS, 0, MAKELPARAM(0, 100));
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~H 0"));
  EXPECT_EQ(Record(w).instance, nullptr) << "the lookup goes on to the parent's module";
  qt::Repaint(w);
  EXPECT_TRUE(Shows(w, Vertical(34)));
  EXPECT_EQ(Record(w).state, 0);
}

TEST_F(SlideTest, TextLongerThan255CharactersIsCut) {
  // The numbers after the 255th character are not read: position and
  // maximum stay 0, so the thumb is centred.
  std::string text = "~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0";
  text += std::string(300, ' ') + "25 0 100 0 10 0";
  HWND w = Create(kHorizontal);
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  qt::Repaint(w);
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), 0);
  EXPECT_EQ(Record(w).maxX, 0);
  EXPECT_TRUE(Shows(w, Horizontal(17)));
  // A long text at creation is read the same way.
  HWND created = Create(text.c_str(), 10, 30);
  EXPECT_TRUE(Shows(created, Horizontal(17)));
}

TEST_F(SlideTest, NineDigitValuesPlaceTheThumbWithoutOverflow) {
  HWND end = Create("~S 0 3 0 1 SLD_THUMB SLD_HTRACK -99999999 0 999999999 0 999999999 0 1 0", 10, 10);
  HWND half = Create("~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 500000000 0 999999999 0 1 0", 10, 30);
  EXPECT_TRUE(Shows(end, Horizontal(34)));
  EXPECT_TRUE(Shows(half, Horizontal(17)));
  // Dragging maps back with the same width: 999999999 x 28 / 34.
  Press(half, 19, 3);
  Move(half, 30, 3);
  EXPECT_EQ(Record(half).posX, 823529410);
  Release(half, 30, 3);
}

TEST_F(SlideTest, EmptyRangesCentreTheThumbAndALargerThumbOverhangs) {
  HWND centred = Create("~S 0 3 0 1 SLD_THUMB SLD_HTRACK 7 0 3 0 7 0 1 0", 10, 10);
  EXPECT_TRUE(Shows(centred, Horizontal(17)));
  // Thumb 6 x 6 on a 4 x 4 track: placed at (-1, -1), its red middle covers
  // every pixel.
  HWND tiny = Create("~S 0 3 0 0 SLD_THUMB SLD_TINY 5 5 5 5 5 5 0 0", 10, 30);
  EXPECT_TRUE(Shows(tiny, Picture(4, "rrrr")));
  EXPECT_EQ(Record(tiny).thumbX, -1);
  EXPECT_EQ(Record(tiny).thumbY, -1);
}

TEST_F(SlideTest, RecordCreatesTheControlByItsNameReferences) {
  HBITMAP mine = CreateBitmap(1, 1, 1, 1, nullptr);
  SlideState record{};
  record.instance = GetModuleHandleA(nullptr);
  record.options = 0x26;
  record.thumbNameRef = "SLD_THUMB";
  record.trackNameRef = "SLD_HTRACK";
  lstrcpyA(record.thumbName, "SLD_TINY");  // not used: the references are
  lstrcpyA(record.trackName, "SLD_TINY");
  record.maxX = 100;
  record.posX = 25;
  record.pageX = 10;
  record.state = 0xF;
  record.thumbBitmap = record.trackBitmap = record.background = mine;
  HWND w = Create(nullptr, 10, 10, &record);
  EXPECT_TRUE(Shows(w, Horizontal(8)));  // 25 x 34 / 100
  const SlideState s = Record(w);
  EXPECT_EQ(s.state, 0);
  EXPECT_EQ(s.thumbNameRef, record.thumbNameRef);
  EXPECT_NE(s.thumbBitmap, mine);
  // A null text reloads by the same references.
  SendMessageA(w, WM_SETTEXT, 0, 0);
  qt::Repaint(w);
  EXPECT_TRUE(Shows(w, Horizontal(8)));
  DestroyWindow(w);
  BITMAP info{};
  EXPECT_NE(GetObjectA(mine, sizeof info, &info), 0) << "the creator's bitmap was deleted";
  DeleteObject(mine);
}

TEST_F(SlideTest, RecordWithoutBitmapsSizesAndPaintsNothing) {
  WarmUp(parent);
  const int before = qt::GdiCounter::LiveObjects();
  SlideState nullNames{};
  nullNames.options = 0x26;
  nullNames.maxX = nullNames.maxY = 100;
  SlideState unknown = nullNames;
  unknown.thumbNameRef = "NO_SUCH_THUMB";
  unknown.trackNameRef = "NO_SUCH_TRACK";
  for (SlideState* record : {&nullNames, &unknown}) {
    HWND w = Create(nullptr, 10, 10, record);
    RECT rc;
    GetClientRect(w, &rc);
    EXPECT_EQ(rc.right, 0);
    EXPECT_EQ(rc.bottom, 0);
    EXPECT_EQ(Record(w).thumbBitmap, nullptr);
    qt::Repaint(w);
    Key(w, VK_END);
    Press(w, 0, 0);
    Move(w, 3, 3);
    Release(w, 3, 3);
    SendMessageA(w, SLDM_SETPOS, 1, MAKELPARAM(5, 5));
    SendMessageA(w, WM_SETTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(5, 5));
    DestroyWindow(w);
  }
  EXPECT_EQ(qt::PixelAt(parent.hwnd(), 10, 10), kTeal);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);

  // A track without a thumb: only the track is drawn.
  SlideState trackOnly = nullNames;
  trackOnly.instance = GetModuleHandleA(nullptr);
  trackOnly.trackNameRef = "SLD_HTRACK";
  HWND w = Create(nullptr, 10, 30, &trackOnly);
  EXPECT_TRUE(Shows(w, TrackPicture(40, 8, RECT{0, 0, 40, 2}, 'k')));
}

TEST_F(SlideTest, ZeroBandHeightDrawsNothingOfThatStrip) {
  // A 3-row thumb in four bands: band height 0, no thumb over the track.
  HWND flatThumb = Create("~S 0 3 0 1 SLD_FLAT SLD_HTRACK 0 0 50 0 100 0 10 0", 10, 10);
  EXPECT_EQ(Record(flatThumb).thumbHeight, 0);
  EXPECT_TRUE(Shows(flatThumb, TrackPicture(40, 8, RECT{0, 0, 40, 2}, 'k')));
  // A 1-row track in two bands: the control is 40 x 0.
  HWND flatTrack = Create("~S 0 3 1 1 SLD_THUMB SLD_LINE 0 0 50 0 100 0 10 0", 10, 30);
  RECT rc;
  GetClientRect(flatTrack, &rc);
  EXPECT_EQ(rc.right, 40);
  EXPECT_EQ(rc.bottom, 0);
  qt::Repaint(flatTrack);
  Key(flatTrack, VK_RIGHT);
  EXPECT_EQ(qt::PixelAt(parent.hwnd(), 30, 30), kTeal);
}

// ---- Painting ---------------------------------------------------------------

TEST_F(SlideTest, TransparentTrackShowsTheParentWhereItsMaskIsWhite) {
  UsePattern();
  HWND clear = Create(kHorizontalClear, 100, 50);
  HWND opaque = Create(kHorizontal, 100, 70);
  EXPECT_TRUE(ShowsOverPattern(clear, 100, 50, Horizontal(17, 'r', '.')));
  EXPECT_TRUE(Shows(opaque, Horizontal(17)));

  HWND area = Create(kAreaClear, 200, 100);
  Picture inside = WithThumb(TrackPicture(40, 30, RECT{1, 1, 39, 29}, '.'), 17, 8, 'r');
  EXPECT_TRUE(ShowsOverPattern(area, 200, 100, inside));
  // The thumb moves over the captured background.
  SendMessageA(area, SLDM_SETPOS, 1, MAKELPARAM(100, 0));
  EXPECT_TRUE(ShowsOverPattern(area, 200, 100,
                               WithThumb(TrackPicture(40, 30, RECT{1, 1, 39, 29}, '.'), 34, 0, 'r')));
}

TEST_F(SlideTest, NullTextAndMovesRecapture) {
  HWND w = Create(kHorizontalClear, 100, 50);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'r', 'p')));
  // Hidden, so that the parent's new pattern is on the surface under it.
  ShowWindow(w, SW_HIDE);
  UsePattern();
  SendMessageA(w, WM_SETTEXT, 0, 0);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  EXPECT_TRUE(ShowsOverPattern(w, 100, 50, Horizontal(17, 'r', '.')));
  // A move refills the capture with the pixels at the new place.
  ShowWindow(w, SW_HIDE);
  UpdateWindow(parent.hwnd());
  SetWindowPos(w, nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  EXPECT_TRUE(ShowsOverPattern(w, 150, 90, Horizontal(17, 'r', '.')));
  // Opaque sliders capture on moves too, and draw without the capture.
  HWND opaque = Create(kHorizontal, 100, 70);
  EXPECT_NE(Record(opaque).background, nullptr);
  EXPECT_TRUE(Shows(opaque, Horizontal(17)));
}

TEST_F(SlideTest, ThumbBandPerState) {
  HWND w = Create(kHorizontal);
  SetFocus(w);
  EXPECT_EQ(State(w), SLDF_FOCUS);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'r')));
  Press(w, 19, 3);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'b')));
  SendMessageA(w, WM_ENABLE, FALSE, 0);
  EXPECT_EQ(State(w), SLDF_PRESSED | SLDF_DISABLED | SLDF_FOCUS | SLDF_DRAGGING);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'd')));
  SendMessageA(w, WM_ENABLE, TRUE, 0);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'b')));
  SetFocus(parent.hwnd());
  EXPECT_EQ(State(w), SLDF_PRESSED | SLDF_DRAGGING);
  // Cancel mode ends the drag and the capture.
  SendMessageA(w, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(State(w), 0);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'r')));
  // EnableWindow cancels first, then disables.
  Press(w, 19, 3);
  EnableWindow(w, FALSE);
  EXPECT_EQ(State(w) & ~SLDF_FOCUS, SLDF_DISABLED);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'd')));
  EXPECT_TRUE(parent.commands.empty());
}

// ---- Keyboard -----------------------------------------------------------------

TEST_F(SlideTest, KeysMoveTheThumbAndNotify) {
  HWND w = Create(kHorizontal);
  SetFocus(w);
  const struct {
    WPARAM key;
    bool shift, ctrl;
    LONG pos;
    int thumbX;
  } steps[] = {{VK_RIGHT, false, false, 51, 17}, {VK_RIGHT, true, false, 61, 20},
               {VK_LEFT, false, true, 60, 20},   {VK_END, false, true, 100, 34},
               {VK_RIGHT, true, true, 100, 34},  {VK_HOME, false, false, 0, 0},
               {VK_LEFT, false, false, 0, 0},    {VK_DOWN, false, false, 0, 0}};
  Log expected;
  for (const auto& s : steps) {
    Modifiers modifiers(s.shift, s.ctrl);
    Key(w, s.key);
    expected.push_back(Changed(s.pos));
    EXPECT_TRUE(Shows(w, Horizontal(s.thumbX))) << "after key " << s.key;
  }
  EXPECT_EQ(parent.commands, expected);
  // Other keys do nothing.
  for (int key : {VK_SPACE, VK_PRIOR, VK_NEXT, VK_TAB, 0x41}) Key(w, key);
  EXPECT_EQ(parent.commands.size(), expected.size());
}

TEST_F(SlideTest, KeysOnTwoAxes) {
  HWND w = Create(kArea);
  SetFocus(w);
  {
    Modifiers shift(true, false);
    Key(w, VK_DOWN);  // Y + 7
    EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(50, 27));
    Key(w, VK_END);  // Y only
    EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(50, 60));
    EXPECT_TRUE(Shows(w, Area(17, 24)));
  }
  {
    Modifiers both(true, true);
    Key(w, VK_HOME);
    EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(0, 0));
    EXPECT_TRUE(Shows(w, Area(0, 0)));
  }
  Key(w, VK_END);
  EXPECT_TRUE(Shows(w, Area(34, 24)));
  EXPECT_EQ(parent.commands, (Log{Changed(50), Changed(50), Changed(0), Changed(100)}));

  // An axis without travel gets 0 even when its maximum is not 0.
  HWND fixedY = Create("~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 5 50 5 100 5 10 0", 10, 60);
  Key(fixedY, VK_END);
  EXPECT_EQ(SendMessageA(fixedY, SLDM_GETPOS, 0, 0), MAKELONG(100, 0));
}

// ---- Mouse ----------------------------------------------------------------------

TEST_F(SlideTest, PagePressReleasedWithinThePeriodNotifiesOnceAtTheRelease) {
  HWND w = Create(kHorizontal);
  Press(w, 10, 3);  // left of the thumb, 10 >= thumb width
  EXPECT_EQ(GetCapture(), w);
  EXPECT_EQ(Record(w).posX, 40);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_TRUE(Shows(w, Horizontal(17))) << "not painted at the press";
  Release(w, 10, 3);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(parent.commands, Log{Changed(40)});
  EXPECT_TRUE(Shows(w, Horizontal(13)));  // 40 x 34 / 100
  EXPECT_FALSE(RunPostedPress(w));
}

TEST_F(SlideTest, PressesWithinAThumbWidthOfEitherEndStepByOne) {
  HWND w = Create(kHorizontal);
  Press(w, 2, 3);
  Release(w, 2, 3);
  Press(w, 37, 3);
  Release(w, 37, 3);
  Press(w, 37, 0);  // above the thumb's rows: Y has no travel and stays 0
  Release(w, 37, 0);
  EXPECT_EQ(parent.commands, (Log{Changed(49), Changed(50), Changed(51)}));
  EXPECT_EQ(Record(w).posY, 0);
  // A press outside the client only takes the capture.
  Press(w, 45, 3);
  EXPECT_EQ(GetCapture(), w);
  EXPECT_EQ(Record(w).pressX, 45);
  Release(w, 45, 3);
  EXPECT_EQ(parent.commands.back(), Changed(51));
  EXPECT_EQ(parent.commands.size(), 4u);
}

TEST_F(SlideTest, HeldPressRepeatsAtEachTickAndNotifiesAtTheRangesEnd) {
  HWND w = Create(kHorizontal);
  SendMessageA(w, SLDM_SETPOS, 1, MAKELPARAM(98, 0));  // thumb at 33
  // Row 0 of the right end strip: beside the thumb, which spans rows 1-6.
  PlaceCursor(w, 37, 0);
  Press(w, 37, 0);
  EXPECT_EQ(Record(w).posX, 99);
  for (int tick = 0; tick < 3; ++tick) {
    Tick(w);
    ASSERT_TRUE(RunPostedPress(w)) << tick;
  }
  EXPECT_EQ(Record(w).pressX, 37);
  EXPECT_EQ(Record(w).pressY, 0);
  Release(w, 37, 0);
  EXPECT_EQ(parent.commands, (Log{Changed(99), Changed(100), Changed(100), Changed(100)}));
  EXPECT_TRUE(Shows(w, Horizontal(34)));
}

TEST_F(SlideTest, PagingThatBringsTheThumbUnderTheCursorStartsADrag) {
  HWND w = Create(kHorizontal);
  std::vector<LRESULT> statesWhileTracking;
  parent.onCommand = [&](WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) == SLDN_TRACKING) statesWhileTracking.push_back(State(w));
  };
  PlaceCursor(w, 10, 3);
  Press(w, 10, 3);  // 50 -> 40
  Tick(w);          // paints the thumb at 13, posts the press
  EXPECT_TRUE(Shows(w, Horizontal(13)));
  ASSERT_TRUE(RunPostedPress(w));  // 40 -> 30
  Tick(w);                         // paints the thumb at 10: under the cursor
  ASSERT_TRUE(RunPostedPress(w));  // grabs the thumb
  EXPECT_EQ(State(w), SLDF_PRESSED | SLDF_FOCUS | SLDF_DRAGGING);
  EXPECT_TRUE(Shows(w, Horizontal(10, 'b')));
  Move(w, 20, 3);  // edge 18: 100 x 18 / 34
  Release(w, 20, 3);
  EXPECT_EQ(parent.commands, (Log{Changed(40), Changed(30), Tracking(52), Changed(52)}));
  EXPECT_EQ(statesWhileTracking, std::vector<LRESULT>{0xD});
}

TEST_F(SlideTest, RepeatEndsWhenTheCursorHasLeftTheControl) {
  HWND w = Create(kHorizontal);
  PlaceCursor(w, 10, 3);
  Press(w, 10, 3);
  PlaceCursor(w, 60, 3);
  Tick(w);
  ASSERT_TRUE(RunPostedPress(w));
  EXPECT_EQ(GetCapture(), w) << "the capture stays until the release";
  EXPECT_EQ(Record(w).pressX, 60);
  EXPECT_EQ(Record(w).posX, 40);
  Release(w, 60, 3);
  EXPECT_EQ(parent.commands, (Log{Changed(40), Changed(40)}));
}

TEST_F(SlideTest, DragOutOfTheControlAndBackIn) {
  HWND w = Create(kHorizontal);
  Press(w, 19, 3);
  EXPECT_EQ(GetFocus(), w);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'b')));
  Move(w, 30, 3);  // edge 28 -> 82, painted at 27
  EXPECT_TRUE(Shows(w, Horizontal(27, 'b')));
  Move(w, 30, 0xFFFF);  // above the control, as a captured move reads
  EXPECT_TRUE(Shows(w, Horizontal(27, 'r')));
  EXPECT_EQ(State(w), SLDF_FOCUS | SLDF_DRAGGING);
  Move(w, 45, 3);  // still out: nothing
  EXPECT_EQ(Record(w).posX, 82);
  Move(w, 20, 3);  // back in: pressed again, edge 18 -> 52, painted at 17
  EXPECT_TRUE(Shows(w, Horizontal(17, 'b')));
  Release(w, 20, 3);
  EXPECT_TRUE(Shows(w, Horizontal(17, 'r')));
  EXPECT_EQ(State(w), SLDF_FOCUS);
  EXPECT_EQ(parent.commands, (Log{Tracking(82), Tracking(52), Changed(52)}));

  // Released outside, the position stays where the drag left it.
  parent.commands.clear();
  Press(w, 19, 3);
  Move(w, 30, 3);
  Move(w, 50, 3);
  Release(w, 50, 3);
  EXPECT_EQ(parent.commands, (Log{Tracking(82), Changed(82)}));
  // Moves without a drag do nothing.
  Move(w, 10, 3);
  EXPECT_EQ(parent.commands.size(), 2u);
}

TEST_F(SlideTest, PressAndReleaseOnTheThumbTakesThePaintedPlace) {
  HWND w = Create(kHorizontal);
  SendMessageA(w, SLDM_SETPOS, 1, MAKELPARAM(33, 0));  // thumb at 11
  EXPECT_TRUE(Shows(w, Horizontal(11)));
  Press(w, 12, 3);
  Release(w, 12, 3);
  EXPECT_EQ(parent.commands, Log{Changed(32)});  // 100 x 11 / 34
}

TEST_F(SlideTest, VerticalSliderNotifiesTheXPosition) {
  HWND w = Create("~S 0 3 0 1 SLD_THUMB SLD_VTRACK 0 0 7 50 0 100 0 10");
  EXPECT_TRUE(Shows(w, Vertical(17)));
  Key(w, VK_DOWN);  // X has no travel: 0
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(0, 51));
  Press(w, 3, 19);
  Move(w, 3, 30);  // edge 28 -> 82, painted at 27
  EXPECT_TRUE(Shows(w, Vertical(27, 'b')));
  Release(w, 3, 30);
  Press(w, 3, 10);  // above the thumb: page up
  Release(w, 3, 10);
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(0, 72));
  EXPECT_EQ(parent.commands, (Log{Changed(0), Tracking(0), Changed(0), Changed(0)}));
}

TEST_F(SlideTest, TwoAxisDragMovesBothPositions) {
  HWND w = Create(kArea, 10, 10);
  Press(w, 19, 10);
  Move(w, 30, 20);  // edges (28, 18): X 82, Y 45; painted at (27, 18)
  EXPECT_TRUE(Shows(w, Area(27, 18, 'b')));
  Release(w, 30, 20);
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), MAKELONG(82, 45));
  EXPECT_EQ(parent.commands, (Log{Tracking(82), Changed(82)}));
}

// ---- Private messages ----------------------------------------------------------

TEST_F(SlideTest, PrivateMessagesStoreZeroExtendedHalves) {
  HWND w = Create("~S 0 3 0 1 SLD_THUMB SLD_HTRACK -5 0 50 0 100 0 10 0");
  EXPECT_EQ(SendMessageA(w, SLDM_SETMIN, 0, 0xFFFF), 0xFFFB);
  EXPECT_EQ(Record(w).minX, 65535);
  EXPECT_EQ(Record(w).minY, 0);
  EXPECT_EQ(SendMessageA(w, SLDM_SETMIN, 0, MAKELPARAM(0, 0)), 0xFFFF);
  EXPECT_EQ(SendMessageA(w, SLDM_SETMAX, 0, MAKELPARAM(200, 3)), 100);
  EXPECT_EQ(SendMessageA(w, SLDM_SETMAX, 0, MAKELPARAM(100, 0)), MAKELONG(200, 3));
  EXPECT_EQ(SendMessageA(w, SLDM_SETPAGE, 1, MAKELPARAM(20, 4)), 10);
  EXPECT_EQ(Record(w).pageY, 4);
  EXPECT_TRUE(Shows(w, Horizontal(17))) << "SLDM_SETPAGE does not repaint";

  // A position beyond the maximum is stored and drawn beyond the track.
  EXPECT_EQ(SendMessageA(w, SLDM_SETPOS, 0, MAKELPARAM(200, 0)), 50);
  EXPECT_TRUE(Shows(w, Horizontal(17))) << "no repaint without wParam";
  SendMessageA(w, SLDM_SETPOS, 1, MAKELPARAM(200, 0));
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), 200);
  EXPECT_TRUE(Shows(w, TrackPicture(40, 8, RECT{0, 0, 40, 2}, 'k')));
  EXPECT_EQ(Record(w).thumbX, 68);
  SendMessageA(w, SLDM_SETPOS, 1, MAKELPARAM(90, 0));
  EXPECT_TRUE(Shows(w, Horizontal(30)));
  EXPECT_TRUE(parent.commands.empty());
  // Results carry the low 16 bits, zero-extended.
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 -2 -3"));
  EXPECT_EQ(SendMessageA(w, SLDM_GETPOS, 0, 0), LRESULT{0xFFFDFFFE});
}

// ---- Re-entrancy and resources -----------------------------------------------------

TEST_F(SlideTest, ParentDestroyingTheSliderInsideANotification) {
  WarmUp(parent);
  const int windows = qt::CountThreadWindows();
  const int before = qt::GdiCounter::LiveObjects();
  HWND w = nullptr;
  parent.onCommand = [&](WPARAM, LPARAM) { DestroyWindow(w); };
  const std::vector<void (*)(HWND)> endings = {
      [](HWND s) { Key(s, VK_RIGHT); },
      [](HWND s) {
        Press(s, 19, 3);
        Release(s, 19, 3);
      },
      [](HWND s) {
        Press(s, 19, 3);
        Move(s, 30, 3);
      },
      [](HWND s) {
        Press(s, 10, 3);
        Tick(s);
      },
  };
  for (size_t i = 0; i < endings.size(); ++i) {
    parent.commands.clear();
    w = Create(kHorizontalClear);
    const HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, QOR32_STATE_OFFSET));
    endings[i](w);
    EXPECT_FALSE(IsWindow(w)) << i;
    EXPECT_EQ(GlobalSize(block), 0u) << i << ": the record is freed once the message is done";
    EXPECT_EQ(parent.commands.size(), 1u) << i;
    EXPECT_FALSE(RunPostedPress(w)) << i;
  }
  ReleaseCapture();
  EXPECT_EQ(qt::CountThreadWindows(), windows);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
}

TEST_F(SlideTest, NoGdiObjectLeftBehind) {
  WarmUp(parent);
  HWND w = Create(kHorizontalClear);
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kAreaClear));
  qt::Repaint(w);
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 200; ++i) {
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(i % 2 ? kAreaClear : kHorizontal));
  }
  for (int i = 0; i < 1000; ++i) {
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
  }
  // Reconfigured 200 times: two strips and one capture, as after one.
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
  EXPECT_EQ(Record(w).trackHeight, 30);

  DestroyWindow(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before - 3) << "the slider's two strips and capture";

  SlideState record{};
  record.instance = GetModuleHandleA(nullptr);
  record.options = 0x36;
  record.thumbNameRef = "SLD_THUMB";
  record.trackNameRef = "SLD_AREA";
  auto createAndDestroy = [&] {
    HWND a = Create(kHorizontalClear, 100, 100);
    HWND b = Create(nullptr, 200, 100, &record);
    Key(a, VK_LEFT);
    Press(b, 20, 10);
    Release(b, 20, 10);
    DestroyWindow(a);
    DestroyWindow(b);
  };
  createAndDestroy();  // what the system sets up for the first windows there
  const int base = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 50; ++i) createAndDestroy();
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), base);
}

// The one test that waits: the window timer does tick.
TEST_F(SlideTest, RealTimerTicksWhileTheButtonIsHeld) {
  HWND w = Create(kHorizontal);
  PlaceCursor(w, 37, 0);
  Press(w, 37, 0);
  const DWORD start = GetTickCount();
  while (parent.commands.empty() && GetTickCount() - start < 5000) {
    qt::PumpMessages();
    Sleep(10);
  }
  Release(w, 37, 0);
  ASSERT_GE(parent.commands.size(), 2u);
  EXPECT_EQ(parent.commands.front(), Changed(51));
}

}  // namespace
