// Two UI threads, each with its own parent window and a control of every
// parsing class (Bitmap, Matrix, Slide, Tab), reconfigure them at the same
// time for a few seconds with control texts of their own. After every parse
// the control reports exactly what its own thread's text said: the reader's
// buffers and cursor are per thread, so two parses never mix.
//
// The Tab control reads its text once, at creation: it is made anew with
// the thread's next text every round.
#include <windows.h>

#include <cstdio>
#include <string>

#include "qor32cl.h"
#include "support/run_length.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 10;

// What one round of one thread sets; everything differs between the two
// threads and from round to round.
struct Round {
  int tag, index;

  // Bitmap: the lamp's shape and checked colour.
  int Shape() const { return 3 + tag * 2 + index % 2; }
  COLORREF LampColor() const { return RGB((tag * 100 + index) & 0xFF, (index * 7) & 0xFF, tag ? 200 : 50); }
  std::string BitmapText() const {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Thread %d caption %d~B0,0,0,0,%d,1,2,3~G0,0,0,0,0,0,0,1,STORM_STRIP"
                  "~T0,0,0,0,0,0,0,37,0,0,0,0,0,0,0,0,0,t%d~I2,2,10,10,0,0,%d,%d,%d,%d,0,0,0,0,0,0"
                  "~S2,20,50,4,0,0,0,1,2,3,4,5,6,7,8,9,%d~F1,1,8,8,0,0,0",
                  tag, index, tag, tag, Shape(), GetRValue(LampColor()), GetGValue(LampColor()), GetBValue(LampColor()),
                  index % 101);
    return text;
  }

  // Slide: the position.
  int X() const { return (tag * 500 + index) % 1000; }
  int Y() const { return (tag * 300 + 2 * index) % 1000; }
  std::string SlideText() const {
    return "~S0,0,0,0 STORM_STRIP STORM_STRIP 0,0," + std::to_string(X()) + "," + std::to_string(Y()) +
           ",1000,1000,10,10";
  }

  // Matrix: MTX_BANDS1 is 6 x 4, one band; the grid and the gaps size the
  // control, columns x w + (columns - 1) x gap by rows x h + (rows - 1) x gap.
  int Columns() const { return tag == 0 ? 1 + index % 2 : 3; }
  int Rows() const { return tag == 0 ? 2 : 1 + index % 2; }
  int Gap() const { return tag * 40 + index % 40; }
  SIZE MatrixSize() const {
    const int w = 6 / Columns(), h = 4 / Rows();
    return SIZE{Columns() * w + (Columns() - 1) * Gap(), Rows() * h + (Rows() - 1) * Gap()};
  }
  std::string MatrixText() const {
    return "~M0 0 0 0 MTX_BANDS1 " + std::to_string(Columns()) + " " + std::to_string(Rows()) + " " +
           std::to_string(Gap()) + " " + std::to_string(Gap()) + " 0 0 0 0";
  }

  // Tab: the layout and strip; the window takes one band's size.
  struct TabLayout {
    const char* text;
    int count;
    SIZE size;
  };
  TabLayout Tab() const {
    static const TabLayout layouts[2][2] = {
        {{"~Q2 TAB_STRIP2", 2, {171, 20}}, {"~Q3 TAB_STRIP3", 3, {171, 20}}},
        {{"~Q4 TAB_STRIP4", 4, {173, 23}}, {"~Q19 TAB_WIDE19", 3, {249, 23}}},
    };
    return layouts[tag][index % 2];
  }
};

SIZE ClientSize(HWND w) {
  RECT rc{};
  GetClientRect(w, &rc);
  return SIZE{rc.right, rc.bottom};
}

struct Job {
  int tag;
  HANDLE start;  // both threads begin together
  DWORD milliseconds;
  int rounds = 0;
  int parses = 0;
  int mismatches = 0;
  std::string firstMismatch;

  void Mismatch(const Round& round, const std::string& what) {
    if (mismatches++ == 0) firstMismatch = "round " + std::to_string(round.index) + ": " + what;
  }
};

