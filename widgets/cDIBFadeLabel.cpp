#include "widgets/cDIBFadeLabel.h"

#include <algorithm>
#include <cctype>

#include "skin/Transform.h"
#include "widgets/Form.h"

TDIBFadeLabel::TDIBFadeLabel() : textColor_(font_.Color) { RebuildFade(); }

TDIBFadeLabel::~TDIBFadeLabel() = default;

void TDIBFadeLabel::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Refit();
  Invalidate();
}

void TDIBFadeLabel::SetFont(const TFont& v) {
  if (v == font_) return;
  font_ = v;
  if (!Hovered()) textColor_ = font_.Color;
  Refit();
  RebuildFade();
  Invalidate();
}

void TDIBFadeLabel::SetColorHighlighted(TColor v) {
  if (v == colorHighlighted_) return;
  colorHighlighted_ = v;
  RebuildFade();
}

void TDIBFadeLabel::SetFrameCount(std::uint8_t v) {
  if (v == frameCount_) return;
  frameCount_ = v;
  RebuildFade();
}

void TDIBFadeLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  Refit();
}

void TDIBFadeLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  Refit();
  Invalidate();
}

bool TDIBFadeLabel::DialogChar(char ch) {
  const char accel = showAccelChar_ ? AcceleratorOf(caption_) : '\0';
  if (!accel || std::tolower(static_cast<unsigned char>(accel)) !=
                    std::tolower(static_cast<unsigned char>(ch)))
    return false;
  Click();
  return true;
}

void TDIBFadeLabel::AddedToForm() { Refit(); }
void TDIBFadeLabel::Loaded() { Refit(); }
void TDIBFadeLabel::ScaleChanged() { Refit(); }

unsigned TDIBFadeLabel::TextFlagsNow() const {
  unsigned flags = tfExpandTabs;
  if (alignment_ == TAlignment::taCenter) flags |= tfCenter;
  if (alignment_ == TAlignment::taRightJustify) flags |= tfRight;
  if (wordWrap_) flags |= tfWordBreak;
  if (!showAccelChar_) flags |= tfNoPrefix;
  if (layout_ == TTextLayout::tlCenter) flags |= tfVCenter;
  if (layout_ == TTextLayout::tlBottom) flags |= tfBottom;
  return flags;
}

void TDIBFadeLabel::Refit() {
  TForm* form = Form();
  if (!autoSize_ || !form || form->IsLoading()) return;
  std::string text = caption_;
  // An empty line still has a height.
  if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
  // Measured as drawn, at the form's scale: the box holds the caption there.
  const ::Scale& scale = form->DrawScale();
  const TextLayout measured =
      LayoutText(form->Text(), scale.Font(font_), text, scale.Length(Width()), TextFlagsNow());
  // Scaled, a pixel wider and taller: room for the caption to move where
  // InkShift puts it, which hinting may have put a pixel off.
  const int room = scale.IsUnit() ? 0 : 1;
  const int width = scale.LogicalCeil(measured.Width) + room;
  const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, scale.LogicalCeil(measured.Height()) + room);
}

void TDIBFadeLabel::RebuildFade() {
  fadeColors_.clear();
  if (frameCount_ < 2) return;
  const TColor from = font_.Color, to = colorHighlighted_;
  auto channel = [&](int (*of)(TColor), int i) {
    const double step = (of(to) - of(from)) / static_cast<double>(frameCount_);
    return static_cast<int>(of(from) + step * (i + 1));
  };
  for (int i = 0; i < frameCount_; ++i)
    fadeColors_.push_back(RGBColor(channel(RedOf, i), channel(GreenOf, i), channel(BlueOf, i)));
}

void TDIBFadeLabel::SetTextColor(TColor c) {
  if (c == textColor_) return;
  textColor_ = c;
  Invalidate();
}

void TDIBFadeLabel::Highlight() {
  if (timer_) timer_->SetEnabled(false);
  SetTextColor(colorHighlighted_);
}

void TDIBFadeLabel::Unhighlight() {
  if (frameCount_ > 1 && frameDelay_ != 0) {
    if (!timer_ && Form()) {
      timer_ = std::make_unique<TDIBTimer>(&Form()->Clock());
      timer_->OnTimer = [this] { Tick(); };
    }
    // Without a timer the caption keeps the highlight until the next change.
    if (!timer_) return;
    fadeIndex_ = frameCount_ - 1;
    timer_->SetInterval(frameDelay_);
    timer_->SetEnabled(true);
    return;
  }
  SetTextColor(font_.Color);
}

void TDIBFadeLabel::Tick() {
  if (fadeIndex_ != 0) {
    SetTextColor(fadeColors_[fadeIndex_]);
    --fadeIndex_;
    return;
  }
  timer_->SetEnabled(false);
  SetTextColor(font_.Color);
}

