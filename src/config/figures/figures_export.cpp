#include "config/figures/figures_export.h"

#include <cstdio>

#include "aircraft/aircraft_file.h"
#include "config/figures/wing_shape.h"
#include "config/files/aircraft_file_check.h"
#include "config/files/save_target.h"
#include "platform/io/files.h"
#include "platform/text/shift_jis.h"

// in every language: the texts of a file format
namespace config {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kStripTitle = "帯の表 (片翼、内側から外側へ)";
constexpr const char* kStripHeader =
    "区間,帯,内端の位置[m],外端の位置[m],幅[m],内端の弦[m],外端の弦[m],面積[m^2],"
    "上反角(内側の帯から)[deg],後退角(内側の帯から)[deg],質量[kg]";
constexpr const char* kFigureTitle = "設計者向けの値";
constexpr const char* kFigureHeader = "項目,値,単位";

std::string Number(double value) { return aircraft::FormatExactNumber(value); }

void AddStripTable(const flight::AircraftSpec& spec, const GameFigures& f, std::string& out) {
  out += std::string(kStripTitle) + kLineEnd + kStripHeader + kLineEnd;
  double station = spec.CenterHalfWidth;  // m, the first strip's inner end
  for (size_t j = 0; j < f.Strips.size(); ++j) {
    const StripRow& r = f.Strips[j];
    const double outer = station + r.Width;
    for (double v : {double(r.Section + 1), double(j + 1), station, outer, r.Width, r.InnerChord, r.OuterChord, r.Area,
                     r.DihedralDeg, r.SweepDeg}) {
      out += Number(v) + ",";
    }
    out += Number(r.Mass) + kLineEnd;
    station = outer;
  }
}

void AddFigureTable(const GameFigures& f, const AeroFigures& d, std::string& out) {
  out += std::string(kFigureTitle) + kLineEnd + kFigureHeader + kLineEnd;
  for (const ExportedFigure& e : ExportedFigures(f, d)) out += e.Name + "," + Number(e.Value) + "," + e.Unit + kLineEnd;
}

}  // namespace

std::vector<ExportedFigure> ExportedFigures(const GameFigures& f, const AeroFigures& d) {
  std::vector<ExportedFigure> rows = {
      {"主翼面積 (翼幅×平均翼弦)", f.WingArea, "m^2"},
      {"主翼アスペクト比", f.AspectRatio},
      {"尾翼面積", f.TailArea, "m^2"},
      {"尾翼アスペクト比", f.TailAspectRatio},
      {"尾翼アーム (重心から尾翼)", -f.TailArm, "m"},
      {"尾翼容積比", f.TailVolume},
      {"ピッチ慣性モーメント", f.PitchInertia, "kg*m^2"},
      {"発進時の主翼揚力係数", f.StartWingCl},
      {"帯の数 (片翼)", double(f.StripCount)},
      {"帯の面積の合計 (両翼)", f.StripAreaBothHalves, "m^2"},
      {"帯の翼幅 (中央部込み)", f.StripSpan, "m"},
      {"帯の質量の合計 (片翼)", f.StripMassHalf, "kg"},
  };
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionFigures& s = d.Sections[i];
    if (s.Strips == 0) continue;
    const std::string section = "区間" + std::to_string(i + 1) + " ";
    rows.push_back({section + "帯の数", double(s.Strips)});
    rows.push_back({section + "面積 (片翼)", s.Area, "m^2"});
    rows.push_back({section + "翼根弦", s.RootChord, "m"});
    rows.push_back({section + "翼端弦", s.TipChord, "m"});
  }
  rows.insert(rows.end(), {
                              {"平均空力翼弦 (MAC)", d.Mac, "m"},
                              {"MAC の位置 (中心線から)", d.MacY, "m"},
                              {"MAC 前縁の位置 (後ろ向き)", d.MacLeadingX, "m"},
                              {"翼面荷重", d.WingLoading, "N/m^2"},
                              {"翼面荷重 (質量で)", d.WingLoadingKg, "kg/m^2"},
                          });
  if (d.StabilityKnown) {
    rows.insert(rows.end(), {
                                {"主翼の揚力傾斜", d.WingLiftSlope, "1/rad"},
                                {"尾翼の揚力傾斜", d.TailLiftSlope, "1/rad"},
                                {"吹きおろし勾配", d.DownwashGradient},
                                {"中立点", d.NeutralPoint, "m"},
                                {"静安定余裕 (平均翼弦比)", d.StaticMargin},
                            });
  }
  if (d.StallSpeed > 0) rows.push_back({"失速速度 (揚力係数上限で)", d.StallSpeed, "m/s"});
  return rows;
}

std::string FormatFiguresCsv(const flight::AircraftSpec& spec, CsvEncoding encoding) {
  const GameFigures f = ComputeFigures(spec);
  const AeroFigures d = ComputeAeroFigures(spec, f, ComputeWingShape(spec, f));
  std::string text;
  AddStripTable(spec, f, text);
  text += kLineEnd;
  AddFigureTable(f, d, text);
  if (encoding == CsvEncoding::ShiftJis) return platform::Utf8ToShiftJis(text);
  return kUtf8Bom + text;
}

ExportResult ExportFigures(const flight::AircraftSpec& spec, const std::string& outFile, CsvEncoding encoding) {
  const SaveTargetCheck check = CheckExportTarget(platform::NativePath(outFile));
  // A missing folder is a place that cannot be written, not a name that is refused.
  if (RefusesSaveTarget(check) && check != SaveTargetCheck::NoFolder) return ExportResult::Refused;
  const std::string bytes = FormatFiguresCsv(spec, encoding);
  return platform::WriteFileAtomically(outFile, bytes) ? ExportResult::Written : ExportResult::CannotWrite;
}

ExportResult ExportFiguresOfFile(const std::string& designFile, const std::string& outFile, CsvEncoding encoding) {
  const auto text = platform::ReadFilePrefix(designFile, aircraft::kAircraftFileReadLimit);
  if (!text) return ExportResult::CannotRead;
  if (!KeepsLinesInStep(CheckAircraftFileText(*text))) return ExportResult::NotADesign;
  return ExportFigures(aircraft::ParseAircraftSpecText(*text), outFile, encoding);
}

}  // namespace config
