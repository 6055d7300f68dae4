// A view for the native window tests: one colour all over, a cross-hair
// area, and a record of every pointer event and key that reached it.
#pragma once

#include <functional>
#include <vector>

#include "platform/EditorView.h"
#include "tests/skin/TestText.h"

class FakeView : public EditorView {
public:
  FakeView(int width, int height) : image_(width, height) { Invalidate(); }

  void SetColor(TColor c) {
    color_ = c;
    Invalidate();
  }
  void Invalidate() { invalid_ = true; }
  // As the editor's view does when its scale changes.
  void Resize(int width, int height) {
    image_.Resize(width, height);
    Invalidate();
  }

  int Width() const override { return image_.Width(); }
  int Height() const override { return image_.Height(); }
  const Surface& Image() const override { return image_; }
  bool NeedsPaint() const override { return invalid_; }
  std::vector<TRect> PaintInvalid() override {
    if (!invalid_) return {};
    invalid_ = false;
    image_.Fill(image_.Bounds(), ToPixel(color_));
    return {image_.Bounds()};
  }
  void Pointer(const PointerEvent& event) override {
    events.push_back(event);
    if (event.kind == PointerEvent::Press && onPress) onPress(event);
  }
  void PointerLeave() override { ++leaves; }
  void Key(char ch) override { keys.push_back(ch); }
  bool CommandKey(char letter, std::uint8_t held) override {
    commands.push_back({letter, held});
    return true;
  }
  ViewCursor CursorAt(int x, int y) const override {
    return crossHair.Contains(x, y) ? ViewCursor::CrossHair : ViewCursor::Arrow;
  }
  TextRenderer& Text() const override { return TestText(); }
  Scale DrawScale() const override { return Scale(); }

  std::vector<PointerEvent> events;
  std::function<void(const PointerEvent&)> onPress;
  int leaves = 0;
  std::vector<char> keys;
  struct Command {
    char letter;
    std::uint8_t keys;
    bool operator==(const Command&) const = default;
  };
  std::vector<Command> commands;
  TRect crossHair{0, 0, 0, 0};

private:
  Surface image_;
  TColor color_ = clBlack;
  bool invalid_ = false;
};
