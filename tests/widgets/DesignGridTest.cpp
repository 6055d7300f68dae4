#include <algorithm>
#include <string>
#include <vector>

#include "tests/widgets/FormFixture.h"
#include "widgets/crDesign.h"

namespace {

constexpr TColor kPanel = 0xB7BEB1;

class DesignGridTest : public FormFixture {
protected:
  DesignGridTest() : FormFixture(746, 321) {}

  TCrDesignGrid& EditorGrid(const char* name, int left, int top, int w, int h, int rows,
                            int rowHeight) {
    auto& g = form.Add<TCrDesignGrid>(name, left, top, w, h);
    g.SetMatrix(32, rows, 16, rowHeight);
    g.SetColor(kPanel);
    g.SetColorInactive(kPanel);
    g.SetBevelOuter(TBevelCut::bvNone);
    return g;
  }
  TCrDesignGrid& NoteGrid() { return EditorGrid("NoteGrid", 95, 27, 520, 199, 12, 16); }

  // NoteGrid's four styles.
  static void AddNoteStyles(TCrDesignGrid& g) {
    auto set = [](TcrPaintingStyle& s, const char* name, TColor face, TColor hi, TColor sh,
                  bool bevel) {
      s.SetName(name);
      s.SetFaceColor(face);
      s.SetHighlightColor(hi);
      s.SetShadowColor(sh);
      s.SetBeveled(bevel);
    };
    TcrPaintingStyles& st = g.PaintStyles();
    set(st.Items(0), "Default Empty", 0xC0C6BB, 0, 0, false);
    set(st.Add(), "Step Note", 0x959A8F, 0x959A8F, 0x959A8F, true);
    set(st.Add(), "Link Note", 0x80A888, 0x80A888, 0x959A8F, true);
    set(st.Add(), "Break Note", 0x578060, 0x578060, 0x959A8F, true);
  }

  std::string Name(TcrCell* c) {
    return c ? std::to_string(c->Col()) + "," + std::to_string(c->Row()) : "none";
  }
};

}  // namespace

TEST_F(DesignGridTest, StartsAsAnEightByEightMatrix) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  EXPECT_EQ(g.ColCount(), 8);
  EXPECT_EQ(g.RowCount(), 8);
  EXPECT_EQ(g.ColWidth(), 30);
  EXPECT_EQ(g.Margin(), 2);
  EXPECT_EQ(g.Cells(7, 7)->StyleIndex(), 0);
  EXPECT_FALSE(g.VertScrollBar().Visible());
}

TEST_F(DesignGridTest, CentresTheEditorGridsSurfaces) {
  auto& note = NoteGrid();
  auto& velocity = EditorGrid("VelocityGrid", 97, 236, 521, 73, 1, 64);
  auto& shift = EditorGrid("ShiftGrid", 97, 238, 520, 70, 1, 64);
  EXPECT_EQ(note.DrawingSurface().Bounds(), (TRect{0, 0, 512, 192}));
  EXPECT_EQ(note.Origin(), (TPoint{4, 3}));
  EXPECT_EQ(velocity.DrawingSurface().Bounds(), (TRect{0, 0, 512, 64}));
  EXPECT_EQ(velocity.Origin(), (TPoint{4, 4}));
  EXPECT_EQ(shift.DrawingSurface().Bounds(), (TRect{0, 0, 512, 64}));
  EXPECT_EQ(shift.Origin(), (TPoint{4, 3}));
  EXPECT_FALSE(note.HorzScrollBar().Visible());
  EXPECT_TRUE(note.Cells(31, 11)->Visible());
}

TEST_F(DesignGridTest, AddressesCellsByColumnAndRow) {
  auto& g = NoteGrid();
  EXPECT_EQ(g.Cells(32, 0), nullptr);
  EXPECT_EQ(g.Cells(0, -1), nullptr);
  ASSERT_NE(g.Cells(31, 11), nullptr);
  EXPECT_EQ(Name(g.Cells(31, 11)), "31,11");
  EXPECT_EQ(g.Cells(31, 11)->CellRect(), (TRect{496, 176, 512, 192}));
}

