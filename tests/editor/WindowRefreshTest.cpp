// The idle refresh shows exactly the plug-in's state, whichever way it
// changed: a project the host restores, a pattern recalled by MIDI, a
// program change.
#include <limits>

#include "editor/NoteConversion.h"
#include "host/VstHost.h"
#include "tests/editor/EditorFixture.h"

namespace {

constexpr int kCurrent = PatternImage::kCurrent;

// A project a host might restore: used patterns 3 and 21, cells of every
// mode, a row of odd notes and channels, triggering off.
PatternImage Project() {
  PatternImage image;
  image.patternByte(3, 1) = 1;
  image.patternByte(21, 1) = 1;
  image.setCell(kCurrent, 0, 0, 127, 1);
  image.setCell(kCurrent, 0, 1, 64, 2);
  image.setCell(kCurrent, 0, 2, 1, 3);
  image.setCell(kCurrent, 0, 3, 0, 1);
  image.setCell(kCurrent, 0, 4, 100, 1, 1378);
  image.setCell(kCurrent, 0, 5, 100, 1, -1378);
  image.setCell(kCurrent, 11, 31, 90, 2);
  image.setRow(kCurrent, 5, 120, 16);
  image.setRow(kCurrent, 6, 127, 15);
  image.setRow(kCurrent, 7, 60, 9);
  image.setRow(kCurrent, 8, 119, 0);
  for (int slot = 0; slot < 26; ++slot) image.patternByte(slot, 3) = 1;
  // Stored pattern 2 shows one cell in row 3 and renamed rows.
  image.setCell(2, 3, 9, 127, 3);
  for (int row = 0; row < 12; ++row) image.setRow(2, row, static_cast<std::uint8_t>(24 + row), 2);
  return image;
}

}  // namespace

class WindowRefresh : public EditorTest {
protected:
  WindowRefresh() { open(); }

  std::vector<int> styles() {
    std::vector<int> all;
    for (int row = 0; row < 12; ++row)
      for (int step = 0; step < 32; ++step)
        all.push_back(window().NoteGrid->Cells(step, row)->StyleIndex());
    return all;
  }
  static std::vector<int> stylesWith(std::initializer_list<std::array<int, 3>> cells) {
    std::vector<int> all(384, 0);
    for (auto [step, row, style] : cells) all[static_cast<std::size_t>(row * 32 + step)] = style;
    return all;
  }
  std::vector<int> velocityLane() {
    std::vector<int> v;
    for (TQuibGauge* g : window().VelocityGauges) v.push_back(g->Progress());
    return v;
  }
  std::vector<int> shiftLane() {
    std::vector<int> v;
    for (TQuibGauge* g : window().ShiftGauges) v.push_back(g->Progress());
    return v;
  }
};

TEST_F(WindowRefresh, AfterAChunkLoadShowsEveryButtonCellLaneAndLabel) {
  PatternImage image = Project();
  load(image);
  idle();
  TPluginEditorWindow& w = window();

  for (int p = 0; p < 24; ++p) {
    const TColor expected = p == 3 ? 0x80A888u : p == 21 ? 0x7C9EF8u : 0xA8B0A0u;
    EXPECT_EQ(w.PatternButtons[p]->Color(), expected) << "pattern " << p;
  }
  EXPECT_EQ(&w.BG->Controls(w.BG->ControlCount() - 4), w.DIBFadeLabel25)
      << "the cursor lies on top of the windowless controls";

  EXPECT_EQ(styles(), stylesWith({{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 0, 1}, {4, 0, 1},
                                  {5, 0, 1}, {31, 11, 2}}));

  std::vector<int> velocity(32, 0), shift(32, 32);
  // Velocities 127, 64, 1, 0 show 64, 32, 1 (0.504 rounds up), 0.
  for (int step : {0, 1, 2, 3, 4, 5}) velocity[step] = std::array{64, 32, 1, 0, 50, 50}[step];
  shift[4] = 0;   // +1378 samples at 44100 Hz: the top
  shift[5] = 64;  // -1378: the bottom
  EXPECT_EQ(velocityLane(), velocity);
  EXPECT_EQ(shiftLane(), shift);
  EXPECT_EQ(w.QuibGauge65->Progress(), 66);

  const char* channels[12] = {"01", "01", "01", "01", "01", "17", "16", "10", "01", "01", "01", "01"};
  const char* notes[12] = {"B ", "A#", "A ", "G#", "G ", "--", "--", "C ", "B ", "D ", "C#", "C "};
  const char* octaves[12] = {"4", "4", "4", "4", "4", "-", "-", "5", "9", "4", "4", "4"};
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(w.BankMidiCh[r]->Caption(), channels[r]) << "row " << r;
    EXPECT_EQ(w.BankNote[r]->Caption(), notes[r]) << "row " << r;
    EXPECT_EQ(w.BankOctave[r]->Caption(), octaves[r]) << "row " << r;
  }
  EXPECT_EQ(w.BypassMode->Caption(), " OFF ");
}

