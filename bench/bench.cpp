// Side-by-side timings of the library's controls and their nearest system
// controls, in one process: each row times one operation on one of our
// controls, on its peer of the same size and, for repaints, on a "floor"
// window of that size whose WM_PAINT only blits a prepared bitmap. The three
// are run in alternating rounds; the table shows the median time per
// operation and the spread (the interquartile range) in microseconds.
//
// Usage: qor32_bench.exe [quick|trace] [text]
//   quick: fewer rounds, for a smoke run; text: only the rows whose name
//   contains it (the memory table is left out then).
//   trace: no timing; after the warm-up each operation runs once between
//   two OutputDebugStringA markers, so that a log of the wineserver requests
//   (WINEDEBUG=+server,+debugstr) shows what one operation costs in round
//   trips. scripts/bench.sh trace counts them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/bitmap/portable/bitmap_record.h"
#include "controls/pickers/picker_states.h"
#include "controls/preview/preview_state.h"
#include "qor32cl.h"

namespace {

// ---- timing ---------------------------------------------------------------

double g_ticksPerMicrosecond = 1.0;
int g_rounds = 31;
bool g_trace = false;
long g_notifications = 0;  // WM_COMMAND, WM_NOTIFY and scroll messages received
std::string g_filter;      // empty: every row

double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / g_ticksPerMicrosecond;
}

struct Stats {
  double median = 0, spread = 0;
  double perOpNotifications = 0;
};

// Times `op` in batches of `batch`; one untimed warm-up batch first.
class Sampler {
 public:
  Sampler(std::function<void()> op, int batch) : op_(std::move(op)), batch_(batch) {}
  void Warm() {
    for (int i = 0; i < batch_; ++i) op_();
  }
  void Once(const std::string& label) {
    OutputDebugStringA(("qor32-bench begin " + label + "\n").c_str());
    op_();
    OutputDebugStringA("qor32-bench end\n");
  }
  void Round() {
    const long before = g_notifications;
    const double t0 = Now();
    for (int i = 0; i < batch_; ++i) op_();
    samples_.push_back((Now() - t0) / batch_);
    notes_ += g_notifications - before;
    ops_ += batch_;
  }
  Stats Result() const {
    std::vector<double> s = samples_;
    std::sort(s.begin(), s.end());
    Stats r;
    if (s.empty()) return r;
    r.median = s[s.size() / 2];
    r.spread = s[s.size() * 3 / 4] - s[s.size() / 4];
    r.perOpNotifications = ops_ ? double(notes_) / double(ops_) : 0;
    return r;
  }

 private:
  std::function<void()> op_;
  int batch_;
  std::vector<double> samples_;
  long notes_ = 0, ops_ = 0;
};

struct Row {
  std::string name;
  Stats ours, peer, floor;
  bool hasPeer = true, hasFloor = false;
  bool showNotifications = false;
};
std::vector<Row> g_rows;

// Runs ours, the peer and the floor (when given) in alternating rounds.
void Measure(const std::string& name, std::function<void()> ours, std::function<void()> peer,
             std::function<void()> floor, int batch, bool showNotifications = false) {
  if (!g_filter.empty() && name.find(g_filter) == std::string::npos) return;
  std::vector<Sampler> samplers;
  samplers.emplace_back(ours, batch);
  if (peer) samplers.emplace_back(peer, batch);
  if (floor) samplers.emplace_back(floor, batch);
  for (Sampler& s : samplers) s.Warm();
  if (g_trace) {
    static const char* const kinds[] = {"ours", "peer", "floor"};
    for (size_t k = 0; k < samplers.size(); ++k)
      samplers[k].Once(name + " | " + kinds[k == 0 ? 0 : (peer && k == 1) ? 1 : 2]);
    return;
  }
  for (int r = 0; r < g_rounds; ++r)
    for (size_t k = 0; k < samplers.size(); ++k) samplers[(k + r) % samplers.size()].Round();
  Row row;
  row.name = name;
  row.ours = samplers[0].Result();
  row.hasPeer = bool(peer);
  if (peer) row.peer = samplers[1].Result();
  row.hasFloor = bool(floor);
  if (floor) row.floor = samplers.back().Result();
  row.showNotifications = showNotifications;
  g_rows.push_back(row);
  std::fprintf(stderr, ".");
}

// ---- windows ----------------------------------------------------------------

HINSTANCE g_instance;
HWND g_parent;
constexpr int kOursX = 0, kPeerX = 0, kFloorX = 520, kOursY = 0, kPeerY = 360;

