// Library entry, class table and the child-destroying callback.
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

bool RegisterControlClasses(HINSTANCE instance) {
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  for (const ClassEntry& entry : kClassTable) {
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
    wc.lpszClassName = entry.name;
    if (RegisterClassA(&wc) == 0) return false;
  }
  return true;
}

}  // namespace qor32

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  qor32::g_hInstance = instance;
  return qor32::RegisterControlClasses(instance) ? TRUE : FALSE;
}

extern "C" BOOL CALLBACK EnumDestroyChildWnd(HWND hwnd, LPARAM /*value*/) {
  DestroyWindow(hwnd);
  return TRUE;
}
