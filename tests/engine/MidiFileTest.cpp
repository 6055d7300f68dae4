// The current pattern as a Standard MIDI File: the exact bytes, the file in
// the temporary folder, and independent readers reading it back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <tuple>

#include "engine/MidiFile.h"
#include "engine/TempFolder.h"
#include "tests/engine/DirectHost.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Pattern emptyPattern() {
  Pattern pattern;
  resetPattern(pattern);
  return pattern;
}

void setCell(Pattern& pattern, int row, int step, std::uint8_t velocity = 100) {
  pattern.rows[row].steps[step].state = kNoteOn;
  pattern.rows[row].steps[step].velocity = velocity;
}

const Bytes kHeaderTwoTracks = {0x4D, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 1, 0, 2, 0x03, 0xC0};
const Bytes kTempoTrack120 = {0x4D, 0x54, 0x72, 0x6B, 0, 0, 0, 0x13, 0x00, 0xFF, 0x58, 0x04, 0x04, 0x02,
                              0x18, 0x08, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};

// The events of the first channel track (after its length, before its end).
Bytes firstTrackEvents(const Bytes& file) {
  const std::size_t start = 14 + 27;
  const std::size_t length = file[start + 4] << 24 | file[start + 5] << 16 | file[start + 6] << 8 | file[start + 7];
  return Bytes(file.begin() + static_cast<long>(start + 8), file.begin() + static_cast<long>(start + 8 + length - 4));
}

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

}  // namespace

TEST(MidiFile, OneCellGivesTheWholeFileByteForByte) {
  Pattern pattern = emptyPattern();
  pattern.rows[0].note = 60;
  setCell(pattern, 0, 0, 100);
  Bytes expected = kHeaderTwoTracks;
  expected.insert(expected.end(), kTempoTrack120.begin(), kTempoTrack120.end());
  expected.insert(expected.end(), {0x4D, 0x54, 0x72, 0x6B, 0, 0, 0, 0x0D, 0x00, 0x90, 0x3C, 0x64, 0x81, 0x70,
                                   0x80, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00});
  EXPECT_EQ(buildMidiFile(pattern, 120.0), expected);
}

TEST(MidiFile, DeltasCountFromThePreviousNoteOffsOrTheTrackStart) {
  Pattern gap = emptyPattern();
  gap.rows[0].note = 60;
  setCell(gap, 0, 0);
  setCell(gap, 0, 2);
  const Bytes file = buildMidiFile(gap, 120.0);
  EXPECT_EQ(file[14 + 27 + 7], 0x17);
  EXPECT_EQ(firstTrackEvents(file), (Bytes{0x00, 0x90, 0x3C, 0x64, 0x81, 0x70, 0x80, 0x3C, 0x64, 0x81, 0x70,
                                           0x90, 0x3C, 0x64, 0x81, 0x70, 0x80, 0x3C, 0x64}));

  Pattern adjacent = emptyPattern();
  setCell(adjacent, 0, 4);
  setCell(adjacent, 0, 5);
  const Bytes events = firstTrackEvents(buildMidiFile(adjacent, 120.0));
  EXPECT_EQ(Bytes(events.begin() + 2, events.begin() + 4), (Bytes{0x90, 0x3B}));  // 960 = 87 40
  EXPECT_EQ(Bytes(events.begin(), events.begin() + 2), (Bytes{0x87, 0x40}));
  EXPECT_EQ(events[10], 0x00);  // step 5's note-on right after step 4's note-off
  EXPECT_EQ(events[11], 0x90);

  Pattern last = emptyPattern();
  setCell(last, 0, 31);
  const Bytes lastEvents = firstTrackEvents(buildMidiFile(last, 120.0));
  EXPECT_EQ(Bytes(lastEvents.begin(), lastEvents.begin() + 2), (Bytes{0xBA, 0x10}));
}

TEST(MidiFile, RowsSharingAChannelWriteNoteOnsThenNoteOffsInRowOrder) {
  Pattern pattern = emptyPattern();
  pattern.rows[3].channel = 2;
  pattern.rows[7].channel = 2;
  setCell(pattern, 3, 3, 90);
  setCell(pattern, 7, 3, 0);  // velocity 0 is written as it is
  EXPECT_EQ(firstTrackEvents(buildMidiFile(pattern, 120.0)),
            (Bytes{0x85, 0x50, 0x92, 56, 90, 0x00, 0x92, 52, 0, 0x81, 0x70, 0x82, 56, 90, 0x00, 0x82, 52, 0}));
}

