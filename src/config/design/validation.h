#pragma once
// What the game will make of a design, checked before it is saved. Some designs are
// refused outright (the game would silently cut the wing short or fly numbers that
// are not numbers); the rest are warnings the player may save anyway.
#include <string>
#include <vector>

#include "config/design/design_warning.h"
#include "config/figures/game_figures.h"
#include "flight/aircraft.h"

namespace config {

bool RefusesSave(WarningKind kind);

std::vector<DesignWarning> ValidateDesign(const flight::AircraftSpec& spec, const GameFigures& figures);
inline std::vector<DesignWarning> ValidateDesign(const flight::AircraftSpec& spec) {
  return ValidateDesign(spec, ComputeFigures(spec));
}

bool AnyRefusal(const std::vector<DesignWarning>& warnings);

// Japanese (UTF-8): what is wrong and what the game will do with it.
std::string DescribeWarning(const DesignWarning& warning);

}  // namespace config
