#include "engine/ClockScratch.h"

namespace {

void copyCells(const Pattern& from, Pattern& to) {
  for (int r = 0; r < kRows; ++r) {
    to.rows[r].note = from.rows[r].note;
    to.rows[r].channel = from.rows[r].channel;
    for (int s = 0; s < kSteps; ++s) {
      const PatternStep& cell = from.rows[r].steps[s];
      PatternStep& into = to.rows[r].steps[s];
      into.mode = cell.mode;
      into.state = cell.state;
      into.velocity = cell.velocity;
      into.shift = cell.shift;
    }
  }
}

}  // namespace

void ClockScratch::playBlock(PlaySource& source, AudioEffectX& host, const BlockTiming& timing,
                             VstInt32 frames) {
  copyCells(source.playing(), memory_->current());
  const Pattern* waiting = source.waiting();
  if (waiting) copyCells(*waiting, memory_->queued());
  memory_->switchPending = waiting != nullptr;
  StepClock(*memory_, host).playBlock(timing, frames);
  if (waiting && !memory_->switchPending) source.takeOver();
}
