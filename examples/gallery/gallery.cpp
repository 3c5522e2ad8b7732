// Gallery program: shows the controls in a dialog built from a template.
//
//   gallery.exe                      shows the dialog until it is closed
//   gallery.exe --screenshot F.png   shows it, writes a PNG of it and exits
//   gallery.exe --pictures DIR       shows it, writes DIR\<part>.png for each
//                                    part (the area of its controls) and exits
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <string>
#include <vector>

#include "gallery.h"
#include "gallery_ids.h"
#include "qor32cl.h"

namespace gallery {
namespace {

struct Part {
  const char* name;
  PartInit init;
};

std::vector<Part>& Parts() {
  static std::vector<Part> parts;
  return parts;
}

// Diagonal stripes behind the transparent controls, so that the parent's
// pixels can be seen around and through them.
void PaintPattern(HWND dialog, HDC dc) {
  RECT area = DialogUnits(dialog, GALLERY_PATTERN_X, GALLERY_PATTERN_Y, GALLERY_PATTERN_W,
                          GALLERY_PATTERN_H);
  HBRUSH light = CreateSolidBrush(RGB(0xE8, 0xE0, 0xC8));
  FillRect(dc, &area, light);
  DeleteObject(light);
  HPEN stripe = CreatePen(PS_SOLID, 3, RGB(0xB0, 0xC8, 0xE0));
  HGDIOBJ old = SelectObject(dc, stripe);
  HRGN clip = CreateRectRgnIndirect(&area);
  SelectClipRgn(dc, clip);
  const int height = area.bottom - area.top;
  for (int x = area.left - height; x < area.right; x += 12) {
    MoveToEx(dc, x, area.bottom, nullptr);
    LineTo(dc, x + height, area.top);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, old);
  DeleteObject(stripe);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      for (const Part& part : Parts()) part.init(dialog);
      return TRUE;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT rc;
      GetClientRect(dialog, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      PaintPattern(dialog, dc);
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

// Writes the dialog's client area, children included, as a PNG; with a
// crop rectangle (client coordinates), only that part of it.
bool WriteScreenshot(HWND dialog, const wchar_t* path, const RECT* crop = nullptr) {
  RECT rc;
  GetClientRect(dialog, &rc);
  if (crop != nullptr) IntersectRect(&rc, &rc, crop);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC windowDC = GetDC(dialog);
  HDC memDC = CreateCompatibleDC(windowDC);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(windowDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memDC, dib);
  BitBlt(memDC, 0, 0, width, height, windowDC, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  std::vector<BYTE> pixels(static_cast<BYTE*>(bits), static_cast<BYTE*>(bits) + width * height * 4);
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xFF;
  SelectObject(memDC, old);
  DeleteObject(dib);
  DeleteDC(memDC);
  ReleaseDC(dialog, windowDC);

  bool ok = false;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(path, GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(width, height))) {
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    ok = SUCCEEDED(frame->SetPixelFormat(&format)) &&
         IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
         SUCCEEDED(frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size()),
                                      pixels.data())) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  }
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  return ok;
}

// The parts' identifier ranges (gallery_ids.h), named as the pictures of
// the documentation.
struct PictureRange {
  const wchar_t* name;
  int base;
};
constexpr PictureRange kPictureRanges[] = {
    {L"status", IDC_STATUS_BASE},   {L"bitmap", IDC_BITMAP_BASE},   {L"slide", IDC_SLIDE_BASE},
    {L"matrix", IDC_MATRIX_BASE},   {L"selection", IDC_SELECTION_BASE}, {L"tab", IDC_TAB_BASE},
    {L"color", IDC_COLOR_BASE},     {L"pattern", IDC_PATTERN_BASE}, {L"preview", IDC_PREVIEW_BASE}};

// Writes one picture per part that has controls: the bounding box of the
// dialog's children in the part's identifier range, with a small margin.
bool WritePictures(HWND dialog, const std::wstring& folder) {
  bool ok = true;
  for (const PictureRange& range : kPictureRanges) {
    RECT box{};
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      if (id < range.base || id >= range.base + 100 || !IsWindowVisible(child)) continue;
      RECT rc;
      GetWindowRect(child, &rc);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
      UnionRect(&box, &box, &rc);
    }
    if (IsRectEmpty(&box)) continue;
    InflateRect(&box, 4, 4);
    ok = WriteScreenshot(dialog, (folder + L"\\" + range.name + L".png").c_str(), &box) && ok;
  }
  return ok;
}

}  // namespace

PartRegistrar::PartRegistrar(const char* name, PartInit init) { Parts().push_back(Part{name, init}); }

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
  RECT rc{x, y, x + width, y + height};
  MapDialogRect(dialog, &rc);
  return rc;
}

HWND CreateInDialog(HWND dialog, const char* className, const char* text, DWORD style, int x, int y,
                    int width, int height, int id, void* param) {
  const RECT rc = DialogUnits(dialog, x, y, width, height);
  return CreateWindowExA(0, className, text, style | WS_CHILD, rc.left, rc.top, rc.right - rc.left,
                         rc.bottom - rc.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), param);
}

}  // namespace gallery

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const wchar_t* screenshot = nullptr;
  const wchar_t* pictures = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (wcscmp(argv[i], L"--screenshot") == 0) screenshot = argv[i + 1];
    if (wcscmp(argv[i], L"--pictures") == 0) pictures = argv[i + 1];
  }

  // The dialog names the controls only by class, so nothing references the
  // library's exports: load it explicitly to register its classes.
  if (LoadLibraryA("QOR32CL.DLL") == nullptr) return 1;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_GALLERY), nullptr,
                                   gallery::DialogProc, 0);
  if (dialog == nullptr) return 1;
  ShowWindow(dialog, SW_SHOW);
  UpdateWindow(dialog);

  int result = 0;
  if (screenshot != nullptr || pictures != nullptr) {
    gallery::Pump(500);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gallery::Pump(200);
    if (screenshot != nullptr && !gallery::WriteScreenshot(dialog, screenshot)) result = 2;
    if (pictures != nullptr && !gallery::WritePictures(dialog, pictures)) result = 2;
    DestroyWindow(dialog);
  } else {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (!IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }
  CoUninitialize();
  LocalFree(argv);
  return result;
}
