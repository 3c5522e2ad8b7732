// The pickers part: a colour picker and a pattern picker, created with their
// creation records below the tab strip.
#include <windows.h>

#include "gallery.h"
#include "gallery_ids.h"
#include "qor32cl.h"

QOR32_GALLERY_PART(pickers) {
  // 20 palette colours, then the swatch well, the back and the front swatch.
  static const COLORREF colors[QOR32_COLOR_COUNT] = {
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192),
      RGB(128, 0, 0),     RGB(255, 0, 0),     RGB(128, 128, 0),   RGB(255, 255, 0),
      RGB(0, 128, 0),     RGB(0, 255, 0),     RGB(0, 128, 128),   RGB(0, 255, 255),
      RGB(0, 0, 128),     RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(255, 0, 255),
      RGB(255, 128, 64),  RGB(128, 64, 0),    RGB(64, 128, 255),  RGB(255, 192, 203),
      RGB(192, 192, 192), RGB(0, 0, 255),     RGB(255, 255, 0)};
  static const DWORD patterns[QOR32_PATTERN_COUNT] = {1750, 1751, 1752, 1753, 1754, 1755, 1756, 1757,
                                                      1758, 1759, 1760, 1761, 1762, 1763, 1764, 1765};
  gallery::CreateInDialog(dialog, QOR32_COLOR_CLASS, "", WS_VISIBLE | WS_TABSTOP, 5, 150, 52, 64,
                          IDC_COLOR_BASE, const_cast<COLORREF*>(colors));
  gallery::CreateInDialog(dialog, QOR32_PATTERN_CLASS, "", WS_VISIBLE | WS_TABSTOP, 65, 150, 52, 43,
                          IDC_PATTERN_BASE, const_cast<DWORD*>(patterns));
}
