#include "config/design/validation.h"

#include <cmath>

#include "aircraft/aircraft_file.h"
#include "config/design/plausibility.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

constexpr int kStripModelLine = 39;
constexpr int kWingMassLine = 40;
constexpr int kEnabledLine = 42;
constexpr int kSpanLine = 43;
constexpr int kStartHeightLine = 3;
constexpr int kStartSpeedLine = 4;
constexpr int kMassLine = 8;
constexpr int kGyrationLine = 11;
constexpr int kWingSpanLine = 14;
constexpr int kTailSpanLine = 28;
constexpr int kStiffness1Line = 46;
constexpr int kRootChordLine = 44;

std::string Number(double value) { return aircraft::FormatExactNumber(value); }

std::string SectionName(int section) { return Formatted(TranslatedUtf8(N_("区間%d")), section + 1); }

void CheckFinite(const flight::AircraftSpec& source, std::vector<DesignWarning>& out) {
  flight::AircraftSpec spec = source;  // the field accessors take a mutable record
  for (const FileLine& line : FileLines()) {
    if (line.Value && !std::isfinite(line.Value(spec))) {
      out.push_back({WarningKind::NotFinite, line.Number, -1, line.Value(spec)});
    }
    if (line.Section) {
      for (int i = 0; i < kSectionCount; ++i) {
        const double v = line.Section(spec)[i];
        if (!std::isfinite(v)) out.push_back({WarningKind::NotFinite, line.Number, i, v});
      }
    }
  }
}

}  // namespace

bool RefusesSave(WarningKind kind) {
  return kind == WarningKind::TooManyStrips || kind == WarningKind::SectionSpanNotPositive ||
         kind == WarningKind::NotFinite;
}

bool AnyRefusal(const std::vector<DesignWarning>& warnings) {
  for (const DesignWarning& w : warnings) {
    if (RefusesSave(w.Kind)) return true;
  }
  return false;
}

std::vector<DesignWarning> ValidateDesign(const flight::AircraftSpec& spec, const GameFigures& f) {
  std::vector<DesignWarning> out;
  CheckFinite(spec, out);
  if (f.StripsNeeded > flight::kMaxStrips) {
    out.push_back({WarningKind::TooManyStrips, kSpanLine, -1, 0, f.StripsNeeded});
  }
  for (int i = 0; i < kSectionCount; ++i) {
    if (f.Sections[i].Enabled && !(spec.SectionSpan[i] > 0) && std::isfinite(spec.SectionSpan[i])) {
      out.push_back({WarningKind::SectionSpanNotPositive, kSpanLine, i, spec.SectionSpan[i]});
    }
  }

  if (!f.LaunchReachesEdge) out.push_back({WarningKind::LaunchNeverEnds, kStartSpeedLine, -1, spec.StartSpeed});
  if (LaunchHeight(spec) < flight::kTouchdownHeight) {
    out.push_back({WarningKind::StartBelowTouchdown, kStartHeightLine, -1, LaunchHeight(spec)});
  }
  if (!(spec.Mass > 0)) out.push_back({WarningKind::MassNotPositive, kMassLine, -1, spec.Mass});
  if (spec.GyrationRadius == 0) out.push_back({WarningKind::GyrationZero, kGyrationLine});
  if (!(f.WingArea > 0)) out.push_back({WarningKind::WingAreaNotPositive, kWingSpanLine, -1, f.WingArea});
  if (!(f.TailArea > 0)) out.push_back({WarningKind::TailAreaNotPositive, kTailSpanLine, -1, f.TailArea});

  // Strip data only matters for sections that get strips.
  for (int i = 0; i < kSectionCount; ++i) {
    if (f.Sections[i].Given == 0) continue;
    if (spec.SectionStiffness1[i] * spec.SectionStiffness2[i] == 0) {
      out.push_back({WarningKind::ZeroStiffness, kStiffness1Line, i});
    }
    bool areaMissing = false;
    for (const StripRow& row : f.Strips) areaMissing = areaMissing || (row.Section == i && !(row.Area > 0));
    if (areaMissing) out.push_back({WarningKind::SectionAreaNotPositive, kRootChordLine, i});
  }
  if (!(spec.WingMass > 0)) out.push_back({WarningKind::WingMassNotPositive, kWingMassLine, -1, spec.WingMass});

  if (spec.StripModel != 0 && spec.StripModel != 1) {
    out.push_back({WarningKind::StripModelValue, kStripModelLine, -1, static_cast<double>(spec.StripModel)});
  }
  for (int i = 1; i < kSectionCount; ++i) {
    if (spec.SectionEnabled[i] != 0 && spec.SectionEnabled[i] != 1) {
      out.push_back({WarningKind::SectionFlagValue, kEnabledLine, i, static_cast<double>(spec.SectionEnabled[i])});
    }
  }
  AddPlausibilityWarnings(spec, f, out);
  return out;
}

