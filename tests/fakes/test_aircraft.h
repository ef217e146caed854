#pragma once
// Aircraft for tests: the shipped default glider, built in code.
#include <memory>

#include "design_editor.h"
#include "flight/aircraft.h"
#include "flight/set_spec.h"

namespace fakes {

// The shipped default glider, as the configurator starts from it.
inline flight::AircraftSpec GliderSpec() { return config::DefaultDesign(); }

inline std::unique_ptr<flight::Aircraft> MakeAircraft(const flight::AircraftSpec& spec = GliderSpec()) {
  auto a = std::make_unique<flight::Aircraft>();
  flight::SetSpec(*a, spec);
  return a;
}

}  // namespace fakes
