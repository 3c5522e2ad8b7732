// Test-bitmap generator: each registered generator yields one image, which
// is written as <name>.bmp into the output folder for the resource scripts.
//
//   QOR32_BITMAP(ARROWS) { return FromAscii({"..##", "##.."}, {{'.', 0x000000}, {'#', 0xFFFFFF}}); }
//
// Colours are 0xRRGGBB. Images are written as 24-bit bitmaps unless a
// palette is given (8-bit, up to 256 entries; pixel values are indices).
// `depth` asks for another bit count: 1 or 4 with a palette (of at most 2 or
// 16 entries), 32 without one.
// An image with `raw` bytes is written as those bytes, for files that no
// encoder would make (wrong depths, truncated data).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bmpgen {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;   // row-major from the top: 0xRRGGBB, or an index
  std::vector<uint32_t> palette;  // empty: 24-bit; else 8-bit with these colours
  std::vector<uint8_t> raw;       // not empty: the file's bytes as they stand (broken files)
  int depth = 0;                  // 0: 8 with a palette, else 24; or 1, 4, 8, 24, 32

  Image() = default;
  Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint32_t& at(int x, int y) { return pixels[size_t(y) * width + x]; }
  void FillRect(int l, int t, int r, int b, uint32_t value) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x)
        if (x >= 0 && y >= 0 && x < width && y < height) at(x, y) = value;
  }
};

// Little-endian fields, for the `raw` bytes of broken files.
inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// Rows of characters, one per pixel, mapped through the legend.
Image FromAscii(std::initializer_list<const char*> rows,
                std::initializer_list<std::pair<char, uint32_t>> legend);

// Stacks images of equal width from the top (a strip of bands).
Image Stack(std::initializer_list<Image> bands);

using Generator = std::function<Image()>;
std::map<std::string, Generator>& Registry();

struct Registrar {
  Registrar(const char* name, Generator generator) { Registry()[name] = std::move(generator); }
};

}  // namespace bmpgen

#define QOR32_BITMAP(name)                                                      \
  static bmpgen::Image GenerateBitmap_##name();                                 \
  static bmpgen::Registrar registrar_##name(#name, GenerateBitmap_##name);      \
  static bmpgen::Image GenerateBitmap_##name()