// Colours of the owner-drawn STATIC cells (their GWLP_USERDATA).
COLORREF CellColor(int i) { return RGB(i * 11 & 0xFF, 255 - i * 9, i * 37 & 0xFF); }

// Draws an owner-drawn BUTTON cell from the grid bitmap in the host's
// user data (band 0, band 1 while pressed), or fills a STATIC cell.
void DrawItem(HWND host, const DRAWITEMSTRUCT& item) {
  if (item.CtlType == ODT_STATIC) {
    HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrA(item.hwndItem, GWLP_USERDATA)));
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    return;
  }
  HBITMAP grid = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(host, GWLP_USERDATA));
  if (!grid) return;
  BITMAP bm{};
  GetObjectA(grid, sizeof bm, &bm);
  RECT cell;
  GetWindowRect(item.hwndItem, &cell);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&cell), 2);
  const int band = (item.itemState & ODS_SELECTED) ? 1 : 0;
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(memory, grid);
  BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, memory, cell.left,
         band * bm.bmHeight / 4 + cell.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// The parent and the hosts of owner-drawn cells: count notifications.
LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      ++g_notifications;
      return 0;
    case WM_NOTIFY: {
      const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
      if (h->code == TCN_SELCHANGE) ++g_notifications;
      return 0;
    }
    case WM_DRAWITEM:
      DrawItem(hwnd, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// The floor: WM_PAINT blits a memory DC (user data) prepared at creation.
LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      HDC screen = GetDC(hwnd);
      HDC memory = CreateCompatibleDC(screen);
      HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
      ReleaseDC(hwnd, screen);
      SelectObject(memory, bitmap);
      PatBlt(memory, 0, 0, rc.right, rc.bottom, WHITENESS);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(memory));
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      BitBlt(dc, 0, 0, rc.right, rc.bottom, reinterpret_cast<HDC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)), 0, 0,
             SRCCOPY);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY: {
      HDC memory = reinterpret_cast<HDC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      HGDIOBJ bitmap = GetCurrentObject(memory, OBJ_BITMAP);
      DeleteDC(memory);
      DeleteObject(bitmap);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void RegisterClasses() {
  WNDCLASSA wc{};
  wc.hInstance = g_instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpfnWndProc = HostProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "BenchHost";
  RegisterClassA(&wc);
  wc.lpfnWndProc = FloorProc;
  wc.hbrBackground = nullptr;
  wc.lpszClassName = "BenchFloor";
  RegisterClassA(&wc);
}

HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
           int id = 100, void* param = nullptr) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : g_parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), g_instance, param);
}

SIZE ClientSize(HWND w) {
  RECT rc;
  GetClientRect(w, &rc);
  return SIZE{rc.right, rc.bottom};
}

// Invalidates (with erase) the window and its children and repaints at once.
void Repaint(HWND w) { RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

// The child windows of w, in z-order (creation order).
std::vector<HWND> Children(HWND w) {
  std::vector<HWND> list;
  for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
  return list;
}

void Click(HWND w, int x, int y) {
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  if (GetCapture() == w) ReleaseCapture();
  UpdateWindow(w);
}

// A floor window of the control's client size.
HWND Floor(SIZE s) { return Child("BenchFloor", "", 0, kFloorX, 0, s.cx, s.cy); }

// The floor of a control made of child windows: a floor window with a floor
// child in the place of each of the control's children, so that the floor
// goes through the repaint path as many times as the control does.
HWND FloorWithChildren(HWND control) {
  RECT rc;
  GetClientRect(control, &rc);
  HWND floor = Child("BenchFloor", "", WS_CLIPCHILDREN, kFloorX, 0, rc.right, rc.bottom);
  for (HWND c = GetWindow(control, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    GetWindowRect(c, &rc);
    MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&rc), 2);
    Child("BenchFloor", "", 0, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, floor);
  }
  return floor;
}

// Bytes allocated for a control's StateBlock (0 when none).
SIZE_T BlockSize(HWND w, int offset) {
  HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, offset));
  return block ? GlobalSize(block) : 0;
}

int ClassExtra(const char* cls) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, cls, &wc) && !GetClassInfoA(g_instance, cls, &wc) &&
      !GetClassInfoA(GetModuleHandleA("QOR32CL.DLL"), cls, &wc))
    return -1;
  return wc.cbWndExtra;
}

struct Memory {
  std::string name;
  const char* ourClass;
  SIZE_T block = 0, records = 0;
  std::string peer;
  int peerExtra = 0;
  SIZE_T images = 0;  // pictures of the painted window that a control keeps
};

