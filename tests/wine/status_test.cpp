// Status pane: exact pixels of face, etched line and pane, the text and its
// clipping, fonts, and no GDI object left behind.
#include <windows.h>

#include <string>

#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr uint32_t kFace = 0xC0C0C0, kShadow = 0x808080, kWhite = 0xFFFFFF, kBlack = 0x000000;
const qt::Legend kLegend = {{'.', kFace}, {'d', kShadow}, {'w', kWhite}, {'k', kBlack}};

class StatusTest : public ::testing::Test {
 protected:
  // Each control gets its own row of the parent, so none paints over another.
  HWND Create(const char* text, int width = 120, int height = 24) {
    HWND w = parent.CreateChild(QOR32_STATUS_CLASS, text, WS_VISIBLE, 10, nextY, width, height, 7);
    nextY += height + 4;
    UpdateWindow(w);
    return w;
  }
  qt::ParentWindow parent{2100, 400, 0x0000FF};
  int nextY = 0;
};

// Counts black pixels in the rectangle.
int BlackPixels(HWND w, RECT r) {
  int n = 0;
  for (uint32_t p : qt::ReadPixels(w, r)) n += p == kBlack;
  return n;
}

TEST_F(StatusTest, FaceEtchedLineAndSunkenPane) {
  HWND w = Create("");
  // Client 120 x 24: etched rows 0 (dark) and 1 (white) across the full
  // width; pane P = (8, 4, 112, 22): dark top/left, white bottom/right,
  // corners (8, 22) and (112, 4) in face colour.
  EXPECT_TRUE(qt::PixelsMatch(w, 0, 0,
                              {"dddddddddddd",
                               "wwwwwwwwwwww",
                               "............",
                               "............",
                               "........dddd",
                               "........d...",
                               "........d..."},
                              kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 108, 0,
                              {"dddddddddddd",
                               "wwwwwwwwwwww",
                               "............",
                               "............",
                               "dddd........",
                               "....w.......",
                               "....w......."},
                              kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 6, 20,
                              {"..d.......",
                               "..d.......",
                               "...wwwwwww",
                               ".........."},
                              kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 106, 20, {"......w...", "......w...", "wwwwwww...", ".........."}, kLegend));
  // An empty text draws nothing inside the pane.
  EXPECT_EQ(BlackPixels(w, RECT{9, 5, 112, 22}), 0);
}

TEST_F(StatusTest, TextIsDrawnVerbatimAndClippedToItsRectangle) {
  HWND w = Create("W~&W");
  // Text rectangle (12, 5, 108, 21): black appears inside it only.
  EXPECT_GT(BlackPixels(w, RECT{12, 5, 108, 21}), 10);
  EXPECT_EQ(BlackPixels(w, RECT{0, 0, 120, 5}), 0);
  EXPECT_EQ(BlackPixels(w, RECT{0, 0, 12, 24}), 0);
  EXPECT_EQ(BlackPixels(w, RECT{0, 21, 120, 24}), 0);

  // '&' is shown as itself: same pixels as a control told "W~&W" by a
  // DrawText without prefix processing, and no underline under the second W.
  HWND prefixed = Create("W~W", 120, 24);
  EXPECT_GT(BlackPixels(w, RECT{12, 5, 108, 21}), BlackPixels(prefixed, RECT{12, 5, 108, 21}));
}

TEST_F(StatusTest, LongTextIsCutAtTheRightEdgeAndAt127Characters) {
  const std::string longText(200, 'W');
  HWND w = Create(longText.c_str(), 300, 24);
  EXPECT_EQ(BlackPixels(w, RECT{288, 0, 300, 24}), 0);  // right of the text rectangle
  // 127 characters of 'i' and then a wide 'W' beyond: the W never shows.
  std::string text(127, '.');
  text += "WWWWWWWWWW";
  HWND wide = Create(text.c_str(), 2000, 24);
  HWND shorter = Create(std::string(127, '.').c_str(), 2000, 24);
  EXPECT_EQ(qt::ReadPixels(wide, RECT{0, 0, 1000, 24}), qt::ReadPixels(shorter, RECT{0, 0, 1000, 24}));
}

TEST_F(StatusTest, SecondLineIsClippedAtTheBottom) {
  HWND one = Create("A");
  HWND two = Create("A\nA");
  // The control is only 24 high: the second line starts below the text
  // rectangle, so both look the same.
  EXPECT_EQ(qt::ReadClientPixels(one), qt::ReadClientPixels(two));
  HWND tall = Create("A\nA", 120, 60);
  EXPECT_GT(BlackPixels(tall, RECT{12, 5, 108, 57}), BlackPixels(one, RECT{12, 5, 108, 21}));
}

TEST_F(StatusTest, SetTextRepaintsWithTheNewText) {
  HWND w = Create("");
  EXPECT_EQ(BlackPixels(w, RECT{12, 5, 108, 21}), 0);
  SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hello"));
  UpdateWindow(w);
  EXPECT_GT(BlackPixels(w, RECT{12, 5, 108, 21}), 0);
  char buf[16];
  GetWindowTextA(w, buf, sizeof buf);
  EXPECT_STREQ(buf, "Hello");
}

TEST_F(StatusTest, FontSlotAndRepaintRule) {
  HWND w = Create("Wg");
  const auto defaultLook = qt::ReadClientPixels(w);
  HFONT big = CreateFontA(-18, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_NE(big, nullptr);

  // Low word of lParam 0: stored, not repainted.
  EXPECT_EQ(SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(big), 0), 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  EXPECT_EQ(GetWindowLongPtrA(w, QOR32_STATUS_FONT_OFFSET), reinterpret_cast<LONG_PTR>(big));
  EXPECT_EQ(SendMessageA(w, WM_GETFONT, 0, 0), 0);  // not answered by the control
  qt::Repaint(w);
  const auto bigLook = qt::ReadClientPixels(w);
  EXPECT_NE(bigLook, defaultLook);

  // wParam 0 with redraw: back to the default font at once.
  SendMessageA(w, WM_SETFONT, 0, MAKELPARAM(1, 0));
  EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
  UpdateWindow(w);
  EXPECT_EQ(qt::ReadClientPixels(w), defaultLook);
  DestroyWindow(w);
  DeleteObject(big);
}

TEST_F(StatusTest, ResizingRepaintsTheWholeControl) {
  HWND w = Create("");
  SetWindowPos(w, nullptr, 0, 0, 200, 30, SWP_NOMOVE | SWP_NOZORDER);
  UpdateWindow(w);
  // The pane follows: right edge at 200 - 8 = 192, bottom at 30 - 2 = 28.
  EXPECT_TRUE(qt::PixelsMatch(w, 190, 26, {"..w.", "..w.", "www.", "...."}, kLegend));
}

TEST_F(StatusTest, PaintsLeaveNoGdiObjectBehind) {
  HWND w = Create("Counting & painting");
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  qt::Repaint(w);
  const int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 1000; ++i) qt::Repaint(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
  DestroyWindow(w);
  DeleteObject(font);
}

}  // namespace
