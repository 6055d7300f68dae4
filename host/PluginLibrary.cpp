#include "host/PluginLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
void* openLibrary(const std::string& path) { return LoadLibraryA(path.c_str()); }
void* findSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
std::string lastError() { return "error " + std::to_string(GetLastError()); }
#else
void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }
void closeLibrary(void* handle) { dlclose(handle); }
std::string lastError() {
  const char* message = dlerror();
  return message ? message : "unknown error";
}
#endif

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
  handle_ = openLibrary(path);
  if (!handle_) throw HostError("cannot load " + path + ": " + lastError());
  for (const char* name : {"VSTPluginMain", "main"}) {
    if (void* symbol = findSymbol(handle_, name)) {
      entry_ = reinterpret_cast<PluginEntryProc>(symbol);
      return;
    }
  }
  closeLibrary(handle_);
  throw HostError(path + " exports no VST 2 entry point");
}

PluginLibrary::~PluginLibrary() { closeLibrary(handle_); }
