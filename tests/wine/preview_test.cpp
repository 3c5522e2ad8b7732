// Page preview: the laid-out page, inner area, frame and shadow bands as
// exact pixels; the picture with its colours, the black and white swap,
// broken pictures shown as white; settings, reloading, notifications,
// palette messages and no GDI object left behind.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/preview/preview_state.h"
#include "frame/state_block.h"
#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr uint32_t kBackground = 0x008080;  // COLORREF 0x808000
constexpr uint32_t kParentColor = 0x0000FF;
constexpr uint32_t kPage = 0xFFFFE0, kInner = 0xE0F0FF, kFrame = 0xC00000, kPictureShadow = 0x404040,
                   kPageShadow = 0x606060, kGuide = 0x00C000;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00,
                   kBlue = 0x0000FF, kGrey = 0x808080;
constexpr int kId = 77;

const qt::Legend kLegend = {{'b', kBackground}, {'k', kBlack},         {'p', kPage},
                            {'i', kInner},      {'f', kFrame},         {'s', kPageShadow},
                            {'h', kPictureShadow}, {'w', kWhite},      {'r', kRed},
                            {'g', kGreen},      {'u', kBlue},          {'m', kGrey}};

PreviewSettings Colours(PreviewSettings s) {
  s.pageColor = qt::ColorRef(kPage);
  s.innerColor = qt::ColorRef(kInner);
  s.frameColor = qt::ColorRef(kFrame);
  s.pictureShadowColor = qt::ColorRef(kPictureShadow);
  s.pageShadowColor = qt::ColorRef(kPageShadow);
  s.guideColor = qt::ColorRef(kGuide);
  return s;
}

// The letter page of 850 x 1100 units; in a 200 x 200 control it lies at
// (30, 10, 169, 190), the inner area at (38, 18, 161, 182), the picture at
// (46, 43, 112, 92) with a frame of 2 and a shadow of 1.
PreviewSettings Letter(WORD options = 0) {
  PreviewSettings s{};
  s.pageRect = RECT{0, 0, 850, 1100};
  s.innerRect = RECT{50, 50, 800, 1050};
  s.pictureRect = RECT{100, 200, 500, 500};
  s.frameWidth = 10;
  s.shadowOffset = 1;
  s.options = options;
  return Colours(s);
}

// One unit per pixel in a 120 x 120 control: page (10, 10, 110, 110),
// inner area (15, 15, 105, 105), picture (30, 30, 46, 38), 16 x 8 like the
// test pictures.
PreviewSettings OneToOne(WORD options = 0, LONG frame = 0, LONG shadow = 0) {
  PreviewSettings s{};
  s.pageRect = RECT{0, 0, 100, 100};
  s.innerRect = RECT{5, 5, 95, 95};
  s.pictureRect = RECT{20, 20, 36, 28};
  s.frameWidth = frame;
  s.shadowOffset = shadow;
  s.options = options;
  return Colours(s);
}

// PRV_BW and its swapped look, one pixel of inner area around it.
const std::initializer_list<const char*> kBlocks = {
    "iiiiiiiiiiiiiiiiii", "ikkkkwwwwrrrruuuui", "ikkkkwwwwrrrruuuui", "ikkkkwwwwrrrruuuui",
    "ikkkkwwwwrrrruuuui", "iggggggggmmmmmmmmi", "iggggggggmmmmmmmmi", "iggggggggmmmmmmmmi",
    "iggggggggmmmmmmmmi", "iiiiiiiiiiiiiiiiii"};
const std::initializer_list<const char*> kSwappedBlocks = {
    "iiiiiiiiiiiiiiiiii", "iwwwwkkkkrrrruuuui", "iwwwwkkkkrrrruuuui", "iwwwwkkkkrrrruuuui",
    "iwwwwkkkkrrrruuuui", "iggggggggmmmmmmmmi", "iggggggggmmmmmmmmi", "iggggggggmmmmmmmmi",
    "iggggggggmmmmmmmmi", "iiiiiiiiiiiiiiiiii"};

