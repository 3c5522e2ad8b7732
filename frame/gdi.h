// Scoped GDI and USER resources. Every object a control creates for drawing
// is owned by one of these, and every selection is undone by scope, so that
// the select, restore, delete order holds by construction on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace qor32 {

// Owns a GDI object (pen, brush, bitmap, font, region, palette).
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H release() { return std::exchange(handle_, nullptr); }
  void reset(H handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;
using Palette = GdiObject<HPALETTE>;

inline Pen SolidPen(COLORREF color, int width = 1) {
  return Pen(CreatePen(PS_SOLID, width, color));
}
inline Brush SolidBrush(COLORREF color) { return Brush(CreateSolidBrush(color)); }

// Selects an object into a DC and selects the previous one back on exit.
// Declare it after the object it selects, so that it is deselected first.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

  // False when nothing was selected: a null object, or one the DC refused
  // (a bitmap that another DC holds).
  bool selected() const { return previous_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects a palette (as foreground or background palette) and realises it;
// on exit the previous palette is selected back as a background palette and
// realised. Nothing happens for a null palette.
//
// For painting, kOnPaletteDevices skips both realisations on a device
// without a palette (a true-colour display): there a realisation maps no
// colour and sends no message, and a foreground one still costs more than
// most of a paint. The palette messages, whose result is what the
// realisation changed, always realise.
class RealizedPalette {
 public:
  enum Realize { kAlways, kOnPaletteDevices };
  RealizedPalette(HDC dc, HPALETTE palette, bool background = false, Realize realize = kAlways)
      : dc_(dc), previous_(palette != nullptr ? SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr) {
    realize_ = previous_ != nullptr &&
               (realize == kAlways || (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0);
    if (realize_) {
      const UINT changed = RealizePalette(dc);
      changed_ = changed == GDI_ERROR ? 0 : changed;
    }
  }
  ~RealizedPalette() {
    if (previous_ != nullptr) {
      SelectPalette(dc_, previous_, TRUE);
      if (realize_) RealizePalette(dc_);
    }
  }
  RealizedPalette(const RealizedPalette&) = delete;
  RealizedPalette& operator=(const RealizedPalette&) = delete;
  // Entries the realisation changed in the system palette.
  UINT changed() const { return changed_; }

 private:
  HDC dc_;
  HPALETTE previous_;
  bool realize_ = false;
  UINT changed_ = 0;
};

class ScopedTextColor {
 public:
  ScopedTextColor(HDC dc, COLORREF color) : dc_(dc), previous_(SetTextColor(dc, color)) {}
  ~ScopedTextColor() { SetTextColor(dc_, previous_); }
  ScopedTextColor(const ScopedTextColor&) = delete;
  ScopedTextColor& operator=(const ScopedTextColor&) = delete;

 private:
  HDC dc_;
  COLORREF previous_;
};

class ScopedBkColor {
 public:
  ScopedBkColor(HDC dc, COLORREF color) : dc_(dc), previous_(SetBkColor(dc, color)) {}
  ~ScopedBkColor() { SetBkColor(dc_, previous_); }
  ScopedBkColor(const ScopedBkColor&) = delete;
  ScopedBkColor& operator=(const ScopedBkColor&) = delete;

 private:
  HDC dc_;
  COLORREF previous_;
};

class ScopedBkMode {
 public:
  ScopedBkMode(HDC dc, int mode) : dc_(dc), previous_(SetBkMode(dc, mode)) {}
  ~ScopedBkMode() { SetBkMode(dc_, previous_); }
  ScopedBkMode(const ScopedBkMode&) = delete;
  ScopedBkMode& operator=(const ScopedBkMode&) = delete;

 private:
  HDC dc_;
  int previous_;
};

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetDC / ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// SaveDC / RestoreDC, for clipping regions and mapping modes.
class ScopedSaveDC {
 public:
  explicit ScopedSaveDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedSaveDC() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
  }
  ScopedSaveDC(const ScopedSaveDC&) = delete;
  ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace qor32
