#include "engine/APluginProgram.h"

#include <cstring>

APluginProgram::APluginProgram() { setName("Init"); }

void APluginProgram::setName(const char* text) {
  std::size_t length = 0;
  while (length < kNameSize - 1 && text[length] != 0) ++length;
  std::memcpy(name_, text, length);
  name_[length] = 0;
}