class PreviewTest : public ::testing::Test {
 protected:
  // Each control gets its own place in the parent.
  HWND Create(const char* name, const PreviewSettings* settings, int width = 120, int height = 120,
              HINSTANCE instance = nullptr) {
    if (nextX + width > kParentWidth) {
      nextX = 0;
      nextY += rowHeight + 4;
      rowHeight = 0;
    }
    HWND w = parent.CreateChild(QOR32_PREVIEW_CLASS, name, WS_VISIBLE, nextX, nextY, width, height, kId,
                                const_cast<PreviewSettings*>(settings), instance);
    nextX += width + 4;
    rowHeight = std::max(rowHeight, height);
    UpdateWindow(w);
    return w;
  }
  static PreviewSettings Stored(HWND w) {
    qor32::StateLock<qor32::PreviewState> st(w, QOR32_STATE_OFFSET);
    return st ? st->settings : PreviewSettings{};
  }
  static void SetSettings(HWND w, const PreviewSettings& s) {
    EXPECT_EQ(SendMessageA(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&s)), 0);
    UpdateWindow(w);
  }

  static constexpr int kParentWidth = 1000;
  qt::ParentWindow parent{kParentWidth, 700, kParentColor};
  int nextX = 0, nextY = 0, rowHeight = 0;
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool AllPixels(HWND w, const RECT& r, uint32_t colour) {
  for (uint32_t p : qt::ReadPixels(w, r))
    if (p != colour) return false;
  return true;
}

int CountPixels(HWND w, const RECT& r, uint32_t colour) {
  int n = 0;
  for (uint32_t p : qt::ReadPixels(w, r)) n += p == colour;
  return n;
}

TEST_F(PreviewTest, WithoutSettingsOnlyTheBackgroundIsDrawn) {
  HWND w = Create("PRV_BW", nullptr);
  EXPECT_TRUE(AllPixels(w, RECT{0, 0, 120, 120}, kBackground));
  const PreviewSettings s = Stored(w);
  EXPECT_EQ(s.pageColor, 0xFFFFFFu);
  EXPECT_EQ(s.innerColor, 0xFFFFFFu);
  EXPECT_EQ(s.frameColor, 0x800000u);
  EXPECT_EQ(s.pictureShadowColor, 0x000080u);
  EXPECT_EQ(s.pageShadowColor, 0x808080u);
  EXPECT_EQ(s.guideColor, 0xFFFF00u);
  EXPECT_EQ(s.options, 7);  // caption height 0 raised to 7, no flags
  EXPECT_EQ(s.caption[0], '\0');

  // The first settings give it a page.
  SetSettings(w, OneToOne());
  EXPECT_TRUE(qt::PixelsMatch(w, 9, 9, {"bbbb", "bkkk", "bkpp", "bkpp"}, kLegend));
}

