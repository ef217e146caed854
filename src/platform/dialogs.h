#pragma once
#include <optional>
#include <string>

namespace platform {

// Modal user dialogs. Texts passed in and names handed back are Shift-JIS (CP932)
// bytes, the code page of every text the game shows or stores.
class Dialogs {
public:
  virtual ~Dialogs() = default;
  // The warning box: caption "警告", OK and Cancel; the answer is not reported.
  virtual void ShowWarning(const std::string& sjisText) = 0;
  // The modal pilot-name dialog. Returns the typed name (at most 255 bytes, possibly
  // empty) once OK is pressed, or nothing when the dialog cannot be shown.
  virtual std::optional<std::string> AskPilotName() = 0;
};

}  // namespace platform
