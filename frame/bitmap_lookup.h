// Bitmap lookup along the module chain and the small window operations
// that several controls share.
#pragma once

#include <windows.h>

namespace qor32 {

// The name that passes a bitmap by handle instead of naming a resource.
constexpr char kHandleBitmapName[] = "HBITMAP=";
// The bitmap tried in the library's own module when nothing else is found.
constexpr char kFallbackBitmapName[] = "BMPSAMPLE";

// Loads the named bitmap from, in order: first, the library's own module,
// each ancestor's module (parent first; the window itself is skipped), and
// finally "BMPSAMPLE" from the library. Null if none holds it. The bitmap
// is the caller's, in the form it paints from fastest (see
// LoadBitmapForPainting).
HBITMAP LoadNamedBitmap(HWND hwnd, HINSTANCE first, const char* name);

// True when a stored bitmap name says the bitmap was passed by handle and so
// belongs to the application (exact, case-sensitive).
bool IsHandleBitmapName(const char* storedName);

// Instance of the window's top-level ancestor (its own if it has no parent).
HINSTANCE GetRootInstance(HWND hwnd);

// With the focus: invalidate and repaint at once; without: take the focus
// (the control's focus handling repaints). Returns true.
bool RefreshOrFocus(HWND hwnd, const RECT* rect, bool erase);

// First instance on the chain window, parent, grandparent... that holds the
// resource; 0 if none does.
HINSTANCE FindResourceOwner(HWND hwnd, const char* name, const char* type);

HINSTANCE WindowInstance(HWND hwnd);

}  // namespace qor32
