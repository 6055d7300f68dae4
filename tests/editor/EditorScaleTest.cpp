// The editor drawn at 150 % and 200 %: the window's size, the 100 % picture
// scaled, every caption inside its box, and input in device pixels that
// edits what the same input edits at 100 %.
#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/FormView.h"
#include "editor/Shape.h"
#include "tests/editor/DeviceLines.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/LabelCaptions.h"

namespace {

struct Sized {
  int percent, width, height;
};
constexpr Sized kSizes[] = {{100, 746, 321}, {150, 1119, 482}, {200, 1492, 642}};

std::string Show(const TRect& r) {
  std::ostringstream text;
  text << '(' << r.Left << ',' << r.Top << ")-(" << r.Right << ',' << r.Bottom << ')';
  return text.str();
}

// A pattern with cells of every style, lane levels and used patterns.
void FillBusyPattern(APlugin& plugin) {
  for (int row = 0; row < 12; ++row)
    for (int step = row % 3; step < 32; step += 3) {
      plugin.setPatternValue(step, row, 0x90, StepState);
      plugin.setPatternValue(step, row, static_cast<VstInt16>(1 + (step + row) % 3), StepMode);
      plugin.setPatternValue(step, row, static_cast<VstInt16>(4 * step), StepVelocity);
    }
  for (int p = 0; p < 24; p += 3) plugin.setPatternValue(p, 0, 1, PatternUsed);
}

}  // namespace

class EditorScale : public EditorTest {
protected:
  ERect rect() {
    ERect* r = nullptr;
    dispatch(effEditGetRect, 0, 0, &r);
    return *r;
  }
  void expectSize(const Sized& s) {
    EXPECT_EQ(rect().right, s.width) << s.percent << "%";
    EXPECT_EQ(rect().bottom, s.height) << s.percent << "%";
    EXPECT_EQ(window().Image().Width(), s.width) << s.percent << "%";
    EXPECT_EQ(window().Image().Height(), s.height) << s.percent << "%";
  }
};

// Chosen before the editor opens or while it is open, a scale gives the
// window its size, in getRect's answer and in the picture.
TEST_F(EditorScale, TheWindowTakesTheSizeOfItsScaleWhetherOpenOrNot) {
  for (const Sized& s : kSizes) {
    bridge().setScale(s.percent);
    EXPECT_EQ(bridge().scale(), s.percent);
    open();
    expectSize(s);
    dispatch(effEditClose);
  }
  open();
  for (const Sized& s : {kSizes[1], kSizes[0], kSizes[2], kSizes[1]}) {
    bridge().setScale(s.percent);
    expectSize(s);
  }
}

TEST_F(EditorScale, RefusesEveryOtherScaleAndKeepsItsOwn) {
  bridge().setScale(150);
  open();
  for (int refused : {0, 99, 125, 175, 300, -150}) {
    bridge().setScale(refused);
    EXPECT_EQ(bridge().scale(), 150) << refused;
    expectSize(kSizes[1]);
  }
}

// Switching while open keeps the pattern, the selected row and the lane in
// front, and draws the very picture an editor opened at that scale draws.
TEST_F(EditorScale, ASwitchWhileOpenKeepsTheStateAndDrawsAsAFreshOpenDoes) {
  FillBusyPattern(*plugin);
  PatternImage before = chunk();
  auto showShiftLaneOfRow5 = [](TPluginEditorWindow& w) {
    const TPoint button = w.DIBImages[1]->FormOrigin();
    w.PointerDown(TMouseButton::mbLeft, {}, button.X + 5, button.Y + 5);
    w.PointerUp(TMouseButton::mbLeft, {}, button.X + 5, button.Y + 5);
    // Alt with a grid press selects the row without editing.
    w.PointerDown(TMouseButton::mbLeft, {ssAlt}, 95 + 4 + 8, 27 + 3 + 16 * 5 + 8);
    w.PointerUp(TMouseButton::mbLeft, {ssAlt}, 95 + 4 + 8, 27 + 3 + 16 * 5 + 8);
  };
  open();
  idle();
  showShiftLaneOfRow5(window());
  bridge().setScale(200);
  idle();
  window().PaintInvalid();
  EXPECT_EQ(selectedRow, 5);
  EXPECT_EQ(chunk().bytes(), before.bytes());

  std::unique_ptr<APlugin> fresh(static_cast<APlugin*>(createEffectInstance(nullptr)));
  FillBusyPattern(*fresh);
  auto& freshBridge = static_cast<APluginEditor&>(*fresh->getEditor());
  freshBridge.setScale(200);
  ASSERT_EQ(freshBridge.openHeadless(), 1);
  freshBridge.idle();
  showShiftLaneOfRow5(*freshBridge.window());
  freshBridge.idle();
  freshBridge.window()->PaintInvalid();

  const Surface &switched = window().Image(), &opened = freshBridge.window()->Image();
  ASSERT_EQ(switched.Bounds(), opened.Bounds());
  int differing = 0;
  for (int y = 0; y < opened.Height(); ++y)
    for (int x = 0; x < opened.Width(); ++x) differing += switched.At(x, y) != opened.At(x, y);
  EXPECT_EQ(differing, 0);
  freshBridge.close();
}

// In the note grid, the lanes, the pattern buttons, the presets and the
// global gauge, every pixel that lies in a flat area of the 100 % picture
// (its 3 x 3 neighbourhood one colour, outside any caption) keeps that
// colour on every device pixel it covers at 150 % and 200 %: the geometry
// scales, and only edges and text may differ.
TEST_F(EditorScale, GridLanesAndButtonsLookLikeThe100PercentPictureScaled) {
  FillBusyPattern(*plugin);
  open();
  idle();
  window().PaintInvalid();
  const Surface small = window().Image();
  std::vector<TRect> captions;
  for (TDIBFadeLabel* label : LabelsOf(window())) {
    const TRect ink = label->CaptionInk();
    if (!ink.IsEmpty()) captions.push_back(ink.Offset(label->Left(), label->Top()).Inflate(1));
  }
  auto flat = [&](int x, int y) {
    for (const TRect& c : captions)
      if (c.Contains(x, y)) return false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (small.At(x + dx, y + dy) != small.At(x, y)) return false;
    return true;
  };
  const TRect regions[] = {
      window().NoteGrid->BoundsRect(), window().VelocityGrid->BoundsRect(),
      {635, 58, 727, 196},   // the pattern buttons
      {635, 258, 724, 301},  // presets and the global velocity gauge
      {5, 22, 95, 230},      // the row labels on the upper panel
  };
  for (int percent : {150, 200}) {
    bridge().setScale(percent);
    window().PaintInvalid();
    const Scale scale(percent);
    const Surface& big = window().Image();
    int compared = 0, wrong = 0;
    for (const TRect& region : regions)
      for (int y = region.Top; y < region.Bottom; ++y)
        for (int x = region.Left; x < region.Right; ++x) {
          if (!flat(x, y)) continue;
          ++compared;
          for (int dy = scale.ToDevice(y); dy < scale.ToDevice(y + 1); ++dy)
            for (int dx = scale.ToDevice(x); dx < scale.ToDevice(x + 1); ++dx)
              if (big.At(dx, dy) != small.At(x, y) && ++wrong <= 5)
                ADD_FAILURE() << percent << "%: logical " << x << "," << y << " device " << dx
                              << "," << dy << " is " << std::hex << big.ColorAt(dx, dy)
                              << ", not " << small.ColorAt(x, y);
        }
    EXPECT_GT(compared, 100000) << "most of the regions are flat";
    EXPECT_EQ(wrong, 0) << percent << "%";
  }
}

namespace {

constexpr int kApart = 1 << 20;

// The pixels between two boxes that face each other across rows or columns;
// negative where they overlap, kApart where they only meet diagonally.
int GapBetween(const TRect& a, const TRect& b) {
  const bool rowsMeet = a.Top < b.Bottom && b.Top < a.Bottom;
  const bool columnsMeet = a.Left < b.Right && b.Left < a.Right;
  if (rowsMeet && columnsMeet) return -1;
  if (rowsMeet) return std::max(b.Left - a.Right, a.Left - b.Right);
  if (columnsMeet) return std::max(b.Top - a.Bottom, a.Top - b.Bottom);
  return kApart;
}

}  // namespace

// A caption as close to a frame line as a few pixels at 100 % keeps that
// margin scaled, less a pixel of rounding, at 150 % and 200 % (and never
// meets the line): glyphs hinted to whole pixels must not creep toward the
// "Trigger Patterns ->" frame or the "RST" preset's.
TEST_F(EditorScale, CaptionsKeepTheirMarginsToTheLinesAroundThem) {
  open();
  std::map<std::pair<std::string, std::string>, std::vector<int>> gapsAt100;
  for (int percent : Scale::kOffered) {
    bridge().setScale(percent);
    TPluginEditorWindow& w = window();
    const Scale scale(percent);
    const std::vector<TRect> lines = DeviceLinesOf(w, scale);
    int compared = 0;
    for (TDIBFadeLabel* label : LabelsOf(w)) {
      if (!label->Visible()) continue;
      for (const std::string& caption : CaptionsShownBy(w, label)) {
        label->SetCaption(caption);
        const TRect box = scale.ToDevice(label->BoundsRect());
        const TRect ink = label->CaptionInk().Offset(box.Left, box.Top);
        std::vector<int>& at100 = gapsAt100[{label->Name, caption}];
        for (std::size_t i = 0; i < lines.size(); ++i) {
          const int gap = GapBetween(ink, lines[i]);
          if (scale.IsUnit()) {
            at100.push_back(gap);
            continue;
          }
          if (at100[i] > 4 || gap == kApart) continue;
          ++compared;
          EXPECT_GE(gap, std::max(scale.Length(at100[i]) - 1, 0))
              << percent << "% " << label->Name << " \"" << caption << "\": ink " << Show(ink)
              << ", line " << Show(lines[i]) << ", " << at100[i] << " pixels apart at 100 %";
        }
      }
    }
    if (!scale.IsUnit()) {
      EXPECT_GT(compared, 10) << percent << "%";
    }
  }
}

