// Soak: every class goes through create, configure, paint and destroy many
// thousands of times, 100,000 cycles in all (fewer for the classes that
// create child windows or load many bitmaps in each cycle, so that each
// class costs about the same time). Windows and GDI objects must end
// where they started. The time per cycle of the first and the last tenth of
// each class is printed beside the counts, for a reader to compare; it is
// never asserted.
//
// QOR32_LONG=1 runs ten times as many cycles.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "qor32cl.h"
#include "support/run_length.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 500;

// One way of configuring a class: what the control is created with, and
// what is sent to it afterwards (cycle i picks configuration i % count).
struct SoakClass {
  const char* name;
  int cycles;
  // Creates the visible control for cycle i.
  std::function<HWND(qt::ParentWindow&, int)> create;
  // Reconfigures it the way an application would.
  std::function<void(HWND, int)> configure;
};

HWND Child(qt::ParentWindow& parent, const char* name, const char* text, DWORD style, int width, int height,
           const void* record = nullptr) {
  return parent.CreateChild(name, text, WS_VISIBLE | style, 10, 10, width, height, kId,
                            const_cast<void*>(record));
}

void SetText(HWND w, const char* text) { SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

// Bitmap control: face, image strip, caption text, focus rectangle; lamp and
// bar in the other configuration.
const char* const kBitmapTexts[] = {
    "Go~B0,0,0,0,2,0,0,0~G2,2,0,0,0,0,0,2,BMP_TWO~T0,0,0,0,0,0,0,37,0,0,0,255,255,255,128,128,128,Go"
    "~F1,1,40,20,1,1,0",
    "~B0,0,0,0,2,0,0,0~G4,4,0,0,2,1,0,3,BMP_MASKED~I30,2,10,10,1,1,0,0,255,0,255,0,0,192,192,192"
    "~S2,30,30,6,1,1,2,1,2,3,4,5,6,7,8,9,60",
};
const DWORD kBitmapStyles[] = {BMPS_CHECKBOX, BMPS_PUSHBUTTON | BMPS_DEFAULT};

// Matrix control: four cells from the example strip, two from the masked
// strip (captures the parent's background).
const char* const kMatrixTexts[] = {
    "~M0 0 0 3 BUTTONS 2 2 0 0 0 0 0 0",
    "~M0 1 0 3 MTX_MASKED4 2 1 2 0 -1 -1 0 0",
};

// Slide control: by text, or by a creation record naming its strips.
const char* const kSlideTexts[] = {
    "~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0",
    "~S 0 3 1 1 SLD_THUMB SLD_AREA 0 0 50 20 100 60 10 7",
};
SlideState SlideRecord() {
  SlideState record{};
  record.instance = GetModuleHandleA(nullptr);
  record.options = 0x3;
  record.thumbNameRef = "SLD_THUMB";
  record.trackNameRef = "SLD_HTRACK";
  record.maxX = 100;
  record.posX = 25;
  record.pageX = 10;
  return record;
}

const char* const kTabTexts[] = {"~Q3 TAB_STRIP3", "~Q2 TAB_STRIP2"};

struct Colors {
  COLORREF values[QOR32_COLOR_COUNT];
};
Colors MakeColors() {
  Colors c{};
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i)
    c.values[i] = RGB(200 - 7 * i, 30 + 9 * i, (i * 37 + 11) & 0xFF);
  return c;
}
struct Patterns {
  DWORD values[QOR32_PATTERN_COUNT];
};
Patterns MakePatterns() {
  Patterns p{};
  for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) p.values[i] = 101 + i;
  return p;
}

