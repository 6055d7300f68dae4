// Writes a picture as an 8-bit RGB PNG. The image data goes into stored
// (uncompressed) deflate blocks: a screenshot is written once and read by
// tools, so size matters less than needing no compression library on any
// of the host's targets.
#pragma once

#include <string>

#include "host/Picture.h"

// Throws std::runtime_error when the file cannot be written.
void writePng(const std::string& path, const Picture& picture);
