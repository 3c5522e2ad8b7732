#include "bmpgen.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace bmpgen {

std::map<std::string, Generator>& Registry() {
  static std::map<std::string, Generator> registry;
  return registry;
}

Image FromAscii(std::initializer_list<const char*> rows,
                std::initializer_list<std::pair<char, uint32_t>> legend) {
  std::map<char, uint32_t> map(legend.begin(), legend.end());
  Image image(int(std::strlen(*rows.begin())), int(rows.size()));
  int y = 0;
  for (const char* row : rows) {
    if (int(std::strlen(row)) != image.width) throw std::runtime_error("ragged ascii image");
    for (int x = 0; x < image.width; ++x) image.at(x, y) = map.at(row[x]);
    ++y;
  }
  return image;
}

Image Stack(std::initializer_list<Image> bands) {
  Image out(bands.begin()->width, 0);
  out.palette = bands.begin()->palette;
  for (const Image& band : bands) {
    if (band.width != out.width) throw std::runtime_error("bands differ in width");
    out.pixels.insert(out.pixels.end(), band.pixels.begin(), band.pixels.end());
    out.height += band.height;
  }
  return out;
}

namespace {

int BitsPerPixel(const Image& image) {
  const bool indexed = !image.palette.empty();
  const int bpp = image.depth != 0 ? image.depth : indexed ? 8 : 24;
  const bool valid = indexed ? (bpp == 1 || bpp == 4 || bpp == 8) && image.palette.size() <= (1u << bpp)
                             : bpp == 24 || bpp == 32;
  if (!valid) throw std::runtime_error("unsupported depth for this image");
  return bpp;
}

// One row of pixels at the given depth, padded to whole 32-bit words.
void PutRow(std::vector<uint8_t>& v, const Image& image, int y, int bpp, int stride) {
  const size_t start = v.size();
  uint32_t pending = 0;  // indexed pixels of less than a byte, MSB first
  int pendingBits = 0;
  for (int x = 0; x < image.width; ++x) {
    const uint32_t p = image.pixels[size_t(y) * image.width + x];
    if (bpp < 8) {
      pending = (pending << bpp) | (p & ((1u << bpp) - 1));
      pendingBits += bpp;
      if (pendingBits == 8) {
        v.push_back(uint8_t(pending));
        pending = 0;
        pendingBits = 0;
      }
    } else if (bpp == 8) {
      v.push_back(uint8_t(p));
    } else {
      v.push_back(p & 0xFF);
      v.push_back((p >> 8) & 0xFF);
      v.push_back((p >> 16) & 0xFF);
      if (bpp == 32) v.push_back(0);
    }
  }
  if (pendingBits != 0) v.push_back(uint8_t(pending << (8 - pendingBits)));
  while (v.size() - start < size_t(stride)) v.push_back(0);
}

std::vector<uint8_t> Encode(const Image& image) {
  if (!image.raw.empty()) return image.raw;
  const bool indexed = !image.palette.empty();
  const int bpp = BitsPerPixel(image);
  const int stride = ((image.width * bpp + 7) / 8 + 3) & ~3;
  const uint32_t colors = indexed ? uint32_t(image.palette.size()) : 0;
  const uint32_t offset = 14 + 40 + colors * 4;
  const uint32_t size = offset + uint32_t(stride) * image.height;
  std::vector<uint8_t> v;
  v.push_back('B');
  v.push_back('M');
  Put32(v, size);
  Put32(v, 0);
  Put32(v, offset);
  Put32(v, 40);
  Put32(v, uint32_t(image.width));
  Put32(v, uint32_t(image.height));
  Put16(v, 1);
  Put16(v, uint32_t(bpp));
  Put32(v, 0);  // BI_RGB
  Put32(v, uint32_t(stride) * image.height);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, colors);
  Put32(v, 0);
  for (uint32_t c : image.palette) {
    v.push_back(c & 0xFF);
    v.push_back((c >> 8) & 0xFF);
    v.push_back((c >> 16) & 0xFF);
    v.push_back(0);
  }
  for (int y = image.height - 1; y >= 0; --y) PutRow(v, image, y, bpp, stride);  // bottom-up rows
  return v;
}

}  // namespace
}  // namespace bmpgen

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bmpgen OUTPUT-FOLDER\n");
    return 2;
  }
  for (auto& [name, generate] : bmpgen::Registry()) {
    const std::string path = std::string(argv[1]) + "/" + name + ".bmp";
    const std::vector<uint8_t> data = bmpgen::Encode(generate());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(data.data(), 1, data.size(), f) != data.size()) {
      std::fprintf(stderr, "bmpgen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::fclose(f);
  }
  return 0;
}
