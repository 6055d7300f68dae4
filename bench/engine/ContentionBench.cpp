// The audio thread's block, alone and while a UI thread hammers the
// patterns (chunk loads, stores, recalls, clears, edits) and MIDI recalls
// arrive: free to run on the other core, and pinned to the audio thread's
// core. Each iteration is one 512-frame block of a full pattern, a host's
// period apart; the counters give the block's wall time and the audio
// thread's own CPU time (median, 99.9th percentile, worst), in µs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include "bench/engine/BenchHost.h"
#include "engine/APlugin.h"

namespace {

enum Setting { Alone = 0, Contended = 1, OneCore = 2 };

double threadCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

void pinTo(pthread_t thread, int cpu) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  pthread_setaffinity_np(thread, sizeof set, &set);
}

void summarize(benchmark::State& state, const char* name, std::vector<double>& values) {
  std::sort(values.begin(), values.end());
  const std::string prefix(name);
  state.counters[prefix + "_p50_us"] = values[values.size() / 2];
  state.counters[prefix + "_p999_us"] = values[values.size() * 999 / 1000];
  state.counters[prefix + "_max_us"] = values.back();
}

void hammer(APlugin& plugin, const std::vector<unsigned char>& image, std::atomic<bool>& done) {
  std::vector<unsigned char> chunk = image;
  for (unsigned i = 0; !done; ++i) {
    switch (i % 6) {
      case 0: plugin.setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()), false); break;
      case 1: plugin.setPatternValue(1, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
      case 2: plugin.setPatternValue(0, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
      case 3: plugin.setPatternValue(0, 0, 0, PatternClear); break;
      case 4: (void)plugin.getPatternValue(static_cast<VstInt32>(i % 32), 2, StepVelocity); break;
      default:
        plugin.setPatternValue(static_cast<VstInt32>(i % 32), static_cast<VstInt32>(i % 12), 0x90, StepState);
        break;
    }
  }
}

void AudioBlock(benchmark::State& state) {
  const auto setting = static_cast<Setting>(state.range(0));
  auto plugin = std::make_unique<APlugin>(&benchHost, nullptr);
  for (VstInt32 row = 0; row < kRows; ++row)
    for (VstInt32 step = 0; step < kSteps; ++step) plugin->setPatternValue(step, row, 0x90, StepState);
  void* data = nullptr;
  const VstInt32 size = plugin->getChunk(&data, false);
  const std::vector<unsigned char> image(static_cast<unsigned char*>(data),
                                         static_cast<unsigned char*>(data) + size);

  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  sched_getaffinity(0, sizeof allowed, &allowed);
  int cpu = 0;
  while (cpu < CPU_SETSIZE - 1 && !CPU_ISSET(cpu, &allowed)) ++cpu;
  pinTo(pthread_self(), cpu);

  std::atomic<bool> done{false};
  std::thread editor;
  if (setting != Alone) {
    editor = std::thread(hammer, std::ref(*plugin), std::cref(image), std::ref(done));
    if (setting == OneCore) pinTo(editor.native_handle(), cpu);
  }

  VstMidiEvent trigger{};
  trigger.type = kVstMidiType;
  trigger.midiData[0] = 0x90;
  trigger.midiData[2] = 100;
  VstEvents incoming{};
  incoming.numEvents = 1;
  incoming.events[0] = reinterpret_cast<VstEvent*>(&trigger);
  benchTime = VstTimeInfo{};
  benchTime.sampleRate = 44100.0;
  benchTime.tempo = 120.0;
  benchTime.flags = kVstTransportPlaying;

  std::vector<double> wall;
  std::vector<double> cpuTime;
  wall.reserve(static_cast<std::size_t>(state.max_iterations));
  cpuTime.reserve(static_cast<std::size_t>(state.max_iterations));
  double ppqPos = 0.0;
  unsigned block = 0;
  for (auto _ : state) {
    benchTime.ppqPos = ppqPos;
    benchTime.barStartPos = static_cast<double>(static_cast<long long>(ppqPos / 4) * 4);
    trigger.midiData[1] = static_cast<unsigned char>(48 + block % 24);
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = threadCpuMicroseconds();
    if (block % 8 == 0) plugin->processEvents(&incoming);
    plugin->processReplacing(nullptr, nullptr, 512);
    const double c1 = threadCpuMicroseconds();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - t0;
    state.SetIterationTime(elapsed.count());
    wall.push_back(elapsed.count() * 1e6);
    cpuTime.push_back(c1 - c0);
    ppqPos += 512.0 / 22050.0;
    ++block;
    // A host's period: the UI thread gets the core in between.
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  done = true;
  if (editor.joinable()) editor.join();
  summarize(state, "wall", wall);
  summarize(state, "cpu", cpuTime);
}
BENCHMARK(AudioBlock)->Arg(Alone)->Arg(Contended)->Arg(OneCore)->Iterations(20000)->UseManualTime();

}  // namespace
