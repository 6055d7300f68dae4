// A file drag out of an X window by the XDND protocol (version 5, talking
// down to 3): the window offers text/uri-list to whatever XDND-aware window
// lies under the pointer, drops when the held button is released over one
// that accepted, and cancels on a release anywhere else or on Escape.
//
// The drag never waits: it is a state machine that the source window feeds
// with the events of its connection and with the time, from the host's
// idle calls, so a host whose own windows are the drop target can answer
// between them. A target that stops answering is given up after a while.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <string_view>

// The file:// URI of an absolute path, with everything outside the
// unreserved characters and "/" percent-encoded.
std::string FileUri(std::string_view path);

class XdndDrag {
public:
  using Clock = std::chrono::steady_clock;
  // How long a target may keep us waiting for its answer to a position,
  // and for the end of a drop.
  static constexpr auto kStatusWait = std::chrono::seconds(1);
  static constexpr auto kFinishWait = std::chrono::seconds(5);

  XdndDrag(Display* display, Window source, std::string uriList, unsigned button);
  // Gives up the pointer, and the drop target, if the drag is still on.
  ~XdndDrag();
  XdndDrag(const XdndDrag&) = delete;
  XdndDrag& operator=(const XdndDrag&) = delete;

  // Takes the pointer and the keyboard for the drag; false when another
  // client holds them (the drag is then over, cancelled).
  bool Start(Time time);
  // Takes the event if it belongs to the drag: the pointer and keys while
  // it runs, the target's messages, requests for the data.
  bool Handle(const XEvent& e, Clock::time_point now);
  // Tells the target under the pointer where the pointer came to (once for
  // all the motion handled since the last call), and gives up on a target
  // that has not answered in time.
  void Tick(Clock::time_point now);

  bool Finished() const { return state_ == State::Done; }
  // A target took the drop and said it was done.
  bool Dropped() const { return dropped_; }

private:
  enum class State { Dragging, Escaped, AwaitingStatus, AwaitingFinish, Done };
  enum Atom_ {
    kAware, kSelection, kEnter, kPosition, kStatus, kLeave, kDrop, kFinished, kActionCopy,
    kUriList, kTargets, kAtomCount
  };
  void Track(Clock::time_point now);
  void Released(Time time, Clock::time_point now);
  void Answered(const XClientMessageEvent& e, Clock::time_point now);
  // The button is up and the target's last word is in: drop or leave.
  void Conclude(Clock::time_point now);
  void Finish(bool dropped);
  void Ungrab();
  void ShowCursor();
  Window AwareWindowAt(int rootX, int rootY, int& version);
  void SendPosition(Clock::time_point now);
  void Send(Window to, Atom type, long l1, long l2, long l3, long l4);
  void Serve(const XSelectionRequestEvent& request);

  Display* display_;
  Window source_;
  std::string uriList_;
  unsigned button_;
  Atom atoms_[kAtomCount];
  Cursor copyCursor_, noDropCursor_;
  State state_ = State::Dragging;
  bool grabbed_ = false;
  bool dropped_ = false;
  Window target_ = 0;
  int version_ = 0;
  bool accepted_ = false;
  bool awaitingStatus_ = false;
  bool positionOwed_ = false;
  bool moved_ = false;  // the pointer moved since the target was last told
  Clock::time_point deadline_;
  int rootX_ = 0, rootY_ = 0;
  Time time_ = CurrentTime;
};
