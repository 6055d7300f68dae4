#include "tests/engine/ReferenceStepClock.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/StepClock.h"

namespace {

VstMidiEvent midi(std::int64_t delta, unsigned status, unsigned note, unsigned velocity) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = 24;
  event.deltaFrames = static_cast<VstInt32>(delta);
  event.midiData[0] = static_cast<unsigned char>(status);
  event.midiData[1] = static_cast<unsigned char>(note & 127);
  event.midiData[2] = static_cast<unsigned char>(velocity & 127);
  return event;
}

bool isNoteOn(const VstMidiEvent& e) { return (e.midiData[0] & 0xF0) == 0x90; }

}  // namespace

void ReferenceSequencer::loadImage(const std::vector<unsigned char>& image) {
  std::memcpy(patterns, image.data(), sizeof patterns);
}

std::vector<unsigned char> ReferenceSequencer::image() const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(patterns);
  return {bytes, bytes + sizeof patterns};
}

void ReferenceSequencer::recall(int pattern) {
  if (!transportPlaying) {
    patterns[kCurrentSlot] = patterns[pattern];
    switchPending = false;
  } else {
    patterns[kQueuedSlot] = patterns[pattern];
    switchPending = true;
  }
}

void ReferenceSequencer::store(int pattern) { patterns[pattern] = patterns[kCurrentSlot]; }

void ReferenceSequencer::block(const VstTimeInfo* info, VstInt32 sampleFrames) {
  events.clear();
  // Which transports count as standing is the input rule, not the clock's.
  const BlockTiming timing = readBlockTiming(info);
  const bool playing = timing.playing;
  Pattern& current = patterns[kCurrentSlot];
  auto completeSwitch = [&] {
    if (!switchPending) return;
    current = patterns[kQueuedSlot];
    switchPending = false;
  };

  if (!playing) {
    running = false;
    if (!notesOffSent) {
      for (int r = 0; r < kRows; ++r) {
        const unsigned channel = voices[r].hasSounded ? voices[r].channel : current.rows[r].channel;
        events.push_back(midi(0, 0x80 | (channel & 15), current.rows[r].note, 0));
      }
      for (int r = 0; r < kRows; ++r) {
        if (voices[r].sounding && voices[r].key != (current.rows[r].note & 127u))
          events.push_back(midi(0, 0x80 | voices[r].channel, voices[r].key, 0));
        voices[r].sounding = false;
      }
      notesOffSent = true;
    }
    completeSwitch();
  } else {
    const double ppqPos = timing.ppqPos;
    const double blockRatio = timing.sampleRate / timing.tempo;
    // Where the last block ended, within a frame, or the song jumped.
    const bool continuous =
        running && std::abs(ppqPos - (origin + static_cast<double>(nextBlock) / (60.0 * ratio))) * 60.0 *
                           blockRatio <= 1.0;
    if (!continuous) {
      for (Voice& v : voices) {
        if (v.sounding) events.push_back(midi(0, 0x80 | v.channel, v.key, 0));
        v.sounding = false;
        v.lastFired = std::numeric_limits<std::int64_t>::min();
      }
    }
    if (!continuous || blockRatio != ratio) {
      running = true;
      origin = ppqPos;
      ratio = blockRatio;
      nextBlock = 0;
    }
    const std::int64_t blockStart = nextBlock;
    nextBlock += sampleFrames;
    for (Voice& v : voices) {
      v.struckAt = -1;
      v.lastEvent = 0;
    }

    double pos = timing.barStartPos;
    if (static_cast<std::int64_t>(timing.barStartPos) % 8 != 0) pos = pos - 4;
    const auto anchorStep = static_cast<std::int64_t>(std::round(pos / 0.25));
    std::int64_t visitCount = 0;
    while (sampleFrames > static_cast<double>(static_cast<std::int64_t>(pos - ppqPos) * 60) * ratio) {
      ++visitCount;
      const int step = static_cast<int>((visitCount - 1) % 32);
      const std::int64_t songStep = anchorStep + visitCount - 1;
      const auto t = static_cast<std::int64_t>(std::floor((pos - origin) * 60 * ratio)) - blockStart;
      const Pattern& source = switchPending ? patterns[kQueuedSlot] : current;
      bool fired = false;
      for (int r = 0; r < kRows; ++r) {
        Voice& v = voices[r];
        const std::int64_t onset = current.rows[r].steps[step].shift + t;
        if (onset < 0 || onset >= sampleFrames || songStep <= v.lastFired) continue;
        v.lastFired = songStep;
        fired = true;
        const PatternRow& row = source.rows[r];
        const std::uint8_t state = row.steps[step].state;
        if (state != 0x90 && state != 0x80) continue;
        const std::uint8_t mode = current.rows[r].steps[step].mode;
        const bool strike = state == 0x90 && (!v.sounding || mode == 1 || mode == 3);
        const bool end = v.sounding && (state == 0x80 || strike);
        const std::int64_t at = std::max(onset, v.lastEvent);
        std::int64_t offAt = at;
        if (end) {
          offAt = std::max({at - 1, v.struckAt + 1, std::int64_t{0}});
          if (offAt >= sampleFrames) continue;
          events.push_back(midi(offAt, 0x80 | v.channel, v.key, 0));
          v.sounding = false;
          v.lastEvent = offAt;
        }
        if (strike) {
          const std::int64_t onAt = std::max(at, offAt);
          events.push_back(midi(onAt, 0x90 | (row.channel & 15), row.note, row.steps[step].velocity));
          v = {true, true, row.note & 127u, row.channel & 15u, songStep, onAt, onAt};
        }
      }
      if (fired) {
        notesOffSent = false;
        completeSwitch();
      }
      pos = pos + 0.25;
    }
  }
  std::stable_sort(events.begin(), events.end(), [](const VstMidiEvent& a, const VstMidiEvent& b) {
    if (a.deltaFrames != b.deltaFrames) return a.deltaFrames < b.deltaFrames;
    return !isNoteOn(a) && isNoteOn(b);
  });
  transportPlaying = playing;
}
