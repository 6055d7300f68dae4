#include "engine/PatternFields.h"

namespace {

class Differ {
public:
  Differ(int slot, std::vector<FieldChange>& changes)
      : slot_(static_cast<std::uint8_t>(slot)), changes_(changes) {}

  void compare(PatternField field, int row, int step, int before, int after) {
    if (before == after) return;
    changes_.push_back({slot_, field, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(step),
                        static_cast<std::int16_t>(before), static_cast<std::int16_t>(after)});
  }

private:
  std::uint8_t slot_;
  std::vector<FieldChange>& changes_;
};

std::uint8_t lowByte(std::int16_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

void diffPattern(int slot, const Pattern& before, const Pattern& after,
                 std::vector<FieldChange>& changes) {
  Differ d(slot, changes);
  for (int r = 0; r < kRows; ++r) {
    const PatternRow& was = before.rows[r];
    const PatternRow& is = after.rows[r];
    d.compare(PatternField::Note, r, 0, was.note, is.note);
    d.compare(PatternField::Channel, r, 0, was.channel, is.channel);
    for (int s = 0; s < kSteps; ++s) {
      const PatternStep& a = was.steps[s];
      const PatternStep& b = is.steps[s];
      d.compare(PatternField::Mode, r, s, a.mode, b.mode);
      d.compare(PatternField::State, r, s, a.state, b.state);
      d.compare(PatternField::Velocity, r, s, a.velocity, b.velocity);
      d.compare(PatternField::Shift, r, s, a.shift, b.shift);
    }
  }
  d.compare(PatternField::Reserved, 0, 0, before.reserved, after.reserved);
  d.compare(PatternField::Used, 0, 0, before.used, after.used);
  d.compare(PatternField::DefaultVelocity, 0, 0, before.defaultVelocity, after.defaultVelocity);
  d.compare(PatternField::TriggerBypass, 0, 0, before.triggerBypass, after.triggerBypass);
}

void writeField(Pattern& pattern, const FieldChange& change, std::int16_t value) {
  PatternRow& row = pattern.rows[change.row];
  PatternStep& step = row.steps[change.step];
  switch (change.field) {
    case PatternField::Note: row.note = lowByte(value); break;
    case PatternField::Channel: row.channel = lowByte(value); break;
    case PatternField::Mode: step.mode = lowByte(value); break;
    case PatternField::State: step.state = lowByte(value); break;
    case PatternField::Velocity: step.velocity = lowByte(value); break;
    case PatternField::Shift: step.shift = value; break;
    case PatternField::Reserved: pattern.reserved = lowByte(value); break;
    case PatternField::Used: pattern.used = lowByte(value); break;
    case PatternField::DefaultVelocity: pattern.defaultVelocity = lowByte(value); break;
    case PatternField::TriggerBypass: pattern.triggerBypass = lowByte(value); break;
  }
}

std::optional<ValueKind> accessorKindOf(const FieldChange& change) {
  if (change.slot < kStoredPatterns)
    return change.field == PatternField::Used ? std::optional(PatternUsed) : std::nullopt;
  if (change.slot != kCurrentSlot) return std::nullopt;
  switch (change.field) {
    case PatternField::Note: return RowNote;
    case PatternField::Channel: return RowChannel;
    case PatternField::Mode: return StepMode;
    case PatternField::State: return StepState;
    case PatternField::Velocity: return StepVelocity;
    case PatternField::Shift: return StepShift;
    case PatternField::DefaultVelocity: return DefaultVelocity;
    default: return std::nullopt;
  }
}