void RunRound(Job& job, const Round& round, qt::ParentWindow& parent, HWND bitmap, HWND slide, HWND matrix) {
  const auto set = [](HWND w, const std::string& text) {
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  };

  set(bitmap, round.BitmapText());
  if (SendMessageA(bitmap, BMPM_GETINDICATORSHAPE, 0, 0) != round.Shape() ||
      static_cast<COLORREF>(SendMessageA(bitmap, BMPM_GETINDICATORCOLOR, 0, 0)) != round.LampColor())
    job.Mismatch(round, "the Bitmap control's lamp");

  set(slide, round.SlideText());
  if (static_cast<DWORD>(SendMessageA(slide, SLDM_GETPOS, 0, 0)) != static_cast<DWORD>(MAKELONG(round.X(), round.Y())))
    job.Mismatch(round, "the Slide control's position");

  set(matrix, round.MatrixText());
  const SIZE size = ClientSize(matrix), expected = round.MatrixSize();
  if (size.cx != expected.cx || size.cy != expected.cy ||
      GetDlgItem(matrix, kId + round.Columns() * round.Rows() - 1) == nullptr ||
      GetDlgItem(matrix, kId + round.Columns() * round.Rows()) != nullptr)
    job.Mismatch(round, "the Matrix control's grid");

  const Round::TabLayout layout = round.Tab();
  HWND tab = parent.CreateChild(QOR32_TAB_CLASS, layout.text, WS_VISIBLE, 0, 80, 10, 10, kId);
  const SIZE tabSize = ClientSize(tab);
  // The last tab can be selected, the one after it cannot.
  SendMessageA(tab, TABM_SETSEL, kId + layout.count - 1, 0);
  SendMessageA(tab, TABM_SETSEL, kId + layout.count, 0);
  if (tabSize.cx != layout.size.cx || tabSize.cy != layout.size.cy ||
      SendMessageA(tab, TABM_GETSEL, 0, 0) != kId + layout.count - 1)
    job.Mismatch(round, "the Tab control's layout");
  DestroyWindow(tab);
  job.parses += 4;
}

DWORD WINAPI ReconfigureLoop(void* argument) {
  auto& job = *static_cast<Job*>(argument);
  qt::ParentWindow parent(400, 120);
  HWND bitmap = parent.CreateChild(QOR32_BITMAP_CLASS, "", WS_VISIBLE, 0, 0, 60, 30, kId);
  HWND slide = parent.CreateChild(QOR32_SLIDE_CLASS, "", WS_VISIBLE, 70, 0, 60, 30, kId);
  HWND matrix = parent.CreateChild(QOR32_MATRIX_CLASS, "", WS_VISIBLE, 140, 0, 60, 30, kId);
  WaitForSingleObject(job.start, INFINITE);
  const DWORD begin = GetTickCount();
  while (GetTickCount() - begin < job.milliseconds) {
    RunRound(job, Round{job.tag, job.rounds}, parent, bitmap, slide, matrix);
    if (++job.rounds % 16 == 0) qt::PumpMessages();
  }
  DestroyWindow(matrix);
  DestroyWindow(slide);
  DestroyWindow(bitmap);
  return 0;
}

TEST(TwoThreadsTest, EveryControlKeepsExactlyItsOwnConfiguration) {
  { qt::ParentWindow registersTheParentClass(10, 10); }
  const DWORD milliseconds = 3000 * static_cast<DWORD>(qt::LongModeFactor());
  HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(start, nullptr);
  Job jobs[2] = {{0, start, milliseconds}, {1, start, milliseconds}};
  HANDLE threads[2];
  for (int t = 0; t < 2; ++t) {
    threads[t] = CreateThread(nullptr, 0, ReconfigureLoop, &jobs[t], 0, nullptr);
    ASSERT_NE(threads[t], nullptr);
  }
  SetEvent(start);
  WaitForMultipleObjects(2, threads, TRUE, INFINITE);
  for (int t = 0; t < 2; ++t) {
    CloseHandle(threads[t]);
    EXPECT_EQ(jobs[t].mismatches, 0) << "thread " << t << ", first in " << jobs[t].firstMismatch;
    EXPECT_GT(jobs[t].rounds, 0);
  }
  CloseHandle(start);
  std::printf("[ threads  ] 2 threads, 4 parsing classes, %d and %d parses in %lu ms each\n", jobs[0].parses,
              jobs[1].parses, static_cast<unsigned long>(milliseconds));
}

}  // namespace