TEST(MidiFile, ChannelTracksInAscendingOrderEachTimedFromItsOwnStart) {
  Pattern pattern = emptyPattern();
  pattern.rows[0].channel = 9;
  setCell(pattern, 0, 0);
  setCell(pattern, 1, 3);  // channel 0, first note at step 3
  const Bytes file = buildMidiFile(pattern, 120.0);
  EXPECT_EQ(file[11], 3);
  const Bytes channel0 = firstTrackEvents(file);
  EXPECT_EQ(Bytes(channel0.begin(), channel0.begin() + 3), (Bytes{0x85, 0x50, 0x90}));
  EXPECT_EQ(file.size(), 14u + 27u + 2 * (8u + 13u) + 1u);  // 85 50 is one byte longer than 00

  const Bytes empty = buildMidiFile(emptyPattern(), 120.0);
  EXPECT_EQ(empty.size(), 14u + 27u);
  EXPECT_EQ(empty[11], 1);
}

TEST(MidiFile, TempoIsRoundedAndKeptWithinTheEventsTwentyFourBits) {
  EXPECT_EQ(microsecondsPerQuarter(120.0), 0x07A120u);
  EXPECT_EQ(microsecondsPerQuarter(140.0), 0x068A1Bu);
  EXPECT_EQ(microsecondsPerQuarter(3.0), 0xFFFFFFu);
  EXPECT_EQ(microsecondsPerQuarter(1e12), 1u);
  for (double unusable : {0.0, -90.0, std::nan(""), HUGE_VAL}) EXPECT_EQ(microsecondsPerQuarter(unusable), 0x07A120u);
}

TEST(MidiFileExport, WritesQVMidiIntoTheTemporaryFolderWithTheHostsTempo) {
  const std::string folder = tempFolder();
  ASSERT_FALSE(folder.empty());
#ifdef _WIN32
  EXPECT_EQ(folder.back(), '\\');
#else
  EXPECT_EQ(folder.back(), '/');
#endif
  const std::string path = folder + "QVMidi.mid";
  DirectHost host;
  host.time = playingAt(0.0, 140.0);
  host.plugin().setPatternValue(5, 5, 0x90, StepState);
  std::remove(path.c_str());
  host.plugin().setPatternValue(0, 0, 0, MidiFileExport);
  const Bytes first = readFile(path);
  ASSERT_EQ(first.size(), 14u + 27u + 22u);  // step 5: a two-byte delta
  EXPECT_EQ(Bytes(first.begin() + 14 + 20, first.begin() + 14 + 23), (Bytes{0x06, 0x8A, 0x1B}));
  // A second export replaces the file completely.
  host.plugin().setPatternValue(0, 0, 0, PatternClear);
  host.hasTime = false;
  host.plugin().setPatternValue(0, 0, 0, MidiFileExport);
  Bytes expected = {0x4D, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 1, 0, 1, 0x03, 0xC0};
  expected.insert(expected.end(), kTempoTrack120.begin(), kTempoTrack120.end());
  EXPECT_EQ(readFile(path), expected);
  std::remove(path.c_str());
}

TEST(MidiFileExport, AnUncreatableFileRaisesItsPathAndLeavesNothing) {
  const std::string path = tempFolder() + "quaverlin-no-such-folder/QVMidi.mid";
  DirectHost host;
  try {
    host.plugin().writeMidiFile(path);
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
  }
  EXPECT_FALSE(exists(path));
}

#ifndef _WIN32
namespace {

// What a reader no one here wrote finds in the file: one line per note
// "channel note on off velocity", then "tracks N" and "tempo T".
const char* const kMidoReader = R"(
import sys, mido
f = mido.MidiFile(sys.argv[1])
notes = []
for track in f.tracks:
    now, sounding = 0, {}
    for m in track:
        now += m.time
        if m.type == 'note_on':
            sounding.setdefault((m.channel, m.note), []).append((now, m.velocity))
        elif m.type == 'note_off':
            on, velocity = sounding[(m.channel, m.note)].pop(0)
            assert m.velocity == velocity
            notes.append((m.channel, m.note, on, now, velocity))
        elif m.type == 'set_tempo':
            tempo = m.tempo
for n in sorted(notes):
    print(*n)
print('tracks', len(f.tracks))
print('tempo', tempo)
)";

