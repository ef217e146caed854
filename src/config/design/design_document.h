#pragma once
// The configurator's file commands and their questions, without a screen: which design
// is open, opening another one, saving to "temp.txt", quitting, the question asked
// before unsaved changes are lost, and the notices and status line that report what
// happened. The screen shows the flags raised here and calls the answers back.
#include <string>
#include <vector>

#include "config/design/design_editor.h"
#include "config/design/validation.h"

namespace config {

struct DesignDocument {
  DesignEditor Editor;

  // What to do once the unsaved-changes question is answered.
  enum class AfterPrompt { Nothing, Quit, Open };
  AfterPrompt PendingAction = AfterPrompt::Nothing;
  std::string PendingOpen;  // game file name to open once the question is answered

  bool AskUnsaved = false;           // the save / discard / cancel question
  bool AskSaveWithWarnings = false;  // save a design the game handles, but with warnings?
  bool AskOverwrite = false;         // replace the existing file PendingSaveAs names?
  std::string PendingSaveAs;         // file a "save as" writes once its questions are answered
  bool ShowFileProblems = false;     // the problems of the file just opened
  bool ShowNotice = false;
  std::string Notice;  // text of the notice, UTF-8
  std::string Status;  // last action, shown at the bottom, UTF-8
  bool Quit = false;   // the configurator should end
};

// Whether a command replaced the values with those of another file, so that results
// computed for the old values (test flights, sweeps) no longer belong to the design.
enum class DesignChange { Kept, Replaced };

// Reads "temp.txt" (or starts from the default design and says so).
DesignDocument StartDocument();

// Opens a design file (game file name, e.g. "rank\rank3.txt"), first asking about
// unsaved changes. Nothing happens while that question is already being asked.
DesignChange RequestOpen(DesignDocument& document, const std::string& gameFileName);
// Ends the configurator, first asking about unsaved changes.
void RequestQuit(DesignDocument& document);

// Answers to the unsaved-changes question. Saving first continues only when the save
// succeeds; a failed save keeps the changes, says why and drops the pending command.
DesignChange SaveThenContinue(DesignDocument& document);
DesignChange ContinueWithoutSaving(DesignDocument& document);
void CancelPending(DesignDocument& document);
// The pending command is quitting (rather than opening another design).
bool QuitPending(const DesignDocument& document);

// Saves to the design's file ("temp.txt" unless saved under another name) given the
// design's current warnings: a refused design is not
// saved and the notice lists why; warnings ask first; otherwise it saves at once.
void RequestSave(DesignDocument& document, const std::vector<DesignWarning>& warnings);
// Answers to the question about saving with warnings.
void SaveDespiteWarnings(DesignDocument& document);
void CancelSaveWithWarnings(DesignDocument& document);

// Saves under another name (as typed: a missing extension becomes ".txt"). Folders,
// the game's settings files and the ranking's files are refused with a notice; an
// existing file asks first (AskOverwrite); then the design's warnings are handled as
// RequestSave handles them. Once saved, later saves write that file.
void RequestSaveAs(DesignDocument& document, const std::string& typedName, const std::vector<DesignWarning>& warnings);
// Answers to the question about replacing an existing file.
void ConfirmOverwrite(DesignDocument& document, const std::vector<DesignWarning>& warnings);
void CancelOverwrite(DesignDocument& document);

// A game file name as the screen shows it: the Japanese font draws a backslash as a
// yen sign, so folders are shown with slashes; a Shift-JIS name is shown in UTF-8.
std::string ShownName(const std::string& gameFileName);
// Where the values came from: the file's shown name, or the default design.
std::string SourceDescription(const DesignDocument& document);
// The window's title (UTF-8): the program, the design's file, where a save goes when
// that is another file, and a mark while there are unsaved changes.
std::string WindowTitle(const DesignDocument& document);

}  // namespace config
