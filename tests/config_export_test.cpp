// The figures' CSV export: read back, the strip table and the figures are the very
// numbers the configurator computes; the two encodings; writing as a whole, refusing
// to replace a design; and the command line's exit codes. The command line's polar and
// sweep are the window's.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "config/editing_session.h"
#include "config/figures/curve_export.h"
#include "config/figures/figures_export.h"
#include "config/figures/wing_shape.h"
#include "config/files/save_target.h"
#include "fakes/temp_dir.h"
#include "platform/io/files.h"
#include "platform/text/shift_jis.h"

namespace {

namespace fs = std::filesystem;
using config::CsvEncoding;
using config::ExportResult;

const fs::path kData = VELKARO_DATA_DIR;

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  for (size_t pos = 0;;) {
    const size_t end = text.find(separator, pos);
    parts.emplace_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    if (end == std::string_view::npos) return parts;
    pos = end + separator.size();
  }
}

// A number as a spreadsheet or a program reads it back: the whole field, '.' decimal.
double Parse(const std::string& field) {
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  EXPECT_TRUE(error == std::errc() && end == field.data() + field.size()) << "not a number: '" << field << "'";
  return value;
}

// The CSV's two tables, read back from its UTF-8 text (without the BOM).
struct ReadBack {
  std::vector<std::string> StripHeader;
  std::vector<std::vector<double>> Strips;
  std::vector<std::array<std::string, 3>> Figures;
};

ReadBack Read(const std::string& utf8) {
  ReadBack back;
  std::vector<std::string> lines = Split(utf8, "\r\n");
  EXPECT_EQ(lines.back(), "") << "the last line ends in CR LF";
  lines.pop_back();
  EXPECT_EQ(lines[0], "帯の表 (片翼、内側から外側へ)");
  back.StripHeader = Split(lines[1], ",");
  size_t i = 2;
  for (; i < lines.size() && !lines[i].empty(); ++i) {
    std::vector<double> row;
    for (const std::string& field : Split(lines[i], ",")) row.push_back(Parse(field));
    EXPECT_EQ(row.size(), back.StripHeader.size()) << lines[i];
    back.Strips.push_back(row);
  }
  EXPECT_EQ(lines.at(i + 1), "設計者向けの値");
  EXPECT_EQ(lines.at(i + 2), "項目,値,単位");
  for (i += 3; i < lines.size(); ++i) {
    const std::vector<std::string> fields = Split(lines[i], ",");
    EXPECT_EQ(fields.size(), 3u) << lines[i];
    if (fields.size() == 3) back.Figures.push_back({fields[0], fields[1], fields[2]});
  }
  return back;
}

// A swept, tapered design with dihedral, so every column of the strip table varies.
flight::AircraftSpec SweptDesign() {
  flight::AircraftSpec spec = config::DefaultDesign();
  spec.SectionSweep = {3, 5, 0, 10};
  spec.SectionDihedral = {1.5, 0, 4, 7};
  spec.CgPosition = 0.1 + 0.2;  // no short decimal form
  return spec;
}

