// How the editor and the audio thread share the patterns without the audio
// thread ever waiting.
//
// There are two copies of the patterns. The editor's model (EditorPatterns)
// belongs to the editor's side: every accessor call, chunk load and chunk
// save, on whatever non-audio thread, under one mutex that only those
// callers take. Every change applies to the model at once (so the editor
// reads its own writes even when the host plays no blocks) and goes out as a
// numbered operation. The audio thread's copy (AudioPatterns) repeats those
// operations in their order at the start of each block, taking them from the
// OpRing; when it fell too far behind (a suspended host) or a chunk was
// loaded, the editor's side publishes a whole copy of its model instead,
// which the audio thread takes by exchanging buffers (TripleBuffer). The
// audio thread's copy therefore always equals the model as it stood after
// some operation: the same operations on the same start, in the same order.
//
// The audio thread never changes its copy on its own. Had both sides changed
// the patterns, an edit racing a pattern switch, or a store racing a MIDI
// recall, would leave the two copies different for good, and the wrong
// pattern would be stored or played. What the audio side decides is
// signalled here instead, through atomics, and the editor's side turns it
// into operations at its next call:
// - A pattern switch: when the step clock takes over the waiting pattern,
//   the audio thread plays the queued slot as the current one and publishes
//   the number of the operation that queued it (switchedSeq); the editor's
//   side then makes the queued pattern current in its model and sends
//   SwitchComplete, which brings the audio copy to the same state.
// - A MIDI recall: processEvents posts (generation, pattern) in midiRecall,
//   touching nothing else. The audio thread plays it at once from a pattern
//   copy of its own (standing transport) or lets it wait for the next step,
//   until the editor's side has carried it out as a recall operation that
//   names the generation (ackedGen).
// - The transport: transportPlaying, as in the last block, decides whether
//   the editor's side makes a recall current at once or queues it.
//
// The audio path holds no lock: processReplacing and processEvents touch
// the patterns only through AudioPatterns and PatternChannel::postMidiRecall,
// whose every shared access is an atomic load, store or exchange on the
// members below, the OpRing slots and the TripleBuffer index; none of them
// retries or waits. The editor's mutex lives in EditorPatterns, which the
// audio path does not include.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/OpRing.h"
#include "engine/PatternOp.h"
#include "engine/TripleBuffer.h"

struct PatternChannel {
  OpRing ring;
  TripleBuffer<PatternReplica> snapshots;  // the audio thread's copy is the front one

  // Written by the audio thread.
  std::atomic<std::uint64_t> consumedSeq{0};   // the last operation it applied
  std::atomic<std::uint64_t> switchedSeq{0};   // the queueing operation whose pattern took over
  std::atomic<bool> transportPlaying{false};

  // Written by the editor's side: the current pattern's trigger bypass.
  std::atomic<bool> triggerBypass{false};

  // Written by the MIDI delivery: the newest recall, generation << 8 | pattern.
  std::atomic<std::uint64_t> midiRecall{0};
  std::atomic<std::uint32_t> midiGenerations{0};

  void postMidiRecall(int pattern) noexcept {
    const std::uint64_t gen = midiGenerations.fetch_add(1, std::memory_order_relaxed) + 1u;
    midiRecall.store(gen << 8 | static_cast<std::uint64_t>(pattern), std::memory_order_release);
  }
};
