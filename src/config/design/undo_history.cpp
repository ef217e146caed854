#include "config/design/undo_history.h"

#include "config/design/design_editor.h"

namespace config {

void UndoHistory::Reset(const flight::AircraftSpec& spec) {
  last_ = spec;
  started_ = true;
  merging_ = false;
  undo_.clear();
  redo_.clear();
}

void UndoHistory::Track(const flight::AircraftSpec& spec, bool editing) {
  if (!started_) {
    Reset(spec);
    return;
  }
  if (SameDesign(spec, last_)) {
    if (!editing) merging_ = false;
    return;
  }
  if (!(merging_ && editing)) {
    undo_.push_back(last_);
    if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
  }
  redo_.clear();
  last_ = spec;
  merging_ = editing;
}

bool UndoHistory::Undo(flight::AircraftSpec& spec) {
  if (undo_.empty()) return false;
  Track(spec, false);  // a change not yet reported is a step of its own
  redo_.push_back(spec);
  spec = undo_.back();
  undo_.pop_back();
  last_ = spec;
  merging_ = false;
  return true;
}

bool UndoHistory::Redo(flight::AircraftSpec& spec) {
  if (redo_.empty()) return false;
  undo_.push_back(spec);
  spec = redo_.back();
  redo_.pop_back();
  last_ = spec;
  merging_ = false;
  return true;
}

}  // namespace config