// Bytes of the pixels of a bitmap (0 for none).
SIZE_T BitmapBytes(HBITMAP bitmap) {
  BITMAP bm{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof bm, &bm) == 0) return 0;
  return SIZE_T(bm.bmWidthBytes) * SIZE_T(bm.bmHeight);
}

// The painted image a control's state record keeps, read under its lock.
template <class State>
SIZE_T StateImageBytes(HWND w, qor32::PaintedImage State::*field) {
  HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, QOR32_STATE_OFFSET));
  SIZE_T bytes = 0;
  if (const auto* st = static_cast<const State*>(GlobalLock(block))) {
    bytes = BitmapBytes((st->*field).bitmap);
    GlobalUnlock(block);
  }
  return bytes;
}
std::vector<Memory> g_memory;

// ---- the pairs ----------------------------------------------------------------

// Our control and its peer, with whatever a row needs to operate them.
struct Pair {
  HWND ours = nullptr, peer = nullptr, floor = nullptr;
  void Destroy() {
    for (HWND w : {ours, peer, floor})
      if (w) DestroyWindow(w);
  }
};

void RepaintRow(const std::string& name, const Pair& p, int batch = 20) {
  Measure(name, [&] { Repaint(p.ours); }, [&] { Repaint(p.peer); }, [&] { Repaint(p.floor); }, batch);
}

constexpr char kSlideText[] = "~S 0 3 0 1 BENCH_THUMB BENCH_TRACK 0 0 50 0 100 0 10 0";

Pair MakeSlide() {
  Pair p;
  p.ours = Child(QOR32_SLIDE_CLASS, kSlideText, 0, kOursX, kOursY, 200, 20);
  const SIZE s = ClientSize(p.ours);
  p.peer = Child(TRACKBAR_CLASSA, "", TBS_HORZ | TBS_NOTICKS, kPeerX, kPeerY, s.cx, s.cy);
  SendMessageA(p.peer, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageA(p.peer, TBM_SETPAGESIZE, 0, 10);
  SendMessageA(p.peer, TBM_SETPOS, TRUE, 50);
  p.floor = Floor(s);
  return p;
}

// Where our slider's thumb is, from its public state record.
RECT SlideThumb(HWND w) {
  RECT r{};
  HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, QOR32_STATE_OFFSET));
  if (const SlideState* st = static_cast<const SlideState*>(GlobalLock(block))) {
    r = RECT{st->thumbX, st->thumbY, st->thumbX + st->thumbWidth, st->thumbY + st->thumbHeight};
    GlobalUnlock(block);
  }
  return r;
}

// Press on the thumb, move across the whole track in steps of 4 pixels and
// back, release; the window repaints after every move.
void Drag(HWND w, const RECT& thumb, int width) {
  const int y = (thumb.top + thumb.bottom) / 2;
  int x = (thumb.left + thumb.right) / 2;
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  UpdateWindow(w);
  for (int target : {width, 0, int(thumb.left + thumb.right) / 2}) {
    const int step = target > x ? 4 : -4;
    while ((step > 0 && x < target) || (step < 0 && x > target)) {
      x += step;
      SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
      UpdateWindow(w);
    }
  }
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  if (GetCapture() == w) ReleaseCapture();
  UpdateWindow(w);
}

void SlideRows(int part) {
  Pair p = MakeSlide();
  UpdateWindow(g_parent);
  const SIZE s = ClientSize(p.ours);
  if (part == 0) RepaintRow("Slide / trackbar: repaint", p);
  if (part == 1) {
    int k = 0, j = 0;
    Measure("Slide / trackbar: click on the track", [&] { Click(p.ours, (k++ & 1) ? s.cx / 4 : s.cx * 3 / 4, s.cy / 2); },
            [&] { Click(p.peer, (j++ & 1) ? s.cx / 4 : s.cx * 3 / 4, s.cy / 2); }, nullptr, 20, true);
  }
  if (part == 2) {
    int k = 0, j = 0;
    Measure("Slide / trackbar: SLDM_SETPOS / TBM_SETPOS",
            [&] {
              SendMessageA(p.ours, SLDM_SETPOS, 0, MAKELPARAM((k++ & 1) ? 20 : 80, 0));
              UpdateWindow(p.ours);
            },
            [&] {
              SendMessageA(p.peer, TBM_SETPOS, TRUE, (j++ & 1) ? 20 : 80);
              UpdateWindow(p.peer);
            },
            nullptr, 20);
  }
  if (part == 4) {
    RECT peerThumb;
    Measure("Slide / trackbar: drag across the track (one drag)", [&] { Drag(p.ours, SlideThumb(p.ours), s.cx); },
            [&] {
              SendMessageA(p.peer, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&peerThumb));
              Drag(p.peer, peerThumb, s.cx);
            },
            nullptr, 2, true);
  }
  if (part == 5) {
    Memory m{"Slide", QOR32_SLIDE_CLASS, BlockSize(p.ours, QOR32_STATE_OFFSET), 0, TRACKBAR_CLASSA, ClassExtra(TRACKBAR_CLASSA)};
    g_memory.push_back(m);
  }
  p.Destroy();
  if (part == 3) {
    Measure("Slide / trackbar: create + destroy",
            [&] { DestroyWindow(Child(QOR32_SLIDE_CLASS, kSlideText, 0, kOursX, kOursY, 200, 20)); },
            [&] {
              HWND t = Child(TRACKBAR_CLASSA, "", TBS_HORZ | TBS_NOTICKS, kPeerX, kPeerY, s.cx, s.cy);
              SendMessageA(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
              SendMessageA(t, TBM_SETPOS, TRUE, 50);
              DestroyWindow(t);
            },
            nullptr, 10);
  }
}

