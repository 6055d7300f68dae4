// A message shown over the editor's own window, where Linux offers no
// message box a plug-in could own: a framed box in the middle of the
// window, drawn over whatever the editor presents until it is dismissed.
#pragma once

#include <string_view>

#include "skin/Scale.h"
#include "skin/Surface.h"
#include "skin/TextRenderer.h"

class MessageOverlay {
public:
  // The window's size in device pixels; the box, its lines and its text
  // are drawn at `scale`, as the editor around it.
  MessageOverlay(TextRenderer& text, std::string_view message, Scale scale, int windowWidth,
                 int windowHeight);

  // Where the box lies in the window.
  const TRect& Box() const { return box_; }
  // Lays the part of the box that falls inside `clip` over `target`.
  void DrawOver(Surface& target, const TRect& clip) const;

private:
  Surface image_;
  TRect box_;
};
