// The editor window's colour table.
#pragma once

#include "skin/Color.h"

namespace editor_colors {
constexpr TColor panel = 0xB7BEB1;      // panels, grid backgrounds
constexpr TColor frame = 0xA8B0A0;      // window background, empty pattern and preset buttons
constexpr TColor label = 0x80A888;      // row headers, trigger switch, used pattern buttons
constexpr TColor cursor = 0x7D8972;     // the pattern cursor after a recall
constexpr TColor line = 0x646464;       // one-pixel frame lines
constexpr TColor ink = 0x64695F;        // captions, gauge bars
constexpr TColor gaugeBack = 0xC0C6BB;  // gauge backgrounds, empty note cells
constexpr TColor laneGauge = 0x9BA196;
constexpr TColor beatLine = 0xA5A9A0;
// The frame around the cells of the step being played: a colour found
// nowhere else in the grid, so it reads over set and empty cells alike.
constexpr TColor playingStep = 0xE8A33C;
// Pattern 21's button keeps a colour of its own when used.
constexpr TColor pattern21Used = 0x7C9EF8;
}  // namespace editor_colors
