#include "frame/library.h"

namespace qor32 {

HINSTANCE g_hInstance = nullptr;

}  // namespace qor32
