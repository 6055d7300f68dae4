// The editor's costs as a host meets them: the idle refresh when nothing
// changed and when only the playing step moved, a full repaint of the
// window, opening the editor (skin images and the about JPEG decoded), and
// the heap one open editor holds; the last three at each scale (the
// benchmark's argument, in percent).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <time.h>

#include <cmath>
#include <memory>

#include "editor/APluginEditor.h"
#include "editor/PluginEditorWindow.h"
#include "frame/PluginEntry.h"

namespace {

struct Instance {
  std::unique_ptr<AudioEffect> effect{createEffectInstance(nullptr)};
  APlugin& plugin = static_cast<APlugin&>(*effect);
  APluginEditor& bridge = static_cast<APluginEditor&>(*effect->getEditor());

  explicit Instance(int percent = 100) {
    bridge.setScale(percent);
    // A busy pattern, so the refresh has cells, lanes and labels to show.
    for (int row = 0; row < 12; ++row)
      for (int step = row % 3; step < 32; step += 3) {
        plugin.setPatternValue(step, row, 0x90, StepState);
        plugin.setPatternValue(step, row, static_cast<VstInt16>(1 + (step + row) % 3), StepMode);
        plugin.setPatternValue(step, row, static_cast<VstInt16>(4 * step), StepVelocity);
      }
    for (int p = 0; p < 24; p += 2) plugin.setPatternValue(p, 0, 1, PatternUsed);
  }
  // Without a parent window: the editor as a host gets it, minus the
  // window system's share.
  void open() { bridge.openHeadless(); }
  TPluginEditorWindow& window() { return *bridge.window(); }
};

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void BM_RestoreWindowStateWhenNothingChanged(benchmark::State& state) {
  Instance instance;
  instance.open();
  instance.bridge.idle();
  instance.window().PaintInvalid();
  for (auto _ : state) instance.window().RestoreWindowState();
  if (instance.window().NeedsPaint()) state.SkipWithError("an unchanged refresh invalidated something");
}
BENCHMARK(BM_RestoreWindowStateWhenNothingChanged)->Unit(benchmark::kMicrosecond);

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The transport a host reports to the plug-in that plays with the editor.
VstTimeInfo songTime{};
VstIntPtr answerTime(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  return opcode == audioMasterGetTime ? reinterpret_cast<VstIntPtr>(&songTime) : 0;
}

// An idle call, and the painting of what it changed, when nothing but the
// playing step moved since the last one: the refresh finds the state as it
// was, and the grid repaints the column left and the column reached. The
// block that moves the song on belongs to the audio thread and is not
// timed: only the idle and its painting are, by the processor time of this
// thread around them (six builds share this machine's two cores: wall time
// would count the others' turns).
void BM_IdleWhenOnlyThePlayheadMoved(benchmark::State& state) {
  std::unique_ptr<AudioEffect> effect{createEffectInstance(&answerTime)};
  auto& bridge = static_cast<APluginEditor&>(*effect->getEditor());
  songTime.sampleRate = 44100.0;
  songTime.tempo = 120.0;
  songTime.flags = kVstTransportPlaying;
  bridge.openHeadless();
  bridge.idle();
  TPluginEditorWindow& window = *bridge.window();
  window.PaintInvalid();
  int moves = 0;
  for (auto _ : state) {
    songTime.ppqPos = std::fmod(songTime.ppqPos + 0.25, 8.0);
    effect->processReplacing(nullptr, nullptr, 512);
    const double start = ThreadSeconds();
    bridge.idle();
    benchmark::DoNotOptimize(window.PaintInvalid());
    state.SetIterationTime(ThreadSeconds() - start);
    if (window.NoteGrid->CurrentColumn() == static_cast<int>(songTime.ppqPos * 4.0)) ++moves;
  }
  if (moves != state.iterations()) state.SkipWithError("the playhead did not follow the song");
}
BENCHMARK(BM_IdleWhenOnlyThePlayheadMoved)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_FullRepaintOfTheWindow(benchmark::State& state) {
  Instance instance(static_cast<int>(state.range(0)));
  instance.open();
  instance.bridge.idle();
  for (auto _ : state) {
    instance.window().Invalidate();
    benchmark::DoNotOptimize(instance.window().PaintInvalid());
  }
}
BENCHMARK(BM_FullRepaintOfTheWindow)->Unit(benchmark::kMicrosecond)->Arg(100)->Arg(150)->Arg(200);

// effEditOpen to a painted window: every component, the seven skin images
// decoded, the first paint (the about picture waits until it is shown).
// A host opens the editor into memory its process has not used yet. Left
// to itself, malloc would keep the pages the last iteration freed, and this
// would time a warm reopen: between iterations every free page goes back
// to the system, so each open faults its pictures' pages in afresh and the
// kernel's work for that is counted, as at a first open.
void BM_EditorOpen(benchmark::State& state) {
  Instance instance(static_cast<int>(state.range(0)));
  malloc_trim(0);
  for (auto _ : state) {
    instance.open();
    state.PauseTiming();
    instance.bridge.close();
    malloc_trim(0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(150)->Arg(200);

// Heap held by one open, refreshed and painted editor, counted by the
// allocator (mmapped blocks included), not estimated.
void BM_MemoryOfOneOpenEditor(benchmark::State& state) {
  Instance instance(static_cast<int>(state.range(0)));
  std::size_t held = 0;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    instance.open();
    instance.bridge.idle();
    instance.window().PaintInvalid();
    held = HeapInUse() - before;
    state.PauseTiming();
    instance.bridge.close();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(held);
  state.counters["MiB"] = static_cast<double>(held) / (1024.0 * 1024.0);
}
BENCHMARK(BM_MemoryOfOneOpenEditor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200);

}  // namespace
