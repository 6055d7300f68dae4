#include "platform/linux/XdndDrag.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "platform/linux/XErrorTrap.h"

namespace {

constexpr int kOurVersion = 5;
constexpr int kOldestVersion = 3;
constexpr int kTickMs = 15;
// A target that never finishes must not keep the editor in the drag.
constexpr auto kFinishWait = std::chrono::seconds(5);
constexpr auto kStatusWait = std::chrono::seconds(1);

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

XdndDrag::XdndDrag(Display* display, Window source, std::string uriList)
    : display_(display), source_(source), uriList_(std::move(uriList)) {
  static const char* names[kAtomCount] = {
      "XdndAware", "XdndSelection", "XdndEnter",          "XdndPosition",
      "XdndStatus", "XdndLeave",    "XdndDrop",           "XdndFinished",
      "XdndActionCopy", "text/uri-list", "TARGETS"};
  XInternAtoms(display_, const_cast<char**>(names), kAtomCount, False, atoms_);
}

XdndDrag::End XdndDrag::Run(unsigned button, const std::function<void()>& tick,
                            const std::function<void(XEvent&)>& other) {
  // Targets may vanish between our look and our message.
  XErrorTrap trap(display_);
  End end;
  const long mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  XSetSelectionOwner(display_, atoms_[kSelection], source_, CurrentTime);
  XGrabPointer(display_, source_, False, static_cast<unsigned>(mask), GrabModeAsync,
               GrabModeAsync, None, None, CurrentTime);
  XGrabKeyboard(display_, source_, False, GrabModeAsync, GrabModeAsync, CurrentTime);

  bool escaped = false;
  for (;;) {
    XEvent e;
    NextEvent(e, tick, -1);
    if (e.type == MotionNotify && !escaped) {
      Track(e.xmotion.x_root, e.xmotion.y_root, e.xmotion.time);
    } else if (e.type == ButtonRelease && e.xbutton.button == button) {
      time_ = e.xbutton.time;
      Window child;
      XTranslateCoordinates(display_, DefaultRootWindow(display_), source_, e.xbutton.x_root,
                            e.xbutton.y_root, &end.releaseAt.X, &end.releaseAt.Y, &child);
      break;
    } else if (e.type == KeyPress && XLookupKeysym(&e.xkey, 0) == XK_Escape && !escaped) {
      // The drag is over, but the button is still down: its release stays ours.
      if (target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
      target_ = 0;
      escaped = true;
    } else if (e.type == ClientMessage && e.xclient.message_type == atoms_[kStatus]) {
      if (static_cast<Window>(e.xclient.data.l[0]) == target_) {
        awaitingStatus_ = false;
        accepted_ = (e.xclient.data.l[1] & 1) != 0;
        if (positionOwed_) SendPosition();
      }
    } else if (e.type == SelectionRequest) {
      Serve(e.xselectionrequest);
    } else {
      other(e);
    }
  }

  // The answer to the last position decides whether the target takes the drop.
  const auto statusBy = std::chrono::steady_clock::now() + kStatusWait;
  while (target_ && awaitingStatus_ && std::chrono::steady_clock::now() < statusBy) {
    XEvent e;
    if (!NextEvent(e, tick, kTickMs)) continue;
    if (e.type == ClientMessage && e.xclient.message_type == atoms_[kStatus] &&
        static_cast<Window>(e.xclient.data.l[0]) == target_) {
      awaitingStatus_ = false;
      accepted_ = (e.xclient.data.l[1] & 1) != 0;
    } else if (e.type == SelectionRequest) {
      Serve(e.xselectionrequest);
    } else if (e.type != ClientMessage) {
      other(e);
    }
  }
  if (target_ && accepted_ && !awaitingStatus_) {
    Send(target_, atoms_[kDrop], 0, static_cast<long>(time_), 0, 0);
    const auto until = std::chrono::steady_clock::now() + kFinishWait;
    while (std::chrono::steady_clock::now() < until) {
      XEvent e;
      if (!NextEvent(e, tick, kTickMs)) continue;
      if (e.type == SelectionRequest) {
        Serve(e.xselectionrequest);
      } else if (e.type == ClientMessage && e.xclient.message_type == atoms_[kFinished] &&
                 static_cast<Window>(e.xclient.data.l[0]) == target_) {
        // Before version 5 a finish carried no verdict: it means the drop was taken.
        end.dropped = version_ < 5 || (e.xclient.data.l[1] & 1) != 0;
        break;
      } else if (e.type != ClientMessage) {
        other(e);
      }
    }
  } else if (target_) {
    Send(target_, atoms_[kLeave], 0, 0, 0, 0);
  }
  XUngrabKeyboard(display_, CurrentTime);
  XUngrabPointer(display_, CurrentTime);
  XSetSelectionOwner(display_, atoms_[kSelection], None, CurrentTime);
  XFlush(display_);
  return end;
}

bool XdndDrag::NextEvent(XEvent& e, const std::function<void()>& tick, int timeoutMs) {
  const auto start = std::chrono::steady_clock::now();
  while (XPending(display_) == 0) {
    tick();
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() - start >=
                              std::chrono::milliseconds(timeoutMs))
      return false;
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, kTickMs);
  }
  XNextEvent(display_, &e);
  return true;
}

void XdndDrag::Track(int rootX, int rootY, Time time) {
  rootX_ = rootX;
  rootY_ = rootY;
  time_ = time;
  int version = 0;
  const Window under = AwareWindowAt(rootX, rootY, version);
  if (under != target_) {
    if (target_) Send(target_, atoms_[kLeave], 0, 0, 0, 0);
    target_ = under;
    version_ = std::min(version, kOurVersion);
    accepted_ = false;
    awaitingStatus_ = false;
    if (target_)
      Send(target_, atoms_[kEnter], static_cast<long>(version_) << 24,
           static_cast<long>(atoms_[kUriList]), 0, 0);
  }
  if (target_) SendPosition();
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

void XdndDrag::SendPosition() {
  if (awaitingStatus_) {
    // One position at a time: the next goes out with the target's answer.
    positionOwed_ = true;
    return;
  }
  Send(target_, atoms_[kPosition], 0, (static_cast<long>(rootX_) << 16) | (rootY_ & 0xFFFF),
       static_cast<long>(time_), static_cast<long>(atoms_[kActionCopy]));
  awaitingStatus_ = true;
  positionOwed_ = false;
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
  if (request.selection == atoms_[kSelection]) {
    if (request.target == atoms_[kUriList]) {
      XChangeProperty(display_, request.requestor, property, atoms_[kUriList], 8,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(uriList_.data()),
                      static_cast<int>(uriList_.size()));
      reply.xselection.property = property;
    } else if (request.target == atoms_[kTargets]) {
      const Atom offered[] = {atoms_[kTargets], atoms_[kUriList]};
      XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 2);
      reply.xselection.property = property;
    }
  }
  XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
  XFlush(display_);
}
