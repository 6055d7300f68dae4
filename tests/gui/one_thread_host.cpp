// A host as real ones are: one thread and one X connection own a top-level
// window that holds the plug-in's editor on the left and a drop zone on the
// right. The window speaks XDND, as toolkit windows do, and accepts
// text/uri-list only over the drop zone. The thread idles the editor every
// 33 ms and answers XDND in between, so a drag out of the editor that kept
// the thread inside effEditIdle could never reach the drop zone.
// Prints "ready", then what was dropped ("dropped <uri-list>") and how
// long the idle calls took; exits 0 when a drop arrived within SECONDS and
// no idle call took more than 50 ms.
//   one_thread_host PLUGIN SECONDS
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "XdndReply.h"

#include "host/PatternImage.h"
#include "host/VstHost.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kIdlePeriod = std::chrono::milliseconds(33);
constexpr double kLongestIdleMs = 50;
constexpr int kEditorWidth = 746, kEditorHeight = 321;
// The drop zone, in the host window.
constexpr int kZoneX = 800, kZoneY = 60, kZoneSize = 160;

struct Atoms {
  explicit Atoms(Display* d)
      : aware(XInternAtom(d, "XdndAware", False)),
        enter(XInternAtom(d, "XdndEnter", False)),
        position(XInternAtom(d, "XdndPosition", False)),
        status(XInternAtom(d, "XdndStatus", False)),
        leave(XInternAtom(d, "XdndLeave", False)),
        drop(XInternAtom(d, "XdndDrop", False)),
        finished(XInternAtom(d, "XdndFinished", False)),
        selection(XInternAtom(d, "XdndSelection", False)),
        copy(XInternAtom(d, "XdndActionCopy", False)),
        uriList(XInternAtom(d, "text/uri-list", False)),
        property(XInternAtom(d, "ONE_THREAD_HOST_DROP", False)) {}
  Atom aware, enter, position, status, leave, drop, finished, selection, copy, uriList, property;
};


}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: one_thread_host PLUGIN SECONDS\n");
    return 2;
  }
  const auto seconds = std::chrono::duration<double>(std::atof(argv[2]));
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 2;
  const Atoms atoms(d);
  const Window host = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, kZoneX + kZoneSize + 40,
                                          kEditorHeight, 0, 0, 0x202020);
  XCreateSimpleWindow(d, host, kZoneX, kZoneY, kZoneSize, kZoneSize, 0, 0, 0x3366CC);
  XMapSubwindows(d, host);
  XStoreName(d, host, "one thread host");
  const long version = 5;
  XChangeProperty(d, host, atoms.aware, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&version), 1);
  XSelectInput(d, host, StructureNotifyMask);
  XMapRaised(d, host);
  for (XEvent e;;) {
    XWindowEvent(d, host, StructureNotifyMask, &e);
    if (e.type == MapNotify) break;
  }

  VstHost plugin(argv[1]);
  plugin.start(44100, 512);
  // Something to export: the drag-out button ignores an empty pattern.
  PatternImage pattern;
  pattern.setCell(PatternImage::kCurrent, 0, 0);
  plugin.dispatch(effSetChunk, 0, static_cast<VstIntPtr>(pattern.bytes().size()),
                  pattern.bytes().data());
  if (plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host)) != 1) {
    std::fprintf(stderr, "the editor did not open\n");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);

  Window source = 0;
  std::string dropped;
  int idles = 0, positions = 0;
  double longestMs = 0, totalMs = 0;
  const auto start = Clock::now();
  auto nextIdle = start;
  // A few idle rounds after the drop let the drag source hear the end.
  auto until = start + std::chrono::duration_cast<Clock::duration>(seconds);
  while (Clock::now() < until) {
    if (Clock::now() >= nextIdle) {
      const auto before = Clock::now();
      plugin.dispatch(effEditIdle);
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
      longestMs = std::max(longestMs, ms);
      if (ms > 20) std::printf("idle %d took %.1f ms\n", idles, ms);
      ++idles;
      totalMs += ms;
      nextIdle += kIdlePeriod;
    }
    if (XPending(d) == 0) {
      const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextIdle - Clock::now());
      pollfd fd{ConnectionNumber(d), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(std::max<long>(0, wait.count())));
      continue;
    }
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == ClientMessage && e.xclient.message_type == atoms.enter) {
      source = static_cast<Window>(e.xclient.data.l[0]);
    } else if (e.type == ClientMessage && e.xclient.message_type == atoms.position) {
      ++positions;
      Window child;
      int x = 0, y = 0;
      const long at = e.xclient.data.l[2];
      XTranslateCoordinates(d, DefaultRootWindow(d), host, static_cast<int>((at >> 16) & 0xFFFF),
                            static_cast<int>(at & 0xFFFF), &x, &y, &child);
      const bool overZone = x >= kZoneX && x < kZoneX + kZoneSize && y >= kZoneY &&
                            y < kZoneY + kZoneSize;
      XdndReply(d, source, host, atoms.status, overZone ? 1 : 0,
            overZone ? static_cast<long>(atoms.copy) : 0);
    } else if (e.type == ClientMessage && e.xclient.message_type == atoms.leave) {
      source = 0;
    } else if (e.type == ClientMessage && e.xclient.message_type == atoms.drop) {
      XConvertSelection(d, atoms.selection, atoms.uriList, atoms.property, host,
                        static_cast<Time>(e.xclient.data.l[2]));
      XFlush(d);
    } else if (e.type == SelectionNotify && e.xselection.property == atoms.property) {
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      XGetWindowProperty(d, host, atoms.property, 0, 65536, True, AnyPropertyType, &type, &format,
                         &count, &after, &data);
      dropped = data ? std::string(reinterpret_cast<char*>(data), count) : "";
      if (data) XFree(data);
      XdndReply(d, source, host, atoms.finished, dropped.empty() ? 0 : 1,
            static_cast<long>(atoms.copy));
      std::printf("dropped %s\n", dropped.c_str());
      std::fflush(stdout);
      until = std::min(until, Clock::now() + std::chrono::milliseconds(500));
    }
  }
  plugin.dispatch(effEditClose);
  plugin.close();
  XDestroyWindow(d, host);
  XCloseDisplay(d);
  std::printf("%d idle calls, %.1f ms on average, the longest %.1f ms; %d positions answered\n",
              idles, totalMs / std::max(idles, 1), longestMs, positions);
  if (dropped.empty()) std::printf("FAIL nothing was dropped\n");
  if (longestMs > kLongestIdleMs) std::printf("FAIL an idle call took over %.0f ms\n", kLongestIdleMs);
  return !dropped.empty() && longestMs <= kLongestIdleMs ? 0 : 1;
}
