#include "controls/bitmap/portable/bitmap_commands.h"

#include <cstring>

namespace qor32::bitmap {

namespace {

constexpr char kHandleName[] = "HBITMAP=";

uint16_t Low16(int32_t value) { return static_cast<uint16_t>(value & 0xFFFF); }

void CopyLimited(char* dest, const char* source, int capacity) {
  int n = 0;
  for (; n < capacity - 1 && source[n] != '\0'; ++n) dest[n] = source[n];
  dest[n] = '\0';
}

// One parse: the cursor and buffers are the shared reader's; the lookup
// instance lives as long as the parse.
class Parser {
 public:
  Parser(BitmapState& state, CommandHost& host, uintptr_t instance)
      : s_(state), host_(host), instance_(instance) {}

  void Caption() {
    if (g_captionBuf[0] == '\0') return;
    Handle& slot = s_.textRecords[0];
    if (slot == nullptr) slot = host_.AllocateTextRecord();
    TextRecordLock record(host_, slot);
    if (record) CopyLimited(record->text, g_captionBuf, kTextChars);
  }

  void Command(char letter) {
    switch (letter) {
      case 'B': Face(); break;
      case 'F': Focus(); break;
      case 'G': Image(false); break;
      case 'H': instance_ = static_cast<uintptr_t>(ParseHandleNumber(g_parsePos, g_textBuf)); break;
      case 'I': Indicator(); break;
      case 'P': instance_ = host_.RootInstance(); break;
      case 'Q': Image(true); break;
      case 'S': Bar(); break;
      case 'T': Text(); break;
      default: break;
    }
  }

 private:
  int32_t Number() { return ParseNumber(g_parsePos, g_textBuf); }
  uint32_t Color() { return ReadColor(g_parsePos, g_textBuf); }
  Rect32 Rect() {
    Rect32 r{};
    ParseRect(g_parsePos, g_textBuf, r, s_.clientRect);
    return r;
  }
  Point32 Point() {
    Point32 p{};
    ParsePoint(g_parsePos, g_textBuf, p);
    return p;
  }

  void Face() {
    s_.faceRect = Rect();
    s_.faceFlags = Low16(Number());
    s_.faceColor = Color();
    host_.InvalidatePart(s_.faceRect);
  }

  void Focus() {
    s_.focusRect = Rect();
    s_.focusOffset = Point();
    Number();  // read and not used
    host_.InvalidatePart(s_.focusRect);
  }

  void Indicator() {
    s_.indicatorRect = Rect();
    s_.indicatorOffset = Point();
    s_.indicatorShape = Low16(Number());
    for (uint32_t& c : s_.indicatorColors) c = Color();
    host_.InvalidatePart(s_.indicatorRect);
  }

  void Bar() {
    s_.barRect = Rect();
    s_.barOffset = Point();
    s_.barDirection = Low16(Number());
    for (uint32_t& c : s_.barColors) c = Color();
    s_.barPercent = Low16(Number());
    host_.InvalidatePart(s_.barRect);
  }

  // G places the image; Q puts it over the whole control.
  void Image(bool wholeControl) {
    DropImage(s_, host_);
    if (wholeControl) {
      s_.imageRect = Rect32{0, 0, s_.clientRect.right, s_.clientRect.bottom};
      s_.imageOffset = Point32{0, 0};
      s_.imageAlign = 0;
    } else {
      s_.imageRect = Rect();
      s_.imageOffset = Point();
      s_.imageAlign = Low16(Number());
    }
    s_.imageFrames = Number();
    ParseText(g_parsePos, g_textBuf, s_.imageName, kImageNameChars, true);
    if (std::strcmp(s_.imageName, kHandleName) == 0) {
      s_.image = reinterpret_cast<Handle>(static_cast<uintptr_t>(ParseHandleNumber(g_parsePos, g_textBuf)));
      s_.imageOwned = false;
    }
    if (s_.image == nullptr) {
      s_.image = host_.LookUpImage(instance_, s_.imageName);
      s_.imageOwned = s_.image != nullptr;
    }
    host_.InvalidatePart(s_.imageRect);
  }

  // Only slots 0 and 1 exist: any other slot leaves the command without
  // effect, like a letter the control does not know.
  void Text() {
    const int32_t slot = Number();
    if (slot != 0 && slot != 1) return;
    Handle& handle = s_.textRecords[slot];
    if (handle == nullptr) handle = host_.AllocateTextRecord();
    TextRecordLock record(host_, handle);
    if (!record) return;
    record->rect = Rect();
    record->offset = Point();
    record->format = Low16(Number());
    for (uint32_t& c : record->colors) c = Color();
    ParseText(g_parsePos, g_textBuf, record->text, kTextChars, false);
    host_.InvalidatePart(record->rect);
  }

  BitmapState& s_;
  CommandHost& host_;
  uintptr_t instance_;
};

}  // namespace

void InitBitmapState(BitmapState& state) {
  state.indicatorColors[0] = kDefaultCheckedColor;
  state.indicatorColors[1] = kDefaultUncheckedColor;
  state.indicatorColors[2] = kDefaultDisabledColor;
}

uint32_t ReadColor(int32_t& pos, const char* text) {
  const uint32_t red = static_cast<uint32_t>(ParseNumber(pos, text)) & 0xFF;
  const uint32_t green = static_cast<uint32_t>(ParseNumber(pos, text)) & 0xFF;
  const uint32_t blue = static_cast<uint32_t>(ParseNumber(pos, text)) & 0xFF;
  return red | (green << 8) | (blue << 16);
}


void FillPaletteEntries(BitmapState& state) {
  state.paletteEntries.version = kPaletteVersion;
  state.paletteEntries.count = 3;
  for (int i = 0; i < 3; ++i) {
    const uint32_t c = state.indicatorColors[i];
    state.paletteEntries.entries[i] = PaletteEntry{static_cast<uint8_t>(c & 0xFF),
                                                   static_cast<uint8_t>((c >> 8) & 0xFF),
                                                   static_cast<uint8_t>((c >> 16) & 0xFF), 0};
  }
}

void DropImage(BitmapState& state, CommandHost& host) {
  if (state.image != nullptr && state.imageOwned) host.DeleteImage(state.image);
  state.image = nullptr;
  state.imageOwned = false;
}

void ParseBitmapText(BitmapState& state, CommandHost& host, const char* text,
                     const Rect32& clientRect, uintptr_t ownInstance) {
  state.clientRect = clientRect;
  CopyControlText(g_textBuf, text);
  SplitCaption();
  Parser parser(state, host, ownInstance);
  parser.Caption();
  RunCommands(g_parsePos, g_textBuf, [&parser](char letter) { parser.Command(letter); });
  FillPaletteEntries(state);
}

}  // namespace qor32::bitmap
