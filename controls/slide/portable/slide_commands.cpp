#include "controls/slide/portable/slide_commands.h"

#include "frame/portable/command_reader.h"

namespace qor32 {
namespace slide {

uint16_t ShapeOptions(int32_t o1, int32_t o2, int32_t o3, int32_t o4) {
  return static_cast<uint16_t>((o1 & 1) | ((o2 & 7) << 1) | ((o3 & 1) << 4) | ((o4 & 7) << 5));
}

namespace {

void ReadShape(int32_t& pos, const char* text, SlideText& out) {
  const int32_t o1 = ParseNumber(pos, text);
  const int32_t o2 = ParseNumber(pos, text);
  const int32_t o3 = ParseNumber(pos, text);
  const int32_t o4 = ParseNumber(pos, text);
  out.options = ShapeOptions(o1, o2, o3, o4);
  ParseText(pos, text, out.thumbName, kNameCapacity, true);
  ParseText(pos, text, out.trackName, kNameCapacity, true);
  int32_t* const values[] = {&out.minX, &out.minY, &out.posX,  &out.posY,
                             &out.maxX, &out.maxY, &out.pageX, &out.pageY};
  for (int32_t* value : values) *value = ParseNumber(pos, text);
  out.hasShape = true;
}

}  // namespace

SlideText ParseSlideText(const char* text) {
  // The control's own working copy; the text it was given may be longer.
  char buffer[kControlTextCapacity];
  CopyControlText(buffer, text);
  SlideText out;
  g_parsePos = 0;
  RunCommands(g_parsePos, buffer, [&](char letter) {
    switch (letter) {
      case 'H':
        out.instance = ParseNumber(g_parsePos, buffer);
        out.hasInstance = true;
        break;
      case 'S': ReadShape(g_parsePos, buffer, out); break;
      default: break;
    }
  });
  return out;
}

}  // namespace slide
}  // namespace qor32