HWND MakePeerTab(SIZE s) {
  HWND t = Child(WC_TABCONTROLA, "", 0, kPeerX, kPeerY, s.cx, s.cy);
  const char* names[] = {"One", "Two", "Three"};
  for (int i = 0; i < 3; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(names[i]);
    SendMessageA(t, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  return t;
}

void TabRows(int part) {
  Pair p;
  p.ours = Child(QOR32_TAB_CLASS, "~Q3 BENCH_TAB3", 0, kOursX, kOursY, 171, 20);
  const SIZE s = ClientSize(p.ours);
  p.peer = MakePeerTab(s);
  p.floor = Floor(s);
  UpdateWindow(g_parent);
  if (part == 0) RepaintRow("Tab / SysTabControl32 (3 tabs): repaint", p);
  if (part == 1) {
    int k = 0, j = 0;
    Measure("Tab / SysTabControl32: click on the next tab",
            [&] {
              constexpr int centre[] = {30, 88, 143};  // of the three-tab layout
              Click(p.ours, centre[++k % 3], s.cy / 2);
            },
            [&] {
              RECT r;
              SendMessageA(p.peer, TCM_GETITEMRECT, ++j % 3, reinterpret_cast<LPARAM>(&r));
              Click(p.peer, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            },
            nullptr, 20, true);
  }
  if (part == 2) {
    int k = 0, j = 0;
    Measure("Tab / SysTabControl32: TABM_SETSEL / TCM_SETCURSEL",
            [&] {
              SendMessageA(p.ours, TABM_SETSEL, ++k % 3, 0);
              UpdateWindow(p.ours);
            },
            [&] {
              SendMessageA(p.peer, TCM_SETCURSEL, ++j % 3, 0);
              UpdateWindow(p.peer);
            },
            nullptr, 20);
  }
  if (part == 5) g_memory.push_back({"Tab", QOR32_TAB_CLASS, BlockSize(p.ours, QOR32_STATE_OFFSET), 0, WC_TABCONTROLA,
                                     ClassExtra(WC_TABCONTROLA)});
  p.Destroy();
  if (part == 3)
    Measure("Tab / SysTabControl32: create + destroy",
            [&] { DestroyWindow(Child(QOR32_TAB_CLASS, "~Q3 BENCH_TAB3", 0, kOursX, kOursY, 171, 20)); },
            [&] { DestroyWindow(MakePeerTab(s)); }, nullptr, 10);
}

constexpr char kPushText[] =
    "OK~B0,0,0,0,2,0,0,0~G4,4,0,0,0,0,0,1,BENCH_ICON~T0,22,0,0,0,0,0,37,0,0,0,0,0,0,128,128,128,OK";
constexpr char kCheckText[] =
    "Check~B0,0,0,0,2,0,0,0~I2,4,12,12,0,0,3,0,0,0,255,255,255,128,128,128"
    "~T0,18,0,0,0,0,0,36,0,0,0,0,0,0,128,128,128,Check";

// Records of a Bitmap control: its text records.
SIZE_T BitmapRecords(HWND w) {
  SIZE_T bytes = 0;
  HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, QOR32_BMP_STATE_OFFSET));
  if (const auto* st = static_cast<const qor32::bitmap::BitmapState*>(GlobalLock(block))) {
    for (auto h : st->textRecords)
      if (h) bytes += GlobalSize(reinterpret_cast<HGLOBAL>(h));
    GlobalUnlock(block);
  }
  return bytes;
}

void BitmapRows(int part, bool check) {
  const char* name = check ? "Bitmap check box / BS_AUTOCHECKBOX" : "Bitmap push / BUTTON push";
  const char* text = check ? kCheckText : kPushText;
  const DWORD ourStyle = check ? BMPS_CHECKBOX : BMPS_PUSHBUTTON;
  const DWORD peerStyle = check ? BS_AUTOCHECKBOX : BS_PUSHBUTTON;
  const int w = 100, h = 24;
  Pair p;
  p.ours = Child(QOR32_BITMAP_CLASS, text, ourStyle, kOursX, kOursY, w, h);
  p.peer = Child("BUTTON", check ? "Check" : "OK", peerStyle, kPeerX, kPeerY, w, h);
  p.floor = Floor(ClientSize(p.ours));
  UpdateWindow(g_parent);
  const std::string n = name;
  if (part == 0) RepaintRow(n + ": repaint", p);
  if (part == 1)
    Measure(n + ": click", [&] { Click(p.ours, w / 2, h / 2); }, [&] { Click(p.peer, w / 2, h / 2); }, nullptr,
            20, true);
  if (part == 4 && check) {
    Measure(n + ": invalidate without erase + UpdateWindow", [&] {
      InvalidateRect(p.ours, nullptr, FALSE);
      UpdateWindow(p.ours);
    },
            [&] {
              InvalidateRect(p.peer, nullptr, FALSE);
              UpdateWindow(p.peer);
            },
            [&] {
              InvalidateRect(p.floor, nullptr, FALSE);
              UpdateWindow(p.floor);
            },
            20);
  }
  if (part == 4 && !check) {
    // What each part of the push button adds: the same control with the
    // face only, and with face and image, against the full one.
    HWND face = Child(QOR32_BITMAP_CLASS, "~B0,0,0,0,2,0,0,0", 0, kOursX, kOursY + 40, w, h);
    HWND image = Child(QOR32_BITMAP_CLASS, "~B0,0,0,0,2,0,0,0~G4,4,0,0,0,0,0,1,BENCH_ICON", 0, kOursX, kOursY + 80, w, h);
    UpdateWindow(g_parent);
    Measure("Bitmap push, face + image + text / face only: repaint", [&] { Repaint(p.ours); }, [&] { Repaint(face); },
            nullptr, 20);
    Measure("Bitmap push, face + image / face only: repaint", [&] { Repaint(image); }, [&] { Repaint(face); },
            nullptr, 20);
    DestroyWindow(face);
    DestroyWindow(image);
  }
  if (part == 2 && check) {
    int k = 0, j = 0;
    Measure(n + ": BM_SETCHECK", [&] {
      SendMessageA(p.ours, BM_SETCHECK, ++k & 1, 0);
      UpdateWindow(p.ours);
    },
            [&] {
              SendMessageA(p.peer, BM_SETCHECK, ++j & 1, 0);
              UpdateWindow(p.peer);
            },
            nullptr, 20);
  }
  if (part == 5) g_memory.push_back({check ? "Bitmap (check box)" : "Bitmap (push)", QOR32_BITMAP_CLASS,
                                     BlockSize(p.ours, QOR32_BMP_STATE_OFFSET), BitmapRecords(p.ours), "BUTTON",
                                     ClassExtra("BUTTON")});
  if (part == 4 && !check) {
    // The parse: WM_SETTEXT of texts of 20, 100 and 255 characters (the
    // repaint it asks for is not timed); the peer takes the same text.
    for (size_t length : {20u, 100u, 255u}) {
      std::string t = "OK~B0,0,0,0,2,0,0,0";
      while (t.size() + 70 <= length) t += "~T1,22,0,0,0,0,0,37,0,0,0,0,0,0,128,128,128,Caption";
      if (t.size() < length) t += "~G4,4,0,0,0,0,0,1,BENCH_ICON";
      while (t.size() < length) t += "x";
      t.resize(length);
      const std::string label = "Bitmap push / BUTTON: WM_SETTEXT of " + std::to_string(length) + " characters";
      Measure(label,
              [&] { SendMessageA(p.ours, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str())); },
              [&] { SendMessageA(p.peer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.c_str())); }, nullptr, 20);
      ValidateRect(g_parent, nullptr);
      UpdateWindow(g_parent);
    }
  }
  p.Destroy();
  if (part == 3)
    Measure(n + ": create + destroy",
            [&] { DestroyWindow(Child(QOR32_BITMAP_CLASS, text, ourStyle, kOursX, kOursY, w, h)); },
            [&] { DestroyWindow(Child("BUTTON", check ? "Check" : "OK", peerStyle, kPeerX, kPeerY, w, h)); },
            nullptr, 10);
}

