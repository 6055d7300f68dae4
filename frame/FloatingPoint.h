// The floating-point environment the plug-in runs in: faults give
// infinities and NaNs, never traps.
#pragma once

// The x87 control word: 64-bit precision, round to nearest, all six
// exception masks set.
constexpr unsigned short kDefaultFpuControlWord = 0x133F;

// Called once when the library is loaded, on the loading thread.
void setDefaultFloatingPointControl();