TEST_F(WindowRefresh, AfterAMidiRecallShowsTheRecalledPattern) {
  PatternImage image = Project();
  load(image);
  idle();
  VstMidiEvent key = midiEvent(0x90, 50, 100);
  VstEvents events{1, 0, {reinterpret_cast<VstEvent*>(&key), nullptr}};
  set(0, 0, 0, TriggerBypass);
  dispatch(effProcessEvents, 0, 0, &events);
  selectedRow = 3;
  idle();
  TPluginEditorWindow& w = window();
  EXPECT_EQ(styles(), stylesWith({{9, 3, 3}}));
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(w.BankMidiCh[r]->Caption(), "03");
    EXPECT_EQ(w.BankNote[r]->Caption(), std::string(noteNames[static_cast<std::size_t>(r)]));
    EXPECT_EQ(w.BankOctave[r]->Caption(), "2");
  }
  std::vector<int> velocity(32, 0);
  velocity[9] = 64;
  EXPECT_EQ(velocityLane(), velocity);
  EXPECT_EQ(w.BypassMode->Caption(), " ON ");
}

TEST_F(WindowRefresh, AfterAProgramChangeShowsTheUnchangedPatternAndCurrentDefaults) {
  set(7, 1, 0x90, StepState);
  set(7, 1, 2, StepMode);
  set(1, 0, 64, DefaultVelocity);
  dispatch(effSetProgram, 0, 5);
  idle();
  EXPECT_EQ(styles(), stylesWith({{7, 1, 2}}));
  EXPECT_EQ(window().QuibGauge65->Progress(), 33);
}

TEST_F(WindowRefresh, ClearingACellShowsItEmptyWhileItsModeStaysStored) {
  set(4, 0, 0x90, StepState);
  set(4, 0, 2, StepMode);
  idle();
  EXPECT_EQ(window().NoteGrid->Cells(4, 0)->StyleIndex(), 2);
  set(4, 0, 0x80, StepState);
  idle();
  EXPECT_EQ(window().NoteGrid->Cells(4, 0)->StyleIndex(), 0);
  EXPECT_EQ(get(4, 0, StepMode), 2);
}

TEST_F(WindowRefresh, TheShiftLaneFollowsTheCurrentSampleRate) {
  set(0, 0, 0x90, StepState);
  set(0, 0, 1500, StepShift);
  set(1, 0, 0x90, StepState);
  set(1, 0, 750, StepShift);
  currentSampleRate = 48000.0;
  idle();
  EXPECT_EQ(window().ShiftGauges[0]->Progress(), 0);
  EXPECT_EQ(window().ShiftGauges[1]->Progress(), 16);
  currentSampleRate = 96000.0;
  idle();
  EXPECT_EQ(window().ShiftGauges[0]->Progress(), 16);
}

TEST_F(WindowRefresh, AShiftLaneUnderARateNearZeroOrHugeShowsItsEndsOrItsMiddle) {
  // Rates a host may report: any shift but none runs off the gauge near zero
  // and vanishes under a huge one, and nothing is converted out of range.
  const struct {
    double rate;
    int early, none, late;
  } cases[] = {
      {std::numeric_limits<double>::denorm_min(), 64, 32, 0},
      {1e-300, 64, 32, 0},
      {0.01, 64, 32, 0},
      {1e300, 32, 32, 32},
      {std::numeric_limits<double>::max(), 32, 32, 32},
  };
  for (int step : {0, 1, 2}) set(step, 0, 0x90, StepState);
  set(0, 0, -1500, StepShift);
  set(2, 0, 1500, StepShift);
  for (const auto& c : cases) {
    currentSampleRate = c.rate;
    idle();
    EXPECT_EQ(shiftLane()[0], c.early) << c.rate;
    EXPECT_EQ(shiftLane()[1], c.none) << c.rate;
    EXPECT_EQ(shiftLane()[2], c.late) << c.rate;
  }
}

TEST_F(WindowRefresh, AnUnchangedStateRepaintsNothing) {
  PatternImage image = Project();
  load(image);
  idle();
  window().PaintInvalid();
  idle();
  EXPECT_FALSE(window().NeedsPaint());
}
