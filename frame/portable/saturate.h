// 64-bit intermediate values brought back into the 32-bit range: sums and
// products of coordinates read from control texts or bitmap sizes saturate
// instead of overflowing.
#pragma once

#include <cstdint>

namespace qor32 {

constexpr int32_t Saturate32(int64_t value) {
  return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
}

}  // namespace qor32
