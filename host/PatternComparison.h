// Two chunks compared as patterns: what a user made (notes, channels, cells,
// the pattern flags), leaving out the step clock's marks (`sounding`,
// `soundingNote`, `soundingChannel`, `onset`), which move with the song
// position and come back from a host changed by playing.
#pragma once

#include <string>
#include <vector>

#include "host/PatternImage.h"

// One line per differing field, e.g. "slot 24 row 3 step 5 velocity: 100 / 90".
std::vector<std::string> patternDifferences(PatternImage first, PatternImage second);
