// The pattern `quaverlin-host play` gives the plug-in unless told otherwise:
// two bars of drums on MIDI channel 10 and a bass line on channel 1. Swung,
// the off-beat hi-hats come a little late; straight, every note lies on the
// grid.
#pragma once

#include "host/PatternImage.h"

PatternImage demoPattern(bool swung = true);
