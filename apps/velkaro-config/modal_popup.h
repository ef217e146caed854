#pragma once
// The configurator's modal popups all look and answer alike: centred, between 360 and
// 720 pixels wide, sized to their content; Escape cancels and Enter confirms a notice.
#include <string>

namespace config {

// Opens a modal popup when its flag is set; returns true while it is shown (then end
// it with ImGui::EndPopup). `name` is an N_ text: the title in the language in use.
bool BeginModal(const char* name, bool shown);

// The cancel button, or Escape.
bool CancelPressed();

// The OK button of a notice, or Enter (once the notice has been shown).
bool OkPressed();

// Clears the popup's flag and closes it.
void CloseModal(bool& flag);

enum class ReplaceAnswer { None, Replace, Cancel };

// The question asked before an existing file is replaced, shown while `asking` is set:
// the question's text, "置き換える" and cancel. An answer closes it and clears the flag.
ReplaceAnswer AskToReplace(const char* name, bool& asking, const std::string& question);

}  // namespace config
