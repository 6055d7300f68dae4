#include "platform/linux/XdndDrag.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int kOurVersion = 5;
constexpr int kOldestVersion = 3;
constexpr unsigned kGrabMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '_' || c == '.' || c == '~' || c == '/';
}

}  // namespace

std::string FileUri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (Unreserved(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

XdndDrag::XdndDrag(Display* display, Window source, std::string uriList, unsigned button)
    : display_(display), source_(source), uriList_(std::move(uriList)), button_(button) {
  static const char* names[kAtomCount] = {
      "XdndAware", "XdndSelection", "XdndEnter",          "XdndPosition",
      "XdndStatus", "XdndLeave",    "XdndDrop",           "XdndFinished",
      "XdndActionCopy", "text/uri-list", "TARGETS"};
  XInternAtoms(display_, const_cast<char**>(names), kAtomCount, False, atoms_);
  // The cursor font's hand is the classic drag pointer, its circle the
  // "no drop here"; cursor themes show their own versions of both.
  copyCursor_ = XCreateFontCursor(display_, XC_hand2);
  noDropCursor_ = XCreateFontCursor(display_, XC_circle);
}

XdndDrag::~XdndDrag() {
  if (state_ != State::Done && target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
  Ungrab();
  if (XGetSelectionOwner(display_, atoms_[kSelection]) == source_)
    XSetSelectionOwner(display_, atoms_[kSelection], None, CurrentTime);
  XFreeCursor(display_, copyCursor_);
  XFreeCursor(display_, noDropCursor_);
  XFlush(display_);
}

bool XdndDrag::Start(Time time) {
  time_ = time;
  XSetSelectionOwner(display_, atoms_[kSelection], source_, time);
  grabbed_ = XGrabPointer(display_, source_, False, kGrabMask, GrabModeAsync, GrabModeAsync,
                          None, noDropCursor_, time) == GrabSuccess;
  if (!grabbed_) {
    Finish(false);
    return false;
  }
  XGrabKeyboard(display_, source_, False, GrabModeAsync, GrabModeAsync, time);
  XFlush(display_);
  return true;
}

bool XdndDrag::Handle(const XEvent& e, Clock::time_point now) {
  if (e.type == SelectionRequest && e.xselectionrequest.selection == atoms_[kSelection]) {
    Serve(e.xselectionrequest);
    return true;
  }
  if (e.type == ClientMessage && (e.xclient.message_type == atoms_[kStatus] ||
                                  e.xclient.message_type == atoms_[kFinished])) {
    if (static_cast<Window>(e.xclient.data.l[0]) != target_ || !target_) return true;
    if (e.xclient.message_type == atoms_[kStatus]) {
      Answered(e.xclient, now);
    } else if (state_ == State::AwaitingFinish) {
      // Before version 5 a finish carried no verdict: it means the drop was taken.
      Finish(version_ < 5 || (e.xclient.data.l[1] & 1) != 0);
    }
    return true;
  }
  if (!grabbed_) return false;
  // While the pointer and keyboard are ours, everything they do is the drag's.
  switch (e.type) {
    case MotionNotify:
      // Looking for the window under the pointer takes round trips: once
      // per idle call is enough.
      rootX_ = e.xmotion.x_root;
      rootY_ = e.xmotion.y_root;
      time_ = e.xmotion.time;
      moved_ = true;
      return true;
    case ButtonRelease:
      if (e.xbutton.button == button_) Released(e.xbutton.time, now);
      return true;
    case ButtonPress:
    case KeyRelease: return true;
    case KeyPress: {
      XKeyEvent key = e.xkey;
      if (state_ == State::Dragging && XLookupKeysym(&key, 0) == XK_Escape) {
        // The drag is over, but the button is still down: its release stays ours.
        if (target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
        target_ = 0;
        accepted_ = false;
        state_ = State::Escaped;
        ShowCursor();
      }
      return true;
    }
    default: return false;
  }
}

void XdndDrag::Tick(Clock::time_point now) {
  if (state_ == State::Dragging && moved_) Track(now);
  if (now < deadline_) return;
  switch (state_) {
    case State::Dragging:
      if (awaitingStatus_) {
        // The target stopped answering: it takes nothing until it speaks again.
        awaitingStatus_ = false;
        accepted_ = false;
        ShowCursor();
        if (positionOwed_) SendPosition(now);
      }
      break;
    case State::AwaitingStatus:
      awaitingStatus_ = false;
      accepted_ = false;
      Conclude(now);
      break;
    case State::AwaitingFinish: Finish(false); break;
    case State::Escaped:
    case State::Done: break;
  }
}

void XdndDrag::Track(Clock::time_point now) {
  moved_ = false;
  int version = 0;
  const Window under = AwareWindowAt(rootX_, rootY_, version);
  if (under != target_) {
    if (target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
    target_ = under;
    version_ = std::min(version, kOurVersion);
    accepted_ = false;
    awaitingStatus_ = false;
    positionOwed_ = false;
    ShowCursor();
    if (target_)
      Send(target_, atoms_[kEnter], static_cast<long>(version_) << 24,
           static_cast<long>(atoms_[kUriList]), 0, 0);
  }
  if (target_) SendPosition(now);
}

void XdndDrag::Released(Time time, Clock::time_point now) {
  // The target hears where the pointer was let go before it is asked to take the drop.
  if (state_ == State::Dragging && moved_) Track(now);
  time_ = time;
  Ungrab();
  if (state_ == State::Dragging && target_ && awaitingStatus_) {
    // The answer to the last position decides whether the target takes the drop.
    state_ = State::AwaitingStatus;
    deadline_ = now + kStatusWait;
    return;
  }
  Conclude(now);
}

void XdndDrag::Answered(const XClientMessageEvent& e, Clock::time_point now) {
  awaitingStatus_ = false;
  accepted_ = (e.data.l[1] & 1) != 0;
  if (state_ == State::AwaitingStatus) {
    Conclude(now);
    return;
  }
  if (state_ != State::Dragging) return;
  ShowCursor();
  if (positionOwed_) SendPosition(now);
}

void XdndDrag::Conclude(Clock::time_point now) {
  if (state_ != State::Escaped && target_ && accepted_) {
    Send(target_, atoms_[kDrop], 0, static_cast<long>(time_), 0, 0);
    state_ = State::AwaitingFinish;
    deadline_ = now + kFinishWait;
    return;
  }
  if (target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
  Finish(false);
}

void XdndDrag::Finish(bool dropped) {
  dropped_ = dropped;
  state_ = State::Done;
  target_ = 0;
  Ungrab();
  XSetSelectionOwner(display_, atoms_[kSelection], None, CurrentTime);
  XFlush(display_);
}

void XdndDrag::Ungrab() {
  if (!grabbed_) return;
  XUngrabKeyboard(display_, CurrentTime);
  XUngrabPointer(display_, CurrentTime);
  grabbed_ = false;
  XFlush(display_);
}

void XdndDrag::ShowCursor() {
  if (!grabbed_) return;
  XChangeActivePointerGrab(display_, kGrabMask, accepted_ ? copyCursor_ : noDropCursor_,
                           CurrentTime);
}

Window XdndDrag::AwareWindowAt(int rootX, int rootY, int& version) {
  const Window root = DefaultRootWindow(display_);
  Window w = root;
  // The first window on the way down from the root that speaks XDND.
  for (int depth = 0; depth < 64; ++depth) {
    int x, y;
    Window child = None;
    if (!XTranslateCoordinates(display_, root, w, rootX, rootY, &x, &y, &child)) return 0;
    if (w != root && w != source_) {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display_, w, atoms_[kAware], 0, 1, False, XA_ATOM, &type, &format,
                             &count, &after, &data) == Success &&
          data) {
        const long v = count == 1 ? static_cast<long>(*reinterpret_cast<Atom*>(data)) : 0;
        XFree(data);
        if (v >= kOldestVersion) {
          version = static_cast<int>(v);
          return w;
        }
      }
    }
    if (child == None) return 0;
    w = child;
  }
  return 0;
}

void XdndDrag::SendPosition(Clock::time_point now) {
  if (awaitingStatus_) {
    // One position at a time: the next goes out with the target's answer.
    positionOwed_ = true;
    return;
  }
  Send(target_, atoms_[kPosition], 0, (static_cast<long>(rootX_) << 16) | (rootY_ & 0xFFFF),
       static_cast<long>(time_), static_cast<long>(atoms_[kActionCopy]));
  awaitingStatus_ = true;
  positionOwed_ = false;
  deadline_ = now + kStatusWait;
}

void XdndDrag::Send(Window to, Atom type, long l1, long l2, long l3, long l4) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.display = display_;
  e.xclient.window = to;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(source_);
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[2] = l2;
  e.xclient.data.l[3] = l3;
  e.xclient.data.l[4] = l4;
  XSendEvent(display_, to, False, NoEventMask, &e);
  XFlush(display_);
}

void XdndDrag::Serve(const XSelectionRequestEvent& request) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = request.display;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;
  const Atom property = request.property != None ? request.property : request.target;
  if (request.target == atoms_[kUriList]) {
    XChangeProperty(display_, request.requestor, property, atoms_[kUriList], 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(uriList_.data()),
                    static_cast<int>(uriList_.size()));
    reply.xselection.property = property;
  } else if (request.target == atoms_[kTargets]) {
    const Atom offered[] = {atoms_[kTargets], atoms_[kUriList]};
    XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 2);
    reply.xselection.property = property;
  }
  XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
  XFlush(display_);
}