// A letter page with frame, shadow, guides and a caption.
PreviewSettings Page(WORD options) {
  PreviewSettings s{};
  s.pageRect = RECT{0, 0, 850, 1100};
  s.innerRect = RECT{50, 50, 800, 1050};
  s.pictureRect = RECT{100, 200, 500, 500};
  s.pageColor = RGB(255, 255, 224);
  s.innerColor = RGB(224, 240, 255);
  s.frameColor = RGB(192, 0, 0);
  s.pictureShadowColor = RGB(64, 64, 64);
  s.pageShadowColor = RGB(96, 96, 96);
  s.guideColor = RGB(0, 192, 0);
  s.frameWidth = 10;
  s.shadowOffset = 1;
  s.options = options;
  lstrcpyA(s.caption, "Soak");
  return s;
}
const char* const kPictures[] = {"PRV_BW", "PRV_NOBW"};

const SelectionItem kOptions[] = {{"One~B0,0,0,0,2,0,0,0", 0, 0, 40, 20},
                                  {"Two~B0,0,0,0,2,0,0,0", 50, 0, 40, 20},
                                  {"Three~B0,0,0,0,2,0,0,0", 100, 0, 40, 20},
                                  {nullptr, 0, 0, 0, 0}};

std::vector<SoakClass> Classes() {
  static const Colors colors = MakeColors();
  static const Patterns patterns = MakePatterns();
  static const SlideState slideRecord = SlideRecord();
  static const PreviewSettings pages[] = {Page(PRVF_CAPTION | PRVF_HGUIDE | 9),
                                          Page(PRVF_VGUIDE | PRVF_SWAPBW)};
  return {
      {QOR32_BITMAP_CLASS, 12000,
       [](qt::ParentWindow& p, int i) {
         return Child(p, QOR32_BITMAP_CLASS, kBitmapTexts[i % 2], kBitmapStyles[i % 2], 60, 40);
       },
       [](HWND w, int i) {
         SetText(w, kBitmapTexts[(i + 1) % 2]);
         SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0);
       }},
      {QOR32_MATRIX_CLASS, 3000,
       [](qt::ParentWindow& p, int i) { return Child(p, QOR32_MATRIX_CLASS, kMatrixTexts[i % 2], 0, 1, 1); },
       [](HWND w, int i) { SetText(w, kMatrixTexts[(i + 1) % 2]); }},
      {QOR32_SLIDE_CLASS, 11000,
       [](qt::ParentWindow& p, int i) {
         return i % 3 == 2 ? Child(p, QOR32_SLIDE_CLASS, nullptr, 0, 1, 1, &slideRecord)
                           : Child(p, QOR32_SLIDE_CLASS, kSlideTexts[i % 3], 0, 1, 1);
       },
       [](HWND w, int i) {
         if (i % 3 == 1) SetText(w, kSlideTexts[0]);
         SendMessageA(w, SLDM_SETPOS, 0, MAKELPARAM(i % 100, i % 60));
       }},
      {QOR32_TAB_CLASS, 14000,
       [](qt::ParentWindow& p, int i) { return Child(p, QOR32_TAB_CLASS, kTabTexts[i % 2], 0, 1, 1); },
       [](HWND w, int) { SendMessageA(w, TABM_SETSEL, kId + 1, 0); }},
      {QOR32_COLOR_CLASS, 16000,
       [](qt::ParentWindow& p, int) { return Child(p, QOR32_COLOR_CLASS, "", 0, 78, 104, colors.values); },
       [](HWND w, int i) {
         SendMessageA(w, CLRM_SETCOLOR, kId + i % QOR32_COLOR_COUNT, RGB(i & 0xFF, 0, 255));
       }},
      {QOR32_PATTERN_CLASS, 5000,
       [](qt::ParentWindow& p, int) { return Child(p, QOR32_PATTERN_CLASS, "", 0, 78, 70, patterns.values); },
       [](HWND w, int i) {
         SendMessageA(w, PATM_SETPATTERN, kId + i % QOR32_PATTERN_COUNT, 101 + (i + 1) % QOR32_PATTERN_COUNT);
       }},
      {QOR32_PREVIEW_CLASS, 18000,
       [](qt::ParentWindow& p, int i) {
         return Child(p, QOR32_PREVIEW_CLASS, kPictures[i % 2], 0, 120, 120, &pages[i % 2]);
       },
       [](HWND w, int i) {
         SendMessageA(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&pages[(i + 1) % 2]));
       }},
      {QOR32_SELECTION_CLASS, 4000,
       [](qt::ParentWindow& p, int) { return Child(p, QOR32_SELECTION_CLASS, "", 0, 150, 30, kOptions); },
       [](HWND w, int i) { SendMessageA(w, SELM_SETCHOICE, kId + i % 3, 0); }},
      {QOR32_STATUS_CLASS, 17000,
       [](qt::ParentWindow& p, int) { return Child(p, QOR32_STATUS_CLASS, "Ready", 0, 200, 24); },
       [](HWND w, int i) {
         SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
         SetText(w, i % 2 ? "Soaking: odd cycle" : "Soaking: even cycle");
       }},
  };
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Free slots in the process's GDI handle table.
int FreeGdiSlots() { return -qt::GdiCounter::LiveObjects(); }

