#include "skin/DIBImageList.h"
#include "tests/widgets/FormFixture.h"
#include "widgets/cDIBImage.h"

namespace {

class DIBImageTest : public FormFixture {
protected:
  DIBImageTest() {
    Surface selector(8, 9, ToPixel(0x00FF00));
    selector.Set(0, 0, ToPixel(0xFF0000));
    list.Add(Surface(88, 21, ToPixel(0x0000FF)));
    list.Add(selector);
  }
  TDIBImageList list;
};

}  // namespace

TEST_F(DIBImageTest, DrawsItsImageAtTheTopLeft) {
  auto& img = form.Add<TDIBImage>("DIBImage1", 9, 242 - 200, 89, 22);
  img.SetIndexMain(&list, 0);
  Settle();
  EXPECT_EQ(At(9, 42), 0x0000FFu);
  EXPECT_EQ(At(96, 62), 0x0000FFu);
  EXPECT_EQ(At(97, 62), 0x000000u);  // the image is 88 wide, the control 89
}

TEST_F(DIBImageTest, CentresTheMarker) {
  auto& marker = form.Add<TDIBImage>("BankHighLight", 15, 30, 9, 17);
  marker.SetIndexMain(&list, 1);
  marker.SetCenter(true);
  Settle();
  // (9 div 2) - (8 div 2) = 0, (17 div 2) - (9 div 2) = 4.
  EXPECT_EQ(At(15, 34), 0xFF0000u);
  EXPECT_EQ(At(15, 33), 0x000000u);
  marker.SetTop(30 + 16 * 3);
  Settle();
  EXPECT_EQ(At(15, 34), 0x000000u);
  EXPECT_EQ(At(15, 34 + 48), 0xFF0000u);
}

TEST_F(DIBImageTest, StretchAndAutoSizeExcludeEachOther) {
  auto& img = form.Add<TDIBImage>("I", 0, 0, 30, 30);
  img.SetIndexMain(&list, 1);
  img.SetAutoSize(true);
  EXPECT_EQ(img.Width(), 8);
  EXPECT_EQ(img.Height(), 9);
  img.SetStretch(true);
  EXPECT_FALSE(img.AutoSize());
  img.SetAutoSize(true);
  EXPECT_FALSE(img.Stretch());
  img.SetStretch(true);
  img.SetScale(200);
  EXPECT_FALSE(img.Stretch());
}

TEST_F(DIBImageTest, StretchesToTheControl) {
  auto& img = form.Add<TDIBImage>("I", 0, 0, 16, 18);
  img.SetIndexMain(&list, 1);
  img.SetStretch(true);
  Settle();
  EXPECT_EQ(At(0, 0), 0xFF0000u);
  EXPECT_EQ(At(1, 1), 0xFF0000u);
  EXPECT_EQ(At(2, 2), 0x00FF00u);
  EXPECT_EQ(At(15, 17), 0x00FF00u);
}

TEST_F(DIBImageTest, TurnsAndFitsWithAngleAndAutoSize) {
  auto& img = form.Add<TDIBImage>("I", 0, 0, 30, 30);
  img.SetIndexMain(&list, 0);
  img.SetAutoSize(true);
  img.SetAngle(90);
  EXPECT_EQ(img.Width(), 21);
  EXPECT_EQ(img.Height(), 88);
}

TEST_F(DIBImageTest, RepaintsWhenItsImageChangesAndShowsNothingWithoutOne) {
  auto& img = form.Add<TDIBImage>("I", 0, 0, 8, 9);
  img.SetIndexMain(&list, 1);
  Settle();
  list.Replace(0, Surface(2, 2));
  EXPECT_FALSE(form.NeedsPaint());
  list.Replace(1, Surface(8, 9, ToPixel(0x777777)));
  Settle();
  EXPECT_EQ(At(3, 3), 0x777777u);
  img.SetIndexMain(&list, 9);
  Settle();
  EXPECT_EQ(At(3, 3), 0x000000u);
}

TEST_F(DIBImageTest, ReportsPressesAndReleasesAsAButton) {
  auto& img = form.Add<TDIBImage>("DIBImage5", 0, 0, 20, 20);
  int downs = 0, ups = 0;
  img.OnMouseDown = [&](TControl* s, TMouseButton b, TShiftState, int, int) {
    downs += s == &img && b == TMouseButton::mbLeft;
  };
  img.OnMouseUp = [&](TControl*, TMouseButton, TShiftState, int, int) { ++ups; };
  form.PointerDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_TRUE(img.ButtonHeld());
  form.PointerUp(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_FALSE(img.ButtonHeld());
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
}
