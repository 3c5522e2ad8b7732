#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "frame/library.h"
#include "support/test_support.h"

namespace {

// Walks the process heap after every test and names the first test after
// which it is damaged; the run then fails.
class HeapCheck : public ::testing::EmptyTestEventListener {
 public:
  void OnTestEnd(const ::testing::TestInfo& test) override {
    if (damaged_ || qt::ProcessHeapIntact()) return;
    damaged_ = true;
    std::fprintf(stderr, "The process heap is damaged after %s.%s\n", test.test_suite_name(), test.name());
  }
  bool damaged() const { return damaged_; }

 private:
  bool damaged_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  // Load the library as an application does (the test may reference none
  // of its exports). The tests also call internal functions from a static
  // copy of the library's code; give that copy the DLL's instance, as the
  // entry would.
  qor32::g_hInstance = LoadLibraryA("QOR32CL.DLL");
  if (qor32::g_hInstance == nullptr) return 3;
  ::testing::InitGoogleTest(&argc, argv);
  auto* heapCheck = new HeapCheck;  // owned by the listener list
  ::testing::UnitTest::GetInstance()->listeners().Append(heapCheck);
  const int result = RUN_ALL_TESTS();
  return heapCheck->damaged() ? 4 : result;
}
