// The editor open headless and driven as a user drives it: pointer presses,
// moves and releases in window coordinates, with the keys held.
#pragma once

#include "tests/editor/EditorFixture.h"

struct Point {
  int x, y;
};

class EditorInput : public EditorTest {
protected:
  EditorInput() {
    open();
    idle();
  }

  // The middle of a note grid cell: the grid at (95, 27), its cells from (4, 3).
  static Point cell(int step, int row) { return {95 + 4 + 16 * step + 8, 27 + 3 + 16 * row + 8}; }
  static Point channelLabel(int row) { return {26, 31 + 16 * row + 7}; }
  static Point noteLabel(int row) { return {55, 31 + 16 * row + 7}; }
  static Point octaveLabel(int row) { return {78, 31 + 16 * row + 7}; }
  // A lane gauge's column at height y of the gauge (both lanes' gauges
  // start at window y 241 and are 64 high).
  static Point lane(int step, int y) { return {97 + 4 + 16 * step + 7, 241 + y}; }
  static Point patternButton(int n) { return {635 + 23 * (n % 4) + 10, 58 + 23 * (n / 4) + 10}; }
  static Point center(const TControl& c) {
    const TPoint o = c.FormOrigin();
    return {o.X + c.Width() / 2, o.Y + c.Height() / 2};
  }

  void move(Point p, TShiftState keys = {}) { window().PointerMove(keys, p.x, p.y); }
  void press(Point p, TMouseButton b = TMouseButton::mbLeft, TShiftState keys = {}) {
    move(p, keys);
    window().PointerDown(b, keys, p.x, p.y);
  }
  void release(Point p, TMouseButton b = TMouseButton::mbLeft, TShiftState keys = {}) {
    window().PointerUp(b, keys, p.x, p.y);
  }
  void click(Point p, TMouseButton b = TMouseButton::mbLeft, TShiftState keys = {}) {
    press(p, b, keys);
    release(p, b, keys);
  }
  void click(const TControl& c, TMouseButton b = TMouseButton::mbLeft, TShiftState keys = {}) {
    click(center(c), b, keys);
  }
  // Press at the first point, move through the others, release at the last.
  void stroke(std::initializer_list<Point> points, TMouseButton b = TMouseButton::mbLeft,
              TShiftState keys = {}) {
    const Point* p = points.begin();
    press(*p, b, keys);
    for (++p; p != points.end(); ++p) move(*p, keys);
    release(*(points.end() - 1), b, keys);
  }
};
