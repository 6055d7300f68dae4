// What the entry point needs from the plug-in: one new instance per call.
#pragma once

#include "frame/DAudioEffect.h"

// Answers a new plug-in object for the host callback, or null.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

// The body of the exported `main`: asks the host for its version, creates
// the instance and answers its effect record, or null.
AEffect* pluginMain(audioMasterCallback audioMaster) noexcept;
