// How densely the screen that shows the editor packs its pixels.
#pragma once

// Dots per inch of the screen the window `parent` lies on (an X11 Window id
// on Linux, an HWND on Windows), as the desktop states it: on X11 the
// resource Xft.dpi, else the screen's pixels against its millimetres; on
// Windows the window's DPI. 0 when nothing answers.
double ScreenDpi(void* parent);
