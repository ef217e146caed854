#pragma once
// Undo and redo of value changes. The screen reports the design once a frame; a change
// becomes one step, and the keystrokes of one field edit (while the field keeps the
// keyboard) merge into a single step, so undo goes back to the value before the edit.
#include <cstddef>
#include <vector>

#include "flight/aircraft.h"

namespace config {

class UndoHistory {
public:
  // Older steps are dropped past this many.
  static constexpr size_t kMaxSteps = 1000;

  // Starts over from `spec`, with nothing to undo or redo (a design opened from a file).
  void Reset(const flight::AircraftSpec& spec);
  // Reports the design as it is now; `editing`: a field has the keyboard.
  void Track(const flight::AircraftSpec& spec, bool editing);
  // Puts the design one step back or forward; false when there is none.
  bool Undo(flight::AircraftSpec& spec);
  bool Redo(flight::AircraftSpec& spec);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

private:
  flight::AircraftSpec last_{};
  bool started_ = false;
  bool merging_ = false;  // the last step is a field edit that is still going on
  std::vector<flight::AircraftSpec> undo_, redo_;
};

}  // namespace config
