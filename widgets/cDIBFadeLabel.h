// TDIBFadeLabel: a caption that lights up in ColorHighlighted while the
// pointer is over it and fades back to its font colour afterwards, one
// colour step per FrameDelay.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/DIBTimer.h"
#include "skin/Font.h"
#include "widgets/CustomDIBControl.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TDIBFadeLabel : public TCustomDIBControl {
public:
  TDIBFadeLabel();
  ~TDIBFadeLabel() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& v);
  TColor ColorHighlighted() const { return colorHighlighted_; }
  void SetColorHighlighted(TColor v);
  std::uint8_t FrameCount() const { return frameCount_; }
  void SetFrameCount(std::uint8_t v);
  int FrameDelay() const { return frameDelay_; }
  void SetFrameDelay(int v) { frameDelay_ = v; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { Change(color_, v); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { Change(transparent_, v); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { Change(alignment_, v); }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v) { Change(layout_, v); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { Change(wordWrap_, v); }
  std::int16_t Angle() const { return angle_; }
  void SetAngle(std::int16_t v) { Change(angle_, v); }
  double Scale() const { return scale_; }
  void SetScale(double v) { Change(scale_, v); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);

  // The colour the caption is drawn in now.
  TColor TextColor() const { return textColor_; }
  const std::vector<TColor>& FadeColors() const { return fadeColors_; }
  bool Fading() const { return timer_ && timer_->Enabled(); }
  // The box the caption's glyphs cover, in device pixels of the form's
  // scale from the label's top-left corner, before the label's edges clip
  // them: a caption that fits lies inside the label's device box (at 100 %,
  // ClientRect()). Empty while the label hangs in no form.
  TRect CaptionInk() const;

protected:
  void PaintContent(Canvas& canvas) override;
  void Finish(Surface& s, const Surface& beneath) override;
  void Highlight() override;
  void Unhighlight() override;
  void AddedToForm() override;
  void Loaded() override;
  void ScaleChanged() override;
  bool DialogChar(char ch) override;

private:
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  // Alignment, vertical layout and the rest, as the text layout reads them.
  unsigned TextFlagsNow() const;
  void Refit();
  void RebuildFade();
  void SetTextColor(TColor c);
  void Tick();
  // How far the caption moves, in device pixels, at the form's scale.
  TPoint InkShift() const;

  // What InkShift found last, and for which caption, look and place.
  struct InkPlacement {
    std::string caption;
    TFont font;
    unsigned flags;
    int percent;
    TRect formBox;
    TPoint shift;
  };
  mutable std::optional<InkPlacement> placement_;

  std::string caption_;
  TFont font_;
  TColor colorHighlighted_ = clWhite;
  std::uint8_t frameCount_ = 10;
  int frameDelay_ = 50;
  TColor color_ = clBtnFace;
  bool transparent_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  std::int16_t angle_ = 0;
  double scale_ = 100.0;
  bool autoSize_ = true;
  bool showAccelChar_ = true;

  TColor textColor_;
  std::vector<TColor> fadeColors_;
  int fadeIndex_ = 0;
  std::unique_ptr<TDIBTimer> timer_;
};
