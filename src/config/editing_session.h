#pragma once
// One editing session of the configurator, without its window: the open design and
// its file commands, the figures, drawing and warnings kept in step with the values,
// undo, the test flight and the constant-trim sweep. The screen calls UpdateSession
// once a frame and shows what is here; results that belong to values a newly opened
// design replaced are dropped.
#include <optional>
#include <string>
#include <vector>

#include "config/design/design_document.h"
#include "config/design/undo_history.h"
#include "config/design/validation.h"
#include "config/figures/aero_figures.h"
#include "config/figures/game_figures.h"
#include "config/figures/trim_figures.h"
#include "config/figures/wing_shape.h"
#include "config/flights/entry_flight.h"
#include "config/flights/test_flight.h"

namespace config {

struct EditingSession {
  DesignDocument Document;  // the design, its file commands, questions and status

  // Figures, drawing and warnings of the values in FiguresFor (the file text they
  // would be saved as); recomputed when that text changes.
  std::string FiguresFor;
  GameFigures Figures;
  WingShape Shape;
  std::vector<DesignWarning> Warnings;
  AeroFigures Aero;
  TrimFigures Trim;  // of the trimmed glide; not flown when the launch cannot end

  UndoHistory History;  // undo and redo of value changes
  // A status that tells of a change of the values (undone, redone, a trim applied) and
  // the design text it left: the next edit makes it old news and clears it.
  std::string ChangeStatus, ChangeStatusFor;

  // Test flight of the values in FlightFor; flown again whenever the values change
  // while AutoFly is on and no sweep is running.
  bool AutoFly = true;
  std::string FlightFor;
  std::optional<FlightProfile> Flight;
  // A design opened from a file with a recorded tail schedule (a ranking entry) is
  // flown with that schedule too, as velkaro-sim flies the entry, beside the untouched
  // flight; both are flown for FlightFor.
  std::shared_ptr<const EntrySchedule> Schedule;
  std::optional<FlightProfile> ScheduleFlight;

  // Constant-trim sweep over the values in SweepFor, one flight a frame.
  double SweepFrom = -3, SweepTo = 3, SweepStep = 0.25;  // deg
  std::optional<TrimSweep> Sweep;
  bool SweepRunning = false;
  std::string SweepFor;
};

// Reads "temp.txt" (or starts from the default design), with nothing to undo.
void StartSession(EditingSession& session);

// The file text the values would be saved as: what figures and flights are keyed by.
std::string DesignText(const EditingSession& session);

// Once a frame: records the values for undo (`editing`: a field has the keyboard),
// brings figures and the test flight up to date and flies the sweep's next setting.
// Returns the design text of this frame.
std::string UpdateSession(EditingSession& session, bool editing);

// Flies the values now, whatever AutoFly says (a design that never leaves the
// platform too); `text` is this frame's design text.
void FlyNow(EditingSession& session, const std::string& text);

// Starts a sweep over SweepFrom .. SweepTo by SweepStep, or says in the status line why
// the range cannot be swept.
void RequestSweep(EditingSession& session, const std::string& text);
void CancelSweep(EditingSession& session);
// The sweep's best tail setting made the design's tail incidence (nothing without one).
void ApplyBestTrim(EditingSession& session);

// Undo and redo of value changes, told in the status line.
void UndoChange(EditingSession& session);
void RedoChange(EditingSession& session);

// Takes in the outcome of a file command: when it replaced the values, undo starts
// over and the test flight and the sweep, which flew the old values, are dropped.
void Follow(EditingSession& session, DesignChange change);
// Opens a design file (game file name), asking first about unsaved changes.
void RequestOpen(EditingSession& session, const std::string& gameFileName);

// Work goes on between frames (a sweep).
bool SessionBusy(const EditingSession& session);

// The values are still those of the entry the schedule came from.
bool ScheduleFitsDesign(const EditingSession& session, const std::string& text);

// Japanese (UTF-8): the flight's distance and times, or why there is none.
std::string FlightSummary(const FlightProfile& flight);

}  // namespace config
