#include "widgets/cDIBImage.h"

#include <cctype>

#include "skin/Transform.h"
#include "widgets/Form.h"

TDIBImage::~TDIBImage() {
  if (list_) list_->Detach(this);
}

void TDIBImage::SetIndexMain(TDIBImageList* list, int index) {
  if (list == list_ && index == index_) return;
  if (list_) list_->Detach(this);
  list_ = list;
  index_ = index;
  if (list_) list_->Attach(this);
  Refit();
  Invalidate();
}

void TDIBImage::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  Refit();
  Invalidate();
}

void TDIBImage::SetStretch(bool v) {
  if (v == stretch_) return;
  stretch_ = v;
  if (v) autoSize_ = false;
  Invalidate();
}

void TDIBImage::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  if (v) stretch_ = false;
  Refit();
  Invalidate();
}

void TDIBImage::SetAngle(std::int16_t v) {
  if (v == angle_) return;
  angle_ = v;
  Refit();
  Invalidate();
}

void TDIBImage::SetScale(double v) {
  if (v == scale_) return;
  scale_ = v;
  stretch_ = false;
  Refit();
  Invalidate();
}

void TDIBImage::ImageChanged(const TDIBImageList&, int index) {
  if (index != index_) return;
  Refit();
  Invalidate();
}

Surface TDIBImage::Transformed(const Surface& src, TSize box) const {
  double sx = scale_, sy = scale_;
  if (stretch_ && src.Width() > 0 && src.Height() > 0) {
    sx = box.cx * 100 / src.Width();
    sy = box.cy * 100 / src.Height();
  }
  if (angle_ == 0 && sx == 100.0 && sy == 100.0) return src;
  return TransformSurface(src, angle_, sx, sy);
}

::Scale TDIBImage::DrawScale() const {
  const TForm* form = Form();
  return form ? form->DrawScale() : ::Scale();
}

void TDIBImage::Refit() {
  const Surface* src = Source();
  if (!autoSize_ || !src) return;
  // Autosizing never stretches, so the box does not matter.
  Surface t = Transformed(*src, {});
  const ::Scale scale = DrawScale();
  if (t.Width() > 0 && t.Height() > 0)
    SetBounds(Left(), Top(), scale.LogicalCeil(t.Width()), scale.LogicalCeil(t.Height()));
}

bool TDIBImage::DialogChar(char ch) {
  if (!Accelerator || std::tolower(static_cast<unsigned char>(Accelerator)) !=
                          std::tolower(static_cast<unsigned char>(ch)))
    return false;
  Click();
  return true;
}

void TDIBImage::PaintContent(Canvas& canvas) {
  const Surface* src = Source();
  if (!src) return;
  const Surface image = Transformed(*src, canvas.DeviceSize(ClientRect()));
  int x = 0, y = 0;
  if (center_ && !autoSize_) {
    // Centred in logical pixels, so the image lands where it does at 100 %.
    const ::Scale& scale = canvas.DeviceScale();
    x = Width() / 2 - scale.LogicalCeil(image.Width()) / 2;
    y = Height() / 2 - scale.LogicalCeil(image.Height()) / 2;
  }
  canvas.DrawMasked(x, y, image);
}

void TDIBImage::ImageListGone(const TDIBImageList&) {
  list_->Detach(this);
  list_ = nullptr;
  Invalidate();
}
