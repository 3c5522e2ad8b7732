// Preview picture: which resources are usable 8-bit pictures (and that the
// check reads nothing beyond the data), the colours read into the palette
// with the black and white search, and the swap of the two entries.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "controls/preview/portable/preview_picture.h"

namespace qor32 {
namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}

struct Header {
  uint32_t size = 40;
  int32_t width = 5;
  int32_t height = 3;
  uint32_t planes = 1;
  uint32_t bitCount = 8;
  uint32_t compression = 0;
  uint32_t colorsUsed = 256;
};

// A packed picture: header, `tableEntries` colours, then `bitsBytes` bytes.
// A header size field beyond 1024 only goes into the field.
std::vector<uint8_t> MakePicture(const Header& h, size_t tableEntries, size_t bitsBytes) {
  const size_t headerBytes = h.size <= 1024 ? h.size : 40;
  std::vector<uint8_t> v(headerBytes + tableEntries * 4 + bitsBytes, 0);
  if (v.size() < 40) v.resize(40);
  Put32(&v[0], h.size);
  Put32(&v[4], uint32_t(h.width));
  Put32(&v[8], uint32_t(h.height));
  Put16(&v[12], h.planes);
  Put16(&v[14], h.bitCount);
  Put32(&v[16], h.compression);
  Put32(&v[32], h.colorsUsed);
  return v;
}

// Checks a copy that ends exactly where the data ends, so that the
// sanitizer reports any read beyond it.
bool Check(const std::vector<uint8_t>& data, size_t size, PictureLayout* layout = nullptr) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[size == 0 ? 1 : size]);
  std::memcpy(exact.get(), data.data(), size);
  return CheckPicture(exact.get(), size, layout);
}

TEST(PreviewPicture, UsablePictureAndWhereItsPartsLie) {
  // 5 pixels wide: rows of 8 bytes, 3 rows.
  const auto v = MakePicture(Header{}, 256, 24);
  PictureLayout layout{};
  ASSERT_TRUE(Check(v, v.size(), &layout));
  EXPECT_EQ(layout.headerSize, 40u);
  EXPECT_EQ(layout.width, 5);
  EXPECT_EQ(layout.height, 3);
  EXPECT_EQ(layout.colorTableOffset, 40u);
  EXPECT_EQ(layout.bitsOffset, 40u + 1024u);
  EXPECT_EQ(layout.bitsSize, 24u);

  Header topDown;
  topDown.height = -3;
  topDown.colorsUsed = 0;  // 0 means the full table for 8 bits
  const auto t = MakePicture(topDown, 256, 24);
  ASSERT_TRUE(Check(t, t.size(), &layout));
  EXPECT_EQ(layout.height, 3);

  Header larger;  // a longer header moves the table and the bits along
  larger.size = 124;
  const auto l = MakePicture(larger, 256, 24);
  ASSERT_TRUE(Check(l, l.size(), &layout));
  EXPECT_EQ(layout.colorTableOffset, 124u);
  EXPECT_EQ(layout.bitsOffset, 124u + 1024u);
}

