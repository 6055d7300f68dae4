// Where the standalone program finds the plug-in when it is not told.
#pragma once

#include <string>

// The plug-in library in the program's own folder (Quaverlin.so or
// Quaverlin.dll).
std::string pluginBesideProgram();