std::string DescribeWarning(const DesignWarning& w) {
  const std::string refused = TranslatedUtf8(N_(" 保存できません。"));
  const std::string value = Number(w.Value);
  switch (w.Kind) {
    case WarningKind::TooManyStrips:
      return Formatted(
                 TranslatedUtf8(
                     N_("主翼の帯が片翼 %d 本必要です (上限 30 本)。ゲームは 30 本で打ち切り、翼の外側が欠けます。")),
                 w.Count) +
             refused;
    case WarningKind::SectionSpanNotPositive:
      return Formatted(TranslatedUtf8(N_("%sは有効なのに区間長が %s m です。ゲームはこの区間に帯を作りません。")),
                       SectionName(w.Section).c_str(), value.c_str()) +
             refused;
    case WarningKind::NotFinite: {
      const char* name = TranslatedUtf8(FileLines()[w.Line - 1].Name);
      const std::string said =
          w.Section >= 0
              ? Formatted(
                    TranslatedUtf8(N_("%d 行目 (%s, %s) の値 %s は有限の数ではありません。飛行計算が成り立ちません。")),
                    w.Line, name, SectionName(w.Section).c_str(), value.c_str())
              : Formatted(
                    TranslatedUtf8(N_("%d 行目 (%s) の値 %s は有限の数ではありません。飛行計算が成り立ちません。")),
                    w.Line, name, value.c_str());
      return said + refused;
    }
    case WarningKind::LaunchNeverEnds:
      return Formatted(TranslatedUtf8(N_("初速 %s m/s では発進台の滑走が加速しません (約 3.3 m/s 以下)。"
                                         "ゲームでは発進台の端に届かず、飛び立ちません。")),
                       value.c_str());
    case WarningKind::StartBelowTouchdown:
      return Formatted(
          TranslatedUtf8(
              N_("発進高度 %s m は着水判定の 0.2 m 未満です。ゲームでは最初の一歩で着水し、距離は 0 m です。")),
          value.c_str());
    case WarningKind::ZeroStiffness:
      return Formatted(
          TranslatedUtf8(
              N_("%sの剛性 (剛性1 × 剛性2) が 0 です。翼のたわみが 0 で割る計算になり (翼分割モデルを使わなくても"
                 "たわみはアスペクト比に効きます)、まともに飛ばないか飛行が数値でなくなります。")),
          SectionName(w.Section).c_str());
    case WarningKind::MassNotPositive:
      return Formatted(TranslatedUtf8(N_("全備質量が %s kg です。加速度の計算が成り立たず (0 では 0 で割り)、"
                                         "飛行が数値でなくなり距離が出ません。")),
                       value.c_str());
    case WarningKind::GyrationZero:
      return TranslatedUtf8(N_(
          "ピッチ慣性半径が 0 です。慣性モーメントが 0 になり、ピッチの計算が 0 で割って飛行が数値でなくなります。"));
    case WarningKind::WingAreaNotPositive:
      return Formatted(
          TranslatedUtf8(N_(
              "主翼面積 (翼幅 × 平均翼弦) が %s m² です。アスペクト比が無限大か数値でなくなり、まともに飛びません。")),
          value.c_str());
    case WarningKind::TailAreaNotPositive:
      return Formatted(
          TranslatedUtf8(
              N_("尾翼面積 (尾翼幅 × 尾翼弦長) が %s m² です。尾翼のアスペクト比が壊れ、まともに飛びません。")),
          value.c_str());
    case WarningKind::SectionAreaNotPositive:
      return Formatted(
          TranslatedUtf8(N_("%sに面積 0 以下の帯があります (翼根弦長かテーパ比)。その帯は揚力を出しません。")),
          SectionName(w.Section).c_str());
    case WarningKind::WingMassNotPositive:
      return Formatted(TranslatedUtf8(N_("主翼質量が %s kg です。翼の重さがたわみの計算に入りません。")),
                       value.c_str());
    case WarningKind::StripModelValue:
      return Formatted(
          TranslatedUtf8(
              N_("翼分割モデルの値 %s は 0 でも 1 でもありません。ゲームは下位 8 ビットが 1 のときだけ使います。")),
          value.c_str());
    case WarningKind::SectionFlagValue:
      return Formatted(TranslatedUtf8(N_("%sの有効フラグ %s は 0 でも 1 でもありません。"
                                         "ゲームは 1 のときだけ有効とみなすので、この区間は使われません。")),
                       SectionName(w.Section).c_str(), value.c_str());
    default: return DescribePlausibility(w);
  }
  return {};
}

}  // namespace config
