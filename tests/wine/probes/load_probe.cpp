// Loads QOR32CL.DLL after registering a class of one of its names, and
// reports through its exit code which classes exist afterwards.
//
//   load_probe.exe CLASSNAME
// Exit code: bit 9 set if the load succeeded; bits 0-8 set for each of the
// nine class names (in table order) that is registered after the attempt.
#include <windows.h>

#include <cstring>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

int main(int argc, char** argv) {
  if (argc > 1) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = argv[1];
    wc.style = CS_GLOBALCLASS;
    if (RegisterClassA(&wc) == 0) return 1024;
  }
  HMODULE dll = LoadLibraryA("QOR32CL.DLL");
  static const char* const names[] = {"Qor32Bitmap", "Qor32Matrix",  "Qor32Scroll",
                                      "Qor32Tab",    "Qor32Color",   "Qor32Pattern",
                                      "Qor32Preview", "Qor32Selection", "Qor32Status"};
  int code = dll != nullptr ? 512 : 0;
  for (int i = 0; i < 9; ++i) {
    WNDCLASSA wc{};
    if (argc > 1 && std::strcmp(names[i], argv[1]) == 0) continue;  // the probe's own
    if (GetClassInfoA(nullptr, names[i], &wc)) code |= 1 << i;
  }
  return code;
}
