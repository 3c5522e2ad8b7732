// Replays the fuzz corpus through the fuzz entry, so every input that ever
// mattered stays a regression test under the sanitizers.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzCorpusTest, EveryCorpusInputRunsCleanly) {
  const std::filesystem::path corpus = QOR32_FUZZ_CORPUS;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(data.data(), data.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}
