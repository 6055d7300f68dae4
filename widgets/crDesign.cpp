#include "widgets/crDesign.h"

#include <algorithm>
#include <cstdlib>

#include "widgets/Form.h"

void TcrCell::SetSmallText(const std::string& v) {
  if (v == smallText_) return;
  smallText_ = v;
  Repaint();
}

void TcrCell::SetBigText(const std::string& v) {
  if (v == bigText_) return;
  bigText_ = v;
  Repaint();
}

void TcrCell::SetStyleIndex(int v) {
  if (v == styleIndex_) return;
  styleIndex_ = std::max(v, -1);
  Repaint();
}

void TcrCell::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
}

void TcrCell::Repaint() {
  if (visible_ && updateCount_ == 0) grid_.PaintCell(*this);
}

void TcrCell::MakeVisible(bool partialOK) {
  if (partialOK && visible_) return;
  TCrDesignGrid& g = grid_;
  const int w = g.area_.cx, h = g.area_.cy;
  const TRect r = TRect::FromSize(col_ * g.colWidth_ - g.ScrollPosH(),
                                  row_ * g.rowHeight_ - g.ScrollPosV(), g.colWidth_, g.rowHeight_);
  if (r.Left >= 0 && r.Top >= 0 && r.Right < w && r.Bottom < h) return;
  if (r.Left < 0) g.SetScrollPosH(col_ * g.colWidth_);
  if (r.Right >= w) g.SetScrollPosH((col_ + 1) * g.colWidth_ - w);
  if (r.Top < 0) g.SetScrollPosV(row_ * g.rowHeight_);
  if (r.Bottom >= h) g.SetScrollPosV((row_ + 1) * g.rowHeight_ - h);
}

TCrDesignGrid::TCrDesignGrid()
    : styles_([this](TcrPaintingStyle* s) {
        if (!settings_) StylesChanged(s);
      }),
      vbar_(Add<TScrollBar>("", 0, 0, 0, 0, TScrollBarKind::sbVertical)),
      hbar_(Add<TScrollBar>("", 0, 0, 0, 0, TScrollBarKind::sbHorizontal)) {
  for (TScrollBar* bar : {&vbar_, &hbar_}) {
    bar->SetVisible(false);
    bar->SetSmallChange(10);
    bar->SetLargeChange(100);
    bar->OnChange = [this] { Scrolled(); };
  }
  SetBounds(0, 0, 245, 245);
  SetMatrix(8, 8, 30, 30);
}

TCrDesignGrid::~TCrDesignGrid() {
  destroying_ = true;
  SetPaintSettings(nullptr);
  ResizeMatrix(0, 0);
}

void TCrDesignGrid::SetMatrix(int cols, int rows, int colWidth, int rowHeight) {
  if (cols == colCount_ && rows == rowCount_ && colWidth == colWidth_ && rowHeight == rowHeight_)
    return;
  colWidth_ = colWidth;
  rowHeight_ = rowHeight;
  ResizeMatrix(std::max(cols, 0), std::max(rows, 0));
  Layout();
}

std::unique_ptr<TcrCell> TCrDesignGrid::NewCell(int col, int row) {
  auto cell = std::make_unique<TcrCell>(*this, col, row);
  if (!Loading() && OnAfterCellAdd) OnAfterCellAdd(this, cell.get());
  return cell;
}

void TCrDesignGrid::DeleteCell(std::unique_ptr<TcrCell>& cell) {
  if (!destroying_ && OnBeforeCellDelete) OnBeforeCellDelete(this, cell.get());
  if (hover_ == cell.get()) hover_ = nullptr;
  cell.reset();
}

