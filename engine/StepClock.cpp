#include "engine/StepClock.h"

#include <algorithm>
#include <cmath>

#include "engine/StepGrid.h"

namespace {

constexpr double kMaxPosition = 1099511627776.0;  // 2^40 quarter notes
// How far a host's position may stray from where the last block ended and
// still count as the same run. Hosts that work the position out of their
// sample counter each block round it differently every time, and some keep
// it in ticks: Ardour 7's is whole 1/1920 quarter notes (12.5 frames at
// 48 kHz and 120 BPM), so a position off by a few ticks is the same run, and
// a locate that short would not be heard anyway.
constexpr double kJitterFrames = 1.0;
constexpr double kJitterQuarters = 4.0 / 1920.0;

unsigned noteOff(unsigned channel) { return 0x80 | (channel & 0x0F); }
unsigned noteOn(unsigned channel) { return 0x90 | (channel & 0x0F); }
bool strikesAgain(std::uint8_t mode) { return mode == 1 || mode == 3; }

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

// The range of shifts that can move a step's events in this block.
struct ShiftRange {
  std::int64_t least = 0;
  std::int64_t most = 0;
  void include(const Pattern& pattern) {
    for (const PatternRow& row : pattern.rows)
      for (const PatternStep& step : row.steps) {
        least = std::min<std::int64_t>(least, step.shift);
        most = std::max<std::int64_t>(most, step.shift);
      }
  }
};

}  // namespace

BlockTiming readBlockTiming(const VstTimeInfo* info) {
  BlockTiming timing;
  if (!info) return timing;
  timing.sampleRate = info->sampleRate;
  timing.ppqPos = info->ppqPos;
  timing.tempo = info->tempo;
  timing.barStartPos = info->barStartPos;
  const double framesPerStep = 60.0 * (timing.sampleRate / timing.tempo) * kQuartersPerStep;
  timing.hasGrid = std::isfinite(timing.sampleRate) && timing.sampleRate > 0.0 &&
                   std::isfinite(timing.tempo) && timing.tempo > 0.0 &&
                   std::isfinite(framesPerStep) && framesPerStep >= 1.0 &&
                   std::abs(timing.ppqPos) <= kMaxPosition &&
                   std::abs(timing.barStartPos) <= kMaxPosition;
  timing.playing = timing.hasGrid && (info->flags & kVstTransportPlaying) != 0;
  return timing;
}

void StepClock::playBlock(const BlockTiming& timing, VstInt32 sampleFrames, PlaySource& source,
                          BlockEvents& out) {
  out.clear();
  // A block without frames has no room for an event: whatever it would
  // start or stop waits for the next block that has.
  if (sampleFrames <= 0) return;
  source_ = &source;
  out_ = &out;
  playing_ = timing.playing;
  frames_ = sampleFrames;
  for (Voice& voice : voices_) {
    voice.struckAt = -1;
    voice.lastEvent = 0;
  }
  currentStep_ = -1;
  if (playing_) {
    followTransport(timing);
    scan(timing);
  } else {
    timeline_.running = false;
    if (!notesOffSent_) stop();
    // A pattern recalled while the song ran takes over at the stop, even
    // when no step played since the last one.
    if (source.waiting()) source.takeOver();
  }
  out.sortByTime();
}

void StepClock::followTransport(const BlockTiming& timing) {
  const double samplesPerBeat = timing.sampleRate / timing.tempo;
  bool continuous = false;
  if (timeline_.running) {
    const double expected = timeline_.origin + static_cast<double>(timeline_.nextBlock) /
                                                   (60.0 * timeline_.samplesPerBeat);
    const double tolerance = std::max(kJitterQuarters, kJitterFrames / (60.0 * samplesPerBeat));
    continuous = std::abs(timing.ppqPos - expected) <= tolerance;
  }
  if (!continuous) {
    // A locate, a loop or a first block: what sounded belongs to another
    // place in the song.
    releaseAll();
    for (Voice& voice : voices_) voice.lastFired = kNeverFired;
  }
  if (!continuous || samplesPerBeat != timeline_.samplesPerBeat)
    timeline_ = {true, timing.ppqPos, samplesPerBeat, 0};
  blockStart_ = timeline_.nextBlock;
  timeline_.nextBlock += frames_;
}

std::int64_t StepClock::gridFrame(double pos) const {
  return floorToInt64((pos - timeline_.origin) * 60.0 * timeline_.samplesPerBeat);
}

