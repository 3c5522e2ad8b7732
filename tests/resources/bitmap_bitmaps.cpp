// Image strips for the Bitmap control's tests. Colours are chosen so that
// every band, and every pixel of a placed image, can be told apart.
#include "bmpgen.h"

namespace {
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
}  // namespace

// One asymmetric 6 x 4 image: its position and orientation show at a glance.
QOR32_BITMAP(BMP_ONE) {
  return bmpgen::FromAscii({"rrrrrg", "r....g", "r....g", "bbbbbb"},
                           {{'r', kRed}, {'g', kGreen}, {'b', kBlue}, {'.', kYellow}});
}

// Two 4 x 4 bands: red up, blue down.
QOR32_BITMAP(BMP_TWO) { return bmpgen::Stack({bmpgen::Image(4, 4, kRed), bmpgen::Image(4, 4, kBlue)}); }

// Three 6 x 6 bands: up and down images, black where the mask is white, and
// the mask (black = opaque).
QOR32_BITMAP(BMP_MASKED) {
  const std::initializer_list<const char*> shape = {"..##..", ".####.", "######", "######", ".####.", "..##.."};
  return bmpgen::Stack({bmpgen::FromAscii(shape, {{'.', kBlack}, {'#', kRed}}),
                        bmpgen::FromAscii(shape, {{'.', kBlack}, {'#', kBlue}}),
                        bmpgen::FromAscii(shape, {{'.', kWhite}, {'#', kBlack}})});
}

// Eight 4 x 4 bands, one colour per paint state.
QOR32_BITMAP(BMP_EIGHT) {
  return bmpgen::Stack({bmpgen::Image(4, 4, 0x100000), bmpgen::Image(4, 4, 0x200000),
                        bmpgen::Image(4, 4, 0x300000), bmpgen::Image(4, 4, 0x400000),
                        bmpgen::Image(4, 4, 0x500000), bmpgen::Image(4, 4, 0x600000),
                        bmpgen::Image(4, 4, 0x700000), bmpgen::Image(4, 4, 0x800000)});
}

// Fit: two bands each, the first red and the second blue, so a stretched copy
// shows which band it took.
QOR32_BITMAP(BMP_FIT_WIDE) { return bmpgen::Stack({bmpgen::Image(30, 6, kRed), bmpgen::Image(30, 6, kBlue)}); }
QOR32_BITMAP(BMP_FIT_TALL) { return bmpgen::Stack({bmpgen::Image(6, 30, kRed), bmpgen::Image(6, 30, kBlue)}); }
QOR32_BITMAP(BMP_FIT_BIG) { return bmpgen::Stack({bmpgen::Image(30, 30, kRed), bmpgen::Image(30, 30, kBlue)}); }

// Held under the literal name "HBITMAP=" (a handle of 0 looks it up).
QOR32_BITMAP(BMP_LITERAL) { return bmpgen::Image(3, 3, kGreen); }

// A bigger owned bitmap for the create-and-destroy cycles.
QOR32_BITMAP(BMP_CYCLE) { return bmpgen::Image(32, 32, kYellow); }
