#include "support/bitmap_pixels.h"

namespace qt {

BitmapPixels LoadBitmapPixels(HINSTANCE module, const char* name) {
  BitmapPixels image;
  HBITMAP bitmap = LoadBitmapA(module, name);
  BITMAP info{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return image;
  }
  image.width = info.bmWidth;
  image.height = info.bmHeight;
  image.pixels.resize(size_t(image.width) * image.height);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.width;
  bi.bmiHeader.biHeight = -image.height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, image.height, image.pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
  return image;
}

}  // namespace qt
