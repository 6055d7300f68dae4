// The editor's accessor per call, and the chunk saved and loaded.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/engine/BenchHost.h"
#include "engine/APlugin.h"

namespace {

void SetPatternValue(benchmark::State& state) {
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  VstInt32 step = 0;
  for (auto _ : state) {
    plugin->setPatternValue(step, 3, 0x90, StepState);
    step = (step + 1) & 31;
  }
}
BENCHMARK(SetPatternValue);

void GetPatternValue(benchmark::State& state) {
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  VstInt32 step = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plugin->getPatternValue(step, 3, StepVelocity));
    step = (step + 1) & 31;
  }
}
BENCHMARK(GetPatternValue);

void ChunkSave(benchmark::State& state) {
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  void* data = nullptr;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plugin->getChunk(&data, false));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ChunkSave);

void ChunkLoad(benchmark::State& state) {
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  void* data = nullptr;
  const VstInt32 size = plugin->getChunk(&data, false);
  std::vector<unsigned char> image(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
  for (auto _ : state) benchmark::DoNotOptimize(plugin->setChunk(image.data(), size, false));
}
BENCHMARK(ChunkLoad);

// A store and a recall: a pattern copy on the editor's side, and the
// operation sent on.
void StoreAndRecall(benchmark::State& state) {
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  VstInt16 pattern = 0;
  for (auto _ : state) {
    plugin->setPatternValue(1, 0, pattern, PatternStoreRecall);
    plugin->setPatternValue(0, 0, pattern, PatternStoreRecall);
    pattern = static_cast<VstInt16>((pattern + 1) % 24);
  }
}
BENCHMARK(StoreAndRecall);

}  // namespace
