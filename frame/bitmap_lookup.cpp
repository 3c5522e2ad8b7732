#include "frame/bitmap_lookup.h"

#include <cstring>

#include "frame/dib_section.h"
#include "frame/library.h"

namespace qor32 {

HINSTANCE WindowInstance(HWND hwnd) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

HBITMAP LoadNamedBitmap(HWND hwnd, HINSTANCE first, const char* name) {
  if (name == nullptr) name = "";
  if (HBITMAP bitmap = LoadBitmapForPainting(first, name)) return bitmap;
  if (HBITMAP bitmap = LoadBitmapForPainting(g_hInstance, name)) return bitmap;
  for (HWND ancestor = GetParent(hwnd); ancestor != nullptr; ancestor = GetParent(ancestor)) {
    if (HBITMAP bitmap = LoadBitmapForPainting(WindowInstance(ancestor), name)) return bitmap;
  }
  return LoadBitmapForPainting(g_hInstance, kFallbackBitmapName);
}

bool IsHandleBitmapName(const char* storedName) {
  return storedName != nullptr && std::strcmp(storedName, kHandleBitmapName) == 0;
}

HINSTANCE GetRootInstance(HWND hwnd) {
  HWND root = hwnd;
  for (HWND parent = GetParent(root); parent != nullptr; parent = GetParent(parent)) root = parent;
  return WindowInstance(root);
}

bool RefreshOrFocus(HWND hwnd, const RECT* rect, bool erase) {
  if (GetFocus() == hwnd) {
    InvalidateRect(hwnd, rect, erase ? TRUE : FALSE);
    UpdateWindow(hwnd);
  } else {
    SetFocus(hwnd);
  }
  return true;
}

HINSTANCE FindResourceOwner(HWND hwnd, const char* name, const char* type) {
  for (HWND w = hwnd; w != nullptr; w = GetParent(w)) {
    HINSTANCE instance = WindowInstance(w);
    if (FindResourceA(instance, name, type) != nullptr) return instance;
  }
  return nullptr;
}

}  // namespace qor32