std::string run(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pclose(pipe) != 0) output += "(failed)";
  }
  return output;
}

}  // namespace

TEST(MidiFileReadBack, MidoFindsExactlyThePatternsCellsInRandomPatterns) {
  if (run("/usr/bin/python3 -c 'import mido' 2>&1") != "") GTEST_SKIP() << "python3-mido is not installed";
  const std::string folder = tempFolder();
  const std::string script = folder + "quaverlin-mido-reader.py";
  std::ofstream(script) << kMidoReader;
  std::mt19937 random(17);
  for (int trial = 0; trial < 40; ++trial) {
    DirectHost host;
    const double tempo = 40.0 + static_cast<double>(random() % 200);
    host.time = playingAt(0.0, tempo);
    std::set<std::tuple<int, int, int, int, int>> expected;
    std::set<int> channels;
    const double density = static_cast<double>(random() % 100) / 100.0;
    for (int row = 0; row < kRows; ++row) {
      const int channel = static_cast<int>(random() % 16);
      const int note = static_cast<int>(random() % 128);
      host.plugin().setPatternValue(0, row, static_cast<VstInt16>(note), RowNote);
      host.plugin().setPatternValue(0, row, static_cast<VstInt16>(channel), RowChannel);
      for (int step = 0; step < kSteps; ++step) {
        if (static_cast<double>(random() % 1000) / 1000.0 >= density) continue;
        const int velocity = static_cast<int>(random() % 128);
        host.plugin().setPatternValue(step, row, 0x90, StepState);
        host.plugin().setPatternValue(step, row, static_cast<VstInt16>(velocity), StepVelocity);
        host.plugin().setPatternValue(step, row, static_cast<VstInt16>(random() % 2000), StepShift);
        expected.insert({channel, note, step * 240, (step + 1) * 240, velocity});
        channels.insert(channel);
      }
    }
    const std::string path = folder + "quaverlin-readback.mid";
    host.plugin().writeMidiFile(path);
    std::string want;
    for (const auto& [channel, note, on, off, velocity] : expected)
      want += std::to_string(channel) + " " + std::to_string(note) + " " + std::to_string(on) + " " +
              std::to_string(off) + " " + std::to_string(velocity) + "\n";
    want += "tracks " + std::to_string(1 + channels.size()) + "\n";
    want += "tempo " + std::to_string(microsecondsPerQuarter(tempo)) + "\n";
    ASSERT_EQ(run("/usr/bin/python3 " + script + " " + path + " 2>&1"), want) << "trial " << trial;

    // midicsv reads the same file as well-formed, with as many note-ons as cells.
    if (run("command -v midicsv") != "") {
      const std::string csv = run("midicsv " + path + " 2>&1");
      std::size_t noteOns = 0;
      for (std::size_t at = csv.find("Note_on_c"); at != std::string::npos; at = csv.find("Note_on_c", at + 1))
        ++noteOns;
      EXPECT_EQ(noteOns, expected.size()) << "trial " << trial;
      EXPECT_EQ(csv.find("rror"), std::string::npos) << csv;
    }
    std::remove(path.c_str());
  }
  std::remove(script.c_str());
}

TEST(MidiFileReadBack, MidoRejectsATruncatedFile) {
  if (run("/usr/bin/python3 -c 'import mido' 2>&1") != "") GTEST_SKIP() << "python3-mido is not installed";
  Pattern pattern = emptyPattern();
  setCell(pattern, 0, 0);
  Bytes file = buildMidiFile(pattern, 120.0);
  file.resize(file.size() - 3);
  const std::string path = tempFolder() + "quaverlin-truncated.mid";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
  EXPECT_NE(run("/usr/bin/python3 -c 'import sys, mido; mido.MidiFile(sys.argv[1])' " + path + " 2>&1"), "");
  std::remove(path.c_str());
}
#endif
