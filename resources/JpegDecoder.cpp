#include "resources/JpegDecoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// libjpeg-turbo writes BGRA bytes, which read back as 0xAARRGGBB only here.
static_assert(std::endian::native == std::endian::little);

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return;
// it jumps back to decodeInto instead of ending the host's process.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf failed;
};

[[noreturn]] void jumpOut(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->failed, 1);
}

void stayQuiet(j_common_ptr) {}

// Kept free of objects with destructors between setjmp and every longjmp:
// the jump skips no cleanup but jpeg_destroy_decompress.
bool decodeInto(std::span<const std::uint8_t> data, Bitmap& out) {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jumpOut;
  errors.base.output_message = stayQuiet;
  if (setjmp(errors.failed)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.bgra.resize(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    auto* row = reinterpret_cast<JSAMPLE*>(out.bgra.data() +
                                           std::size_t{cinfo.output_scanline} * cinfo.output_width);
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Bitmap decodeJpeg(std::span<const std::uint8_t> data) {
  Bitmap image;
  if (data.empty() || !decodeInto(data, image)) return {};
  return image;
}
