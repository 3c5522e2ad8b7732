// Re-entrancy: every control that notifies its parent, driven by each input
// that makes it notify, with a parent that acts inside the notification: it
// destroys the control (or the group or grid that owns it), reconfigures
// it, sets its selection, check or position, repaints it, disables it or
// moves the focus away. And every control whose press gives itself the
// focus, destroyed while that focus change is under way.
//
// After each case the parent has received exactly the expected
// notification; the control is gone, or it answers with what the nested
// messages set and its own flags agree with the platform's focus, enable
// and capture state; no window and no GDI object is left behind; and the
// process heap is intact. Run under Wine's heap checking (freed blocks
// filled and their release delayed), a handler that writes to a control's
// state after it was freed fails the heap check here.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 120;

// What a case works on. `control` is the library control the parent
// destroys or sends messages to; `input` is the window the input goes to
// (the control itself, or one of its options or cells); `focusTarget` the
// window a press gives the focus to.
struct Rig {
  qt::ParentWindow* parent = nullptr;
  HWND control = nullptr;
  HWND input = nullptr;
  HWND focusTarget = nullptr;
  HWND sibling = nullptr;  // a plain window that holds the focus before each case
};

using Step = std::function<void(const Rig&)>;
using Check = std::function<::testing::AssertionResult(const Rig&)>;

// Inputs that end in exactly one notification to the parent, followed by
// whatever ends the gesture without notifying.
struct Trigger {
  std::string name;
  Step send;
  std::function<qt::Command(const Rig&)> expected;
  bool takesFocus;       // the control moves the focus to itself on the way
  bool notifies = true;  // false: only a focus change (no notification case)
};

// What the parent does inside the notification, and what the control must
// answer afterwards (no check: the action destroys the control).
struct Action {
  std::string name;
  Step act;
  Check check;
  // Notifications the action itself makes the control send, after the first.
  std::function<std::vector<qt::Command>(const Rig&)> alsoSent = nullptr;
};

struct Subject {
  std::string name;
  std::function<void(Rig&)> create;
  std::vector<Trigger> triggers;
  std::vector<Action> actions;  // besides the ones every control gets
  Check consistent;             // the control's own flags agree with the platform's
};

::testing::AssertionResult Holds(bool condition, const std::string& what) {
  if (condition) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << what;
}

