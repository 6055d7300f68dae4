// The window as it opens, before and after its first refresh.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/Shape.h"
#include "tests/editor/DeviceLines.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/LabelCaptions.h"

namespace {

int IndexIn(const TWinControl& parent, const TControl& child) {
  for (int i = 0; i < parent.ControlCount(); ++i)
    if (&parent.Controls(i) == &child) return i;
  return -1;
}

}  // namespace

class EditorLayout : public EditorTest {
protected:
  EditorLayout() { open(); }
};

TEST_F(EditorLayout, VelocityLaneInFrontOfShiftLaneAndNoteGridAboveTheAboutPicture) {
  TPluginEditorWindow& w = window();
  EXPECT_GT(IndexIn(*w.BG, *w.VelocityGrid), IndexIn(*w.BG, *w.ShiftGrid));
  // A point inside both lanes and inside both the grid and the picture.
  TControl* lane = w.ControlAt(97 + 4 + 16 * 3 + 2, 250);
  ASSERT_NE(lane, nullptr);
  EXPECT_EQ(lane->Name, "QuibGauge4");
  EXPECT_EQ(w.ControlAt(300, 100), w.NoteGrid);
  EXPECT_EQ(w.AboutGraphicBox->Picture().Width(), 510);
  EXPECT_EQ(w.AboutGraphicBox->Picture().Height(), 191);
}

TEST_F(EditorLayout, NoteLabelsReadCToBUntilTheFirstRefreshThenThePluginsNotes) {
  EXPECT_EQ(window().BankNote[0]->Caption(), "C");
  EXPECT_EQ(window().BankNote[11]->Caption(), "B");
  EXPECT_EQ(window().BypassMode->Caption(), " OFF ");
  idle();
  // A new instance's rows fall from B 4 (59) to C 4 (48).
  EXPECT_EQ(window().BankNote[0]->Caption(), "B ");
  EXPECT_EQ(window().BankOctave[0]->Caption(), "4");
  EXPECT_EQ(window().BankNote[11]->Caption(), "C ");
  EXPECT_EQ(window().BypassMode->Caption(), " ON ");
}

TEST_F(EditorLayout, ASetCellPaintsInItsStyleAtTheGridsPlace) {
  set(5, 2, 0x90, StepState);
  set(5, 2, 3, StepMode);
  idle();
  window().PaintInvalid();
  // Step 5, row 2: the grid at (95, 27), its surface at (4, 3), the cell's
  // middle; 'Break Note' fills with #578060.
  EXPECT_EQ(pixel(95 + 4 + 16 * 5 + 8, 27 + 3 + 16 * 2 + 8), 0x578060u);
  // A cell separator lies over the cell's first column.
  EXPECT_EQ(pixel(95 + 20 + 16 * 4, 27 + 3 + 16 * 2 + 8), 0xB7BEB1u);
}

namespace {

std::string Show(const TRect& r) {
  std::ostringstream text;
  text << '(' << r.Left << ',' << r.Top << ")-(" << r.Right << ',' << r.Bottom << ')';
  return text.str();
}

bool IsLine(const TControl& c) {
  return dynamic_cast<const TShape*>(&c) && (c.Width() == 1 || c.Height() == 1);
}

}  // namespace