void StepClock::scan(const BlockTiming& timing) {
  anchor_ = patternAnchor(timing.barStartPos);
  anchorStep_ = truncateToInt64(std::round(anchor_ / kQuartersPerStep));
  const double ppqPos = timing.ppqPos;
  const double samplesPerBeat = timeline_.samplesPerBeat;
  const double framesPerQuarter = 60.0 * samplesPerBeat;
  const double frames = frames_;

  auto position = [&](std::int64_t k) { return stepPosition(anchor_, k); };
  auto visitNear = [&](double quarter) {
    return truncateToInt64((quarter - anchor_) / kQuartersPerStep);
  };

  // The walk from the anchor goes on while the block's end lies beyond the
  // whole quarter notes between the block start and the step.
  const double walkEnd = ppqPos + frames / framesPerQuarter;
  const std::int64_t limit = std::max<std::int64_t>(0, visitNear(walkEnd + 2.0) + 8);
  const std::int64_t end = firstVisit(0, limit, visitNear(walkEnd + 1.0), [&](std::int64_t k) {
    const std::int64_t wholeQuarters = truncateToInt64(position(k) - ppqPos);
    return !(frames > static_cast<double>(wholeQuarters * 60) * samplesPerBeat);
  });

  // Only a visit whose grid frame some shift of the patterns in play can
  // bring into the block can fire; the rest of the walk is skipped.
  ShiftRange shifts;
  shifts.include(source_->playing());
  if (const Pattern* waiting = source_->waiting()) shifts.include(*waiting);
  const std::int64_t earliest = blockStart_ - shifts.most;
  const std::int64_t latest = blockStart_ + frames_ - shifts.least;  // exclusive
  const double blockPos = timeline_.origin + static_cast<double>(blockStart_) / framesPerQuarter;
  auto near = [&](std::int64_t frame) {
    return visitNear(blockPos + static_cast<double>(frame - blockStart_) / framesPerQuarter);
  };
  const std::int64_t blockEnd = blockStart_ + frames_;
  const std::int64_t afterBlock = firstVisit(0, end, near(blockEnd),
                                             [&](std::int64_t k) { return gridFrame(position(k)) >= blockEnd; });
  if (afterBlock > 0) currentStep_ = static_cast<int>((afterBlock - 1) % kSteps);
  const std::int64_t from = firstVisit(0, end, near(earliest),
                                       [&](std::int64_t k) { return gridFrame(position(k)) >= earliest; });
  const std::int64_t to = firstVisit(from, end, near(latest) + 1,
                                     [&](std::int64_t k) { return gridFrame(position(k)) >= latest; });
  if (from >= to) return;
  double pos = position(from);
  for (std::int64_t k = from; k < to; ++k) {
    visit(k, pos);
    pos += kQuartersPerStep;
  }
}

void StepClock::visit(std::int64_t visitIndex, double pos) {
  const int step = static_cast<int>(visitIndex % kSteps);
  const std::int64_t songStep = anchorStep_ + visitIndex;
  const std::int64_t grid = gridFrame(pos) - blockStart_;
  const Pattern& playing = source_->playing();
  const Pattern* waiting = source_->waiting();
  const Pattern& from = waiting ? *waiting : playing;
  bool fired = false;
  for (int r = 0; r < kRows; ++r) {
    const std::int64_t onset = grid + playing.rows[r].steps[step].shift;
    Voice& voice = voices_[r];
    // A step fires once on a running timeline, however the host's position
    // rounds from one block to the next.
    if (onset < 0 || onset >= frames_ || songStep <= voice.lastFired) continue;
    voice.lastFired = songStep;
    fired = true;
    fire(r, static_cast<VstInt32>(onset), step, playing, from);
  }
  if (!fired) return;
  notesOffSent_ = false;
  if (waiting) source_->takeOver();
}

void StepClock::fire(int row, VstInt32 onset, int step, const Pattern& playing, const Pattern& from) {
  Voice& voice = voices_[row];
  const PatternRow& lane = from.rows[row];
  const PatternStep& cell = lane.steps[step];
  if (cell.state != kNoteOn && cell.state != kNoteOff) return;
  const bool set = cell.state == kNoteOn;
  // A tie carries on only what sounds; with nothing sounding it strikes.
  const bool strike = set && (!voice.sounding || strikesAgain(playing.rows[row].steps[step].mode));
  const bool end = voice.sounding && (!set || strike);
  // A row's events never run backwards in time, even when shifts put a
  // later step before an earlier one.
  const VstInt32 at = std::max(onset, voice.lastEvent);
  VstInt32 offAt = at;
  if (end) {
    // One frame before the new note; never before the block, never on the
    // frame of the note-on it ends.
    offAt = std::max({at - 1, voice.struckAt + 1, VstInt32{0}});
    if (offAt >= frames_) return;  // the note struck on the block's last frame goes on
  }
  if (out_->room() < (end ? 1 : 0) + (strike ? 1 : 0)) return;
  if (end) {
    out_->add(offAt, noteOff(voice.channel), voice.key, 0);
    voice.sounding = false;
    voice.lastEvent = offAt;
  }
  if (strike) {
    const VstInt32 onAt = std::max(at, offAt);
    out_->add(onAt, noteOn(lane.channel), lane.note, cell.velocity);
    voice.sounding = true;
    voice.hasSounded = true;
    voice.key = static_cast<std::uint8_t>(lane.note & 0x7F);
    voice.channel = static_cast<std::uint8_t>(lane.channel & 0x0F);
    voice.struckAt = onAt;
    voice.lastEvent = onAt;
  }
}

void StepClock::releaseAll() {
  for (Voice& voice : voices_) {
    if (!voice.sounding) continue;
    out_->add(0, noteOff(voice.channel), voice.key, 0);
    voice.sounding = false;
  }
}

void StepClock::stop() {
  // Every row's present note on the channel of what sounds or last sounded,
  // whether or not anything sounds; then whatever still sounds on a key that
  // the row no longer names.
  const Pattern& playing = source_->playing();
  for (int r = 0; r < kRows; ++r) {
    const PatternRow& row = playing.rows[r];
    const Voice& voice = voices_[r];
    out_->add(0, noteOff(voice.hasSounded ? voice.channel : row.channel), row.note, 0);
  }
  for (int r = 0; r < kRows; ++r) {
    Voice& voice = voices_[r];
    if (voice.sounding && voice.key != (playing.rows[r].note & 0x7F))
      out_->add(0, noteOff(voice.channel), voice.key, 0);
    voice.sounding = false;
  }
  notesOffSent_ = true;
}
