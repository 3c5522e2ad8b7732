// Slide part: a two-axis pad with a transparent track, created from a
// SlideState record. Its track is composed over a capture of what the
// dialog shows under it, and the dialog is not painted yet at
// WM_INITDIALOG, so the pad is created once the dialog has painted.
#include <windows.h>

#include "gallery.h"
#include "gallery_ids.h"
#include "qor32cl.h"

namespace {

HWND g_slideDialog = nullptr;

void CALLBACK CreatePad(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  // The control keeps pointing at these names: they live as long as the
  // program.
  static SlideState record{};
  record.instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(g_slideDialog, GWLP_HINSTANCE));
  record.options = 0x36;  // four thumb bands, transparent, two track bands
  record.thumbNameRef = "GAL_SLD_DOT";
  record.trackNameRef = "GAL_SLD_PAD";
  record.maxX = record.maxY = 100;
  record.posX = 70;
  record.posY = 30;
  record.pageX = record.pageY = 10;
  gallery::CreateInDialog(g_slideDialog, QOR32_SLIDE_CLASS, "", WS_VISIBLE | WS_TABSTOP, 170, 32, 73,
                          55, IDC_SLIDE_BASE + 2, &record);
}

}  // namespace

QOR32_GALLERY_PART(slide) {
  g_slideDialog = dialog;
  // Timer messages come only once nothing is left to paint.
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CreatePad);
}
