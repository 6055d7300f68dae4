// The editor's undo history on the plug-in's editor side: what an action
// is, what undo and redo put back, and what is never undone.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/EditHistory.h"
#include "host/VstHost.h"
#include "tests/engine/DirectHost.h"

namespace {

constexpr VstInt16 kSet = 0x90;
constexpr VstInt16 kNotSet = 0x80;

class EditHistoryTest : public ::testing::Test {
public:
  APlugin& plugin() { return host.plugin(); }
  void set(VstInt32 step, VstInt32 row, VstInt16 value, ValueKind kind) {
    plugin().setPatternValue(step, row, value, kind);
  }
  VstInt16 get(VstInt32 step, VstInt32 row, ValueKind kind) {
    return plugin().getPatternValue(step, row, kind);
  }
  // What a left click on an empty cell writes.
  void paint(int step, int row, VstInt16 velocity = 127) {
    set(step, row, velocity, StepVelocity);
    set(step, row, kSet, StepState);
    set(step, row, 1, StepMode);
  }
  void action(const std::function<void()>& edits) {
    plugin().beginEditAction();
    edits();
    plugin().endEditAction();
  }
  void midiRecall(int pattern) {
    VstMidiEvent event = midiEvent(0x90, static_cast<unsigned char>(48 + pattern), 100);
    VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&event), nullptr}};
    plugin().processEvents(&list);
  }
  bool played(int note) const {
    for (const SentList& list : host.lists)
      for (const VstMidiEvent& e : list.events)
        if ((e.midiData[0] & 0xF0) == 0x90 && e.midiData[1] == note) return true;
    return false;
  }

  DirectHost host{DirectHost::EditorKind::bridge};
};

struct ActionCase {
  const char* what;
  std::function<void(EditHistoryTest&)> setUp;  // state before the action, not undone
  std::function<void(EditHistoryTest&)> edits;  // the action
};

}  // namespace

// Actions of every field kind the editor tests do not reach come back byte
// for byte: undo gives the chunk from before, redo the chunk from after,
// again after a second round.
TEST_F(EditHistoryTest, UndoAndRedoGiveBackTheChunkExactly) {
  const auto none = [](EditHistoryTest&) {};
  const std::vector<ActionCase> cases = {
      {"a lane drag through velocity and shift", [](EditHistoryTest& t) { t.paint(5, 3); },
       [](EditHistoryTest& t) {
         for (int v : {120, 90, 64}) t.set(5, 3, static_cast<VstInt16>(v), StepVelocity);
         t.set(5, 3, -700, StepShift);
       }},
      {"all twelve channels", none,
       [](EditHistoryTest& t) {
         for (int r = 0; r < 12; ++r) t.set(0, r, static_cast<VstInt16>(r + 1), RowChannel);
       }},
      {"a store over a stored pattern that differs in rows and velocity",
       [](EditHistoryTest& t) {
         t.set(0, 0, 40, RowNote);
         t.set(1, 0, 70, DefaultVelocity);
         t.set(1, 0, 2, PatternStoreRecall);
         t.set(2, 0, 1, PatternUsed);
         t.set(0, 0, 59, RowNote);
         t.paint(1, 1);
       },
       [](EditHistoryTest& t) {
         t.set(1, 0, 2, PatternStoreRecall);
         t.set(2, 0, 0, PatternUsed);
       }},
      {"the trigger switch and the default velocity", none,
       [](EditHistoryTest& t) {
         t.set(0, 0, 1, TriggerBypass);
         t.set(1, 0, 64, DefaultVelocity);
       }},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.what);
    EditHistoryTest& t = *this;
    host.reopen();
    c.setUp(t);
    const std::vector<unsigned char> before = host.image();
    action([&] { c.edits(t); });
    const std::vector<unsigned char> after = host.image();
    ASSERT_NE(before, after);
    for (int round = 0; round < 2; ++round) {
      EXPECT_TRUE(plugin().undoEdit());
      EXPECT_EQ(host.image(), before);
      EXPECT_TRUE(plugin().redoEdit());
      EXPECT_EQ(host.image(), after);
    }
  }
}

// A whole action goes back at once; without an action open each call is one.
TEST_F(EditHistoryTest, AnActionGroupsItsEditsAndLoneEditsAreOneEach) {
  action([&] {
    paint(0, 0);
    paint(1, 0);
  });
  set(2, 0, 100, StepVelocity);
  set(2, 0, kSet, StepState);
  EXPECT_TRUE(plugin().undoEdit());  // the state alone
  EXPECT_EQ(get(2, 0, StepState), kNotSet);
  EXPECT_EQ(get(2, 0, StepVelocity), 100);
  EXPECT_TRUE(plugin().undoEdit());
  EXPECT_EQ(get(2, 0, StepVelocity), 127);
  EXPECT_EQ(get(1, 0, StepState), kSet);
  EXPECT_TRUE(plugin().undoEdit());
  EXPECT_EQ(get(1, 0, StepState), kNotSet);
  EXPECT_EQ(get(0, 0, StepState), kNotSet);
  EXPECT_FALSE(plugin().undoEdit());

  set(0, 0, 1, TriggerBypass);  // one call, all 26 slots
  EXPECT_TRUE(plugin().undoEdit());
  EXPECT_EQ(get(0, 0, TriggerBypass), 0);
  EXPECT_FALSE(plugin().undoEdit());
}

