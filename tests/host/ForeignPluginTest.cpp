// The substitute host is a real host: it also loads VST 2 plug-ins that were
// not written here (Debian's DPF plug-ins).
#include <gtest/gtest.h>

#include "host/VstHost.h"

#ifndef _WIN32
TEST(ForeignPlugin, KarsLoadsAndNamesItself) {
  VstHost host("/usr/lib/vst/Kars-vst.so");
  EXPECT_EQ(host.text(effGetEffectName), "Kars");
  EXPECT_EQ(host.effect()->uniqueID, fourCharCode('D', 'K', 'r', 's'));
  host.start(48000.0, 256);
  host.sendMidi({midiEvent(0x90, 60, 100)});
  host.processBlock(256);
  host.close();
}
#endif

TEST(ForeignPlugin, ALibraryWithoutAnEntryPointIsRefused) {
#ifdef _WIN32
  const char* library = "kernel32.dll";
#else
  const char* library = "libm.so.6";
#endif
  EXPECT_THROW(VstHost host(library), HostError);
  EXPECT_THROW(VstHost host("./no-such-plugin-here"), HostError);
}