void TCrDesignGrid::ResizeMatrix(int cols, int rows) {
  ClearVisible();
  while (colCount_ > cols) {
    for (auto& cell : cells_.back()) DeleteCell(cell);
    cells_.pop_back();
    --colCount_;
  }
  while (rowCount_ > rows) {
    for (auto& column : cells_) {
      DeleteCell(column.back());
      column.pop_back();
    }
    --rowCount_;
  }
  while (colCount_ < cols) {
    cells_.emplace_back();
    for (int r = 0; r < rowCount_; ++r) cells_.back().push_back(NewCell(colCount_, r));
    ++colCount_;
  }
  while (rowCount_ < rows) {
    for (int c = 0; c < colCount_; ++c) cells_[c].push_back(NewCell(c, rowCount_));
    ++rowCount_;
  }
}

void TCrDesignGrid::Loaded() {
  if (!OnAfterCellAdd) return;
  for (auto& column : cells_)
    for (auto& cell : column) OnAfterCellAdd(this, cell.get());
}

void TCrDesignGrid::SetMargin(int v) {
  if (v == margin_) return;
  margin_ = v;
  Layout();
}

void TCrDesignGrid::SetScrollThick(int v) {
  if (v == scrollThick_) return;
  scrollThick_ = v;
  Layout();
}

void TCrDesignGrid::SetScrollSmallChange(int v) {
  if (v <= 0) return;
  vbar_.SetSmallChange(v);
  hbar_.SetSmallChange(v);
}

void TCrDesignGrid::SetScrollBigChange(int v) {
  if (v <= 0) return;
  vbar_.SetLargeChange(v);
  hbar_.SetLargeChange(v);
}

void TCrDesignGrid::SetScrollPosV(int v) {
  if (vbar_.Visible()) vbar_.SetPosition(v);
}

void TCrDesignGrid::SetScrollPosH(int v) {
  if (hbar_.Visible()) hbar_.SetPosition(v);
}

void TCrDesignGrid::SetRandomStyles(bool v) {
  if (v != randomStyles_) randomStyles_ = false;
}

void TCrDesignGrid::SetPaintSettings(TcrPaintSettings* s) {
  if (s == settings_) return;
  if (settings_) std::erase(settings_->grids_, this);
  settings_ = s;
  if (settings_) settings_->grids_.push_back(this);
  if (!destroying_) StylesChanged(nullptr);
}

void TCrDesignGrid::SetBackgroundBMP(const Surface& image) {
  background_ = image;
  TileBackground();
  RepaintVisible();
}

void TCrDesignGrid::SetBackgroundIsWatermark(bool v) {
  if (v == watermark_) return;
  watermark_ = v;
  TileBackground();
  RepaintVisible();
}

void TCrDesignGrid::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  RepaintVisible();
  Invalidate();
}

void TCrDesignGrid::SetColorInactive(TColor v) {
  if (v == colorInactive_) return;
  colorInactive_ = v;
  RepaintVisible();
  Invalidate();
}

void TCrDesignGrid::SetOnCustomCellPaint(TcellNotifyEvent handler) {
  customPaint_ = std::move(handler);
  if (!Loading()) RepaintVisible();
}

void TCrDesignGrid::SetCurrentColumn(int col) {
  if (col < 0 || col >= colCount_) col = -1;
  if (col == currentColumn_) return;
  const int left = currentColumn_;
  currentColumn_ = col;
  RepaintColumn(left);
  // What the cells show stays: the frame goes over it.
  if (col < firstCol_ || col > lastCol_) return;
  InvalidateColumn(col);
  for (int r = firstRow_; r <= lastRow_; ++r)
    if (const TcrCell& cell = *cells_[col][r]; cell.visible_ && cell.updateCount_ == 0)
      PaintCurrentFrame(cell.rect_);
}

void TCrDesignGrid::SetCurrentColumnLook(TColor color, int width) {
  width = std::max(width, 0);
  if (color == currentColumnColor_ && width == currentColumnWidth_) return;
  currentColumnColor_ = color;
  currentColumnWidth_ = width;
  RepaintColumn(currentColumn_);
}

TcrCell* TCrDesignGrid::Cells(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return nullptr;
  return cells_[col][row].get();
}