TEST_F(PreviewTest, LetterPageInA200By200Control) {
  const PreviewSettings letter = Letter();
  HWND w = Create("", &letter, 200, 200);
  const PreviewSettings s = Stored(w);
  EXPECT_TRUE(SameRect(s.pageRect, RECT{30, 10, 169, 190}));
  EXPECT_TRUE(SameRect(s.innerRect, RECT{38, 18, 161, 182}));
  EXPECT_TRUE(SameRect(s.pictureRect, RECT{46, 43, 112, 92}));
  EXPECT_EQ(s.frameWidth, 2);
  EXPECT_EQ(s.shadowOffset, 1);

  EXPECT_EQ(qt::PixelAt(w, 0, 0), kBackground);
  EXPECT_EQ(qt::PixelAt(w, 199, 199), kBackground);
  // Top-left corner: outline on column 30 and row 10, the inner area from (38, 18).
  EXPECT_TRUE(qt::PixelsMatch(w, 28, 8,
                              {"bbbbbbbbbbbb",
                               "bbbbbbbbbbbb",
                               "bbkkkkkkkkkk",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkppppppppp",
                               "bbkpppppppii",
                               "bbkpppppppii"},
                              kLegend));
  // Top-right: the outline column 169 (one beyond the page's right edge
  // 169 - 1), the page shadow from row 14, four pixels down.
  EXPECT_TRUE(qt::PixelsMatch(w, 167, 8,
                              {"bbbbbbbbb", "bbbbbbbbb", "kkkbbbbbb", "ppkbbbbbb", "ppkbbbbbb",
                               "ppkbbbbbb", "ppksssbbb", "ppksssbbb", "ppksssbbb"},
                              kLegend));
  // Bottom-right: inner area ends at 161 x 182, outline row 190, shadow to
  // column 172 and row 193.
  EXPECT_TRUE(qt::PixelsMatch(w, 158, 178,
                              {"iiippppppppksssbbb",
                               "iiippppppppksssbbb",
                               "iiippppppppksssbbb",
                               "iiippppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "pppppppppppksssbbb",
                               "kkkkkkkkkkkksssbbb",
                               "sssssssssssssssbbb",
                               "sssssssssssssssbbb",
                               "sssssssssssssssbbb",
                               "bbbbbbbbbbbbbbbbbb"},
                              kLegend));
  // Bottom-left: the shadow starts four pixels right of the page.
  EXPECT_TRUE(qt::PixelsMatch(w, 28, 188,
                              {"bbkppppppp", "bbkppppppp", "bbkkkkkkkk", "bbbbbbssss", "bbbbbbssss",
                               "bbbbbbssss", "bbbbbbbbbb"},
                              kLegend));
  // Picture (white: no picture named): frame band of 2 from (44, 41),
  // shadow band of 1 to the right and below, starting one pixel in.
  EXPECT_TRUE(qt::PixelsMatch(w, 42, 39,
                              {"iiiiiiii", "iiiiiiii", "iiffffff", "iiffffff", "iiffwwww", "iiffwwww"},
                              kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 108, 40,
                              {"iiiiiiiiii", "ffffffiiii", "ffffffhiii", "wwwwffhiii"}, kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 108, 88,
                              {"wwwwffhiii",
                               "wwwwffhiii",
                               "wwwwffhiii",
                               "wwwwffhiii",
                               "ffffffhiii",
                               "ffffffhiii",
                               "hhhhhhhiii",
                               "iiiiiiiiii"},
                              kLegend));
  EXPECT_TRUE(qt::PixelsMatch(w, 43, 92, {"iffff", "iffff", "iihhh", "iiiii"}, kLegend));
  EXPECT_TRUE(AllPixels(w, RECT{46, 43, 112, 92}, kWhite));
}

TEST_F(PreviewTest, GuideLinesThroughTheMiddleOfThePage) {
  const PreviewSettings both = Letter(PRVF_HGUIDE | PRVF_VGUIDE);
  const PreviewSettings none = Letter();
  HWND w = Create("", &both, 200, 200);
  HWND plain = Create("", &none, 200, 200);
  // Horizontal from (32, 97) to (168, 97), vertical from (97, 12) to
  // (97, 189); away from their ends the 2-pixel lines cover row 97 and
  // column 97.
  EXPECT_TRUE(AllPixels(w, RECT{36, 97, 164, 98}, kGuide));
  EXPECT_TRUE(AllPixels(w, RECT{97, 16, 98, 185}, kGuide));  // over the picture too
  EXPECT_EQ(CountPixels(plain, RECT{0, 0, 200, 200}, kGuide), 0);
  // Nothing outside the page.
  EXPECT_EQ(CountPixels(w, RECT{0, 0, 200, 10}, kGuide), 0);
  EXPECT_EQ(CountPixels(w, RECT{0, 191, 200, 200}, kGuide), 0);
  EXPECT_EQ(CountPixels(w, RECT{0, 0, 30, 200}, kGuide), 0);
  EXPECT_EQ(CountPixels(w, RECT{170, 0, 200, 200}, kGuide), 0);

  const PreviewSettings h = Letter(PRVF_HGUIDE);
  SetSettings(plain, h);
  EXPECT_TRUE(AllPixels(plain, RECT{36, 97, 164, 98}, kGuide));
  EXPECT_EQ(qt::PixelAt(plain, 97, 150), kInner);
}

TEST_F(PreviewTest, PictureIsDrawnWithItsColours) {
  const PreviewSettings s = OneToOne();
  HWND w = Create("PRV_BW", &s);
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kBlocks, kLegend));

  // Stretched to twice its size, each pixel becomes a 2 x 2 block.
  PreviewSettings wide = OneToOne();
  wide.pictureRect = RECT{20, 20, 52, 36};
  HWND big = Create("PRV_BW", &wide);
  EXPECT_TRUE(AllPixels(big, RECT{30, 30, 38, 38}, kBlack));
  EXPECT_TRUE(AllPixels(big, RECT{38, 30, 46, 38}, kWhite));
  EXPECT_TRUE(AllPixels(big, RECT{54, 30, 62, 38}, kBlue));
  EXPECT_TRUE(AllPixels(big, RECT{30, 38, 46, 46}, kGreen));

  // A top-down picture stands the right way up.
  HWND topDown = Create("PRV_TOPDOWN", &s);
  EXPECT_TRUE(AllPixels(topDown, RECT{30, 30, 46, 34}, 0x404040));
  EXPECT_TRUE(AllPixels(topDown, RECT{30, 34, 46, 38}, 0xC0C0C0));
}

