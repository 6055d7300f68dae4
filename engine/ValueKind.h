// What a setPatternValue / getPatternValue call addresses.
#pragma once

#include "frame/DAEffect.h"

enum ValueKind : VstInt32 {
  StepState = 0,           // step, row
  RowNote = 1,             // row
  StepVelocity = 2,        // step, row
  RowChannel = 3,          // row
  StepShift = 4,           // step, row; all 16 bits, signed
  PatternStoreRecall = 5,  // step 0 recalls, step 1 stores pattern `value`
  PatternUsed = 6,         // step is a stored pattern's index
  PatternClear = 7,
  MidiFileExport = 8,
  DefaultVelocity = 9,
  StepMode = 10,           // step, row
  TriggerBypass = 11,      // written to all 26 slots, read from the current one
};
