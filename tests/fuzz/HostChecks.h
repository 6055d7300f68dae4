// What every fuzzer demands of the plug-in after each step of a run, and the
// odd values a hostile host hands it. A broken demand aborts the run, which
// libFuzzer and the corpus replay both report as a failure.
#pragma once

#include "tests/engine/DirectHost.h"
#include "tests/fuzz/FuzzInput.h"

[[noreturn]] void fuzzFailure(const char* what);

// Plays one block of `frames` and requires every event the plug-in sent in
// it to be a valid MIDI message inside [0, frames), in non-decreasing order.
void playChecked(DirectHost& host, VstInt32 frames);

// A double a host might send, sane or not: NaN, infinities, zero, negative,
// tiny, huge, or any bit pattern.
double oddDouble(FuzzInput& in);

// A transport with any flags and odd values in every field the plug-in reads.
VstTimeInfo oddTransport(FuzzInput& in);
