// Hostile artwork: bitmaps too small for the bands asked of them, depths the
// controls are not drawn for (1, 24 and 32 bits), and pictures whose headers
// lie about their size, depth, colours or dimensions.
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "bmpgen.h"

namespace {

constexpr uint32_t kDot = 0x3060C0;    // the one pixel of the 1 x 1 bitmaps
constexpr uint32_t kRowA = 0xC03030;   // rows of the short strips
constexpr uint32_t kRowB = 0x30C030;
constexpr uint32_t kRowC = 0x3030C0;

bmpgen::Image Rows(std::initializer_list<uint32_t> colors, int width = 8) {
  bmpgen::Image image(width, int(colors.size()));
  int y = 0;
  for (uint32_t c : colors) {
    image.FillRect(0, y, width, y + 1, c);
    ++y;
  }
  return image;
}

// 4 x 2 indexed image: ".##." over "#..#" ('.' index 0, '#' index 1).
bmpgen::Image Checks(std::vector<uint32_t> palette, int depth) {
  bmpgen::Image image = bmpgen::FromAscii({".##.", "#..#"}, {{'.', 0}, {'#', 1}});
  image.palette = std::move(palette);
  image.depth = depth;
  return image;
}

// The fields of a picture header that the broken pictures get wrong, by
// default those of a 1 x 1 8-bit picture with a full colour table.
struct Header {
  uint32_t size = 40;
  uint32_t width = 1;
  uint32_t height = 1;
  uint32_t planes = 1;
  uint32_t bitCount = 8;
  uint32_t compression = 0;
  uint32_t colorsUsed = 256;

  Header& Set(uint32_t Header::*field, uint32_t value) {
    this->*field = value;
    return *this;
  }
};

// A bitmap file written field by field: the header as given, `tableEntries`
// colours (entry 5 is kDot, the others grey by index) and `bitsBytes` bytes
// of pixels, each index 5.
bmpgen::Image Picture(const Header& h, uint32_t tableEntries, uint32_t bitsBytes) {
  using bmpgen::Put16;
  using bmpgen::Put32;
  bmpgen::Image image;
  std::vector<uint8_t>& v = image.raw;
  const uint32_t offset = 14 + 40 + tableEntries * 4;
  v.push_back('B');
  v.push_back('M');
  Put32(v, offset + bitsBytes);
  Put32(v, 0);
  Put32(v, offset);
  Put32(v, h.size);
  Put32(v, h.width);
  Put32(v, h.height);
  Put16(v, h.planes);
  Put16(v, h.bitCount);
  Put32(v, h.compression);
  Put32(v, bitsBytes);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, h.colorsUsed);
  Put32(v, 0);
  for (uint32_t i = 0; i < tableEntries; ++i) {
    const uint32_t c = i == 5 ? kDot : i * 0x010101;
    v.push_back(uint8_t(c));
    v.push_back(uint8_t(c >> 8));
    v.push_back(uint8_t(c >> 16));
    v.push_back(0);
  }
  v.insert(v.end(), bitsBytes, 5);
  return image;
}

// The default header with one field changed.
Header With(uint32_t Header::*field, uint32_t value) { return Header().Set(field, value); }

}  // namespace

// Strips for the bitmap-drawing controls.
QOR32_BITMAP(HOSTILE_1X1) { return Rows({kDot}, 1); }
QOR32_BITMAP(HOSTILE_2ROWS) { return Rows({kRowA, kRowB}); }
QOR32_BITMAP(HOSTILE_3ROWS) { return Rows({kRowA, kRowB, kRowC}); }
QOR32_BITMAP(HOSTILE_MONO) { return Checks({0x000000, 0xFFFFFF}, 1); }
QOR32_BITMAP(HOSTILE_1BIT) { return Checks({kRowA, kRowC}, 1); }
QOR32_BITMAP(HOSTILE_32BIT) {
  bmpgen::Image image = Rows({kRowA, kRowB}, 4);
  image.at(0, 0) = kDot;
  image.depth = 32;
  return image;
}
// A 2 x 4 thumb: normal, pressed and disabled bands over an all-black mask.
QOR32_BITMAP(HOSTILE_THUMB) { return Rows({kRowA, kRowB, kRowC, 0x000000}, 2); }

// Pictures. Usable: a 1 x 1 8-bit picture of index 5, bottom-up and top-down.
QOR32_BITMAP(HOSTILE_PIC_1X1) { return Picture(Header(), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_1X1_TOPDOWN) { return Picture(With(&Header::height, uint32_t(-1)), 256, 4); }
// Not usable: each is taken as no picture.
QOR32_BITMAP(HOSTILE_PIC_24BIT) { return Rows({kDot}, 1); }
QOR32_BITMAP(HOSTILE_PIC_32BIT) {
  bmpgen::Image image = Rows({kDot}, 1);
  image.depth = 32;
  return image;
}
QOR32_BITMAP(HOSTILE_PIC_1BIT) { return Checks({0x000000, 0xFFFFFF}, 1); }
QOR32_BITMAP(HOSTILE_PIC_16COLORS) { return Picture(With(&Header::colorsUsed, 16), 16, 4); }
// Says 16 colours but carries a full table.
QOR32_BITMAP(HOSTILE_PIC_16OF256) { return Picture(With(&Header::colorsUsed, 16), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_SHORT_TABLE) { return Picture(Header(), 100, 0); }
// An 8 x 8 picture with three rows of pixels.
QOR32_BITMAP(HOSTILE_PIC_SHORT_BITS) {
  return Picture(With(&Header::width, 8).Set(&Header::height, 8), 256, 8 * 3);
}
QOR32_BITMAP(HOSTILE_PIC_ZERO_HEIGHT) { return Picture(With(&Header::height, 0), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_MIN_HEIGHT) { return Picture(With(&Header::height, 0x80000000u), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_TALL_TOPDOWN) { return Picture(With(&Header::height, uint32_t(-100000)), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_ZERO_WIDTH) { return Picture(With(&Header::width, 0), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_NEG_WIDTH) { return Picture(With(&Header::width, uint32_t(-4)), 256, 4); }
// Width x height beyond 32 bits, and the largest of each.
QOR32_BITMAP(HOSTILE_PIC_OVERFLOW) {
  return Picture(With(&Header::width, 0x10000).Set(&Header::height, 0x10000), 256, 4);
}
QOR32_BITMAP(HOSTILE_PIC_MAXIMAL) {
  return Picture(With(&Header::width, 0x7FFFFFFF).Set(&Header::height, 0x7FFFFFFF), 256, 4);
}
QOR32_BITMAP(HOSTILE_PIC_HUGE_HEADER) { return Picture(With(&Header::size, 0xFFFFFFFF), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_CORE_HEADER) { return Picture(With(&Header::size, 12), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_RLE8) { return Picture(With(&Header::compression, 1), 256, 4); }
QOR32_BITMAP(HOSTILE_PIC_NO_PLANES) { return Picture(With(&Header::planes, 0), 256, 4); }
