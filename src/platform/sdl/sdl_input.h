#pragma once
#include "platform/input.h"
#include "platform/sdl/sdl_gamepads.h"

namespace platform {

// Keys, mouse and game controllers as SDL last saw them: "down now" after the loop's
// event polling.
class SdlInput : public Input {
public:
  bool IsDown(Key key) override;
  CursorPos Cursor() override;
  bool IsPadDown(PadButton button) override { return Pads_.IsDown(button); }
  double PadStickY() override { return Pads_.StickY(); }
  int PadCount() { return Pads_.Count(); }

private:
  SdlGamepads Pads_;
};

}  // namespace platform
