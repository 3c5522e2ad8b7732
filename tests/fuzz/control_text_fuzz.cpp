// Fuzz entry over the control-text reader and each parsing control's
// platform-free handling: the Bitmap, Matrix, Slide and Tab controls' command
// letters with their argument reading into the records, followed by the
// layouts, hit tests and state transitions that consume those records, and
// the Preview control's picture checks.
//
// Input: one selector byte, then the control text up to its first zero byte
// (cut to the control-text capacity the way the controls cut it); the bytes
// after that zero are the rest of the scene: bitmap sizes, coordinates, keys
// and presses. The Preview selector takes everything after the selector byte
// as a picture.
//
// Built as a libFuzzer target (clang, ASan, UBSan) and also linked into the
// native tests, which replay the corpus in tests/fuzz/corpus/.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/bitmap/portable/bitmap_commands.h"
#include "controls/bitmap/portable/bitmap_layout.h"
#include "controls/matrix/portable/matrix_commands.h"
#include "controls/matrix/portable/matrix_layout.h"
#include "controls/preview/portable/preview_layout.h"
#include "controls/preview/portable/preview_picture.h"
#include "controls/slide/portable/slide_commands.h"
#include "controls/slide/portable/slide_model.h"
#include "controls/tab/portable/tab_logic.h"
#include "frame/portable/command_reader.h"

