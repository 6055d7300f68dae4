// The step clock's view of the pattern memory while the caller holds its
// lock: the current slot plays, the queued slot waits while a switch is
// pending, and taking over completes the switch.
#pragma once

#include "engine/PatternMemory.h"
#include "engine/PlaySource.h"

class PatternMemoryPlaySource final : public PlaySource {
public:
  explicit PatternMemoryPlaySource(PatternMemory& memory) : memory_(memory) {}
  const Pattern& playing() const override { return memory_.current(); }
  const Pattern* waiting() const override {
    return memory_.switchPending ? &memory_.queued() : nullptr;
  }
  void takeOver() override { memory_.completeSwitch(); }

private:
  PatternMemory& memory_;
};
