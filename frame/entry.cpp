// The library's only export, `main`, and its load-time set-up.
#include "frame/FloatingPoint.h"
#include "frame/PluginEntry.h"

#ifdef _WIN32
#include <windows.h>

// Exported as `main` by Quaverlin.def (a plain dllexport cannot name it so).
extern "C" AEffect* VSTPluginEntry(audioMasterCallback audioMaster) {
  return pluginMain(audioMaster);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) setDefaultFloatingPointControl();
  return TRUE;
}
#else
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginEntry(
    audioMasterCallback audioMaster) __asm__("main");

extern "C" AEffect* VSTPluginEntry(audioMasterCallback audioMaster) {
  return pluginMain(audioMaster);
}

__attribute__((constructor)) static void onLibraryLoad() { setDefaultFloatingPointControl(); }
#endif
