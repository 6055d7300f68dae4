// The editor's one rounding rule between gauge positions and stored values:
// the nearest integer, halves to the even neighbour. Some of what it rounds
// comes from the host (shifts scale with the transport's sample rate), so
// the value is first clamped to the integer type's range, NaN giving 0:
// converting anything outside it would be undefined.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

template <typename Int>
Int RoundTo(double x) {
  if (std::isnan(x)) return 0;
  constexpr auto kLow = static_cast<double>(std::numeric_limits<Int>::min());
  constexpr auto kHigh = static_cast<double>(std::numeric_limits<Int>::max());
  return static_cast<Int>(std::nearbyint(std::clamp(x, kLow, kHigh)));
}

inline int Round(double x) { return RoundTo<int>(x); }
