#include "engine/MidiFile.h"

#include <cmath>
#include <string_view>

namespace {

constexpr std::uint32_t kTicksPerStep = 240;

struct Note {
  int step;
  std::uint8_t note;
  std::uint8_t velocity;
};

void append(std::vector<std::uint8_t>& out, std::string_view text) {
  for (const char c : text) out.push_back(static_cast<std::uint8_t>(c));
}

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A variable-length quantity: seven bits a byte, the high bit set on all
// but the last.
void appendDelta(std::vector<std::uint8_t>& out, std::uint32_t ticks) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(ticks & 0x7F);
    ticks >>= 7;
  } while (ticks != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void appendEvent(std::vector<std::uint8_t>& out, std::uint32_t delta, std::uint8_t status,
                 std::uint8_t note, std::uint8_t velocity) {
  appendDelta(out, delta);
  out.push_back(status);
  out.push_back(note & 0x7F);
  out.push_back(velocity & 0x7F);
}

const std::uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};

// One channel's events: per step, its note-ons in row order, then a step
// later their note-offs in the same order.
std::vector<std::uint8_t> channelEvents(const std::vector<Note>& notes, int channel) {
  std::vector<std::uint8_t> events;
  int lastStep = -1;  // the latest step whose notes are written; none yet
  for (int step = 0; step < kSteps; ++step) {
    bool first = true;
    for (const Note& n : notes) {
      if (n.step != step) continue;
      std::uint32_t delta = 0;
      if (first && step != 0 && lastStep != step - 1)
        delta = static_cast<std::uint32_t>(lastStep < 0 ? step : step - lastStep - 1) * kTicksPerStep;
      appendEvent(events, delta, static_cast<std::uint8_t>(0x90 | channel), n.note, n.velocity);
      first = false;
    }
    if (first) continue;
    bool firstOff = true;
    for (const Note& n : notes) {
      if (n.step != step) continue;
      appendEvent(events, firstOff ? kTicksPerStep : 0, static_cast<std::uint8_t>(0x80 | channel),
                  n.note, n.velocity);
      firstOff = false;
    }
    lastStep = step;
  }
  return events;
}

}  // namespace

std::uint32_t microsecondsPerQuarter(double tempo) {
  if (!std::isfinite(tempo) || tempo <= 0.0) tempo = 120.0;
  const double micros = std::nearbyint(60000000.0 / tempo);
  if (micros < 1.0) return 1;
  if (micros > 0xFFFFFF) return 0xFFFFFF;
  return static_cast<std::uint32_t>(micros);
}

std::vector<std::uint8_t> buildMidiFile(const Pattern& pattern, double tempo) {
  // Notes by channel, each channel's list ordered by row, then by step.
  std::vector<Note> byChannel[16];
  for (int channel = 0; channel < 16; ++channel)
    for (const PatternRow& row : pattern.rows) {
      if ((row.channel & 0x0F) != channel) continue;
      for (int step = 0; step < kSteps; ++step)
        if (row.steps[step].state == kNoteOn)
          byChannel[channel].push_back({step, row.note, row.steps[step].velocity});
    }

  std::uint16_t tracks = 1;
  for (const auto& notes : byChannel)
    if (!notes.empty()) ++tracks;

  std::vector<std::uint8_t> file;
  append(file, "MThd");
  appendBigEndian(file, 6, 4);
  appendBigEndian(file, 1, 2);
  appendBigEndian(file, tracks, 2);
  appendBigEndian(file, 960, 2);

  append(file, "MTrk");
  appendBigEndian(file, 19, 4);
  file.insert(file.end(), {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});
  file.insert(file.end(), {0x00, 0xFF, 0x51, 0x03});
  appendBigEndian(file, microsecondsPerQuarter(tempo), 3);
  file.insert(file.end(), std::begin(kEndOfTrack), std::end(kEndOfTrack));

  for (int channel = 0; channel < 16; ++channel) {
    if (byChannel[channel].empty()) continue;
    const std::vector<std::uint8_t> events = channelEvents(byChannel[channel], channel);
    append(file, "MTrk");
    appendBigEndian(file, static_cast<std::uint32_t>(events.size() + sizeof kEndOfTrack), 4);
    file.insert(file.end(), events.begin(), events.end());
    file.insert(file.end(), std::begin(kEndOfTrack), std::end(kEndOfTrack));
  }
  return file;
}
