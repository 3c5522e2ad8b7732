// Qor32Status: a light grey strip with an etched top line and a sunken pane
// showing the window text verbatim. No StateBlock: the only state is the
// window text and the font slot.
#include <windows.h>

#include "frame/gdi.h"
#include "frame/library.h"

namespace qor32 {
namespace {

constexpr COLORREF kFace = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kShadow = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kHighlight = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr int kTextChars = 128;  // at most 127 characters are shown

RECT ClientRect(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  return rc;
}

RECT TextBand(const RECT& c) { return RECT{c.left + 12, c.top + 4, c.right - 12, c.bottom - 4}; }
RECT TextRect(const RECT& c) { return RECT{c.left + 12, c.top + 5, c.right - 12, c.bottom - 3}; }
RECT Pane(const RECT& c) { return RECT{c.left + 8, c.top + 4, c.right - 8, c.bottom - 2}; }

HFONT StoredFont(HWND hwnd) {
  return reinterpret_cast<HFONT>(GetWindowLongPtrA(hwnd, kStatusFontOffset));
}

LRESULT OnCreate(HWND hwnd) {
  SetWindowLongPtrA(hwnd, kStatusFontOffset, 0);
  return 0;
}

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const RECT band = TextBand(ClientRect(hwnd));
  InvalidateRect(hwnd, &band, TRUE);
  return DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrA(hwnd, kStatusFontOffset, static_cast<LONG_PTR>(wParam));
  if (LOWORD(lParam) != 0) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

// Face, etched top line and sunken pane.
LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
  const RECT c = ClientRect(hwnd);
  const RECT p = Pane(c);
  Brush faceBrush = SolidBrush(kFace);
  ScopedSelect brushSelection(dc, faceBrush.get());
  {
    Pen facePen = SolidPen(kFace);
    ScopedSelect selection(dc, facePen.get());
    Rectangle(dc, c.left, c.top, c.right, c.bottom);
  }
  {
    Pen whitePen = SolidPen(kHighlight);
    ScopedSelect selection(dc, whitePen.get());
    MoveToEx(dc, c.left, c.top + 1, nullptr);
    LineTo(dc, c.right, c.top + 1);
  }
  {
    Pen greyPen = SolidPen(kShadow);
    ScopedSelect selection(dc, greyPen.get());
    MoveToEx(dc, c.left, c.top, nullptr);
    LineTo(dc, c.right, c.top);
    MoveToEx(dc, p.right - 1, p.top, nullptr);
    LineTo(dc, p.left, p.top);
    LineTo(dc, p.left, p.bottom);
  }
  {
    Pen whitePen = SolidPen(kHighlight);
    ScopedSelect selection(dc, whitePen.get());
    MoveToEx(dc, p.left + 1, p.bottom, nullptr);
    LineTo(dc, p.right, p.bottom);
    LineTo(dc, p.right, p.top);
  }
  return 1;
}

LRESULT OnPaint(HWND hwnd) {
  PaintScope paint(hwnd);
  HDC dc = paint.dc();
  ScopedTextColor textColor(dc, kText);
  ScopedSelect fontSelection(dc, StoredFont(hwnd));
  char text[kTextChars];
  const int length = GetWindowTextA(hwnd, text, kTextChars);
  ScopedBkMode bkMode(dc, TRANSPARENT);
  RECT rect = TextRect(ClientRect(hwnd));
  DrawTextA(dc, text, length, &rect, DT_NOPREFIX);
  return 0;
}

}  // namespace
}  // namespace qor32

extern "C" LRESULT CALLBACK StatusWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace qor32;
  switch (message) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_SETTEXT: return OnSetText(hwnd, wParam, lParam);
    case WM_SETFONT: return OnSetFont(hwnd, wParam, lParam);
    case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: return OnPaint(hwnd);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
