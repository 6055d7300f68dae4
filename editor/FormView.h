// The editor form as the native window sees it: its picture, its input and
// the cursor of the control under the pointer. The native window deals in
// device pixels; positions map back to the form's own through its scale, so
// every handler sees what it would see at 100 %.
#pragma once

#include <vector>

#include "platform/EditorView.h"
#include "widgets/Form.h"

class FormView final : public EditorView {
public:
  // Over any of `crossHair` the pointer is a cross-hair, elsewhere an arrow.
  FormView(TForm& form, std::vector<const TControl*> crossHair)
      : form_(form), crossHair_(std::move(crossHair)) {}

  int Width() const override { return form_.Image().Width(); }
  int Height() const override { return form_.Image().Height(); }
  const Surface& Image() const override { return form_.Image(); }
  bool NeedsPaint() const override { return form_.NeedsPaint(); }
  std::vector<TRect> PaintInvalid() override { return form_.PaintInvalid(); }
  void Pointer(const PointerEvent& event) override;
  void PointerLeave() override { form_.PointerLeave(); }
  void Key(char ch) override { form_.KeyPress(ch); }
  bool CommandKey(char letter, std::uint8_t keys) override;
  ViewCursor CursorAt(int x, int y) const override;
  TextRenderer& Text() const override { return form_.Text(); }
  Scale DrawScale() const override { return form_.DrawScale(); }

private:
  TForm& form_;
  std::vector<const TControl*> crossHair_;
};