HWND MakePeerStatus(SIZE s) {
  HWND t = Child(STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, kPeerX, kPeerY, s.cx, s.cy);
  SendMessageA(t, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready for the next step"));
  return t;
}

void StatusRows(int part) {
  Pair p;
  p.ours = Child(QOR32_STATUS_CLASS, "Ready for the next step", 0, kOursX, kOursY, 400, 24);
  const SIZE s = ClientSize(p.ours);
  p.peer = MakePeerStatus(s);
  p.floor = Floor(s);
  UpdateWindow(g_parent);
  if (part == 0) RepaintRow("Status / msctls_statusbar32: repaint", p);
  if (part == 5) g_memory.push_back({"Status", QOR32_STATUS_CLASS, 0, 0, STATUSCLASSNAMEA, ClassExtra(STATUSCLASSNAMEA)});
  p.Destroy();
  if (part == 3)
    Measure("Status / msctls_statusbar32: create + destroy",
            [&] { DestroyWindow(Child(QOR32_STATUS_CLASS, "Ready for the next step", 0, kOursX, kOursY, 400, 24)); },
            [&] { DestroyWindow(MakePeerStatus(s)); }, nullptr, 10);
}

// A host of columns x rows owner-drawn buttons of 40 x 20 drawn from `grid`.
HWND MakeButtonHost(int columns, int rows, HBITMAP grid) {
  HWND host = Child("BenchHost", "", WS_CLIPCHILDREN, kPeerX, kPeerY, columns * 40, rows * 20);
  SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
  for (int i = 0; i < columns * rows; ++i)
    Child("BUTTON", "", BS_OWNERDRAW, (i % columns) * 40, (i / columns) * 20, 40, 20, host, 200 + i);
  return host;
}

std::string MatrixText(int columns, int rows) {
  return "~M 0 0 0 3 BENCH_GRID" + std::to_string(columns * rows) + " " + std::to_string(columns) + " " +
         std::to_string(rows) + " 0 0 3 3 0 0";
}

void MatrixRows(int part) {
  struct Grid { int columns, rows; };
  const Grid grids[] = {{4, 2}, {1, 1}, {2, 2}, {4, 4}, {8, 8}};
  for (const Grid& g : grids) {
    const bool main = g.columns * g.rows == 8;
    if (!main && part != 4) continue;
    const std::string bitmapName = "BENCH_GRID" + std::to_string(g.columns * g.rows);
    HBITMAP grid = LoadBitmapA(g_instance, bitmapName.c_str());
    const std::string text = MatrixText(g.columns, g.rows);
    Pair p;
    p.ours = Child(QOR32_MATRIX_CLASS, text.c_str(), 0, kOursX, kOursY, 10, 10, nullptr, 300);
    p.peer = MakeButtonHost(g.columns, g.rows, grid);
    p.floor = FloorWithChildren(p.ours);
    UpdateWindow(g_parent);
    const std::string cells = std::to_string(g.columns * g.rows) + " cells";
    if (main && part == 0) RepaintRow("Matrix 4 x 2 / 8 owner-drawn BUTTONs: repaint", p);
    if (!main && part == 4) RepaintRow("Matrix / owner-drawn BUTTONs: repaint, " + cells, p, 10);
    if (main && part == 4) {
      // The same grid with three bands: no mask, so each cell is one blit
      // instead of background, mask and image.
      HWND plain = Child(QOR32_MATRIX_CLASS, "~M 0 0 0 2 BENCH_GRID8N 4 2 0 0 3 3 0 0", 0, kOursX, kOursY + 100,
                         10, 10, nullptr, 320);
      UpdateWindow(plain);
      Measure("Matrix 4 x 2 with 4 bands (masked) / the same with 3 bands: repaint", [&] { Repaint(p.ours); },
              [&] { Repaint(plain); }, nullptr, 20);
      DestroyWindow(plain);
    }
    if (main && part == 1) {
      int k = 0, j = 0;
      const std::vector<HWND> ourCells = Children(p.ours), peerCells = Children(p.peer);
      Measure("Matrix / owner-drawn BUTTON: click on a cell",
              [&] { Click(ourCells[k++ % ourCells.size()], 5, 5); },
              [&] { Click(peerCells[j++ % peerCells.size()], 5, 5); }, nullptr, 20, true);
    }
    if (main && part == 5) {
      g_memory.push_back({"Matrix (8 cells)", QOR32_MATRIX_CLASS, BlockSize(p.ours, QOR32_STATE_OFFSET), 0, "BUTTON x 8",
                          8 * ClassExtra("BUTTON")});
    }
    p.Destroy();
    if (main && part == 3)
      Measure("Matrix / 8 owner-drawn BUTTONs: create + destroy",
              [&] { DestroyWindow(Child(QOR32_MATRIX_CLASS, text.c_str(), 0, kOursX, kOursY, 10, 10, nullptr, 300)); },
              [&] { DestroyWindow(MakeButtonHost(g.columns, g.rows, grid)); }, nullptr, 5);
    DeleteObject(grid);
  }
}

COLORREF g_colors[QOR32_COLOR_COUNT];

// 23 owner-drawn STATIC cells of 19 x 17 in rows of four, like the picker's.
HWND MakeStaticHost(SIZE s) {
  HWND host = Child("BenchHost", "", WS_CLIPCHILDREN, kPeerX, kPeerY, s.cx, s.cy);
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) {
    HWND c = Child("STATIC", "", SS_OWNERDRAW | SS_NOTIFY, 1 + (i % 4) * 19, 1 + (i / 4) * 17, 19, 17, host, 400 + i);
    SetWindowLongPtrA(c, GWLP_USERDATA, LONG_PTR(g_colors[i]));
  }
  return host;
}

