#include <gtest/gtest.h>

#include <vector>

#include "skin/DIBImageList.h"

namespace {

std::vector<std::uint8_t> FormImage(int w, int h, const std::vector<std::uint32_t>& bgraBottomUp) {
  std::vector<std::uint8_t> d{static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8),
                              static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(h >> 8)};
  for (std::uint32_t p : bgraBottomUp)
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<std::uint8_t>(p >> (8 * i)));
  return d;
}

struct Recorder : ImageListObserver {
  std::vector<int> changed;
  const TDIBImageList* gone = nullptr;
  void ImageChanged(const TDIBImageList&, int index) override { changed.push_back(index); }
  void ImageListGone(const TDIBImageList& list) override { gone = &list; }
};

}  // namespace

TEST(FormImage, ReadsLittleEndianSizesAndBottomUpRows) {
  // Bottom row first: blue, green; then the top row: red, white.
  auto data = FormImage(2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF});
  Surface s = ReadFormImage(data);
  ASSERT_EQ(s.Width(), 2);
  ASSERT_EQ(s.Height(), 2);
  EXPECT_EQ(s.ColorAt(0, 0), 0xFF0000u);
  EXPECT_EQ(s.ColorAt(1, 0), 0xFFFFFFu);
  EXPECT_EQ(s.ColorAt(0, 1), 0x0000FFu);
  EXPECT_EQ(s.ColorAt(1, 1), 0x00FF00u);
}

TEST(FormImage, ReadsWidthsPastOneByte) {
  Surface s = ReadFormImage(FormImage(850, 1, std::vector<std::uint32_t>(850, 0xFF123456)));
  EXPECT_EQ(s.Width(), 850);
  EXPECT_EQ(s.ColorAt(849, 0), 0x123456u);
}

TEST(FormImage, RefusesDataShorterThanItsHeader) {
  auto data = FormImage(2, 2, {0, 0, 0});
  EXPECT_THROW(ReadFormImage(data), FormImageError);
  EXPECT_THROW(ReadFormImage(std::vector<std::uint8_t>{1, 0}), FormImageError);
}

TEST(DIBImageList, TellsObserversWhichImageChangedUntilTheyDetach) {
  TDIBImageList list;
  list.Add(Surface(1, 1));
  list.Add(Surface(1, 1));
  Recorder r;
  list.Attach(&r);
  list.Replace(1, Surface(2, 2));
  list.Replace(5, Surface(2, 2));  // no such image: nothing changes
  list.Detach(&r);
  list.Replace(0, Surface(2, 2));
  EXPECT_EQ(r.changed, std::vector<int>{1});
  EXPECT_EQ(list.Image(1)->Width(), 2);
  EXPECT_EQ(list.Image(7), nullptr);
}

TEST(DIBImageList, TellsObserversWhenItGoes) {
  Recorder r;
  const TDIBImageList* address;
  {
    TDIBImageList list;
    address = &list;
    list.Attach(&r);
  }
  EXPECT_EQ(r.gone, address);
}

// An image given by where it comes from is made the first time it is asked
// for, once; a replacement is made anew when next asked for.
TEST(DIBImageList, MakesAnImageFromItsSourceOnlyWhenFirstAskedFor) {
  TDIBImageList list;
  int made = 0;
  list.Add(TDIBImageList::Source([&made] {
    ++made;
    return Surface(3, 2);
  }));
  EXPECT_EQ(made, 0);
  ASSERT_NE(list.Image(0), nullptr);
  EXPECT_EQ(list.Image(0)->Width(), 3);
  EXPECT_EQ(made, 1);
  list.Replace(0, TDIBImageList::Source([&made] {
    ++made;
    return Surface(5, 5);
  }));
  EXPECT_EQ(made, 1);
  EXPECT_EQ(list.Image(0)->Width(), 5);
  EXPECT_EQ(made, 2);
}