TEST(FiguresExport, ReadBackTheNumbersAreTheFiguresExactly) {
  const flight::AircraftSpec spec = SweptDesign();
  const std::string csv = config::FormatFiguresCsv(spec, CsvEncoding::Utf8WithBom);
  ASSERT_EQ(csv.rfind(config::kUtf8Bom, 0), 0u) << "UTF-8 with a BOM";
  const ReadBack back = Read(csv.substr(3));

  const config::GameFigures f = config::ComputeFigures(spec);
  const config::AeroFigures d = config::ComputeAeroFigures(spec, f, config::ComputeWingShape(spec, f));
  EXPECT_EQ(back.StripHeader.size(), 11u);
  EXPECT_EQ(back.StripHeader[0], "区間");
  ASSERT_EQ(back.Strips.size(), f.Strips.size());
  double station = spec.CenterHalfWidth;
  for (size_t j = 0; j < f.Strips.size(); ++j) {
    SCOPED_TRACE(j);
    const config::StripRow& r = f.Strips[j];
    const std::vector<double>& row = back.Strips[j];
    EXPECT_EQ(row[0], r.Section + 1);
    EXPECT_EQ(row[1], double(j + 1));
    EXPECT_EQ(row[2], station) << "inner end: the previous strip's outer end";
    EXPECT_EQ(row[3], station + r.Width);
    const std::vector<double> rest{r.Width, r.InnerChord, r.OuterChord, r.Area, r.DihedralDeg, r.SweepDeg, r.Mass};
    EXPECT_EQ(std::vector<double>(row.begin() + 4, row.end()), rest);
    station += r.Width;
  }
  EXPECT_DOUBLE_EQ(station * 2, f.StripSpan);
  EXPECT_NE(back.Strips[f.Sections[0].Given][9], 0) << "a section's first strip carries its sweep";

  const std::vector<config::ExportedFigure> expected = config::ExportedFigures(f, d);
  ASSERT_EQ(back.Figures.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(back.Figures[i][0], expected[i].Name);
    EXPECT_EQ(Parse(back.Figures[i][1]), expected[i].Value) << expected[i].Name;
    EXPECT_EQ(back.Figures[i][2], expected[i].Unit);
  }
  // A few by name, against the figures they come from.
  auto value = [&](const std::string& name) {
    for (const auto& row : back.Figures) {
      if (row[0] == name) return Parse(row[1]);
    }
    ADD_FAILURE() << "no row " << name;
    return 0.0;
  };
  EXPECT_EQ(value("主翼面積 (翼幅×平均翼弦)"), f.WingArea);
  EXPECT_EQ(value("平均空力翼弦 (MAC)"), d.Mac);
  EXPECT_EQ(value("MAC 前縁の位置 (後ろ向き)"), d.MacLeadingX);
  EXPECT_EQ(value("静安定余裕 (平均翼弦比)"), d.StaticMargin);
  EXPECT_EQ(value("区間4 翼端弦"), spec.SectionRootChord[3] * spec.SectionTaper[3]);
}

TEST(FiguresExport, ShiftJisHasNoBomAndTheSameTextInCp932) {
  const flight::AircraftSpec spec = SweptDesign();
  const std::string utf8 = config::FormatFiguresCsv(spec, CsvEncoding::Utf8WithBom).substr(3);
  const std::string sjis = config::FormatFiguresCsv(spec, CsvEncoding::ShiftJis);
  // "帯の表" and the strip table's first header fields "区間,帯," in CP932.
  EXPECT_EQ(sjis.rfind("\x91\xD1\x82\xCC\x95\x5C", 0), 0u) << "no BOM, the title first";
  EXPECT_NE(sjis.find("\r\n\x8B\xE6\x8A\xD4,\x91\xD1,"), std::string::npos);
  EXPECT_NE(sjis.find("\r\n\x8D\x80\x96\xDA,\x92\x6C,\x92\x50\x88\xCA\r\n"), std::string::npos) << "項目,値,単位";
  EXPECT_EQ(platform::ShiftJisToUtf8(sjis), utf8) << "every name has a CP932 form (none became '?')";
  EXPECT_EQ(Read(platform::ShiftJisToUtf8(sjis)).Strips, Read(utf8).Strips);
}

TEST(FiguresExport, UndefinedFiguresAreLeftOut) {
  flight::AircraftSpec spec = config::DefaultDesign();
  spec.TailSpan = 0;             // no tail: no neutral point
  spec.WingAirfoil.ClUpper = 0;  // no lift limit: no stall speed
  const ReadBack back = Read(config::FormatFiguresCsv(spec, CsvEncoding::Utf8WithBom).substr(3));
  for (const auto& row : back.Figures) {
    EXPECT_NE(row[0], "中立点");
    EXPECT_NE(row[0], "失速速度 (揚力係数上限で)");
  }
}

struct ExportFileTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  const std::string design = fakes::ReadText(kData / "temp.txt");
  void SetUp() override { fakes::WriteText("temp.txt", design); }
  void TearDown() override { platform::testing::SetWriteFunction(nullptr); }
};