void Send(HWND w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { SendMessageA(w, message, wParam, lParam); }
void Click(HWND w, int x, int y) {
  Send(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
void Space(HWND w) {
  Send(w, WM_KEYDOWN, VK_SPACE);
  Send(w, WM_KEYUP, VK_SPACE);
}

qt::Command FromWindow(const Rig& rig, int id, int code = 0) { return qt::MakeCommand(id, code, rig.control); }
qt::Command FromInput(const Rig& rig, int id, int code = 0) { return qt::MakeCommand(id, code, rig.input); }

// ---- Bitmap control -------------------------------------------------------

// A face, a lamp, a text, an image and a focus rectangle: every part paints.
constexpr char kBitmapText[] =
    "Go~B0,0,0,0,0,0,0,0~I26,4,10,10,1,1,2,0,255,0,255,0,0,128,128,128~F2,2,36,26,1,1,0"
    "~T0,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,Go~G2,2,0,0,0,0,0,1,BMP_TWO";
constexpr char kBitmapOtherText[] = "Other~B0,0,0,0,0,0,0,0~I4,4,12,12,1,1,5,10,20,30,0,0,0,0,0,0";

uint8_t BitmapFlags(HWND w) { return static_cast<uint8_t>(SendMessageA(w, BMPM_GETSTATE, 0, 0)); }

::testing::AssertionResult BitmapAgrees(HWND w) {
  const uint8_t flags = BitmapFlags(w);
  if (((flags & BMPF_FOCUS) != 0) != (GetFocus() == w))
    return ::testing::AssertionFailure() << "focus flag " << ((flags & BMPF_FOCUS) != 0) << " but GetFocus "
                                         << (GetFocus() == w);
  if (((flags & BMPF_DISABLED) != 0) == (IsWindowEnabled(w) != FALSE))
    return ::testing::AssertionFailure() << "disabled flag disagrees with the window";
  return Holds(GetCapture() != w, "the capture is still held");
}

std::vector<Action> BitmapActions() {
  return {
      {"Reconfigure", [](const Rig& r) { Send(r.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kBitmapOtherText)); },
       [](const Rig& r) {
         return Holds(SendMessageA(r.control, BMPM_GETINDICATORSHAPE, 0, 0) == 5 &&
                          SendMessageA(r.control, BMPM_GETINDICATORCOLOR, 0, 0) == RGB(10, 20, 30),
                      "the lamp of the nested text");
       }},
      {"SetCheck", [](const Rig& r) { Send(r.control, BM_SETCHECK, BST_INDETERMINATE); },
       [](const Rig& r) {
         return Holds((BitmapFlags(r.control) & (BMPF_CHECKED | BMPF_INDETERMINATE)) == BMPF_INDETERMINATE,
                      "indeterminate, as the nested BM_SETCHECK left it");
       }},
  };
}

Subject BitmapSubject(const char* kind, DWORD style) {
  Subject s;
  s.name = std::string("Bitmap") + kind;
  s.create = [style](Rig& r) {
    r.control = r.parent->CreateChild(QOR32_BITMAP_CLASS, kBitmapText, WS_VISIBLE | style, 10, 10, 40, 30, kId);
    r.input = r.focusTarget = r.control;
  };
  const auto click = [](const Rig& r) { return FromWindow(r, kId, BMPN_CLICK); };
  s.triggers = {
      {"MouseClick", [](const Rig& r) { Click(r.input, 10, 10); }, click, true},
      {"SpaceBar", [](const Rig& r) { Space(r.input); }, click, true},
      {"ClickMessage", [](const Rig& r) { Send(r.input, BMPM_CLICK); }, click, true},
  };
  s.actions = BitmapActions();
  s.consistent = [](const Rig& r) { return BitmapAgrees(r.control); };
  return s;
}

// ---- Matrix control ---------------------------------------------------------

// Auto-repeat, one band, a 2 x 2 grid of 3 x 2 cells one pixel apart.
constexpr char kMatrixText[] = "~M0 1 0 0 MTX_BANDS1 2 2 1 1 0 0 0 0";
constexpr char kMatrixOtherText[] = "~M0 0 0 0 MTX_BANDS1 2 1 0 0 0 0 0 0";

int CountChildren(HWND w) {
  int count = 0;
  for (HWND c = GetWindow(w, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++count;
  return count;
}

Subject MatrixSubject() {
  Subject s;
  s.name = "Matrix";
  s.create = [](Rig& r) {
    r.control = r.parent->CreateChild(QOR32_MATRIX_CLASS, kMatrixText, WS_VISIBLE, 10, 10, 50, 30, kId);
    r.input = GetDlgItem(r.control, kId + 1);
    r.focusTarget = GetDlgItem(r.control, kId);
  };
  const auto cell = [](const Rig& r) { return FromWindow(r, kId + 1); };
  s.triggers = {
      {"CellClick", [](const Rig& r) { Click(r.input, 1, 1); }, cell, false},
      {"CellSpaceBar", [](const Rig& r) { Space(r.input); }, cell, false},
      // The cell held (its redraw arms the timer), one tick, and the press
      // ended without a click.
      {"RepeatTick",
       [](const Rig& r) {
         Send(r.input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
         Send(r.control, WM_TIMER, kId + 1);
         ReleaseCapture();
       },
       cell, false},
      // The control passes the focus on to its first cell.
      {"Focus", [](const Rig& r) { SetFocus(r.control); }, cell, true, false},
  };
  s.actions = {
      {"DestroyCell", [](const Rig& r) { DestroyWindow(r.input); },
       [](const Rig& r) {
         return Holds(GetDlgItem(r.control, kId + 1) == nullptr && CountChildren(r.control) == 3, "three cells left");
       }},
      {"Reconfigure", [](const Rig& r) { Send(r.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kMatrixOtherText)); },
       [](const Rig& r) {
         RECT rc;
         GetClientRect(r.control, &rc);
         return Holds(CountChildren(r.control) == 2 && rc.right == 6 && rc.bottom == 4,
                      "the 2 x 1 grid of the nested text");
       }},
      {"DisableCell", [](const Rig& r) { Send(r.control, WM_ENABLE, kId + 1); },
       [](const Rig& r) { return Holds(!IsWindowEnabled(GetDlgItem(r.control, kId + 1)), "the cell disabled"); }},
  };
  // No repeat timer outlives the press that armed it.
  s.consistent = [](const Rig& r) {
    return Holds(KillTimer(r.control, kId + 1) == FALSE, "a repeat timer still runs");
  };
  return s;
}

// ---- Slide control ------------------------------------------------------------

// X from 0 to 100 at 50, page 10; a 40 x 8 track, the 6 x 6 thumb at (17, 1).
constexpr char kSlideText[] = "~S 0 3 0 1 SLD_THUMB SLD_HTRACK 0 0 50 0 100 0 10 0";
constexpr char kSlideOtherText[] = "~S 0 3 0 1 SLD_THUMB SLD_AREA 0 0 50 20 100 60 10 7";

LRESULT SlideState(HWND w) { return SendMessageA(w, SLDM_GETSTATE, 0, 0); }

void DiscardPostedPress(HWND w) {
  MSG msg;
  while (PeekMessageA(&msg, w, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE)) {
  }
}

Subject SlideSubject() {
  Subject s;
  s.name = "Slide";
  s.create = [](Rig& r) {
    r.control = r.parent->CreateChild(QOR32_SLIDE_CLASS, kSlideText, WS_VISIBLE, 10, 10, 1, 1, kId);
    UpdateWindow(r.control);  // the paint places the thumb
    r.input = r.focusTarget = r.control;
  };
  const auto changed = [](LONG x) {
    return [x](const Rig&) { return qt::MakeCommand(kId, SLDN_CHANGED, static_cast<LPARAM>(x)); };
  };
  s.triggers = {
      {"ArrowKey", [](const Rig& r) { Send(r.input, WM_KEYDOWN, VK_RIGHT, 1); }, changed(51), false},
      {"ThumbRelease", [](const Rig& r) { Click(r.input, 19, 3); }, changed(50), true},
      {"Tracking",
       [](const Rig& r) {
         Send(r.input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 3));
         Send(r.input, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 3));
         Send(r.input, WM_CANCELMODE);
       },
       [](const Rig&) { return qt::MakeCommand(kId, SLDN_TRACKING, 82); }, true},
      {"RepeatTick",
       [](const Rig& r) {
         Send(r.input, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3));  // a page to the left
         Send(r.input, WM_TIMER, 0);
         DiscardPostedPress(r.input);
         Send(r.input, WM_CANCELMODE);
         KillTimer(r.input, 0);
       },
       changed(40), true},
  };
  s.actions = {
      {"Reconfigure", [](const Rig& r) { Send(r.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSlideOtherText)); },
       [](const Rig& r) {
         RECT rc;
         GetClientRect(r.control, &rc);
         return Holds(
             SendMessageA(r.control, SLDM_GETPOS, 0, 0) == MAKELONG(50, 20) && rc.right == 40 && rc.bottom == 30,
             "the area of the nested text");
       }},
      {"SetPosition", [](const Rig& r) { Send(r.control, SLDM_SETPOS, 1, MAKELPARAM(77, 0)); },
       [](const Rig& r) { return Holds(SendMessageA(r.control, SLDM_GETPOS, 0, 0) == 77, "the nested position"); }},
  };
  // A layout clears the focus bit while the control keeps the focus: the
  // bit may be clear with the focus, never set without it.
  s.consistent = [](const Rig& r) {
    const LRESULT state = SlideState(r.control);
    if ((state & SLDF_FOCUS) != 0 && GetFocus() != r.control)
      return ::testing::AssertionFailure() << "focus bit set without the focus, state " << state;
    if (((state & SLDF_DISABLED) != 0) == (IsWindowEnabled(r.control) != FALSE))
      return ::testing::AssertionFailure() << "disabled bit disagrees, state " << state;
    return Holds((state & (SLDF_PRESSED | SLDF_DRAGGING)) == 0 && GetCapture() != r.control,
                 "a gesture that ended left the slider pressed, dragging or capturing");
  };
  return s;
}

