// The playhead in the editor's grid, driven by the substitute host's
// transport: the column of the step being played is framed and no other,
// the frame leaves with the stop, moving it repaints two columns, and it
// never stands over a step, or a pattern, that is not playing.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "editor/APluginEditor.h"
#include "editor/EditorColors.h"
#include "editor/PluginEditorWindow.h"
#include "host/PatternImage.h"
#include "host/Transport.h"
#include "host/VstHost.h"
#include "tests/engine/DirectHost.h"

namespace {

constexpr TColor kFrame = editor_colors::playingStep;
// The note grid's cell (0, 0) on the window.
constexpr int kGridX = 95 + 4;
constexpr int kGridY = 27 + 3;

class Playhead : public ::testing::Test {
protected:
  Playhead() {
    selectedRow = 0;
    EXPECT_EQ(bridge().openHeadless(), 1);
  }
  ~Playhead() override { currentSampleRate = 44100.0; }

  APluginEditor& bridge() { return static_cast<APluginEditor&>(*host.plugin().getEditor()); }
  TPluginEditorWindow& window() { return *bridge().window(); }
  TCrDesignGrid& grid() { return *window().NoteGrid; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
    AEffect* effect = host.plugin().getAeffect();
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
  }

  // One block as the substitute host plays it: the time from its transport,
  // which then moves on.
  void block(VstInt32 frames = 512) {
    host.time = transport.timeInfo();
    host.play(frames);
    transport.advance(frames);
  }
  // From two steps before, until the last block ends inside the step (in the
  // pattern's second pass, so that step 0 has steps before it too).
  void playIntoStep(int step) {
    const double start = (32 + step) * 0.25;
    transport.playing = true;
    transport.locate(start - 0.5);
    while (transport.ppqPos() < start + 0.0625) block();
  }
  // An idle call and the painting a window would do after it.
  std::vector<TRect> idle() {
    dispatch(effEditIdle);
    return window().PaintInvalid();
  }
  TColor pixel(int x, int y) { return window().Image().ColorAt(x, y); }

  // The columns of the grid in which the frame colour shows anywhere.
  std::set<int> framedColumns() {
    std::set<int> columns;
    for (int y = kGridY; y < kGridY + 192; ++y)
      for (int x = kGridX; x < kGridX + 512; ++x)
        if (pixel(x, y) == kFrame) columns.insert((x - kGridX) / 16);
    return columns;
  }
  // The grid columns that painted rectangles cover; -1 for one that is not
  // a column's, or part of one, of the grid's cells.
  static std::set<int> paintedColumns(const std::vector<TRect>& painted) {
    std::set<int> columns;
    for (const TRect& r : painted) {
      const bool inColumn = r.Width() == 16 && (r.Left - kGridX) % 16 == 0 && r.Left >= kGridX &&
                            r.Top >= kGridY && r.Bottom <= kGridY + 192;
      columns.insert(inColumn ? (r.Left - kGridX) / 16 : -1);
    }
    return columns;
  }
  bool sentANoteOn() const {
    for (const SentList& list : host.lists)
      for (const VstMidiEvent& e : list.events)
        if ((e.midiData[0] & 0xF0) == 0x90 && e.midiData[2] > 0) return true;
    return false;
  }

  DirectHost host{DirectHost::EditorKind::bridge};
  Transport transport;
};

}  // namespace

// Pictures at known steps: the frame in exactly that column, on every row,
// over faces that still tell set cells from empty ones.
TEST_F(Playhead, AtEachStepExactlyThatColumnIsFramedOverTheCellsFaces) {
  PatternImage image;
  for (int step = 0; step < 32; step += 3) image.setCell(PatternImage::kCurrent, 0, step);
  ASSERT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()), image.bytes().data()), 1);
  for (int step : {0, 1, 7, 16, 30, 31}) {
    playIntoStep(step);
    idle();
    EXPECT_EQ(framedColumns(), std::set<int>{step}) << "at step " << step;
    const int left = kGridX + 16 * step;
    for (int row = 0; row < 12; ++row) {
      const int top = kGridY + 16 * row;
      // The outermost pixel lies under the separators; two show.
      EXPECT_EQ(pixel(left + 1, top + 8), kFrame) << "step " << step << " row " << row;
      EXPECT_EQ(pixel(left + 14, top + 8), kFrame) << "step " << step << " row " << row;
      EXPECT_EQ(pixel(left + 8, top + 2), kFrame) << "step " << step << " row " << row;
    }
    const TColor face = step % 3 == 0 ? 0x959A8F : 0xC0C6BB;
    EXPECT_EQ(pixel(left + 8, kGridY + 8), face) << "row 0 of step " << step;
    EXPECT_EQ(pixel(left + 8, kGridY + 16 + 8), 0xC0C6BBu) << "row 1 of step " << step;
  }
}

