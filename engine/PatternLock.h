// The one exclusion of the plug-in. The audio thread (the step clock), the
// host's MIDI delivery and the editor all work on the same pattern memory;
// every one of them holds this lock for its whole piece of work: one block of
// the step clock, one accessor call, one pattern copy, one chunk load or save.
//
// A spin lock, because the sections are short and the audio thread must not
// sleep. The host's real-time entries take it with lockRealtime(): while one
// of them waits, nobody else may take the lock, so it waits for at most the
// one section already running. Everyone else takes it with lock(), which
// gives way to waiting real-time callers and yields its time slice while it
// waits.
#pragma once

#include <atomic>

class PatternLock {
public:
  void lockRealtime() noexcept;
  void lock() noexcept;
  void unlock() noexcept;

private:
  std::atomic<bool> held_{false};
  std::atomic<int> realtimeWaiting_{0};
};

class RealtimeSection {
public:
  explicit RealtimeSection(PatternLock& lock) noexcept : lock_(lock) { lock_.lockRealtime(); }
  ~RealtimeSection() { lock_.unlock(); }
  RealtimeSection(const RealtimeSection&) = delete;
  RealtimeSection& operator=(const RealtimeSection&) = delete;

private:
  PatternLock& lock_;
};
