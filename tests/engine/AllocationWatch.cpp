#include "tests/engine/AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

thread_local bool watching = false;
std::atomic<int> allocationsWhileWatching{0};

}  // namespace

AllocationWatch::AllocationWatch() {
  allocationsWhileWatching = 0;
  watching = true;
}

AllocationWatch::~AllocationWatch() { watching = false; }

int AllocationWatch::total() { return allocationsWhileWatching.load(); }

// The replacements pair malloc with free; GCC cannot see that through the
// replaced operators and warns about a mismatch that is not there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (watching) ++allocationsWhileWatching;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// std::stable_sort takes its buffer through the non-throwing form: it must
// come from the same heap the replacements above give back to.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (watching) ++allocationsWhileWatching;
  return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop
