// Counts the allocations made on this thread through operator new while a
// watch lives: the test program replaces the global operators.
#pragma once

class AllocationWatch {
public:
  AllocationWatch();  // counts from zero
  ~AllocationWatch();
  AllocationWatch(const AllocationWatch&) = delete;
  AllocationWatch& operator=(const AllocationWatch&) = delete;

  // What the latest watch counted, while it lives or after.
  static int total();
};
