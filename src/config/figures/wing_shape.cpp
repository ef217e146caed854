#include "config/figures/wing_shape.h"

#include <algorithm>
#include <cmath>

namespace config {
namespace {

constexpr double kDegToRadExact = 3.14159265358979323846 / 180.0;  // drawing only

}  // namespace

WingShape ComputeWingShape(const flight::AircraftSpec& spec, const GameFigures& figures) {
  WingShape shape;
  shape.CenterHalfWidth = spec.CenterHalfWidth;
  if (!figures.Strips.empty()) shape.RootChord = figures.Strips.front().InnerChord;
  double dihedral = 0, sweep = 0;  // rad, accumulated outward
  PlanPoint le{0, spec.CenterHalfWidth};
  FrontPoint front{spec.CenterHalfWidth, 0};
  shape.HalfSpan = std::max(0.0, spec.CenterHalfWidth);
  for (const StripRow& row : figures.Strips) {
    dihedral += row.DihedralDeg * kDegToRadExact;
    sweep += row.SweepDeg * kDegToRadExact;
    const double projected = row.Width * std::cos(dihedral);  // seen from above
    StripOutline out;
    out.Section = row.Section;
    const PlanPoint outerLe{le.X + projected * std::sin(sweep), le.Y + projected * std::cos(sweep)};
    out.Plan = {le, outerLe, PlanPoint{outerLe.X + row.OuterChord, outerLe.Y}, PlanPoint{le.X + row.InnerChord, le.Y}};
    out.Inner = front;
    out.Outer = {front.Y + projected, front.Z + row.Width * std::sin(dihedral)};
    shape.Strips.push_back(out);
    le = outerLe;
    front = out.Outer;
    shape.HalfSpan = std::max(shape.HalfSpan, outerLe.Y);
  }
  shape.TipHeight = front.Z;
  return shape;
}

}  // namespace config