TEST_F(DesignGridTest, HitTestsOnlyTheDrawingSurface) {
  auto& note = NoteGrid();
  EXPECT_EQ(Name(note.CellAt(3, 10)), "none");
  EXPECT_EQ(Name(note.CellAt(4, 3)), "0,0");
  EXPECT_EQ(Name(note.CellAt(515, 194)), "31,11");
  EXPECT_EQ(Name(note.CellAt(516, 194)), "none");
  EXPECT_EQ(Name(note.CellAt(20, 2)), "none");
  auto& velocity = EditorGrid("VelocityGrid", 97, 236, 521, 73, 1, 64);
  EXPECT_EQ(Name(velocity.CellAt(4, 4)), "0,0");
  EXPECT_EQ(Name(velocity.CellAt(515, 67)), "31,0");
  EXPECT_EQ(Name(velocity.CellAt(515, 68)), "none");
  auto& shift = EditorGrid("ShiftGrid", 97, 238, 520, 70, 1, 64);
  EXPECT_EQ(Name(shift.CellAt(4, 3)), "0,0");
  EXPECT_EQ(Name(shift.CellAt(4, 2)), "none");
}

TEST_F(DesignGridTest, ADragReportsOnePressAndEachCellItEnters) {
  auto& g = NoteGrid();
  std::vector<std::string> log;
  g.OnCellMouseDown = [&](TControl*, TShiftState s, TcrCell* c) {
    log.push_back("down " + Name(c) + (s.Contains(ssLeft) ? " left" : ""));
  };
  g.OnMouseCellEnter = [&](TControl*, TShiftState s, TcrCell* c) {
    log.push_back("enter " + Name(c) + (s.Contains(ssLeft) ? " left" : ""));
  };
  g.OnMouseCellLeave = [&](TControl*, TShiftState, TcrCell* c) { log.push_back("leave " + Name(c)); };
  // Form coordinates: cell (c, r) starts at 95 + 4 + 16c, 27 + 3 + 16r.
  form.PointerMove({}, 100, 31);
  form.PointerDown(TMouseButton::mbLeft, {}, 100, 31);
  form.PointerMove({}, 110, 35);  // same cell
  form.PointerMove({}, 116, 31);
  form.PointerMove({}, 132, 31);
  form.PointerMove({}, 148, 47);
  form.PointerUp(TMouseButton::mbLeft, {}, 148, 47);
  EXPECT_EQ(log, (std::vector<std::string>{"enter 0,0", "down 0,0 left", "leave 0,0",
                                           "enter 1,0 left", "leave 1,0", "enter 2,0 left",
                                           "leave 2,0", "enter 3,1 left"}));
}

TEST_F(DesignGridTest, ACapturedDragLeavingTheGridLeavesItsCellAndComesBack) {
  auto& g = NoteGrid();
  std::vector<std::string> log;
  // Appended rather than concatenated: GCC 12 misreads "+" + string as an
  // overlapping copy and warns.
  g.OnMouseCellEnter = [&](TControl*, TShiftState, TcrCell* c) { log.push_back(std::string("+").append(Name(c))); };
  g.OnMouseCellLeave = [&](TControl*, TShiftState, TcrCell* c) { log.push_back(std::string("-").append(Name(c))); };
  form.PointerDown(TMouseButton::mbLeft, {}, 100, 31);
  form.PointerMove({}, 100, 31);
  form.PointerMove({}, 50, 31);  // off the grid, still held
  form.PointerMove({}, 100, 47);
  EXPECT_EQ(log, (std::vector<std::string>{"+0,0", "-0,0", "+0,1"}));
  EXPECT_EQ(form.CaptureControl(), &g);
}

