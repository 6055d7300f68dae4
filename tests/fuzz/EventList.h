// An event list as a careless or hostile host builds it: any declared count,
// negative or beyond what it really holds, null entries, foreign types and
// garbage sizes. Every pointer slot the declared count covers is allocated,
// so whatever the plug-in reads inside that count is memory the list owns.
#pragma once

#include <memory>
#include <vector>

#include "frame/DAEffectX.h"
#include "tests/fuzz/FuzzInput.h"

class EventList {
public:
  explicit EventList(FuzzInput& in);
  EventList(const EventList&) = delete;
  EventList& operator=(const EventList&) = delete;

  VstEvents* get() { return list_; }

private:
  std::unique_ptr<void*[]> storage_;
  std::vector<VstEvent> events_;
  VstEvents* list_;
};
