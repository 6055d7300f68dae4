// Mouse buttons, the shift state and the event signatures the editor's
// handlers are written against.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

class TControl;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : std::uint8_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};

// The keys and mouse buttons held when an event happened.
class TShiftState {
public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftFlag> flags) {
    for (TShiftFlag f : flags) bits_ |= f;
  }
  static constexpr TShiftState FromBits(std::uint8_t bits) {
    TShiftState s;
    s.bits_ = bits;
    return s;
  }
  constexpr bool Contains(TShiftFlag f) const { return (bits_ & f) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
  std::uint8_t bits_ = 0;
};

constexpr TShiftFlag ShiftFlagOf(TMouseButton b) {
  return b == TMouseButton::mbLeft ? ssLeft : b == TMouseButton::mbRight ? ssRight : ssMiddle;
}

using TNotifyEvent = std::function<void(TControl* Sender)>;
using TMouseEvent =
    std::function<void(TControl* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TControl* Sender, TShiftState Shift, int X, int Y)>;
