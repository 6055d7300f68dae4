#include "engine/PatternMemory.h"

#include <cstdint>
#include <cstring>

namespace {

bool validStep(VstInt32 step) { return step >= 0 && step < kSteps; }
bool validRow(VstInt32 row) { return row >= 0 && row < kRows; }
bool validPattern(VstInt32 index) { return index >= 0 && index < kStoredPatterns; }
std::uint8_t lowByte(VstInt16 value) { return static_cast<std::uint8_t>(value & 0xFF); }

// The image comes from a host's project: read it byte by byte, whatever its
// alignment.
class ImageReader {
public:
  explicit ImageReader(const unsigned char* bytes) : bytes_(bytes) {}
  std::uint8_t byte(std::size_t offset) const { return bytes_[offset]; }
  std::int16_t int16(std::size_t offset) const {
    return static_cast<std::int16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
  }
  std::int32_t int32(std::size_t offset) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes_[offset]) |
                                     static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
                                     static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 |
                                     static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
  }

private:
  const unsigned char* bytes_;
};

}  // namespace

PatternMemory::PatternMemory() { reset(); }

void PatternMemory::reset() {
  for (Pattern& pattern : patterns) resetPattern(pattern);
  switchPending = false;
  pendingSeq = 0;
  pendingGen = 0;
}

bool PatternMemory::accepts(VstInt32 step, VstInt32 row, VstInt32 kind) {
  switch (kind) {
    case StepState:
    case StepVelocity:
    case StepShift:
    case StepMode: return validStep(step) && validRow(row);
    case RowNote:
    case RowChannel: return validRow(row);
    case PatternUsed: return validPattern(step);
    case PatternClear:
    case DefaultVelocity:
    case TriggerBypass: return true;
    default: return false;
  }
}

void PatternMemory::setValue(VstInt32 step, VstInt32 row, VstInt16 value, VstInt32 kind) {
  switch (kind) {
    case StepState: current().rows[row].steps[step].state = lowByte(value); break;
    case RowNote: current().rows[row].note = lowByte(value); break;
    case StepVelocity: current().rows[row].steps[step].velocity = lowByte(value); break;
    case RowChannel: current().rows[row].channel = lowByte(value); break;
    case StepShift: current().rows[row].steps[step].shift = value; break;
    case PatternUsed: patterns[step].used = lowByte(value); break;
    case PatternClear: clearPattern(current()); break;
    case DefaultVelocity: current().defaultVelocity = lowByte(value); break;
    case StepMode: current().rows[row].steps[step].mode = lowByte(value); break;
    case TriggerBypass:
      for (Pattern& pattern : patterns) pattern.triggerBypass = lowByte(value);
      break;
    default: break;
  }
}

VstInt16 PatternMemory::getValue(VstInt32 step, VstInt32 row, VstInt32 kind) const {
  const Pattern& now = current();
  const bool cell = validStep(step) && validRow(row);
  switch (kind) {
    case StepState: return cell ? now.rows[row].steps[step].state : 0;
    case RowNote: return validRow(row) ? now.rows[row].note : 0;
    case StepVelocity: return cell ? now.rows[row].steps[step].velocity : 0;
    case RowChannel: return validRow(row) ? now.rows[row].channel : 0;
    case StepShift: return cell ? now.rows[row].steps[step].shift : 0;
    case PatternUsed: return validPattern(step) ? patterns[step].used : 0;
    case DefaultVelocity: return now.defaultVelocity;
    case StepMode: return cell ? now.rows[row].steps[step].mode : 0;
    case TriggerBypass: return now.triggerBypass;
    default: return 0;
  }
}

void PatternMemory::store(int pattern) { patterns[pattern] = current(); }

void PatternMemory::recallNow(int pattern) {
  current() = patterns[pattern];
  cancelSwitch();
}

void PatternMemory::recallQueued(int pattern, std::uint64_t seq, std::uint32_t gen) {
  queued() = patterns[pattern];
  switchPending = true;
  pendingSeq = seq;
  pendingGen = gen;
}

void PatternMemory::completeSwitch() {
  if (!switchPending) return;
  current() = queued();
  cancelSwitch();
}

void PatternMemory::cancelSwitch() {
  switchPending = false;
  pendingSeq = 0;
  pendingGen = 0;
}

bool PatternMemory::loadPatternImage(const void* image, std::size_t size) {
  if (size != kChunkSize) return false;
  const ImageReader in(static_cast<const unsigned char*>(image));
  for (int slot = 0; slot < kPatternSlots; ++slot) {
    Pattern& pattern = patterns[slot];
    const std::size_t base = slot * sizeof(Pattern);
    pattern.reserved = in.byte(base + offsetof(Pattern, reserved));
    pattern.used = in.byte(base + offsetof(Pattern, used));
    pattern.triggerBypass = in.byte(base + offsetof(Pattern, triggerBypass));
    for (int r = 0; r < kRows; ++r) {
      PatternRow& row = pattern.rows[r];
      const std::size_t rowBase = base + r * sizeof(PatternRow);
      row.note = in.byte(rowBase + offsetof(PatternRow, note));
      row.channel = in.byte(rowBase + offsetof(PatternRow, channel));
      row.soundingNote = in.byte(rowBase + offsetof(PatternRow, soundingNote));
      row.soundingChannel = in.byte(rowBase + offsetof(PatternRow, soundingChannel));
      for (int s = 0; s < kSteps; ++s) {
        PatternStep& step = row.steps[s];
        const std::size_t stepBase = rowBase + offsetof(PatternRow, steps) + s * sizeof(PatternStep);
        step.mode = in.byte(stepBase + offsetof(PatternStep, mode));
        step.state = in.byte(stepBase + offsetof(PatternStep, state));
        step.sounding = in.byte(stepBase + offsetof(PatternStep, sounding));
        step.velocity = in.byte(stepBase + offsetof(PatternStep, velocity));
        step.shift = in.int16(stepBase + offsetof(PatternStep, shift));
        step.onset = in.int32(stepBase + offsetof(PatternStep, onset));
      }
    }
  }
  return true;
}

void PatternMemory::savePatternImage(unsigned char* image) const {
  std::memcpy(image, patterns, kChunkSize);
}
