// TCrDesignGrid: a windowed control showing a matrix of equally sized
// cells, each drawn in one of a list of painting styles, reporting mouse
// activity per cell. Cells draw into an off-screen surface; the control
// copies that surface, so a changed cell costs one cell's drawing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "widgets/Controls.h"
#include "widgets/ScrollBar.h"
#include "widgets/crPaintingStyles.h"

class TCrDesignGrid;

class TcrCell {
public:
  TcrCell(TCrDesignGrid& grid, int col, int row) : grid_(grid), col_(col), row_(row) {}

  int Row() const { return row_; }
  int Col() const { return col_; }
  TCrDesignGrid& Grid() const { return grid_; }
  const std::string& SmallText() const { return smallText_; }
  void SetSmallText(const std::string& v);
  const std::string& BigText() const { return bigText_; }
  void SetBigText(const std::string& v);
  // -1: no style, the cell shows the background.
  int StyleIndex() const { return styleIndex_; }
  void SetStyleIndex(int v);
  bool Visible() const { return visible_; }
  // On the drawing surface, in logical pixels; right and bottom exclusive.
  TRect CellRect() const { return rect_; }

  // While updates are held the cell does not repaint.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Scrolls the grid until the cell is on the drawing surface.
  void MakeVisible(bool partialOK);
  void Repaint();

private:
  friend class TCrDesignGrid;
  TCrDesignGrid& grid_;
  int col_, row_;
  std::string smallText_, bigText_;
  bool visible_ = false;
  TRect rect_;
  int updateCount_ = 0;
  int styleIndex_ = 0;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

using TcellNotifyEvent = std::function<void(TControl* Sender, TcrCell* Cell)>;
using TcellMouseNotifyEvent = std::function<void(TControl* Sender, TShiftState Shift, TcrCell* Cell)>;
using TPaintingStylesChangeEvent =
    std::function<void(TControl* Sender, TcrPaintingStyle* UpdatedStyle)>;

class TCrDesignGrid : public TWinControl {
public:
  TCrDesignGrid();
  ~TCrDesignGrid() override;

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  int ColWidth() const { return colWidth_; }
  int RowHeight() const { return rowHeight_; }
  void SetColCount(int v) { SetMatrix(v, rowCount_, colWidth_, rowHeight_); }
  void SetRowCount(int v) { SetMatrix(colCount_, v, colWidth_, rowHeight_); }
  void SetColWidth(int v) { SetMatrix(colCount_, rowCount_, v, rowHeight_); }
  void SetRowHeight(int v) { SetMatrix(colCount_, rowCount_, colWidth_, v); }
  // Stores counts and sizes, resizes the matrix (columns, then rows) and
  // lays the grid out again.
  void SetMatrix(int cols, int rows, int colWidth, int rowHeight);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int ScrollThick() const { return scrollThick_; }
  void SetScrollThick(int v);
  int ScrollSmallChange() const { return vbar_.SmallChange(); }
  void SetScrollSmallChange(int v);
  int ScrollBigChange() const { return vbar_.LargeChange(); }
  void SetScrollBigChange(int v);
  // 0 while the bar is hidden; writes are ignored then.
  int ScrollPosV() const { return vbar_.Visible() ? vbar_.Position() : 0; }
  void SetScrollPosV(int v);
  int ScrollPosH() const { return hbar_.Visible() ? hbar_.Position() : 0; }
  void SetScrollPosH(int v);
  // A design-time preview; at run time any change leaves it False.
  bool RandomStyles() const { return randomStyles_; }
  void SetRandomStyles(bool v);

  TcrPaintingStyles& PaintStyles() { return styles_; }
  void SetPaintStyles(TcrPaintingStyles& v) { styles_.Assign(v); }
  TcrPaintSettings* PaintSettings() const { return settings_; }
  void SetPaintSettings(TcrPaintSettings* s);
  // The collection cells paint with: the linked settings' or the grid's own.
  TcrPaintingStyles& EffectiveStyles() { return settings_ ? settings_->StylesCollection() : styles_; }

