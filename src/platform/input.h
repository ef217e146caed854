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

struct CursorPos {
  int X = 0;  // pixels
  int Y = 0;  // pixels
};

class Input {
public:
  virtual ~Input() = default;
  virtual bool IsDown(Key key) = 0;
  virtual CursorPos Cursor() = 0;
};

}  // namespace platform
