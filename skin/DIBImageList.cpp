#include "skin/DIBImageList.h"

#include <algorithm>

Surface ReadFormImage(std::span<const std::uint8_t> data) {
  if (data.size() < 4) throw FormImageError("image header is cut short");
  const int w = data[0] | (data[1] << 8);
  const int h = data[2] | (data[3] << 8);
  if (data.size() < 4 + static_cast<std::size_t>(w) * h * 4)
    throw FormImageError("image pixels are cut short");
  Surface s(w, h);
  const std::uint8_t* p = data.data() + 4;
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x, p += 4)
      s.Set(x, y, static_cast<Pixel>(p[0] | (p[1] << 8) | (p[2] << 16)) |
                      (static_cast<Pixel>(p[3]) << 24));
  return s;
}

TDIBImageList::~TDIBImageList() {
  // Observers detach while we tell them.
  for (ImageListObserver* o : std::vector<ImageListObserver*>(observers_)) o->ImageListGone(*this);
}

const Surface* TDIBImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const Entry& entry = images_[static_cast<std::size_t>(index)];
  if (!entry.image) entry.image = entry.source ? entry.source() : Surface();
  return &*entry.image;
}

int TDIBImageList::Add(Surface image) {
  images_.push_back({nullptr, std::move(image)});
  return Count() - 1;
}

int TDIBImageList::Add(Source source) {
  images_.push_back({std::move(source), std::nullopt});
  return Count() - 1;
}

void TDIBImageList::Replace(int index, Surface image) {
  if (index < 0 || index >= Count()) return;
  images_[static_cast<std::size_t>(index)] = {nullptr, std::move(image)};
  Changed(index);
}

void TDIBImageList::Replace(int index, Source source) {
  if (index < 0 || index >= Count()) return;
  images_[static_cast<std::size_t>(index)] = {std::move(source), std::nullopt};
  Changed(index);
}

void TDIBImageList::Changed(int index) const {
  for (ImageListObserver* o : observers_) o->ImageChanged(*this, index);
}

void TDIBImageList::Attach(ImageListObserver* o) {
  if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
    observers_.push_back(o);
}

void TDIBImageList::Detach(ImageListObserver* o) { std::erase(observers_, o); }
