#include <string>
#include <vector>

#include "tests/widgets/FormFixture.h"
#include "widgets/cDIBFadeLabel.h"

using std::chrono::milliseconds;

namespace {

class FadeLabelTest : public FormFixture {
protected:
  // A label whose caption pixels tell its text colour: ink on a grey back.
  TDIBFadeLabel& Label(std::uint8_t frames, TColor highlight = 0xFFFFFF) {
    auto& l = form.Add<TDIBFadeLabel>("L", 10, 10, 0, 0);
    l.SetCaption("MMM");
    l.SetTransparent(false);
    l.SetColor(0x808080);
    l.SetFrameCount(frames);
    l.SetColorHighlighted(highlight);
    return l;
  }
  // The colours other than the back colour in the label, after painting.
  std::vector<TColor> Ink(const TDIBFadeLabel& l) {
    Settle();
    std::vector<TColor> ink;
    for (int y = l.Top(); y < l.Top() + l.Height(); ++y)
      for (int x = l.Left(); x < l.Left() + l.Width(); ++x)
        if (At(x, y) != 0x808080 && std::find(ink.begin(), ink.end(), At(x, y)) == ink.end())
          ink.push_back(At(x, y));
    return ink;
  }
  void Enter(const TDIBFadeLabel& l) { form.PointerMove({}, l.Left() + 1, l.Top() + 1); }
  void Leave() { form.PointerMove({}, 190, 90); }
};

}  // namespace

TEST_F(FadeLabelTest, BuildsItsFadeFromFontColourToHighlight) {
  auto& l = Label(4);
  EXPECT_EQ(l.FadeColors(), (std::vector<TColor>{0x3F3F3F, 0x7F7F7F, 0xBFBFBF, 0xFFFFFF}));
  l.SetFrameCount(1);
  EXPECT_TRUE(l.FadeColors().empty());
}

TEST_F(FadeLabelTest, FadesBackOneColourPerFrameDelayAfterTheMouseLeaves) {
  auto& l = Label(4);
  l.SetFrameDelay(50);
  EXPECT_EQ(Ink(l), std::vector<TColor>{0x000000});
  Enter(l);
  EXPECT_EQ(Ink(l), std::vector<TColor>{0xFFFFFF});
  Leave();
  std::vector<TColor> shown;
  for (int tick = 0; tick < 4; ++tick) {
    clock.Advance(milliseconds(49));
    EXPECT_EQ(Ink(l).size(), 1u);
    EXPECT_EQ(Ink(l)[0], tick == 0 ? 0xFFFFFF : shown.back());
    clock.Advance(milliseconds(1));
    shown.push_back(Ink(l)[0]);
  }
  EXPECT_EQ(shown, (std::vector<TColor>{0xFFFFFF, 0xBFBFBF, 0x7F7F7F, 0x000000}));
  EXPECT_FALSE(l.Fading());
}

TEST_F(FadeLabelTest, ResetsAtOnceWithOneFrameOrNoDelay) {
  auto& l = Label(1);
  Enter(l);
  Leave();
  EXPECT_EQ(l.TextColor(), 0x000000u);
  auto& m = form.Add<TDIBFadeLabel>("M", 100, 10, 0, 0);
  m.SetCaption("x");
  m.SetFrameDelay(0);
  form.PointerMove({}, 101, 11);
  Leave();
  EXPECT_EQ(m.TextColor(), m.Font().Color);
}

TEST_F(FadeLabelTest, EnteringAgainStopsTheFade) {
  auto& l = Label(10);
  Enter(l);
  Leave();
  clock.Advance(milliseconds(120));
  EXPECT_NE(l.TextColor(), 0xFFFFFFu);
  Enter(l);
  EXPECT_EQ(l.TextColor(), 0xFFFFFFu);
  EXPECT_FALSE(l.Fading());
  clock.Advance(milliseconds(1000));
  EXPECT_EQ(l.TextColor(), 0xFFFFFFu);
}

TEST_F(FadeLabelTest, StaysHighlightedDuringADragOutUntilTheRelease) {
  auto& l = Label(1);
  std::string log;
  l.OnMouseLeave = [&](TControl*) { log += "leave "; };
  l.OnMouseUp = [&](TControl*, TMouseButton, TShiftState, int, int) { log += "up "; };
  Enter(l);
  form.PointerDown(TMouseButton::mbLeft, {}, l.Left() + 1, l.Top() + 1);
  Leave();
  EXPECT_EQ(l.TextColor(), 0xFFFFFFu);
  EXPECT_TRUE(l.Hovered());
  form.PointerUp(TMouseButton::mbLeft, {}, 190, 90);
  EXPECT_EQ(l.TextColor(), 0x000000u);
  EXPECT_EQ(log, "up leave ");
}

TEST_F(FadeLabelTest, ReturningBeforeTheReleaseKeepsTheHighlight) {
  auto& l = Label(1);
  Enter(l);
  form.PointerDown(TMouseButton::mbLeft, {}, l.Left() + 1, l.Top() + 1);
  Leave();
  Enter(l);
  form.PointerUp(TMouseButton::mbLeft, {}, l.Left() + 1, l.Top() + 1);
  EXPECT_EQ(l.TextColor(), 0xFFFFFFu);
  EXPECT_TRUE(l.Hovered());
}

