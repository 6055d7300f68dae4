// Lines and frames at 150 % and 200 %: as thick everywhere as a line of
// their width should be, wherever their half pixels fall.
#include <string>

#include "editor/EditorColors.h"
#include "tests/editor/EditorFixture.h"

namespace {

using namespace editor_colors;

// How many pixels of colour `c` run through device pixel `at` across a
// line: horizontally for a vertical line, vertically for a horizontal one.
int RunThrough(const Surface& s, TPoint at, bool vertical, TColor c) {
  const TPoint step = vertical ? TPoint{1, 0} : TPoint{0, 1};
  int run = 0;
  for (int sign : {-1, 1})
    for (TPoint p = sign < 0 ? at : TPoint{at.X + step.X, at.Y + step.Y};
         s.Bounds().Contains(p.X, p.Y) && s.ColorAt(p.X, p.Y) == c;
         p = {p.X + sign * step.X, p.Y + sign * step.Y})
      ++run;
  return run;
}

struct LineProbe {
  const char* what;
  int x, y;  // a logical pixel of the line, in the window
  bool vertical;
  TColor color;
};

// On both parities of logical position, where 150 % puts a line's edge on
// a half pixel at one side or the other.
constexpr LineProbe kProbes[] = {
    {"window frame, left", 0, 160, true, line},
    {"window frame, right", 745, 160, true, line},
    {"window frame, top", 300, 0, false, line},
    {"window frame, bottom", 300, 320, false, line},
    {"upper panel frame, left", 5, 100, true, line},
    {"upper panel frame, right", 739, 100, true, line},
    {"upper panel frame, bottom", 300, 229, false, line},
    {"trigger switch frame, left", 622, 10, true, line},
    {"trigger switch frame, right", 739, 10, true, line},
    {"trigger switch frame, top", 705, 3, false, line},
    {"trigger switch frame, bottom", 705, 18, false, line},
    {"line between channel and note", 40, 100, true, line},
    {"line below the global gauge", 690, 300, false, line},
    {"first bar line", 95 + 3, 70, true, ink},
    {"second bar line", 95 + 260, 70, true, ink},
    {"beat line", 95 + 68, 70, true, beatLine},
};

}  // namespace

class EditorLines : public EditorTest {};

TEST_F(EditorLines, EveryOnePixelLineIsEquallyThickWhereverItLies) {
  open();
  for (int percent : {100, 150, 200}) {
    bridge().setScale(percent);
    window().PaintInvalid();
    const Scale scale(percent);
    for (const LineProbe& p : kProbes)
      EXPECT_EQ(RunThrough(window().Image(), scale.ToDevice(TPoint{p.x, p.y}), p.vertical, p.color),
                scale.Length(1))
          << percent << "% " << p.what;
  }
}