// ---- Tab control ------------------------------------------------------------

Subject TabSubject() {
  Subject s;
  s.name = "Tab";
  s.create = [](Rig& r) {
    r.control = r.parent->CreateChild(QOR32_TAB_CLASS, "~Q3 TAB_STRIP3", WS_VISIBLE, 10, 10, 1, 1, kId);
    r.input = r.focusTarget = r.control;
  };
  s.triggers = {
      {"Press", [](const Rig& r) { Click(r.input, 70, 5); },
       [](const Rig& r) { return FromWindow(r, kId + 1, TABN_CLICK); }, true},
      {"SpaceBar", [](const Rig& r) { Space(r.input); }, [](const Rig& r) { return FromWindow(r, kId, TABN_CLICK); },
       false},
  };
  s.actions = {
      {"SetSelection", [](const Rig& r) { Send(r.control, TABM_SETSEL, kId + 2); },
       [](const Rig& r) {
         return Holds(SendMessageA(r.control, TABM_GETSEL, 0, 0) == kId + 2, "the nested selection");
       }},
  };
  s.consistent = [](const Rig&) { return ::testing::AssertionSuccess(); };
  return s;
}

// ---- Pickers ------------------------------------------------------------------

COLORREF g_colors[QOR32_COLOR_COUNT];
DWORD g_patterns[QOR32_PATTERN_COUNT];

