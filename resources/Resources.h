// The editor's images, embedded in the plug-in and decoded on request.
#pragma once

#include "resources/Bitmap.h"

// The skin's image list: 0 background, 1 Velocity, 2 Note Shift, 3 About,
// 4 DragandDrop, 5 ClearBuffer, 6 Selector.
constexpr int skinImageCount = 7;

// Each image is drawn for the editor at 100, 150 and 200 percent; any
// other percentage gets the 100 % image.
// An empty bitmap for an index outside 0..skinImageCount - 1.
Bitmap skinImage(int index, int percent = 100);
// The picture the About button shows in place of the note grid.
Bitmap aboutPicture(int percent = 100);
