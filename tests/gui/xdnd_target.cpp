// A drop target of our own for the drag-out tests: an XDND-aware window at
// a given place that accepts a copy of text/uri-list, prints "entered" and
// "left" as drags pass over it and what was dropped ("dropped <uri-list>"),
// then exits 0; it ends by SIGALRM if nothing was dropped within the time
// given.
//   xdnd_target X Y WIDTH HEIGHT SECONDS
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "XdndReply.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: xdnd_target X Y WIDTH HEIGHT SECONDS\n");
    return 2;
  }
  alarm(static_cast<unsigned>(std::atoi(argv[5])));
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 2;
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), std::atoi(argv[1]), std::atoi(argv[2]),
                                       static_cast<unsigned>(std::atoi(argv[3])),
                                       static_cast<unsigned>(std::atoi(argv[4])), 0, 0, 0x3366CC);
  XStoreName(d, w, "xdnd target");
  const Atom aware = XInternAtom(d, "XdndAware", False);
  const Atom enter = XInternAtom(d, "XdndEnter", False);
  const Atom position = XInternAtom(d, "XdndPosition", False);
  const Atom leave = XInternAtom(d, "XdndLeave", False);
  const Atom status = XInternAtom(d, "XdndStatus", False);
  const Atom drop = XInternAtom(d, "XdndDrop", False);
  const Atom finished = XInternAtom(d, "XdndFinished", False);
  const Atom selection = XInternAtom(d, "XdndSelection", False);
  const Atom copy = XInternAtom(d, "XdndActionCopy", False);
  const Atom uriList = XInternAtom(d, "text/uri-list", False);
  const Atom property = XInternAtom(d, "QUAVERLIN_DROP", False);
  const long version = 5;
  XChangeProperty(d, w, aware, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&version), 1);
  XMapRaised(d, w);
  XFlush(d);
  std::printf("ready\n");
  std::fflush(stdout);

  Window source = 0;
  bool offered = false;
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == ClientMessage && e.xclient.message_type == enter) {
      source = static_cast<Window>(e.xclient.data.l[0]);
      offered = static_cast<Atom>(e.xclient.data.l[2]) == uriList ||
                static_cast<Atom>(e.xclient.data.l[3]) == uriList ||
                static_cast<Atom>(e.xclient.data.l[4]) == uriList;
      std::printf("entered%s\n", offered ? " with text/uri-list" : "");
      std::fflush(stdout);
    } else if (e.type == ClientMessage && e.xclient.message_type == leave) {
      std::printf("left\n");
      std::fflush(stdout);
    } else if (e.type == ClientMessage && e.xclient.message_type == position) {
      XdndReply(d, source, w, status, offered ? 1 : 0, offered ? static_cast<long>(copy) : 0);
    } else if (e.type == ClientMessage && e.xclient.message_type == drop) {
      XConvertSelection(d, selection, uriList, property, w,
                        static_cast<Time>(e.xclient.data.l[2]));
      XFlush(d);
    } else if (e.type == SelectionNotify && e.xselection.property == property) {
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      XGetWindowProperty(d, w, property, 0, 65536, True, AnyPropertyType, &type, &format, &count,
                         &after, &data);
      const std::string text = data ? std::string(reinterpret_cast<char*>(data), count) : "";
      if (data) XFree(data);
      XdndReply(d, source, w, finished, text.empty() ? 0 : 1, static_cast<long>(copy));
      std::printf("dropped %s\n", text.c_str());
      std::fflush(stdout);
      XCloseDisplay(d);
      return text.empty() ? 1 : 0;
    }
  }
}