// A stroke's cells, in the order entered with a button held.
class DesignGridStroke : public DesignGridTest {
protected:
  DesignGridStroke() : grid(NoteGrid()) {
    grid.OnCellMouseDown = [this](TControl*, TShiftState s, TcrCell* c) {
      if (s.Contains(ssLeft) || s.Contains(ssRight)) log.push_back("down " + Name(c));
    };
    grid.OnMouseCellEnter = [this](TControl*, TShiftState s, TcrCell* c) {
      if (s.Contains(ssLeft) || s.Contains(ssRight)) log.push_back(Name(c));
    };
  }
  // The middle of cell (c, r) in form coordinates.
  static TPoint At(int c, int r) { return {95 + 4 + 16 * c + 8, 27 + 3 + 16 * r + 8}; }
  void Press(TPoint p, TMouseButton b = TMouseButton::mbLeft) { form.PointerDown(b, {}, p.X, p.Y); }
  void Move(TPoint p) { form.PointerMove({}, p.X, p.Y); }
  void Release(TPoint p, TMouseButton b = TMouseButton::mbLeft) { form.PointerUp(b, {}, p.X, p.Y); }

  TCrDesignGrid& grid;
  std::vector<std::string> log;
};

// One sample far from the last enters every cell on the line between them.
TEST_F(DesignGridStroke, AFastMoveEntersEveryCellOnItsLine) {
  struct Case {
    const char* name;
    TPoint from, to;
    std::vector<std::string> cells;
  };
  const Case cases[] = {
      {"horizontal", At(2, 3), At(7, 3), {"down 2,3", "3,3", "4,3", "5,3", "6,3", "7,3"}},
      {"vertical, upwards", At(9, 6), At(9, 2), {"down 9,6", "9,5", "9,4", "9,3", "9,2"}},
      {"diagonal through the corners", At(0, 0), At(4, 4), {"down 0,0", "1,1", "2,2", "3,3", "4,4"}},
      // Where a shallow line steps down a row inside a column, the cells
      // on both sides of the step are entered.
      {"shallow",
       At(10, 0),
       At(14, 2),
       {"down 10,0", "11,0", "11,1", "12,1", "13,1", "13,2", "14,2"}},
  };
  for (const Case& c : cases) {
    log.clear();
    Move(c.from);
    Press(c.from);
    Move(c.to);
    Release(c.to);
    EXPECT_EQ(log, c.cells) << c.name;
  }
}

// The way to the release point is part of the stroke; nothing after it is.
TEST_F(DesignGridStroke, TheReleaseEndsTheStrokeAtItsPoint) {
  Press(At(0, 0));
  Release(At(3, 0));
  Move(At(20, 9));
  Move(At(3, 0));
  EXPECT_EQ(log, (std::vector<std::string>{"down 0,0", "1,0", "2,0", "3,0"}));
  EXPECT_EQ(form.CaptureControl(), nullptr);
}

// Off the grid nothing is entered; the cells up to its edge and back are.
TEST_F(DesignGridStroke, AStrokeLeavingAndReenteringTheGridEntersTheCellsUpToItsEdges) {
  Press(At(28, 5));
  Move({660, At(28, 5).Y});  // past the right edge
  Move(At(29, 5));
  Release(At(29, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"down 28,5", "29,5", "30,5", "31,5", "31,5", "30,5",
                                           "29,5"}));
}

// The right button holds the pointer as the left one does and strokes the same way.
TEST_F(DesignGridStroke, ARightButtonStrokeIsCapturedAndFilledToo) {
  Press(At(5, 1), TMouseButton::mbRight);
  EXPECT_EQ(form.CaptureControl(), &grid);
  Move({40, At(5, 1).Y});  // over the row labels, left of the grid
  Move(At(3, 1));
  Release(At(3, 1), TMouseButton::mbRight);
  EXPECT_EQ(form.CaptureControl(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"down 5,1", "4,1", "3,1", "2,1", "1,1", "0,1", "0,1",
                                           "1,1", "2,1", "3,1"}));
}

TEST_F(DesignGridTest, PressingTakesTheFocus) {
  auto& g = NoteGrid();
  g.SetColorInactive(0x010203);
  g.Cells(0, 0)->SetStyleIndex(-1);
  Settle();
  EXPECT_EQ(At(99, 30), 0x010203u);
  form.PointerDown(TMouseButton::mbRight, {}, 300, 100);
  EXPECT_TRUE(g.Focused());
  Settle();
  EXPECT_EQ(At(99, 30), kPanel);  // a cell without style shows the focused colour
}

