#include "aircraft/aircraft_file.h"

#include <algorithm>
#include <charconv>
#include <tuple>

#include "flight/set_spec.h"
#include "platform/io/files.h"
#include "platform/services.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"

// in every language: the texts of a file format (its labels stay Japanese in any language)
namespace aircraft {
namespace {

using flight::AircraftSpec;

enum class LineKind {
  Heading,       // read whole and ignored
  IgnoredValue,  // value line whose value is dropped
  Value,         // label,value
  NegatedValue,  // label,value stored negated (the launch height becomes StartZ)
  IntValue,      // label,value read as an integer
  EnabledList,   // label,v,v,v, into SectionEnabled[1..3]
  SectionList,   // label,v,v,v,v, into one of the section arrays
};

using DoubleField = double& (*)(AircraftSpec&);
using SectionField = std::array<double, 4>& (*)(AircraftSpec&);

struct LineLayout {
  LineKind kind;
  const char* label;  // Shift-JIS text the configurator writes
  DoubleField value = nullptr;
  SectionField section = nullptr;
};

#define VALUE(member) [](AircraftSpec& s) -> double& { return s.member; }
#define SECTION(member) [](AircraftSpec& s) -> std::array<double, 4>& { return s.member; }

// The 49 lines in file order.
const LineLayout kLayout[kAircraftFileLines] = {
    {LineKind::IgnoredValue, "\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e"},                           // 機体データ
    {LineKind::Heading, "[\x8f\x89\x8a\xfa\x8f\xf0\x8c\x8f]"},                                      // [初期条件]
    {LineKind::NegatedValue, "\x94\xad\x90\x69\x8d\x82\x93\x78[m]", VALUE(StartZ)},                 // 発進高度[m]
    {LineKind::Value, "\x8f\x89\x91\xac[m/s]", VALUE(StartSpeed)},                                  // 初速[m/s]
    {LineKind::Value, "\x8f\x89\x8a\xfa\x83\x73\x83\x62\x83\x60\x8a\x70[deg]", VALUE(StartPitch)},  // 初期ピッチ角[deg]
    {LineKind::Value, "\x95\x97\x91\xac[m/s]", VALUE(WindSpeed)},                                   // 風速[m/s]
    {LineKind::Heading, "[\x8e\xbf\x97\xca\x81\x45\x8f\x64\x90\x53]"},                              // [質量・重心]
    {LineKind::Value, "\x91\x53\x94\xf5\x8e\xbf\x97\xca[kg]", VALUE(Mass)},                         // 全備質量[kg]
    {LineKind::Value, "\x8f\x64\x90\x53\x88\xca\x92\x75[m]", VALUE(CgPosition)},                    // 重心位置[m]
    {LineKind::Value, "\x94\xf6\x97\x83\x8b\xf3\x97\xcd\x92\x86\x90\x53\x88\xca\x92\x75[m]",
     VALUE(TailPosition)},  // 尾翼空力中心位置[m]
    {LineKind::Value, "\x83\x73\x83\x62\x83\x60\x8a\xb5\x90\xab\x94\xbc\x8c\x61[m]",
     VALUE(GyrationRadius)},  // ピッチ慣性半径[m]
    {LineKind::Value, "\x93\xb7\x91\xcc\x8d\x52\x97\xcd\x8c\x57\x90\x94", VALUE(BodyDragCoef)},  // 胴体抗力係数
    {LineKind::Heading, "[\x8e\xe5\x97\x83]"},                                                   // [主翼]
    {LineKind::Value, "\x97\x83\x95\x9d[m]", VALUE(WingSpan)},                                   // 翼幅[m]
    {LineKind::Value, "\x95\xbd\x8b\xcf\x97\x83\x8c\xb7[m]", VALUE(WingChord)},                  // 平均翼弦[m]
    {LineKind::Value, "\x8e\xe6\x95\x74\x8a\x70[deg]", VALUE(WingIncidence)},                    // 取付角[deg]
    {LineKind::Value,
     "\x83\x73\x83\x62\x83\x60\x83\x93\x83\x4f\x83\x82\x81\x5b\x83\x81\x83\x93\x83\x67\x8c\x57\x90\x94",
     VALUE(WingCm0)},  // ピッチングモーメント係数
    {LineKind::Value, "\x8b\xf3\x97\xcd\x92\x86\x90\x53\x88\xca\x92\x75[\x97\x83\x8c\xb7\x94\xe4]",
     VALUE(WingAcRatio)},                                       // 空力中心位置[翼弦比]
    {LineKind::Heading, "[\x8e\xe5\x97\x83\x97\x83\x8c\x5e]"},  // [主翼翼型]
    {LineKind::Value, "\x97\x67\x97\xcd\x8c\x58\x8e\xce[1/rad]", VALUE(WingAirfoil.LiftSlope)},  // 揚力傾斜[1/rad]
    {LineKind::Value, "\x97\xeb\x97\x67\x97\xcd\x8a\x70[deg]", VALUE(WingAirfoil.ZeroLiftAngle)},  // 零揚力角[deg]
    {LineKind::Value, "\x97\x67\x97\xcd\x8c\x57\x90\x94\x8f\xe3\x8c\xc0", VALUE(WingAirfoil.ClUpper)},  // 揚力係数上限
    {LineKind::Value, "\x8f\xe3\x8c\xc0\x92\xb4\x89\xdf\x8e\x9e\x97\x67\x97\xcd\x8c\x57\x90\x94",
     VALUE(WingAirfoil.ClAboveUpper)},  // 上限超過時揚力係数
    {LineKind::Value, "\x97\x67\x97\xcd\x8c\x57\x90\x94\x89\xba\x8c\xc0", VALUE(WingAirfoil.ClLower)},  // 揚力係数下限
    {LineKind::Value, "\x89\xba\x8c\xc0\x96\xa2\x96\x9e\x8e\x9e\x97\x67\x97\xcd\x8c\x57\x90\x94",
     VALUE(WingAirfoil.ClBelowLower)},  // 下限未満時揚力係数
    {LineKind::Value, "\x8c\x60\x8f\xf3\x8d\x52\x97\xcd\x8c\x57\x90\x94",
     VALUE(WingAirfoil.ProfileDrag)},                                                          // 形状抗力係数
    {LineKind::Heading, "[\x94\xf6\x97\x83]"},                                                 // [尾翼]
    {LineKind::Value, "\x94\xf6\x97\x83\x95\x9d[m]", VALUE(TailSpan)},                         // 尾翼幅[m]
    {LineKind::Value, "\x94\xf6\x97\x83\x8c\xb7\x92\xb7[m]", VALUE(TailChord)},                // 尾翼弦長[m]
    {LineKind::Value, "\x94\xf6\x97\x83\x8e\xe6\x95\x74\x8a\x70[deg]", VALUE(TailIncidence)},  // 尾翼取付角[deg]
    {LineKind::Value, "\x94\xf6\x97\x83\x97\x67\x97\xcd\x8c\x58\x8e\xce[1/rad]",
     VALUE(TailAirfoil.LiftSlope)},  // 尾翼揚力傾斜[1/rad]
    {LineKind::Value, "\x94\xf6\x97\x83\x97\xeb\x97\x67\x97\xcd\x8a\x70[deg]",
     VALUE(TailAirfoil.ZeroLiftAngle)},  // 尾翼零揚力角[deg]
    {LineKind::Value, "\x94\xf6\x97\x83\x97\x67\x97\xcd\x8c\x57\x90\x94\x8f\xe3\x8c\xc0",
     VALUE(TailAirfoil.ClUpper)},  // 尾翼揚力係数上限
    {LineKind::Value, "\x94\xf6\x97\x83\x8f\xe3\x8c\xc0\x92\xb4\x89\xdf\x8e\x9e\x97\x67\x97\xcd\x8c\x57\x90\x94",
     VALUE(TailAirfoil.ClAboveUpper)},  // 尾翼上限超過時揚力係数
    {LineKind::Value, "\x94\xf6\x97\x83\x97\x67\x97\xcd\x8c\x57\x90\x94\x89\xba\x8c\xc0",
     VALUE(TailAirfoil.ClLower)},  // 尾翼揚力係数下限
    {LineKind::Value, "\x94\xf6\x97\x83\x89\xba\x8c\xc0\x96\xa2\x96\x9e\x8e\x9e\x97\x67\x97\xcd\x8c\x57\x90\x94",
     VALUE(TailAirfoil.ClBelowLower)},  // 尾翼下限未満時揚力係数
    {LineKind::Value, "\x94\xf6\x97\x83\x8c\x60\x8f\xf3\x8d\x52\x97\xcd\x8c\x57\x90\x94",
     VALUE(TailAirfoil.ProfileDrag)},                                           // 尾翼形状抗力係数
    {LineKind::Heading, "[\x97\x83\x95\xaa\x8a\x84\x83\x82\x83\x66\x83\x8b]"},  // [翼分割モデル]
    {LineKind::IntValue,
     "\x97\x83\x95\xaa\x8a\x84\x83\x82\x83\x66\x83\x8b[1=\x8e\x67\x97\x70]"},    // 翼分割モデル[1=使用]
    {LineKind::Value, "\x8e\xe5\x97\x83\x8e\xbf\x97\xca[kg]", VALUE(WingMass)},  // 主翼質量[kg]
    {LineKind::Value, "\x92\x86\x89\x9b\x95\x94\x94\xbc\x95\x9d[m]", VALUE(CenterHalfWidth)},  // 中央部半幅[m]
    {LineKind::EnabledList, "\x8b\xe6\x8a\xd4\x97\x4c\x8c\xf8[2-4]"},                          // 区間有効[2-4]
    {LineKind::SectionList, "\x8b\xe6\x8a\xd4\x92\xb7[m]", nullptr, SECTION(SectionSpan)},     // 区間長[m]
    {LineKind::SectionList, "\x8b\xe6\x8a\xd4\x97\x83\x8d\xaa\x8c\xb7\x92\xb7[m]", nullptr,
     SECTION(SectionRootChord)},  // 区間翼根弦長[m]
    {LineKind::SectionList, "\x8b\xe6\x8a\xd4\x83\x65\x81\x5b\x83\x70\x94\xe4", nullptr,
     SECTION(SectionTaper)},  // 区間テーパ比
    {LineKind::SectionList,
     "\x8b\xe6\x8a\xd4\x8d\x84\x90\xab"
     "1[kgf/cm2]",
     nullptr, SECTION(SectionStiffness1)},  // 区間剛性1[kgf/cm2]
    {LineKind::SectionList,
     "\x8b\xe6\x8a\xd4\x8d\x84\x90\xab"
     "2[cm4]",
     nullptr, SECTION(SectionStiffness2)},  // 区間剛性2[cm4]
    {LineKind::SectionList, "\x8b\xe6\x8a\xd4\x8f\xe3\x94\xbd\x8a\x70[deg]", nullptr,
     SECTION(SectionDihedral)},  // 区間上反角[deg]
    {LineKind::SectionList, "\x8b\xe6\x8a\xd4\x8c\xe3\x91\xde\x8a\x70[deg]", nullptr,
     SECTION(SectionSweep)},  // 区間後退角[deg]
};

#undef VALUE
#undef SECTION

// Values a list line holds: the flags of the three sections after the first, or one
// value per section.
int ListValueCount(LineKind kind) {
  constexpr int kSections = std::tuple_size_v<decltype(AircraftSpec::SectionSpan)>;
  if (kind == LineKind::EnabledList) return kSections - 1;
  return kind == LineKind::SectionList ? kSections : 0;
}

bool FieldFits(std::string_view field) { return field.size() <= platform::FieldReader::kMaxField; }

// The game reads the line (without its LF) in its place, and so the next one in step.
bool LineKeepsItsPlace(const LineLayout& line, std::string_view raw) {
  if (line.kind == LineKind::Heading) return FieldFits(raw);
  const size_t comma = raw.find(',');
  if (comma == std::string_view::npos || !FieldFits(raw.substr(0, comma))) return false;
  const std::string_view rest = raw.substr(comma + 1);
  const int listCount = ListValueCount(line.kind);
  if (listCount == 0) return FieldFits(rest);  // the value as read, a CR included
  std::string_view values = platform::CutCr(rest);
  int count = 0;
  for (; !values.empty(); ++count) {
    const size_t end = values.find(',');
    if (end == std::string_view::npos || !FieldFits(values.substr(0, end))) return false;
    values.remove_prefix(end + 1);
  }
  return count == listCount;
}

// "機体データの取得に失敗"
constexpr const char* kSpecOpenFailed =
    N_("\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73");

}  // namespace

flight::AircraftSpec ParseAircraftSpecText(std::string_view text) {
  AircraftSpec spec;
  platform::FieldReader in(text);
  for (const LineLayout& line : kLayout) {
    switch (line.kind) {
      case LineKind::Heading: in.Read('\n'); break;
      case LineKind::IgnoredValue:
        in.Read(',');
        in.Read('\n');
        break;
      case LineKind::Value:
      case LineKind::NegatedValue: {
        in.Read(',');
        const double v = platform::ParseDouble(in.ReadCutCr('\n'));
        line.value(spec) = line.kind == LineKind::NegatedValue ? -v : v;
        break;
      }
      case LineKind::IntValue:
        in.Read(',');
        spec.StripModel = platform::ParseInt(in.ReadCutCr('\n'));
        break;
      case LineKind::EnabledList:
        in.Read(',');
        for (int i = 1; i < 4; ++i) spec.SectionEnabled[i] = platform::ParseInt(in.ReadCutCr(','));
        break;
      case LineKind::SectionList: {
        in.Read(',');
        std::array<double, 4>& values = line.section(spec);
        for (double& v : values) v = platform::ParseDouble(in.ReadCutCr(','));
        break;
      }
    }
  }
  spec.TimeStep = flight::kTimeStep;  // the file does not hold the step
  spec.SectionEnabled[0] = 1;
  return spec;
}

std::optional<std::string> ReadAircraftFile(std::string_view gameFileName) {
  auto text = platform::ReadFilePrefix(gameFileName, kAircraftFileReadLimit);
  if (!text) platform::ShowWarning(kSpecOpenFailed);
  return text;
}

bool HasAircraftFileLayout(std::string_view text) {
  text = text.substr(0, kAircraftFileReadLimit);
  size_t pos = 0;
  for (const LineLayout& line : kLayout) {
    if (pos >= text.size()) return false;  // the file ends before this line
    const size_t end = std::min(text.find('\n', pos), text.size());
    if (!LineKeepsItsPlace(line, text.substr(pos, end - pos))) return false;
    pos = end + 1;
  }
  return true;
}

bool ParseAircraftSpec(flight::Aircraft& aircraft, std::string_view gameFileName) {
  const auto text = ReadAircraftFile(gameFileName);
  if (!text) return false;
  flight::SetSpec(aircraft, ParseAircraftSpecText(*text));
  return true;
}

std::string FormatExactNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatAircraftSpec(const flight::AircraftSpec& source) {
  AircraftSpec spec = source;  // the field accessors take a mutable record
  constexpr const char* kFileVersion = "1";
  std::string out;
  for (const LineLayout& line : kLayout) {
    out += line.label;
    switch (line.kind) {
      case LineKind::Heading: break;
      case LineKind::IgnoredValue: out += std::string(",") + kFileVersion; break;
      case LineKind::Value: out += "," + FormatExactNumber(line.value(spec)); break;
      case LineKind::NegatedValue:
        out += "," + FormatExactNumber(-line.value(spec) + 0.0);  // + 0.0 writes a zero height as "0"
        break;
      case LineKind::IntValue: out += "," + std::to_string(spec.StripModel); break;
      case LineKind::EnabledList:
        out += ",";
        for (int i = 1; i < 4; ++i) out += std::to_string(spec.SectionEnabled[i]) + ",";
        break;
      case LineKind::SectionList:
        out += ",";
        for (double v : line.section(spec)) out += FormatExactNumber(v) + ",";
        break;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace aircraft
