#include "editor/Image.h"

#include <utility>

Surface SurfaceFromBitmap(Bitmap bitmap) {
  return Surface(bitmap.width, bitmap.height, std::move(bitmap.bgra));
}

void TImage::SetPicture(std::function<Surface()> source) {
  source_ = std::move(source);
  picture_.reset();
  Invalidate();
}

const Surface& TImage::Picture() const {
  if (!picture_) picture_ = source_ ? source_() : Surface();
  return *picture_;
}

void TImage::Paint(Canvas& canvas) { canvas.Draw(0, 0, Picture()); }
