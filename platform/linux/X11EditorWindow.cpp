#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

// Xlib's names that the control tree uses too.
namespace {
constexpr int kKeyPress = KeyPress;
}
#undef KeyPress
#undef PlaceOnTop

#include <cstdint>
#include <cstdlib>

#include "platform/linux/X11EditorWindow.h"
#include "platform/linux/XErrorTrap.h"
#include "platform/linux/XdndDrag.h"

namespace {

constexpr long kEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                         LeaveWindowMask | KeyPressMask;
constexpr Time kDoubleClickTime = 500;  // ms, the Windows default
constexpr int kDoubleClickSlop = 4;

TShiftState KeysOf(unsigned state) {
  std::uint8_t bits = 0;
  if (state & ShiftMask) bits |= ssShift;
  if (state & ControlMask) bits |= ssCtrl;
  if (state & Mod1Mask) bits |= ssAlt;
  return TShiftState::FromBits(bits);
}

// X numbers the buttons 1 left, 2 middle, 3 right; 4 to 7 are wheel steps.
std::optional<TMouseButton> ButtonOf(unsigned button) {
  switch (button) {
    case Button1: return TMouseButton::mbLeft;
    case Button2: return TMouseButton::mbMiddle;
    case Button3: return TMouseButton::mbRight;
    default: return std::nullopt;
  }
}

}  // namespace

std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, TForm& form,
                                                           TimerClock& clock) {
  if (!parent) return nullptr;
  return X11EditorWindow::Open(static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)), form,
                               clock);
}

std::unique_ptr<X11EditorWindow> X11EditorWindow::Open(Window parent, TForm& form,
                                                       TimerClock& clock) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<X11EditorWindow> window(new X11EditorWindow(display, form, clock));
  if (!window->Create(parent)) return nullptr;
  return window;
}

X11EditorWindow::X11EditorWindow(Display* display, TForm& form, TimerClock& clock)
    : display_(display), form_(form), elapsed_(clock, std::chrono::steady_clock::now()) {}

bool X11EditorWindow::Create(Window parent) {
  const int screen = DefaultScreen(display_);
  XVisualInfo visual;
  // The form's pixels are 32-bit BGRA words: exactly a 24-bit TrueColor image.
  if (!XMatchVisualInfo(display_, screen, 24, TrueColor, &visual)) return false;
  const int width = form_.Width(), height = form_.Height();

  XErrorTrap trap(display_);
  colormap_ = XCreateColormap(display_, RootWindow(display_, screen), visual.visual, AllocNone);
  XSetWindowAttributes attributes{};
  // No background: X erases nothing before an expose, the form paints every pixel.
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.colormap = colormap_;
  attributes.event_mask = kEvents;
  window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, 24, InputOutput, visual.visual,
                          CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
  if (trap.Errors() > 0) {
    // The id is the server's to refuse; nothing was created under it.
    window_ = 0;
    return false;
  }
  gc_ = XCreateGC(display_, window_, 0, nullptr);

  form_.PaintInvalid();
  shown_ = form_.Image();
  image_ = XCreateImage(display_, visual.visual, 24, ZPixmap, 0,
                        reinterpret_cast<char*>(shown_.Row(0)), static_cast<unsigned>(width),
                        static_cast<unsigned>(height), 32, width * 4);
  image_->byte_order = LSBFirst;
  XMapWindow(display_, window_);
  PutOnScreen(shown_.Bounds());
  XFlush(display_);
  return true;
}

X11EditorWindow::~X11EditorWindow() {
  if (image_) {
    image_->data = nullptr;  // the pixels belong to shown_
    XDestroyImage(image_);
  }
  if (gc_) XFreeGC(display_, gc_);
  if (window_) XDestroyWindow(display_, window_);
  if (colormap_) XFreeColormap(display_, colormap_);
  XCloseDisplay(display_);
}

void X11EditorWindow::Idle() {
  while (XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    Handle(e);
  }
  elapsed_.CatchUp();
  Refresh();
  XFlush(display_);
}

void X11EditorWindow::Handle(XEvent& e) {
  if (e.xany.window != window_) return;
  switch (e.type) {
    case Expose: Uncover(e); break;
    case ButtonPress: Press(e); break;
    case ButtonRelease: Release(e); break;
    case MotionNotify: Move(e); break;
    case LeaveNotify:
      if (e.xcrossing.mode == NotifyNormal) form_.PointerLeave();
      break;
    case kKeyPress: Type(e); break;
    default: break;
  }
  Refresh();
}

