#include "skin/TextLayout.h"

#include <algorithm>

namespace {

struct Prefixed {
  std::string text;
  int underline = -1;
};

Prefixed StripPrefixes(std::string_view s, unsigned flags) {
  Prefixed out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!(flags & tfNoPrefix) && s[i] == '&') {
      if (++i == s.size()) break;
      if (s[i] != '&') out.underline = static_cast<int>(out.text.size());
    }
    out.text += s[i];
  }
  return out;
}

void ExpandTabs(TextRenderer& r, const TFont& font, Prefixed& p) {
  const int stop = 8 * std::max(r.Width(font, " "), 1);
  std::string out;
  int underline = p.underline;
  for (std::size_t i = 0; i < p.text.size(); ++i) {
    if (p.text[i] != '\t') {
      if (static_cast<int>(i) == p.underline) underline = static_cast<int>(out.size());
      out += p.text[i];
      continue;
    }
    int target = (r.Width(font, out) / stop + 1) * stop;
    do out += ' '; while (r.Width(font, out) < target);
  }
  p.text = std::move(out);
  p.underline = underline;
}

void AddLine(TextLayout& layout, TextRenderer& r, const TFont& font, std::string text,
             int underline) {
  TextLine line{std::move(text), 0, underline};
  line.Width = r.Width(font, line.Text);
  layout.Width = std::max(layout.Width, line.Width);
  layout.Lines.push_back(std::move(line));
}

// Greedy breaking at spaces; a word wider than the line keeps a line of
// its own rather than being split.
void BreakParagraph(TextLayout& layout, TextRenderer& r, const TFont& font, const Prefixed& p,
                    int maxWidth) {
  const std::string& s = p.text;
  std::size_t start = 0;
  while (start <= s.size()) {
    std::size_t end = start;
    std::size_t fit = std::string::npos;
    while (end < s.size()) {
      std::size_t next = s.find(' ', end);
      if (next == std::string::npos) next = s.size();
      if (r.Width(font, std::string_view(s).substr(start, next - start)) > maxWidth &&
          fit != std::string::npos)
        break;
      fit = next;
      end = next + 1;
    }
    if (fit == std::string::npos) fit = s.size();
    int u = p.underline >= static_cast<int>(start) && p.underline < static_cast<int>(fit)
                ? p.underline - static_cast<int>(start)
                : -1;
    AddLine(layout, r, font, s.substr(start, fit - start), u);
    if (fit >= s.size()) break;
    start = fit + 1;
    while (start < s.size() && s[start] == ' ') ++start;
  }
}

}  // namespace

char AcceleratorOf(std::string_view text) {
  Prefixed p = StripPrefixes(text, tfLeft);
  return p.underline >= 0 ? p.text[p.underline] : '\0';
}

TextLayout LayoutText(TextRenderer& renderer, const TFont& font, std::string_view text,
                      int maxWidth, unsigned flags) {
  TextLayout layout;
  layout.LineHeight = renderer.Metrics(font).Height;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find('\n', start);
    std::string_view para = text.substr(start, end == std::string_view::npos ? text.npos
                                                                              : end - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    Prefixed p = StripPrefixes(para, flags);
    if (flags & tfExpandTabs) ExpandTabs(renderer, font, p);
    if (flags & tfWordBreak)
      BreakParagraph(layout, renderer, font, p, maxWidth);
    else
      AddLine(layout, renderer, font, std::move(p.text), p.underline);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return layout;
}

int LineLeft(const TextLine& line, const TRect& r, unsigned flags) {
  if (flags & tfCenter) return r.Left + (r.Width() - line.Width) / 2;
  if (flags & tfRight) return r.Right - line.Width;
  return r.Left;
}

TPoint LineOrigin(const TextLayout& layout, std::size_t index, const TRect& r, unsigned flags) {
  const int room = r.Height() - layout.Height();
  const int top = r.Top + ((flags & tfVCenter) ? room / 2 : (flags & tfBottom) ? room : 0);
  return {LineLeft(layout.Lines[index], r, flags),
          top + static_cast<int>(index) * layout.LineHeight};
}

TRect InkOf(TextRenderer& renderer, const TFont& font, std::string_view text) {
  // Drawn with room on every side, in white on black.
  const int line = renderer.Metrics(font).Height;
  const int margin = line + 2;
  Surface scratch;
  scratch.Resize(renderer.Width(font, text) + 2 * margin, line + 2 * margin, ToPixel(clBlack));
  renderer.Render(scratch, font, margin, margin, text, clWhite, scratch.Bounds());
  TRect ink;
  for (int y = 0; y < scratch.Height(); ++y)
    for (int x = 0; x < scratch.Width(); ++x)
      if (scratch.ColorAt(x, y) == clWhite) ink = ink.Union(TRect::FromSize(x, y, 1, 1));
  return ink.IsEmpty() ? ink : ink.Offset(-margin, -margin);
}
