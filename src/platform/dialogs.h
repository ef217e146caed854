#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The online league's settings as the player sees and edits them.
struct LeagueFields {
  std::string Address;                    // ASCII; empty: the league is off
  std::vector<std::string> ContestNames;  // to choose from (ASCII ids)
  int Contest = 0;                        // index into ContestNames
  std::string PilotSjis;                  // the name the league lists
  std::string ShownToken;                 // the start of the player's token, or empty
};

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
  // The league dialog, filled with `current`: the fields as the player leaves them
  // with OK; nothing after Cancel or when it cannot be shown.
  virtual std::optional<LeagueFields> AskLeagueSettings(const LeagueFields& current) {
    (void)current;
    return std::nullopt;
  }
};

}  // namespace platform
