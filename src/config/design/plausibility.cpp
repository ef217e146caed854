#include "config/design/plausibility.h"

#include <cmath>
#include <limits>

#include "aircraft/aircraft_file.h"
#include "config/figures/aero_figures.h"
#include "flight/constants.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();
constexpr int kCgLine = 9;
constexpr int kTailPositionLine = 10;
constexpr int kWingSpanLine = 14;
constexpr int kWingMassLine = 40;
constexpr int kRootChordLine = 44;
constexpr int kTaperLine = 45;
constexpr int kStiffnessLine = 46;
// EI in N m^2 from the file's factors: kgf/cm^2 * cm^4 / 10000 * g.
constexpr double kStiffnessScale = 9.807 / 10000;

std::string Number(double value) { return aircraft::FormatExactNumber(value); }
std::string Rounded(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}
std::string SectionName(int section) { return Formatted(TranslatedUtf8(N_("区間%d")), section + 1); }

// Why each range is what it is: human-powered gliders and the launch contest.
const std::vector<PlausibleRange> kRanges = {
    {3, -kNoLimit, 100, false},  // launch height m: the platform is 10.5 m; below 0.2 m is its own warning
    {4, -kNoLimit, 15, false},   // start speed m/s: a running launch gives 5-10 m/s; the low end is the run's warning
    {5, -30, 30, false},         // start pitch deg
    {6, -10, 10, false},         // head wind m/s: nobody flies a human-powered glider in a gale
    {8, 40, 300, true},          // total mass kg: a pilot alone is 40 kg or more; gliders with pilot weigh 70-150 kg
    {10, 0.5, 15, false},        // tail position m behind the reference point
    {11, 0.2, 5, true},          // pitch gyration radius m
    {12, 0, 0.2, false},         // body drag coefficient, referred to the wing area
    {14, 5, 60, true},           // span m: hang gliders 10 m, the largest human-powered wings about 35 m
    {15, 0.2, 3, true},          // mean chord m
    {16, -10, 15, false},        // wing incidence deg
    {18, 0, 1, false},           // aerodynamic centre as a fraction of the chord: on the wing
    {20, 3, 7.5, true},          // section lift slope 1/rad: thin-airfoil theory gives 2 pi = 6.28
    {21, -15, 5, false},         // zero-lift angle deg of cambered sections
    {22, 0.5, 2.5, false},       // maximum lift coefficient of a section without flaps
    {26, 0.003, 0.1, false},     // profile drag coefficient
    {28, 0.5, 10, true},         // tail span m
    {29, 0.1, 2, true},          // tail chord m
    {30, -15, 15, false},        // tail setting deg
    {31, 3, 7.5, true},          // tail lift slope 1/rad
    {37, 0.003, 0.1, false},     // tail profile drag coefficient
    {41, 0, 3, false},           // centre half width m: a fuselage or cockpit
    {kRootChordLine, 0.05, 3, true},   // section root chord m
    {kTaperLine, 0, 2, true},          // taper: the tip more than twice the root is no wing
    {kStiffnessLine, 1e3, 1e7, true},  // EI N m^2: spars of such wings are about 1e4-2e5
    {48, -20, 20, false},              // dihedral deg per section
    {49, -30, 30, false},              // sweep deg per section
};

bool IsSectionLine(int line) { return line >= kRootChordLine; }

double SectionValue(const flight::AircraftSpec& spec, int line, int section) {
  if (line == kStiffnessLine) return SectionBendingStiffness(spec, section);
  flight::AircraftSpec copy = spec;
  return FileLines()[line - 1].Section(copy)[section];
}

double LineValue(const flight::AircraftSpec& spec, int line) {
  flight::AircraftSpec copy = spec;
  const FileLine& l = FileLines()[line - 1];
  return l.Kind == LineKind::Height ? LaunchHeight(copy) : l.Value(copy);
}

void CheckRange(const PlausibleRange& r, double value, int section, std::vector<DesignWarning>& out) {
  if (!std::isfinite(value)) return;  // refused elsewhere
  if (r.LeaveNonPositive && !(value > 0)) return;
  if (value >= r.Low && value <= r.High) return;
  out.push_back({.Kind = WarningKind::OutOfRange,
                 .Line = r.Line,
                 .Section = section,
                 .Value = value,
                 .Low = r.Low,
                 .High = r.High});
}

void CheckRanges(const flight::AircraftSpec& spec, const GameFigures& f, std::vector<DesignWarning>& out) {
  for (const PlausibleRange& r : kRanges) {
    if (!IsSectionLine(r.Line)) {
      CheckRange(r, LineValue(spec, r.Line), -1, out);
      continue;
    }
    for (int i = 0; i < kSectionCount; ++i) {
      if (f.Sections[i].Given > 0) CheckRange(r, SectionValue(spec, r.Line, i), i, out);
    }
  }
}

