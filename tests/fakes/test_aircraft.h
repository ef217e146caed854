#pragma once
// Aircraft for tests: the shipped default glider, built in code.
#include <memory>
#include <string>

#include "config/design/design_editor.h"
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

// The golden flight's entry file: an aircraft file's text, the separator and a fixed
// control log that steps the tail from -0.5 to +0.95 degree and round again.
inline std::string GoldenEntryText(const std::string& aircraftText) {
  std::string entry = aircraftText + "\r\n--------vvv--------\r\n";
  for (int k = 0; k < 3000; ++k) entry += std::to_string(-0.5 + 0.05 * (k / 100 % 30)) + "\r\n";
  return entry;
}

}  // namespace fakes
