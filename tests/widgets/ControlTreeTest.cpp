#include <string>
#include <vector>

#include "tests/widgets/FormFixture.h"
#include "widgets/DIBImageContainer.h"

namespace {

// A control that fills itself and logs what reaches it.
class Block : public TControl {
public:
  explicit Block(TColor color = 0x00FF00) : color(color) {}
  void Paint(Canvas& c) override {
    ++paints;
    c.FillRect(ClientRect(), color);
  }
  TColor color;
  int paints = 0;
};

class Panel : public TWinControl {
public:
  void Paint(Canvas& c) override { c.FillRect(ClientRect(), 0x0000FF); }
};

using ControlTree = FormFixture;

}  // namespace

TEST_F(ControlTree, WindowedChildrenStayAboveNonWindowedSiblings) {
  auto& panel = form.Add<Panel>("Panel", 10, 10, 20, 20);
  auto& block = form.Add<Block>("Block", 10, 10, 20, 20);
  EXPECT_EQ(&form.Controls(0), &block);
  EXPECT_EQ(&form.Controls(1), &panel);
  block.BringToFront();
  EXPECT_EQ(&form.Controls(1), &panel);
  Settle();
  EXPECT_EQ(At(15, 15), 0x0000FFu);
  EXPECT_EQ(form.ControlAt(15, 15), &panel);
}

TEST_F(ControlTree, BringToFrontReordersWithinTheSameKind) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10, 0x111111);
  auto& b = form.Add<Block>("B", 5, 0, 10, 10, 0x222222);
  Settle();
  EXPECT_EQ(At(7, 5), 0x222222u);
  a.BringToFront();
  Settle();
  EXPECT_EQ(At(7, 5), 0x111111u);
  b.BringToFront();
  EXPECT_EQ(form.ControlAt(7, 5), &b);
}

TEST_F(ControlTree, ChildrenAreClippedToTheirParent) {
  auto& panel = form.Add<Panel>("Panel", 10, 10, 20, 20);
  panel.Add<Block>("Block", 15, 15, 20, 20);
  Settle();
  EXPECT_EQ(At(29, 29), 0x00FF00u);
  EXPECT_EQ(At(30, 30), 0x000000u);
}

TEST_F(ControlTree, RepaintsOnlyTheInvalidatedArea) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  auto& b = form.Add<Block>("B", 50, 0, 10, 10);
  Settle();
  EXPECT_FALSE(form.NeedsPaint());
  a.paints = b.paints = 0;
  a.Invalidate();
  std::vector<TRect> painted = form.PaintInvalid();
  EXPECT_EQ(painted, (std::vector<TRect>{TRect{0, 0, 10, 10}}));
  EXPECT_EQ(a.paints, 1);
  EXPECT_EQ(b.paints, 0);
}

TEST_F(ControlTree, HidingAControlUncoversWhatLiesBeneath) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  Settle();
  a.SetVisible(false);
  Settle();
  EXPECT_EQ(At(5, 5), 0x000000u);
  EXPECT_EQ(form.ControlAt(5, 5), &form);
}

TEST_F(ControlTree, FindsControlsByNameAnywhereInTheTree) {
  auto& bg = form.Add<TDIBImageContainer>("BG", 0, 0, 200, 100);
  auto& block = bg.Add<Block>("Bank00_Note", 1, 2, 3, 4);
  block.Tag = 7;
  EXPECT_EQ(&form.Find<Block>("Bank00_Note"), &block);
  EXPECT_EQ(form.Find<Block>("Bank00_Note").Tag, 7);
  EXPECT_THROW(form.Find<Block>("BG"), std::invalid_argument);
  EXPECT_EQ(form.FindControl("nothing"), nullptr);
}

