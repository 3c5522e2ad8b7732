#include "support/test_support.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace qt {

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::ostream& operator<<(std::ostream& os, const Command& c) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "{id %u, code %u, lParam 0x%llx}", LOWORD(c.wParam),
                HIWORD(c.wParam), static_cast<unsigned long long>(c.lParam));
  return os << buf;
}

namespace {
constexpr char kParentClass[] = "Qor32TestParent";

void RegisterParentClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kParentClass;
  wc.cbWndExtra = sizeof(void*);
  wc.style = CS_GLOBALCLASS;
  registered = RegisterClassA(&wc) != 0;
}
}  // namespace

ParentWindow::ParentWindow(int width, int height, uint32_t background, HINSTANCE instance)
    : background_(background) {
  RegisterParentClass(Proc);
  RECT rc{0, 0, width, height};
  AdjustWindowRectEx(&rc, WS_POPUP, FALSE, 0);
  hwnd_ = CreateWindowExA(0, kParentClass, "parent", WS_POPUP | WS_VISIBLE, 0, 0,
                          rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                          instance ? instance : GetModuleHandleA(nullptr), this);
  UpdateWindow(hwnd_);
  PumpMessages();
}

ParentWindow::~ParentWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  PumpMessages();
}

HWND ParentWindow::CreateChild(const char* className, const char* text, DWORD style, int x, int y,
                               int width, int height, int id, void* param, HINSTANCE instance) {
  HWND child = CreateWindowExA(0, className, text, style | WS_CHILD, x, y, width, height, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance ? instance : GetModuleHandleA(nullptr), param);
  return child;
}

LRESULT CALLBACK ParentWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(hwnd, 0));
  if (self != nullptr) {
    if (self->onMessage) {
      LRESULT result = 0;
      if (self->onMessage(message, wParam, lParam, result)) return result;
    }
    switch (message) {
      case WM_COMMAND:
        self->commands.push_back(Command{wParam, lParam});
        if (self->onCommand) self->onCommand(wParam, lParam);
        return 0;
      case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (self->paintBackground) {
          self->paintBackground(dc, rc);
        } else {
          HBRUSH brush = CreateSolidBrush(ColorRef(self->background_));
          FillRect(dc, &rc, brush);
          DeleteObject(brush);
        }
        return 1;
      }
      case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, 0, 0);
        break;
      default:
        break;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<uint32_t> ReadPixels(HWND hwnd, const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  std::vector<uint32_t> out;
  if (width <= 0 || height <= 0) return out;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC windowDC = GetDC(hwnd);
  HDC memDC = CreateCompatibleDC(windowDC);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(windowDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memDC, dib);
  BitBlt(memDC, 0, 0, width, height, windowDC, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  out.assign(p, p + size_t(width) * height);
  for (uint32_t& v : out) v &= 0xFFFFFF;
  SelectObject(memDC, old);
  DeleteObject(dib);
  DeleteDC(memDC);
  ReleaseDC(hwnd, windowDC);
  return out;
}

std::vector<uint32_t> ReadClientPixels(HWND hwnd, int* width, int* height) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (width) *width = rc.right;
  if (height) *height = rc.bottom;
  return ReadPixels(hwnd, rc);
}

uint32_t PixelAt(HWND hwnd, int x, int y) {
  RECT rc{x, y, x + 1, y + 1};
  return ReadPixels(hwnd, rc).at(0);
}

std::string DescribePixels(HWND hwnd, const RECT& rect, const Legend& legend) {
  const std::vector<uint32_t> pixels = ReadPixels(hwnd, rect);
  const int width = rect.right - rect.left;
  std::string s;
  for (size_t i = 0; i < pixels.size(); ++i) {
    char ch = '*';
    for (const auto& [key, value] : legend)
      if (key != '?' && value == pixels[i]) ch = key;
    s += ch;
    if ((i + 1) % size_t(width) == 0) s += '\n';
  }
  return s;
}

::testing::AssertionResult PixelsMatch(HWND hwnd, int x, int y,
                                       std::initializer_list<const char*> rows,
                                       const Legend& legend) {
  const int height = int(rows.size());
  const int width = int(std::strlen(*rows.begin()));
  const RECT rect{x, y, x + width, y + height};
  const std::vector<uint32_t> pixels = ReadPixels(hwnd, rect);
  std::ostringstream errors;
  int mismatches = 0;
  int row = 0;
  for (const char* r : rows) {
    for (int col = 0; col < width; ++col) {
      const char key = r[col];
      if (key == '?') continue;
      const auto it = legend.find(key);
      if (it == legend.end()) return ::testing::AssertionFailure() << "no legend entry for '" << key << "'";
      const uint32_t actual = pixels[size_t(row) * width + col];
      if (actual != it->second) {
        if (++mismatches <= 20) {
          char buf[96];
          std::snprintf(buf, sizeof buf, "  (%d, %d): expected '%c' %06X, got %06X\n", x + col, y + row,
                        key, it->second, actual);
          errors << buf;
        }
      }
    }
    ++row;
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << mismatches << " pixel(s) differ:\n"
                                       << errors.str() << "actual:\n"
                                       << DescribePixels(hwnd, rect, legend);
}

void Repaint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
}

int GdiCounter::LiveObjects() {
  // Wine's GDI handle table is finite: create regions until creation fails,
  // then delete them. The room left tells how many objects are alive.
  static std::vector<HRGN> regions;
  regions.clear();
  regions.reserve(70000);
  for (;;) {
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    if (rgn == nullptr) break;
    regions.push_back(rgn);
    if (regions.size() > 200000) break;
  }
  const int room = int(regions.size());
  for (HRGN rgn : regions) DeleteObject(rgn);
  regions.clear();
  return -room;  // differences between two counts are what matter
}

::testing::AssertionResult ProcessHeapIntact() {
  if (HeapValidate(GetProcessHeap(), 0, nullptr)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the process heap is damaged";
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}
BOOL CALLBACK CountTop(HWND hwnd, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(hwnd, CountChild, counter);
  return TRUE;
}
}  // namespace

int CountThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string ModuleDirFile(const char* fileName) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  const size_t slash = s.find_last_of("\\/");
  return s.substr(0, slash + 1) + fileName;
}

}  // namespace qt