TEST_F(PreviewTest, SwapShowsBlackAsWhiteUntilANewRecordClearsIt) {
  const PreviewSettings swapped = OneToOne(PRVF_SWAPBW);
  HWND w = Create("PRV_BW", &swapped);
  {
    qor32::StateLock<qor32::PreviewState> st(w, QOR32_STATE_OFFSET);
    EXPECT_EQ(st->blackIndex, 0);
    EXPECT_EQ(st->whiteIndex, 255);
  }
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kSwappedBlocks, kLegend));
  SetSettings(w, OneToOne());
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kBlocks, kLegend));
  SetSettings(w, OneToOne(PRVF_SWAPBW));
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kSwappedBlocks, kLegend));

  // The resource itself is untouched: another control shows it as it is.
  const PreviewSettings plain = OneToOne();
  HWND other = Create("PRV_BW", &plain);
  EXPECT_TRUE(qt::PixelsMatch(other, 29, 29, kBlocks, kLegend));
}

TEST_F(PreviewTest, NoSwapWhenBlackAndWhiteShareAnIndex) {
  // No pure black or white: both indices stay 0, so the flag does nothing.
  const PreviewSettings s = OneToOne(PRVF_SWAPBW);
  const PreviewSettings plainSettings = OneToOne();
  HWND swapped = Create("PRV_NOBW", &s);
  HWND plain = Create("PRV_NOBW", &plainSettings);
  {
    qor32::StateLock<qor32::PreviewState> st(swapped, QOR32_STATE_OFFSET);
    EXPECT_EQ(st->blackIndex, 0);
    EXPECT_EQ(st->whiteIndex, 0);
  }
  const RECT picture{30, 30, 46, 38};
  EXPECT_EQ(qt::ReadPixels(swapped, picture), qt::ReadPixels(plain, picture));
  EXPECT_EQ(qt::PixelAt(swapped, 30, 30), 0x202020u);
  EXPECT_EQ(qt::PixelAt(swapped, 34, 30), 0xE0E0E0u);
}

TEST_F(PreviewTest, PaletteHoldsFrameShadowAndThePictureColoursAsLoaded) {
  const PreviewSettings s = OneToOne(PRVF_SWAPBW);
  HWND w = Create("PRV_BW", &s);
  qor32::StateLock<qor32::PreviewState> st(w, QOR32_STATE_OFFSET);
  ASSERT_NE(st->palette, nullptr);
  EXPECT_EQ(st->logPalette.palVersion, 0x300);
  EXPECT_EQ(st->logPalette.palNumEntries, 258);
  PALETTEENTRY entries[258] = {};
  ASSERT_EQ(GetPaletteEntries(st->palette, 0, 258, entries), 258u);
  auto rgb = [](const PALETTEENTRY& e) { return uint32_t(e.peRed) << 16 | e.peGreen << 8 | e.peBlue; };
  EXPECT_EQ(rgb(entries[0]), kFrame);
  EXPECT_EQ(rgb(entries[1]), kPictureShadow);
  EXPECT_EQ(rgb(entries[2]), kBlack);  // the colours read at load, not the swapped ones
  EXPECT_EQ(rgb(entries[3]), kRed);
  EXPECT_EQ(rgb(entries[130]), kGrey);
  EXPECT_EQ(rgb(entries[257]), kWhite);
}

TEST_F(PreviewTest, PaletteIndexColoursComeFromTheControlsPalette) {
  // Entry 3 is the picture's red (the default palette's entry 3 is olive),
  // entry 257 white.
  PreviewSettings s = OneToOne();
  s.pageColor = PALETTEINDEX(3);
  s.innerColor = PALETTEINDEX(257);
  HWND w = Create("PRV_BW", &s);
  EXPECT_EQ(qt::PixelAt(w, 12, 12), kRed);
  EXPECT_EQ(qt::PixelAt(w, 16, 16), kWhite);
  EXPECT_EQ(qt::PixelAt(w, 16, 104), kWhite);
  // Plain colours again: the same places in their own colours.
  SetSettings(w, OneToOne());
  EXPECT_EQ(qt::PixelAt(w, 12, 12), kPage);
  EXPECT_EQ(qt::PixelAt(w, 16, 16), kInner);
}