namespace {

// One user session, the pointer given in device pixels of `percent` (the
// last device pixel of each logical one, the hardest to map back): notes
// set, tied, painted and cleared, a channel and an octave changed, both
// lanes dragged, a pattern stored. Answers the chunk it leaves.
std::vector<unsigned char> SessionAt(int percent) {
  selectedRow = 0;
  std::unique_ptr<APlugin> plugin(static_cast<APlugin*>(createEffectInstance(nullptr)));
  auto& bridge = static_cast<APluginEditor&>(*plugin->getEditor());
  bridge.setScale(percent);
  EXPECT_EQ(bridge.openHeadless(), 1);
  bridge.idle();
  TPluginEditorWindow& w = *bridge.window();
  FormView view(w, {w.NoteGrid});
  const Scale scale(percent);
  auto send = [&](PointerEvent::Kind kind, PointerButton button, std::uint8_t keys, int x, int y) {
    view.Pointer({kind, button, keys, scale.ToDevice(x + 1) - 1, scale.ToDevice(y + 1) - 1, 0});
    bridge.idle();
  };
  auto click = [&](int x, int y, PointerButton button = PointerButton::Left, std::uint8_t keys = 0) {
    send(PointerEvent::Move, button, keys, x, y);
    send(PointerEvent::Press, button, keys, x, y);
    send(PointerEvent::Release, button, keys, x, y);
  };
  auto drag = [&](std::initializer_list<std::pair<int, int>> points) {
    auto p = points.begin();
    send(PointerEvent::Press, PointerButton::Left, 0, p->first, p->second);
    for (++p; p != points.end(); ++p) send(PointerEvent::Move, PointerButton::Left, 0, p->first, p->second);
    send(PointerEvent::Release, PointerButton::Left, 0, (points.end() - 1)->first,
         (points.end() - 1)->second);
  };
  auto cell = [](int step, int row) { return std::pair{95 + 4 + 16 * step + 8, 27 + 3 + 16 * row + 8}; };

  click(cell(3, 2).first, cell(3, 2).second);
  click(cell(5, 4).first, cell(5, 4).second, PointerButton::Left, pkCtrl);
  drag({cell(0, 11), cell(7, 11), cell(7, 9)});
  click(cell(4, 11).first, cell(4, 11).second, PointerButton::Right);
  // Cell edges: the first and last logical pixel of a cell.
  click(95 + 4 + 16 * 9, 27 + 3 + 16 * 6, PointerButton::Left, pkShift);
  click(95 + 4 + 16 * 10 - 1, 27 + 3 + 16 * 7 - 1);
  click(26, 31 + 16 * 0 + 7);                          // channel up, row 0
  click(78, 31 + 16 * 1 + 7, PointerButton::Right);    // octave down, row 1
  drag({{97 + 4 + 16 * 2 + 7, 241 + 10}, {97 + 4 + 16 * 9 + 7, 241 + 40}});  // velocity lane
  click(9 + 40, 263 + 10);                             // the shift lane
  drag({{97 + 4 + 16 * 1 + 7, 241 + 5}, {97 + 4 + 16 * 6 + 7, 241 + 60}});
  click(635 + 23 * 2 + 10, 58 + 10, PointerButton::Right);  // store in pattern 3
  bridge.close();

  void* data = nullptr;
  const auto size = plugin->getAeffect()->dispatcher(plugin->getAeffect(), effGetChunk, 0, 0, &data, 0);
  const auto* bytes = static_cast<const unsigned char*>(data);
  return {bytes, bytes + size};
}

}  // namespace

TEST(EditorScaleInput, InputInDevicePixelsEditsWhatItEditsAt100Percent) {
  const std::vector<unsigned char> at100 = SessionAt(100);
  PatternImage untouched;
  EXPECT_NE(at100, untouched.bytes()) << "the session edits something";
  EXPECT_EQ(SessionAt(150), at100);
  EXPECT_EQ(SessionAt(200), at100);
  selectedRow = 0;
}
