// Library entry, class table, extra bytes, child destruction and the
// bitmap lookup chain across real modules.
#include <windows.h>

#include <string>
#include <vector>

#include "frame/bitmap_lookup.h"
#include "frame/dib_section.h"
#include "qor32cl.h"
#include "support/test_support.h"

namespace {

HMODULE Library() { return GetModuleHandleA("QOR32CL.DLL"); }

struct ClassRow {
  const char* name;
  const char* proc;
  UINT style;
  int extra;
};

const ClassRow kClasses[] = {
    {"Qor32Bitmap", "BitmapWndProc", 0x4003, QOR32_BMP_WNDEXTRA},
    {"Qor32Matrix", "MatrixWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
    {"Qor32Scroll", "SlideWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
    {"Qor32Tab", "TabWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
    {"Qor32Color", "ColorWndProc", 0x400B, QOR32_SLOT_WNDEXTRA},
    {"Qor32Pattern", "PatternWndProc", 0x400B, QOR32_SLOT_WNDEXTRA},
    {"Qor32Preview", "PreviewWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
    {"Qor32Selection", "SelectionWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
    {"Qor32Status", "StatusWndProc", 0x4003, QOR32_SLOT_WNDEXTRA},
};

TEST(ClassTable, AllNineRegisteredUnderTheLibraryInstance) {
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  for (const ClassRow& row : kClasses) {
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(Library(), row.name, &wc)) << row.name;
    EXPECT_EQ(wc.style, row.style) << row.name;
    EXPECT_EQ(wc.cbWndExtra, row.extra) << row.name;
    EXPECT_EQ(wc.cbClsExtra, 0) << row.name;
    EXPECT_EQ(wc.hCursor, arrow) << row.name;
    EXPECT_EQ(wc.hIcon, nullptr) << row.name;
    EXPECT_EQ(wc.hbrBackground, nullptr) << row.name;
    EXPECT_EQ(wc.lpszMenuName, nullptr) << row.name;
    HWND w = CreateWindowExA(0, row.name, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(w, GCLP_HMODULE)), Library()) << row.name;
    DestroyWindow(w);
    EXPECT_EQ(reinterpret_cast<FARPROC>(wc.lpfnWndProc), GetProcAddress(Library(), row.proc)) << row.name;
    // Global classes: found from any module.
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), row.name, &wc)) << row.name;
  }
}

TEST(ClassTable, ExportsAreReachableByOrdinal) {
  const char* names[] = {"BitmapWndProc",  "ColorWndProc",   "DllMain",          "EnumDestroyChildWnd",
                         "MatrixWndProc",  "PatternWndProc", "PreviewWndProc",   "SelectionWndProc",
                         "SlideWndProc",   "StatusWndProc",  "TabWndProc"};
  for (int ordinal = 1; ordinal <= 11; ++ordinal) {
    FARPROC byOrdinal = GetProcAddress(Library(), MAKEINTRESOURCEA(ordinal));
    ASSERT_NE(byOrdinal, nullptr) << ordinal;
    EXPECT_EQ(byOrdinal, GetProcAddress(Library(), names[ordinal - 1])) << names[ordinal - 1];
  }
}

// The extra bytes are zero when a window is created, before WM_CREATE.
HHOOK g_hook;
std::string g_extraSeen;
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    char name[32];
    GetClassNameA(hwnd, name, sizeof name);
    const int extra = GetClassLongA(hwnd, GCL_CBWNDEXTRA);
    bool allZero = true;
    for (int i = 0; i < extra; ++i)
      if ((GetWindowLongPtrA(hwnd, i) & 0xFF) != 0) allZero = false;
    g_extraSeen += std::string(name) + (allZero ? "=0 " : "=dirty ");
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST(ClassTable, ExtraBytesStartAtZero) {
  qt::ParentWindow parent;
  g_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  std::string expected;
  for (const ClassRow& row : kClasses) {
    HWND w = parent.CreateChild(row.name, "", 0, 0, 0, 10, 10, 1);
    expected += std::string(row.name) + "=0 ";
    if (w) DestroyWindow(w);
  }
  UnhookWindowsHookEx(g_hook);
  EXPECT_EQ(g_extraSeen, expected);
}

TEST(Entry, OtherReasonsRegisterNothing) {
  using Entry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
  auto entry = reinterpret_cast<Entry>(GetProcAddress(Library(), "DllMain"));
  ASSERT_NE(entry, nullptr);
  // A different instance with a non-attach reason changes nothing: the
  // classes stay registered under the library's own instance.
  EXPECT_TRUE(entry(GetModuleHandleA(nullptr), DLL_THREAD_ATTACH, nullptr));
  EXPECT_TRUE(entry(GetModuleHandleA(nullptr), DLL_PROCESS_DETACH, nullptr));
  HWND w = CreateWindowExA(0, "Qor32Status", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(w, GCLP_HMODULE)), Library());
  DestroyWindow(w);
}

