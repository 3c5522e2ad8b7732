// Message storms: every class, created from valid and broken configurations,
// receives tens of thousands of seeded random messages. Afterwards the
// process is alive, the control still answers, and destroying it leaves no
// window and no GDI object behind.
//
// QOR32_STORM_SEED repeats a run; QOR32_STORM_SCALE multiplies its length,
// QOR32_LONG=1 makes it ten times longer.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "frame/allocation.h"
#include "frame/library.h"
#include "qor32cl.h"
#include "support/run_length.h"
#include "support/test_support.h"

namespace {

uint32_t SeedFromEnvironment() {
  const char* text = std::getenv("QOR32_STORM_SEED");
  return text != nullptr ? static_cast<uint32_t>(std::strtoul(text, nullptr, 0)) : 20261210u;
}

// QOR32_STORM_SCALE, when given, is the multiplier; otherwise the long mode
// (QOR32_LONG=1) runs ten times longer.
int Scale() {
  const char* text = std::getenv("QOR32_STORM_SCALE");
  const int scale = text != nullptr ? std::atoi(text) : qt::LongModeFactor();
  return scale > 0 ? scale : 1;
}

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  uint32_t Next() { return engine_(); }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  // Mostly small values, sometimes extreme ones.
  int32_t Number() {
    switch (Below(6)) {
      case 0: return static_cast<int32_t>(Next());
      case 1: return -Below(1000);
      case 2: return 999999999;
      default: return Below(300);
    }
  }
  LPARAM Param() {
    switch (Below(4)) {
      case 0: return 0;
      case 1: return static_cast<LPARAM>(static_cast<intptr_t>(static_cast<int32_t>(Next())));
      default: return MAKELPARAM(Below(200), Below(200));
    }
  }

 private:
  std::mt19937 engine_;
};

// A control text of 0 to 400 characters: commands of the given letters with
// numbers and names, mixed with garbage.
std::string RandomText(Random& rng, const char* letters) {
  std::string text;
  const int target = rng.Below(401);
  static const char* const names[] = {"HBITMAP=", "NOSUCH", "STORM_STRIP", "BMPSAMPLE", ""};
  while (static_cast<int>(text.size()) < target) {
    switch (rng.Below(5)) {
      case 0: text += static_cast<char>(1 + rng.Below(255)); break;
      case 1: text += names[rng.Below(5)]; text += ' '; break;
      default: {
        text += '~';
        text += letters[rng.Below(static_cast<int>(std::strlen(letters)))];
        const int count = rng.Below(20);
        for (int i = 0; i < count; ++i) text += std::to_string(rng.Number()) + ",";
        if (rng.Chance(30)) text += names[rng.Below(5)] + std::string(rng.Chance(50) ? " " : "") +
                                    std::to_string(rng.Number());
      }
    }
  }
  text.resize(static_cast<size_t>(target));
  return text;
}

struct ClassUnderStorm {
  const char* name;
  const char* letters;                   // command letters of its control text, or ""
  std::vector<UINT> messages;            // the messages the class handles
  // Creation parameter for configuration i (may return null); kept alive
  // in `storage` for the life of the control.
  std::function<void*(Random&, int, std::vector<std::vector<char>>&)> record;
};

std::vector<UINT> CommonMessages() {
  return {WM_SETTEXT, WM_PAINT,       WM_ERASEBKGND, WM_SIZE,      WM_MOVE,       WM_SETFOCUS,
          WM_KILLFOCUS, WM_ENABLE,    WM_CANCELMODE, WM_KEYDOWN,   WM_KEYUP,      WM_CHAR,
          WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
          WM_RBUTTONDBLCLK, WM_MOUSEMOVE, WM_TIMER, WM_SETFONT, WM_GETFONT, WM_GETDLGCODE,
          WM_COMMAND, WM_GETTEXT, WM_GETTEXTLENGTH, WM_NULL, WM_QUERYNEWPALETTE,
          WM_PALETTECHANGED, BM_GETCHECK, BM_SETCHECK, BM_GETSTATE, BM_SETSTATE, BM_SETSTYLE,
          BM_CLICK, WM_DRAWITEM};
}

