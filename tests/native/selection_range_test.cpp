#include "controls/selection/portable/option_range.h"

#include <gtest/gtest.h>

namespace qor32 {
namespace {

TEST(OptionRangeTest, LowWordMembership) {
  struct Case {
    uint32_t first;
    int32_t count;
    uint32_t id;
    bool in;
  } cases[] = {
      {100, 3, 100, true},    {100, 3, 102, true},  {100, 3, 103, false}, {100, 3, 99, false},
      {100, 0, 100, false},                                      // no options
      {100, 3, 0x10065, true},                                   // only the low word counts
      {0x10064, 3, 101, true},
      {65533, 2, 65534, true},
      {65534, 2, 65535, false},                                  // end wraps to 0: empty
      {65535, 2, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InOptionRange(c.first, c.count, c.id), c.in) << c.first << "+" << c.count << " " << c.id;
}

}  // namespace
}  // namespace qor32
