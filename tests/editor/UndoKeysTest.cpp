// Undo and redo as the user reaches them: each press-to-release gesture in
// the window is one action, taken back by Ctrl+Z and done again by
// Ctrl+Shift+Z or Ctrl+Y, from the window or from the host's forwarded keys.
#include "tests/editor/EditorInput.h"

#include <functional>
#include <vector>

#include "editor/FormView.h"

using enum TMouseButton;

namespace {

constexpr VstInt16 kSet = 0x90;
constexpr unsigned char kShiftKey = 1;    // MODIFIER_SHIFT
constexpr unsigned char kCommandKey = 4;  // MODIFIER_COMMAND
constexpr unsigned char kControlKey = 8;  // MODIFIER_CONTROL

class UndoKeys : public EditorInput {
public:
  using EditorInput::click;
  using EditorInput::stroke;
  using EditorTest::window;
  // Keys as the editor's native window passes them on.
  bool windowKey(char letter, TShiftState keys) { return window().CommandKey(letter, keys); }
  bool undo() { return windowKey('z', {ssCtrl}); }
  bool redo() { return windowKey('z', {ssCtrl, ssShift}); }
  // Keys as a host forwards them: the character, no virtual key, the modifiers.
  VstIntPtr hostKey(VstInt32 opcode, char letter, unsigned char modifiers) {
    return dispatch(opcode, letter, 0, nullptr, modifiers);
  }
  std::vector<unsigned char> bytes() { return chunk().bytes(); }
};

struct Gesture {
  const char* what;
  std::function<void(UndoKeys&)> prepare;  // not undone
  std::function<void(UndoKeys&)> act;      // one gesture
};

}  // namespace

// Each gesture is undone whole, back to the chunk from before it, and redone
// whole, to the chunk from after it.
TEST_F(UndoKeys, EachGestureIsOneActionBackAndForth) {
  const auto none = [](UndoKeys&) {};
  const std::vector<Gesture> gestures = {
      {"a left stroke over five cells", none,
       [](UndoKeys& t) { t.stroke({cell(4, 11), cell(5, 11), cell(6, 11), cell(7, 11), cell(8, 11)}); }},
      {"a right stroke", [](UndoKeys& t) { t.stroke({cell(1, 2), cell(2, 2), cell(3, 2)}); },
       [](UndoKeys& t) { t.stroke({cell(1, 2), cell(2, 2)}, mbRight); }},
      {"a velocity lane drag",
       [](UndoKeys& t) { t.click(cell(5, 0)); },
       [](UndoKeys& t) { t.stroke({lane(5, 32), lane(5, 40), lane(5, 10)}); }},
      {"Ctrl on an octave label, all rows", none,
       [](UndoKeys& t) { t.click(octaveLabel(3), mbLeft, {ssCtrl}); }},
      {"a note label", none, [](UndoKeys& t) { t.click(noteLabel(3), mbRight); }},
      {"clear", [](UndoKeys& t) { t.stroke({cell(0, 0), cell(1, 1), cell(2, 2)}); },
       [](UndoKeys& t) { t.click(*t.window().DIBImages[4]); }},
      {"a store", [](UndoKeys& t) { t.click(cell(9, 9)); },
       [](UndoKeys& t) { t.click(patternButton(4), mbRight); }},
      {"a recall",
       [](UndoKeys& t) {
         t.click(cell(9, 9));
         t.click(patternButton(4), mbRight);
         t.click(*t.window().DIBImages[4]);
       },
       [](UndoKeys& t) { t.click(patternButton(4)); }},
  };
  for (const Gesture& g : gestures) {
    SCOPED_TRACE(g.what);
    plugin->resetPatterns();
    g.prepare(*this);
    const std::vector<unsigned char> before = bytes();
    g.act(*this);
    const std::vector<unsigned char> after = bytes();
    ASSERT_NE(before, after);
    EXPECT_TRUE(undo());
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(redo());
    EXPECT_EQ(bytes(), after);
    EXPECT_TRUE(undo());
    EXPECT_TRUE(windowKey('y', {ssCtrl}));
    EXPECT_EQ(bytes(), after);
  }
}