TEST_F(ExportFileTest, WritesTheFileAsAWholeAndNeverOverADesign) {
  const std::string expected =
      config::FormatFiguresCsv(aircraft::ParseAircraftSpecText(design), CsvEncoding::Utf8WithBom);
  EXPECT_EQ(config::ExportFiguresOfFile("temp.txt", "figures.csv", CsvEncoding::Utf8WithBom), ExportResult::Written);
  EXPECT_EQ(fakes::ReadText("figures.csv"), expected);
  // A ranking entry reads as its design: the ranking's lines after it are not figures.
  fakes::WriteText("rank/rank0.txt", fakes::ReadText(kData / "rank/rank0.txt"));
  EXPECT_EQ(config::ExportFiguresOfFile("rank\\rank0.txt", "champion.csv", CsvEncoding::ShiftJis),
            ExportResult::Written);

  // An old export is replaced; a failed write leaves it as it was, and no temporary file.
  fakes::WriteText("old.csv", "old");
  platform::testing::SetWriteFunction([](int, const void*, size_t) -> long { return -1; });
  EXPECT_EQ(config::ExportFiguresOfFile("temp.txt", "old.csv", CsvEncoding::Utf8WithBom), ExportResult::CannotWrite);
  EXPECT_EQ(fakes::ReadText("old.csv"), "old");
  for (const auto& e : fs::directory_iterator(".")) EXPECT_NE(e.path().extension(), ".tmp");
  platform::testing::SetWriteFunction(nullptr);

  // Designs, the game's files and folders are never written over.
  fakes::WriteText("other-design.txt", design);
  fakes::WriteText("BootConfig.txt", "boot");
  fs::create_directory("folder.csv");
  for (const char* out : {"temp.txt", "other-design.txt", "BootConfig.txt", "rank/rank0.txt", "folder.csv"}) {
    EXPECT_EQ(config::ExportFiguresOfFile("temp.txt", out, CsvEncoding::Utf8WithBom), ExportResult::Refused) << out;
  }
  EXPECT_EQ(fakes::ReadText("temp.txt"), design);
  EXPECT_EQ(fakes::ReadText("other-design.txt"), design);
  // A damaged temp.txt is still the player's design.
  fakes::WriteText("temp.txt", "damaged");
  EXPECT_EQ(config::ExportFiguresOfFile("other-design.txt", "temp.txt", CsvEncoding::Utf8WithBom),
            ExportResult::Refused);
  EXPECT_EQ(fakes::ReadText("temp.txt"), "damaged");
}

TEST_F(ExportFileTest, UnreadableOrForeignInputAndUnwritablePlacesWriteNothing) {
  EXPECT_EQ(config::ExportFiguresOfFile("missing.txt", "a.csv", CsvEncoding::Utf8WithBom), ExportResult::CannotRead);
  fakes::WriteText("notes.txt", "not a design\n");
  EXPECT_EQ(config::ExportFiguresOfFile("notes.txt", "a.csv", CsvEncoding::Utf8WithBom), ExportResult::NotADesign);
  EXPECT_EQ(config::ExportFiguresOfFile("temp.txt", "no-folder/a.csv", CsvEncoding::Utf8WithBom),
            ExportResult::CannotWrite);
  EXPECT_FALSE(fs::exists("a.csv"));
  EXPECT_FALSE(fs::exists("no-folder"));
}

TEST(ExportFileName, ACsvExtensionWhenThereIsNone) {
  fakes::TempWorkingDir dir;
  EXPECT_EQ(config::ExportFileName("figures"), "figures.csv");
  EXPECT_EQ(config::ExportFileName("figures.txt"), "figures.txt");
  EXPECT_EQ(config::ExportFileName("out\\figures"), "out/figures.csv");
}

// Runs velkaro-config with arguments; its exit code and standard error.
std::pair<int, std::string> RunConfig(const std::string& args) {
  const int status = std::system((std::string(VELKARO_CONFIG_PATH) + " " + args + " 2>stderr.txt").c_str());
  return {WEXITSTATUS(status), fakes::ReadText("stderr.txt")};
}

TEST_F(ExportFileTest, TheCommandLineExportsWithoutAWindowAndSaysWhatFailed) {
  EXPECT_EQ(RunConfig("--export-figures temp.txt out.csv"), std::make_pair(0, std::string()));
  EXPECT_EQ(fakes::ReadText("out.csv"),
            config::FormatFiguresCsv(aircraft::ParseAircraftSpecText(design), CsvEncoding::Utf8WithBom));
  EXPECT_EQ(RunConfig("--export-figures temp.txt out-sjis.csv --sjis").first, 0);
  EXPECT_EQ(fakes::ReadText("out-sjis.csv"),
            config::FormatFiguresCsv(aircraft::ParseAircraftSpecText(design), CsvEncoding::ShiftJis));

  auto [code, error] = RunConfig("--export-figures missing.txt out2.csv");
  EXPECT_EQ(code, 1);
  EXPECT_EQ(error, "velkaro-config: cannot read missing.txt\n");
  std::tie(code, error) = RunConfig("--export-figures temp.txt no-folder/out.csv");
  EXPECT_EQ(code, 1);
  EXPECT_EQ(error, "velkaro-config: cannot write no-folder/out.csv (nothing was written)\n");
  std::tie(code, error) = RunConfig("--export-figures temp.txt temp.txt");
  EXPECT_EQ(code, 1);
  EXPECT_NE(error.find("refusing to write temp.txt"), std::string::npos) << error;
  EXPECT_EQ(fakes::ReadText("temp.txt"), design);
  EXPECT_FALSE(fs::exists("out2.csv"));

  EXPECT_EQ(RunConfig("--export-figures temp.txt").first, 2);
  EXPECT_EQ(RunConfig("--export-figures temp.txt out3.csv --utf16").first, 2);
  EXPECT_FALSE(fs::exists("out3.csv"));
  std::system((std::string(VELKARO_CONFIG_PATH) + " --help >help.txt").c_str());
  EXPECT_NE(fakes::ReadText("help.txt").find("--export-figures FILE OUT [--sjis]"), std::string::npos);
}