// The platform keeps a cache of window DCs (with their regions) that grows
// to the most DCs ever held at once: fill it before counting, so that a
// cycle that happens to hold one more DC than the warm-up did does not count
// as a leak.
void FillDcCache(qt::ParentWindow& parent) {
  std::vector<HWND> windows;
  std::vector<HDC> held;
  for (int i = 0; i < 24; ++i) {
    windows.push_back(parent.CreateChild("STATIC", "", WS_VISIBLE, i, 0, 4, 4, 100 + i));
    held.push_back(GetDC(windows.back()));
  }
  for (size_t i = 0; i < held.size(); ++i) ReleaseDC(windows[i], held[i]);
  for (HWND w : windows) DestroyWindow(w);
}

class SoakTest : public ::testing::TestWithParam<int> {
 protected:
  void Cycle(const SoakClass& klass, int i) {
    HWND control = klass.create(parent, i);
    ASSERT_NE(control, nullptr) << "cycle " << i;
    klass.configure(control, i);
    // Created visible, so all of it is still to be painted (children too):
    // paint it now, and whatever the configuration invalidated.
    UpdateWindow(control);
    DestroyWindow(control);
  }
  qt::ParentWindow parent{320, 240};
};

TEST_P(SoakTest, CyclesLeaveNothingBehind) {
  const std::vector<SoakClass> classes = Classes();
  const SoakClass& klass = classes[static_cast<size_t>(GetParam())];
  const int cycles = klass.cycles * qt::LongModeFactor();
  // What the platform sets up on first use (caches, the class's first
  // bitmaps) is not counted.
  for (int i = 0; i < 20; ++i) Cycle(klass, i);
  FillDcCache(parent);
  qt::PumpMessages();
  const int windowsBefore = qt::CountThreadWindows();
  const int gdiBefore = FreeGdiSlots();

  const int tenth = cycles / 10;
  double firstTenth = 0, lastTenth = 0;
  double start = Now();
  for (int i = 0; i < cycles; ++i) {
    Cycle(klass, i);
    if (HasFatalFailure()) return;
    if (i % 256 == 255) qt::PumpMessages();
    if (i + 1 == tenth) firstTenth = Now() - start;
    if (i + 1 == cycles - tenth) start = Now();
  }
  lastTenth = Now() - start;
  qt::PumpMessages();

  const int windowsAfter = qt::CountThreadWindows();
  const int gdiAfter = FreeGdiSlots();
  std::printf(
      "[ soak     ] %s: %d cycles, free GDI slots %d -> %d, windows %d -> %d, "
      "us per cycle: first tenth %.1f, last tenth %.1f\n",
      klass.name, cycles, gdiBefore, gdiAfter, windowsBefore, windowsAfter, 1e6 * firstTenth / tenth,
      1e6 * lastTenth / tenth);
  EXPECT_EQ(windowsAfter, windowsBefore) << "windows left behind";
  EXPECT_EQ(gdiAfter, gdiBefore) << "GDI objects left behind";
}

INSTANTIATE_TEST_SUITE_P(AllClasses, SoakTest, ::testing::Range(0, 9),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(Classes()[static_cast<size_t>(info.param)].name);
                         });

}  // namespace
