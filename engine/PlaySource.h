// What the step clock plays in one block: the pattern whose cells decide the
// steps now, and a recalled pattern that waits to take over at the next step
// the clock plays (or at the stop). The clock reads patterns only through
// this and never writes them: what sounds is the clock's own state.
#pragma once

#include "engine/Pattern.h"

class PlaySource {
public:
  virtual const Pattern& playing() const = 0;
  // The recalled pattern waiting for the next step, or null when none waits.
  virtual const Pattern* waiting() const = 0;
  // The waiting pattern becomes the playing one.
  virtual void takeOver() = 0;

protected:
  ~PlaySource() = default;
};