TEST_F(DesignGridTest, StoresStyleIndexesBelowMinusOneAsMinusOne) {
  auto& g = NoteGrid();
  TcrCell* c = g.Cells(3, 3);
  c->SetStyleIndex(-5);
  EXPECT_EQ(c->StyleIndex(), -1);
  Settle();
  c->SetStyleIndex(-1);
  EXPECT_FALSE(form.NeedsPaint());
  c->SetStyleIndex(2);
  EXPECT_EQ(form.PaintInvalid(),
            (std::vector<TRect>{TRect::FromSize(95 + 4 + 48, 27 + 3 + 48, 16, 16)}));
}

TEST_F(DesignGridTest, PaintsCellsInTheirStyleAndFallsBackToStyleZero) {
  auto& g = NoteGrid();
  AddNoteStyles(g);
  g.Cells(0, 0)->SetStyleIndex(1);
  g.Cells(1, 0)->SetStyleIndex(3);
  g.Cells(2, 0)->SetStyleIndex(7);
  Settle();
  const int x0 = 95 + 4, y0 = 27 + 3;
  // Style 1: a bevelled frame, all #959A8F.
  EXPECT_EQ(At(x0, y0), 0x959A8Fu);
  EXPECT_EQ(At(x0 + 8, y0 + 8), 0x959A8Fu);
  // Style 3: highlight top-left, shadow bottom-right, face inside.
  EXPECT_EQ(At(x0 + 16, y0), 0x578060u);
  EXPECT_EQ(At(x0 + 31, y0 + 15), 0x959A8Fu);
  EXPECT_EQ(At(x0 + 24, y0 + 8), 0x578060u);
  // Index 7 of four styles: style 0, flat.
  EXPECT_EQ(At(x0 + 32, y0), 0xC0C6BBu);
  EXPECT_EQ(At(x0 + 40, y0 + 8), 0xC0C6BBu);
  // The band around the surface in the panel colour.
  EXPECT_EQ(At(95 + 2, 27 + 1), kPanel);
}

TEST_F(DesignGridTest, RepaintsOnlyCellsOfAChangedStyle) {
  auto& g = NoteGrid();
  AddNoteStyles(g);
  g.Cells(5, 5)->SetStyleIndex(2);
  Settle();
  int changes = 0;
  g.OnPaintStylesChanged = [&](TControl*, TcrPaintingStyle* s) {
    ++changes;
    EXPECT_EQ(s, &g.PaintStyles().Items(2));
  };
  g.PaintStyles().Items(2).SetFaceColor(0x112233);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form.PaintInvalid(),
            (std::vector<TRect>{TRect::FromSize(95 + 4 + 80, 27 + 3 + 80, 16, 16)}));
  EXPECT_EQ(At(95 + 4 + 88, 27 + 3 + 88), 0x112233u);
}

TEST_F(DesignGridTest, DrawsCellTextsInTheStylesFonts) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  g.PaintStyles().Items(0).SetBeveled(false);
  g.Cells(0, 0)->SetBigText("A");
  g.Cells(1, 0)->SetSmallText("3");
  Settle();
  auto inked = [&](TRect r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (At(x, y) == clWindowText) return true;
    return false;
  };
  const TPoint o = g.Origin();
  EXPECT_TRUE(inked(TRect::FromSize(o.X + 8, o.Y + 5, 14, 20)));  // centred big text
  EXPECT_TRUE(inked(TRect::FromSize(o.X + 32, o.Y + 1, 10, 14)));  // small text at 2, 1
  EXPECT_FALSE(inked(TRect::FromSize(o.X + 50, o.Y + 16, 10, 14)));
}

