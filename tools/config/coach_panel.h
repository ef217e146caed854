#pragma once
// The "best possible flight" window: the coach searches the current design on a thread
// of its own and shows what it found.
#include <string>

#include "coach_session.h"
#include "flight/aircraft.h"

namespace config {

struct CoachPanel {
  bool Open = false;
  CoachSession Session;
  char EntryPath[256] = "coach_entry.txt";  // where "save as entry file" writes
};

// Draws the window while it is open. designText is the file text of spec; a button may
// change spec (the tail incidence) and status (UTF-8).
void DrawCoachPanel(CoachPanel& panel, flight::AircraftSpec& spec, const std::string& designText, std::string& status);

// True while a search runs, so the window keeps drawing its progress.
inline bool CoachPanelBusy(const CoachPanel& panel) { return panel.Session.Running(); }

}  // namespace config
