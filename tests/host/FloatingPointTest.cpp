// Loading the plug-in makes floating-point faults quiet on the loading
// thread: a division by zero in the plug-in gives an infinity, not a trap.
#include <gtest/gtest.h>

#include "frame/FloatingPoint.h"
#include "host/PluginLibrary.h"

namespace {

#if defined(__i386__)
unsigned readControl() {
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}
void writeControl(unsigned value) {
  auto word = static_cast<unsigned short>(value);
  __asm__ volatile("fldcw %0" : : "m"(word));
}
constexpr unsigned kExceptionMasks = 0x3F;
#else
unsigned readControl() {
  unsigned csr = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(csr));
  return csr;
}
void writeControl(unsigned value) { __asm__ volatile("ldmxcsr %0" : : "m"(value)); }
constexpr unsigned kExceptionMasks = 0x1F80;
#endif

}  // namespace

TEST(FloatingPoint, LoadingTheLibraryMasksEveryException) {
  const unsigned saved = readControl();
  writeControl(saved & ~kExceptionMasks);  // as a host with trapping enabled
  {
    PluginLibrary library(QUAVERLIN_PLUGIN_PATH);
    const unsigned control = readControl();
    writeControl(saved);
    EXPECT_EQ(control & kExceptionMasks, kExceptionMasks);
#if defined(__i386__)
    EXPECT_EQ(control & 0x1F3F, kDefaultFpuControlWord & 0x1F3F);
#endif
  }
  writeControl(saved);
}
