// Which of the offered scales (Scale::kOffered) a screen calls for, and
// how the user's choice reads and writes in the settings text ("scale=150"
// on a line of its own).
#pragma once

#include <optional>
#include <string>

// The offered scale nearest to a screen of `dpi` dots per inch, 96 being
// 100 %; a screen exactly between two takes the larger. 100 when the
// density is unknown (0 or less).
int ScaleForDpi(double dpi);

// The offered scale the text names; nothing when it names none, names one
// that is not offered, or is no settings text at all.
std::optional<int> ScaleInSettings(const std::string& text);

// `text` naming `percent` as the scale; every other line stays as it was.
std::string SettingsWithScale(const std::string& text, int percent);
