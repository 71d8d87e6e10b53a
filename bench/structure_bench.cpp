// Reading and writing large course structures. The cost per node must not grow with the
// size of the structure: the complexity report at the end should say O(N).
#include "structure/structure_file.h"
#include "text/cp1251.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace quarbel;

Outline MakeOutline(int nodes) {
  Outline outline;
  outline.reserve(static_cast<size_t>(nodes));
  const std::string heading = Cp1251FromUtf8("Розділ ");
  const std::string lecture = Cp1251FromUtf8("Лекція ");
  const std::string folder = Cp1251FromUtf8(" [ /home/вчитель/Курс/Лекція ");
  int depth = 0;
  for (int i = 0; i < nodes; ++i) {
    if (i % 4 == 0)
      outline.push_back({depth, heading + std::to_string(i)});
    else
      outline.push_back(
          {depth, lecture + std::to_string(i) + folder + std::to_string(i) + ".doc ]"});
    depth = (i % 9 == 8) ? 0 : (i % 4 == 0 ? depth + 1 : depth);
  }
  return outline;
}

void BM_ParseStructure(benchmark::State& state) {
  const std::string bytes = FormatStructure(MakeOutline(static_cast<int>(state.range(0))));
  for (auto _ : state)
    benchmark::DoNotOptimize(ParseStructure(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseStructure)->RangeMultiplier(2)->Range(25000, 200000)->Complexity(benchmark::oN);

void BM_FormatStructure(benchmark::State& state) {
  const Outline outline = MakeOutline(static_cast<int>(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = FormatStructure(outline);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FormatStructure)->RangeMultiplier(2)->Range(25000, 200000)->Complexity(benchmark::oN);

// The whole round through the disk: write the file (temporary file, sync, rename), read it.
void BM_WriteAndReadStructureFile(benchmark::State& state) {
  const Outline outline = MakeOutline(static_cast<int>(state.range(0)));
  const auto file = std::filesystem::temp_directory_path() /
                    ("quarbel-bench-" + std::to_string(::getpid()) + ".QCT");
  for (auto _ : state) {
    WriteStructureFile(file, outline);
    benchmark::DoNotOptimize(ReadStructureFile(file));
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteAndReadStructureFile)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