std::vector<UINT> PrivateRange() {
  std::vector<UINT> messages;
  for (UINT m = WM_USER + 48; m <= WM_USER + 73; ++m) messages.push_back(m);
  return messages;
}

void* Bytes(std::vector<std::vector<char>>& storage, size_t size, Random& rng) {
  storage.emplace_back(size);
  for (char& c : storage.back()) c = static_cast<char>(rng.Next());
  return storage.back().data();
}

const char* Keep(std::vector<std::vector<char>>& storage, const std::string& text) {
  storage.emplace_back(text.begin(), text.end());
  storage.back().push_back('\0');
  return storage.back().data();
}

std::vector<ClassUnderStorm> Classes() {
  auto none = [](Random&, int, std::vector<std::vector<char>>&) -> void* { return nullptr; };
  std::vector<ClassUnderStorm> classes = {
      {QOR32_BITMAP_CLASS, "BFGHIPQSTbfg", {}, none},
      {QOR32_MATRIX_CLASS, "HMPhmp", {}, none},
      {QOR32_SLIDE_CLASS, "HSs", {},
       [](Random& rng, int config, std::vector<std::vector<char>>& storage) -> void* {
         if (config % 3 == 0) return nullptr;
         auto* state = static_cast<SlideState*>(Bytes(storage, sizeof(SlideState), rng));
         // The name references must point at names (or be null): they are
         // read as the application's strings.
         state->thumbNameRef = config % 3 == 1 ? nullptr : Keep(storage, "STORM_STRIP");
         state->trackNameRef = config % 3 == 1 ? nullptr : Keep(storage, RandomText(rng, "S").substr(0, 20));
         state->instance = nullptr;
         return state;
       }},
      {QOR32_TAB_CLASS, "HQhq", {}, none},
      {QOR32_COLOR_CLASS, "", {},
       [](Random& rng, int config, std::vector<std::vector<char>>& storage) -> void* {
         return config % 2 == 0 ? nullptr : Bytes(storage, 23 * sizeof(COLORREF), rng);
       }},
      {QOR32_PATTERN_CLASS, "", {},
       [](Random& rng, int config, std::vector<std::vector<char>>& storage) -> void* {
         return config % 2 == 0 ? nullptr : Bytes(storage, 16 * sizeof(DWORD), rng);
       }},
      {QOR32_PREVIEW_CLASS, "", {},
       [](Random& rng, int config, std::vector<std::vector<char>>& storage) -> void* {
         return config % 2 == 0 ? nullptr : Bytes(storage, sizeof(PreviewSettings), rng);
       }},
      {QOR32_SELECTION_CLASS, "", {},
       [](Random& rng, int config, std::vector<std::vector<char>>& storage) -> void* {
         if (config % 3 == 0) return nullptr;
         const int count = rng.Below(5);
         storage.emplace_back(sizeof(SelectionItem) * (count + 1), '\0');
         auto* items = reinterpret_cast<SelectionItem*>(storage.back().data());
         for (int i = 0; i < count; ++i) {
           items[i].text = Keep(storage, RandomText(rng, "BFGHIPQST"));
           if (std::getenv("QOR32_STORM_TRACE") != nullptr) std::fprintf(stderr, "option %d: %s\n", i, items[i].text);
           items[i].x = rng.Below(100) - 10;
           items[i].y = rng.Below(60) - 10;
           items[i].width = rng.Below(80) - 5;
           items[i].height = rng.Below(40) - 5;
         }
         return items;
       }},
      {QOR32_STATUS_CLASS, "", {}, none},
  };
  for (ClassUnderStorm& c : classes) {
    c.messages = CommonMessages();
    const std::vector<UINT> privates = PrivateRange();
    c.messages.insert(c.messages.end(), privates.begin(), privates.end());
  }
  return classes;
}

