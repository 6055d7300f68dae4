// What both test drop targets answer the drag source with: an XDND client
// message naming the target, with the message's two data words that differ.
#pragma once

#include <X11/Xlib.h>

inline void XdndReply(Display* d, Window to, Window self, Atom type, long l1, long l4) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = to;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(self);
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[4] = l4;
  XSendEvent(d, to, False, NoEventMask, &e);
  XFlush(d);
}