TcrCell* TCrDesignGrid::CellAt(int x, int y) const {
  if (colWidth_ == 0 || rowHeight_ == 0) return nullptr;
  if (!TRect::FromSize(origin_.X, origin_.Y, area_.cx, area_.cy).Contains(x, y))
    return nullptr;
  return Cells((x + ScrollPosH() - origin_.X) / colWidth_,
               (y + ScrollPosV() - origin_.Y) / rowHeight_);
}

void TCrDesignGrid::BoundsChanged() { Layout(); }

void TCrDesignGrid::Layout() {
  ClearVisible();
  int right = margin_, bottom = margin_;
  bool needH = false, needV = false;
  for (int pass = 0; pass < 2; ++pass) {
    if (colCount_ * colWidth_ >= Width() - margin_ - right) {
      needH = true;
      bottom = margin_ + scrollThick_ + 4;
    }
    if (rowCount_ * rowHeight_ >= Height() - margin_ - bottom) {
      needV = true;
      right = margin_ + scrollThick_ + 4;
    }
  }
  const int availW = Width() - right - margin_, availH = Height() - bottom - margin_;
  if (availW < 0 || availH < 0)
    area_ = {};
  else
    area_ = {std::min(availW, colCount_ * colWidth_), std::min(availH, rowCount_ * rowHeight_)};
  origin_ = {margin_ + (Width() - margin_ - right - area_.cx) / 2,
             margin_ + (Height() - margin_ - bottom - area_.cy) / 2};
  // A new layout starts from a cleared surface, which the cells then cover.
  PlaceSurface(true);

  vbar_.SetVisible(needV);
  hbar_.SetVisible(needH);
  vbar_.SetBounds(Width() - right + 3, margin_ + 1, scrollThick_, Height() - bottom - margin_ - 2);
  hbar_.SetBounds(margin_ + 1, Height() - bottom + 3, Width() - right - margin_ - 2, scrollThick_);
  // Position changes during layout must not re-lay the cells half way.
  auto onV = std::move(vbar_.OnChange), onH = std::move(hbar_.OnChange);
  vbar_.SetParams(rowCount_ * rowHeight_, area_.cy);
  hbar_.SetParams(colCount_ * colWidth_, area_.cx);
  vbar_.OnChange = std::move(onV);
  hbar_.OnChange = std::move(onH);

  TileBackground();
  ComputeVisible();
  Invalidate();
}

void TCrDesignGrid::ClearVisible() {
  for (int c = firstCol_; c <= lastCol_; ++c)
    for (int r = firstRow_; r <= lastRow_; ++r)
      if (TcrCell* cell = Cells(c, r)) cell->visible_ = false;
  firstCol_ = firstRow_ = 0;
  lastCol_ = lastRow_ = -1;
}

void TCrDesignGrid::ComputeVisible() {
  TcrCell* first = CellAt(origin_.X, origin_.Y);
  TcrCell* last = CellAt(origin_.X + area_.cx - 1, origin_.Y + area_.cy - 1);
  if (!first || !last) return;
  firstCol_ = first->col_;
  firstRow_ = first->row_;
  lastCol_ = last->col_;
  lastRow_ = last->row_;
  const int w = area_.cx, h = area_.cy;
  auto inside = [&](int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; };
  for (int c = firstCol_; c <= lastCol_; ++c) {
    for (int r = firstRow_; r <= lastRow_; ++r) {
      TcrCell& cell = *cells_[c][r];
      const TRect rect = TRect::FromSize(c * colWidth_ - ScrollPosH(), r * rowHeight_ - ScrollPosV(),
                                         colWidth_, rowHeight_);
      cell.rect_ = rect;
      cell.visible_ = inside(rect.Left, rect.Top) || inside(rect.Right, rect.Top) ||
                      inside(rect.Left, rect.Bottom) || inside(rect.Right, rect.Bottom);
      cell.Repaint();
    }
  }
}

void TCrDesignGrid::Relayout() {
  ClearVisible();
  ComputeVisible();
}

