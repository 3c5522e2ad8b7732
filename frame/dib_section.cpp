#include "frame/dib_section.h"

#include <cstdint>

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

// Above this many pixels a resource takes the LoadBitmapA road, which
// handles whatever memory it cannot get in its own way.
constexpr int64_t kMaxDirectPixels = int64_t(1) << 26;

// A resource in a plain format: its header and its pixels.
struct PlainDib {
  const BITMAPINFO* info = nullptr;
  const BYTE* bits = nullptr;
};

// The resource if it is in a plain format and whole; otherwise no header.
PlainDib FindPlainDib(HINSTANCE instance, const char* name) {
  HRSRC resource = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (resource == nullptr) return {};
  const DWORD size = SizeofResource(instance, resource);
  HGLOBAL loaded = LoadResource(instance, resource);
  const auto* info = loaded != nullptr ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
  if (info == nullptr || size < sizeof(BITMAPINFOHEADER)) return {};
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const int bits = h.biBitCount;
  if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB ||
      (bits != 4 && bits != 8 && bits != 24 && bits != 32) || h.biWidth <= 0 || h.biHeight <= 0 ||
      int64_t(h.biWidth) * h.biHeight > kMaxDirectPixels)
    return {};
  const uint32_t tableMax = bits <= 8 ? (1u << bits) : 0;
  if (h.biClrUsed > tableMax && bits <= 8) return {};
  const uint32_t colors = bits <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : tableMax) : 0;
  const int64_t stride = ((int64_t(h.biWidth) * bits + 31) / 32) * 4;
  const int64_t offset = int64_t(h.biSize) + int64_t(colors) * 4;
  if (offset + stride * h.biHeight > int64_t(size)) return {};
  return PlainDib{info, reinterpret_cast<const BYTE*>(info) + offset};
}

HBITMAP ConvertPlainDib(const PlainDib& dib) {
  const BITMAPINFOHEADER& h = dib.info->bmiHeader;
  Bitmap section(CreateDibSection32(h.biWidth, h.biHeight));
  if (!section) return nullptr;
  MemoryDC memory(nullptr);
  if (!memory) return nullptr;
  ScopedSelect selection(memory.get(), section.get());
  if (!selection.selected()) return nullptr;
  // The conversion LoadBitmapA makes: the whole DIB stretched 1:1 in the
  // halftone mode with SRCCOPY onto the new bitmap.
  SetStretchBltMode(memory.get(), HALFTONE);
  if (StretchDIBits(memory.get(), 0, 0, h.biWidth, h.biHeight, 0, 0, h.biWidth, h.biHeight, dib.bits, dib.info,
                    DIB_RGB_COLORS, SRCCOPY) != h.biHeight)
    return nullptr;
  return section.release();
}

}  // namespace

// Asking costs display queries, so it is asked once per process.
bool DisplayIs32Bit() {
  static const bool is32 = [] {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return false;
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits == 32;
  }();
  return is32;
}

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

HBITMAP LoadBitmapForPainting(HINSTANCE instance, const char* name) {
  // A null instance names the system's own bitmaps, which are no resources
  // of a module.
  if (instance != nullptr && DisplayIs32Bit()) {
    const PlainDib dib = FindPlainDib(instance, name);
    if (dib.info != nullptr) {
      if (HBITMAP section = ConvertPlainDib(dib)) return section;
    }
  }
  return ToDibSection(LoadBitmapA(instance, name));
}

}  // namespace qor32
