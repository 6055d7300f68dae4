#include "platform/linux/X11EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "platform/linux/XErrorTrap.h"
#include "platform/linux/XdndDrag.h"

namespace {

constexpr long kEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                         EnterWindowMask | LeaveWindowMask | KeyPressMask | StructureNotifyMask;
constexpr Time kDoubleClickTime = 500;  // ms, the Windows default
constexpr int kDoubleClickSlop = 4;
constexpr unsigned kAnyButton = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;

std::uint8_t KeysOf(unsigned state) {
  std::uint8_t keys = 0;
  if (state & ShiftMask) keys |= pkShift;
  if (state & ControlMask) keys |= pkCtrl;
  if (state & Mod1Mask) keys |= pkAlt;
  return keys;
}

// X numbers the buttons 1 left, 2 middle, 3 right; 4 to 7 are wheel steps.
std::optional<PointerButton> ButtonOf(unsigned button) {
  switch (button) {
    case Button1: return PointerButton::Left;
    case Button2: return PointerButton::Middle;
    case Button3: return PointerButton::Right;
    default: return std::nullopt;
  }
}

PointerEvent ButtonEvent(PointerEvent::Kind kind, PointerButton button, const XButtonEvent& e,
                         std::uint8_t keys) {
  return {kind, button, keys, e.x, e.y, e.time};
}

// A motion without a button held that another motion follows at once
// adds nothing: only where the pointer hovers now matters. With a button
// held every position counts, since a stroke edits what it passes over;
// and no motion ever passes a press or a release.
bool Superseded(Display* display, const XEvent& motion) {
  if (motion.xmotion.state & kAnyButton) return false;
  if (XEventsQueued(display, QueuedAlready) == 0) return false;
  XEvent next;
  XPeekEvent(display, &next);
  return next.type == MotionNotify && next.xany.window == motion.xany.window;
}

// A busy server turns connections away for a moment (its queue of
// connections waiting to be accepted is full): worth a few more tries.
Display* ConnectToServer() {
  for (int attempt = 0;; ++attempt) {
    errno = 0;
    if (Display* display = XOpenDisplay(nullptr)) return display;
    if (errno != EAGAIN || attempt == 10) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(5 * (attempt + 1)));
  }
}

}  // namespace

std::unique_ptr<NativeEditorWindow> OpenNativeEditorWindow(void* parent, EditorView& view,
                                                           TimerClock& clock) {
  if (!parent) return nullptr;
  return X11EditorWindow::Open(static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)), view,
                               clock);
}

std::unique_ptr<X11EditorWindow> X11EditorWindow::Open(Window parent, EditorView& view,
                                                       TimerClock& clock) {
  Display* display = ConnectToServer();
  if (!display) return nullptr;
  std::unique_ptr<X11EditorWindow> window(new X11EditorWindow(display, view, clock));
  if (!window->Create(parent)) return nullptr;
  return window;
}

X11EditorWindow::X11EditorWindow(Display* display, EditorView& view, TimerClock& clock)
    : display_(display), view_(view), elapsed_(clock, std::chrono::steady_clock::now()) {}

bool X11EditorWindow::Create(Window parent) {
  const int screen = DefaultScreen(display_);
  XVisualInfo visual;
  // The view's pixels are 32-bit BGRX words: exactly a 24-bit TrueColor image.
  if (!XMatchVisualInfo(display_, screen, 24, TrueColor, &visual)) return false;
  const int width = view_.Width(), height = view_.Height();

  XErrorTrap trap(display_);
  colormap_ = XCreateColormap(display_, RootWindow(display_, screen), visual.visual, AllocNone);
  XSetWindowAttributes attributes{};
  // No background: X erases nothing before an expose, the view paints every pixel.
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
  crossHair_ = XCreateFontCursor(display_, XC_crosshair);

  view_.PaintInvalid();
  XMapWindow(display_, window_);
  PutOnScreen(view_.Image().Bounds());
  return trap.Errors() == 0;
}