void TCrDesignGrid::TileBackground() {
  // Only a grid with a background image keeps a tiled copy of it.
  if (background_.Width() == 0 || background_.Height() == 0) {
    backgroundBuffer_.Resize(0, 0);
    return;
  }
  backgroundBuffer_.Resize(surface_.Width(), surface_.Height());
  // The scroll offset in device pixels: the image holds device pixels too.
  const TPoint offset =
      watermark_ ? TPoint{0, 0}
                 : TPoint{-(placedScale_.Length(ScrollPosH()) % background_.Width()),
                          -(placedScale_.Length(ScrollPosV()) % background_.Height())};
  Canvas c(backgroundBuffer_, nullptr);
  c.Tile(background_, backgroundBuffer_.Bounds(), offset);
}

bool TCrDesignGrid::PlaceSurface(bool clear) {
  const TForm* form = Form();
  const Scale scale = form ? form->DrawScale() : Scale();
  const TPoint at = FormOrigin();
  const TRect wanted =
      scale.ToDevice(TRect::FromSize(at.X + origin_.X, at.Y + origin_.Y, area_.cx, area_.cy));
  const bool resized = wanted.Width() != surface_.Width() || wanted.Height() != surface_.Height();
  if (!clear && !resized && wanted == placed_ && scale == placedScale_) return false;
  // At 100 % a cell's pixels do not depend on where the grid lies.
  const bool redraw = clear || resized || !scale.IsUnit() || !placedScale_.IsUnit();
  placed_ = wanted;
  placedScale_ = scale;
  if (clear || resized) {
    surface_.Resize(wanted.Width(), wanted.Height());
    TileBackground();
  }
  return redraw;
}

Canvas TCrDesignGrid::SurfaceCanvas() {
  TForm* form = Form();
  const TPoint at = FormOrigin();
  return Canvas(surface_, placedScale_, {at.X + origin_.X, at.Y + origin_.Y},
                {placed_.Left, placed_.Top}, surface_.Bounds(), form ? &form->Text() : nullptr);
}

void TCrDesignGrid::Scrolled() {
  TileBackground();
  Relayout();
  if (OnScroll) OnScroll(this);
}

void TCrDesignGrid::RepaintVisible() {
  for (int c = firstCol_; c <= lastCol_; ++c)
    for (int r = firstRow_; r <= lastRow_; ++r) cells_[c][r]->Repaint();
}

// The column goes to the screen as one rectangle, which takes in those of
// its cells: one pass over the window's controls instead of one per cell.
void TCrDesignGrid::InvalidateColumn(int col) {
  const TRect top = cells_[col][firstRow_]->rect_, bottom = cells_[col][lastRow_]->rect_;
  InvalidateRect(top.Union(bottom).Offset(origin_.X, origin_.Y));
}

void TCrDesignGrid::RepaintColumn(int col) {
  if (col < firstCol_ || col > lastCol_) return;
  InvalidateColumn(col);
  for (int r = firstRow_; r <= lastRow_; ++r) cells_[col][r]->Repaint();
}

void TCrDesignGrid::PaintCurrentFrame(const TRect& r) {
  SurfaceCanvas().Frame3D(r, currentColumnColor_, currentColumnColor_, currentColumnWidth_);
}

void TCrDesignGrid::StylesChanged(TcrPaintingStyle* style) {
  TcrPaintingStyles& styles = EffectiveStyles();
  for (int c = firstCol_; c <= lastCol_; ++c)
    for (int r = firstRow_; r <= lastRow_; ++r) {
      TcrCell& cell = *cells_[c][r];
      if (!style || (cell.styleIndex_ >= 0 && &styles.Style(cell.styleIndex_) == style))
        cell.Repaint();
    }
  if (OnPaintStylesChanged) OnPaintStylesChanged(this, style);
}

void TCrDesignGrid::PaintCell(TcrCell& cell) {
  // Moved or rescaled since the last cell: every cell is drawn anew first.
  if (PlaceSurface()) RepaintVisible();
  if (customPaint_)
    customPaint_(this, &cell);
  else
    DefaultPaintCell(cell);
  if (cell.col_ == currentColumn_) PaintCurrentFrame(cell.rect_);
  if (!quiet_) InvalidateRect(cell.rect_.Offset(origin_.X, origin_.Y));
}

