// A host for the benchmarks: answers the transport from `benchTime` and
// takes the events without looking at them.
#pragma once

#include "frame/DAEffectX.h"

inline VstTimeInfo benchTime{};

inline VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(&benchTime);
  if (opcode == audioMasterProcessEvents) return 1;
  return 0;
}
