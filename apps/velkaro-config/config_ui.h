#pragma once
// The configurator's screen: the design's values grouped as the file groups them, the
// live figures and drawings, the warnings, the test flight, and the menus and popups of
// the file commands (whose logic is DesignDocument's).
#include <string>

#include "aero_panel.h"
#include "coach_panel.h"
#include "comparison_panel.h"
#include "config/editing_session.h"
#include "file_menu.h"
#include "flights_panel.h"
#include "league_panel.h"

namespace config {

// The session (design, figures, undo, test flight, sweep) and what only the screen
// keeps.
struct UiState : EditingSession {
  bool ExaggerateHeights = true;

  // A field a clicked warning asked for: it takes the keyboard in the next frame.
  int FocusLine = 0;      // file line, 0 when none
  int FocusSection = -1;  // section of a list line

  AeroPanelState AeroPanel;

  // The file chooser of open, save as and export, and the question before a replace.
  FileMenu Files;

  // The coach's "best possible flight" window.
  CoachPanel Coach;

  // The windows that overlay flights and compare the design with another.
  FlightsPanel Flights;
  ComparisonPanel Comparison;

  // The contests' rules checked on the design, and a league's top to overlay.
  LeaguePanel League;
};

// Reads "temp.txt" (or starts from the default design) and prepares the screen.
void StartUi(UiState& ui);

// Commands that come from the window rather than from the screen's widgets.
struct WindowCommands {
  bool Close = false;   // the window's close button
  bool Save = false;    // Ctrl+S
  bool SaveAs = false;  // Ctrl+Shift+S
  bool Open = false;    // Ctrl+O
  bool Undo = false;    // Ctrl+Z
  bool Redo = false;    // Ctrl+Y
};

// One frame of the whole screen.
void DrawUi(UiState& ui, const WindowCommands& commands);

// Work is going on between frames (a sweep), so the loop should not wait for input.
bool UiBusy(const UiState& ui);

}  // namespace config
