// The image files of images/, compiled into the library by embed.cmake.
#pragma once

#include <cstdint>
#include <span>

namespace embedded {
std::span<const std::uint8_t> background_jpg();
std::span<const std::uint8_t> velocity_ppm();
std::span<const std::uint8_t> note_shift_ppm();
std::span<const std::uint8_t> about_button_ppm();
std::span<const std::uint8_t> drag_and_drop_ppm();
std::span<const std::uint8_t> clear_buffer_ppm();
std::span<const std::uint8_t> selector_ppm();
std::span<const std::uint8_t> about_jpg();
}  // namespace embedded
