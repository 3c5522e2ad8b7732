// The C++ helpers of qor32cl.hpp on real controls: composed control texts
// and the typed message wrappers.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "qor32cl.hpp"

extern "C" void Check(int ok, const char* what);

namespace {

HWND Create(HWND parent, HINSTANCE instance, const char* cls, const char* text, int id, void* param) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE, 0, 0, 120, 40, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, param);
}

}  // namespace

extern "C" int CheckCppHelpers(HINSTANCE instance) {
  using namespace qor32;
  // The composer writes what a resource script would spell by hand.
  const BitmapText ok = BitmapText("OK")
                            .Face({0, 0, 0, 0}, 0, RGB(0, 0, 0))
                            .Text(0, {0, 0, 0, 0}, {1, 1}, 37, {0, 0, RGB(128, 128, 128)}, "OK")
                            .Focus({3, 3, 99, 33}, {1, 1});
  Check(ok.Str() == "OK~B0,0,0,0,0,0,0,0~T0,0,0,0,0,1,1,37,0,0,0,0,0,0,128,128,128,OK~F3,3,99,33,1,1,0",
        "BitmapText composes face, text and focus commands");
  const BitmapText image = BitmapText().WholeImage(3, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(1234567)));
  Check(image.Str() == "~Q3,HBITMAP= 1234567", "BitmapText passes a bitmap handle after HBITMAP=");
  const BitmapText lookup = BitmapText().Instance(reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(98765432101ull & UINTPTR_MAX)));
  Check(lookup.Str() == (sizeof(void*) == 8 ? "~H98765432101" : "~H4276151589"),
        "BitmapText writes an instance with all its digits");

  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, instance, nullptr);
  HWND check = CreateWindowExA(0, QOR32_BITMAP_CLASS,
                               BitmapText("Lamp").Indicator({5, 6, 10, 10}, {0, 0}, 1,
                                                            {RGB(0, 192, 0), RGB(224, 0, 0), RGB(192, 192, 192)})
                                   .c_str(),
                               WS_CHILD | BMPS_CHECKBOX, 0, 0, 100, 20, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(40)), instance, nullptr);
  BitmapCheck(check);
  Check(BitmapIsChecked(check), "BitmapCheck / BitmapIsChecked");
  BitmapUncheck(check);
  Check(!BitmapIsChecked(check), "BitmapUncheck");

  HWND tabs = Create(parent, instance, QOR32_TAB_CLASS, "~Q3 TAB_STRIP", 50, nullptr);
  TabSetSel(tabs, 2);
  Check(TabGetSel(tabs) == 2, "TabSetSel / TabGetSel by index");

  HWND slider = Create(parent, instance, QOR32_SLIDE_CLASS,
                       "~S 0 3 0 0 SLD_HTHUMB SLD_HTRACK 0 0 40 0 100 0 10 0", 60, nullptr);
  const SlidePos previous = SlideSetPos(slider, 70, 0);
  Check(previous.x == 40 && SlideGetPos(slider).x == 70, "SlideSetPos / SlideGetPos");

  static const COLORREF colors[QOR32_COLOR_COUNT] = {};
  HWND picker = Create(parent, instance, QOR32_COLOR_CLASS, "", 70, const_cast<COLORREF*>(colors));
  ColorSet(picker, 5, RGB(1, 2, 3));
  Check(ColorGet(picker, 5) == RGB(1, 2, 3), "ColorSet / ColorGet by cell index");

  static const SelectionItem items[] = {{"A", 0, 0, 40, 16}, {"B", 0, 18, 40, 16}, {nullptr, 0, 0, 0, 0}};
  HWND group = Create(parent, instance, QOR32_SELECTION_CLASS, "", 100, const_cast<SelectionItem*>(items));
  Check(SelectionGetChoice(group) == -1, "SelectionGetChoice: none at first");
  SelectionSetChoice(group, 1);
  Check(SelectionGetChoice(group) == 1, "SelectionSetChoice / SelectionGetChoice by index");
  DestroyWindow(parent);
  return 0;
}