void X11EditorWindow::Uncover(const XEvent& event) {
  const XExposeEvent& e = event.xexpose;
  PutOnScreen(TRect::FromSize(e.x, e.y, e.width, e.height));
}

void X11EditorWindow::Press(const XEvent& event) {
  const XButtonEvent& e = event.xbutton;
  const auto button = ButtonOf(e.button);
  if (!button) return;
  if (message_) {
    // The click that dismisses a message does nothing else, its release neither.
    const TRect box = message_->Box();
    message_.reset();
    swallowButton_ = e.button;
    Present({box});
    return;
  }
  std::uint8_t keys = KeysOf(e.state).Bits();
  const bool twice = e.button == lastPressButton_ && e.time - lastPressTime_ < kDoubleClickTime &&
                     std::abs(e.x - lastPressAt_.X) <= kDoubleClickSlop &&
                     std::abs(e.y - lastPressAt_.Y) <= kDoubleClickSlop;
  if (twice) keys |= ssDouble;
  lastPressButton_ = twice ? 0 : e.button;
  lastPressTime_ = e.time;
  lastPressAt_ = {e.x, e.y};

  heldButton_ = e.button;
  releaseSeen_ = false;
  form_.PointerDown(*button, TShiftState::FromBits(keys), e.x, e.y);
  heldButton_ = 0;
  // A drag started by this press ended with its release, which the drag
  // took: the form still has to hear that the button went up.
  if (releaseSeen_) form_.PointerUp(*button, KeysOf(e.state), releaseAt_.X, releaseAt_.Y);
}

void X11EditorWindow::Release(const XEvent& event) {
  const XButtonEvent& e = event.xbutton;
  const auto button = ButtonOf(e.button);
  if (!button) return;
  if (swallowButton_ == e.button) {
    swallowButton_ = 0;
    return;
  }
  form_.PointerUp(*button, KeysOf(e.state), e.x, e.y);
}

void X11EditorWindow::Move(XEvent& e) {
  // Only the latest position matters; a slow idle rate queues many.
  while (XCheckTypedWindowEvent(display_, window_, MotionNotify, &e)) {
  }
  if (message_) return;
  form_.PointerMove(KeysOf(e.xmotion.state), e.xmotion.x, e.xmotion.y);
}

void X11EditorWindow::Type(XEvent& e) {
  char text[8];
  KeySym key;
  if (XLookupString(&e.xkey, text, sizeof text, &key, nullptr) == 1 && !message_)
    form_.KeyPress(text[0]);
}

void X11EditorWindow::Refresh() {
  if (form_.NeedsPaint()) Present(form_.PaintInvalid());
}

void X11EditorWindow::Present(const std::vector<TRect>& rects) {
  for (const TRect& dirty : rects) {
    const TRect r = dirty.Intersect(shown_.Bounds());
    if (r.IsEmpty()) continue;
    shown_.CopyFrom(form_.Image(), r, r.Left, r.Top);
    if (message_) message_->DrawOver(shown_, r);
    PutOnScreen(r);
  }
}

void X11EditorWindow::PutOnScreen(const TRect& area) {
  const TRect r = area.Intersect(shown_.Bounds());
  if (r.IsEmpty()) return;
  XPutImage(display_, window_, gc_, image_, r.Left, r.Top, r.Left, r.Top,
            static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()));
}

bool X11EditorWindow::DragFileOut(const std::string& path) {
  if (!heldButton_) return false;  // only a press can carry a drag
  XdndDrag drag(display_, window_, FileUri(path) + "\r\n");
  const XdndDrag::End end = drag.Run(
      heldButton_,
      [this] {
        elapsed_.CatchUp();
        Refresh();
        XFlush(display_);
      },
      [this](XEvent& e) {
        if (e.type == Expose && e.xany.window == window_) Uncover(e);
      });
  releaseSeen_ = true;
  releaseAt_ = end.releaseAt;
  return end.dropped;
}

void X11EditorWindow::ShowMessage(const std::string& text) {
  try {
    message_.emplace(form_.Text(), text, shown_.Width(), shown_.Height());
    Present({message_->Box()});
    XFlush(display_);
  } catch (...) {
    // Out of memory for a message: the editor goes on without it.
    message_.reset();
  }
}
