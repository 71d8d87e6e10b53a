// Runs a fuzz target over every file of its seed corpus, so the target's own checks run in
// every test build and the seeds stay valid. Usage: REPLAY CORPUS_FOLDER
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++seeds;
  }
  if (seeds == 0) {
    std::fprintf(stderr, "no seeds in %s\n", argv[1]);
    return 1;
  }
  std::printf("%d seeds passed\n", seeds);
  return 0;
}
