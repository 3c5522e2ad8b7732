// Qor32Preview: a miniature page with an inner area and a placed picture.
// Settings come from the creation record or PRVM_SETSETTINGS; the window
// text names the 8-bit picture resource, looked up in the modules of the
// control and its ancestors.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "controls/preview/portable/preview_layout.h"
#include "controls/preview/portable/preview_picture.h"
#include "controls/preview/preview_paint.h"
#include "controls/preview/preview_state.h"
#include "frame/allocation.h"
#include "frame/bitmap_lookup.h"
#include "frame/gdi.h"
#include "frame/library.h"
#include "frame/state_block.h"

namespace qor32 {
namespace {

constexpr int kNameChars = 32;  // the picture name is at most 31 characters
constexpr size_t kCaptionChars = sizeof(PreviewSettings::caption) - 1;
constexpr WORD kCaptionHeightMask = 0x00FF;
constexpr WORD kKeptOptionBit = 0x8000;  // not taken from a new record

PreviewSettings DefaultSettings() {
  PreviewSettings s{};
  s.pageColor = RGB(0xFF, 0xFF, 0xFF);
  s.innerColor = RGB(0xFF, 0xFF, 0xFF);
  s.frameColor = 0x800000;
  s.pictureShadowColor = 0x000080;
  s.pageShadowColor = 0x808080;
  s.guideColor = 0xFFFF00;
  return s;
}

// At most 33 characters, always terminated, the rest of the field zero.
void CopyCaption(char* dest, const char* source) {
  std::memset(dest, 0, kCaptionChars + 1);
  for (size_t i = 0; i < kCaptionChars && source[i] != '\0'; ++i) dest[i] = source[i];
}

void LayOut(HWND hwnd, PreviewSettings& s) {
  const auto height = EffectiveCaptionHeight(static_cast<uint8_t>(s.options & kCaptionHeightMask));
  s.options = static_cast<WORD>((s.options & ~kCaptionHeightMask) | height);
  RECT client{};
  GetClientRect(hwnd, &client);
  PreviewGeometry g = GeometryOf(s);
  LayoutPreview(g, client.right, client.bottom);
  s.pageRect = ToRect(g.page);
  s.innerRect = ToRect(g.inner);
  s.pictureRect = ToRect(g.picture);
  s.frameWidth = g.frameWidth;
  s.shadowOffset = g.shadowOffset;
}

void SetEntry(PALETTEENTRY& entry, COLORREF color) {
  entry = PALETTEENTRY{GetRValue(color), GetGValue(color), GetBValue(color), 0};
}

void SetFixedEntries(PreviewState& st) {
  SetEntry(st.logPalette.palPalEntry[0], st.settings.frameColor);
  SetEntry(st.logPalette.palPalEntry[1], st.settings.pictureShadowColor);
}

// Locks the control's copy of the picture for one use.
class PictureBytes {
 public:
  explicit PictureBytes(HGLOBAL handle)
      : handle_(handle), bytes_(handle ? static_cast<uint8_t*>(GlobalLock(handle)) : nullptr) {}
  ~PictureBytes() {
    if (bytes_ != nullptr) GlobalUnlock(handle_);
  }
  PictureBytes(const PictureBytes&) = delete;
  PictureBytes& operator=(const PictureBytes&) = delete;
  uint8_t* get() const { return bytes_; }

 private:
  HGLOBAL handle_;
  uint8_t* bytes_;
};

void ApplySwap(PreviewState& st) {
  if (st.blackIndex == st.whiteIndex || st.picture == nullptr) return;
  PictureBytes bytes(st.picture);
  PictureLayout layout{};
  if (!CheckPicture(bytes.get(), st.pictureSize, &layout)) return;
  ApplyBlackWhiteSwap(bytes.get() + layout.colorTableOffset, st.blackIndex, st.whiteIndex,
                      (st.settings.options & PRVF_SWAPBW) != 0);
}

// A new palette replaces the old one only if it could be created.
void RebuildPalette(PreviewState& st) {
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&st.logPalette));
  if (palette == nullptr) return;
  if (st.palette != nullptr) DeleteObject(st.palette);
  st.palette = palette;
}

