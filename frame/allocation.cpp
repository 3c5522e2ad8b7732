#include "frame/allocation.h"

namespace qor32 {
namespace {

thread_local int t_allowed = -1;

}  // namespace

HGLOBAL AllocateBlock(UINT flags, SIZE_T size) {
  if (t_allowed == 0) return nullptr;
  if (t_allowed > 0) --t_allowed;
  return GlobalAlloc(flags, size);
}

void SetAllocationFailureSeam(int allowed) { t_allowed = allowed < 0 ? -1 : allowed; }

}  // namespace qor32
