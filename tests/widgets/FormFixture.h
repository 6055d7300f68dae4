// A form on the tests' fixed text face and a clock the tests advance.
#pragma once

#include <gtest/gtest.h>

#include "skin/DIBTimer.h"
#include "tests/skin/TestText.h"
#include "widgets/Form.h"

class FormFixture : public ::testing::Test {
protected:
  explicit FormFixture(int width = 200, int height = 100) : form(TestText(), clock, width, height) {}

  // Paints what is pending and forgets it, so a later NeedsPaint() shows
  // only what the next steps invalidated.
  void Settle() { form.PaintInvalid(); }
  TColor At(int x, int y) const { return form.Image().ColorAt(x, y); }

  TimerClock clock;
  TForm form;
};
