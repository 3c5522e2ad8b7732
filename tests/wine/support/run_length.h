// Length of the long-running Wine tests (storms, soak). QOR32_LONG=1 in the
// environment makes them ten times longer.
#pragma once

#include <cstdlib>
#include <cstring>

namespace qt {

inline int LongModeFactor() {
  const char* text = std::getenv("QOR32_LONG");
  return text != nullptr && *text != '\0' && std::strcmp(text, "0") != 0 ? 10 : 1;
}

}  // namespace qt
