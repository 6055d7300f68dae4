#include "platform/linux/MessageOverlay.h"

#include <algorithm>

#include "skin/Canvas.h"

namespace {
constexpr int kMargin = 12;
constexpr TColor kFace = 0xF4F4EC;
constexpr TColor kBorder = 0x404040;
constexpr TColor kInk = 0x000000;
constexpr TColor kHint = 0x606060;
constexpr std::string_view kDismiss = "Click to continue";
}  // namespace

MessageOverlay::MessageOverlay(TextRenderer& text, std::string_view message, Scale scale,
                               int windowWidth, int windowHeight) {
  const TFont font = scale.Font(TFont{});  // the form's own face
  const int margin = scale.Length(kMargin);
  const int maxText = std::max(scale.Length(40), windowWidth - 4 * margin);
  const unsigned flags = tfCenter | tfWordBreak | tfNoPrefix;
  const TextLayout lines = LayoutText(text, font, message, maxText, flags);
  const TextLayout hint = LayoutText(text, font, kDismiss, maxText, flags);

  const int width = std::min(windowWidth, std::max(lines.Width, hint.Width) + 2 * margin);
  const int height = std::min(windowHeight, lines.Height() + hint.Height() + 3 * margin);
  box_ = TRect::FromSize((windowWidth - width) / 2, (windowHeight - height) / 2, width, height);

  image_ = Surface(width, height, ToPixel(kFace));
  Canvas canvas(image_, &text);
  TRect frame = image_.Bounds();
  canvas.Frame3D(frame, kBorder, kBorder, scale.Length(1));
  canvas.DrawLayout(font, lines, TRect{margin, margin, width - margin, height}, flags, kInk);
  canvas.DrawLayout(font, hint, TRect{margin, 2 * margin + lines.Height(), width - margin, height},
                    flags, kHint);
}

void MessageOverlay::DrawOver(Surface& target, const TRect& clip) const {
  const TRect area = box_.Intersect(clip);
  if (area.IsEmpty()) return;
  target.CopyFrom(image_, area.Offset(-box_.Left, -box_.Top), area.Left, area.Top);
}