Subject PickerSubject(bool pattern) {
  Subject s;
  s.name = pattern ? "Pattern" : "Color";
  s.create = [pattern](Rig& r) {
    for (int i = 0; i < QOR32_COLOR_COUNT; ++i) g_colors[i] = RGB(10 * i, 255 - 10 * i, 100);
    for (int i = 0; i < QOR32_PATTERN_COUNT; ++i) g_patterns[i] = 101 + i;
    void* values = pattern ? static_cast<void*>(g_patterns) : static_cast<void*>(g_colors);
    r.control = r.parent->CreateChild(pattern ? QOR32_PATTERN_CLASS : QOR32_COLOR_CLASS, "", WS_VISIBLE, 10, 10, 1, 1,
                                      kId, values);
    r.input = r.focusTarget = r.control;
  };
  const auto cell = [](int index, int code) {
    return [index, code](const Rig& r) { return FromWindow(r, kId + index, code); };
  };
  // (40, 2) lies in colour cell 0 and pattern cell 2; (10, 10) in the front
  // swatch (22) and pattern cell 0.
  s.triggers = {
      {"LeftPress", [](const Rig& r) { Click(r.input, 40, 2); }, cell(pattern ? 2 : 0, CLRN_CLICK), true},
      {"RightPress", [](const Rig& r) { Send(r.input, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10)); },
       cell(pattern ? 0 : 22, CLRN_RCLICK), true},
      {"LeftDoubleClick", [](const Rig& r) { Send(r.input, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 2)); },
       cell(0, CLRN_DBLCLK), false},
      {"RightDoubleClick", [](const Rig& r) { Send(r.input, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(40, 2)); },
       cell(0, CLRN_RDBLCLK), false},
      {"SpaceBar", [](const Rig& r) { Space(r.input); }, cell(0, CLRN_CLICK), false},
  };
  if (pattern) {
    s.actions = {{"SetValue", [](const Rig& r) { Send(r.control, PATM_SETPATTERN, kId + 5, 103); },
                  [](const Rig& r) {
                    return Holds(SendMessageA(r.control, PATM_GETPATTERN, kId + 5, 0) == 103, "the nested pattern");
                  }}};
  } else {
    s.actions = {{"SetValue", [](const Rig& r) { Send(r.control, CLRM_SETCOLOR, kId + 5, RGB(1, 2, 3)); },
                  [](const Rig& r) {
                    UpdateWindow(r.control);
                    // Cell 5 is the well at (19, 34): its colour fills x 22..35, y 37..49.
                    return Holds(SendMessageA(r.control, CLRM_GETCOLOR, kId + 5, 0) == RGB(1, 2, 3) &&
                                     qt::PixelAt(r.control, 25, 40) == 0x010203,
                                 "the nested colour, stored and shown");
                  }}};
  }
  s.consistent = [](const Rig&) { return ::testing::AssertionSuccess(); };
  return s;
}