DWORD RunProbe(const std::string& args) {
  std::string command = "\"" + qt::ModuleDirFile("load_probe.exe") + "\" " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0xFFFFFFFF;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(Entry, LoadsCleanlyInAFreshProcess) {
  EXPECT_EQ(RunProbe(""), 512u + 0x1FF);
}

TEST(Entry, FailedRegistrationFailsTheLoadAndKeepsTheFirstFour) {
  // Qor32Color is the fifth class: the load fails, the first four stay,
  // the last four are never attempted (the fifth is the probe's own).
  EXPECT_EQ(RunProbe("Qor32Color"), 0x0Fu);
}

TEST(EnumDestroyChildWnd, DestroysEveryChildWhateverTheValue) {
  qt::ParentWindow parent;
  for (int i = 0; i < 5; ++i) parent.CreateChild("STATIC", "x", WS_VISIBLE, i * 10, 0, 10, 10, i);
  HWND inner = GetDlgItem(parent.hwnd(), 2);
  CreateWindowExA(0, "STATIC", "grandchild", WS_CHILD, 0, 0, 5, 5, inner, nullptr, nullptr, nullptr);
  EnumChildWindows(parent.hwnd(), EnumDestroyChildWnd, 12345);
  EXPECT_EQ(GetWindow(parent.hwnd(), GW_CHILD), nullptr);
  EXPECT_TRUE(IsWindow(parent.hwnd()));
}

// ---- Bitmap lookup across modules ----------------------------------------

class Lookup : public ::testing::Test {
 protected:
  void SetUp() override {
    moduleA = LoadLibraryA("qres_a.dll");
    moduleB = LoadLibraryA("qres_b.dll");
    ASSERT_NE(moduleA, nullptr);
    ASSERT_NE(moduleB, nullptr);
    // grandparent (module B) > parent (module A) > control (test program)
    grand = CreateWindowExA(0, "STATIC", "g", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, moduleB, nullptr);
    parent = CreateWindowExA(0, "STATIC", "p", WS_CHILD, 0, 0, 40, 40, grand, nullptr, moduleA, nullptr);
    control = CreateWindowExA(0, "STATIC", "c", WS_CHILD, 0, 0, 30, 30, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    DestroyWindow(grand);
    FreeLibrary(moduleB);
    FreeLibrary(moduleA);
  }
  static int Width(HBITMAP bitmap) {
    if (bitmap == nullptr) return 0;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    DeleteObject(bitmap);
    return bm.bmWidth;
  }
  HMODULE moduleA = nullptr, moduleB = nullptr;
  HWND grand = nullptr, parent = nullptr, control = nullptr;
};

TEST_F(Lookup, SearchOrder) {
  HINSTANCE exe = GetModuleHandleA(nullptr);
  struct Case {
    HINSTANCE first;
    const char* name;
    int width;  // 4: the test program, 5: module A, 6: module B, 0: none
  } cases[] = {
      {exe, "SHARED", 4},          // the given instance comes first
      {moduleB, "SHARED", 6},
      {nullptr, "SHARED", 5},      // then the ancestors, parent first
      {nullptr, "INPARENT", 5},
      {exe, "GRAND", 6},           // found at the grandparent
      {moduleA, "INEXE", 0},       // the control's own module is not consulted
      {exe, "", 0},                // an empty name finds nothing
      {exe, "HBITMAP=", 0},
      {exe, std::string(100, 'N').c_str(), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Width(qor32::LoadNamedBitmap(control, c.first, c.name)), c.width) << c.name;
  }
}

TEST_F(Lookup, RootInstanceAndResourceOwner) {
  EXPECT_EQ(qor32::GetRootInstance(control), moduleB);
  EXPECT_EQ(qor32::GetRootInstance(grand), moduleB);
  // The chain starts at the window itself.
  EXPECT_EQ(qor32::FindResourceOwner(control, "PICTURE", MAKEINTRESOURCEA(10)), GetModuleHandleA(nullptr));
  EXPECT_EQ(qor32::FindResourceOwner(parent, "PICTURE", MAKEINTRESOURCEA(10)), moduleB);
  EXPECT_EQ(qor32::FindResourceOwner(control, "NOSUCH", MAKEINTRESOURCEA(10)), nullptr);
  EXPECT_EQ(qor32::FindResourceOwner(control, "INPARENT", MAKEINTRESOURCEA(2)), moduleA);
}

TEST(RefreshOrFocus, TakesTheFocusWithoutInvalidating) {
  qt::ParentWindow parent;
  HWND a = parent.CreateChild("STATIC", "a", WS_VISIBLE, 0, 0, 20, 20, 1);
  HWND b = parent.CreateChild("STATIC", "b", WS_VISIBLE, 30, 0, 20, 20, 2);
  SetFocus(a);
  UpdateWindow(b);
  EXPECT_TRUE(qor32::RefreshOrFocus(b, nullptr, true));
  EXPECT_EQ(GetFocus(), b);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(b, &update, FALSE));
  // With the focus: invalidated and repainted at once.
  EXPECT_TRUE(qor32::RefreshOrFocus(b, nullptr, true));
  EXPECT_FALSE(GetUpdateRect(b, &update, FALSE));
}

// Pixels of a bitmap as 32-bit values, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return pixels;
}

