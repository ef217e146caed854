#pragma once
#include "platform/input.h"

namespace platform {

// Keys and mouse as SDL last saw them: "down now" after the loop's event polling.
class SdlInput : public Input {
public:
  bool IsDown(Key key) override;
  CursorPos Cursor() override;
};

}  // namespace platform