TEST_F(DesignGridTest, ShowsScrollBarsWhenTheCellsDoNotFit) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 100, 100);
  g.SetMatrix(10, 10, 30, 30);
  EXPECT_TRUE(g.HorzScrollBar().Visible());
  EXPECT_TRUE(g.VertScrollBar().Visible());
  // 100 - 2 - (2 + 16 + 4) = 76 on both sides.
  EXPECT_EQ(g.DrawingSurface().Bounds(), (TRect{0, 0, 76, 76}));
  EXPECT_EQ(g.VertScrollBar().BoundsRect(), TRect::FromSize(81, 3, 16, 74));
  EXPECT_EQ(g.HorzScrollBar().BoundsRect(), TRect::FromSize(3, 81, 74, 16));
  g.Cells(9, 9)->MakeVisible(true);
  EXPECT_EQ(g.ScrollPosH(), 300 - 76);
  EXPECT_EQ(g.ScrollPosV(), 300 - 76);
  EXPECT_EQ(Name(g.CellAt(2 + 75, 2 + 75)), "9,9");
  EXPECT_TRUE(g.Cells(9, 9)->Visible());
  EXPECT_FALSE(g.Cells(0, 0)->Visible());
  g.SetScrollPosH(100000);
  EXPECT_EQ(g.ScrollPosH(), 300 - 76);
}

TEST_F(DesignGridTest, ScrollsByTheBarsArrows) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 100, 100);
  g.SetMatrix(10, 10, 30, 30);
  int scrolls = 0;
  g.OnScroll = [&](TControl*) { ++scrolls; };
  // The lower arrow of the vertical bar: one small change down.
  form.PointerDown(TMouseButton::mbLeft, {}, 88, 3 + 74 - 3);
  form.PointerUp(TMouseButton::mbLeft, {}, 88, 3 + 74 - 3);
  EXPECT_EQ(g.ScrollPosV(), 10);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(Name(g.CellAt(2, 2)), "0,0");
  EXPECT_EQ(g.Cells(0, 0)->CellRect().Top, -10);
}

TEST_F(DesignGridTest, AGridWithNoRoomShowsNoCells) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 10, 10);
  EXPECT_EQ(g.DrawingSurface().Width(), 0);
  EXPECT_EQ(g.DrawingSurface().Height(), 0);
  EXPECT_FALSE(g.Cells(0, 0)->Visible());
  EXPECT_EQ(g.CellAt(5, 5), nullptr);
}

TEST_F(DesignGridTest, RemovingTheHoverCellsColumnForgetsIt) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  std::vector<std::string> log;
  g.OnMouseCellLeave = [&](TControl*, TShiftState, TcrCell* c) { log.push_back("leave " + Name(c)); };
  g.OnBeforeCellDelete = [&](TControl*, TcrCell* c) {
    if (c->Row() == 0) log.push_back("delete " + Name(c));
  };
  form.PointerMove({}, 2 + 7 * 30 + 5, 5);
  ASSERT_EQ(Name(g.HoverCell()), "7,0");
  g.SetColCount(7);
  EXPECT_EQ(g.HoverCell(), nullptr);
  form.PointerMove({}, 240, 240);
  EXPECT_EQ(log, std::vector<std::string>{"delete 7,0"});
}

TEST_F(DesignGridTest, ReportsNewCellsOnceLoadingCompletes) {
  form.BeginLoading();
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  int added = 0;
  g.OnAfterCellAdd = [&](TControl*, TcrCell*) { ++added; };
  g.SetMatrix(32, 12, 16, 16);
  EXPECT_EQ(added, 0);
  form.EndLoading();
  EXPECT_EQ(added, 32 * 12);
  g.SetRowCount(13);
  EXPECT_EQ(added, 32 * 12 + 32);
}

TEST_F(DesignGridTest, CustomPaintingReplacesTheDefault) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  int painted = 0;
  g.SetOnCustomCellPaint([&](TControl*, TcrCell*) { ++painted; });
  EXPECT_EQ(painted, 64);
  g.Cells(0, 0)->SetStyleIndex(1);
  EXPECT_EQ(painted, 65);
  g.Cells(0, 0)->BeginUpdate();
  g.Cells(0, 0)->SetStyleIndex(2);
  EXPECT_EQ(painted, 65);
}

TEST_F(DesignGridTest, KeepsRandomStylesOffAtRunTime) {
  auto& g = form.Add<TCrDesignGrid>("G", 0, 0, 245, 245);
  EXPECT_TRUE(g.RandomStyles());
  g.SetRandomStyles(false);
  EXPECT_FALSE(g.RandomStyles());
  g.SetRandomStyles(true);
  EXPECT_FALSE(g.RandomStyles());
}