TEST_F(ControlTree, CaptureKeepsADragsEventsOnThePressedControl) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  auto& b = form.Add<Block>("B", 50, 0, 10, 10);
  std::vector<std::string> log;
  auto moves = [&](TControl* s, TShiftState, int x, int y) {
    log.push_back(s->Name + " " + std::to_string(x) + "," + std::to_string(y));
  };
  a.OnMouseMove = moves;
  b.OnMouseMove = moves;
  form.PointerDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(form.CaptureControl(), &a);
  form.PointerMove({}, 55, 5);
  form.PointerMove({}, -3, 5);
  form.PointerUp(TMouseButton::mbLeft, {}, -3, 5);
  EXPECT_EQ(form.CaptureControl(), nullptr);
  form.PointerMove({}, 55, 5);
  EXPECT_EQ(log, (std::vector<std::string>{"A 55,5", "A -3,5", "B 5,5"}));
}

TEST_F(ControlTree, OnlyTheLeftButtonCaptures) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  auto& b = form.Add<Block>("B", 50, 0, 10, 10);
  int bMoves = 0;
  b.OnMouseMove = [&](TControl*, TShiftState, int, int) { ++bMoves; };
  form.PointerDown(TMouseButton::mbRight, {}, 5, 5);
  EXPECT_EQ(form.CaptureControl(), nullptr);
  form.PointerMove({}, 55, 5);
  EXPECT_EQ(bMoves, 1);
  (void)a;
}

TEST_F(ControlTree, ReportsHeldKeysAndButtonsInTheShiftState) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  std::vector<TShiftState> seen;
  TMouseButton upButton{};
  a.OnMouseDown = [&](TControl*, TMouseButton, TShiftState s, int, int) { seen.push_back(s); };
  a.OnMouseMove = [&](TControl*, TShiftState s, int, int) { seen.push_back(s); };
  a.OnMouseUp = [&](TControl*, TMouseButton b, TShiftState s, int, int) {
    upButton = b;
    seen.push_back(s);
  };
  form.PointerDown(TMouseButton::mbLeft, {ssCtrl}, 1, 1);
  form.PointerDown(TMouseButton::mbRight, {ssCtrl}, 1, 1);
  form.PointerMove({ssShift}, 2, 2);
  form.PointerUp(TMouseButton::mbLeft, {}, 2, 2);
  EXPECT_EQ(seen, (std::vector<TShiftState>{{ssCtrl, ssLeft},
                                            {ssCtrl, ssLeft, ssRight},
                                            {ssShift, ssLeft, ssRight},
                                            {ssRight}}));
  EXPECT_EQ(upButton, TMouseButton::mbLeft);
}

TEST_F(ControlTree, HoverEntersAndLeavesOnePointerAtATime) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  auto& b = form.Add<Block>("B", 50, 0, 10, 10);
  std::string log;
  for (Block* blk : {&a, &b}) {
    blk->OnMouseEnter = [&](TControl* s) { log += "+" + s->Name; };
    blk->OnMouseLeave = [&](TControl* s) { log += "-" + s->Name; };
  }
  form.PointerMove({}, 1, 1);
  form.PointerMove({}, 2, 2);
  form.PointerMove({}, 51, 1);
  form.PointerLeave();
  EXPECT_EQ(log, "+A-A+B-B");
}

TEST_F(ControlTree, ClicksOnlyWhenTheLeftButtonComesUpInsideThePressedControl) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  int clicks = 0;
  a.OnClick = [&](TControl*) { ++clicks; };
  form.PointerDown(TMouseButton::mbLeft, {}, 5, 5);
  form.PointerUp(TMouseButton::mbLeft, {}, 6, 6);
  form.PointerDown(TMouseButton::mbLeft, {}, 5, 5);
  form.PointerUp(TMouseButton::mbLeft, {}, 80, 6);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTree, ForgetsACapturedControlThatIsDestroyed) {
  auto& a = form.Add<Block>("A", 0, 0, 10, 10);
  form.PointerDown(TMouseButton::mbLeft, {}, 5, 5);
  form.RemoveControl(a);
  EXPECT_EQ(form.CaptureControl(), nullptr);
  EXPECT_EQ(form.HoverControl(), nullptr);
  form.PointerMove({}, 6, 6);
  EXPECT_EQ(form.HoverControl(), &form);
}

