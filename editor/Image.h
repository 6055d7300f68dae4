// TImage: a static picture drawn at its top-left corner, unscaled; the
// window's about picture, decoded from its JPEG when the window opens.
#pragma once

#include "resources/Bitmap.h"
#include "widgets/Controls.h"

// An image of the resources as the skin's surfaces hold it.
Surface SurfaceFromBitmap(const Bitmap& bitmap);

class TImage : public TControl {
public:
  void SetPicture(Surface picture);
  const Surface& Picture() const { return picture_; }

  void Paint(Canvas& canvas) override;

private:
  Surface picture_;
};