// The command line's polar and sweep are the window's: flown over the tail settings its
// fields start with, a setting at a time as its frames fly them, in the same CSV.
TEST_F(ExportFileTest, TheCommandLinePolarAndSweepAreTheWindows) {
  const config::TrimRange start = config::kPolarStartRange;
  auto polar = config::StartPolar(aircraft::ParseAircraftSpecText(design), start.From, start.To, start.Step);
  ASSERT_TRUE(polar);
  while (!config::PolarDone(*polar)) config::FlyNextGlide(*polar);
  config::EditingSession window;
  config::StartSession(window);  // reads temp.txt
  config::RequestSweep(window, config::DesignText(window));
  while (config::SessionBusy(window)) config::UpdateSession(window, false);
  ASSERT_TRUE(window.Sweep);

  EXPECT_EQ(RunConfig("--export-polar temp.txt polar.csv").first, 0);
  EXPECT_EQ(fakes::ReadText("polar.csv"), config::FormatPolarCsv(*polar, CsvEncoding::Utf8WithBom));
  fakes::WriteText("sweep.csv", "old");
  for (const char* command : {"--export-sweep temp.txt sweep.csv", "--export-polar temp.txt sweep.csv --sjis"}) {
    EXPECT_EQ(RunConfig(command).first, 2) << command;
    EXPECT_EQ(fakes::ReadText("sweep.csv"), "old") << command;
  }
  EXPECT_EQ(RunConfig("--export-sweep temp.txt sweep.csv --sjis --force").first, 0);
  EXPECT_EQ(fakes::ReadText("sweep.csv"), config::FormatSweepCsv(*window.Sweep, CsvEncoding::ShiftJis));
}

// A file named on the command line is replaced only with --force, and the ranking's
// files never, whichever command writes it.
TEST_F(ExportFileTest, TheCommandLineReplacesAFileOnlyWhenForced) {
  fakes::WriteText("old.csv", "old");
  EXPECT_EQ(RunConfig("--export-figures temp.txt old.csv").first, 2);
  EXPECT_EQ(fakes::ReadText("old.csv"), "old");
  EXPECT_EQ(RunConfig("--export-figures temp.txt old.csv --force --sjis").first, 0);
  EXPECT_EQ(fakes::ReadText("old.csv"),
            config::FormatFiguresCsv(aircraft::ParseAircraftSpecText(design), CsvEncoding::ShiftJis));

  fakes::WriteText("mine.txt", "mine");
  EXPECT_EQ(RunConfig("--write-default mine.txt").first, 2);
  EXPECT_EQ(fakes::ReadText("mine.txt"), "mine");
  EXPECT_EQ(RunConfig("--write-default mine.txt --force").first, 0);
  EXPECT_EQ(fakes::ReadText("mine.txt"), aircraft::FormatAircraftSpec(config::DefaultDesign()));

  fakes::WriteText("rank/rank0.txt", "entry");
  for (const char* command : {"--write-default rank/rank0.txt --force", "--write-default BootConfig.txt --force",
                              "--export-figures temp.txt rank/rank0.txt --force"}) {
    const auto [code, error] = RunConfig(command);
    EXPECT_NE(code, 0) << command;
    EXPECT_NE(error, "") << command;
  }
  EXPECT_EQ(fakes::ReadText("rank/rank0.txt"), "entry");
  EXPECT_FALSE(fs::exists("BootConfig.txt"));
}

}  // namespace
