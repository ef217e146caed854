#pragma once
// The "best possible flight" window: the coach searches the current design on a thread
// of its own and shows what it found.
#include <string>

#include "config/coach/coach_entry_save.h"
#include "config/coach/coach_session.h"
#include "config/design/design_document.h"

namespace config {

struct CoachPanel {
  bool Open = false;
  CoachSession Session;
  char EntryPath[256] = "coach_entry.txt";  // where "save as entry file" writes
  CoachEntrySave EntrySave;                 // the question before an existing file is replaced
};

// Draws the window while it is open. designText is the file text of the document's
// design; a button may change the design (the tail incidence), and saving the entry
// file tells the document's status line and notice what happened.
void DrawCoachPanel(CoachPanel& panel, DesignDocument& document, const std::string& designText);

// True while a search runs, so the window keeps drawing its progress.
inline bool CoachPanelBusy(const CoachPanel& panel) { return panel.Session.Running(); }

}  // namespace config
