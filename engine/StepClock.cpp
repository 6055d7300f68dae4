#include "engine/StepClock.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/StepGrid.h"

namespace {

constexpr double kMaxPosition = 1099511627776.0;  // 2^40 quarter notes
constexpr int kMaxStepEvents = 2 * kRows;          // a note-off and a note-on per row

// A VstEvents header with room for one step's events, and the events.
struct StepEventList {
  VstInt32 numEvents = 0;
  VstIntPtr reserved = 0;
  VstEvent* events[kMaxStepEvents] = {};
  VstMidiEvent midi[kMaxStepEvents] = {};

  void add(VstInt32 deltaFrames, unsigned status, unsigned note, unsigned velocity) {
    VstMidiEvent& event = midi[numEvents];
    event.type = kVstMidiType;
    event.byteSize = 24;
    event.deltaFrames = deltaFrames;
    event.midiData[0] = static_cast<unsigned char>(status);
    event.midiData[1] = static_cast<unsigned char>(note & 0x7F);
    event.midiData[2] = static_cast<unsigned char>(velocity & 0x7F);
    events[numEvents] = reinterpret_cast<VstEvent*>(&event);
    ++numEvents;
  }
  VstEvents* asVstEvents() { return reinterpret_cast<VstEvents*>(this); }
};
static_assert(offsetof(StepEventList, reserved) == offsetof(VstEvents, reserved));
static_assert(offsetof(StepEventList, events) == offsetof(VstEvents, events));

unsigned noteOff(unsigned channel) { return 0x80 | (channel & 0x0F); }
unsigned noteOn(unsigned channel) { return 0x90 | (channel & 0x0F); }
bool strikesAgain(std::uint8_t mode) { return mode == 1 || mode == 3; }

std::int32_t storedOnset(std::int64_t onset) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      onset, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The first k in [lo, hi] for which the monotone `holds` is true (hi when it
// is true nowhere before), searched outward from a guess.
template <class Predicate>
std::int64_t firstVisit(std::int64_t lo, std::int64_t hi, std::int64_t guess, Predicate holds) {
  auto test = [&](std::int64_t k) { return k >= hi || holds(k); };
  std::int64_t low = lo;
  std::int64_t high = hi;
  guess = std::clamp(guess, lo, hi);
  if (test(guess)) {
    high = guess;
    for (std::int64_t step = 1;; step *= 2) {
      const std::int64_t probe = guess - step;
      if (probe < low) break;
      if (!test(probe)) {
        low = probe + 1;
        break;
      }
      high = probe;
    }
  } else {
    low = guess + 1;
    for (std::int64_t step = 1;; step *= 2) {
      const std::int64_t probe = guess + step;
      if (probe >= high) break;
      if (test(probe)) {
        high = probe;
        break;
      }
      low = probe + 1;
    }
  }
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (test(middle))
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

}  // namespace

BlockTiming readBlockTiming(const VstTimeInfo* info) {
  BlockTiming timing;
  if (!info) return timing;
  timing.sampleRate = info->sampleRate;
  timing.ppqPos = info->ppqPos;
  timing.tempo = info->tempo;
  timing.barStartPos = info->barStartPos;
  const double framesPerQuarter = 60.0 * (timing.sampleRate / timing.tempo);
  timing.hasGrid = std::isfinite(timing.sampleRate) && timing.sampleRate > 0.0 &&
                   std::isfinite(timing.tempo) && timing.tempo > 0.0 &&
                   std::isfinite(framesPerQuarter) && framesPerQuarter >= 1.0 &&
                   std::abs(timing.ppqPos) <= kMaxPosition &&
                   std::abs(timing.barStartPos) <= kMaxPosition;
  timing.playing = timing.hasGrid && (info->flags & kVstTransportPlaying) != 0;
  return timing;
}

void StepClock::playBlock(const BlockTiming& timing, VstInt32 sampleFrames) {
  playing_ = timing.playing;
  frames_ = sampleFrames;
  const int lastStep = timing.hasGrid ? scan(timing) : 0;
  if (!playing_ && !memory_.notesOffSent) buildStepEvents(lastStep);
  memory_.transportPlaying = playing_;
}

int StepClock::scan(const BlockTiming& timing) {
  anchor_ = patternAnchor(timing.barStartPos);
  ppqPos_ = timing.ppqPos;
  samplesPerBeat_ = timing.sampleRate / timing.tempo;
  const double framesPerQuarter = 60.0 * samplesPerBeat_;
  const double frames = frames_;

  auto position = [&](std::int64_t k) { return stepPosition(anchor_, k); };
  auto frameOffset = [&](std::int64_t k) {
    return truncateToInt64((position(k) - ppqPos_) * 60.0 * samplesPerBeat_);
  };
  auto visitNear = [&](double quarter) {
    return truncateToInt64((quarter - anchor_) / kQuartersPerStep);
  };

  // The walk goes on while the block's end lies beyond the whole quarter
  // notes between the block start and the step.
  const double walkEnd = ppqPos_ + frames / framesPerQuarter;
  const std::int64_t limit = std::max<std::int64_t>(0, visitNear(walkEnd + 2.0) + 8);
  const std::int64_t end = firstVisit(0, limit, visitNear(walkEnd + 1.0), [&](std::int64_t k) {
    const std::int64_t wholeQuarters = truncateToInt64(position(k) - ppqPos_);
    return !(frames > static_cast<double>(wholeQuarters * 60) * samplesPerBeat_);
  });

  // Only a visit whose grid offset some 16-bit shift can bring into the
  // block can fire.
  constexpr std::int64_t kEarliest = -std::numeric_limits<std::int16_t>::max();
  const std::int64_t latest = frames_ - static_cast<std::int64_t>(std::numeric_limits<std::int16_t>::min()) - 1;
  const std::int64_t fireFrom =
      firstVisit(0, end, visitNear(ppqPos_ + static_cast<double>(kEarliest) / framesPerQuarter),
                 [&](std::int64_t k) { return frameOffset(k) >= kEarliest; });
  const std::int64_t fireTo = firstVisit(
      fireFrom, end, visitNear(ppqPos_ + static_cast<double>(latest) / framesPerQuarter) + 1,
      [&](std::int64_t k) { return frameOffset(k) > latest; });

  // The last visit of every step leaves its onset marks in the pattern.
  const std::int64_t tailFrom = std::max<std::int64_t>(0, end - kSteps);
  if (fireFrom < fireTo && fireFrom < tailFrom) visitSteps(fireFrom, std::min(fireTo, tailFrom));
  visitSteps(tailFrom, end);
  return end > 0 ? static_cast<int>((end - 1) % kSteps) : 0;
}

void StepClock::visitSteps(std::int64_t from, std::int64_t to) {
  if (from >= to) return;
  double pos = stepPosition(anchor_, from);
  for (std::int64_t k = from; k < to; ++k) {
    visit(static_cast<int>(k % kSteps), pos);
    pos += kQuartersPerStep;
  }
}

void StepClock::visit(int step, double pos) {
  const std::int64_t gridOffset = truncateToInt64((pos - ppqPos_) * 60.0 * samplesPerBeat_);
  Pattern& now = memory_.current();
  for (int r = 0; r < kRows; ++r) {
    PatternStep& cell = now.rows[r].steps[step];
    const std::int64_t onset = cell.shift + gridOffset;
    if (onset >= 0 && onset < frames_) {
      triggers_[r] = {true, static_cast<VstInt32>(onset)};
      cell.onset = 0;
      firedInBlock_ = true;
    } else {
      triggers_[r].fires = false;
      cell.onset = storedOnset(onset);
    }
  }
  if (firedInBlock_ && playing_) {
    memory_.notesOffSent = false;
    buildStepEvents(step);
  }
}

void StepClock::buildStepEvents(int step) {
  StepEventList list;
  Pattern& now = memory_.current();
  if (!playing_) {
    // Silence every row with its present note, sounding or not.
    for (const PatternRow& row : now.rows) list.add(0, noteOff(row.soundingChannel), row.note, 0);
    memory_.notesOffSent = true;
  } else {
    const int prev = step == 0 ? kSteps - 1 : step - 1;
    Pattern& source = memory_.switchPending ? memory_.queued() : now;
    for (int r = 0; r < kRows; ++r) {
      if (!triggers_[r].fires) continue;
      const VstInt32 d = triggers_[r].offset;
      PatternRow& nowRow = now.rows[r];
      PatternRow& sourceRow = source.rows[r];
      PatternStep& sourceCell = sourceRow.steps[step];
      const std::uint8_t before = nowRow.steps[prev].sounding;
      const std::uint8_t state = sourceCell.state;
      auto addNoteOff = [&] { list.add(d - 1, noteOff(nowRow.soundingChannel), nowRow.soundingNote, 0); };
      auto addNoteOn = [&] { list.add(d, noteOn(sourceRow.channel), sourceRow.note, sourceCell.velocity); };
      auto record = [&](const PatternRow& from, std::uint8_t sounding) {
        sourceRow.soundingNote = from.note;
        sourceRow.soundingChannel = from.channel;
        sourceCell.sounding = sounding;
      };
      if (before == kNoteOn && state == kNoteOn) {
        if (strikesAgain(nowRow.steps[step].mode)) {
          addNoteOff();
          addNoteOn();
        }
        record(nowRow, kNoteOn);
      } else if (before == kNoteOn && state == kNoteOff) {
        addNoteOff();
        record(sourceRow, kNoteOff);
      } else if (before == kNoteOff && state == kNoteOn) {
        addNoteOn();
        record(sourceRow, kNoteOn);
      } else if (before == kNoteOff && state == kNoteOff) {
        record(sourceRow, kNoteOff);
      }
    }
  }
  if (list.numEvents > 0) host_.sendVstEventsToHost(list.asVstEvents());
  memory_.completeSwitch();
}
