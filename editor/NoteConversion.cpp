#include "editor/NoteConversion.h"

std::string NoteNumberToName(int number) {
  if (number < 0 || number > 119) return "---";
  std::string name(noteNames[static_cast<std::size_t>(number % 12)]);
  name += static_cast<char>('0' + number / 12);
  return name;
}

int NoteNameToNumber(std::string_view text) {
  // A natural's label may lack its trailing space (the captions a new window
  // starts with do), so its caption and octave join to two characters: "C0".
  std::string name(text);
  if (name.size() == 2) name.insert(1, 1, ' ');
  if (name.size() != 3) return -1;
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

  int pitch = 0;
  while (pitch < 12 && noteNames[static_cast<std::size_t>(pitch)] != name.substr(0, 2)) ++pitch;
  if (pitch == 12) return -1;
  if (name[2] < '0' || name[2] > '9') return -1;
  return (name[2] - '0') * 12 + pitch;
}
