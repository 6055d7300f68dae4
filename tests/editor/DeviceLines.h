// The device pixels of the editor's frame lines at a scale: each free line
// where it paints, each outlined box's four sides, one line thick, inside
// the box's device edges.
#pragma once

#include <vector>

#include "editor/PluginEditorWindow.h"
#include "editor/Shape.h"

inline std::vector<TRect> DeviceLinesOf(const TPluginEditorWindow& w, const Scale& scale) {
  std::vector<TRect> lines;
  for (int i = 0; i < w.BG->ControlCount(); ++i) {
    const auto* shape = dynamic_cast<const TShape*>(&w.BG->Controls(i));
    if (!shape || !shape->Outlined()) continue;
    const TRect d = shape->DeviceArea(scale, shape->FormOrigin());
    if (shape->IsLine()) {
      lines.push_back(d);
      continue;
    }
    const int t = scale.Length(1);
    for (const TRect& side : {TRect{d.Left, d.Top, d.Right, d.Top + t},
                              TRect{d.Left, d.Bottom - t, d.Right, d.Bottom},
                              TRect{d.Left, d.Top, d.Left + t, d.Bottom},
                              TRect{d.Right - t, d.Top, d.Right, d.Bottom}})
      lines.push_back(side);
  }
  return lines;
}
