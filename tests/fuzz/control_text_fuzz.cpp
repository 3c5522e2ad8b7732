// Fuzz entry over the control-text reader and the parsing controls'
// command handling. The first byte of the input picks the parser; the rest
// is the control text (any bytes, cut to the control-text capacity the way
// the controls cut it).
//
// Built as a libFuzzer target (clang, ASan, UBSan) and also linked into the
// native tests, which replay the corpus in tests/fuzz/corpus/.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "frame/portable/command_reader.h"

namespace {

using qor32::g_captionBuf;
using qor32::g_parsePos;
using qor32::g_textBuf;

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t selector = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  text = text.c_str();  // a control text ends at its first zero byte
  switch (selector % 1) {
    default: ReadEverything(text.c_str()); break;
  }
  return 0;
}