TEST_F(PreviewTest, MissingOrBrokenPicturesShowAsWhite) {
  const PreviewSettings s = OneToOne(0, 2, 1);
  for (const char* name : {"", "PRV_MISSING", "PRV_24BIT", "PRV_SHORTTABLE", "PRV_4BIT", "PRV_TRUNCATED",
                           "PRV_TINY"}) {
    SCOPED_TRACE(name);
    HWND w = Create(name, &s);
    EXPECT_TRUE(AllPixels(w, RECT{30, 30, 46, 38}, kWhite));
    EXPECT_TRUE(qt::PixelsMatch(w, 27, 27, {"iiiii", "iffff", "iffff", "iffww"}, kLegend));
    EXPECT_TRUE(qt::PixelsMatch(w, 46, 38, {"ffh", "ffh", "hhh"}, kLegend));
    qor32::StateLock<qor32::PreviewState> st(w, QOR32_STATE_OFFSET);
    EXPECT_EQ(st->picture, nullptr);
  }
}

TEST_F(PreviewTest, LongWindowTextNamesThePictureByItsFirst31Characters) {
  const std::string text = "PRV_NAME_31_CHARACTERS_ABCDEFGH_IGNORED!";  // 40 characters
  ASSERT_EQ(text.size(), 40u);
  const PreviewSettings s = OneToOne();
  HWND w = Create(text.c_str(), &s);
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kBlocks, kLegend));

  // WM_SETTEXT keeps the whole text as it was.
  EXPECT_TRUE(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PRV_NOBW")));
  char buf[64] = {};
  GetWindowTextA(w, buf, sizeof buf);
  EXPECT_EQ(text, buf);
}

TEST_F(PreviewTest, SetTextReloadsThePictureUnderItsUnchangedName) {
  const PreviewSettings s = OneToOne();
  HWND w = Create("PRV_BW", &s);
  EXPECT_TRUE(SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PRV_NOBW")));
  char buf[32] = {};
  GetWindowTextA(w, buf, sizeof buf);
  EXPECT_STREQ(buf, "PRV_BW");
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
  EXPECT_TRUE(SameRect(update, RECT{30, 30, 46, 38}));
  UpdateWindow(w);
  EXPECT_TRUE(qt::PixelsMatch(w, 29, 29, kBlocks, kLegend));

  // A control of the library's own module under a parent of a module that
  // holds no such picture shows white; moved under the test program's
  // window, the next WM_SETTEXT finds the picture there.
  HMODULE other = LoadLibraryA("qres_a.dll");
  ASSERT_NE(other, nullptr);
  qt::ParentWindow foreign(200, 200, kParentColor, other);
  HWND moved = CreateWindowExA(0, QOR32_PREVIEW_CLASS, "PRV_BW", WS_CHILD | WS_VISIBLE, 0, 0, 120, 120,
                               foreign.hwnd(), reinterpret_cast<HMENU>(kId),
                               GetModuleHandleA("QOR32CL.DLL"), const_cast<PreviewSettings*>(&s));
  ASSERT_NE(moved, nullptr);
  UpdateWindow(moved);
  EXPECT_TRUE(AllPixels(moved, RECT{30, 30, 46, 38}, kWhite));
  SetParent(moved, parent.hwnd());
  SetWindowPos(moved, nullptr, 500, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(moved, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("anything"));
  UpdateWindow(moved);
  EXPECT_TRUE(qt::PixelsMatch(moved, 29, 29, kBlocks, kLegend));
  DestroyWindow(moved);
  FreeLibrary(other);
}

TEST_F(PreviewTest, SettingsMessage) {
  PreviewSettings first = Letter(0x8000 | PRVF_CAPTION | 4);
  std::strcpy(first.caption, "first");
  HWND w = Create("", &first, 200, 200);
  PreviewSettings s = Stored(w);
  EXPECT_EQ(s.options, 0x8000 | PRVF_CAPTION | 11);

  // Bit 15 keeps its stored value; bits 8 to 14 follow the record.
  PreviewSettings next = Letter(PRVF_HGUIDE | 0x7000 | 20);
  std::strcpy(next.caption, "next");
  next.reservedRect = RECT{1, 2, 3, 4};
  SetSettings(w, next);
  s = Stored(w);
  EXPECT_EQ(s.options, 0x8000 | PRVF_HGUIDE | 0x7000 | 20);
  EXPECT_STREQ(s.caption, "next");
  EXPECT_TRUE(SameRect(s.reservedRect, RECT{0, 0, 0, 0}));

  // The same record twice gives the same layout.
  SetSettings(w, next);
  const PreviewSettings again = Stored(w);
  EXPECT_EQ(std::memcmp(&s, &again, sizeof s), 0);
  EXPECT_TRUE(SameRect(again.pictureRect, RECT{46, 43, 112, 92}));

  // A null record changes nothing and repaints nothing.
  UpdateWindow(w);
  EXPECT_EQ(SendMessageA(w, PRVM_SETSETTINGS, 0, 0), 0);
  const PreviewSettings unchanged = Stored(w);
  EXPECT_EQ(std::memcmp(&s, &unchanged, sizeof s), 0);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));

  // A window without its state block: nothing happens.
  const LONG_PTR block = GetWindowLongPtrA(w, QOR32_STATE_OFFSET);
  SetWindowLongPtrA(w, QOR32_STATE_OFFSET, 0);
  EXPECT_EQ(SendMessageA(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&first)), 0);
  SetWindowLongPtrA(w, QOR32_STATE_OFFSET, block);
  const PreviewSettings untouched = Stored(w);
  EXPECT_EQ(std::memcmp(&s, &untouched, sizeof s), 0);

  // Bit 15 clear at creation stays clear.
  const PreviewSettings clear = Letter();
  HWND other = Create("", &clear, 200, 200);
  SetSettings(other, Letter(0x8000));
  EXPECT_EQ(Stored(other).options, 7);
}

