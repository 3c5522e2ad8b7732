// The nine window classes, registered in table order.
#include <windows.h>

#include "frame/library.h"

namespace qor32 {

namespace {

constexpr UINT kPlainStyle = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;           // 0x4003
constexpr UINT kDblClkStyle = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;  // 0x400B

struct ClassEntry {
  const char* name;
  WNDPROC proc;
  UINT style;
  int wndExtra;
};

// Registered strictly in this order.
constexpr ClassEntry kClassTable[] = {
    {QOR32_BITMAP_CLASS, BitmapWndProc, kPlainStyle, kBitmapWndExtra},
    {QOR32_MATRIX_CLASS, MatrixWndProc, kPlainStyle, kSlotWndExtra},
    {QOR32_SLIDE_CLASS, SlideWndProc, kPlainStyle, kSlotWndExtra},
    {QOR32_TAB_CLASS, TabWndProc, kPlainStyle, kSlotWndExtra},
    {QOR32_COLOR_CLASS, ColorWndProc, kDblClkStyle, kSlotWndExtra},
    {QOR32_PATTERN_CLASS, PatternWndProc, kDblClkStyle, kSlotWndExtra},
    {QOR32_PREVIEW_CLASS, PreviewWndProc, kPlainStyle, kSlotWndExtra},
    {QOR32_SELECTION_CLASS, SelectionWndProc, kPlainStyle, kSlotWndExtra},
    {QOR32_STATUS_CLASS, StatusWndProc, kPlainStyle, kSlotWndExtra},
};

static_assert(sizeof(kClassTable) / sizeof(kClassTable[0]) == 9, "nine classes");
static_assert(kPlainStyle == 0x4003 && kDblClkStyle == 0x400B, "class styles");

}  // namespace

bool RegisterControlClasses(HINSTANCE instance, const char* suffix) {
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  for (const ClassEntry& entry : kClassTable) {
    char name[64];
    lstrcpynA(name, entry.name, 40);
    if (suffix != nullptr) {
      const int length = lstrlenA(name);
      lstrcpynA(name + length, suffix, static_cast<int>(sizeof name) - length);
    }
    WNDCLASSA wc{};
    wc.style = entry.style;
    wc.lpfnWndProc = entry.proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = entry.wndExtra;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = arrow;
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = name;
    if (RegisterClassA(&wc) == 0) return false;
  }
  return true;
}

}  // namespace qor32