TEST_F(FadeLabelTest, BlendsOverWhatLiesBeneathWithItsOpacity) {
  // The editor's pattern button: #80A888 at opacity 200.
  auto& back = form.Add<TDIBFadeLabel>("Back", 0, 0, 0, 0);
  back.SetAutoSize(false);
  back.SetBounds(0, 0, 40, 40);
  back.SetTransparent(false);
  back.SetColor(0x204060);
  auto& l = form.Add<TDIBFadeLabel>("DIBFadeLabel1", 5, 5, 0, 0);
  l.SetAutoSize(false);
  l.SetBounds(5, 5, 20, 20);
  l.SetTransparent(false);
  l.SetColor(0x80A888);
  l.SetOpacity(200);
  Settle();
  EXPECT_EQ(RedOf(At(6, 6)), 107);
  l.SetOpacity(255);
  Settle();
  EXPECT_EQ(At(6, 6), 0x80A888u);
  EXPECT_EQ(At(30, 30), 0x204060u);
}

TEST_F(FadeLabelTest, FitsItsBoundsToTheCaption) {
  auto& l = form.Add<TDIBFadeLabel>("L", 30, 10, 0, 0);
  TFont font{"Trebuchet MS", -11, clBlack, false};
  l.SetFont(font);
  l.SetCaption("Trigger Patterns ->");
  EXPECT_EQ(l.Width(), TestText().Width(font, "Trigger Patterns ->"));
  EXPECT_EQ(l.Height(), TestText().Metrics(font).Height);
  l.SetCaption("");
  EXPECT_EQ(l.Width(), TestText().Width(font, " "));
  l.SetAlignment(TAlignment::taRightJustify);
  const int right = l.Left() + l.Width();
  l.SetCaption("wider");
  EXPECT_EQ(l.Left() + l.Width(), right);
}

TEST_F(FadeLabelTest, ConstraintsOutrankFitting) {
  auto& l = form.Add<TDIBFadeLabel>("Bank00_Note", 45, 31, 20, 14);
  l.SetConstraints({20, 14, 20, 14});
  l.SetCaption("C#");
  EXPECT_EQ(l.BoundsRect(), TRect::FromSize(45, 31, 20, 14));
}

TEST_F(FadeLabelTest, CentresTheCaptionBothWays) {
  auto& l = form.Add<TDIBFadeLabel>("L", 0, 0, 0, 0);
  l.SetAutoSize(false);
  l.SetBounds(0, 0, 60, 40);
  l.SetCaption("I");
  l.SetAlignment(TAlignment::taCenter);
  l.SetLayout(TTextLayout::tlCenter);
  TFont white;
  white.Color = 0xFFFFFF;
  l.SetFont(white);
  Settle();
  TRect ink;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (At(x, y) == 0xFFFFFF) ink = ink.Union(TRect{x, y, x + 1, y + 1});
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 30, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20, 3);
}

TEST_F(FadeLabelTest, UnchangedSettersRepaintNothing) {
  auto& l = Label(10);
  Settle();
  l.SetCaption("MMM");
  l.SetColor(0x808080);
  l.SetTransparent(false);
  l.SetFont(l.Font());
  l.SetOpacity(255);
  EXPECT_FALSE(form.NeedsPaint());
  l.SetCaption("MM");
  EXPECT_TRUE(form.NeedsPaint());
}

TEST_F(FadeLabelTest, KeepsTheHighlightWhenNoTimerCanBeHad) {
  TDIBFadeLabel loose;  // in no form: no clock to run a fade on
  loose.SetFrameCount(4);
  TFont f;
  f.Color = 0x123456;
  loose.SetFont(f);
  EXPECT_EQ(loose.TextColor(), 0x123456u);
  EXPECT_FALSE(loose.Fading());
}

TEST_F(FadeLabelTest, ClicksOnItsAcceleratorWhileEnabled) {
  auto& l = form.Add<TDIBFadeLabel>("L", 0, 0, 0, 0);
  l.SetCaption("&Velocity");
  int clicks = 0;
  l.OnClick = [&](TControl*) { ++clicks; };
  form.KeyPress('v');
  form.KeyPress('e');
  l.SetEnabled(false);
  form.KeyPress('V');
  l.SetEnabled(true);
  l.SetShowAccelChar(false);
  form.KeyPress('V');
  EXPECT_EQ(clicks, 1);
}

TEST_F(FadeLabelTest, DrawsADisabledCaptionEmbossed) {
  auto& l = Label(10, 0xFFFFFF);
  l.SetEnabled(false);
  auto ink = Ink(l);
  EXPECT_NE(std::find(ink.begin(), ink.end(), 0xFFFFFF), ink.end());
  EXPECT_NE(std::find(ink.begin(), ink.end(), 0x000000), ink.end());
}