void TCrDesignGrid::DefaultPaintCell(TcrCell& cell) {
  TForm* form = Form();
  Canvas c = SurfaceCanvas();
  TRect r = cell.rect_;
  if (cell.styleIndex_ == -1) {
    if (background_.Width() == 0 || background_.Height() == 0) {
      c.FillRect(r, BackgroundColor());
    } else {
      const TRect d = c.DeviceRect(r);
      surface_.CopyFrom(backgroundBuffer_, d, d.Left, d.Top);
    }
    return;
  }
  TcrPaintingStyle& style = EffectiveStyles().Style(cell.styleIndex_);
  c.FillRect(r, style.FaceColor());
  if (style.Beveled()) {
    c.Frame3D(r, style.HighlightColor(), style.ShadowColor(), style.BorderWidth());
    r = r.Inflate(-style.BorderWidth());
  }
  if (!form) return;
  if (!cell.bigText_.empty()) {
    const TSize size = c.TextExtent(style.BigFont(), cell.bigText_);
    c.Text(style.BigFont(), r.Left + (r.Width() - size.cx) / 2, r.Top + (r.Height() - size.cy) / 2,
           cell.bigText_, style.BigFont().Color, r);
  }
  if (!cell.smallText_.empty()) {
    const TSize size = c.TextExtent(style.SmallFont(), cell.smallText_);
    const int b = style.Beveled() ? style.BorderWidth() : 0;
    const auto placing = style.SmallTextPlacing();
    const bool left = placing == TcrSmallTextPlacing::stpTopLeft ||
                      placing == TcrSmallTextPlacing::stpBottomLeft;
    const bool top = placing == TcrSmallTextPlacing::stpTopLeft ||
                     placing == TcrSmallTextPlacing::stpTopRight;
    const int x = left ? r.Left + style.SmallTextX() - b : r.Right + b - size.cx - style.SmallTextX();
    const int y = top ? r.Top + style.SmallTextY() - b : r.Bottom + b - size.cy - style.SmallTextY();
    TRect box{r.Left, y, r.Right, y + size.cy};
    if (size.cx < r.Width()) box = {x, y, x + size.cx, y + size.cy};
    c.Text(style.SmallFont(), x, y, cell.smallText_, style.SmallFont().Color, box);
  }
}

void TCrDesignGrid::Paint(Canvas& canvas) {
  if (PlaceSurface()) {
    // Drawn into the picture being painted now: nothing more to invalidate.
    quiet_ = true;
    RepaintVisible();
    quiet_ = false;
  }
  const TColor back = BackgroundColor();
  const TRect r = ClientRect();
  // The bevels go over the background around the cells.
  const TRect s = TRect::FromSize(origin_.X, origin_.Y, area_.cx, area_.cy);
  canvas.FillRect(TRect{r.Left, r.Top, r.Right, s.Top}.Intersect(r), back);
  canvas.FillRect(TRect{r.Left, s.Bottom, r.Right, r.Bottom}.Intersect(r), back);
  canvas.FillRect(TRect{r.Left, s.Top, s.Left, s.Bottom}.Intersect(r), back);
  canvas.FillRect(TRect{s.Right, s.Top, r.Right, s.Bottom}.Intersect(r), back);
  int inset = 0;
  auto bevel = [&](TBevelCut cut) {
    switch (cut) {
      case TBevelCut::bvNone: return;
      case TBevelCut::bvLowered: canvas.Frame3D(r, clBtnShadow, clBtnHighlight, bevelWidth_, inset); break;
      case TBevelCut::bvRaised: canvas.Frame3D(r, clBtnHighlight, clBtnShadow, bevelWidth_, inset); break;
      case TBevelCut::bvSpace: canvas.Frame3D(r, back, back, bevelWidth_, inset); break;
    }
    inset += bevelWidth_;
  };
  if (!ctl3D_) {
    canvas.Frame3D(r, clBlack, clBlack, bevelWidth_);
  } else {
    bevel(bevelOuter_);
    bevel(bevelInner_);
  }
  canvas.Draw(origin_.X, origin_.Y, surface_);
}