// ---- Preview control ------------------------------------------------------------

PreviewSettings PreviewPage(COLORREF page) {
  PreviewSettings s{};
  s.pageRect = RECT{0, 0, 100, 100};
  s.innerRect = RECT{5, 5, 95, 95};
  s.pictureRect = RECT{20, 20, 36, 28};
  s.pageColor = page;
  s.innerColor = RGB(224, 240, 255);
  return s;
}
PreviewSettings g_previewSettings;
PreviewSettings g_previewOtherSettings;

Subject PreviewSubject() {
  Subject s;
  s.name = "Preview";
  s.create = [](Rig& r) {
    g_previewSettings = PreviewPage(RGB(255, 255, 224));
    g_previewOtherSettings = PreviewPage(RGB(50, 60, 70));
    r.control =
        r.parent->CreateChild(QOR32_PREVIEW_CLASS, "PRV_BW", WS_VISIBLE, 10, 10, 120, 120, kId, &g_previewSettings);
    r.input = r.focusTarget = r.control;
  };
  const auto click = [](const Rig& r) { return FromWindow(r, kId, PRVN_CLICK); };
  s.triggers = {
      {"Press", [](const Rig& r) { Click(r.input, 50, 50); }, click, true},
      {"SpaceBar", [](const Rig& r) { Space(r.input); }, click, false},
  };
  s.actions = {
      {"Reconfigure",
       [](const Rig& r) { Send(r.control, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&g_previewOtherSettings)); },
       [](const Rig& r) {
         UpdateWindow(r.control);
         // (12, 12) lies on the page outside the inner area.
         return Holds(qt::PixelAt(r.control, 12, 12) == 0x323C46, "the page colour of the nested settings");
       }},
      {"Rename", [](const Rig& r) { Send(r.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PRV_NONE")); },
       [](const Rig& r) {
         char text[16] = {};
         GetWindowTextA(r.control, text, sizeof text);
         return Holds(std::string(text) == "PRV_BW", "the name kept");
       }},
  };
  s.consistent = [](const Rig&) { return ::testing::AssertionSuccess(); };
  return s;
}

// ---- Selection control -----------------------------------------------------------

const SelectionItem kOptions[] = {{"One~B0,0,0,0,0,0,0,0~F2,2,30,16,1,1,0", 0, 0, 40, 20},
                                  {"Two~B0,0,0,0,0,0,0,0~F2,2,30,16,1,1,0", 50, 0, 40, 20},
                                  {"Three~B0,0,0,0,0,0,0,0~F2,2,30,16,1,1,0", 100, 0, 40, 20},
                                  {nullptr, 0, 0, 0, 0}};

std::string Checks(HWND group) {
  std::string checks;
  for (int i = 0; i < 3; ++i)
    checks += (SendDlgItemMessageA(group, kId + i, BM_GETCHECK, 0, 0) & BMPF_CHECKED) ? '1' : '0';
  return checks;
}

::testing::AssertionResult ChoiceIs(HWND group, LRESULT id, const std::string& checks) {
  const LRESULT choice = SendMessageA(group, SELM_GETCHOICE, 0, 0);
  return Holds(choice == id && Checks(group) == checks,
               "the nested choice: chose " + std::to_string(choice) + " with checks " + Checks(group));
}

Subject SelectionSubject() {
  Subject s;
  s.name = "Selection";
  s.create = [](Rig& r) {
    r.control = r.parent->CreateChild(QOR32_SELECTION_CLASS, "", WS_VISIBLE, 10, 10, 150, 30, kId,
                                      const_cast<SelectionItem*>(kOptions));
    r.input = r.focusTarget = GetDlgItem(r.control, kId + 1);
  };
  const auto second = [](const Rig& r) { return FromInput(r, kId + 1); };
  s.triggers = {
      {"OptionPress", [](const Rig& r) { Click(r.input, 5, 5); }, second, true},
      {"OptionSpaceBar", [](const Rig& r) { Space(r.input); }, second, true},
      {"OptionClickMessage", [](const Rig& r) { Send(r.input, BMPM_CLICK); }, second, true},
  };
  s.actions = {
      {"DestroyOption", [](const Rig& r) { DestroyWindow(r.input); },
       [](const Rig& r) {
         return Holds(!IsWindow(r.input) && CountChildren(r.control) == 2 && Checks(r.control) == "000",
                      "the pressed option gone, the others unchecked");
       }},
      {"SetChoice", [](const Rig& r) { Send(r.control, SELM_SETCHOICE, kId + 2); },
       [](const Rig& r) { return ChoiceIs(r.control, kId + 2, "001"); }},
      // The parent refuses the press: it puts back the choice there was (none).
      {"ClearChoice", [](const Rig& r) { Send(r.control, SELM_SETCHOICE, 0); },
       [](const Rig& r) { return ChoiceIs(r.control, 0, "000"); }},
      // The parent presses the third option: its forward arrives inside the first.
      {"PressOther", [](const Rig& r) { Send(GetDlgItem(r.control, kId + 2), BMPM_CLICK); },
       [](const Rig& r) { return ChoiceIs(r.control, kId + 2, "001"); },
       [](const Rig& r) {
         return std::vector<qt::Command>{qt::MakeCommand(kId + 2, 0, GetDlgItem(r.control, kId + 2))};
       }},
  };
  s.consistent = [](const Rig& r) {
    for (int i = 0; i < 3; ++i) {
      if (HWND option = GetDlgItem(r.control, kId + i)) {
        const ::testing::AssertionResult agrees = BitmapAgrees(option);
        if (!agrees) return ::testing::AssertionFailure() << "option " << i << ": " << agrees.message();
      }
    }
    return ::testing::AssertionSuccess();
  };
  return s;
}

std::vector<Subject> Subjects() {
  return {BitmapSubject("Push", BMPS_PUSHBUTTON),
          BitmapSubject("CheckBox", BMPS_CHECKBOX),
          BitmapSubject("Radio", BMPS_RADIOBUTTON),
          BitmapSubject("PressRadio", BMPS_PRESSRADIO),
          MatrixSubject(),
          SlideSubject(),
          TabSubject(),
          PickerSubject(false),
          PickerSubject(true),
          PreviewSubject(),
          SelectionSubject()};
}

// The actions every control gets.
std::vector<Action> CommonActions() {
  return {
      {"Destroy", [](const Rig& r) { DestroyWindow(r.control); }, nullptr},
      {"Repaint",
       [](const Rig& r) {
         RedrawWindow(r.control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
       },
       [](const Rig&) { return ::testing::AssertionSuccess(); }},
      {"Disable", [](const Rig& r) { EnableWindow(r.control, FALSE); },
       [](const Rig& r) { return Holds(!IsWindowEnabled(r.control), "still enabled"); }},
      {"FocusAway", [](const Rig& r) { SetFocus(r.sibling); },
       [](const Rig&) { return ::testing::AssertionSuccess(); }},
  };
}

// ---- The cases -------------------------------------------------------------------

// How a case destroys the control while a press gives it the focus.
enum class FocusTrap {
  kSiblingLosingFocus,  // the sibling that had the focus destroys it in its WM_KILLFOCUS
  kBeforeSetFocus,      // a WH_CALLWNDPROC hook, when WM_SETFOCUS is about to reach it
  kAfterSetFocus,       // a WH_CALLWNDPROCRET hook, once its WM_SETFOCUS has run
  kFocusRepaint,        // a WH_CALLWNDPROC hook, at the WM_PAINT its focus change sends
};
const char* const kTrapNames[] = {"SiblingLosingFocus", "BeforeSetFocus", "AfterSetFocus", "FocusRepaint"};

struct Case {
  size_t subject;
  size_t trigger;
  size_t action;  // into the common actions followed by the subject's own; unused for traps
  int trap = -1;  // a FocusTrap, or -1
  std::string name;
};

std::vector<Action> ActionsOf(const Subject& s) {
  std::vector<Action> actions = CommonActions();
  actions.insert(actions.end(), s.actions.begin(), s.actions.end());
  return actions;
}

// The Preview control does not repaint on a focus change; the Matrix
// control's focus goes to a system button, which draws its focus itself.
bool TrapApplies(const Subject& s, FocusTrap trap) {
  return trap != FocusTrap::kFocusRepaint || (s.name != "Preview" && s.name != "Matrix");
}

std::vector<Case> NotificationCases() {
  std::vector<Case> cases;
  const std::vector<Subject> subjects = Subjects();
  for (size_t s = 0; s < subjects.size(); ++s) {
    const std::vector<Action> actions = ActionsOf(subjects[s]);
    for (size_t t = 0; t < subjects[s].triggers.size(); ++t)
      for (size_t a = 0; subjects[s].triggers[t].notifies && a < actions.size(); ++a)
        cases.push_back({s, t, a, -1, subjects[s].name + "_" + subjects[s].triggers[t].name + "_" + actions[a].name});
  }
  return cases;
}

std::vector<Case> FocusCases() {
  std::vector<Case> cases;
  const std::vector<Subject> subjects = Subjects();
  for (size_t s = 0; s < subjects.size(); ++s)
    for (size_t t = 0; t < subjects[s].triggers.size(); ++t) {
      if (!subjects[s].triggers[t].takesFocus) continue;
      for (int trap = 0; trap < 4; ++trap)
        if (TrapApplies(subjects[s], static_cast<FocusTrap>(trap)))
          cases.push_back(
              {s, t, 0, trap, subjects[s].name + "_" + subjects[s].triggers[t].name + "_" + kTrapNames[trap]});
    }
  return cases;
}

// State of the traps: the hooks and the sibling's procedure are plain
// callbacks.
struct TrapState {
  FocusTrap trap;
  HWND watched = nullptr;  // the window whose focus change springs the trap
  HWND victim = nullptr;   // what the trap destroys, once (none: no trap is set)
  bool focusing = false;
  WNDPROC siblingProc = nullptr;
};
TrapState g_trap;

void Spring() {
  if (HWND victim = std::exchange(g_trap.victim, nullptr)) DestroyWindow(victim);
}

LRESULT CALLBACK BeforeHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_trap.watched) {
    if (message->message == WM_SETFOCUS) {
      g_trap.focusing = true;
      if (g_trap.trap == FocusTrap::kBeforeSetFocus) Spring();
    } else if (message->message == WM_PAINT && g_trap.focusing && g_trap.trap == FocusTrap::kFocusRepaint) {
      Spring();
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_trap.watched && message->message == WM_SETFOCUS) {
    g_trap.focusing = false;
    if (g_trap.trap == FocusTrap::kAfterSetFocus) Spring();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SiblingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KILLFOCUS && g_trap.trap == FocusTrap::kSiblingLosingFocus) Spring();
  return CallWindowProcA(g_trap.siblingProc, hwnd, message, wParam, lParam);
}

class Hook {
 public:
  Hook(int type, HOOKPROC proc) : hook_(SetWindowsHookExA(type, proc, nullptr, GetCurrentThreadId())) {}
  ~Hook() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  Hook(const Hook&) = delete;
  Hook& operator=(const Hook&) = delete;
  explicit operator bool() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

class ReentryTest : public ::testing::TestWithParam<Case> {
 protected:
  // One run of the case: the control is made, driven and destroyed again;
  // with `checked`, everything the case promises is checked.
  void Run(bool checked) {
    const Case& c = GetParam();
    const Subject subject = Subjects()[c.subject];
    const Trigger& trigger = subject.triggers[c.trigger];
    const std::vector<Action> actions = ActionsOf(subject);
    qt::ParentWindow parent(320, 240);
    Rig rig;
    rig.parent = &parent;
    rig.sibling = parent.CreateChild("STATIC", "", WS_VISIBLE, 300, 220, 10, 10, 999);
    g_trap = TrapState{};
    g_trap.siblingProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(rig.sibling, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SiblingProc)));
    const int windows = qt::CountThreadWindows();
    const int objects = checked ? qt::GdiCounter::LiveObjects() : 0;

    subject.create(rig);
    ASSERT_NE(rig.control, nullptr);
    ASSERT_NE(rig.input, nullptr);
    SetFocus(rig.sibling);
    const qt::Command expected = trigger.expected(rig);
    if (c.trap < 0) {
      const Action& action = actions[c.action];
      parent.onCommand = [&](WPARAM, LPARAM) {
        if (parent.commands.size() == 1) action.act(rig);
      };
      trigger.send(rig);
      parent.onCommand = nullptr;
      if (checked) {
        std::vector<qt::Command> log{expected};
        if (action.alsoSent) {
          const std::vector<qt::Command> more = action.alsoSent(rig);
          log.insert(log.end(), more.begin(), more.end());
        }
        EXPECT_EQ(parent.commands, log);
        if (action.check) {
          EXPECT_TRUE(IsWindow(rig.control));
          EXPECT_TRUE(action.check(rig));
          EXPECT_TRUE(subject.consistent(rig));
        } else {
          EXPECT_FALSE(IsWindow(rig.control));
        }
      }
    } else {
      g_trap.trap = static_cast<FocusTrap>(c.trap);
      g_trap.watched = rig.focusTarget;
      g_trap.victim = rig.control;
      {
        Hook before(WH_CALLWNDPROC, BeforeHook);
        Hook after(WH_CALLWNDPROCRET, AfterHook);
        ASSERT_TRUE(before && after);
        trigger.send(rig);
      }
      if (checked) {
        EXPECT_EQ(g_trap.victim, nullptr) << "the trap did not spring";
        EXPECT_FALSE(IsWindow(rig.control));
        // Destroyed before it could tell: nothing reaches the parent.
        EXPECT_EQ(parent.commands, std::vector<qt::Command>{});
      }
      g_trap.victim = nullptr;
    }
    if (IsWindow(rig.control)) DestroyWindow(rig.control);
    EXPECT_NE(GetCapture(), rig.control);
    ReleaseCapture();
    qt::PumpMessages();
    if (checked) {
      EXPECT_EQ(qt::CountThreadWindows(), windows) << "windows left behind";
      EXPECT_EQ(qt::GdiCounter::LiveObjects(), objects) << "GDI objects left behind";
      EXPECT_TRUE(qt::ProcessHeapIntact());
    }
  }
};

// The first run warms up what the platform allocates once (font and DC
// caches); the second is checked.
TEST_P(ReentryTest, ParentActsInsideTheNotification) {
  Run(false);
  Run(true);
}

class FocusTrapTest : public ReentryTest {};

TEST_P(FocusTrapTest, DestroyedWhileTakingTheFocus) {
  Run(false);
  Run(true);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(EveryNotifier, ReentryTest, ::testing::ValuesIn(NotificationCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(EveryFocusTaker, FocusTrapTest, ::testing::ValuesIn(FocusCases()), CaseName);

}  // namespace