// One message with random arguments, pointers given valid targets.
void SendRandom(HWND hwnd, UINT message, Random& rng, HDC dc, const char* letters,
                std::vector<std::vector<char>>& scratch) {
  WPARAM wParam = static_cast<WPARAM>(rng.Param());
  LPARAM lParam = rng.Param();
  char buffer[512];
  DRAWITEMSTRUCT draw{};
  PreviewSettings settings{};
  switch (message) {
    case WM_SETTEXT:
      scratch.clear();
      lParam = rng.Chance(5) ? 0 : reinterpret_cast<LPARAM>(Keep(scratch, RandomText(rng, letters[0] ? letters : "X")));
      break;
    case WM_GETTEXT:
      wParam = static_cast<WPARAM>(rng.Below(sizeof buffer));
      lParam = reinterpret_cast<LPARAM>(buffer);
      break;
    case WM_ERASEBKGND:
      wParam = reinterpret_cast<WPARAM>(dc);
      break;
    case WM_PAINT:
      wParam = 0;
      break;
    case WM_TIMER:
      wParam = static_cast<WPARAM>(rng.Below(4) == 0 ? rng.Next() : static_cast<uint32_t>(rng.Below(3)));
      lParam = 0;  // no callback
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      wParam = 0;
      break;
    case WM_COMMAND:
      lParam = rng.Chance(50) ? reinterpret_cast<LPARAM>(GetWindow(hwnd, GW_CHILD)) : 0;
      break;
    case WM_DRAWITEM: {
      draw.CtlType = ODT_BUTTON;
      draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd) + rng.Below(10));
      draw.itemAction = static_cast<UINT>(rng.Below(8));
      draw.itemState = static_cast<UINT>(rng.Next() & 0x1FF);
      HWND child = GetWindow(hwnd, GW_CHILD);
      draw.hwndItem = rng.Chance(80) ? child : reinterpret_cast<HWND>(static_cast<intptr_t>(rng.Next()));
      draw.hDC = dc;
      draw.rcItem = RECT{rng.Below(50) - 10, rng.Below(50) - 10, rng.Below(100), rng.Below(100)};
      lParam = reinterpret_cast<LPARAM>(&draw);
      break;
    }
    case WM_USER + 60: {  // a record pointer for one class, a value for others
      for (size_t i = 0; i < sizeof settings; ++i) reinterpret_cast<char*>(&settings)[i] = static_cast<char>(rng.Next());
      char name[32];
      GetClassNameA(hwnd, name, sizeof name);
      // The preview (and its test copy, whose name only starts so) takes a
      // pointer to a settings record here.
      if (std::strncmp(name, QOR32_PREVIEW_CLASS, std::strlen(QOR32_PREVIEW_CLASS)) == 0) lParam = rng.Chance(5) ? 0 : reinterpret_cast<LPARAM>(&settings);
      break;
    }
    default:
      break;
  }
  static const bool trace = std::getenv("QOR32_STORM_TRACE") != nullptr;
  if (trace) {
    std::fprintf(stderr, "%04x %llx %llx %s\n", message, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam),
                 message == WM_SETTEXT && lParam ? reinterpret_cast<const char*>(lParam) : "");
    std::fflush(stderr);
  }
  SendMessageA(hwnd, message, wParam, lParam);
}