namespace {

// The box the glyphs of `caption` cover, laid out in `font` at most
// `maxWidth` wide and placed in `box` as `flags` say.
TRect InkInBox(TextRenderer& renderer, const TFont& font, const std::string& caption,
               int maxWidth, const TRect& box, unsigned flags) {
  const TextLayout text = LayoutText(renderer, font, caption, maxWidth, flags);
  TRect ink;
  for (std::size_t i = 0; i < text.Lines.size(); ++i) {
    const TPoint line = LineOrigin(text, i, box, flags);
    ink = ink.Union(InkOf(renderer, font, text.Lines[i].Text).Offset(line.X, line.Y));
  }
  return ink;
}

// Half of v, halves rounding up.
int Half(int v) { return v >= 0 ? (v + 1) / 2 : -(-v / 2); }

// v moved as little as may be into [low, high]; as it is when that range is
// empty.
int Into(int v, int low, int high) { return low <= high ? std::clamp(v, low, high) : v; }

}  // namespace

// Glyphs do not scale exactly with their font: hinting snaps stems,
// bearings and ascents to whole pixels at each size, so at 200 % a
// caption's ink may start one pixel in from its edge, as at 100 %, not two,
// and meet a frame line two pixels thick. So the caption moves: its ink
// centred where the 100 % ink lies scaled, yet off the scaled thickness of
// a frame line on each edge of the box it keeps off at 100 %; always inside
// the box.
TPoint TDIBFadeLabel::InkShift() const {
  TForm* form = Form();
  if (!form || form->DrawScale().IsUnit()) return {};
  const ::Scale& scale = form->DrawScale();
  const unsigned flags = TextFlagsNow();
  const TPoint at = FormOrigin();
  const TRect formBox = TRect::FromSize(at.X, at.Y, Width(), Height());
  if (placement_ && placement_->caption == caption_ && placement_->font == font_ &&
      placement_->flags == flags && placement_->percent == scale.Percent() &&
      placement_->formBox == formBox)
    return placement_->shift;

  TextRenderer& renderer = form->Text();
  const TRect device = scale.ToDevice(formBox);
  const TRect box = device.Offset(-device.Left, -device.Top);
  const TRect logical = InkInBox(renderer, font_, caption_, Width(), formBox, flags);
  const TRect wanted = scale.ToDevice(logical).Offset(-device.Left, -device.Top);
  const TRect drawn =
      InkInBox(renderer, scale.Font(font_), caption_, scale.Length(Width()), box, flags);
  TPoint shift;
  if (!logical.IsEmpty() && !drawn.IsEmpty()) {
    // Off an edge it keeps off at 100 %, where a frame line may lie, the ink
    // keeps that line's scaled thickness.
    auto margin = [&](int logicalMargin) { return logicalMargin >= 1 ? scale.Length(1) : 0; };
    // Along one axis: centred, then pushed off the edges it keeps off; when
    // it cannot keep off both, off the top or left one, where the frames
    // captions lie against are.
    auto along = [&](int logicalLow, int logicalHigh, int boxLow, int boxHigh, int wantedLow,
                     int wantedHigh, int drawnLow, int drawnHigh) {
      const int centred = Half(wantedLow + wantedHigh - drawnLow - drawnHigh);
      const int clear = std::max(std::min(centred, boxHigh - margin(logicalHigh) - drawnHigh),
                                 boxLow + margin(logicalLow) - drawnLow);
      return Into(clear, boxLow - drawnLow, boxHigh - drawnHigh);
    };
    shift = {along(logical.Left - formBox.Left, formBox.Right - logical.Right, box.Left,
                   box.Right, wanted.Left, wanted.Right, drawn.Left, drawn.Right),
             along(logical.Top - formBox.Top, formBox.Bottom - logical.Bottom, box.Top,
                   box.Bottom, wanted.Top, wanted.Bottom, drawn.Top, drawn.Bottom)};
  }
  placement_ = InkPlacement{caption_, font_, flags, scale.Percent(), formBox, shift};
  return shift;
}

TRect TDIBFadeLabel::CaptionInk() const {
  TForm* form = Form();
  if (!form) return {};
  const ::Scale& scale = form->DrawScale();
  const TPoint at = FormOrigin();
  // Placed as PaintContent's canvas does it.
  const TRect device = scale.ToDevice(TRect::FromSize(at.X, at.Y, Width(), Height()));
  const TPoint shift = InkShift();
  return InkInBox(form->Text(), scale.Font(font_), caption_, scale.Length(Width()),
                  device.Offset(-device.Left, -device.Top), TextFlagsNow())
      .Offset(shift.X, shift.Y);
}

void TDIBFadeLabel::PaintContent(Canvas& canvas) {
  if (!transparent_) canvas.FillRect(ClientRect(), color_);
  const unsigned flags = TextFlagsNow();
  TextLayout text = canvas.Layout(font_, caption_, Width(), flags);
  const TRect r = ClientRect();
  const TPoint shift = InkShift();
  if (Enabled()) {
    canvas.DrawLayout(font_, text, r, flags, textColor_, shift);
  } else {
    canvas.DrawLayout(font_, text, r.Offset(1, 1), flags, colorHighlighted_, shift);
    canvas.DrawLayout(font_, text, r, flags, font_.Color, shift);
  }
}

void TDIBFadeLabel::Finish(Surface& s, const Surface& beneath) {
  if (angle_ == 0 && scale_ == 100.0) return;
  Surface turned = TransformSurface(s, angle_, scale_, scale_);
  s = beneath;
  Canvas c(s, nullptr);
  c.DrawMasked((s.Width() - turned.Width()) / 2, (s.Height() - turned.Height()) / 2, turned);
}
