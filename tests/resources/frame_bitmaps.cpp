// Bitmaps for the lookup tests: each module holds a differently sized
// bitmap under the shared names, so a test can tell where one came from.
#include "bmpgen.h"

QOR32_BITMAP(LOOKUP_EXE_4x1) { return bmpgen::Image(4, 1, 0xFF0000); }
QOR32_BITMAP(LOOKUP_A_5x1) { return bmpgen::Image(5, 1, 0x00FF00); }
QOR32_BITMAP(LOOKUP_B_6x1) { return bmpgen::Image(6, 1, 0x0000FF); }
