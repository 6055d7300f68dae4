// Note names of the row labels: a two-character pitch and an octave digit,
// "C 5" for MIDI note 60.
#pragma once

#include <array>
#include <string>
#include <string_view>

// Naturals end in a space so that every pitch name is two characters wide.
inline constexpr std::array<std::string_view, 12> noteNames = {
    "C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};

// "C 0" .. "B 9" for 0..119; "---" for any other number, which no label can show.
std::string NoteNumberToName(int number);
// The inverse, forgiving case and a missing space ("c5"); -1 for a text that
// names no note 0..119.
int NoteNameToNumber(std::string_view text);