void ColorRows(int part) {
  for (int i = 0; i < QOR32_COLOR_COUNT; ++i) g_colors[i] = CellColor(i);
  Pair p;
  p.ours = Child(QOR32_COLOR_CLASS, "", 0, kOursX, kOursY, 78, 104, nullptr, 100, g_colors);
  const SIZE s = ClientSize(p.ours);
  p.peer = MakeStaticHost(s);
  p.floor = Floor(s);
  UpdateWindow(g_parent);
  if (part == 0) RepaintRow("Color picker / 23 owner-drawn STATICs: repaint", p);
  if (part == 1) {
    int k = 0, j = 0;
    const std::vector<HWND> peerCells = Children(p.peer);
    Measure("Color picker / owner-drawn STATIC: click on a cell",
            [&] {
              const int i = k++ % 8;
              Click(p.ours, 10 + (i % 4) * 19, 9 + (i / 4) * 17);
            },
            [&] { Click(peerCells[j++ % 8], 5, 5); }, nullptr, 20, true);
  }
  if (part == 5) g_memory.push_back({"Color picker", QOR32_COLOR_CLASS, BlockSize(p.ours, QOR32_STATE_OFFSET), 0, "STATIC x 23",
                                     23 * ClassExtra("STATIC"),
                                     StateImageBytes(p.ours, &qor32::ColorPickerState::picture)});
  p.Destroy();
  if (part == 3)
    Measure("Color picker / 23 owner-drawn STATICs: create + destroy",
            [&] { DestroyWindow(Child(QOR32_COLOR_CLASS, "", 0, kOursX, kOursY, 78, 104, nullptr, 100, g_colors)); },
            [&] { DestroyWindow(MakeStaticHost(s)); }, nullptr, 5);
}