TEST(PreviewPicture, RejectsWhatIsNotAFullEightBitPicture) {
  struct Case {
    const char* name;
    Header header;
    size_t tableEntries;
    size_t bitsBytes;
    size_t cut;  // bytes removed from the end
  };
  Header h4, h24, shortTable, rle, planes, zeroWidth, negativeWidth, zeroHeight, minHeight,
      smallHeader, hugeHeader, huge;
  h4.bitCount = 4;
  h24.bitCount = 24;
  shortTable.colorsUsed = 16;
  rle.compression = 1;
  planes.planes = 2;
  zeroWidth.width = 0;
  negativeWidth.width = -5;
  zeroHeight.height = 0;
  minHeight.height = INT32_MIN;
  smallHeader.size = 12;
  hugeHeader.size = 0xFFFFFFF0u;
  huge.width = 0x7FFFFFFF;
  huge.height = 0x7FFFFFFF;
  const Case cases[] = {
      {"4-bit", h4, 16, 12, 0},
      {"24-bit", h24, 0, 48, 0},
      {"colour table of 16 entries", shortTable, 16, 24, 0},
      {"run-length compressed", rle, 256, 24, 0},
      {"two planes", planes, 256, 24, 0},
      {"zero width", zeroWidth, 256, 24, 0},
      {"negative width", negativeWidth, 256, 24, 0},
      {"zero height", zeroHeight, 256, 24, 0},
      {"most negative height", minHeight, 256, 24, 0},
      {"header shorter than 40", smallHeader, 256, 24, 0},
      {"header size beyond the data", hugeHeader, 0, 0, 0},
      {"pixel rows beyond 2^32 bytes", huge, 256, 24, 0},
      {"last pixel row cut short", Header{}, 256, 24, 1},
      {"pixel rows missing", Header{}, 256, 0, 0},
      {"colour table cut short", Header{}, 255, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto v = MakePicture(c.header, c.tableEntries, c.bitsBytes);
    EXPECT_FALSE(Check(v, v.size() - c.cut));
  }
  // Anything shorter than a header, and no data at all.
  const auto v = MakePicture(Header{}, 256, 24);
  for (size_t size : {0u, 1u, 39u}) EXPECT_FALSE(Check(v, size)) << size;
  EXPECT_FALSE(CheckPicture(nullptr, 100, nullptr));
}

std::vector<uint8_t> Table(std::initializer_list<std::pair<int, uint32_t>> colours) {
  std::vector<uint8_t> t(kColorTableBytes, 0);
  for (int i = 0; i < kPictureColors; ++i) {  // a ramp of greys without 0 and 255
    t[4 * i] = t[4 * i + 1] = t[4 * i + 2] = uint8_t(1 + i % 254);
    t[4 * i + 3] = 0xA5;                     // reserved, must survive
  }
  for (auto [i, rgb] : colours) {
    t[4 * i] = uint8_t(rgb);
    t[4 * i + 1] = uint8_t(rgb >> 8);
    t[4 * i + 2] = uint8_t(rgb >> 16);
  }
  return t;
}

TEST(PreviewPicture, ColoursAndTheLastBlackAndWhite) {
  auto t = Table({{0, 0x000000}, {7, 0x123456}, {200, 0x000000}, {201, 0xFFFFFF}, {255, 0xFFFFFE}});
  PaletteColor entries[kPictureColors];
  int32_t black = 0, white = 0;
  ReadPictureColors(t.data(), entries, black, white);
  EXPECT_EQ(black, 200);
  EXPECT_EQ(white, 201);
  EXPECT_EQ(entries[7].red, 0x12);
  EXPECT_EQ(entries[7].green, 0x34);
  EXPECT_EQ(entries[7].blue, 0x56);
  EXPECT_EQ(entries[7].flags, 0);
  EXPECT_EQ(entries[255].blue, 0xFE);

  // No match keeps the previous indices.
  auto plain = Table({});
  black = 12;
  white = 34;
  ReadPictureColors(plain.data(), entries, black, white);
  EXPECT_EQ(black, 12);
  EXPECT_EQ(white, 34);
}

TEST(PreviewPicture, SwapRewritesTwoEntriesAndRestores) {
  auto t = Table({{0, 0x000000}, {255, 0xFFFFFF}});
  const auto original = t;
  ApplyBlackWhiteSwap(t.data(), 0, 255, true);
  EXPECT_EQ(t[0], 255);
  EXPECT_EQ(t[1], 255);
  EXPECT_EQ(t[2], 255);
  EXPECT_EQ(t[3], 0xA5);
  EXPECT_EQ(t[4 * 255], 0);
  EXPECT_EQ(t[4 * 255 + 2], 0);
  EXPECT_EQ(t[4 * 255 + 3], 0xA5);
  ApplyBlackWhiteSwap(t.data(), 0, 255, true);  // setting it again changes nothing
  ApplyBlackWhiteSwap(t.data(), 0, 255, false);
  EXPECT_EQ(t, original);

  // Equal indices, or indices outside the table: nothing is written.
  for (auto [b, w] : {std::pair{5, 5}, std::pair{-1, 3}, std::pair{3, 256}}) {
    auto u = original;
    ApplyBlackWhiteSwap(u.data(), b, w, true);
    EXPECT_EQ(u, original) << b << " " << w;
  }
}

}  // namespace
}  // namespace qor32
