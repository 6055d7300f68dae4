#include "engine/Pattern.h"

void resetPattern(Pattern& pattern) {
  for (int r = 0; r < kRows; ++r) {
    PatternRow& row = pattern.rows[r];
    row.note = static_cast<std::uint8_t>(59 - r);  // B down to C
    row.channel = 0;
    row.soundingNote = 0;
    row.soundingChannel = 0;
    for (PatternStep& step : row.steps) step = PatternStep{1, kNoteOff, kNoteOff, 127, 0, {0, 0}, 0};
  }
  pattern.reserved = 0;
  pattern.used = 0;
  pattern.defaultVelocity = 127;
  pattern.triggerBypass = 0;
}

void clearPattern(Pattern& pattern) {
  for (PatternRow& row : pattern.rows) {
    row.soundingNote = 0;
    row.soundingChannel = 0;
    for (PatternStep& step : row.steps) {
      step.state = kNoteOff;
      step.sounding = kNoteOff;
      step.velocity = 127;
      step.shift = 0;
      step.onset = 0;
    }
  }
}
