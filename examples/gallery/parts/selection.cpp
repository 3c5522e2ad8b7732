// Selection part: a group of three press-radio options with round lamps,
// created from SelectionItem records (a dialog template cannot pass them).
#include <windows.h>

#include "gallery.h"
#include "gallery_ids.h"
#include "qor32cl.h"

namespace {

// Option texts: flat light face, a round lamp (green when chosen) and a
// label. Sizes are pixels of each option's client area.
#define GALLERY_OPTION(label)                                                         \
  label "~B0,0,0,0,2,224,224,224~I4,5,12,12,0,0,0,0,176,0,255,255,255,160,160,160" \
        "~T0,22,0,0,0,0,0,36,0,0,0,0,0,0,128,128,128," label

}  // namespace

QOR32_GALLERY_PART(selection) {
  const RECT area = gallery::DialogUnits(dialog, 285, 82, 125, 40);
  const int width = area.right - area.left;
  const int rowHeight = (area.bottom - area.top) / 3;
  const SelectionItem items[] = {
      {GALLERY_OPTION("Portrait"), 0, 0, width, rowHeight - 1},
      {GALLERY_OPTION("Landscape"), 0, rowHeight, width, rowHeight - 1},
      {GALLERY_OPTION("Square"), 0, 2 * rowHeight, width, rowHeight - 1},
      {nullptr, 0, 0, 0, 0},
  };
  HWND group = gallery::CreateInDialog(dialog, QOR32_SELECTION_CLASS, "", WS_VISIBLE, 285, 82, 125, 40,
                                       IDC_SELECTION_BASE, const_cast<SelectionItem*>(items));
  SendMessageA(group, SELM_SETCHOICE, IDC_SELECTION_BASE + 1, 0);
}