// Pressed in the middle of a stroke, Ctrl+Z takes back what the stroke did
// so far; the rest of the stroke is an action of its own.
TEST_F(UndoKeys, UndoDuringAStrokeTakesBackItsFirstPart) {
  press(cell(0, 4));
  move(cell(1, 4));
  EXPECT_TRUE(undo());
  EXPECT_NE(get(0, 4, StepState), kSet);
  EXPECT_NE(get(1, 4, StepState), kSet);
  move(cell(2, 4));
  release(cell(2, 4));
  EXPECT_EQ(get(2, 4, StepState), kSet);
  EXPECT_TRUE(undo());
  EXPECT_NE(get(2, 4, StepState), kSet);
  EXPECT_FALSE(undo());
}

// Letters without Ctrl, or other letters with it, are not commands; and an
// empty history uses no key.
TEST_F(UndoKeys, OnlyCtrlZAndCtrlYAreUsedAndOnlyWhenThereIsSomethingToDo) {
  EXPECT_FALSE(undo());
  click(cell(3, 3));
  EXPECT_FALSE(windowKey('z', {}));
  EXPECT_FALSE(windowKey('x', {ssCtrl}));
  EXPECT_EQ(get(3, 3, StepState), kSet);
  EXPECT_FALSE(redo());
  EXPECT_TRUE(undo());
  EXPECT_FALSE(undo());
}

// The history belongs to the plug-in: closing and reopening the editor
// keeps it.
TEST_F(UndoKeys, ClosingAndReopeningTheEditorKeepsTheHistory) {
  const std::vector<unsigned char> before = bytes();
  stroke({cell(0, 1), cell(1, 1)});
  dispatch(effEditClose);
  open();
  idle();
  EXPECT_TRUE(undo());
  EXPECT_EQ(bytes(), before);
}

// Hosts that forward keys: the character in either case, Ctrl reported as
// MODIFIER_CONTROL or MODIFIER_COMMAND. 1 only for a key that did something,
// and for its release; other keys keep the base's -1.
TEST_F(UndoKeys, ForwardedKeysUndoAndRedoAndAnswerOneOnlyWhenUsed) {
  const std::vector<unsigned char> before = bytes();
  stroke({cell(0, 0), cell(1, 0)});
  const std::vector<unsigned char> after = bytes();
  struct Key {
    char letter;
    unsigned char modifiers;
    const std::vector<unsigned char>& leaves;
  };
  const Key keys[] = {{'z', kControlKey, before},
                      {'Z', kControlKey | kShiftKey, after},
                      {'Z', kCommandKey, before},
                      {'y', kControlKey, after}};
  for (const Key& k : keys) {
    SCOPED_TRACE(k.letter);
    EXPECT_EQ(hostKey(effEditKeyDown, k.letter, k.modifiers), 1);
    EXPECT_EQ(bytes(), k.leaves);
    EXPECT_EQ(hostKey(effEditKeyUp, k.letter, 0), 1);
  }
  EXPECT_EQ(hostKey(effEditKeyDown, 'y', kControlKey), -1) << "nothing left to redo";
  EXPECT_EQ(hostKey(effEditKeyUp, 'y', kControlKey), -1);
  EXPECT_EQ(hostKey(effEditKeyDown, 'z', 0), -1) << "no Ctrl";
  EXPECT_EQ(hostKey(effEditKeyDown, 'a', kControlKey), -1);
  EXPECT_EQ(bytes(), after);
}

// The window's view passes Ctrl with a letter to the form, keys included.
TEST_F(UndoKeys, TheViewPassesCommandKeysToTheEditor) {
  FormView view(window(), {});
  click(cell(6, 6));
  EXPECT_TRUE(view.CommandKey('z', pkCtrl));
  EXPECT_NE(get(6, 6, StepState), kSet);
  EXPECT_TRUE(view.CommandKey('z', pkCtrl | pkShift));
  EXPECT_EQ(get(6, 6, StepState), kSet);
}
