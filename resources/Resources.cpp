#include "resources/Resources.h"

#include "resources/Embedded.h"
#include "resources/JpegDecoder.h"
#include "resources/Ppm.h"

namespace {

using Data = std::span<const std::uint8_t> (*)();

// The embedded files of one scale, the skin's images in list order, then
// the about picture.
struct ImageSet {
  Data skin[skinImageCount];
  Data about;
};

const ImageSet& SetFor(int percent) {
  using namespace embedded;
  static const ImageSet at100{{background_jpg, velocity_ppm, note_shift_ppm, about_button_ppm,
                               drag_and_drop_ppm, clear_buffer_ppm, selector_ppm},
                              about_jpg};
  static const ImageSet at150{{background_150_jpg, velocity_150_ppm, note_shift_150_ppm,
                               about_button_150_ppm, drag_and_drop_150_ppm, clear_buffer_150_ppm,
                               selector_150_ppm},
                              about_150_jpg};
  static const ImageSet at200{{background_200_jpg, velocity_200_ppm, note_shift_200_ppm,
                               about_button_200_ppm, drag_and_drop_200_ppm, clear_buffer_200_ppm,
                               selector_200_ppm},
                              about_200_jpg};
  return percent == 200 ? at200 : percent == 150 ? at150 : at100;
}

}  // namespace

Bitmap skinImage(int index, int percent) {
  if (index < 0 || index >= skinImageCount) return {};
  const std::span<const std::uint8_t> data = SetFor(percent).skin[index]();
  // The background is the only photograph-like image, kept as JPEG.
  return index == 0 ? decodeJpeg(data) : decodePpm(data);
}

Bitmap aboutPicture(int percent) { return decodeJpeg(SetFor(percent).about()); }
