#pragma once
// Saving the coach's best flight as a ranking entry file under a name the player types,
// the way "save as" saves a design: a missing extension becomes ".txt"; a folder, the
// ranking's own files and the game's settings are refused with a notice; an existing
// file is replaced only once the player has said so. No ImGui here: the coach panel
// asks the question the flag raises and calls the answer back.
#include <string>

#include "config/design/design_document.h"
#include "sim/coach.h"

namespace config {

struct CoachEntrySave {
  bool AskOverwrite = false;  // replace the existing file Pending names?
  std::string Pending;        // the file the answer concerns
  std::string PendingEntry;   // the entry it gets then: the one the player asked to save
};

// Saves the result's entry under the typed name, or asks first. A refusal is told in
// the document's notice; the document's status line says what happened.
void RequestCoachEntrySave(CoachEntrySave& save, const std::string& typedName, const sim::CoachResult& result,
                           DesignDocument& document);
// Answers to the question about replacing an existing file.
void ConfirmCoachEntryOverwrite(CoachEntrySave& save, DesignDocument& document);
void CancelCoachEntryOverwrite(CoachEntrySave& save);

}  // namespace config