  const Surface& BackgroundBMP() const { return background_; }
  void SetBackgroundBMP(const Surface& image);
  bool BackgroundIsWatermark() const { return watermark_; }
  void SetBackgroundIsWatermark(bool v);

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TColor ColorInactive() const { return colorInactive_; }
  void SetColorInactive(TColor v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v) { Change(ctl3D_, v); }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v) { Change(bevelInner_, v); }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v) { Change(bevelOuter_, v); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v) { Change(bevelWidth_, v); }

  // Null when the column or row is outside the matrix.
  TcrCell* Cells(int col, int row) const;
  // Hit test in client coordinates.
  TcrCell* CellAt(int x, int y) const;
  TcrCell* HoverCell() const { return hover_; }
  TPoint Origin() const { return origin_; }
  // The cells' pixels, at the form's scale.
  const Surface& DrawingSurface() const { return surface_; }
  TScrollBar& VertScrollBar() { return vbar_; }
  TScrollBar& HorzScrollBar() { return hbar_; }
  // Background of cells without a style, which depends on the focus.
  TColor BackgroundColor() const { return Focused() ? color_ : colorInactive_; }

  TcellNotifyEvent OnAfterCellAdd, OnBeforeCellDelete;
  TNotifyEvent OnScroll, OnMouseExit;
  TPaintingStylesChangeEvent OnPaintStylesChanged;
  TcellMouseNotifyEvent OnCellMouseDown, OnCellMouseUp, OnCellMouseMove, OnMouseCellEnter,
      OnMouseCellLeave;
  const TcellNotifyEvent& OnCustomCellPaint() const { return customPaint_; }
  // Replaces the default cell painting; every cell repaints.
  void SetOnCustomCellPaint(TcellNotifyEvent handler);

  void Paint(Canvas& canvas) override;

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  // A stroke of either button stays with the grid until its release.
  bool CapturesButton(TMouseButton button) const override;
  void BoundsChanged() override;
  void FocusChanged() override;
  void Loaded() override;

private:
  friend class TcrCell;
  friend class TcrPaintSettings;
  template <class T>
  void Change(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Invalidate();
  }
  void ResizeMatrix(int cols, int rows);
  void DeleteCell(std::unique_ptr<TcrCell>& cell);
  std::unique_ptr<TcrCell> NewCell(int col, int row);
  void Layout();
  void Relayout();
  void ClearVisible();
  void ComputeVisible();
  void TileBackground();
  // Sizes and places the drawing surface for the grid's place on the form
  // and the form's scale (`clear`: cleared in any case); true when every
  // cell must be drawn again.
  bool PlaceSurface(bool clear = false);
  // Draws on the drawing surface in the cells' coordinates.
  Canvas SurfaceCanvas();
  void RepaintVisible();
  void PaintCell(TcrCell& cell);
  void DefaultPaintCell(TcrCell& cell);
  void TrackHover(int x, int y, TShiftState shift);
  void Follow(int x, int y, TShiftState shift);
  void StylesChanged(TcrPaintingStyle* style);
  void Scrolled();

  int colCount_ = 0, rowCount_ = 0, colWidth_ = 30, rowHeight_ = 30;
  int margin_ = 2, scrollThick_ = 16;
  bool randomStyles_ = true;
  TcrPaintingStyles styles_;
  TcrPaintSettings* settings_ = nullptr;
  Surface background_;
  bool watermark_ = false;
  TColor color_ = clBtnFace, colorInactive_ = clBtnFace;
  bool ctl3D_ = true;
  TBevelCut bevelInner_ = TBevelCut::bvNone, bevelOuter_ = TBevelCut::bvRaised;
  int bevelWidth_ = 1;
  TcellNotifyEvent customPaint_;
  bool destroying_ = false;

  std::vector<std::vector<std::unique_ptr<TcrCell>>> cells_;  // [col][row]
  Surface surface_, backgroundBuffer_;
  TSize area_;         // of the drawing surface, in logical pixels
  TRect placed_;       // where surface_ lies on the form's picture
  Scale placedScale_;  // the scale surface_ was drawn at
  bool quiet_ = false;  // cells repainting inside the grid's own paint
  TPoint origin_;
  int firstCol_ = 0, lastCol_ = -1, firstRow_ = 0, lastRow_ = -1;
  TcrCell* hover_ = nullptr;
  // A press inside the grid whose button is still held, and the last point
  // of it handled: each new point is joined to that one by a line.
  bool stroking_ = false;
  TPoint strokeAt_;
  TScrollBar& vbar_;
  TScrollBar& hbar_;
};