void X11EditorWindow::MakeImage(int width, int height) {
  if (image_) XDestroyImage(image_);
  XVisualInfo visual;
  XMatchVisualInfo(display_, DefaultScreen(display_), 24, TrueColor, &visual);
  image_ = XCreateImage(display_, visual.visual, 24, ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32,
                        width * 4);
  if (image_) image_->byte_order = LSBFirst;
}

void X11EditorWindow::Resize() {
  XErrorTrap trap(display_);
  // A message was placed for the old size; the click that changed the size
  // would have dismissed it anyway.
  DismissMessage();
  if (view_.NeedsPaint()) view_.PaintInvalid();
  if (!gone_)
    XResizeWindow(display_, window_, static_cast<unsigned>(view_.Width()),
                  static_cast<unsigned>(view_.Height()));
  PutOnScreen(view_.Image().Bounds());
  XFlush(display_);
}

X11EditorWindow::~X11EditorWindow() {
  {
    // The parent, and this window with it, may be gone already.
    XErrorTrap trap(display_);
    drag_.reset();
    if (image_) XDestroyImage(image_);
    if (gc_) XFreeGC(display_, gc_);
    if (window_ && !gone_) XDestroyWindow(display_, window_);
    if (crossHair_) XFreeCursor(display_, crossHair_);
    if (colormap_) XFreeColormap(display_, colormap_);
  }
  XCloseDisplay(display_);
}

void X11EditorWindow::Idle() {
  XErrorTrap trap(display_);
  Pump();
  if (drag_) {
    drag_->Tick(XdndDrag::Clock::now());
    EndDragIfFinished();
  }
  elapsed_.CatchUp();
  Refresh();
  XFlush(display_);
}

void X11EditorWindow::Pump() {
  while (XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    if (e.type == MotionNotify && Superseded(display_, e)) continue;
    Handle(e);
  }
}

void X11EditorWindow::Handle(XEvent& e) {
  if (drag_ && drag_->Handle(e, XdndDrag::Clock::now())) {
    // The drag ends with the button's release: the view hears it went up.
    if (e.type == ButtonRelease) Release(e);
    EndDragIfFinished();
    return;
  }
  if (e.xany.window != window_ || gone_) return;
  switch (e.type) {
    case DestroyNotify:
      if (e.xdestroywindow.window == window_) {
        gone_ = true;
        drag_.reset();
        dragEnded_ = nullptr;
      }
      break;
    case Expose: Uncover(e); break;
    case ButtonPress: Press(e); break;
    case ButtonRelease: Release(e); break;
    case MotionNotify: Move(e); break;
    case EnterNotify: ShowCursorAt(e.xcrossing.x, e.xcrossing.y); break;
    case LeaveNotify:
      if (e.xcrossing.mode == NotifyNormal) view_.PointerLeave();
      break;
    case KeyPress: Type(e); break;
    default: break;
  }
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
    DismissMessage();
    swallowButton_ = e.button;
    Present({box});
    return;
  }
  std::uint8_t keys = KeysOf(e.state);
  const bool twice = e.button == lastPressButton_ && e.time - lastPressTime_ < kDoubleClickTime &&
                     std::abs(e.x - lastPressAt_.X) <= kDoubleClickSlop &&
                     std::abs(e.y - lastPressAt_.Y) <= kDoubleClickSlop;
  if (twice) keys |= pkDouble;
  lastPressButton_ = twice ? 0 : e.button;
  lastPressTime_ = e.time;
  lastPressAt_ = {e.x, e.y};

  pressing_ = &event;
  view_.Pointer(ButtonEvent(PointerEvent::Press, *button, e, keys));
  pressing_ = nullptr;
}

void X11EditorWindow::Release(const XEvent& event) {
  const XButtonEvent& e = event.xbutton;
  const auto button = ButtonOf(e.button);
  if (!button) return;
  if (swallowButton_ == e.button) {
    swallowButton_ = 0;
    return;
  }
  view_.Pointer(ButtonEvent(PointerEvent::Release, *button, e, KeysOf(e.state)));
}

