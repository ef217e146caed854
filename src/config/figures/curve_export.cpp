#include "config/figures/curve_export.h"

#include "aircraft/aircraft_file.h"
#include "config/files/aircraft_file_check.h"
#include "config/files/save_target.h"
#include "config/status_text.h"
#include "platform/io/files.h"
#include "platform/text/shift_jis.h"

// in every language: the texts of a file format
namespace config {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Number(double value) { return aircraft::FormatExactNumber(value); }

std::string Encoded(const std::string& utf8, CsvEncoding encoding) {
  if (encoding == CsvEncoding::ShiftJis) return platform::Utf8ToShiftJis(utf8);
  return kUtf8Bom + utf8;
}

}  // namespace

std::string FormatPolarCsv(const GlidePolar& polar, CsvEncoding encoding) {
  std::string text = std::string("滑空ポーラー (高度 3000 m・無風、一定の尾翼取付角)") + kLineEnd +
                     "尾翼取付角[deg],対気速度[m/s],沈下速度[m/s],滑空比,定常(1=定常)" + kLineEnd;
  for (const PolarPoint& p : polar.Points) {
    text += Number(p.TrimDeg) + "," + Number(p.Airspeed) + "," + Number(p.SinkRate) + "," + Number(p.GlideRatio) + "," +
            (p.Steady ? "1" : "0") + kLineEnd;
  }
  return Encoded(text, encoding);
}

std::string FormatSweepCsv(const TrimSweep& sweep, CsvEncoding encoding) {
  std::string text = std::string("一定の尾翼取付角での飛行距離") + kLineEnd +
                     "尾翼取付角[deg],距離[m],発進台を離れた(1=離れた)" + kLineEnd;
  for (const SweepPoint& p : sweep.Points) {
    text += Number(p.TrimDeg) + "," + (p.LaunchEnded ? DistanceText(p.Distance) : "-") + "," +
            (p.LaunchEnded ? "1" : "0") + kLineEnd;
  }
  return Encoded(text, encoding);
}

ExportResult ExportCsvBytes(const std::string& bytes, const std::string& outFile) {
  const SaveTargetCheck check = CheckExportTarget(platform::NativePath(outFile));
  if (RefusesSaveTarget(check) && check != SaveTargetCheck::NoFolder) return ExportResult::Refused;
  return platform::WriteFileAtomically(outFile, bytes) ? ExportResult::Written : ExportResult::CannotWrite;
}

std::optional<GlidePolar> FlyWholePolar(const flight::AircraftSpec& spec, const TrimRange& range) {
  auto polar = StartPolar(spec, range.From, range.To, range.Step);
  if (polar) {
    while (!PolarDone(*polar)) FlyNextGlide(*polar);
  }
  return polar;
}

std::optional<TrimSweep> FlyWholeSweep(const flight::AircraftSpec& spec, const TrimRange& range) {
  auto sweep = StartSweep(spec, range.From, range.To, range.Step);
  if (sweep) {
    while (!SweepDone(*sweep)) FlyNextTrim(*sweep);
  }
  return sweep;
}

std::variant<flight::AircraftSpec, ExportResult> ReadDesignToExport(const std::string& designFile) {
  const auto text = platform::ReadFilePrefix(designFile, aircraft::kAircraftFileReadLimit);
  if (!text) return ExportResult::CannotRead;
  if (!KeepsLinesInStep(CheckAircraftFileText(*text))) return ExportResult::NotADesign;
  return aircraft::ParseAircraftSpecText(*text);
}

}  // namespace config
