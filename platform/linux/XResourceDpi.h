// The font DPI a desktop publishes in the X resource database (Xft.dpi).
#pragma once

#include <optional>

// What `resources` (the text of the root window's RESOURCE_MANAGER, as
// xrdb writes it) sets Xft.dpi to, wildcards included; nothing when it
// sets no positive number.
std::optional<double> XftDpiIn(const char* resources);