TEST(DibSection, DeviceBitmapsBecomeSectionsWithTheSamePixels) {
  constexpr int kWidth = 5, kHeight = 3;
  std::vector<uint32_t> pattern;
  for (int i = 0; i < kWidth * kHeight; ++i) pattern.push_back(0x010203u * uint32_t(i + 1) ^ uint32_t(i << 20));
  HDC screen = GetDC(nullptr);
  HBITMAP device = CreateCompatibleBitmap(screen, kWidth, kHeight);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ASSERT_EQ(SetDIBits(screen, device, 0, kHeight, pattern.data(), &bi, DIB_RGB_COLORS), kHeight);
  ReleaseDC(nullptr, screen);
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(device, sizeof bm, &bm), int(sizeof bm));
  ASSERT_EQ(bm.bmBitsPixel, 32);  // the display of the tests

  const int before = qt::GdiCounter::LiveObjects();
  HBITMAP section = qor32::ToDibSection(device);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);  // the original is gone
  ASSERT_NE(section, device);
  DIBSECTION ds{};
  EXPECT_EQ(GetObjectA(section, sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidth, kWidth);
  EXPECT_EQ(ds.dsBm.bmHeight, kHeight);
  EXPECT_EQ(Pixels(section, kWidth, kHeight), pattern);
  // Already a section, monochrome, or nothing: returned as they are.
  HBITMAP mono = CreateBitmap(4, 4, 1, 1, nullptr);
  for (HBITMAP keep : {section, mono, static_cast<HBITMAP>(nullptr)}) EXPECT_EQ(qor32::ToDibSection(keep), keep);
  DeleteObject(mono);
  DeleteObject(section);

  EXPECT_EQ(qor32::CreateDibSection32(0, 4), nullptr);
  HBITMAP blank = qor32::CreateDibSection32(3, 2);
  ASSERT_EQ(GetObjectA(blank, sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(Pixels(blank, 3, 2), std::vector<uint32_t>(6, 0));
  DeleteObject(blank);
}

}  // namespace

namespace {

// A window handle has 32 significant bits; the upper half of a 64-bit
// handle is their sign. A window procedure may be called with either
// extension (Wine passes zero-extended handles), and every notification
// must still name the control by the handle its creator holds.
HWND OtherExtension(HWND hwnd) {
  return reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(hwnd) ^ (~uintptr_t(0) << 31 << 1));
}

struct NotifyingCall {
  const char* className;
  void* record;
  UINT message;
  WPARAM wParam;
};

TEST(Notifications, NameTheControlByTheHandleItsCreatorHolds) {
  static COLORREF colors[QOR32_COLOR_COUNT] = {};
  static DWORD patterns[QOR32_PATTERN_COUNT] = {};
  static PreviewSettings settings = {};
  const NotifyingCall calls[] = {
      {QOR32_BITMAP_CLASS, nullptr, BMPM_CLICK, 0},          // BMPN_CLICK
      {QOR32_MATRIX_CLASS, nullptr, WM_COMMAND, 0x1234},     // a cell's notification, forwarded
      {QOR32_MATRIX_CLASS, nullptr, WM_TIMER, 1},            // MTXN_REPEAT
      {QOR32_COLOR_CLASS, colors, WM_KEYUP, VK_SPACE},       // CLRN_CLICK
      {QOR32_PATTERN_CLASS, patterns, WM_KEYUP, VK_SPACE},   // PATN_CLICK
      {QOR32_PREVIEW_CLASS, &settings, WM_KEYUP, VK_SPACE},  // PRVN_CLICK
  };
  qt::ParentWindow parent;
  for (const NotifyingCall& call : calls) {
    SCOPED_TRACE(call.className);
    HWND w = parent.CreateChild(call.className, "", WS_VISIBLE, 0, 0, 40, 40, 300, call.record);
    ASSERT_NE(w, nullptr);
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(w, GCLP_WNDPROC));
    for (HWND form : {w, OtherExtension(w)}) {
      parent.commands.clear();
      CallWindowProcA(proc, form, call.message, call.wParam, 0);
      ASSERT_EQ(parent.commands.size(), 1u);
      EXPECT_EQ(parent.commands[0].lParam, reinterpret_cast<LPARAM>(w));
    }
    DestroyWindow(w);
  }
}

}  // namespace
