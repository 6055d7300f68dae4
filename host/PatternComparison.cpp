#include "host/PatternComparison.h"

#include <cstdio>

namespace {

struct Field {
  const char* name;
  std::size_t offset;
};

constexpr Field kPatternFields[] = {{"reserved", 0}, {"used", 1}, {"defaultVelocity", 2}, {"triggerBypass", 3}};
constexpr Field kRowFields[] = {{"note", 0}, {"channel", 1}};
constexpr Field kStepFields[] = {{"mode", 0}, {"state", 1}, {"velocity", 3}};
constexpr Field kShift = {"shift", 4};

void compare(std::vector<std::string>& out, const char* where, const Field& field, int a, int b) {
  if (a == b) return;
  char line[96];
  std::snprintf(line, sizeof line, "%s %s: %d / %d", where, field.name, a, b);
  out.push_back(line);
}

}  // namespace

std::vector<std::string> patternDifferences(PatternImage first, PatternImage second) {
  std::vector<std::string> out;
  char where[48];
  for (int slot = 0; slot < 26; ++slot) {
    std::snprintf(where, sizeof where, "slot %d", slot);
    for (const Field& f : kPatternFields)
      compare(out, where, f, first.patternByte(slot, f.offset), second.patternByte(slot, f.offset));
    for (int row = 0; row < 12; ++row) {
      std::snprintf(where, sizeof where, "slot %d row %d", slot, row);
      for (const Field& f : kRowFields)
        compare(out, where, f, first.rowByte(slot, row, f.offset), second.rowByte(slot, row, f.offset));
      for (int step = 0; step < 32; ++step) {
        std::snprintf(where, sizeof where, "slot %d row %d step %d", slot, row, step);
        for (const Field& f : kStepFields)
          compare(out, where, f, first.stepByte(slot, row, step, f.offset),
                  second.stepByte(slot, row, step, f.offset));
        compare(out, where, kShift, first.shift(slot, row, step), second.shift(slot, row, step));
      }
    }
  }
  return out;
}
