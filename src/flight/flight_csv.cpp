#include "flight/flight_csv.h"

#include <cstdio>
#include <sstream>

#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/language.h"

// in every language: the texts of a file format (its labels stay Japanese in any language)
namespace flight {
namespace {

// "時刻[s],x座標[m],…,主翼誘導抗力,尾翼誘導抗力" in Shift-JIS.
constexpr const char* kCsvHeader =
    "\x8e\x9e\x8d\x8f[s],x\x8d\xc0\x95\x57[m],y\x8d\xc0\x95\x57[m],\x83\x73\x83\x62\x83\x60\x8a\x70[deg],x\x91\xac"
    "\x93\x78[m/s],y\x91\xac\x93\x78[m/s],\x83\x73\x83\x62\x83\x60\x8a\x70\x91\xac\x93\x78[deg/s],"
    "x\x89\xc1\x91\xac\x93\x78[m/s^2],y\x89\xc1\x91\xac\x93\x78[m/s^2],\x83\x73\x83\x62\x83\x60\x8a\x70\x89\xc1\x91"
    "\xac\x93\x78[deg/s^2],\x8d\x87\x90\xac\x91\xac\x93\x78[m/s],\x8b\x40\x91\xcc\x8c\x7d\x8a\x70[deg],"
    "\x8e\xe5\x97\x83\x97\x4c\x8c\xf8\x8c\x7d\x8a\x70[deg],\x8e\xe5\x97\x83\x97\x67\x97\xcd\x8c\x57\x90\x94,\x94\xf6"
    "\x97\x83\x97\x4c\x8c\xf8\x8c\x7d\x8a\x70[deg],\x94\xf6\x97\x83\x97\x67\x97\xcd\x8c\x57\x90\x94,\x94\xf6\x97\x83"
    "\x90\xdd\x92\xe8\x8a\x70\x93\x78,"
    "\x8e\xe5\x97\x83\x97\x55\x93\xb1\x8d\x52\x97\xcd,\x94\xf6\x97\x83\x97\x55\x93\xb1\x8d\x52\x97\xcd";

// "飛行記録CSVファイル生成に失敗"
constexpr const char* kCsvCreateFailed =
    N_("\x94\xf2\x8d\x73\x8b\x4c\x98\x5e"
       "CSV\x83\x74\x83\x40\x83\x43\x83\x8b\x90\xb6\x90\xac\x82\xc9\x8e\xb8\x94\x73");

}  // namespace

std::string FormatFlightCsv(const Aircraft& a) {
  return FormatFlightCsvRows(std::span<const FlightRecord>(a.RecordCopy.data(), size_t{a.Step} + 1));
}

std::string_view FlightCsvHeader() { return kCsvHeader; }

std::array<double, kCsvColumnCount> FlightCsvValues(const FlightRecord& r, int step) {
  // The time is a float; widened to double it prints the same digits.
  return {CsvTime(step),
          r.Position[kX],
          -r.Position[kZ],
          CsvDegrees(r.Position[kPitch]),
          r.Velocity[0],
          r.Velocity[1],
          CsvDegrees(r.Velocity[2]),
          r.Acceleration[0],
          r.Acceleration[1],
          CsvDegrees(r.Acceleration[2]),
          r.ResultantSpeed,
          CsvDegrees(r.BodyAlpha),
          r.WingAlphaDeg,
          r.WingCl,
          r.TailAlphaDeg,
          r.TailCl,
          r.TailSettingDeg,
          r.WingCdi,
          r.TailCdi};
}

std::string FormatFlightCsvRows(std::span<const FlightRecord> rows) {
  std::ostringstream out;
  out << kCsvHeader << '\n';
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto values = FlightCsvValues(rows[i], static_cast<int>(i));
    for (int c = 0; c < kCsvColumnCount; ++c) out << values[c] << (c + 1 < kCsvColumnCount ? ',' : '\n');
  }
  return out.str();
}

std::string FlightCsvFileName(const std::tm& t) {
  char name[256];
  std::snprintf(name, sizeof name, "%d%.2d%.2d-%.2d%.2d%.2d.txt", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec);
  return name;
}

bool WriteFlightCsv(const Aircraft& a, const std::string& path) {
  return platform::WriteFile(path, FormatFlightCsv(a));
}

std::string ExportFlightCsv(const Aircraft& a, const std::tm& localTime) {
  return ExportFlightCsvRows(std::span<const FlightRecord>(a.RecordCopy.data(), size_t{a.Step} + 1), localTime);
}

std::string ExportFlightCsvRows(std::span<const FlightRecord> rows, const std::tm& localTime) {
  const std::string name = FlightCsvFileName(localTime);
  if (!platform::WriteFile(name, FormatFlightCsvRows(rows))) {
    platform::ShowWarning(kCsvCreateFailed);
    return {};
  }
  return name;
}

}  // namespace flight
