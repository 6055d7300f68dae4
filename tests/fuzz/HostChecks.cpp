#include "tests/fuzz/HostChecks.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

void fuzzFailure(const char* what) {
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

namespace {

[[noreturn]] void rejectEvent(const VstMidiEvent& e, VstInt32 frames, const char* what) {
  std::fprintf(stderr, "event %02X %02X %02X at %d in a block of %d frames\n", e.midiData[0],
               e.midiData[1], e.midiData[2], e.deltaFrames, frames);
  fuzzFailure(what);
}

void requireValidList(const SentList& list, VstInt32 frames) {
  VstInt32 previous = 0;
  for (const VstMidiEvent& e : list.events) {
    if (e.type != kVstMidiType) rejectEvent(e, frames, "an event sent to the host is not MIDI");
    if (e.deltaFrames < 0 || e.deltaFrames >= frames)
      rejectEvent(e, frames, "an event lies outside its block");
    if (e.deltaFrames < previous) rejectEvent(e, frames, "events sent out of order");
    previous = e.deltaFrames;
    if (e.midiData[0] < 0x80 || e.midiData[0] > 0x9F)
      rejectEvent(e, frames, "a status byte other than a note's");
    if (e.midiData[1] >= 0x80 || e.midiData[2] >= 0x80)
      rejectEvent(e, frames, "a data byte with its top bit set");
  }
}

}  // namespace

void playChecked(DirectHost& host, VstInt32 frames) {
  host.lists.clear();
  host.play(frames);
  for (const SentList& list : host.lists) requireValidList(list, frames);
  host.lists.clear();
}

double oddDouble(FuzzInput& in) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  static const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                               kInf,
                               -kInf,
                               0.0,
                               -0.0,
                               -1.0,
                               std::numeric_limits<double>::denorm_min(),
                               1e-300,
                               0.001,
                               0.01,
                               1.0,
                               4.0,
                               120.0,
                               44100.0,
                               1e6,
                               1e300,
                               std::numeric_limits<double>::max(),
                               -1e300};
  constexpr auto kOdd = static_cast<std::int64_t>(sizeof odd / sizeof odd[0]);
  const std::int64_t pick = in.range(0, kOdd + 1);
  if (pick < kOdd) return odd[pick];
  if (pick == kOdd) return static_cast<double>(in.range(-100000, 100000)) / 16.0;
  return in.raw<double>();
}

VstTimeInfo oddTransport(FuzzInput& in) {
  VstTimeInfo t{};
  t.flags = in.raw<VstInt32>();
  t.sampleRate = oddDouble(in);
  t.tempo = oddDouble(in);
  t.ppqPos = oddDouble(in);
  t.barStartPos = oddDouble(in);
  t.samplePos = oddDouble(in);
  t.timeSigNumerator = static_cast<VstInt32>(in.range(-2, 17));
  t.timeSigDenominator = static_cast<VstInt32>(in.range(-2, 17));
  return t;
}
