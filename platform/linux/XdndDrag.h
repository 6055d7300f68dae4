// A file drag out of an X window by the XDND protocol (version 5, talking
// down to 3): the window offers text/uri-list to whatever XDND-aware window
// lies under the pointer, drops when the held button is released over one
// that accepted, and cancels on a release anywhere else or on Escape.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <string_view>

#include "skin/Geometry.h"

// The file:// URI of an absolute path, with everything outside the
// unreserved characters and "/" percent-encoded.
std::string FileUri(std::string_view path);

class XdndDrag {
public:
  struct End {
    bool dropped = false;  // a target took the drop and said it was done
    TPoint releaseAt;      // in the source window
  };

  XdndDrag(Display* display, Window source, std::string uriList);
  // Runs the drag while `button` is held. `tick` runs whenever no event is
  // waiting (timers, painting); events that are not part of the drag go to
  // `other`.
  End Run(unsigned button, const std::function<void()>& tick,
          const std::function<void(XEvent&)>& other);

private:
  enum Atom_ {
    kAware, kSelection, kEnter, kPosition, kStatus, kLeave, kDrop, kFinished, kActionCopy,
    kUriList, kTargets, kAtomCount
  };
  void Track(int rootX, int rootY, Time time);
  Window AwareWindowAt(int rootX, int rootY, int& version);
  void SendPosition();
  void Send(Window to, Atom type, long l1, long l2, long l3, long l4);
  void Serve(const XSelectionRequestEvent& request);
  bool NextEvent(XEvent& e, const std::function<void()>& tick, int timeoutMs);

  Display* display_;
  Window source_;
  std::string uriList_;
  Atom atoms_[kAtomCount];
  Window target_ = 0;
  int version_ = 0;
  bool accepted_ = false;
  bool awaitingStatus_ = false;
  bool positionOwed_ = false;
  int rootX_ = 0, rootY_ = 0;
  Time time_ = CurrentTime;
};
