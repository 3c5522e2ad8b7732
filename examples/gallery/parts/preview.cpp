// Preview part: a landscape page with an inner area, a framed picture with
// a drop shadow and a caption, and both guide lines.
#include <windows.h>

#include <cstring>

#include "gallery.h"
#include "gallery_ids.h"
#include "qor32cl.h"

QOR32_GALLERY_PART(preview) {
  PreviewSettings s{};
  s.pageRect = RECT{0, 0, 3000, 1500};
  s.innerRect = RECT{150, 120, 2850, 1380};
  s.pictureRect = RECT{400, 220, 1700, 1060};
  s.pageColor = RGB(0xFF, 0xFF, 0xFF);
  s.innerColor = RGB(0xF4, 0xF0, 0xE0);
  s.frameColor = RGB(0x80, 0x40, 0x00);
  s.pictureShadowColor = RGB(0x50, 0x50, 0x50);
  s.pageShadowColor = RGB(0x40, 0x40, 0x40);
  s.guideColor = RGB(0x00, 0xA0, 0xFF);
  s.frameWidth = 25;
  s.shadowOffset = 50;
  s.options = PRVF_CAPTION | PRVF_HGUIDE | PRVF_VGUIDE | 12;
  std::strcpy(s.caption, "Fig. 1 - Hills at noon");
  gallery::CreateInDialog(dialog, QOR32_PREVIEW_CLASS, "GAL_PRV_PICTURE", WS_VISIBLE, 205, 130, 210, 128,
                          IDC_PREVIEW_BASE, &s);
}