// Runs a short storm over a plain window once per process, so that what
// the platform allocates on first use (caches, stock objects) is not
// counted against the first class.
void WarmUpOnce(HDC dc) {
  static bool done = false;
  if (done) return;
  done = true;
  qt::ParentWindow parent(100, 100);
  Random rng(1);
  std::vector<std::vector<char>> scratch;
  const std::pair<const char*, const char*> windows[] = {
      {QOR32_STATUS_CLASS, "warm"},
      {"STATIC", "warm"},
      {QOR32_BITMAP_CLASS, "Warm~B0,0,0,0,0,0,0,0~I2,2,12,12,0,0,0,0,255,0,0,0,255,0,0,0,255~T0,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,Warm"},
  };
  // Every character once, so that text drawing has loaded whatever fonts
  // it falls back to.
  std::string allCharacters;
  for (int c = 1; c < 256; ++c)
    if (c != '~') allCharacters += static_cast<char>(c);
  for (const auto& [name, text] : windows) {
    HWND w = parent.CreateChild(name, text, WS_VISIBLE, 0, 0, 50, 20, 1);
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((allCharacters.substr(0, 120) + text).c_str()));
    qt::Repaint(w);
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((allCharacters.substr(120) + text).c_str()));
    qt::Repaint(w);
    for (UINT message : CommonMessages())
      for (int i = 0; i < 20; ++i) SendRandom(w, message, rng, dc, "X", scratch);
    DestroyWindow(w);
  }
  // The platform keeps a cache of window DCs (with their regions) that grows
  // to the number of DCs held at once: fill it, so that nested painting in
  // the storms does not count as a leak.
  std::vector<HWND> windowsForDCs;
  std::vector<HDC> held;
  for (int i = 0; i < 24; ++i) {
    windowsForDCs.push_back(parent.CreateChild("STATIC", "", WS_VISIBLE, i, 0, 4, 4, 100 + i));
    held.push_back(GetDC(windowsForDCs.back()));
  }
  for (size_t i = 0; i < held.size(); ++i) ReleaseDC(windowsForDCs[i], held[i]);
  for (HWND w : windowsForDCs) DestroyWindow(w);
  qt::PumpMessages();
}

class StormTest : public ::testing::TestWithParam<int> {};

TEST_P(StormTest, SurvivesAndLeavesNothingBehind) {
  const ClassUnderStorm klass = Classes()[static_cast<size_t>(GetParam())];
  const uint32_t seed = SeedFromEnvironment() + static_cast<uint32_t>(GetParam()) * 7919u;
  SCOPED_TRACE(std::string(klass.name) + " seed " + std::to_string(seed) +
               " (repeat with QOR32_STORM_SEED=" + std::to_string(SeedFromEnvironment()) + ")");
  Random rng(seed);
  qt::ParentWindow parent(320, 240);
  HDC dc = GetDC(parent.hwnd());
  WarmUpOnce(dc);
  const int configurations = 12;
  const int messagesPerConfiguration = 2500 * Scale();
  const int windowsBefore = qt::CountThreadWindows();
  // The first configurations also warm up what the platform allocates once
  // per process (font and palette caches): count from the end of the third,
  // so a leak in any later configuration shows.
  int gdiBefore = 0;
  int sent = 0;
  for (int config = 0; config < configurations; ++config) {
    std::vector<std::vector<char>> storage;
    void* record = klass.record(rng, config, storage);
    const std::string text = klass.letters[0] ? RandomText(rng, klass.letters) : RandomText(rng, "X");
    HWND control = parent.CreateChild(klass.name, text.c_str(), WS_VISIBLE | (rng.Next() & 0xFFFF),
                                      rng.Below(100), rng.Below(100), rng.Below(150), rng.Below(100),
                                      100 + rng.Below(3) * 30000, record);
    ASSERT_NE(control, nullptr) << "configuration " << config;
    std::vector<std::vector<char>> scratch;
    for (int i = 0; i < messagesPerConfiguration && IsWindow(control); ++i, ++sent) {
      UINT message = klass.messages[static_cast<size_t>(rng.Below(static_cast<int>(klass.messages.size())))];
      if (rng.Chance(3)) message = WM_USER + static_cast<UINT>(rng.Below(200));  // anything private
      SendRandom(control, message, rng, dc, klass.letters, scratch);
      if (i % 500 == 0) qt::PumpMessages();
    }
    qt::PumpMessages();
    ASSERT_TRUE(IsWindow(control)) << "configuration " << config;
    // Still answering.
    SendMessageA(control, WM_PAINT, 0, 0);
    qt::Repaint(control);
    EXPECT_GE(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0), 0);
    ReleaseCapture();
    DestroyWindow(control);
    qt::PumpMessages();
    EXPECT_EQ(qt::CountThreadWindows(), windowsBefore) << "configuration " << config;
    if (config == 2) gdiBefore = qt::GdiCounter::LiveObjects();
    if (std::getenv("QOR32_STORM_TRACE") != nullptr)
      std::fprintf(stderr, "after configuration %d: %d live GDI objects\n", config, qt::GdiCounter::LiveObjects() - gdiBefore);
  }
  ReleaseDC(parent.hwnd(), dc);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), gdiBefore) << "GDI objects left behind";
  std::printf("[ storm    ] %s: %d configurations, %d messages\n", klass.name, configurations, sent);
}

