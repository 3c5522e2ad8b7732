// Library entry and the child-destroying callback.
#include <windows.h>

#include "frame/library.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  qor32::g_hInstance = instance;
  return qor32::RegisterControlClasses(instance) ? TRUE : FALSE;
}

extern "C" BOOL CALLBACK EnumDestroyChildWnd(HWND hwnd, LPARAM /*value*/) {
  DestroyWindow(hwnd);
  return TRUE;
}
