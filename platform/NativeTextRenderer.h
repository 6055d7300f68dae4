// The text face of the platform the plug-in runs on.
#pragma once

#include <memory>

#include "skin/TextRenderer.h"

std::unique_ptr<TextRenderer> CreateNativeTextRenderer();
