#pragma once

#include <cstdint>
#include <span>

#include "resources/Bitmap.h"

// Reads a binary PPM ("P6", 8-bit samples, no comments) as our image
// generator writes it; anything else gives an empty bitmap.
Bitmap decodePpm(std::span<const std::uint8_t> data);
