#include "editor/ScaleSettings.h"

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "skin/Scale.h"

namespace {

constexpr std::string_view kScaleKey = "scale";
constexpr double kDpiAtFullSize = 96.0;

std::string_view Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The value of a "key=value" line when its key is the scale's.
std::optional<std::string_view> ScaleValueOf(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != kScaleKey)
    return std::nullopt;
  return Trimmed(line.substr(equals + 1));
}

}  // namespace

int ScaleForDpi(double dpi) {
  if (!(dpi > 0)) return Scale::kOffered[0];
  const double wanted = dpi / kDpiAtFullSize * 100.0;
  int nearest = Scale::kOffered[0];
  for (int scale : Scale::kOffered)
    if (std::abs(scale - wanted) <= std::abs(nearest - wanted)) nearest = scale;
  return nearest;
}

std::optional<int> ScaleInSettings(const std::string& text) {
  std::optional<int> scale;
  for (std::string_view line : LinesOf(text)) {
    const auto value = ScaleValueOf(line);
    if (!value) continue;
    const std::string digits(*value);
    char* end = nullptr;
    const long percent = std::strtol(digits.c_str(), &end, 10);
    const bool whole = !digits.empty() && *end == '\0' && percent > 0 && percent < 1000;
    scale = whole && Scale::Offered(static_cast<int>(percent)) ? std::optional(static_cast<int>(percent))
                                                             : std::nullopt;
  }
  return scale;
}

std::string SettingsWithScale(const std::string& text, int percent) {
  const std::string line = std::string(kScaleKey) + "=" + std::to_string(percent);
  std::string result;
  bool placed = false;
  for (std::string_view old : LinesOf(text)) {
    if (ScaleValueOf(old)) {
      if (placed) continue;
      result += line;
      placed = true;
    } else {
      result += old;
    }
    result += '\n';
  }
  if (!placed) result += line + '\n';
  return result;
}