namespace {

using qor32::g_captionBuf;
using qor32::g_parsePos;
using qor32::g_textBuf;

// A fault the sanitizers cannot see (a broken invariant) stops the run.
void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads the scene bytes after the control text; past the end it yields 0.
class Scene {
 public:
  Scene(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  int32_t Small() { return Byte(); }  // 0 to 255
  int32_t Wide() {                    // any 32-bit value, small ones likelier
    const uint8_t kind = Byte();
    if (kind < 128) return Byte();
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<int32_t>(v);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// ---- the reader alone ---------------------------------------------------------

// The generic command loop with every reader: numbers, rectangles, points
// and texts of several capacities, as the controls use them.
void ReadEverything(const char* text) {
  qor32::CopyControlText(g_textBuf, text);
  qor32::SplitCaption();
  qor32::RunCommands(g_parsePos, g_textBuf, [](char letter) {
    char name[24];
    char small[2];
    qor32::Rect32 rect{};
    qor32::Point32 point{};
    const qor32::Rect32 bounds{0, 0, 99, 49};
    switch (letter) {
      case 'A': qor32::ParseNumber(g_parsePos, g_textBuf); break;
      case 'B': qor32::ParseRect(g_parsePos, g_textBuf, rect, bounds); break;
      case 'C': qor32::ParsePoint(g_parsePos, g_textBuf, point); break;
      case 'D':
        qor32::ParseNumber(g_parsePos, g_textBuf);
        qor32::ParseText(g_parsePos, g_textBuf, name, sizeof name, true);
        break;
      case 'E':
        qor32::ParseNumber(g_parsePos, g_textBuf);
        qor32::ParseText(g_parsePos, g_textBuf, small, sizeof small, false);
        break;
      case 'G':
        qor32::ParseHandleNumber(g_parsePos, g_textBuf);
        qor32::ParseText(g_parsePos, g_textBuf, name, sizeof name, true);
        qor32::ParseHandleNumber(g_parsePos, g_textBuf);
        break;
      case 'F':
        for (int i = 0; i < 17; ++i) qor32::ParseNumber(g_parsePos, g_textBuf);
        qor32::ParseText(g_parsePos, g_textBuf, g_captionBuf, qor32::kControlTextCapacity, false);
        break;
      default: break;
    }
  });
}

// ---- Bitmap control -------------------------------------------------------------

namespace bm = qor32::bitmap;

// Stands in for the platform: text records on the heap, bitmaps as tokens.
// Tracks what the control owns so that a double delete, a delete of a bitmap
// it never loaded, a leaked record or a record left locked stops the run.
class FuzzHost : public bm::CommandHost {
 public:
  explicit FuzzHost(Scene& scene) : scene_(scene) {}
  ~FuzzHost() override {
    for (bm::BitmapText* r : records_) delete r;
  }
  bm::Handle AllocateTextRecord() override {
    if (scene_.Byte() == 0xFF) return nullptr;  // the allocation fails
    records_.push_back(new bm::BitmapText{});
    return records_.back();
  }
  bm::BitmapText* LockTextRecord(bm::Handle record) override {
    Require(Owns(record));
    ++locks_;
    return static_cast<bm::BitmapText*>(record);
  }
  void UnlockTextRecord(bm::Handle record) override {
    Require(Owns(record) && locks_ > 0);
    --locks_;
  }
  void DeleteImage(bm::Handle image) override {
    bool found = false;
    for (auto& live : loaded_) {
      if (live == image) {
        live = nullptr;
        found = true;
        break;
      }
    }
    Require(found);
  }
  bm::Handle LookUpImage(uintptr_t, const char* name) override {
    Require(std::strlen(name) < bm::kImageNameChars);
    if (scene_.Byte() < 64) return nullptr;  // not found
    loaded_.push_back(reinterpret_cast<bm::Handle>(uintptr_t{0x10000} + loaded_.size()));
    return loaded_.back();
  }
  uintptr_t RootInstance() override { return 0x400000; }
  void InvalidatePart(const qor32::Rect32&) override {}

  bool Owns(bm::Handle record) const {
    for (bm::BitmapText* r : records_) {
      if (r == record) return true;
    }
    return false;
  }
  int Locks() const { return locks_; }
  // Bitmaps loaded and not yet deleted, the one the state still owns aside.
  int LeakedImages(const bm::BitmapState& state) const {
    int leaked = 0;
    for (bm::Handle live : loaded_) {
      if (live != nullptr && !(state.imageOwned && live == state.image)) ++leaked;
    }
    return leaked;
  }

 private:
  Scene& scene_;
  std::vector<bm::BitmapText*> records_;
  std::vector<bm::Handle> loaded_;
  int locks_ = 0;
};

void LayOutEveryState(const bm::BitmapState& state, Scene& scene) {
  const int32_t width = scene.Wide();
  const int32_t height = scene.Wide();
  for (int paintState = 0; paintState < 8; ++paintState) {
    bm::LayOutFace(state, paintState, (paintState & 4) != 0);
    bm::PlaceImage(state, paintState, width, height);
    bm::LampColor(state, paintState);
    const qor32::Rect32 lamp = bm::LampRect(state, paintState);
    bm::LayOutRoundLamp(state, paintState);
    bm::LayOutSquareLamp(state, paintState);
    qor32::Rect32 patches[2];
    bm::LampPatches(state.indicatorShape, lamp, patches);
    bm::LayOutBar(state, paintState);
    bm::FocusRect(state, paintState);
    for (bm::Handle record : state.textRecords) {
      if (record != nullptr) bm::LayOutText(*static_cast<const bm::BitmapText*>(record), paintState);
    }
  }
}

// Two parses on one record (the second reconfigures), layouts after each,
// then the control's destruction.
void FuzzBitmap(const char* text, Scene& scene) {
  bm::BitmapState state;
  std::memset(&state, 0, sizeof state);
  bm::InitBitmapState(state);
  FuzzHost host(scene);
  const qor32::Rect32 client{0, 0, scene.Wide(), scene.Wide()};
  for (int parse = 0; parse < 2; ++parse) {
    bm::ParseBitmapText(state, host, parse == 0 ? text : text + std::strlen(text) / 2, client, 0x10000000);
    Require(host.Locks() == 0);
    Require(host.LeakedImages(state) == 0);
    for (bm::Handle record : state.textRecords) Require(record == nullptr || host.Owns(record));
    LayOutEveryState(state, scene);
  }
  bm::DropImage(state, host);
  Require(host.LeakedImages(state) == 0);
}

// ---- Matrix control -------------------------------------------------------------

void FuzzMatrix(const char* text, Scene& scene) {
  qor32::MatrixGrid grid{};
  char name[qor32::kMatrixNameCapacity] = {};
  for (int scan = 0; scan < 2; ++scan) {
    qor32::ScanMatrixText(scan == 0 ? text : text + std::strlen(text) / 2, grid, name);
    Require(std::memchr(name, 0, sizeof name) != nullptr);
    Require(qor32::MatrixBandCount(grid.options) >= 1 && qor32::MatrixBandCount(grid.options) <= 8);
    const bool hasBitmap = scene.Byte() != 0;
    const qor32::MatrixLayout layout = qor32::ComputeMatrixLayout(grid, hasBitmap, scene.Wide(), scene.Wide());
    const int32_t cells = layout.CellCount();
    Require(cells >= 0 && cells <= 127 * 127);
    layout.Width();
    layout.Height();
    const uint16_t controlId = static_cast<uint16_t>(scene.Wide());
    for (int32_t i = 0; i < cells; ++i) {
      qor32::CellPlace(layout, i);
      for (int32_t band = 0; band < layout.bands; ++band) qor32::CellSource(layout, i, band);
      Require(qor32::CellIndexOf(layout, controlId, qor32::CellIdentifier(controlId, i)) == i);
    }
    qor32::CellIndexOf(layout, controlId, static_cast<uint16_t>(scene.Wide()));
  }
}

// ---- Slide control --------------------------------------------------------------

void LoadAxis(qor32::slide::SlideAxis& axis, int32_t min, int32_t pos, int32_t max, int32_t page,
              int32_t thumbSize, int32_t trackSize) {
  axis.min = min;
  axis.pos = pos;
  axis.max = max;
  axis.page = page;
  axis.thumbSize = thumbSize;
  axis.trackSize = trackSize;
}

// The parsed text laid out over bitmaps of fuzzed sizes, then a run of keys,
// presses, drags and releases.
void FuzzSlide(const char* text, Scene& scene) {
  namespace sl = qor32::slide;
  const sl::SlideText t = sl::ParseSlideText(text);
  Require(std::memchr(t.thumbName, 0, sizeof t.thumbName) != nullptr);
  Require(std::memchr(t.trackName, 0, sizeof t.trackName) != nullptr);
  sl::SlideModel model;
  const int32_t thumbWidth = scene.Wide(), thumbHeight = sl::BandHeight(scene.Wide(), sl::ThumbBandCount(t.options));
  const int32_t trackWidth = scene.Wide(), trackHeight = sl::BandHeight(scene.Wide(), sl::TrackBandCount(t.options));
  LoadAxis(model.x, t.minX, t.posX, t.maxX, t.pageX, thumbWidth, trackWidth);
  LoadAxis(model.y, t.minY, t.posY, t.maxY, t.pageY, thumbHeight, trackHeight);
  sl::PlaceThumbs(model);
  for (int step = 0; step < 64 && !scene.Empty(); ++step) {
    const uint8_t op = scene.Byte();
    switch (op % 6) {
      case 0: sl::ApplyKey(model, sl::kKeyEnd + scene.Byte() % 6, (op & 8) != 0, (op & 16) != 0); break;
      case 1: {
        const int32_t x = scene.Wide();
        const int32_t y = scene.Wide();
        sl::InClient(model, x, y);
        sl::InThumb(model, x, y);
        sl::ApplyPress(model, x, y);
        break;
      }
      case 2:
        if ((model.state & sl::kDragging) != 0) {
          const int32_t x = scene.Wide();
          sl::DragTo(model, x, scene.Wide());
          sl::PositionFromDrag(model);
        }
        break;
      case 3: (op & 8) != 0 ? sl::ReenterDrag(model) : sl::LeaveDrag(model); break;
      case 4: sl::EndDrag(model); break;
      default: {
        int32_t low = model.x.pos, high = model.y.pos;
        const uint32_t packed = static_cast<uint32_t>(scene.Wide());
        sl::ExchangePair(low, high, packed);
        sl::LowHalf(packed);
        sl::HighHalf(packed);
        break;
      }
    }
    sl::PlaceThumbs(model);
  }
}

// ---- Tab control ----------------------------------------------------------------

void FuzzTab(const char* text, Scene& scene) {
  namespace tb = qor32::tab;
  tb::TabText t{};
  int32_t pos = 0;
  char working[qor32::kControlTextCapacity];
  qor32::CopyControlText(working, text);
  tb::ReadTabText(pos, working, t);
  Require(pos >= 0 && pos <= qor32::kControlTextCapacity);
  Require(std::memchr(t.bitmapName, 0, sizeof t.bitmapName) != nullptr);
  const tb::Layout layout = tb::LayoutFor(t.count);
  const int32_t height = scene.Wide();
  for (int i = 0; i < 8 && !scene.Empty(); ++i) {
    const uint32_t x = static_cast<uint32_t>(scene.Wide());
    const uint32_t y = static_cast<uint32_t>(scene.Wide());
    const int hit = tb::HitTestTabs(layout.tabRects, layout.count, x, y);
    Require(hit >= -1 && hit < tb::kMaxTabs && hit < static_cast<int>(layout.count));
    const uint16_t selected = tb::TabFromIdentifier(static_cast<uint32_t>(scene.Wide()), scene.Wide());
    if (tb::HasBand(selected, layout.count)) {
      const int32_t top = tb::BandTop(selected, height, layout.count);
      Require(height < 0 || top <= height);
    }
  }
}

// ---- Preview control ------------------------------------------------------------

// The bytes as a picture: checked, its colours read and swapped back and
// forth on a copy (as the control does), and a layout of fuzzed geometry.
void FuzzPreview(const uint8_t* data, size_t size) {
  std::vector<uint8_t> picture(data, data + size);  // exactly size bytes, for ASan
  qor32::PictureLayout layout{};
  if (qor32::CheckPicture(picture.data(), picture.size(), &layout)) {
    Require(layout.colorTableOffset + qor32::kColorTableBytes <= picture.size());
    Require(layout.bitsOffset + layout.bitsSize <= picture.size());
    Require(layout.width > 0 && layout.height > 0);
    qor32::PaletteColor entries[qor32::kPictureColors];
    int32_t black = -1, white = -1;
    uint8_t* table = picture.data() + layout.colorTableOffset;
    qor32::ReadPictureColors(table, entries, black, white);
    const std::vector<uint8_t> before = picture;
    qor32::ApplyBlackWhiteSwap(table, black, white, true);
    qor32::ApplyBlackWhiteSwap(table, black, white, false);
    Require(picture == before);
  }
  Scene scene(data, size);
  qor32::PreviewGeometry g{};
  g.page = qor32::Rect32{scene.Wide(), scene.Wide(), scene.Wide(), scene.Wide()};
  g.inner = qor32::Rect32{scene.Wide(), scene.Wide(), scene.Wide(), scene.Wide()};
  g.picture = qor32::Rect32{scene.Wide(), scene.Wide(), scene.Wide(), scene.Wide()};
  g.frameWidth = scene.Wide();
  g.shadowOffset = scene.Wide();
  qor32::LayoutPreview(g, scene.Wide(), scene.Wide());
  qor32::FillBoxFigure(g.picture);
  qor32::PageShadowRect(g.page);
  qor32::FrameRect(g);
  qor32::PictureShadowRect(g);
  qor32::CaptionBackground(qor32::CaptionBox(g, qor32::EffectiveCaptionHeight(scene.Byte())));
  qor32::CaptionRightLimit(g);
  qor32::HorizontalGuide(g.page);
  qor32::VerticalGuide(g.page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t selector = data[0];
  const uint8_t* body = data + 1;
  const size_t bodySize = size - 1;
  // The control text ends at its first zero byte; the scene follows it.
  const auto* zero = static_cast<const uint8_t*>(std::memchr(body, 0, bodySize));
  const size_t textSize = zero != nullptr ? static_cast<size_t>(zero - body) : bodySize;
  const std::string text(reinterpret_cast<const char*>(body), textSize);
  const size_t sceneStart = zero != nullptr ? textSize + 1 : bodySize;
  Scene scene(body + sceneStart, bodySize - sceneStart);
  switch (selector % 6) {
    case 1: FuzzBitmap(text.c_str(), scene); break;
    case 2: FuzzMatrix(text.c_str(), scene); break;
    case 3: FuzzSlide(text.c_str(), scene); break;
    case 4: FuzzTab(text.c_str(), scene); break;
    case 5: FuzzPreview(body, bodySize); break;
    default: ReadEverything(text.c_str()); break;
  }
  return 0;
}
