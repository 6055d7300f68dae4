// The image files of images/, compiled into the library by embed.cmake;
// the _150 and _200 ones are drawn for the editor at 150 % and 200 %.
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
std::span<const std::uint8_t> background_150_jpg();
std::span<const std::uint8_t> velocity_150_ppm();
std::span<const std::uint8_t> note_shift_150_ppm();
std::span<const std::uint8_t> about_button_150_ppm();
std::span<const std::uint8_t> drag_and_drop_150_ppm();
std::span<const std::uint8_t> clear_buffer_150_ppm();
std::span<const std::uint8_t> selector_150_ppm();
std::span<const std::uint8_t> about_150_jpg();
std::span<const std::uint8_t> background_200_jpg();
std::span<const std::uint8_t> velocity_200_ppm();
std::span<const std::uint8_t> note_shift_200_ppm();
std::span<const std::uint8_t> about_button_200_ppm();
std::span<const std::uint8_t> drag_and_drop_200_ppm();
std::span<const std::uint8_t> clear_buffer_200_ppm();
std::span<const std::uint8_t> selector_200_ppm();
std::span<const std::uint8_t> about_200_jpg();
}  // namespace embedded
