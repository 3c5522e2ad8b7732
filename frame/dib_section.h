// Bitmaps kept for painting, in the form that is cheapest to paint from.
//
// Every paint selects a control's bitmaps into a memory device context.
// Selecting a device-dependent bitmap makes GDI check the bitmap's depth
// against the display's, and under Wine that check queries the display
// configuration through the server: three round trips per selection, more
// than the blits themselves cost. A DIB section is selected without the
// check. The copies below hold exactly the same 32-bit pixels, so whatever
// is drawn from them is drawn exactly as from the original.
#pragma once

#include <windows.h>

namespace qor32 {

// True when the display is 32 bits deep (asked once per process): then a
// picture drawn into a 32-bit DIB section and copied to the window has
// exactly the pixels of the same drawing made on the window.
bool DisplayIs32Bit();

// A bottom-up 32-bit DIB section of width x height, its pixels zero; null
// when the size is not positive or the memory cannot be had.
HBITMAP CreateDibSection32(int width, int height);

// For a 32-bit device-dependent bitmap: a DIB section with the same pixels,
// and the original is deleted. Any other bitmap (null, a DIB section, a
// monochrome or other-depth bitmap), and a bitmap whose copy cannot be
// made, is returned unchanged. Only for bitmaps the caller owns.
HBITMAP ToDibSection(HBITMAP bitmap);

// What ToDibSection(LoadBitmapA(instance, name)) gives, made more cheaply
// where it can be. LoadBitmapA converts the resource into a bitmap of the
// display's depth, and the display queries that costs make it the dearest
// step of creating a control. A resource in one of the plain formats (an
// uncompressed bottom-up DIB of 4, 8, 24 or 32 bits with a plain header,
// whole in its resource) on a 32-bit display is converted here straight
// into a 32-bit DIB section by the same conversion, so the pixels are the
// same. Every other resource, and every failure, takes the LoadBitmapA road.
HBITMAP LoadBitmapForPainting(HINSTANCE instance, const char* name);

}  // namespace qor32
