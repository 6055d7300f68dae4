#include "host/standalone/MidiPortChoice.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool isNumber(const std::string& text) {
  return !text.empty() && text.size() < 6 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::optional<std::size_t> chooseMidiPort(const std::vector<std::string>& ports, const std::string& wanted,
                                          std::string& error) {
  if (ports.empty()) {
    error = "this system has no MIDI output";
    return std::nullopt;
  }
  if (isNumber(wanted)) {
    const auto number = static_cast<std::size_t>(std::stoul(wanted));
    if (number < ports.size()) return number;
    error = "there is no MIDI output " + wanted + ": they are numbered 0 to " + std::to_string(ports.size() - 1);
    return std::nullopt;
  }
  const auto exact = std::find(ports.begin(), ports.end(), wanted);
  if (exact != ports.end()) return static_cast<std::size_t>(exact - ports.begin());
  std::vector<std::size_t> partial;
  for (std::size_t i = 0; i < ports.size(); ++i)
    if (lowered(ports[i]).find(lowered(wanted)) != std::string::npos) partial.push_back(i);
  if (partial.size() == 1) return partial.front();
  error = partial.empty() ? "no MIDI output is named like \"" + wanted + "\""
                          : "\"" + wanted + "\" names more than one MIDI output: give its number";
  error += " (--list shows them)";
  return std::nullopt;
}
