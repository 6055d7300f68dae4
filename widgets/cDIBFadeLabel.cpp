#include "widgets/cDIBFadeLabel.h"

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
  const int width = scale.LogicalCeil(measured.Width);
  const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, scale.LogicalCeil(measured.Height()));
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

TRect TDIBFadeLabel::CaptionInk() const {
  TForm* form = Form();
  if (!form) return {};
  TextRenderer& renderer = form->Text();
  const ::Scale& scale = form->DrawScale();
  const TFont font = scale.Font(font_);
  const unsigned flags = TextFlagsNow();
  // Laid out and placed as PaintContent's canvas does it.
  const TextLayout text = LayoutText(renderer, font, caption_, scale.Length(Width()), flags);
  const TPoint at = FormOrigin();
  const TRect device = scale.ToDevice(TRect::FromSize(at.X, at.Y, Width(), Height()));
  const TRect box = device.Offset(-device.Left, -device.Top);
  TRect ink;
  for (std::size_t i = 0; i < text.Lines.size(); ++i) {
    const TPoint line = LineOrigin(text, i, box, flags);
    ink = ink.Union(InkOf(renderer, font, text.Lines[i].Text).Offset(line.X, line.Y));
  }
  return ink;
}

void TDIBFadeLabel::PaintContent(Canvas& canvas) {
  if (!transparent_) canvas.FillRect(ClientRect(), color_);
  const unsigned flags = TextFlagsNow();
  TextLayout text = canvas.Layout(font_, caption_, Width(), flags);
  const TRect r = ClientRect();
  if (Enabled()) {
    canvas.DrawLayout(font_, text, r, flags, textColor_);
  } else {
    canvas.DrawLayout(font_, text, r.Offset(1, 1), flags, colorHighlighted_);
    canvas.DrawLayout(font_, text, r, flags, font_.Color);
  }
}

void TDIBFadeLabel::Finish(Surface& s, const Surface& beneath) {
  if (angle_ == 0 && scale_ == 100.0) return;
  Surface turned = TransformSurface(s, angle_, scale_, scale_);
  s = beneath;
  Canvas c(s, nullptr);
  c.DrawMasked((s.Width() - turned.Width()) / 2, (s.Height() - turned.Height()) / 2, turned);
}
