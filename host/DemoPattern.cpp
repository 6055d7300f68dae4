#include "host/DemoPattern.h"

namespace {
constexpr int kCurrent = PatternImage::kCurrent;
constexpr std::uint8_t kDrums = 9;  // MIDI channel 10
constexpr std::uint8_t kTie = 2;
}  // namespace

PatternImage demoPattern(bool swung) {
  PatternImage image;
  // Drums: kick, snare, closed hi-hat (General MIDI numbers).
  image.setRow(kCurrent, 0, 36, kDrums);
  image.setRow(kCurrent, 1, 38, kDrums);
  image.setRow(kCurrent, 2, 42, kDrums);
  for (int step : {0, 8, 16, 24, 27}) image.setCell(kCurrent, 0, step, 120);
  for (int step : {4, 12, 20, 28}) image.setCell(kCurrent, 1, step, 110);
  image.setCell(kCurrent, 1, 30, 50);  // a ghost note
  for (int step = 0; step < 32; step += 2)
    // Off-beat eighths come a little late: a light swing.
    image.setCell(kCurrent, 2, step, step % 4 == 0 ? 100 : 64, 1, swung && step % 4 != 0 ? 600 : 0);

  // Bass on channel 1: C2, E-flat 2, F2, G2, B-flat 1.
  image.setRow(kCurrent, 4, 36, 0);
  image.setRow(kCurrent, 5, 39, 0);
  image.setRow(kCurrent, 6, 41, 0);
  image.setRow(kCurrent, 7, 43, 0);
  image.setRow(kCurrent, 8, 34, 0);
  image.setCell(kCurrent, 4, 0, 110);
  image.setCell(kCurrent, 4, 1, 110, kTie);
  image.setCell(kCurrent, 4, 3, 90);
  image.setCell(kCurrent, 5, 6, 100);
  image.setCell(kCurrent, 7, 8, 110);
  image.setCell(kCurrent, 7, 9, 110, kTie);
  image.setCell(kCurrent, 6, 11, 90);
  image.setCell(kCurrent, 4, 14, 100);
  image.setCell(kCurrent, 4, 16, 110);
  image.setCell(kCurrent, 4, 17, 110, kTie);
  image.setCell(kCurrent, 5, 19, 90);
  image.setCell(kCurrent, 6, 22, 100);
  image.setCell(kCurrent, 8, 24, 110);
  image.setCell(kCurrent, 8, 25, 110, kTie);
  image.setCell(kCurrent, 8, 26, 110, kTie);
  image.setCell(kCurrent, 4, 28, 100);
  image.setCell(kCurrent, 4, 30, 80);
  return image;
}
