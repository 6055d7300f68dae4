// TDIBImage: shows one image of an image list; the editor uses it as a
// push button and as the row marker.
#pragma once

#include <cstdint>

#include "skin/DIBImageList.h"
#include "widgets/CustomDIBControl.h"

class TDIBImage : public TCustomDIBControl, private ImageListObserver {
public:
  ~TDIBImage() override;

  // The image shown: list and index; an index the list lacks shows nothing.
  void SetIndexMain(TDIBImageList* list, int index);
  TDIBImageList* ImageList() const { return list_; }
  int ImageIndex() const { return index_; }
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  std::int16_t Angle() const { return angle_; }
  void SetAngle(std::int16_t v);
  double Scale() const { return scale_; }
  void SetScale(double v);
  // Typing this character clicks the image; '\0' for none.
  char Accelerator = '\0';

protected:
  void PaintContent(Canvas& canvas) override;
  bool DialogChar(char ch) override;
  void ScaleChanged() override { Refit(); }

private:
  void ImageChanged(const TDIBImageList& list, int index) override;
  void ImageListGone(const TDIBImageList& list) override;
  const Surface* Source() const { return list_ ? list_->Image(index_) : nullptr; }
  // The image as drawn into a box of `box` device pixels: rotated, scaled
  // or stretched.
  Surface Transformed(const Surface& src, TSize box) const;
  // The form's scale, or 100 % outside a form.
  ::Scale DrawScale() const;
  void Refit();

  TDIBImageList* list_ = nullptr;
  int index_ = -1;
  bool center_ = false, stretch_ = false, autoSize_ = false;
  std::int16_t angle_ = 0;
  double scale_ = 100.0;
};
