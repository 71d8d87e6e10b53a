// Replays the fuzzer's seed corpus through the fuzz target, so the target's checks run in
// every test build and the seeds stay valid.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(StructureFuzzCorpus, EverySeedPassesTheFuzzTarget) {
  int seeds = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(QUARBEL_FUZZ_CORPUS_DIR "/structure")) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    SCOPED_TRACE(entry.path().string());
    EXPECT_EQ(
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        0);
    ++seeds;
  }
  EXPECT_GT(seeds, 0) << "the seed corpus is missing";
}

} // namespace