void CheckGeometry(const flight::AircraftSpec& spec, const GameFigures& f, std::vector<DesignWarning>& out) {
  // The whole-wing formula flies WingSpan; the strip model and the drawing fly the
  // sections. Both should describe one wing.
  if (f.StripCount > 0 && spec.WingSpan > 0 && std::fabs(spec.WingSpan - f.StripSpan) > kSpanTolerance * f.StripSpan) {
    out.push_back(
        {.Kind = WarningKind::SpanMismatch, .Line = kWingSpanLine, .Value = spec.WingSpan, .Low = f.StripSpan});
  }
  int inner = -1;  // the last section with strips
  for (int i = 0; i < kSectionCount; ++i) {
    if (f.Sections[i].Given == 0) continue;
    const double root = spec.SectionRootChord[i];
    const double tip = root * spec.SectionTaper[i];
    if (root > 0 && !(tip > 0)) {
      out.push_back({.Kind = WarningKind::TipChordNotPositive, .Line = kTaperLine, .Section = i, .Value = tip});
    }
    if (inner >= 0 && root > 0) {
      const double innerTip = spec.SectionRootChord[inner] * spec.SectionTaper[inner];
      if (innerTip > 0 && std::fabs(root - innerTip) > kChordJumpTolerance * std::fmax(root, innerTip)) {
        out.push_back(
            {.Kind = WarningKind::ChordJump, .Line = kRootChordLine, .Section = i, .Value = root, .Low = innerTip});
      }
    }
    inner = i;
  }
  if (spec.WingChord > 0 && (spec.CgPosition < 0 || spec.CgPosition > spec.WingChord)) {
    out.push_back(
        {.Kind = WarningKind::CgOutsideChord, .Line = kCgLine, .Value = spec.CgPosition, .High = spec.WingChord});
  }
  if (spec.Mass > 0 && spec.WingMass > spec.Mass) {
    out.push_back(
        {.Kind = WarningKind::WingMassAboveMass, .Line = kWingMassLine, .Value = spec.WingMass, .High = spec.Mass});
  }
}

void CheckStability(const flight::AircraftSpec& spec, const GameFigures& f, std::vector<DesignWarning>& out) {
  const AeroFigures d = ComputeAeroFigures(spec, f, WingShape{});
  if (d.StabilityKnown && d.StaticMargin < 0) {
    out.push_back(
        {.Kind = WarningKind::TailTooSmall, .Line = kTailPositionLine, .Value = d.TailVolume, .Low = d.StaticMargin});
  }
}

}  // namespace

const std::vector<PlausibleRange>& PlausibleRanges() { return kRanges; }

double SectionBendingStiffness(const flight::AircraftSpec& spec, int section) {
  return spec.SectionStiffness1[section] * spec.SectionStiffness2[section] * kStiffnessScale;
}

void AddPlausibilityWarnings(const flight::AircraftSpec& spec, const GameFigures& f, std::vector<DesignWarning>& out) {
  CheckRanges(spec, f, out);
  CheckGeometry(spec, f, out);
  CheckStability(spec, f, out);
}

std::string DescribePlausibility(const DesignWarning& w) {
  switch (w.Kind) {
    case WarningKind::OutOfRange: {
      const FileLine& line = FileLines()[w.Line - 1];
      std::string name = TranslatedUtf8(w.Line == kStiffnessLine ? N_("曲げ剛性 EI (剛性1×剛性2)") : line.Name);
      const std::string unit = w.Line == kStiffnessLine ? "N·m²" : TranslatedUtf8(line.Unit);  // in every language
      const std::string spacedUnit = unit.empty() ? "" : " " + unit;  // no stray space for a plain number
      if (w.Section >= 0) name = Formatted(TranslatedUtf8(N_("%sの%s")), SectionName(w.Section).c_str(), name.c_str());
      const std::string low = std::isfinite(w.Low) ? Rounded(w.Low) : "";
      return Formatted(
          TranslatedUtf8(
              N_("%s %s%s は人力グライダーとしてありそうな範囲 (%s〜%s%s) の外です。打ち間違いではありませんか?")),
          name.c_str(), Rounded(w.Value).c_str(), spacedUnit.c_str(), low.c_str(), Rounded(w.High).c_str(),
          spacedUnit.c_str());
    }
    case WarningKind::SpanMismatch:
      return Formatted(TranslatedUtf8(N_("翼幅 %s m が区間の合計と中央部から出る翼幅 %s m と合いません。"
                                         "全翼式は翼幅を、翼分割モデルと図は区間を使います。")),
                       Number(w.Value).c_str(), Rounded(w.Low).c_str());
    case WarningKind::ChordJump:
      return Formatted(TranslatedUtf8(N_("%sの翼根弦長 %s m が内側の区間の端の弦長 %s m から飛んでいます "
                                         "(区間の継ぎ目で翼弦が段になります)。")),
                       SectionName(w.Section).c_str(), Number(w.Value).c_str(), Rounded(w.Low).c_str());
    case WarningKind::TipChordNotPositive:
      return Formatted(
          TranslatedUtf8(N_("%sの端の弦長 (翼根弦長×テーパ比) が %s m です。翼端が 0 以下の翼になります。")),
          SectionName(w.Section).c_str(), Rounded(w.Value).c_str());
    case WarningKind::CgOutsideChord:
      return Formatted(TranslatedUtf8(N_("重心位置 %s m が主翼の翼弦 (0〜%s m) の外です。")), Number(w.Value).c_str(),
                       Number(w.High).c_str());
    case WarningKind::TailTooSmall:
      return Formatted(TranslatedUtf8(N_("尾翼容積比 %s では中立点が重心より前になり (静安定余裕 %s %%)、"
                                         "ピッチが不安定です。尾翼を大きくするか後ろへ、または重心を前へ。")),
                       Rounded(w.Value).c_str(), Rounded(w.Low * 100).c_str());
    case WarningKind::WingMassAboveMass:
      return Formatted(TranslatedUtf8(N_("主翼質量 %s kg が全備質量 %s kg より重くなっています。")),
                       Number(w.Value).c_str(), Number(w.High).c_str());
    default: return {};
  }
}

}  // namespace config