// In the face the editor really draws with, at each scale, every caption a
// label can show keeps its glyphs inside the label and off every frame
// line, its own frame's included, and no label reaches another control.
// Off each edge of its box that it keeps off at 100 % (where a frame line
// may lie), it keeps at least a line's thickness at every scale.
TEST_F(EditorLayout, EveryCaptionFitsItsBoxAndLeavesItsNeighboursAloneAtEveryScale) {
  std::map<std::pair<std::string, std::string>, TRect> marginsAt100;
  for (int percent : Scale::kOffered) {
    bridge().setScale(percent);
    TPluginEditorWindow& w = window();
    const Scale scale(percent);
    const std::vector<TRect> lines = DeviceLinesOf(w, scale);
    const std::vector<TDIBFadeLabel*> labels = LabelsOf(w);
    ASSERT_EQ(labels.size(), 74u);

    for (TDIBFadeLabel* label : labels) {
      // The scale buttons show on the about page only (see below).
      if (!label->Visible()) continue;
      for (const std::string& caption : CaptionsShownBy(w, label)) {
        label->SetCaption(caption);
        const TRect box = scale.ToDevice(label->BoundsRect());
        const TRect ink = label->CaptionInk().Offset(box.Left, box.Top);
        EXPECT_TRUE(box.Contains(ink)) << percent << "% " << label->Name << " \"" << caption
                                       << "\": ink " << Show(ink) << " box " << Show(box);
        const TRect margins{ink.Left - box.Left, ink.Top - box.Top, box.Right - ink.Right,
                            box.Bottom - ink.Bottom};
        TRect& at100 = marginsAt100[{label->Name, caption}];
        if (scale.IsUnit()) at100 = margins;
        auto kept = [&](int margin, int margin100) {
          return margin100 < 1 || margin >= scale.Length(1);
        };
        EXPECT_TRUE(kept(margins.Left, at100.Left) && kept(margins.Top, at100.Top) &&
                    kept(margins.Right, at100.Right) && kept(margins.Bottom, at100.Bottom))
            << percent << "% " << label->Name << " \"" << caption << "\": margins "
            << Show(margins) << ", at 100 % " << Show(at100);
        for (const TRect& line : lines)
          EXPECT_TRUE(ink.Intersect(line).IsEmpty())
              << percent << "% " << label->Name << " \"" << caption << "\" " << Show(ink)
              << " reaches the line " << Show(line);
        for (int i = 0; i < w.BG->ControlCount(); ++i) {
          const TControl& other = w.BG->Controls(i);
          if (&other == label || !other.Visible() || dynamic_cast<const TShape*>(&other)) continue;
          // The pattern cursor lies on the button of the current pattern.
          if (label == w.DIBFadeLabel25 || &other == w.DIBFadeLabel25) continue;
          EXPECT_TRUE(box.Intersect(scale.ToDevice(other.BoundsRect())).IsEmpty())
              << percent << "% " << label->Name << " \"" << caption << "\" reaches " << other.Name;
        }
      }
    }
  }
}

// On the about page the scale buttons lie on the picture, clear of each
// other and of every other control, each caption inside its button.
TEST_F(EditorLayout, TheScaleButtonsShowOnTheAboutPictureAndFitTheirCaptions) {
  TPluginEditorWindow& w = window();
  w.AboutButtonMouseDown(w.DIBImages[2], TMouseButton::mbLeft, {}, 0, 0);
  const TRect picture = w.AboutGraphicBox->BoundsRect();
  for (TDIBFadeLabel* button : w.ScaleButtons) {
    ASSERT_TRUE(button->Visible());
    const TRect box = button->BoundsRect();
    EXPECT_EQ(box.Intersect(picture), box) << button->Name;
    EXPECT_TRUE(box.Contains(button->CaptionInk().Offset(box.Left, box.Top))) << button->Name;
    EXPECT_EQ(w.ControlAt((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2), button);
    for (int i = 0; i < w.BG->ControlCount(); ++i) {
      const TControl& other = w.BG->Controls(i);
      if (&other == button || &other == w.AboutGraphicBox || !other.Visible()) continue;
      if (dynamic_cast<const TShape*>(&other) && !IsLine(other)) continue;  // the panels
      EXPECT_TRUE(box.Intersect(other.BoundsRect()).IsEmpty()) << button->Name << " reaches "
                                                               << other.Name;
    }
  }
  w.VelocityButtonMouseDown(w.DIBImages[0], TMouseButton::mbLeft, {}, 0, 0);
  for (TDIBFadeLabel* button : w.ScaleButtons) EXPECT_FALSE(button->Visible());
}

// The switch takes clicks on its whole face, its first column included: the
// caption beside it ends before it.
TEST_F(EditorLayout, TheTriggerSwitchOwnsEveryPixelOfItsFace) {
  TPluginEditorWindow& w = window();
  for (int x = 717; x < 737; ++x)
    for (int y = 6; y < 16; ++y) ASSERT_EQ(w.ControlAt(x, y), w.BypassMode) << x << "," << y;
}

// The window's frame colour covers the textured background everywhere, so
// neither opening nor a full repaint ever decodes or paints the texture:
// at 200 % it would be 4 MB of pixels no one sees.
TEST_F(EditorLayout, TheBackgroundUnderTheFrameIsNeverMadeNorPainted) {
  TPluginEditorWindow& w = window();
  int made = 0;
  w.DIBImageList1.Replace(0, TDIBImageList::Source([&made] {
                            ++made;
                            return Surface(746, 321, ToPixel(0xFF00FF));
                          }));
  w.Invalidate();
  w.PaintInvalid();
  EXPECT_EQ(made, 0);
  for (const TPoint at : {TPoint{2, 10}, TPoint{744, 319}, TPoint{300, 240}})
    EXPECT_NE(pixel(at.X, at.Y), 0xFF00FFu) << at.X << "," << at.Y;
}
