// The fields of a pattern slot that an edit can change, one at a time: what
// the edit history keeps. The step clock's marks (sounding, onset and the
// rows' sounding note and channel) and the step padding are not among them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/Pattern.h"
#include "engine/ValueKind.h"

enum class PatternField : std::uint8_t {
  Note,      // row
  Channel,   // row
  Mode,      // row, step
  State,     // row, step
  Velocity,  // row, step
  Shift,     // row, step
  Reserved,
  Used,
  DefaultVelocity,
  TriggerBypass,
};

// One field of one slot and its value before and after an edit: 8 bytes.
struct FieldChange {
  std::uint8_t slot = 0;
  PatternField field = PatternField::Note;
  std::uint8_t row = 0;
  std::uint8_t step = 0;
  std::int16_t before = 0;
  std::int16_t after = 0;

  // The field's address as one number, for finding it again.
  std::uint32_t address() const {
    return static_cast<std::uint32_t>(slot) << 24 | static_cast<std::uint32_t>(field) << 16 |
           static_cast<std::uint32_t>(row) << 8 | step;
  }
};
static_assert(sizeof(FieldChange) == 8);

// Appends a change for every field in which `after` differs from `before`.
void diffPattern(int slot, const Pattern& before, const Pattern& after,
                 std::vector<FieldChange>& changes);
// Writes `value` into the field the change addresses.
void writeField(Pattern& pattern, const FieldChange& change, std::int16_t value);
// The accessor kind that writes the change's field, when there is one:
// the current pattern's cells, rows and default velocity, and the used
// flag of a stored pattern.
std::optional<ValueKind> accessorKindOf(const FieldChange& change);