void PaletteFromPicture(PreviewState& st) {
  PictureBytes bytes(st.picture);
  PictureLayout layout{};
  if (!CheckPicture(bytes.get(), st.pictureSize, &layout)) return;
  int32_t black = st.blackIndex;
  int32_t white = st.whiteIndex;
  ReadPictureColors(bytes.get() + layout.colorTableOffset,
                    reinterpret_cast<PaletteColor*>(&st.logPalette.palPalEntry[2]), black, white);
  st.blackIndex = black;
  st.whiteIndex = white;
  if (black != white) {
    ApplyBlackWhiteSwap(bytes.get() + layout.colorTableOffset, black, white,
                        (st.settings.options & PRVF_SWAPBW) != 0);
  }
  RebuildPalette(st);
}

void ReleasePicture(PreviewState& st) {
  if (st.picture != nullptr) GlobalFree(st.picture);
  st.picture = nullptr;
  st.pictureSize = 0;
}

// Copies the named bitmap resource of `owner`. A resource that is not a
// usable 8-bit picture is taken as no picture at all; one that cannot be
// loaded or copied leaves the previous picture in place.
void TakePicture(PreviewState& st, HINSTANCE owner, const char* name) {
  HRSRC info = FindResourceA(owner, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (info == nullptr) return;
  HGLOBAL resource = LoadResource(owner, info);
  if (resource == nullptr) return;
  const DWORD size = SizeofResource(owner, info);
  const auto* data = static_cast<const uint8_t*>(LockResource(resource));
  if (data == nullptr) {
    FreeResource(resource);
    return;
  }
  HGLOBAL copy = nullptr;
  if (CheckPicture(data, size, nullptr)) {
    copy = AllocateBlock(GMEM_MOVEABLE, size);
    if (copy == nullptr) {
      FreeResource(resource);
      return;
    }
    PictureBytes target(copy);
    std::memcpy(target.get(), data, size);
  }
  FreeResource(resource);
  ReleasePicture(st);
  st.picture = copy;
  st.pictureSize = copy != nullptr ? size : 0;
  if (copy != nullptr) PaletteFromPicture(st);
}

// Stores the current window text again, whole, so that WM_SETTEXT leaves
// the text as it was; returns the result of default processing.
LRESULT RestoreWindowText(HWND hwnd, WPARAM wParam, const char* name) {
  const int length = GetWindowTextLengthA(hwnd);
  std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<size_t>(length) + 1]);
  if (text == nullptr) return DefWindowProcA(hwnd, WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(name));
  GetWindowTextA(hwnd, text.get(), length + 1);
  return DefWindowProcA(hwnd, WM_SETTEXT, wParam, reinterpret_cast<LPARAM>(text.get()));
}

// At the end of creation and on WM_SETTEXT: the picture named by the
// window text is loaded again.
LRESULT LoadPicture(HWND hwnd, UINT message, WPARAM wParam) {
  char name[kNameChars] = {};
  GetWindowTextA(hwnd, name, kNameChars);
  const LRESULT result = message == WM_SETTEXT ? RestoreWindowText(hwnd, wParam, name) : 0;
  StateLock<PreviewState> st(hwnd, kStateOffset);
  if (!st) return result;
  SetFixedEntries(*st);
  if (HINSTANCE owner = FindResourceOwner(hwnd, name, reinterpret_cast<LPCSTR>(RT_BITMAP))) {
    TakePicture(*st, owner, name);
  }
  st->image.current = false;
  const RECT picture = st->settings.pictureRect;
  InvalidateRect(hwnd, &picture, FALSE);
  return result;
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
  if (HGLOBAL block = CreateStateBlock(hwnd, kStateOffset, sizeof(PreviewState))) {
    StateLock<PreviewState> st(block);
    if (st) {
      PreviewSettings& s = st->settings;
      if (cs != nullptr && cs->lpCreateParams != nullptr) {
        const auto* record = static_cast<const PreviewSettings*>(cs->lpCreateParams);
        std::memcpy(&s, record, offsetof(PreviewSettings, caption));
        CopyCaption(s.caption, record->caption);
      } else {
        s = DefaultSettings();
      }
      s.reservedRect = RECT{};
      st->logPalette.palVersion = kPaletteVersion;
      st->logPalette.palNumEntries = kPreviewPaletteEntries;
      LayOut(hwnd, s);
      CreatePreviewImage(hwnd, *st);
    }
  }
  LoadPicture(hwnd, WM_CREATE, 0);
  return 0;
}

