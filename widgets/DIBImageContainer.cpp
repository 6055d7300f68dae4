#include "widgets/DIBImageContainer.h"

TDIBImageContainer::~TDIBImageContainer() {
  if (list_) list_->Detach(this);
}

void TDIBImageContainer::SetImage(TDIBImageList* list, int index) {
  if (list == list_ && index == index_) return;
  if (list_) list_->Detach(this);
  list_ = list;
  index_ = index;
  if (list_) list_->Attach(this);
  Invalidate();
}

void TDIBImageContainer::SetTileMethod(TTileMethod m) {
  if (m == tileMethod_) return;
  tileMethod_ = m;
  Invalidate();
}

void TDIBImageContainer::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void TDIBImageContainer::ImageChanged(const TDIBImageList&, int index) {
  if (index == index_) Invalidate();
}

void TDIBImageContainer::Paint(Canvas& canvas) {
  const Surface* image = list_ ? list_->Image(index_) : nullptr;
  if (image && image->Width() > 0 && image->Height() > 0 &&
      tileMethod_ == TTileMethod::tmTile) {
    canvas.Tile(*image, ClientRect(), {0, 0});
    return;
  }
  canvas.FillRect(ClientRect(), color_);
  if (image) {
    const Scale& scale = canvas.DeviceScale();
    canvas.Draw((Width() - scale.LogicalCeil(image->Width())) / 2,
                (Height() - scale.LogicalCeil(image->Height())) / 2, *image);
  }
}

void TDIBImageContainer::ImageListGone(const TDIBImageList&) {
  list_->Detach(this);
  list_ = nullptr;
  Invalidate();
}