namespace {
constexpr TColor kMark = 0xE8A33C;

// Which of NoteGrid's columns show the mark colour anywhere.
std::vector<int> MarkedColumns(const Surface& image) {
  std::vector<int> columns;
  for (int col = 0; col < 32; ++col)
    for (int x = 0; x < 16 && (columns.empty() || columns.back() != col); ++x)
      for (int y = 0; y < 192; ++y)
        if (image.ColorAt(95 + 4 + 16 * col + x, 27 + 3 + y) == kMark) {
          columns.push_back(col);
          break;
        }
  return columns;
}
}  // namespace

// The current column's cells get a frame over their own faces, so a set and
// an empty cell still look different inside it.
TEST_F(DesignGridTest, FramesTheCurrentColumnOverTheCellsOwnFaces) {
  auto& g = NoteGrid();
  AddNoteStyles(g);
  g.SetCurrentColumnLook(kMark, 3);
  g.Cells(5, 0)->SetStyleIndex(1);
  g.SetCurrentColumn(5);
  Settle();
  EXPECT_EQ(MarkedColumns(form.Image()), std::vector<int>{5});
  const int x0 = 95 + 4 + 80, y0 = 27 + 3;
  for (int row = 0; row < 12; ++row) {
    const int top = y0 + 16 * row;
    EXPECT_EQ(At(x0, top), kMark) << "row " << row;
    EXPECT_EQ(At(x0 + 2, top + 8), kMark) << "row " << row;
    EXPECT_EQ(At(x0 + 15, top + 13), kMark) << "row " << row;
    EXPECT_EQ(At(x0 + 3, top + 8), row == 0 ? 0x959A8Fu : 0xC0C6BBu) << "row " << row;
  }
  // A style change inside the column keeps the frame.
  g.Cells(5, 1)->SetStyleIndex(3);
  Settle();
  EXPECT_EQ(At(x0 + 8, y0 + 16 + 8), 0x578060u);
  EXPECT_EQ(At(x0 + 1, y0 + 16 + 8), kMark);
}

// Moving the mark repaints the cells of two columns, nothing else; a column
// outside the matrix, or -1, marks none.
TEST_F(DesignGridTest, MovingTheCurrentColumnRepaintsOnlyTheColumnLeftAndTheColumnReached) {
  struct Move {
    int from, to;
    std::vector<int> repainted, marked;
  };
  const Move moves[] = {{-1, 0, {0}, {0}},         {0, 1, {0, 1}, {1}},
                        {31, 0, {0, 31}, {0}},     {7, 7, {}, {7}},
                        {9, -1, {9}, {}},          {9, 32, {9}, {}},
                        {-1, -5, {}, {}}};
  for (const Move& m : moves) {
    auto& g = NoteGrid();
    AddNoteStyles(g);
    g.SetCurrentColumnLook(kMark, 3);
    g.SetCurrentColumn(m.from);
    Settle();
    g.SetCurrentColumn(m.to);
    std::vector<int> repainted;
    for (const TRect& r : form.PaintInvalid()) {
      ASSERT_EQ(r.Width(), 16);
      ASSERT_EQ((r.Left - 95 - 4) % 16, 0);
      ASSERT_GE(r.Top, 27 + 3);
      ASSERT_LE(r.Bottom, 27 + 3 + 192);
      const int col = (r.Left - 95 - 4) / 16;
      if (std::find(repainted.begin(), repainted.end(), col) == repainted.end())
        repainted.push_back(col);
    }
    std::sort(repainted.begin(), repainted.end());
    EXPECT_EQ(repainted, m.repainted) << m.from << " to " << m.to;
    EXPECT_EQ(MarkedColumns(form.Image()), m.marked) << m.from << " to " << m.to;
    EXPECT_EQ(g.CurrentColumn(), m.marked.empty() ? -1 : m.marked[0]);
    form.RemoveControl(g);
    Settle();
  }
}
