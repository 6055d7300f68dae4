#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cctype>
#include <utility>

#include "host/HostWindow.h"
#include "host/PluginLibrary.h"

namespace {

class X11HostWindow final : public HostWindow {
public:
  explicit X11HostWindow(const std::string& title) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) throw HostError("cannot open the X display (is DISPLAY set?)");
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display_, screen);
    attributes.event_mask = StructureNotifyMask | KeyPressMask | SubstructureNotifyMask;
    window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 320, 200, 0,
                            CopyFromParent, InputOutput, CopyFromParent,
                            CWBackPixel | CWEventMask, &attributes);
    XStoreName(display_, window_, title.c_str());
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  }
  ~X11HostWindow() override {
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
  }

  void* handle() const override { return reinterpret_cast<void*>(window_); }

  void resize(int width, int height) override {
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display_, window_, &hints);
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    width_ = width;
    height_ = height;
    XFlush(display_);
  }

  void show() override {
    XMapRaised(display_, window_);
    // Mapped means visible to the editor's connection too.
    for (XEvent e; !mapped_;) {
      XWindowEvent(display_, window_, StructureNotifyMask | SubstructureNotifyMask, &e);
      if (e.type == MapNotify && e.xmap.window == window_) mapped_ = true;
      else if (e.type == CreateNotify) listenToKeysOf(e.xcreatewindow);
    }
  }

  bool pump(std::chrono::milliseconds wait) override {
    if (XPending(display_) == 0) {
      pollfd fd{ConnectionNumber(display_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(wait.count()));
    }
    while (window_ && XPending(display_) > 0) {
      XEvent e;
      XNextEvent(display_, &e);
      if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow_) {
        closeAsked_ = true;
      } else if (e.type == CreateNotify) {
        listenToKeysOf(e.xcreatewindow);
      } else if (e.type == KeyPress) {
        const KeySym symbol = XLookupKeysym(&e.xkey, 0);
        if (symbol > 0 && symbol < 128)
          keys_.push_back({static_cast<char>(std::tolower(static_cast<int>(symbol))),
                           (e.xkey.state & ControlMask) != 0});
      } else if (e.type == DestroyNotify && e.xdestroywindow.window == window_) {
        window_ = 0;
      }
    }
    XFlush(display_);
    return window_ != 0 && !closeAsked_;
  }

  std::vector<TypedKey> takeKeys() override { return std::exchange(keys_, {}); }

  Picture capture() override {
    XSync(display_, False);
    Picture picture{width_, height_, {}};
    XImage* image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (!image) throw HostError("cannot read the window's pixels");
    picture.pixels.reserve(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        picture.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) | 0xFF000000u);
    XDestroyImage(image);
    return picture;
  }

private:
  // Key presses go to the window under the pointer, the editor's, and stop
  // there: this connection listens there as well.
  void listenToKeysOf(const XCreateWindowEvent& created) {
    if (created.parent == window_) XSelectInput(display_, created.window, KeyPressMask);
  }

  Display* display_ = nullptr;
  Window window_ = 0;
  Atom deleteWindow_ = 0;
  int width_ = 320, height_ = 200;
  bool mapped_ = false;
  bool closeAsked_ = false;  // by the window manager's WM_DELETE_WINDOW
  std::vector<TypedKey> keys_;
};

}  // namespace

std::unique_ptr<HostWindow> HostWindow::create(const std::string& title) {
  return std::make_unique<X11HostWindow>(title);
}