void TCrDesignGrid::FocusChanged() {
  RepaintVisible();
  Invalidate();
}

void TCrDesignGrid::TrackHover(int x, int y, TShiftState shift) {
  TcrCell* old = hover_;
  hover_ = CellAt(x, y);
  if (hover_ == old) return;
  if (old && OnMouseCellLeave) OnMouseCellLeave(this, shift, old);
  if (hover_ && OnMouseCellEnter) OnMouseCellEnter(this, shift, hover_);
}

namespace {

// The buttons that paint; the grid holds the pointer while one is down.
constexpr std::uint8_t kStrokeButtons = ssLeft | ssRight;

TShiftState With(TShiftState shift, TMouseButton button) {
  return TShiftState::FromBits(shift.Bits() | ShiftFlagOf(button));
}

TShiftState Without(TShiftState shift, TMouseButton button) {
  return TShiftState::FromBits(shift.Bits() & static_cast<std::uint8_t>(~ShiftFlagOf(button)));
}

// Every pixel of the line from `from` to `to`, `from` itself left out, in
// the order a pointer moving along it passes them.
template <class Visit>
void WalkLine(TPoint from, TPoint to, Visit visit) {
  const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
  const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
  int err = dx + dy;
  TPoint p = from;
  while (p.X != to.X || p.Y != to.Y) {
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      p.X += sx;
    }
    if (e2 <= dx) {
      err += dx;
      p.Y += sy;
    }
    visit(p);
  }
}

}  // namespace

// Pointer samples arrive as fast as the platform delivers them, so a quick
// stroke may skip cells. While a stroke is on, the path between two samples
// counts as a straight line and every cell on it is entered in turn: what a
// stroke sets depends on where the pointer went, not on how often it was seen.
void TCrDesignGrid::Follow(int x, int y, TShiftState shift) {
  if (stroking_ && (shift.Bits() & kStrokeButtons))
    WalkLine(strokeAt_, {x, y}, [&](TPoint p) { TrackHover(p.X, p.Y, shift); });
  else
    TrackHover(x, y, shift);
  strokeAt_ = {x, y};
}

bool TCrDesignGrid::CapturesButton(TMouseButton button) const {
  return (ShiftFlagOf(button) & kStrokeButtons) != 0;
}

void TCrDesignGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The pointer reached the press point before the button went down.
  Follow(x, y, Without(shift, button));
  if (CapturesButton(button)) stroking_ = true;
  if (TcrCell* cell = CellAt(x, y); cell && OnCellMouseDown) OnCellMouseDown(this, shift, cell);
  TWinControl::MouseDown(button, shift, x, y);
  SetFocus();
}

void TCrDesignGrid::MouseMove(TShiftState shift, int x, int y) {
  Follow(x, y, shift);
  if (!(shift.Bits() & kStrokeButtons)) stroking_ = false;
  if (hover_ && OnCellMouseMove) OnCellMouseMove(this, shift, hover_);
  TWinControl::MouseMove(shift, x, y);
}

void TCrDesignGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The button was still down on the way to the release point.
  Follow(x, y, With(shift, button));
  if (!(shift.Bits() & kStrokeButtons)) stroking_ = false;
  if (TcrCell* cell = CellAt(x, y); cell && OnCellMouseUp) OnCellMouseUp(this, shift, cell);
  TWinControl::MouseUp(button, shift, x, y);
}

void TCrDesignGrid::MouseLeave() {
  // A stroke keeps the pointer: its next point, wherever it lies, leaves the
  // cell along the stroke's line.
  if (!stroking_) TrackHover(Width(), Height(), {});
  TWinControl::MouseLeave();
  if (OnMouseExit) OnMouseExit(this);
}
