// A program: only a name; choosing one changes no pattern.
#pragma once

class APluginProgram {
public:
  static constexpr int kNameSize = 52;  // the terminating zero included

  APluginProgram();
  const char* name() const { return name_; }
  // Keeps what fits in the field, always terminated.
  void setName(const char* text);

private:
  char name_[kNameSize] = {};
};
