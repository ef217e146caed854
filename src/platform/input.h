#pragma once

namespace platform {

// The keys and buttons the game polls. Polling answers "is it down now", not
// "was it pressed since the last poll".
enum class Key {
  Space,
  Up,
  Down,
  Left,
  Right,
  LeftButton,
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,  // main keyboard digits
  A,
  S,
  X,
  Z,
  G,  // races the best ranked flight
  Count
};

// The game controller's buttons the game reads, named as on the common layout (A the
// lower face button).
enum class PadButton { A, DpadUp, DpadDown, LeftShoulder, RightShoulder, Count };

struct CursorPos {
  int X = 0;  // pixels
  int Y = 0;  // pixels
};

class Input {
public:
  virtual ~Input() = default;
  virtual bool IsDown(Key key) = 0;
  virtual CursorPos Cursor() = 0;
  // Game controllers, all that are plugged in taken together (none: nothing down, the
  // stick centred): whether any holds the button down now, and the left stick's
  // vertical position from -1 (pushed fully forward) to 1 (pulled fully back).
  virtual bool IsPadDown(PadButton) { return false; }
  virtual double PadStickY() { return 0; }
};

}  // namespace platform
