#pragma once

#include <cstdint>
#include <span>

#include "resources/Bitmap.h"

// Decodes a JPEG held in memory; data that does not decode gives an empty
// bitmap, and nothing is written to the console.
Bitmap decodeJpeg(std::span<const std::uint8_t> data);
