// The text face of the tests: every font name draws with DejaVu Sans from
// its file, through FreeType on Linux and through GDI on Windows.
#pragma once

#include "skin/TextRenderer.h"

TextRenderer& TestText();