// An action that changes nothing is no action: it leaves the redo branch.
// A new action after an undo drops it.
TEST_F(EditHistoryTest, ANewActionAfterAnUndoDropsTheRedoBranchButANoOpDoesNot) {
  action([&] { paint(0, 0); });
  action([&] { paint(1, 0); });
  ASSERT_TRUE(plugin().undoEdit());
  action([&] { set(0, 0, kSet, StepState); });  // already so
  EXPECT_TRUE(plugin().redoEdit());
  EXPECT_EQ(get(1, 0, StepState), kSet);
  ASSERT_TRUE(plugin().undoEdit());
  action([&] { paint(5, 5); });
  EXPECT_FALSE(plugin().redoEdit());
  EXPECT_EQ(get(1, 0, StepState), kNotSet);
  EXPECT_TRUE(plugin().undoEdit());
  EXPECT_TRUE(plugin().undoEdit());
  EXPECT_EQ(get(0, 0, StepState), kNotSet);
}

// The history keeps the newest kMaxActions (at least 200) and forgets the
// oldest beyond them.
TEST_F(EditHistoryTest, KeepsTheNewestActionsUpToItsLimit) {
  static_assert(EditHistory::kMaxActions >= 200);
  const int total = static_cast<int>(EditHistory::kMaxActions) + 10;
  for (int i = 0; i < total; ++i) action([&] { set(1, 0, static_cast<VstInt16>(i + 1), StepShift); });
  int undone = 0;
  while (plugin().undoEdit()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(EditHistory::kMaxActions));
  EXPECT_EQ(get(1, 0, StepShift), 10);
}

// 200 strokes that each set or clear every cell of the grid (the most a
// stroke can change) stay under 2 MB.
TEST_F(EditHistoryTest, TwoHundredWholeGridStrokesTakeUnderTwoMegabytes) {
  for (int k = 0; k < 200; ++k)
    action([&] {
      for (int r = 0; r < 12; ++r)
        for (int s = 0; s < 32; ++s) {
          set(s, r, k % 2 ? kNotSet : kSet, StepState);
          set(s, r, static_cast<VstInt16>(k % 2 ? 50 : 100), StepVelocity);
          set(s, r, static_cast<VstInt16>(k % 2 ? 1 : 3), StepMode);
        }
    });
  const std::size_t bytes = plugin().editHistoryBytes();
  std::printf("200 whole-grid strokes: %zu bytes of history\n", bytes);
  EXPECT_GT(bytes, 200u * 384u * 3u * sizeof(FieldChange));  // every change is kept
  EXPECT_LT(bytes, 2u * 1024u * 1024u);
}

// What the user did not do in the editor is not undone: a project load
// clears the history, and so does a recall by MIDI key.
TEST_F(EditHistoryTest, AChunkLoadOrAMidiRecallClearsTheHistory) {
  action([&] { paint(0, 0); });
  const std::vector<unsigned char> project = host.image();
  action([&] { paint(1, 1); });
  ASSERT_TRUE(host.load(project));
  EXPECT_FALSE(plugin().undoEdit());
  EXPECT_EQ(host.image(), project);

  action([&] { paint(2, 2); });
  action([&] { set(1, 0, 4, PatternStoreRecall); });
  action([&] { set(2, 2, kNotSet, StepState); });
  midiRecall(4);
  EXPECT_FALSE(plugin().undoEdit());
  EXPECT_EQ(get(2, 2, StepState), kSet) << "the recalled pattern stays";
}

// A recall made while the transport runs waits for the next step. Undone
// before then, it never takes over; undone after, the old pattern is back.
// Either way the chunk is the one from before the recall.
TEST_F(EditHistoryTest, AQueuedRecallUndoneBeforeOrAfterItTookOver) {
  for (bool tookOver : {false, true}) {
    SCOPED_TRACE(tookOver ? "after" : "before");
    host.reopen();
    paint(0, 0);
    set(1, 0, 3, PatternStoreRecall);
    set(0, 0, kNotSet, StepState);
    paint(7, 7);
    host.time = playingAt(0.1);
    host.play(512);
    const std::vector<unsigned char> before = host.image();
    action([&] { set(0, 0, 3, PatternStoreRecall); });
    if (tookOver) {
      host.time = playingAt(0.24);  // through step 1
      host.play(512);
      ASSERT_EQ(get(0, 0, StepState), kSet);
    }
    ASSERT_TRUE(plugin().undoEdit());
    host.time = playingAt(0.74);  // through step 3
    host.play(512);
    EXPECT_EQ(get(7, 7, StepState), kSet);
    EXPECT_EQ(get(0, 0, StepState), kNotSet);
    EXPECT_EQ(host.image(), before);
    ASSERT_TRUE(plugin().redoEdit());
    EXPECT_EQ(get(0, 0, StepState), kSet);
  }
}

// The audio thread plays what undo put back, for a small action (sent as
// field edits) and one too large for a block (sent as a whole copy).
TEST_F(EditHistoryTest, TheAudioThreadPlaysWhatUndoAndRedoPutBack) {
  for (int rows : {0, 2}) {
    for (bool redone : {false, true}) {
      SCOPED_TRACE(rows ? "two whole rows" : "one cell");
      SCOPED_TRACE(redone ? "redone" : "undone");
      host.reopen();
      action([&] {
        paint(0, 0, 100);
        for (int r = 0; r < rows; ++r)
          for (int s = 0; s < kSteps; ++s) paint(s, r, 100);
      });
      // The audio thread catches up with the edits while the transport stands.
      host.time = {};
      for (int b = 0; b < 8; ++b) host.play(512);
      ASSERT_TRUE(plugin().undoEdit());
      if (redone) {
        ASSERT_TRUE(plugin().redoEdit());
      }
      host.lists.clear();
      host.time = playingAt(0.0);
      host.play(512);
      EXPECT_EQ(played(59), redone);
    }
  }
}
