// The editor as a native window sees it: a picture that repaints itself,
// and something that takes the user's pointer and keys and says which
// cursor to show. The native windows know nothing else of the editor, so
// they can be tested against a view of any kind.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/Geometry.h"
#include "skin/Scale.h"
#include "skin/Surface.h"

class TextRenderer;

enum class PointerButton { Left, Middle, Right };

// Modifier keys and the double-click mark of a press.
enum PointerKey : std::uint8_t { pkShift = 1, pkCtrl = 2, pkAlt = 4, pkDouble = 8 };

struct PointerEvent {
  enum Kind { Press, Release, Move };
  Kind kind = Move;
  PointerButton button = PointerButton::Left;  // presses and releases only
  std::uint8_t keys = 0;                       // PointerKey bits
  int x = 0, y = 0;                            // in the view
  unsigned long time = 0;                      // ms, the window system's clock
};

enum class ViewCursor { Arrow, CrossHair };

class EditorView {
public:
  virtual ~EditorView() = default;

  // In device pixels; may change while the window is open (see
  // NativeEditorWindow::Resize).
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // What the view looks like: 32-bit BGRX words, Width() by Height().
  virtual const Surface& Image() const = 0;
  virtual bool NeedsPaint() const = 0;
  // Repaints what changed and answers the rectangles it touched.
  virtual std::vector<TRect> PaintInvalid() = 0;

  virtual void Pointer(const PointerEvent& event) = 0;
  // The pointer left the window.
  virtual void PointerLeave() = 0;
  // A typed character.
  virtual void Key(char ch) = 0;
  // A letter key pressed with Ctrl, as the lower-case letter, with the
  // PointerKey bits of the keys held: the editor's command keys (undo,
  // redo). It does not reach Key. Answers whether the view used it.
  virtual bool CommandKey(char letter, std::uint8_t keys) = 0;
  virtual ViewCursor CursorAt(int x, int y) const = 0;

  // The face messages over the view are written in, and the scale the
  // view is drawn at, which they follow.
  virtual TextRenderer& Text() const = 0;
  virtual Scale DrawScale() const = 0;
};
