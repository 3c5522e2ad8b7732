// The identifier range of a selection group: options occupy first to
// first + count - 1; membership is tested on the low 16 bits, with the end
// taken modulo 65536 like the identifiers themselves.
#pragma once

#include <cstdint>

namespace qor32 {

constexpr bool InOptionRange(uint32_t first, int32_t count, uint32_t id) {
  const uint16_t low = static_cast<uint16_t>(first);
  const uint16_t end = static_cast<uint16_t>(first + static_cast<uint32_t>(count));
  const uint16_t value = static_cast<uint16_t>(id);
  return low <= value && value < end;
}

}  // namespace qor32
