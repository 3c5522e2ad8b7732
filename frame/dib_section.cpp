#include "frame/dib_section.h"

#include "frame/gdi.h"

namespace qor32 {

namespace {

BITMAPINFO Info32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

HBITMAP CreateDibSection32(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const BITMAPINFO info = Info32(width, height);
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HBITMAP ToDibSection(HBITMAP bitmap) {
  if (bitmap == nullptr) return bitmap;
  DIBSECTION section{};
  // A DIB section answers with the whole DIBSECTION, a device-dependent
  // bitmap with its BITMAP only.
  if (GetObjectA(bitmap, sizeof section, &section) != sizeof(BITMAP)) return bitmap;
  const BITMAP& bm = section.dsBm;
  if (bm.bmBitsPixel != 32 || bm.bmPlanes != 1) return bitmap;
  BITMAPINFO info = Info32(bm.bmWidth, bm.bmHeight);
  void* bits = nullptr;
  Bitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!copy || bits == nullptr) return bitmap;
  MemoryDC reference(nullptr);
  if (!reference) return bitmap;
  if (GetDIBits(reference.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), bits, &info, DIB_RGB_COLORS) !=
      bm.bmHeight)
    return bitmap;
  DeleteObject(bitmap);
  return copy.release();
}

}  // namespace qor32
