#include "state_block.h"

#include <algorithm>

#include "frame/allocation.h"
#include <vector>

namespace qor32 {

namespace {

// Blocks released while still locked, per thread (a window's messages all
// arrive on its own thread).
thread_local std::vector<HGLOBAL>* t_released = nullptr;

std::vector<HGLOBAL>& ReleasedBlocks() {
  if (t_released == nullptr) t_released = new (std::nothrow) std::vector<HGLOBAL>();
  static std::vector<HGLOBAL> fallback;  // only if the allocation failed
  return t_released != nullptr ? *t_released : fallback;
}

}  // namespace

HGLOBAL GetSlotHandle(HWND hwnd, int offset) {
  return reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(hwnd, offset));
}

void SetSlotHandle(HWND hwnd, int offset, HGLOBAL handle) {
  SetWindowLongPtrA(hwnd, offset, reinterpret_cast<LONG_PTR>(handle));
}

HGLOBAL CreateStateBlock(HWND hwnd, int offset, std::size_t size) {
  HGLOBAL handle = AllocateBlock(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  SetSlotHandle(hwnd, offset, handle);
  return handle;
}

void ReleaseStateBlock(HWND hwnd, int offset) {
  HGLOBAL handle = GetSlotHandle(hwnd, offset);
  SetSlotHandle(hwnd, offset, nullptr);
  if (handle == nullptr) return;
  if ((GlobalFlags(handle) & GMEM_LOCKCOUNT) == 0) {
    GlobalFree(handle);
    return;
  }
  try {
    ReleasedBlocks().push_back(handle);
  } catch (...) {
    // Without room to remember it the block is kept: a small leak beats a
    // use after free.
  }
}

bool IsStateBlockReleased(HGLOBAL handle) {
  if (t_released == nullptr) return false;
  return std::find(t_released->begin(), t_released->end(), handle) != t_released->end();
}

void FinishStateBlockUnlock(HGLOBAL handle) {
  if (t_released == nullptr || t_released->empty()) return;
  auto it = std::find(t_released->begin(), t_released->end(), handle);
  if (it == t_released->end()) return;
  if ((GlobalFlags(handle) & GMEM_LOCKCOUNT) != 0) return;
  t_released->erase(it);
  GlobalFree(handle);
}

}  // namespace qor32
