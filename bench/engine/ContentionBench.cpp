// How long the audio thread waits for the pattern lock while an editor
// thread hammers the accessor (reads, stores, recalls, clears, chunk loads)
// and a MIDI thread sends recalls. Each iteration is one audio block of the
// real step clock on a full pattern; the counters give the audio thread's
// worst and 99.9th-percentile wait, and for scale the longest section the
// lock covers (a chunk load) measured alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "bench/engine/BenchHost.h"
#include "engine/PatternMemoryPlaySource.h"
#include "engine/StepClock.h"
#include "frame/DAudioEffectX.h"

namespace {

using Clock = std::chrono::steady_clock;

class EventSender : public AudioEffectX {
public:
  EventSender() : AudioEffectX(&benchHost, 1, 0) {}
  void process(float**, float**, VstInt32) override {}
};

double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void AudioWaitUnderContention(benchmark::State& state) {
  auto memory = std::make_unique<PatternMemory>();
  for (PatternRow& row : memory->current().rows)
    for (PatternStep& step : row.steps) step.state = kNoteOn;
  std::vector<unsigned char> image(kChunkSize);
  memory->savePatternImage(image.data());
  EventSender sender;
  StepClock clock;
  auto events = std::make_unique<BlockEvents>();

  Clock::duration longestLoad{};
  for (int i = 0; i < 200; ++i) {
    const auto t0 = Clock::now();
    std::lock_guard section(memory->lock);
    memory->loadPatternImage(image.data(), image.size());
    longestLoad = std::max(longestLoad, Clock::now() - t0);
  }

  std::atomic<bool> done{false};
  std::thread editor([&] {
    for (unsigned i = 0; !done; ++i) {
      std::lock_guard section(memory->lock);
      switch (i % 6) {
        case 0: memory->setValue(static_cast<VstInt32>(i % 32), static_cast<VstInt32>(i % 12), 0x90, StepState); break;
        case 1: (void)memory->getValue(static_cast<VstInt32>(i % 32), 2, StepVelocity); break;
        case 2: memory->setValue(1, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 3: memory->setValue(0, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 4: memory->setValue(0, 0, 0, PatternClear); break;
        default: memory->loadPatternImage(image.data(), image.size()); break;
      }
    }
  });
  std::thread midi([&] {
    for (unsigned i = 0; !done; ++i) {
      {
        RealtimeSection section(memory->lock);
        memory->recall(static_cast<int>(i % 24));
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });

  std::vector<double> waits;
  waits.reserve(1 << 20);
  double ppqPos = 0.0;
  for (auto _ : state) {
    VstTimeInfo info{};
    info.sampleRate = 44100.0;
    info.tempo = 120.0;
    info.ppqPos = ppqPos;
    info.barStartPos = static_cast<int>(ppqPos / 4.0) * 4.0;
    info.flags = kVstTransportPlaying;
    const BlockTiming timing = readBlockTiming(&info);
    const auto t0 = Clock::now();
    {
      RealtimeSection section(memory->lock);
      const auto t1 = Clock::now();
      PatternMemoryPlaySource source(*memory);
      clock.playBlock(timing, 512, source, *events);
      memory->transportPlaying = clock.playing();
      if (waits.size() < waits.capacity()) waits.push_back(microseconds(t1 - t0));
    }
    if (events->size() > 0) sender.sendVstEventsToHost(events->asVstEvents());
    ppqPos += 512.0 / 22050.0;
  }
  done = true;
  editor.join();
  midi.join();

  std::sort(waits.begin(), waits.end());
  state.counters["wait_max_us"] = waits.back();
  state.counters["wait_p999_us"] = waits[waits.size() * 999 / 1000];
  state.counters["wait_p50_us"] = waits[waits.size() / 2];
  state.counters["chunk_load_max_us"] = microseconds(longestLoad);
}
BENCHMARK(AudioWaitUnderContention)->Iterations(200000)->UseRealTime();

}  // namespace
