#include "editor/Image.h"

#include <algorithm>

Surface SurfaceFromBitmap(const Bitmap& bitmap) {
  Surface s(bitmap.width, bitmap.height);
  for (int y = 0; y < bitmap.height; ++y)
    std::copy_n(bitmap.bgra.data() + static_cast<std::size_t>(y) * bitmap.width, bitmap.width,
                s.Row(y));
  return s;
}

void TImage::SetPicture(Surface picture) {
  picture_ = std::move(picture);
  Invalidate();
}

void TImage::Paint(Canvas& canvas) { canvas.Draw(0, 0, picture_); }