PreviewSettings g_preview;

HWND MakePeerPicture(SIZE s, HBITMAP picture) {
  HWND t = Child("STATIC", "", SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY, kPeerX, kPeerY, s.cx, s.cy);
  SendMessageA(t, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  SetWindowPos(t, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
  return t;
}

SIZE_T PreviewRecords(HWND w) {
  SIZE_T bytes = 0;
  HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(w, QOR32_STATE_OFFSET));
  if (const auto* st = static_cast<const qor32::PreviewState*>(GlobalLock(block))) {
    if (st->picture) bytes = GlobalSize(st->picture);
    GlobalUnlock(block);
  }
  return bytes;
}

void PreviewRows(int part) {
  g_preview = PreviewSettings{};
  g_preview.pageRect = RECT{0, 0, 100, 100};
  g_preview.innerRect = RECT{5, 5, 95, 95};
  g_preview.pictureRect = RECT{10, 10, 90, 90};
  g_preview.pageColor = RGB(255, 255, 224);
  g_preview.innerColor = RGB(224, 240, 255);
  g_preview.frameColor = RGB(192, 0, 0);
  g_preview.pictureShadowColor = RGB(64, 64, 64);
  g_preview.pageShadowColor = RGB(96, 96, 96);
  g_preview.frameWidth = 1;
  g_preview.shadowOffset = 2;
  HBITMAP picture = static_cast<HBITMAP>(LoadImageA(g_instance, "BENCH_PICTURE", IMAGE_BITMAP, 0, 0, 0));
  Pair p;
  p.ours = Child(QOR32_PREVIEW_CLASS, "BENCH_PICTURE", 0, kOursX, kOursY, 120, 120, nullptr, 100, &g_preview);
  const SIZE s = ClientSize(p.ours);
  p.peer = MakePeerPicture(s, picture);
  p.floor = Floor(s);
  UpdateWindow(g_parent);
  if (part == 0) RepaintRow("Preview / STATIC stretched bitmap: repaint", p);
  if (part == 1)
    Measure("Preview / STATIC (SS_NOTIFY): click", [&] { Click(p.ours, 60, 60); }, [&] { Click(p.peer, 60, 60); },
            nullptr, 20, true);
  if (part == 5) g_memory.push_back({"Preview", QOR32_PREVIEW_CLASS, BlockSize(p.ours, QOR32_STATE_OFFSET), PreviewRecords(p.ours),
                                     "STATIC", ClassExtra("STATIC"), StateImageBytes(p.ours, &qor32::PreviewState::image)});
  p.Destroy();
  if (part == 3)
    Measure("Preview / STATIC stretched bitmap: create + destroy",
            [&] {
              DestroyWindow(Child(QOR32_PREVIEW_CLASS, "BENCH_PICTURE", 0, kOursX, kOursY, 120, 120, nullptr, 100,
                                  &g_preview));
            },
            [&] { DestroyWindow(MakePeerPicture(s, picture)); }, nullptr, 5);
  DeleteObject(picture);
}

// ---- the table ------------------------------------------------------------------

void PrintTable() {
  std::printf("\n%-62s %9s %7s %9s %7s %7s %9s %7s\n", "operation (ours / peer)", "ours us", "+-", "peer us", "+-",
              "o/p", "floor us", "o/f");
  for (const Row& r : g_rows) {
    std::printf("%-62s %9.1f %7.1f", r.name.c_str(), r.ours.median, r.ours.spread);
    if (r.hasPeer)
      std::printf(" %9.1f %7.1f %7.2f", r.peer.median, r.peer.spread, r.ours.median / r.peer.median);
    else
      std::printf(" %9s %7s %7s", "-", "-", "-");
    if (r.hasFloor)
      std::printf(" %9.1f %7.2f", r.floor.median, r.ours.median / r.floor.median);
    if (r.showNotifications)
      std::printf("   notifications/op %.2f / %.2f", r.ours.perOpNotifications, r.peer.perOpNotifications);
    std::printf("\n");
  }
  if (!g_filter.empty()) return;
  std::printf("\n%-20s %11s %8s %8s %13s   %-19s %s\n", "memory (bytes)", "StateBlock", "records", "images",
              "window extra", "peer", "peer window extra");
  for (const Memory& m : g_memory)
    std::printf("%-20s %11zu %8zu %8zu %13d   %-19s %d\n", m.name.c_str(), size_t(m.block), size_t(m.records),
                size_t(m.images), ClassExtra(m.ourClass), m.peer.c_str(), m.peerExtra);
  std::printf("\n(+- is the interquartile range over %d rounds; o/p = ours / peer, o/f = ours / floor.\n"
              " images: the picture of the painted window a control keeps to repaint by copying (a 32-bit DIB section).\n"
              " Peers keep their state in comctl32/user32's own heap; only their window extra bytes are visible.)\n",
              g_rounds);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "quick") == 0) {
      g_rounds = 3;
    } else if (std::strcmp(argv[i], "trace") == 0) {
      g_trace = true;
    } else {
      g_filter = argv[i];
    }
  }
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  g_ticksPerMicrosecond = double(f.QuadPart) / 1e6;
  g_instance = GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // Referencing an export keeps the library loaded (it registers the classes).
  volatile WNDPROC keep = SlideWndProc;
  (void)keep;
  RegisterClasses();
  g_parent = CreateWindowExA(0, "BenchHost", "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 720,
                             nullptr, nullptr, g_instance, nullptr);
  // Rows in order: repaints, clicks, state messages, create + destroy,
  // scaling, memory.
  for (int part = 0; part < 6; ++part) {
    SlideRows(part);
    TabRows(part);
    BitmapRows(part, false);
    BitmapRows(part, true);
    StatusRows(part);
    MatrixRows(part);
    ColorRows(part);
    PreviewRows(part);
  }
  std::fprintf(stderr, "\n");
  if (!g_trace) PrintTable();
  DestroyWindow(g_parent);
  return 0;
}
