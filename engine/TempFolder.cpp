#include "engine/TempFolder.h"

#ifdef _WIN32
#include <windows.h>

std::string tempFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return std::string(buffer, length);
}
#else
#include <cstdlib>

std::string tempFolder() {
  const char* fromEnvironment = std::getenv("TMPDIR");
  std::string folder = fromEnvironment && *fromEnvironment ? fromEnvironment : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}
#endif
