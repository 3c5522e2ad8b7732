// The library's own memory blocks (StateBlocks and the records they point
// to) come from AllocateBlock, so that tests can make them fail on demand.
#pragma once

#include <windows.h>

namespace qor32 {

// GlobalAlloc, unless the failure seam is set and its allowance is spent.
HGLOBAL AllocateBlock(UINT flags, SIZE_T size);

// Test seam: allow `allowed` more allocations on this thread, then fail
// every one until the seam is cleared with a negative value (the default).
void SetAllocationFailureSeam(int allowed);

}  // namespace qor32
