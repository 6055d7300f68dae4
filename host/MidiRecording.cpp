#include "host/MidiRecording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kTicksPerQuarter = 960;

double quarters(double frame, double tempo, double sampleRate) {
  return frame * tempo / (60.0 * sampleRate);
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

}  // namespace

std::vector<TimedEvent> onTimeline(const std::vector<ReceivedEvent>& received,
                                   const std::vector<PlayedBlock>& blocks) {
  std::vector<TimedEvent> events;
  for (const ReceivedEvent& e : received) {
    const PlayedBlock& block = blocks.at(static_cast<std::size_t>(e.block));
    events.push_back({block.elapsed + e.midi.deltaFrames,
                      block.time.ppqPos + quarters(e.midi.deltaFrames, block.time.tempo, block.time.sampleRate),
                      e.midi});
  }
  // Rows with different shifts share a list out of time order.
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
  return events;
}

std::string noteName(int note) {
  static const char* const kNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  return kNames[note % 12] + std::to_string(note / 12 - 1);
}

std::string readableList(const std::vector<TimedEvent>& events) {
  std::string text = " bar:step     frame  event     note   ch  vel\n";
  for (const TimedEvent& e : events) {
    // The nearest step: shifts and the note-offs one frame early stay with it.
    const long steps = std::lround(std::max(0.0, e.quarters) * 4.0);
    const long bar = steps / 16 + 1;
    const long step = steps % 16 + 1;
    const int status = e.midi.midiData[0];
    const char* kind = (status & 0xF0) == 0x90 ? "note-on" : (status & 0xF0) == 0x80 ? "note-off" : "other";
    char line[96];
    std::snprintf(line, sizeof line, "%4ld:%02ld %9.0f  %-8s  %-5s %3d  %3d\n", bar, step, e.frame, kind,
                  noteName(e.midi.midiData[1]).c_str(), (status & 0x0F) + 1, e.midi.midiData[2]);
    text += line;
  }
  return text;
}

std::vector<std::uint8_t> midiFileOf(const std::vector<TimedEvent>& events, double tempo,
                                     double sampleRate) {
  std::vector<std::uint8_t> track = {0x00, 0xFF, 0x51, 0x03};
  appendBigEndian(track, static_cast<std::uint32_t>(std::lround(60000000.0 / tempo)), 3);
  long previous = 0;
  for (const TimedEvent& e : events) {
    const long tick = std::max(
        previous, std::lround(std::max(0.0, quarters(e.frame, tempo, sampleRate)) * kTicksPerQuarter));
    appendVariableLength(track, static_cast<std::uint32_t>(tick - previous));
    track.insert(track.end(), e.midi.midiData, e.midi.midiData + 3);
    previous = tick;
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
  appendBigEndian(file, kTicksPerQuarter, 2);
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  appendBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  file.insert(file.end(), track.begin(), track.end());
  return file;
}