LRESULT OnSetSettings(HWND hwnd, LPARAM lParam) {
  const auto* record = reinterpret_cast<const PreviewSettings*>(lParam);
  if (record == nullptr) return 0;
  StateLock<PreviewState> st(hwnd, kStateOffset);
  if (!st) return 0;
  PreviewSettings& s = st->settings;
  s.pageRect = record->pageRect;
  s.innerRect = record->innerRect;
  s.pictureRect = record->pictureRect;
  s.frameWidth = record->frameWidth;
  s.shadowOffset = record->shadowOffset;
  s.pageColor = record->pageColor;
  s.innerColor = record->innerColor;
  s.frameColor = record->frameColor;
  s.pictureShadowColor = record->pictureShadowColor;
  s.pageShadowColor = record->pageShadowColor;
  s.guideColor = record->guideColor;
  s.options = static_cast<WORD>((s.options & kKeptOptionBit) | (record->options & ~kKeptOptionBit));
  CopyCaption(s.caption, record->caption);
  LayOut(hwnd, s);
  SetFixedEntries(*st);
  ApplySwap(*st);
  RebuildPalette(*st);
  st->image.current = false;
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

void NotifyClick(HWND hwnd) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), PRVN_CLICK),
               WindowParam(hwnd));
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  if (!IsWindow(hwnd)) return 0;
  NotifyClick(hwnd);
  if (!IsWindow(hwnd)) return 0;
  return DefWindowProcA(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE) {
    NotifyClick(hwnd);
    if (!IsWindow(hwnd)) return 0;
  }
  return DefWindowProcA(hwnd, WM_KEYUP, wParam, lParam);
}

// Selects the palette as foreground palette and realises it, then puts the
// previous one back as background palette; repaints when entries changed.
LRESULT RealizeOwnPalette(HWND hwnd) {
  UINT realized = 0;
  {
    StateLock<PreviewState> st(hwnd, kStateOffset);
    WindowDC dc(hwnd);
    if (!dc) return 0;
    HPALETTE palette = st ? st->palette : nullptr;
    if (palette != nullptr) {
      RealizedPalette selection(dc.get(), palette);
      realized = selection.changed();
    } else {
      realized = RealizePalette(dc.get());  // the DC's own palette
      if (realized == GDI_ERROR) realized = 0;
    }
  }
  if (realized != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(realized);
}

LRESULT OnPaletteChanged(HWND hwnd, WPARAM wParam) {
  if (reinterpret_cast<HWND>(wParam) == hwnd) return 0;
  return RealizeOwnPalette(hwnd);
}

LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  {
    StateLock<PreviewState> st(hwnd, kStateOffset);
    if (st) {
      ReleasePicture(*st);
      ReleasePaintedImage(st->image);
      if (st->palette != nullptr) DeleteObject(st->palette);
      st->palette = nullptr;
    }
  }
  ReleaseStateBlock(hwnd, kStateOffset);
  return DefWindowProcA(hwnd, WM_DESTROY, wParam, lParam);
}

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK PreviewWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_SETTEXT: return LoadPicture(hwnd, WM_SETTEXT, wParam);
    case PRVM_SETSETTINGS: return OnSetSettings(hwnd, lParam);
    case WM_PAINT: return PaintPreview(hwnd);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, wParam, lParam);
    case WM_KEYUP: return OnKeyUp(hwnd, wParam, lParam);
    case WM_QUERYNEWPALETTE: return RealizeOwnPalette(hwnd);
    case WM_PALETTECHANGED: return OnPaletteChanged(hwnd, wParam);
    case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