TEST_F(Playhead, StoppingTheTransportRemovesTheFrameAndRepaintsOnlyItsColumn) {
  playIntoStep(9);
  idle();
  ASSERT_EQ(framedColumns(), std::set<int>{9});
  transport.playing = false;
  block();
  EXPECT_EQ(paintedColumns(idle()), std::set<int>{9});
  EXPECT_TRUE(framedColumns().empty());
  // Starting again brings it back where the song stands.
  playIntoStep(20);
  idle();
  EXPECT_EQ(framedColumns(), std::set<int>{20});
}

TEST_F(Playhead, MovingOnRepaintsOnlyTheColumnLeftAndTheColumnReached) {
  for (auto [from, to] : {std::pair{3, 4}, std::pair{31, 0}}) {
    playIntoStep(from);
    idle();
    while (host.plugin().playingStep() == from) block();
    ASSERT_EQ(host.plugin().playingStep(), to);
    EXPECT_EQ(paintedColumns(idle()), (std::set<int>{from, to}));
    EXPECT_EQ(framedColumns(), std::set<int>{to});
  }
}

// Idle calls at 30 Hz against steps of 25 ms: some steps are never shown,
// but each idle shows the step in which the last block ended, and only that.
TEST_F(Playhead, AtThirtyHertzItSkipsStepsButShowsOnlyTheStepPlaying) {
  transport.tempo = 600.0;
  const double stepFrames = 44100.0 * 60.0 / 600.0 / 4.0;
  // The step whose first frame (its grid time rounded down) is the last at
  // or before frame `last` of the song.
  auto stepAt = [&](double last) {
    auto first = [&](double k) { return std::floor(k * stepFrames); };
    double k = std::floor(last / stepFrames);
    while (first(k) > last) --k;
    while (first(k + 1) <= last) ++k;
    return static_cast<int>(std::fmod(k, 32.0));
  };
  double sinceIdle = 0;
  int idles = 0;
  for (int b = 0; b < 1200; ++b) {
    block(256);
    sinceIdle += 256;
    if (sinceIdle < 44100.0 / 30.0) continue;
    sinceIdle = 0;
    idle();
    ++idles;
    const int playing = stepAt(transport.samplePos - 1);
    ASSERT_EQ(grid().CurrentColumn(), playing) << "idle " << idles;
    ASSERT_EQ(framedColumns(), std::set<int>{playing}) << "idle " << idles;
  }
  EXPECT_GT(1200 * 256 / stepFrames, idles + 50) << "steps were skipped";
}

// A pattern recalled while the song plays takes over at a step; the grid
// shows the column only over the pattern that plays there, whether the
// editor or a MIDI key recalled it.
TEST_F(Playhead, AQueuedSwitchShowsThePatternThatActuallyPlays) {
  for (bool byMidi : {false, true}) {
    SCOPED_TRACE(byMidi ? "recalled by a MIDI key" : "recalled in the editor");
    PatternImage image;
    for (int step = 0; step < 32; ++step) image.setCell(2, 0, step);
    image.patternByte(2, 1) = 1;
    ASSERT_EQ(dispatch(effSetChunk, 0, static_cast<VstIntPtr>(image.bytes().size()), image.bytes().data()), 1);
    host.lists.clear();
    playIntoStep(5);
    // The key arrives in the last block before step 6: the audio thread plays
    // the recall from that step on before the editor's side has heard of it.
    const double step6 = (32 + 6) * 0.25, blockQuarters = 512 / 22050.0;
    while (transport.ppqPos() + blockQuarters <= step6) block();
    idle();
    ASSERT_FALSE(sentANoteOn());
    if (byMidi) {
      VstMidiEvent key = midiEvent(0x90, 50, 100);
      VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&key), nullptr}};
      dispatch(effProcessEvents, 0, 0, &list);
    } else {
      host.plugin().setPatternValue(0, 0, 2, PatternStoreRecall);
    }
    int shownOverTheNewPattern = 0;
    for (int b = 0; b < 50; ++b) {
      block();
      idle();
      const int column = grid().CurrentColumn();
      if (column < 0) continue;
      const bool newPlays = sentANoteOn();
      EXPECT_EQ(grid().Cells(column, 0)->StyleIndex(), newPlays ? 1 : 0) << "block " << b;
      if (newPlays) ++shownOverTheNewPattern;
    }
    EXPECT_GT(shownOverTheNewPattern, 30);
  }
}

// A host that stops calling process without switching the plug-in off (its
// engine stopped, the track made inactive) leaves the last step published:
// after a second without blocks the frame goes, and it comes back with them.
TEST_F(Playhead, TheFrameGoesWhenBlocksStopComingWhileTheTransportRolls) {
  playIntoStep(12);
  idle();
  ASSERT_EQ(framedColumns(), std::set<int>{12});
  TimerClock& clock = window().Clock();
  clock.Advance(std::chrono::milliseconds(900));
  idle();
  EXPECT_EQ(framedColumns(), std::set<int>{12}) << "a long block is no stop";
  clock.Advance(std::chrono::milliseconds(200));
  EXPECT_EQ(paintedColumns(idle()), std::set<int>{12});
  EXPECT_TRUE(framedColumns().empty());
  block();
  idle();
  EXPECT_EQ(framedColumns(), std::set<int>{host.plugin().playingStep()});
}
