#include "frame/FloatingPoint.h"

namespace {

// The SSE unit carries floating point on x86-64 and the engine's step
// arithmetic on 32-bit x86: mask all its exceptions.
void maskSseExceptions() {
  unsigned int csr = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(csr));
  csr |= 0x1F80u;
  __asm__ volatile("ldmxcsr %0" : : "m"(csr));
}

}  // namespace

void setDefaultFloatingPointControl() {
#if defined(__i386__)
  unsigned short controlWord = kDefaultFpuControlWord;
  __asm__ volatile("fldcw %0" : : "m"(controlWord));
  maskSseExceptions();
#elif defined(__x86_64__)
  maskSseExceptions();
#endif
}
