#include "resources/Resources.h"

#include "resources/Embedded.h"
#include "resources/JpegDecoder.h"
#include "resources/Ppm.h"

Bitmap skinImage(int index) {
  switch (index) {
    case 0: return decodeJpeg(embedded::background_jpg());
    case 1: return decodePpm(embedded::velocity_ppm());
    case 2: return decodePpm(embedded::note_shift_ppm());
    case 3: return decodePpm(embedded::about_button_ppm());
    case 4: return decodePpm(embedded::drag_and_drop_ppm());
    case 5: return decodePpm(embedded::clear_buffer_ppm());
    case 6: return decodePpm(embedded::selector_ppm());
    default: return {};
  }
}

Bitmap aboutPicture() { return decodeJpeg(embedded::about_jpg()); }
