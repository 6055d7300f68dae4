// The audio thread never waits for the editor. A UI thread hammers chunk
// loads, stores, recalls and edits while the audio thread plays 512-frame
// blocks, both on one core: a block then costs the audio thread (by its own
// CPU clock, so being preempted does not count, spinning would) about what
// it costs alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <time.h>
#endif

#include "engine/APlugin.h"

#if defined(__linux__)
namespace {

VstTimeInfo stallTime{};

VstIntPtr stallHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(&stallTime);
  if (opcode == audioMasterProcessEvents) return 1;
  return 0;
}

double threadCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

void pinTo(std::thread& thread, int cpu) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  ASSERT_EQ(pthread_setaffinity_np(thread.native_handle(), sizeof set, &set), 0);
}

int firstAllowedCpu() {
  cpu_set_t set;
  CPU_ZERO(&set);
  sched_getaffinity(0, sizeof set, &set);
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
    if (CPU_ISSET(cpu, &set)) return cpu;
  return 0;
}

// The worst CPU time of one block, over `blocks` blocks a host's period apart.
double worstBlockCpu(APlugin& plugin, int blocks, int cpu) {
  double worst = 0.0;
  std::thread audio([&] {
    VstMidiEvent trigger{};
    trigger.type = kVstMidiType;
    trigger.midiData[0] = 0x90;
    trigger.midiData[2] = 100;
    VstEvents incoming{};
    incoming.numEvents = 1;
    incoming.events[0] = reinterpret_cast<VstEvent*>(&trigger);
    double ppqPos = 0.0;
    for (int b = 0; b < blocks; ++b) {
      stallTime.ppqPos = ppqPos;
      stallTime.barStartPos = static_cast<double>(static_cast<long long>(ppqPos / 4) * 4);
      stallTime.flags = (b % 200) < 190 ? kVstTransportPlaying : 0;
      trigger.midiData[1] = static_cast<unsigned char>(48 + b % 24);
      const double start = threadCpuMicroseconds();
      if (b % 8 == 0) plugin.processEvents(&incoming);
      plugin.processReplacing(nullptr, nullptr, 512);
      worst = std::max(worst, threadCpuMicroseconds() - start);
      ppqPos += 512.0 / 22050.0;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  pinTo(audio, cpu);
  audio.join();
  return worst;
}

}  // namespace

TEST(AudioStall, ABlockCostsAboutTheSameWithTheEditorHammeringOnTheSameCore) {
  auto plugin = std::make_unique<APlugin>(&stallHost, nullptr);
  stallTime.sampleRate = 44100.0;
  stallTime.tempo = 120.0;
  for (VstInt32 row = 0; row < 12; ++row)
    for (VstInt32 step = 0; step < 32; ++step) plugin->setPatternValue(step, row, 0x90, StepState);
  const int cpu = firstAllowedCpu();
  const double alone = worstBlockCpu(*plugin, 1500, cpu);

  void* data = nullptr;
  const VstInt32 size = plugin->getChunk(&data, false);
  std::vector<unsigned char> image(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
  std::atomic<bool> done{false};
  std::thread editor([&] {
    for (unsigned i = 0; !done; ++i) {
      switch (i % 5) {
        case 0: plugin->setChunk(image.data(), size, false); break;
        case 1: plugin->setPatternValue(1, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 2: plugin->setPatternValue(0, 0, static_cast<VstInt16>(i % 24), PatternStoreRecall); break;
        case 3: plugin->setPatternValue(0, 0, 0, PatternClear); break;
        default:
          plugin->setPatternValue(static_cast<VstInt32>(i % 32), static_cast<VstInt32>(i % 12), 0x90, StepState);
          break;
      }
    }
  });
  pinTo(editor, cpu);
  const double contended = worstBlockCpu(*plugin, 1500, cpu);
  done = true;
  editor.join();
  RecordProperty("alone_worst_us", static_cast<int>(alone));
  RecordProperty("contended_worst_us", static_cast<int>(contended));
  EXPECT_LT(contended, alone + 2000.0) << "alone " << alone << " us";
}
#else
TEST(AudioStall, ABlockCostsAboutTheSameWithTheEditorHammeringOnTheSameCore) {
  GTEST_SKIP() << "pins threads and reads thread CPU clocks the Linux way";
}
#endif
