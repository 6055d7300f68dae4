#include "frame/FloatingPoint.h"

void setDefaultFloatingPointControl() {
#if defined(__i386__)
  unsigned short controlWord = kDefaultFpuControlWord;
  __asm__ volatile("fldcw %0" : : "m"(controlWord));
#elif defined(__x86_64__)
  // Floating point runs on SSE here: mask all its exceptions.
  unsigned int csr = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(csr));
  csr |= 0x1F80u;
  __asm__ volatile("ldmxcsr %0" : : "m"(csr));
#endif
}
