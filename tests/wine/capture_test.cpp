// Background capture from a patterned parent and strip-band composition.
#include <windows.h>

#include <vector>

#include "controls/matrix/background_capture.h"
#include "support/test_support.h"

namespace {

// Parent pattern: every pixel differs from its neighbours, shifted by `shift`.
uint32_t Pattern(int x, int y, int shift) {
  return (uint32_t((x * 7 + shift) & 0xFF) << 16) | (uint32_t((y * 5 + shift) & 0xFF) << 8) |
         uint32_t((x + y) & 0xFF);
}

void PaintPattern(HDC dc, const RECT& rc, int shift) {
  const int w = rc.right, h = rc.bottom;
  std::vector<uint32_t> pixels(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[size_t(y) * w + x] = Pattern(x, y, shift);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
}

// A child that never paints, so the surface under it keeps the parent's pixels.
LRESULT CALLBACK SilentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    ValidateRect(hwnd, nullptr);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* SilentClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = SilentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Qor32TestSilent";
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  return "Qor32TestSilent";
}

// Pixels of a bitmap, top-down, 0xRRGGBB.
std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int* width, int* height) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  *width = bm.bmWidth;
  *height = bm.bmHeight;
  std::vector<uint32_t> pixels(size_t(bm.bmWidth) * bm.bmHeight);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// A 32-bit bitmap from a pixel function.
template <class F>
HBITMAP MakeBitmap(int width, int height, F pixel) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p[y * width + x] = pixel(x, y);
  return bitmap;
}

class CaptureTest : public ::testing::Test {
 protected:
  CaptureTest() {
    parent.paintBackground = [this](HDC dc, const RECT& rc) { PaintPattern(dc, rc, patternShift); };
    qt::Repaint(parent.hwnd());
  }
  HWND Child(int x, int y, int w, int h) {
    HWND child = parent.CreateChild(SilentClass(), "", WS_VISIBLE, x, y, w, h, 1);
    qt::Repaint(parent.hwnd());
    return child;
  }
  void ExpectCapture(HBITMAP bitmap, int px, int py, int w, int h, int patternSeed) {
    int bw = 0, bh = 0;
    const std::vector<uint32_t> pixels = BitmapPixels(bitmap, &bw, &bh);
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        mismatches += pixels[size_t(y) * bw + x] != Pattern(px + x, py + y, patternSeed);
    EXPECT_EQ(mismatches, 0) << "capture at (" << px << ", " << py << ")";
  }
  int patternShift = 0;
  qt::ParentWindow parent{200, 150};
};

TEST_F(CaptureTest, CopiesTheParentPixelsUnderTheClientArea) {
  const POINT offsets[] = {{0, 0}, {13, 7}, {150, 120}};
  for (const POINT& at : offsets) {
    HWND child = Child(at.x, at.y, 24, 16);
    HBITMAP bitmap = qor32::CaptureBackground(child, nullptr);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 24);
    EXPECT_EQ(bm.bmHeight, 16);
    ExpectCapture(bitmap, at.x, at.y, 24, 16, 0);
    DeleteObject(bitmap);
    DestroyWindow(child);
  }
}

TEST_F(CaptureTest, ClientOriginIsUsedForAChildWithABorder) {
  HWND child = Child(20, 30, 30, 20);
  SetWindowLongA(child, GWL_STYLE, GetWindowLongA(child, GWL_STYLE) | WS_BORDER);
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  qt::Repaint(parent.hwnd());
  HBITMAP bitmap = qor32::CaptureBackground(child, nullptr);
  ExpectCapture(bitmap, 21, 31, 28, 18, 0);
  DeleteObject(bitmap);
}

