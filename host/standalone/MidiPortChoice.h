// Which MIDI output the user meant by --out: a port's number in the list
// --list prints, its whole name, or a part of its name that no other port has.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The index into `ports`, or nothing with the reason in `error`.
std::optional<std::size_t> chooseMidiPort(const std::vector<std::string>& ports, const std::string& wanted,
                                          std::string& error);
