// Gallery: one dialog showing every control of the library.
//
// Controls that a dialog template can configure are CONTROL statements in
// parts/<control>_controls.rc (included into the template); their bitmaps
// go in parts/<control>_resources.rc. Controls that need a creation record
// are created by a part's code at WM_INITDIALOG: a parts/<control>.cpp
// registers itself with QOR32_GALLERY_PART.
#pragma once

#include <windows.h>

namespace gallery {

using PartInit = void (*)(HWND dialog);

struct PartRegistrar {
  PartRegistrar(const char* name, PartInit init);
};

// Converts a rectangle in dialog units to client pixels of the dialog.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height);

// Creates a child control of the dialog at a rectangle given in dialog units.
HWND CreateInDialog(HWND dialog, const char* className, const char* text, DWORD style, int x, int y,
                    int width, int height, int id, void* param = nullptr);

}  // namespace gallery

#define QOR32_GALLERY_PART(name)                                        \
  static void GalleryPart_##name(HWND dialog);                          \
  static gallery::PartRegistrar galleryPart_##name(#name, GalleryPart_##name); \
  static void GalleryPart_##name(HWND dialog)
