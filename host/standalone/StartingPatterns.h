// The patterns a standalone program starts from.
#pragma once

#include "host/standalone/PatternStore.h"
#include "host/standalone/StandaloneHost.h"

// Gives the plug-in the --chunk file's patterns, or the demo patterns when
// there is no such file, it cannot be read or the plug-in refuses it, and
// tells the user which.
void loadStartingPatterns(StandaloneHost& plugin, PatternStore& store);