// The same classes from the test's own copy of the library code, where the
// allocation seam can be reached: every class created while its StateBlock
// or its records cannot be allocated survives a storm without touching
// state it does not have.
const char kSeamSuffix[] = ".seam";

class AllocationFailureTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    static const bool registered = qor32::RegisterControlClasses(GetModuleHandleA(nullptr), kSeamSuffix);
    ASSERT_TRUE(registered);
  }
  void TearDown() override { qor32::SetAllocationFailureSeam(-1); }
};

TEST_P(AllocationFailureTest, ControlsWithoutMemorySurviveAStorm) {
  const ClassUnderStorm klass = Classes()[static_cast<size_t>(GetParam())];
  const std::string className = std::string(klass.name) + kSeamSuffix;
  Random rng(SeedFromEnvironment() ^ 0xA11C0u ^ static_cast<uint32_t>(GetParam()));
  qt::ParentWindow parent(320, 240);
  HDC dc = GetDC(parent.hwnd());
  const int windowsBefore = qt::CountThreadWindows();
  int sent = 0;
  for (int allowed = 0; allowed < 4; ++allowed) {
    SCOPED_TRACE(className + ", allocations allowed: " + std::to_string(allowed));
    std::vector<std::vector<char>> storage;
    void* record = klass.record(rng, 1, storage);
    const std::string text = klass.letters[0] ? RandomText(rng, klass.letters) : "text";
    qor32::SetAllocationFailureSeam(allowed);
    HWND control = parent.CreateChild(className.c_str(), text.c_str(), WS_VISIBLE, 10, 10, 120, 60, 100, record);
    std::vector<std::vector<char>> scratch;
    for (int i = 0; i < 1500 * Scale() && IsWindow(control); ++i, ++sent)
      SendRandom(control, klass.messages[static_cast<size_t>(rng.Below(static_cast<int>(klass.messages.size())))],
                 rng, dc, klass.letters, scratch);
    qor32::SetAllocationFailureSeam(-1);
    qt::PumpMessages();
    ReleaseCapture();
    if (IsWindow(control)) DestroyWindow(control);
    qt::PumpMessages();
    EXPECT_EQ(qt::CountThreadWindows(), windowsBefore);
  }
  ReleaseDC(parent.hwnd(), dc);
  std::printf("[ no-mem   ] %s: 4 allowances, %d messages\n", className.c_str(), sent);
}

INSTANTIATE_TEST_SUITE_P(AllClasses, AllocationFailureTest, ::testing::Range(0, 9),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(Classes()[static_cast<size_t>(info.param)].name);
                         });

INSTANTIATE_TEST_SUITE_P(AllClasses, StormTest, ::testing::Range(0, 9),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(Classes()[static_cast<size_t>(info.param)].name);
                         });

}  // namespace