TEST_F(ControlTree, SizeConstraintsBoundTheBounds) {
  auto& a = form.Add<Block>("A", 0, 0, 50, 50);
  a.SetConstraints({20, 14, 20, 14});
  EXPECT_EQ(a.Width(), 20);
  EXPECT_EQ(a.Height(), 14);
  a.SetBounds(3, 4, 100, 1);
  EXPECT_EQ(a.BoundsRect(), (TRect{3, 4, 23, 18}));
}

TEST_F(ControlTree, ContainerTilesItsImageFromItsCorner) {
  TDIBImageList list;
  Surface tile(3, 3, ToPixel(0x445566));
  tile.Set(0, 0, ToPixel(0xFF0000));
  list.Add(tile);
  auto& bg = form.Add<TDIBImageContainer>("BG", 10, 10, 890, 336);
  bg.SetImage(&list, 0);
  Settle();
  EXPECT_EQ(At(10, 10), 0xFF0000u);
  EXPECT_EQ(At(13, 16), 0xFF0000u);
  EXPECT_EQ(At(11, 10), 0x445566u);
  EXPECT_EQ(At(9, 9), 0x000000u);
  list.Replace(0, Surface(3, 3, ToPixel(0x00FF00)));
  EXPECT_TRUE(form.NeedsPaint());
  Settle();
  EXPECT_EQ(At(10, 10), 0x00FF00u);
}

namespace {
// A windowed control that fills all of itself, and says so.
class Opaque : public TWinControl {
public:
  void Paint(Canvas& c) override { c.FillRect(ClientRect(), 0x123456); }
  bool PaintsWholeArea() const override { return true; }
};

// A windowed control that fills itself and counts its paints.
class CountingPanel : public TWinControl {
public:
  void Paint(Canvas& c) override {
    ++paints;
    c.FillRect(ClientRect(), 0x444444);
  }
  int paints = 0;
};
}  // namespace

// A repaint that lies wholly inside a control which paints all of its area
// starts at that control: nothing under it is painted, everything over it is.
TEST_F(ControlTree, NothingUnderAControlThatPaintsItsWholeAreaIsPaintedAgain) {
  auto& under = form.Add<Block>("Under", 0, 0, 100, 100, 0x111111);
  auto& panel = form.Add<Panel>("Panel", 10, 10, 80, 80);
  auto& beside = panel.Add<Block>("Beside", 0, 0, 30, 30, 0x333333);  // form 10..40
  auto& opaque = panel.Add<Opaque>("Opaque", 10, 10, 40, 40);          // form 20..60
  auto& over = opaque.Add<Block>("Over", 5, 5, 10, 10, 0x222222);      // form 25..35
  auto& above = panel.Add<CountingPanel>("Above", 35, 35, 20, 20);     // form 45..65
  Settle();
  struct Repaint {
    TRect area;
    int under, beside, over, above;
  };
  const Repaint repaints[] = {
      {{30, 30, 40, 40}, 0, 0, 1, 0},  // inside the opaque control, over its child
      {{46, 46, 50, 50}, 0, 0, 0, 1},  // inside it, under a sibling above it
      {{12, 12, 18, 18}, 1, 1, 0, 0},  // outside it: all the way down
      {{55, 55, 65, 65}, 1, 0, 0, 1},  // partly outside it
  };
  for (const Repaint& r : repaints) {
    const int counts[] = {under.paints, beside.paints, over.paints, above.paints};
    form.InvalidateRect(r.area);
    Settle();
    EXPECT_EQ(under.paints - counts[0], r.under) << r.area.Left;
    EXPECT_EQ(beside.paints - counts[1], r.beside) << r.area.Left;
    EXPECT_EQ(over.paints - counts[2], r.over) << r.area.Left;
    EXPECT_EQ(above.paints - counts[3], r.above) << r.area.Left;
  }
  // What shows is what a full repaint shows.
  EXPECT_EQ(At(50, 50), 0x444444u);
  EXPECT_EQ(At(40, 40), 0x123456u);
  EXPECT_EQ(At(30, 30), 0x222222u);
  EXPECT_EQ(At(15, 15), 0x333333u);
  EXPECT_EQ(At(85, 85), 0x0000FFu);
  EXPECT_EQ(At(5, 5), 0x111111u);
}
