#include "engine/StepGrid.h"

#include <cmath>

double patternAnchor(double barStartPos) {
  return truncateToInt64(barStartPos) % 8 != 0 ? barStartPos - 4.0 : barStartPos;
}

double stepPosition(double from, std::int64_t visits) {
  // From a point of the quarter-step grid (every bar start a host reports)
  // no sum ever rounds.
  if (from == std::floor(from / kQuartersPerStep) * kQuartersPerStep)
    return from + kQuartersPerStep * static_cast<double>(visits);
  double pos = from;
  while (visits > 0) {
    if (pos < 0.0) {
      // Toward zero the magnitude falls: every sum up to the first one at or
      // above zero is the exact one, rounded at most once.
      const auto toZero = static_cast<std::int64_t>(std::ceil(-pos / kQuartersPerStep));
      if (visits <= toZero) return pos + kQuartersPerStep * static_cast<double>(visits);
      pos += kQuartersPerStep * static_cast<double>(toZero);
      visits -= toZero;
    } else if (pos < kQuartersPerStep) {
      pos += kQuartersPerStep;
      --visits;
    } else {
      // Inside one binary magnitude a quarter step is a whole number of the
      // last place, so sums are exact; only the step into the next
      // magnitude rounds, and that one is taken as the walk takes it.
      int exponent = 0;
      std::frexp(pos, &exponent);
      const double nextMagnitude = std::ldexp(1.0, exponent);
      const auto inside =
          static_cast<std::int64_t>(std::ceil((nextMagnitude - pos) / kQuartersPerStep)) - 1;
      if (visits <= inside) return pos + kQuartersPerStep * static_cast<double>(visits);
      pos += kQuartersPerStep * static_cast<double>(inside);
      pos += kQuartersPerStep;
      visits -= inside + 1;
    }
  }
  return pos;
}

std::int64_t truncateToInt64(double value) {
  constexpr double kLimit = 72057594037927936.0;  // 2^56
  if (!(value == value)) return 0;
  if (value >= kLimit) return static_cast<std::int64_t>(kLimit);
  if (value <= -kLimit) return -static_cast<std::int64_t>(kLimit);
  return static_cast<std::int64_t>(value);
}

std::int64_t floorToInt64(double value) { return truncateToInt64(std::floor(value)); }