void X11EditorWindow::Move(const XEvent& event) {
  const XMotionEvent& e = event.xmotion;
  ShowCursorAt(e.x, e.y);
  if (message_) return;
  view_.Pointer({PointerEvent::Move, PointerButton::Left, KeysOf(e.state), e.x, e.y, e.time});
}

void X11EditorWindow::Type(XEvent& e) {
  if (e.xkey.state & ControlMask) {
    // With Ctrl a letter is a command: the letter itself, not the control
    // character it would type, and in lower case whatever Shift does.
    const KeySym letter = XLookupKeysym(&e.xkey, 0);
    if (letter >= XK_a && letter <= XK_z) {
      if (!message_) view_.CommandKey(static_cast<char>(letter), KeysOf(e.xkey.state));
      return;
    }
  }
  char text[8];
  KeySym key;
  if (XLookupString(&e.xkey, text, sizeof text, &key, nullptr) == 1 && !message_)
    view_.Key(text[0]);
}

void X11EditorWindow::ShowCursorAt(int x, int y) {
  const ViewCursor wanted = view_.CursorAt(x, y);
  if (wanted == cursor_) return;
  cursor_ = wanted;
  XDefineCursor(display_, window_, wanted == ViewCursor::CrossHair ? crossHair_ : None);
}

void X11EditorWindow::EndDragIfFinished() {
  if (!drag_ || !drag_->Finished()) return;
  const bool dropped = drag_->Dropped();
  drag_.reset();
  const DragEnded ended = std::move(dragEnded_);
  dragEnded_ = nullptr;
  if (ended) ended(dropped);
}

void X11EditorWindow::Refresh() {
  if (view_.NeedsPaint()) Present(view_.PaintInvalid());
}

void X11EditorWindow::Present(const std::vector<TRect>& rects) {
  for (const TRect& dirty : rects) {
    if (message_) {
      const TRect r = dirty.Intersect(withMessage_.Bounds());
      withMessage_.CopyFrom(view_.Image(), r, r.Left, r.Top);
      message_->DrawOver(withMessage_, r);
    }
    PutOnScreen(dirty);
  }
}

void X11EditorWindow::PutOnScreen(const TRect& area) {
  // A window that is gone shows nothing; drawing on it would be an error.
  if (gone_) return;
  const Surface& shown = message_ ? withMessage_ : view_.Image();
  const TRect r = area.Intersect(shown.Bounds());
  if (r.IsEmpty()) return;
  if (!image_ || image_->width != shown.Width() || image_->height != shown.Height())
    MakeImage(shown.Width(), shown.Height());
  if (!image_) return;
  // The image lends the surface's pixels for this one request only: the
  // view may reallocate them when its scale changes.
  image_->data = reinterpret_cast<char*>(const_cast<Pixel*>(shown.Row(0)));
  XPutImage(display_, window_, gc_, image_, r.Left, r.Top, r.Left, r.Top,
            static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()));
  image_->data = nullptr;
}

bool X11EditorWindow::DragFileOut(const std::string& path, DragEnded ended) {
  // Only a press can carry a drag, and only one at a time.
  if (!pressing_ || drag_ || gone_) return false;
  const XButtonEvent& press = pressing_->xbutton;
  auto drag = std::make_unique<XdndDrag>(display_, window_, FileUri(path) + "\r\n", press.button);
  if (!drag->Start(press.time)) return false;
  drag_ = std::move(drag);
  dragEnded_ = std::move(ended);
  return true;
}

void X11EditorWindow::ShowMessage(const std::string& text) {
  try {
    withMessage_ = view_.Image();
    message_.emplace(view_.Text(), text, view_.DrawScale(), view_.Width(), view_.Height());
    XErrorTrap trap(display_);
    Present({message_->Box()});
    XFlush(display_);
  } catch (...) {
    // Out of memory for a message: the editor goes on without it.
    DismissMessage();
  }
}

void X11EditorWindow::DismissMessage() {
  message_.reset();
  withMessage_ = Surface();
}
