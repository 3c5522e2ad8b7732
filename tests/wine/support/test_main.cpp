#include <windows.h>

#include <gtest/gtest.h>

#include "frame/library.h"

int main(int argc, char** argv) {
  // Load the library as an application does (the test may reference none
  // of its exports). The tests also call internal functions from a static
  // copy of the library's code; give that copy the DLL's instance, as the
  // entry would.
  qor32::g_hInstance = LoadLibraryA("QOR32CL.DLL");
  if (qor32::g_hInstance == nullptr) return 3;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
