#include "host/standalone/ProgramLocation.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::filesystem::path programPath() {
#ifdef _WIN32
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
#else
  std::error_code ignored;
  return std::filesystem::read_symlink("/proc/self/exe", ignored);
#endif
}

}  // namespace

std::string pluginBesideProgram() {
#ifdef _WIN32
  constexpr const char* kLibrary = "Quaverlin.dll";
#else
  constexpr const char* kLibrary = "Quaverlin.so";
#endif
  return (programPath().parent_path() / kLibrary).string();
}
