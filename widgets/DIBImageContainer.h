// The skinned background panel: a windowed control that fills itself with
// an image of an image list, tiled from its top-left corner or centred.
#pragma once

#include "skin/DIBImageList.h"
#include "widgets/Controls.h"

enum class TTileMethod { tmTile, tmCenter };

class TDIBImageContainer : public TWinControl, private ImageListObserver {
public:
  ~TDIBImageContainer() override;

  // Without an image the container paints as a plain panel of Color.
  void SetImage(TDIBImageList* list, int index);
  TTileMethod TileMethod() const { return tileMethod_; }
  void SetTileMethod(TTileMethod m);
  TColor Color() const { return color_; }
  void SetColor(TColor c);

  void Paint(Canvas& canvas) override;

private:
  void ImageChanged(const TDIBImageList& list, int index) override;
  void ImageListGone(const TDIBImageList& list) override;
  TDIBImageList* list_ = nullptr;
  int index_ = -1;
  TTileMethod tileMethod_ = TTileMethod::tmTile;
  TColor color_ = clBtnFace;
};
