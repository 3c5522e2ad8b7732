// Gallery art of the bitmap part: a 16 x 16 folder in three bands (up, down,
// mask). Outside the folder the mask is white and the images black, so the
// button face shows around it.
#include "bmpgen.h"

namespace {

const std::initializer_list<const char*> kFolder = {
    "................",
    "................",
    ".oooo...........",
    "oyyyyo..........",
    "oyyyyyoooooooo..",
    "oyhhhhhhhhhhhyo.",
    "oyhyyyyyyyyyyyo.",
    "oyhyyyyyyyyyyyo.",
    "oyhyyyyyyyyyyyo.",
    "oyhyyyyyyyyyyyo.",
    "oyhyyyyyyyyyyyo.",
    "oyhyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    ".oooooooooooooo.",
    "................",
    "................",
};

}  // namespace

QOR32_BITMAP(GAL_BMP_FOLDER) {
  constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;
  return bmpgen::Stack({
      bmpgen::FromAscii(kFolder, {{'.', kBlack}, {'o', 0x806000}, {'y', 0xE8C040}, {'h', 0xFFF0A0}}),
      bmpgen::FromAscii(kFolder, {{'.', kBlack}, {'o', 0x604000}, {'y', 0xF8D860}, {'h', 0xFFFFFF}}),
      bmpgen::FromAscii(kFolder, {{'.', kWhite}, {'o', kBlack}, {'y', kBlack}, {'h', kBlack}}),
  });
}