TEST_F(CaptureTest, RefillKeepsTheBitmapSize) {
  HWND child = Child(10, 10, 20, 12);
  HBITMAP bitmap = qor32::CaptureBackground(child, nullptr);
  ASSERT_NE(bitmap, nullptr);

  // Grown: the refill still holds 20 x 12, now from the new pattern.
  patternShift = 40;
  SetWindowPos(child, nullptr, 0, 0, 30, 18, SWP_NOMOVE | SWP_NOZORDER);
  qt::Repaint(parent.hwnd());
  EXPECT_EQ(qor32::CaptureBackground(child, bitmap), bitmap);
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 12);
  ExpectCapture(bitmap, 10, 10, 20, 12, 40);

  // Shrunk: only the part under the control is refilled; the rest keeps
  // the previous capture.
  patternShift = 80;
  SetWindowPos(child, nullptr, 0, 0, 8, 5, SWP_NOMOVE | SWP_NOZORDER);
  qt::Repaint(parent.hwnd());
  qor32::CaptureBackground(child, bitmap);
  int bw = 0, bh = 0;
  const std::vector<uint32_t> pixels = BitmapPixels(bitmap, &bw, &bh);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool refilled = x < 8 && y < 5;
      ASSERT_EQ(pixels[size_t(y) * bw + x], Pattern(10 + x, 10 + y, refilled ? 80 : 40)) << x << "," << y;
    }
  DeleteObject(bitmap);
}

class BandTest : public ::testing::Test {
 protected:
  // Draws into a 32-bit memory surface and returns its pixels.
  std::vector<uint32_t> Draw(HBITMAP strip, uint16_t mask, uint16_t image, int w, int h, HBITMAP background) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = MakeBitmap(w, h, [](int, int) { return 0x123456u; });
    HGDIOBJ old = SelectObject(dc, target);
    qor32::DrawStripBand(dc, strip, mask, image, w, h, background);
    SelectObject(dc, old);
    int bw = 0, bh = 0;
    std::vector<uint32_t> pixels = BitmapPixels(target, &bw, &bh);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
  }
};

// Strip of four 6 x 4 bands: 0 colour A, 1 colour B, 2 all white, 3 all black.
HBITMAP FourBands() {
  return MakeBitmap(6, 16, [](int x, int y) -> uint32_t {
    switch (y / 4) {
      case 0: return 0xFF0000u + uint32_t(x);
      case 1: return 0x00FF00u + uint32_t(y);
      case 2: return 0xFFFFFFu;
      default: return 0x000000u;
    }
  });
}

TEST_F(BandTest, OpaqueBandIgnoresTheMask) {
  HBITMAP strip = FourBands();
  const auto band0 = Draw(strip, 3, 0, 6, 4, nullptr);
  const auto band1 = Draw(strip, 0, 1, 6, 4, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(band0[y * 6 + x], 0xFF0000u + uint32_t(x));
      EXPECT_EQ(band1[y * 6 + x], 0x00FF00u + uint32_t(y + 4));
    }
  DeleteObject(strip);
}

TEST_F(BandTest, MaskedBandOverTheBackground) {
  HBITMAP strip = FourBands();
  HBITMAP background = MakeBitmap(6, 4, [](int x, int y) { return Pattern(x, y, 3); });
  // White mask with black image: exactly the background.
  const auto clear = Draw(strip, 2, 3, 6, 4, background);
  // Black mask: exactly the image band.
  const auto solid = Draw(strip, 3, 1, 6, 4, background);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(clear[y * 6 + x], Pattern(x, y, 3));
      EXPECT_EQ(solid[y * 6 + x], 0x00FF00u + uint32_t(y + 4));
    }
  DeleteObject(background);
  DeleteObject(strip);
}

TEST_F(BandTest, NothingIsLeftBehind) {
  HBITMAP strip = FourBands();
  HBITMAP background = MakeBitmap(6, 4, [](int, int) { return 0u; });
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = MakeBitmap(6, 4, [](int, int) { return 0u; });
  HGDIOBJ old = SelectObject(dc, target);
  qt::ParentWindow parent{100, 100};
  HWND child = parent.CreateChild("STATIC", "", WS_VISIBLE, 5, 5, 20, 20, 1);
  HBITMAP capture = qor32::CaptureBackground(child, nullptr);
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 500; ++i) {
    qor32::DrawStripBand(dc, strip, 2, 1, 6, 4, background);
    qor32::DrawStripBand(dc, strip, 2, 1, 6, 4, nullptr);
    qor32::CaptureBackground(child, capture);
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
  DeleteObject(capture);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  DeleteObject(background);
  DeleteObject(strip);
}

}  // namespace