TEST_F(PreviewTest, CaptionLongerThan33CharactersIsCutAt33) {
  PreviewSettings s = OneToOne(PRVF_CAPTION);
  std::memset(s.caption, 'W', sizeof s.caption);  // 34 characters, no terminating zero
  HWND w = Create("", &s);
  EXPECT_EQ(std::string(Stored(w).caption), std::string(33, 'W'));
  std::memset(s.caption, 'i', sizeof s.caption);
  SetSettings(w, s);
  EXPECT_EQ(std::string(Stored(w).caption), std::string(33, 'i'));
}

TEST_F(PreviewTest, ResizingKeepsThePageWhereItWas) {
  const PreviewSettings s = OneToOne();
  HWND w = Create("", &s);
  SetWindowPos(w, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
  UpdateWindow(w);
  EXPECT_TRUE(SameRect(Stored(w).pageRect, RECT{10, 10, 110, 110}));
  EXPECT_TRUE(qt::PixelsMatch(w, 9, 9, {"bbbb", "bkkk", "bkpp"}, kLegend));
  EXPECT_TRUE(AllPixels(w, RECT{114, 0, 200, 200}, kBackground));  // shadow ends at 113
}

TEST_F(PreviewTest, PageOfSizeZeroIsNotLaidOut) {
  PreviewSettings s = OneToOne();
  s.pageRect = RECT{0, 0, 0, 0};
  s.innerRect = RECT{10, 10, 20, 20};
  s.pictureRect = RECT{};
  HWND w = Create("", &s);
  EXPECT_TRUE(AllPixels(w, RECT{10, 10, 20, 20}, kInner));
  EXPECT_EQ(CountPixels(w, RECT{0, 0, 120, 120}, kBackground), 120 * 120 - 100);
}

// Pixels of the (anti-aliased) caption text: neither its white box nor
// the inner area.
int TextPixels(HWND w, const RECT& r) {
  int n = 0;
  for (uint32_t p : qt::ReadPixels(w, r)) n += p != kWhite && p != kInner;
  return n;
}

// Measures a text the way the caption is measured.
RECT MeasureCaption(const char* text, int height, RECT box) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "arial");
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextA(dc, text, -1, &box, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return box;
}

