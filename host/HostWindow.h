// The host's own top-level window, in which a plug-in's editor opens as a
// child: an X11 window on Linux, a Win32 window on Windows.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "host/Picture.h"

// A key the user pressed in the window or its editor: a character as typed
// without modifiers ('s' for Ctrl+S), lower case.
struct TypedKey {
  char character;
  bool control;
};

class HostWindow {
public:
  // Throws HostError when there is no window system to talk to.
  static std::unique_ptr<HostWindow> create(const std::string& title);
  virtual ~HostWindow() = default;

  // What effEditOpen is given: the X11 Window id or the HWND.
  virtual void* handle() const = 0;
  virtual void resize(int width, int height) = 0;
  virtual void show() = 0;
  // Handles the window's pending events, waiting for them at most `wait`;
  // false once the user has asked to close the window. The window stays
  // until this object goes, so the plug-in's editor can be closed first.
  virtual bool pump(std::chrono::milliseconds wait) = 0;
  // The keys pressed since the last call, in order. The editor sees them
  // too: the host only listens.
  virtual std::vector<TypedKey> takeKeys() = 0;
  // What the window's client area shows now, children included.
  virtual Picture capture() = 0;
};
