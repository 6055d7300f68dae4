// processReplacing per block: empty and full pattern, 64 / 512 / 4096
// frames, near the song start with bar starts and at ppqPos 100000 from a
// host that reports barStartPos 0.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/engine/BenchHost.h"
#include "engine/APlugin.h"

namespace {

void fillPattern(APlugin& plugin) {
  for (VstInt32 row = 0; row < kRows; ++row)
    for (VstInt32 step = 0; step < kSteps; ++step) {
      plugin.setPatternValue(step, row, 0x90, StepState);
      plugin.setPatternValue(step, row, static_cast<VstInt16>(1 + (step + row) % 3), StepMode);
      plugin.setPatternValue(step, row, static_cast<VstInt16>((step * 37 + row * 11) % 1001 - 500), StepShift);
    }
}

// Args: frames, full (0/1), far into the song (0/1).
void ProcessReplacing(benchmark::State& state) {
  const auto frames = static_cast<VstInt32>(state.range(0));
  const bool full = state.range(1) != 0;
  const bool far = state.range(2) != 0;
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  if (full) fillPattern(*plugin);
  const double start = far ? 100000.0 : 8.0;
  const double blockQuarters = frames * 120.0 / (60.0 * 44100.0);
  double offset = 0.0;
  benchTime = VstTimeInfo{};
  benchTime.sampleRate = 44100.0;
  benchTime.tempo = 120.0;
  benchTime.flags = kVstTransportPlaying;
  for (auto _ : state) {
    // The song moves on, and wraps within two bars so that the position
    // stays where it was asked for.
    benchTime.ppqPos = start + offset;
    benchTime.barStartPos = far ? 0.0 : 8.0 + 4.0 * static_cast<int>(offset / 4.0);
    plugin->processReplacing(nullptr, nullptr, frames);
    offset += blockQuarters;
    if (offset >= 8.0) offset -= 8.0;
  }
  state.SetLabel(std::string(full ? "full" : "empty") + (far ? ", ppqPos 100000 barStart 0" : ", ppqPos 8"));
}

}  // namespace

BENCHMARK(ProcessReplacing)->ArgsProduct({{64, 512, 4096}, {0, 1}, {0, 1}})->ArgNames({"frames", "full", "far"});
