#include "tests/engine/ReferenceStepClock.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/StepClock.h"

namespace {

struct Trigger {
  bool fires = false;
  std::int64_t offset = 0;
};

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
  } else {
    patterns[kQueuedSlot] = patterns[pattern];
    switchPending = true;
  }
}

void ReferenceSequencer::store(int pattern) { patterns[pattern] = patterns[kCurrentSlot]; }

void ReferenceSequencer::block(const VstTimeInfo* info, VstInt32 sampleFrames) {
  lists.clear();
  // Which transports count as standing is the input rule, not the scan.
  const BlockTiming timing = readBlockTiming(info);
  const bool playing = timing.playing;
  Trigger triggers[kRows];
  std::int64_t visitCount = 0;
  int step = 0;
  bool firedInBlock = false;
  Pattern& current = patterns[kCurrentSlot];

  auto buildStepEvents = [&](int at) {
    std::vector<VstMidiEvent> list;
    if (!playing) {
      for (const PatternRow& row : current.rows)
        list.push_back(midi(0, 0x80 | (row.soundingChannel & 15), row.note, 0));
      notesOffSent = true;
    } else {
      const int prev = at == 0 ? 31 : at - 1;
      Pattern& source = switchPending ? patterns[kQueuedSlot] : current;
      for (int r = 0; r < kRows; ++r) {
        if (!triggers[r].fires) continue;
        const std::int64_t d = triggers[r].offset;
        const std::uint8_t before = current.rows[r].steps[prev].sounding;
        const std::uint8_t now = source.rows[r].steps[at].state;
        const VstMidiEvent off = midi(d - 1, 0x80 | (current.rows[r].soundingChannel & 15),
                                      current.rows[r].soundingNote, 0);
        const VstMidiEvent on = midi(d, 0x90 | (source.rows[r].channel & 15), source.rows[r].note,
                                     source.rows[r].steps[at].velocity);
        if (before == 0x90 && now == 0x90) {
          const std::uint8_t mode = current.rows[r].steps[at].mode;
          if (mode == 1 || mode == 3) {
            list.push_back(off);
            list.push_back(on);
          }
          source.rows[r].soundingNote = current.rows[r].note;
          source.rows[r].soundingChannel = current.rows[r].channel;
          source.rows[r].steps[at].sounding = 0x90;
        } else if ((before == 0x90 || before == 0x80) && (now == 0x90 || now == 0x80)) {
          if (before == 0x90) list.push_back(off);
          if (now == 0x90) list.push_back(on);
          source.rows[r].soundingNote = source.rows[r].note;
          source.rows[r].soundingChannel = source.rows[r].channel;
          source.rows[r].steps[at].sounding = now;
        }
      }
    }
    if (!list.empty()) lists.push_back(list);
    if (switchPending) {
      current = patterns[kQueuedSlot];
      switchPending = false;
    }
  };

  if (timing.hasGrid) {
    const double ppqPos = timing.ppqPos;
    const double ratio = timing.sampleRate / timing.tempo;
    double pos = timing.barStartPos;
    if (static_cast<std::int64_t>(timing.barStartPos) % 8 != 0) pos = pos - 4;
    while (sampleFrames > static_cast<double>(static_cast<std::int64_t>(pos - ppqPos) * 60) * ratio) {
      ++visitCount;
      step = static_cast<int>((visitCount - 1) % 32);
      const auto t = static_cast<std::int64_t>((pos - ppqPos) * 60 * ratio);
      for (int r = 0; r < kRows; ++r) {
        PatternStep& cell = current.rows[r].steps[step];
        const std::int64_t onset = cell.shift + t;
        cell.onset = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            onset, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
        if (onset >= 0 && onset < sampleFrames) {
          triggers[r] = {true, onset};
          cell.onset = 0;
          firedInBlock = true;
        } else {
          triggers[r].fires = false;
        }
      }
      if (firedInBlock && playing) {
        notesOffSent = false;
        buildStepEvents(step);
      }
      pos = pos + 0.25;
    }
  }
  if (!playing && !notesOffSent) buildStepEvents(step);
  transportPlaying = playing;
}
