// The skin's image list. Images arrive in the form format: width and
// height as 16-bit little-endian numbers, then width x height BGRA pixels,
// rows from the bottom up.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "skin/Surface.h"

class TDIBImageList;

class ImageListObserver {
public:
  virtual void ImageChanged(const TDIBImageList& list, int index) = 0;
  // The list is being destroyed: forget it.
  virtual void ImageListGone(const TDIBImageList& list) = 0;

protected:
  ~ImageListObserver() = default;
};

struct FormImageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws FormImageError when the data is shorter than its header says.
Surface ReadFormImage(std::span<const std::uint8_t> data);

class TDIBImageList {
public:
  TDIBImageList() = default;
  TDIBImageList(const TDIBImageList&) = delete;
  TDIBImageList& operator=(const TDIBImageList&) = delete;
  ~TDIBImageList();

  // Where an image comes from: called the first time the image is asked
  // for, so an image that is never shown (the background under the
  // window's panels) costs neither the decoding nor its pixels.
  using Source = std::function<Surface()>;

  int Count() const { return static_cast<int>(images_.size()); }
  // Null for an index that names no image.
  const Surface* Image(int index) const;
  int Add(Surface image);
  int Add(Source source);
  // Replaces an image; the controls showing it repaint.
  void Replace(int index, Surface image);
  void Replace(int index, Source source);

  void Attach(ImageListObserver* o);
  void Detach(ImageListObserver* o);

private:
  struct Entry {
    Source source;
    mutable std::optional<Surface> image;  // once decoded
  };
  void Changed(int index) const;
  std::vector<Entry> images_;
  std::vector<ImageListObserver*> observers_;
};
