// The editor's images, embedded in the plug-in and decoded on request.
#pragma once

#include "resources/Bitmap.h"

// The skin's image list: 0 background, 1 Velocity, 2 Note Shift, 3 About,
// 4 DragandDrop, 5 ClearBuffer, 6 Selector.
constexpr int skinImageCount = 7;

// An empty bitmap for an index outside 0..skinImageCount - 1.
Bitmap skinImage(int index);
// The picture the About button shows in place of the note grid.
Bitmap aboutPicture();