TEST_F(PreviewTest, CaptionBoxUnderThePicture) {
  // Picture (30, 30, 46, 38), frame 1, shadow 1: the box starts at (29, 40)
  // and may reach column 47; caption height 3 gives a 10-pixel font.
  PreviewSettings s = OneToOne(PRVF_CAPTION | 3, 1, 1);
  std::strcpy(s.caption, "il");
  HWND narrow = Create("", &s);
  const RECT m = MeasureCaption("il", 10, RECT{29, 40, 229, 50});
  ASSERT_LT(m.right, 47);
  ASSERT_GT(m.bottom, 48);  // a 10-pixel font's line, taller than caption height 3
  // White box: columns 28 to m.right - 1, rows 41 to m.bottom - 1.
  EXPECT_EQ(CountPixels(narrow, RECT{28, 41, m.right, m.bottom}, kInner), 0);
  EXPECT_GT(TextPixels(narrow, RECT{28, 41, m.right, m.bottom}), 0);
  EXPECT_TRUE(AllPixels(narrow, RECT{m.right, 41, m.right + 3, m.bottom}, kInner));
  EXPECT_TRUE(AllPixels(narrow, RECT{28, m.bottom, m.right, m.bottom + 2}, kInner));
  EXPECT_TRUE(AllPixels(narrow, RECT{27, 41, 28, m.bottom}, kInner));
  EXPECT_EQ(qt::PixelAt(narrow, 28, 40), kInner);

  // A wide caption is cut at 46 + 1 + 1 = 48 - 1: the box ends at column 47.
  std::strcpy(s.caption, "WWWWWWWWWWWW");
  HWND wide = Create("", &s);
  EXPECT_EQ(CountPixels(wide, RECT{28, 41, 48, m.bottom}, kInner), 0);
  EXPECT_GT(TextPixels(wide, RECT{40, 41, 48, m.bottom}), 0);
  EXPECT_TRUE(AllPixels(wide, RECT{48, 39, 60, 60}, kInner));

  // Without the flag there is no caption.
  s.options = 3;
  HWND none = Create("", &s);
  EXPECT_TRUE(AllPixels(none, RECT{20, 40, 100, 60}, kInner));
}

TEST_F(PreviewTest, ClickAndSpaceBarNotifyTheParent) {
  const PreviewSettings s = OneToOne();
  HWND w = Create("", &s);
  SetFocus(parent.hwnd());
  EXPECT_EQ(SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20)), 0);
  EXPECT_EQ(GetFocus(), w);
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  const qt::Command click = qt::MakeCommand(kId, PRVN_CLICK, w);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{click, click}));

  parent.commands.clear();
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(parent.commands.empty());
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0xC0390001);
  SendMessageA(w, WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{click}));
}

TEST_F(PreviewTest, PaletteMessages) {
  const PreviewSettings s = OneToOne();
  HWND w = Create("PRV_BW", &s);
  UpdateWindow(w);
  EXPECT_EQ(SendMessageA(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(w), 0), 0);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  // On this true-colour display realising changes no entry: 0, no repaint.
  EXPECT_EQ(SendMessageA(w, WM_QUERYNEWPALETTE, 0, 0), 0);
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
  EXPECT_EQ(SendMessageA(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(parent.hwnd()), 0), 0);
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}

TEST_F(PreviewTest, NoGdiObjectLeftBehind) {
  PreviewSettings s = Letter(PRVF_CAPTION | PRVF_HGUIDE | PRVF_VGUIDE | PRVF_SWAPBW | 9);
  std::strcpy(s.caption, "Counting paints");
  HWND w = Create("PRV_BW", &s, 200, 200);
  qt::Repaint(w);
  int before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 1000; ++i) qt::Repaint(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);

  for (int i = 0; i < 200; ++i) {
    s.options ^= PRVF_SWAPBW;
    SendMessageA(w, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&s));
    SendMessageA(w, WM_QUERYNEWPALETTE, 0, 0);
  }
  UpdateWindow(w);
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);

  // Created and destroyed with a picture: its palette goes with it.
  before = qt::GdiCounter::LiveObjects();
  for (int i = 0; i < 50; ++i) {
    HWND t = Create("PRV_BW", &s, 60, 60);
    SendMessageA(t, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    DestroyWindow(t);
    nextX = 0;
  }
  EXPECT_EQ(qt::GdiCounter::LiveObjects(), before);
}

}  // namespace
