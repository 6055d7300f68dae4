// Rotation and scaling of finished control surfaces.
#pragma once

#include "skin/Surface.h"

// The image turned counter-clockwise by `angle` degrees and scaled by the
// percentages, in a surface just large enough to hold it; pixels that no
// source pixel covers have alpha 0. Nearest-neighbour sampling: skins are
// pixel art.
Surface TransformSurface(const Surface& src, int angle, double scaleX, double scaleY);
