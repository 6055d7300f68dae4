// The editor's one rounding rule between gauge positions and stored values:
// the nearest integer, halves to the even neighbour.
#pragma once

#include <cmath>

inline int Round(double x) { return static_cast<int>(std::nearbyint(x)); }
