// Where the pattern's steps lie on the host's quarter-note grid. The step
// clock walks the grid from the pattern's anchor by adding a quarter of a
// quarter note per step; these helpers let it jump ahead without changing a
// single bit of where that walk would have arrived.
#pragma once

#include <cstdint>

constexpr double kQuartersPerStep = 0.25;

// Step 0 of the running pass: the bar start itself on every second 4/4 bar
// from position 0, else the bar before it.
double patternAnchor(double barStartPos);

// The position `visits` steps after `from`, exactly as that many repeated
// double additions of a quarter step give it (rounding included), in time
// that grows with the number of binary magnitudes crossed, not with `visits`.
// Valid for positions within +-2^48 quarter notes.
double stepPosition(double from, std::int64_t visits);

// Cuts toward zero; values beyond +-2^56 (and NaN, as 0) saturate, so that
// integer arithmetic on the result cannot overflow.
std::int64_t truncateToInt64(double value);

// Rounds toward negative infinity, saturating as truncateToInt64 does.
std::int64_t floorToInt64(double value);
