// Library-wide declarations shared by the controls: the library's own
// instance, the window-extra slots and the window procedures.
#pragma once

#include <windows.h>

#include <cstdint>

#include "qor32cl.h"

namespace qor32 {

// The library's module instance, written once at process attach.
extern HINSTANCE g_hInstance;

// Window-extra layout (handles are pointer-sized on 64-bit builds).
constexpr int kBitmapFlags0Offset = QOR32_BMP_FLAGS0_OFFSET;
constexpr int kBitmapFlags1Offset = QOR32_BMP_FLAGS1_OFFSET;
constexpr int kBitmapFontOffset = QOR32_BMP_FONT_OFFSET;
constexpr int kBitmapStateOffset = QOR32_BMP_STATE_OFFSET;
constexpr int kBitmapWndExtra = QOR32_BMP_WNDEXTRA;
constexpr int kSlotWndExtra = QOR32_SLOT_WNDEXTRA;
constexpr int kStateOffset = QOR32_STATE_OFFSET;
constexpr int kStatusFontOffset = QOR32_STATUS_FONT_OFFSET;

// A window handle as the lParam of a notification. A window handle has 32
// significant bits, and a 64-bit program holds it sign-extended, as
// CreateWindowExA returns it; the handle a window procedure is called with
// can arrive zero-extended (Wine passes it so), and a parent comparing the
// lParam with the handle it created would then miss its own control.
inline LPARAM WindowParam(HWND hwnd) {
  return static_cast<LPARAM>(static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd))));
}

// Registers the nine classes in table order; false at the first failure
// (the classes registered before it stay registered). A suffix, if given,
// is appended to every class name (tests register second copies that way).
bool RegisterControlClasses(HINSTANCE instance, const char* suffix = nullptr);

}  // namespace qor32
