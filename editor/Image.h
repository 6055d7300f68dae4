// TImage: a static picture drawn at its top-left corner, unscaled; the
// window's about picture. The picture is decoded from its source when it is
// first shown or asked for: an editor whose about page is never opened
// never holds its pixels.
#pragma once

#include <functional>
#include <optional>

#include "resources/Bitmap.h"
#include "widgets/Controls.h"

// An image of the resources as the skin's surfaces hold it, its pixels
// taken over rather than copied (a 200 % background is megabytes).
Surface SurfaceFromBitmap(Bitmap bitmap);

class TImage : public TControl {
public:
  void SetPicture(std::function<Surface()> source);
  const Surface& Picture() const;

  void Paint(Canvas& canvas) override;

private:
  std::function<Surface()> source_;
  mutable std::optional<Surface> picture_;
};
