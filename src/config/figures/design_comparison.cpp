#include "config/figures/design_comparison.h"

#include <cmath>
#include <cstdio>

#include "aircraft/aircraft_file.h"
#include "config/design/design_document.h"
#include "config/design/design_editor.h"
#include "config/design/design_fields.h"
#include "config/figures/aero_figures.h"
#include "config/flights/test_flight.h"
#include "config/status_text.h"
#include "flight/constants.h"
#include "platform/text/language.h"

namespace config {
namespace {

using flight::AircraftSpec;
using platform::TranslatedUtf8;

bool SameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

std::string Compact(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

struct RowBuilder {
  ComparisonGroup Group;
  std::vector<ComparisonRow>& Rows;

  // `name` and `unit`: N_ texts, or names already made in the language in use.
  void Add(const std::string& name, const char* unit, double a, double b, bool exact = false) {
    ComparisonRow row;
    row.Group = Group;
    row.Name = TranslatedUtf8(name.c_str());
    row.Unit = TranslatedUtf8(unit);
    row.A = a;
    row.B = b;
    row.Exact = exact;
    row.Differs = !SameNumber(a, b);
    row.Difference = b - a;
    if (row.Differs && std::isfinite(a) && a != 0) row.Percent = row.Difference / std::fabs(a) * 100;
    Rows.push_back(std::move(row));
  }
};

std::string SectionName(const char* name, int section) {
  return platform::Formatted(TranslatedUtf8(N_("%s (区間%d)")), TranslatedUtf8(name), section + 1);
}

void FileValues(AircraftSpec a, AircraftSpec b, std::vector<ComparisonRow>& rows) {
  RowBuilder add{ComparisonGroup::Values, rows};
  for (const FileLine& line : FileLines()) {
    switch (line.Kind) {
      case LineKind::Height: add.Add(line.Name, line.Unit, LaunchHeight(a), LaunchHeight(b), true); break;
      case LineKind::Value: add.Add(line.Name, line.Unit, line.Value(a), line.Value(b), true); break;
      case LineKind::Integer: add.Add(line.Name, line.Unit, a.StripModel, b.StripModel, true); break;
      case LineKind::EnabledList:
        // The first section always exists; the file lists sections 2 to 4.
        for (int i = 1; i < kSectionCount; ++i) {
          add.Add(SectionName(line.Name, i), line.Unit, a.SectionEnabled[i], b.SectionEnabled[i], true);
        }
        break;
      case LineKind::SectionList:
        for (int i = 0; i < kSectionCount; ++i) {
          add.Add(SectionName(line.Name, i), line.Unit, line.Section(a)[i], line.Section(b)[i], true);
        }
        break;
      default: break;
    }
  }
}

void GameFigureRows(const GameFigures& a, const GameFigures& b, std::vector<ComparisonRow>& rows) {
  RowBuilder add{ComparisonGroup::GameFigures, rows};
  add.Add(N_("主翼面積 (翼幅×平均翼弦)"), "m²", a.WingArea, b.WingArea);  // in every language
  add.Add(N_("主翼アスペクト比"), "", a.AspectRatio, b.AspectRatio);
  add.Add(N_("尾翼面積"), "m²", a.TailArea, b.TailArea);  // in every language
  add.Add(N_("尾翼アスペクト比"), "", a.TailAspectRatio, b.TailAspectRatio);
  add.Add(N_("尾翼アーム (重心から尾翼)"), "m", -a.TailArm, -b.TailArm);
  add.Add(N_("ピッチ慣性モーメント"), "kg·m²", a.PitchInertia, b.PitchInertia);  // in every language
  add.Add(N_("発進時の主翼揚力係数"), "", a.StartWingCl, b.StartWingCl);
  add.Add(N_("帯の数 (片翼)"), N_("本"), a.StripCount, b.StripCount);
  add.Add(N_("帯の面積の合計 (両翼)"), "m²", a.StripAreaBothHalves, b.StripAreaBothHalves);  // in every language
  add.Add(N_("帯の翼幅 (中央部込み)"), "m", a.StripSpan, b.StripSpan);
  add.Add(N_("帯の質量の合計 (片翼)"), "kg", a.StripMassHalf, b.StripMassHalf);
}

void AeroFigureRows(const AeroFigures& a, const AeroFigures& b, std::vector<ComparisonRow>& rows) {
  RowBuilder add{ComparisonGroup::AeroFigures, rows};
  for (int i = 0; i < kSectionCount; ++i) {
    add.Add(SectionName(N_("面積 (片翼)"), i), "m²", a.Sections[i].Area, b.Sections[i].Area);  // in every language
    add.Add(SectionName(N_("翼端弦"), i), "m", a.Sections[i].TipChord, b.Sections[i].TipChord);
  }
  add.Add(N_("平均空力翼弦 (MAC)"), "m", a.Mac, b.Mac);
  add.Add(N_("MAC の位置 (中心線から)"), "m", a.MacY, b.MacY);
  add.Add(N_("MAC 前縁の位置 (後ろ向き)"), "m", a.MacLeadingX, b.MacLeadingX);
  add.Add(N_("翼面荷重"), "N/m²", a.WingLoading, b.WingLoading);  // in every language
  add.Add(N_("尾翼容積比"), "", a.TailVolume, b.TailVolume);
  // Figures a design does not define are NaN, so they show as such and never as 0.
  const double nan = std::nan("");
  add.Add(N_("中立点"), "m", a.StabilityKnown ? a.NeutralPoint : nan, b.StabilityKnown ? b.NeutralPoint : nan);
  add.Add(N_("静安定余裕 (平均翼弦比)"), "%", a.StabilityKnown ? a.StaticMargin * 100 : nan,
          b.StabilityKnown ? b.StaticMargin * 100 : nan);
  add.Add(N_("失速速度 (揚力係数上限で)"), "m/s", a.StallSpeed, b.StallSpeed);
}

// Distance and time of the untouched flight; NaN when the design never leaves the
// platform or its numbers run away.
void FlightRows(const AircraftSpec& a, const AircraftSpec& b, std::vector<ComparisonRow>& rows) {
  RowBuilder add{ComparisonGroup::Flight, rows};
  const FlightProfile fa = FlyDesign(a), fb = FlyDesign(b);
  const auto distance = [](const FlightProfile& f) { return f.LaunchEnded ? double{f.Distance} : std::nan(""); };
  const auto seconds = [](const FlightProfile& f) {
    return f.LaunchEnded ? f.LastStep * flight::kTimeStep : std::nan("");
  };
  add.Add(N_("距離 (操縦なし)"), "m", distance(fa), distance(fb));
  rows.back().Distance = true;
  add.Add(N_("飛行時間 (操縦なし)"), "s", seconds(fa), seconds(fb));
}

}  // namespace

std::vector<ComparisonRow> CompareDesigns(const AircraftSpec& a, const AircraftSpec& b) {
  std::vector<ComparisonRow> rows;
  FileValues(a, b, rows);
  const GameFigures fa = ComputeFigures(a), fb = ComputeFigures(b);
  GameFigureRows(fa, fb, rows);
  AeroFigureRows(ComputeAeroFigures(a, fa, ComputeWingShape(a, fa)), ComputeAeroFigures(b, fb, ComputeWingShape(b, fb)),
                 rows);
  FlightRows(a, b, rows);
  return rows;
}

int CountDifferences(const std::vector<ComparisonRow>& rows) {
  int count = 0;
  for (const ComparisonRow& row : rows) count += row.Differs ? 1 : 0;
  return count;
}

std::string FormatComparedValue(const ComparisonRow& row, double value) {
  if (std::isnan(value)) return "-";
  if (row.Exact) return aircraft::FormatExactNumber(value);
  if (row.Distance) return DistanceText(value);
  // Distances and times as the game and the test flight show them.
  return Compact(row.Group == ComparisonGroup::Flight ? "%.2f" : "%.4g", value);
}

std::string FormatDifference(const ComparisonRow& row) {
  if (!row.Differs) return "";
  if (!std::isfinite(row.Difference)) return TranslatedUtf8(N_("違う"));
  if (row.Distance) return (row.Difference > 0 ? "+" : "") + DistanceText(row.Difference);
  std::string text = Compact("%+.4g", row.Difference);
  if (row.Percent) text += " (" + Compact("%+.1f", *row.Percent) + " %)";
  return text;
}

const char* ComparisonGroupTitle(ComparisonGroup group) {
  switch (group) {
    case ComparisonGroup::Values: return N_("ファイルの値");
    case ComparisonGroup::GameFigures: return N_("ゲームが計算する値");
    case ComparisonGroup::AeroFigures: return N_("設計者向けの値");
    case ComparisonGroup::Flight: return N_("試験飛行 (操縦なし)");
  }
  return "";
}

ComparedDesign ReadComparedDesign(const std::string& gameFileName) {
  DesignEditor editor;
  if (!OpenDesign(editor, gameFileName))
    return {std::nullopt,
            platform::Formatted(TranslatedUtf8(N_("「%s」を開けません。")), ShownName(gameFileName).c_str())};
  return {editor.Spec, ""};
}

}  // namespace config
