// The aircraft configurator's logic: files written back exactly, the file table agreeing
// with the writer, bad files explained with the game's values, validation, derived
// figures and the wing's shape, the unsaved state, and the test flight and trim sweep.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "config/design/design_fields.h"
#include "config/design/validation.h"
#include "config/figures/game_figures.h"
#include "config/figures/wing_shape.h"
#include "config/files/aircraft_file_check.h"
#include "config/flights/test_flight.h"
#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "flight/set_spec.h"
#include "platform/io/files.h"
#include "platform/text/shift_jis.h"
#include "sim/headless_flight.h"

namespace {

namespace fs = std::filesystem;
using aircraft::FormatAircraftSpec;
using aircraft::ParseAircraftSpecText;
using config::FileProblemKind;
using config::WarningKind;
using flight::AircraftSpec;

const fs::path kData = VELKARO_DATA_DIR;

std::vector<fs::path> ShippedAircraftFiles() {
  std::vector<fs::path> files{kData / "temp.txt"};
  for (int i = 0; i < 10; ++i) files.push_back(kData / "rank" / ("rank" + std::to_string(i) + ".txt"));
  return files;
}

// Every field, compared bit for bit where doubles are concerned (== on each value).
void ExpectIdentical(const AircraftSpec& a, const AircraftSpec& b, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(a.StartZ, b.StartZ);
  EXPECT_EQ(a.StartSpeed, b.StartSpeed);
  EXPECT_EQ(a.StartPitch, b.StartPitch);
  EXPECT_EQ(a.WindSpeed, b.WindSpeed);
  EXPECT_EQ(a.TimeStep, b.TimeStep);
  EXPECT_EQ(a.Mass, b.Mass);
  EXPECT_EQ(a.CgPosition, b.CgPosition);
  EXPECT_EQ(a.TailPosition, b.TailPosition);
  EXPECT_EQ(a.WingSpan, b.WingSpan);
  EXPECT_EQ(a.WingChord, b.WingChord);
  EXPECT_EQ(a.WingIncidence, b.WingIncidence);
  EXPECT_EQ(a.WingCm0, b.WingCm0);
  EXPECT_EQ(a.WingAcRatio, b.WingAcRatio);
  EXPECT_EQ(a.BodyDragCoef, b.BodyDragCoef);
  EXPECT_EQ(a.TailSpan, b.TailSpan);
  EXPECT_EQ(a.TailChord, b.TailChord);
  EXPECT_EQ(a.TailIncidence, b.TailIncidence);
  EXPECT_EQ(a.GyrationRadius, b.GyrationRadius);
  for (auto [x, y] : {std::pair{&a.WingAirfoil, &b.WingAirfoil}, std::pair{&a.TailAirfoil, &b.TailAirfoil}}) {
    EXPECT_EQ(x->LiftSlope, y->LiftSlope);
    EXPECT_EQ(x->ZeroLiftAngle, y->ZeroLiftAngle);
    EXPECT_EQ(x->ClUpper, y->ClUpper);
    EXPECT_EQ(x->ClAboveUpper, y->ClAboveUpper);
    EXPECT_EQ(x->ClLower, y->ClLower);
    EXPECT_EQ(x->ClBelowLower, y->ClBelowLower);
    EXPECT_EQ(x->ProfileDrag, y->ProfileDrag);
  }
  EXPECT_EQ(a.StripModel, b.StripModel);
  EXPECT_EQ(a.WingMass, b.WingMass);
  EXPECT_EQ(a.CenterHalfWidth, b.CenterHalfWidth);
  EXPECT_EQ(a.SectionEnabled, b.SectionEnabled);
  EXPECT_EQ(a.SectionSpan, b.SectionSpan);
  EXPECT_EQ(a.SectionRootChord, b.SectionRootChord);
  EXPECT_EQ(a.SectionTaper, b.SectionTaper);
  EXPECT_EQ(a.SectionStiffness1, b.SectionStiffness1);
  EXPECT_EQ(a.SectionStiffness2, b.SectionStiffness2);
  EXPECT_EQ(a.SectionDihedral, b.SectionDihedral);
  EXPECT_EQ(a.SectionSweep, b.SectionSweep);
}

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));  // no CR LF at the end: reported as an extra line
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + eol;
  return text;
}

// The layout of the bytes the configurator writes: 49 CR LF lines, Japanese Shift-JIS
// labels, headings without a comma, one value per value line, a comma after every list
// value, every number in its shortest exact form.
void ExpectFileFormat(const std::string& text, const AircraftSpec& spec) {
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
  const auto lines = CrLfLines(text);
  ASSERT_EQ(lines.size(), 49u);
  AircraftSpec values = spec;
  for (const config::FileLine& layout : config::FileLines()) {
    const std::string& line = lines[layout.Number - 1];
    SCOPED_TRACE("line " + std::to_string(layout.Number) + ": " + platform::ShiftJisToUtf8(line));
    EXPECT_EQ(line.find('\r'), std::string::npos);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const std::string label = line.substr(0, line.find(','));
    EXPECT_TRUE(std::any_of(label.begin(), label.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        << "label without Japanese";
    EXPECT_EQ(platform::Utf8ToShiftJis(platform::ShiftJisToUtf8(label)), label) << "not valid Shift-JIS";
    EXPECT_EQ(platform::ShiftJisToUtf8(label).find('?'), std::string::npos);
    const size_t commas = std::count(line.begin(), line.end(), ',');
    switch (layout.Kind) {
      case config::LineKind::Heading:
        EXPECT_EQ(commas, 0u);
        EXPECT_EQ(line.front(), '[');
        break;
      case config::LineKind::Ignored:
      case config::LineKind::Integer: EXPECT_EQ(commas, 1u); break;
      case config::LineKind::Value:
      case config::LineKind::Height: {
        EXPECT_EQ(commas, 1u);
        const double v = layout.Kind == config::LineKind::Height ? config::LaunchHeight(values) : layout.Value(values);
        EXPECT_EQ(line.substr(line.find(',') + 1), aircraft::FormatExactNumber(v));
        break;
      }
      case config::LineKind::EnabledList:
        EXPECT_EQ(commas, 4u);
        EXPECT_EQ(line.back(), ',');
        break;
      case config::LineKind::SectionList: {
        EXPECT_EQ(commas, 5u);
        EXPECT_EQ(line.back(), ',');
        std::string expected = label + ",";
        for (double v : layout.Section(values)) expected += aircraft::FormatExactNumber(v) + ",";
        EXPECT_EQ(line, expected);
        break;
      }
    }
  }
}

std::string ReadWhole(const fs::path& path) { return fakes::ReadText(path); }

std::set<std::string> FolderListing() {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(".")) names.insert(entry.path().string());
  return names;
}

// =====================================================================================
// Shipped files: read and written back by the configurator

TEST(ConfigRoundTrip, EveryShippedAircraftAndRankingFileSavesToAnIdenticalRecord) {
  fakes::FakePlatform os;
  for (const fs::path& file : ShippedAircraftFiles()) {
    SCOPED_TRACE(file.string());
    fakes::TempWorkingDir dir;
    const std::string original = ReadWhole(file);
    ASSERT_FALSE(original.empty());
    config::DesignEditor editor;
    ASSERT_TRUE(config::OpenDesign(editor, file.string()));
    EXPECT_TRUE(editor.Problems.empty()) << config::DescribeFileProblem(editor.Problems.front(), file.string());
    ASSERT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);

    const std::string written = ReadWhole("temp.txt");
    ExpectIdentical(ParseAircraftSpecText(written), ParseAircraftSpecText(original), "written vs original");
    ExpectFileFormat(written, editor.Spec);
    // The shipped files were written in this very format: the aircraft lines come back
    // byte for byte (a ranking entry's own lines after them are not part of a design).
    EXPECT_EQ(written, original.substr(0, written.size()));
    EXPECT_FALSE(config::IsDirty(editor));
  }
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
}

TEST(ConfigRoundTrip, AwkwardValuesSurviveExactly) {
  fakes::TempWorkingDir dir;
  config::DesignEditor editor;
  editor.Spec = config::DefaultDesign();
  editor.Spec.WingChord = 0.1 + 0.2;  // no short decimal form
  editor.Spec.WindSpeed = 1e-300;     // tiny
  editor.Spec.CgPosition = -0.0;      // negative zero
  editor.Spec.SectionSweep = {0, -12.345678901234567, 1e17, 5e-324};
  ASSERT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);
  const std::string written = ReadWhole("temp.txt");
  ExpectIdentical(ParseAircraftSpecText(written), editor.Spec, "awkward values");
  EXPECT_TRUE(std::signbit(ParseAircraftSpecText(written).CgPosition));
  ExpectFileFormat(written, editor.Spec);
}

// The shipped temp.txt is what `velkaro-config --write-default` writes, byte for byte.
TEST(ConfigRoundTrip, DefaultDesignIsTheShippedGlider) {
  const std::string shipped = ReadWhole(kData / "temp.txt");
  ExpectIdentical(config::DefaultDesign(), ParseAircraftSpecText(shipped), "default");
  EXPECT_EQ(FormatAircraftSpec(config::DefaultDesign()), shipped);
}

// The screen's table of lines agrees with the writer: a distinct value put in through
// each line's field comes out on that line.
TEST(ConfigFileTable, EachLineShowsTheValueTheWriterPutsThere) {
  AircraftSpec spec = config::DefaultDesign();
  for (const config::FileLine& line : config::FileLines()) {
    EXPECT_EQ(line.Number, &line - config::FileLines().data() + 1);
    if (line.Value) line.Value(spec) = 1000 + line.Number;
    if (line.Section) {
      for (int i = 0; i < 4; ++i) line.Section(spec)[i] = line.Number * 10 + i;
    }
  }
  const auto lines = CrLfLines(FormatAircraftSpec(spec));
  ASSERT_EQ(lines.size(), 49u);
  for (const config::FileLine& line : config::FileLines()) {
    const std::string& text = lines[line.Number - 1];
    const std::string value = text.substr(text.find(',') + 1);
    if (line.Kind == config::LineKind::Height) {
      EXPECT_EQ(value, "-" + std::to_string(1000 + line.Number));
    }
    if (line.Kind == config::LineKind::Value) {
      EXPECT_EQ(value, std::to_string(1000 + line.Number)) << line.Name;
    }
    if (line.Kind == config::LineKind::SectionList) {
      const int n = line.Number * 10;
      EXPECT_EQ(value, std::to_string(n) + "," + std::to_string(n + 1) + "," + std::to_string(n + 2) + "," +
                           std::to_string(n + 3) + ",");
    }
    if (line.Kind == config::LineKind::Heading) {
      EXPECT_EQ(text.find(','), std::string::npos) << line.Number;
    }
    if (line.Value || line.Kind == config::LineKind::Integer || line.Kind == config::LineKind::EnabledList ||
        line.Section) {
      EXPECT_NE(line.Shown, config::Group::None) << line.Number;
    }
  }
  EXPECT_EQ(lines[38].substr(lines[38].find(',') + 1), std::to_string(spec.StripModel));
}

// =====================================================================================
// Bad files: a warning, the game's own values, no crash

struct BadFile {
  const char* Name;
  std::function<void(std::vector<std::string>&)> Damage;
  FileProblemKind Expected;
  int Line;
};

std::vector<std::string> ShippedLines() { return CrLfLines(ReadWhole(kData / "temp.txt")); }

TEST(ConfigBadFiles, OpenWithAWarningAndTheValuesTheGameReads) {
  const std::vector<BadFile> cases = {
      {"truncated after line 41", [](auto& l) { l.resize(41); }, FileProblemKind::Truncated, 0},
      {"empty file", [](auto& l) { l.clear(); }, FileProblemKind::Truncated, 0},
      {"text in a value", [](auto& l) { l[7] = l[7].substr(0, l[7].find(',')) + ",1.5 kg"; },
       FileProblemKind::NotANumber, 8},
      {"decimal comma", [](auto& l) { l[8] = l[8].substr(0, l[8].find(',')) + ",0,3"; }, FileProblemKind::NotANumber,
       9},
      {"letters only", [](auto& l) { l[5] = l[5].substr(0, l[5].find(',')) + ",abc"; }, FileProblemKind::NotANumber, 6},
      {"empty value", [](auto& l) { l[3] = l[3].substr(0, l[3].find(',') + 1); }, FileProblemKind::EmptyValue, 4},
      {"fraction in the switch", [](auto& l) { l[38] = l[38].substr(0, l[38].find(',')) + ",1.5"; },
       FileProblemKind::NotAnInteger, 39},
      {"text in a list", [](auto& l) { l[43] = l[43].substr(0, l[43].find(',')) + ",1.1,x,0.84,0.67,"; },
       FileProblemKind::NotANumber, 44},
      {"list without its last comma", [](auto& l) { l[42].pop_back(); }, FileProblemKind::MissingLastComma, 43},
      {"value line without comma", [](auto& l) { l[13] = "span 30"; }, FileProblemKind::NoComma, 14},
      {"list with a value missing", [](auto& l) { l[43] = l[43].substr(0, l[43].find(',')) + ",1.1,0.99,0.84,"; },
       FileProblemKind::WrongValueCount, 44},
      {"field of 256 characters", [](auto& l) { l[9] += std::string(256, '0'); }, FileProblemKind::FieldTooLong, 10},
      {"heading of 300 characters", [](auto& l) { l[12] += std::string(300, 'x'); }, FileProblemKind::FieldTooLong, 13},
  };
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.Name);
    fakes::TempWorkingDir dir;
    auto lines = ShippedLines();
    c.Damage(lines);
    const std::string text = JoinLines(lines);
    fakes::WriteText("bad.txt", text);
    const auto before = FolderListing();

    config::DesignEditor editor;
    ASSERT_TRUE(config::OpenDesign(editor, "bad.txt"));
    ASSERT_FALSE(editor.Problems.empty());
    EXPECT_EQ(editor.Problems.front().Kind, c.Expected);
    EXPECT_EQ(editor.Problems.front().Line, c.Line);
    ExpectIdentical(editor.Spec, ParseAircraftSpecText(text), "the game's values");
    for (const config::FileProblem& p : editor.Problems) {
      const std::string message = config::DescribeFileProblem(p, "bad.txt");
      EXPECT_FALSE(message.empty());
      if (p.Line > 0) {
        EXPECT_NE(message.find(std::to_string(p.Line) + " 行目"), std::string::npos) << message;
      }
    }
    // A problem that shifts the reading is the last one reported.
    for (size_t k = 0; k + 1 < editor.Problems.size(); ++k)
      EXPECT_FALSE(config::ShiftsLaterLines(editor.Problems[k].Kind));
    EXPECT_EQ(FolderListing(), before) << "opening wrote something";
    EXPECT_EQ(ReadWhole("bad.txt"), text);
  }
}

TEST(ConfigBadFiles, ProblemDetailsSayWhatTheGameReads) {
  auto lines = ShippedLines();
  lines[7] = lines[7].substr(0, lines[7].find(',')) + ",1.5 kg";
  lines.resize(45);
  const auto problems = config::CheckAircraftFileText(JoinLines(lines));
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].ReadAs, 1.5);
  EXPECT_EQ(problems[0].Text, "1.5 kg");
  EXPECT_NE(config::DescribeFileProblem(problems[0], "x").find("1.5 と読みます"), std::string::npos);
  EXPECT_EQ(problems[1].Kind, FileProblemKind::Truncated);
  EXPECT_EQ(problems[1].Count, 45);
  EXPECT_NE(config::DescribeFileProblem(problems[1], "x").find("46 行目以降"), std::string::npos);
}

TEST(ConfigBadFiles, SoundVariantsAreNotProblems) {
  auto lines = ShippedLines();
  EXPECT_TRUE(config::CheckAircraftFileText(JoinLines(lines, "\n")).empty()) << "LF line ends";
  // The last line without its comma still reads correctly.
  lines[48].pop_back();
  const auto problems = config::CheckAircraftFileText(JoinLines(lines));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Kind, FileProblemKind::MissingLastComma);
  EXPECT_NE(config::DescribeFileProblem(problems[0], "x").find("そのまま読まれます"), std::string::npos);
  ExpectIdentical(ParseAircraftSpecText(JoinLines(lines)), ParseAircraftSpecText(JoinLines(ShippedLines())), "line 49");
  // Blanks around a number are what the game skips anyway.
  auto padded = ShippedLines();
  padded[3] = padded[3].substr(0, padded[3].find(',')) + ", 8 ";
  EXPECT_TRUE(config::CheckAircraftFileText(JoinLines(padded)).empty());
}

TEST(ConfigBadFiles, MissingFileKeepsTheValuesAndSaysSo) {
  fakes::TempWorkingDir dir;
  config::DesignEditor editor;
  editor.Spec = config::DefaultDesign();
  editor.Spec.Mass = 77;
  EXPECT_FALSE(config::OpenDesign(editor, "rank\\rank9.txt"));
  ASSERT_EQ(editor.Problems.size(), 1u);
  EXPECT_EQ(editor.Problems[0].Kind, FileProblemKind::Missing);
  EXPECT_EQ(editor.Spec.Mass, 77);
  EXPECT_NE(config::DescribeFileProblem(editor.Problems[0], "rank\\rank9.txt").find("rank\\rank9.txt"),
            std::string::npos);
}

TEST(ConfigBadFiles, RandomDamageNeverBreaksReadingOrChecking) {
  const std::string good = ReadWhole(kData / "rank" / "rank0.txt");
  std::mt19937 random(12345);
  for (int round = 0; round < 400; ++round) {
    std::string text = good.substr(0, random() % (good.size() + 1));
    const int edits = random() % 8;
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text[at] = static_cast<char>(random()); break;
        case 1: text.erase(at, 1 + random() % 20); break;
        default: text.insert(at, std::string(1 + random() % 300, ",\r\n0a"[random() % 5])); break;
      }
    }
    const auto problems = config::CheckAircraftFileText(text);
    for (const auto& p : problems) EXPECT_FALSE(config::DescribeFileProblem(p, "f").empty());
    const AircraftSpec spec = ParseAircraftSpecText(text);
    (void)config::ValidateDesign(spec);  // any values at all are checked without trouble
  }
}

// =====================================================================================
// Validation: refused designs and warnings

AircraftSpec WithSpans(std::array<double, 4> spans, std::array<int32_t, 4> enabled = {1, 1, 1, 1}) {
  AircraftSpec s = config::DefaultDesign();
  s.SectionSpan = spans;
  s.SectionEnabled = enabled;
  return s;
}

std::vector<WarningKind> Kinds(const AircraftSpec& spec) {
  std::vector<WarningKind> kinds;
  for (const auto& w : config::ValidateDesign(spec)) kinds.push_back(w.Kind);
  return kinds;
}

bool Has(const AircraftSpec& spec, WarningKind kind) {
  const auto kinds = Kinds(spec);
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

TEST(ConfigValidation, ShippedDesignsHaveNoWarnings) {
  for (const fs::path& file : ShippedAircraftFiles()) {
    EXPECT_TRUE(Kinds(ParseAircraftSpecText(ReadWhole(file))).empty()) << file;
  }
}

TEST(ConfigValidation, StripLimitRefusesOnlyPast30) {
  EXPECT_FALSE(Has(WithSpans({10, 10, 9, 1}), WarningKind::TooManyStrips)) << "exactly 30";
  EXPECT_FALSE(Has(WithSpans({10, 10, 9.99, 1.5}), WarningKind::TooManyStrips)) << "fractions truncate: 30";
  const auto warnings = config::ValidateDesign(WithSpans({10, 10, 10, 1}));
  ASSERT_FALSE(warnings.empty());
  EXPECT_EQ(warnings[0].Kind, WarningKind::TooManyStrips);
  EXPECT_EQ(warnings[0].Count, 31);
  EXPECT_TRUE(config::AnyRefusal(warnings));
  EXPECT_FALSE(Has(WithSpans({10, 10, 10, 50}, {1, 1, 1, 0}), WarningKind::TooManyStrips)) << "disabled section";
  EXPECT_FALSE(Has(WithSpans({10, 10, 10, 5}, {1, 1, 1, 2}), WarningKind::TooManyStrips)) << "flag 2 is not enabled";
}

TEST(ConfigValidation, EnabledSectionWithoutSpanIsRefused) {
  for (double span : {0.0, -1.0, -0.0}) {
    const auto warnings = config::ValidateDesign(WithSpans({5.7, 5, span, 1}));
    ASSERT_FALSE(warnings.empty()) << span;
    EXPECT_EQ(warnings[0].Kind, WarningKind::SectionSpanNotPositive);
    EXPECT_EQ(warnings[0].Section, 2);
    EXPECT_TRUE(config::AnyRefusal(warnings));
  }
  EXPECT_TRUE(Has(WithSpans({0, 5, 3, 1}), WarningKind::SectionSpanNotPositive)) << "section 1 always exists";
  EXPECT_FALSE(config::AnyRefusal(config::ValidateDesign(WithSpans({5.7, 5, 0, 1}, {1, 1, 0, 1}))))
      << "disabled section";
  EXPECT_FALSE(config::AnyRefusal(config::ValidateDesign(WithSpans({5.7, 5, 0.2, 1}))))
      << "a short section still gets one strip";
}

TEST(ConfigValidation, NumbersThatAreNotNumbersAreRefused) {
  AircraftSpec s = config::DefaultDesign();
  s.WindSpeed = INFINITY;
  s.SectionSweep[3] = NAN;
  const auto warnings = config::ValidateDesign(s);
  ASSERT_GE(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].Kind, WarningKind::NotFinite);
  EXPECT_EQ(warnings[0].Line, 6);
  EXPECT_EQ(warnings[1].Kind, WarningKind::NotFinite);
  EXPECT_EQ(warnings[1].Line, 49);
  EXPECT_EQ(warnings[1].Section, 3);
  EXPECT_TRUE(config::AnyRefusal(warnings));
}

TEST(ConfigValidation, LaunchRunThresholdMatchesTheGamesRun) {
  AircraftSpec s = config::DefaultDesign();
  s.StartSpeed = 3.3;  // 3.3 * 0.357 - 1.18 < 0: the run never starts
  EXPECT_TRUE(Has(s, WarningKind::LaunchNeverEnds));
  EXPECT_FALSE(config::FlyDesign(s).LaunchEnded) << "the flight agrees with the warning";
  s.StartSpeed = 3.31;
  EXPECT_FALSE(Has(s, WarningKind::LaunchNeverEnds));
  EXPECT_TRUE(config::FlyDesign(s).LaunchEnded);
  s.StartSpeed = 0;
  EXPECT_TRUE(Has(s, WarningKind::LaunchNeverEnds));
  EXPECT_FALSE(config::AnyRefusal(config::ValidateDesign(s))) << "a warning, not a refusal";
}

TEST(ConfigValidation, ZeroStiffnessMassesAndAreasWarn) {
  const AircraftSpec base = config::DefaultDesign();
  auto with = [&](auto change) {
    AircraftSpec s = base;
    change(s);
    return config::ValidateDesign(s);
  };
  auto only = [](const std::vector<config::DesignWarning>& w, WarningKind kind, int section = -1) {
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Kind, kind);
    EXPECT_EQ(w[0].Section, section);
    EXPECT_FALSE(config::RefusesSave(w[0].Kind));
  };
  only(with([](AircraftSpec& s) { s.SectionStiffness2[2] = 0; }), WarningKind::ZeroStiffness, 2);
  only(with([](AircraftSpec& s) {
         s.SectionStiffness1[0] = 0;
         s.StripModel = 0;
       }),
       WarningKind::ZeroStiffness, 0);
  for (const auto& w : with([](AircraftSpec& s) {
         s.SectionStiffness1[3] = 0;
         s.SectionEnabled[3] = 0;
       })) {
    EXPECT_NE(w.Kind, WarningKind::ZeroStiffness) << "a section without strips bends nothing";
  }
  only(with([](AircraftSpec& s) { s.Mass = 0; }), WarningKind::MassNotPositive);
  only(with([](AircraftSpec& s) { s.GyrationRadius = 0; }), WarningKind::GyrationZero);
  only(with([](AircraftSpec& s) { s.WingChord = 0; }), WarningKind::WingAreaNotPositive);
  only(with([](AircraftSpec& s) { s.TailSpan = 0; }), WarningKind::TailAreaNotPositive);
  only(with([](AircraftSpec& s) { s.WingMass = 0; }), WarningKind::WingMassNotPositive);
  only(with([](AircraftSpec& s) { s.SectionRootChord[1] = 0; }), WarningKind::SectionAreaNotPositive, 1);
  only(with([](AircraftSpec& s) { s.StartZ = -0.1; }), WarningKind::StartBelowTouchdown);
  only(with([](AircraftSpec& s) {
         s.SectionEnabled[2] = 2;
         s.SectionEnabled[3] = 0;
         s.WingSpan = 22;  // the span of the two sections left
       }),
       WarningKind::SectionFlagValue, 2);
}

TEST(ConfigValidation, StripModelSwitchIsReadByItsLowByte) {
  AircraftSpec s = config::DefaultDesign();
  s.StripModel = 257;
  EXPECT_TRUE(config::ComputeFigures(s).StripModelOn);
  EXPECT_TRUE(Has(s, WarningKind::StripModelValue));
  s.StripModel = 2;
  EXPECT_FALSE(config::ComputeFigures(s).StripModelOn);
}

TEST(ConfigValidation, EveryMessageSaysWhetherTheDesignIsRefused) {
  for (int k = 0; k <= static_cast<int>(config::kLastWarningKind); ++k) {
    const config::DesignWarning w{static_cast<WarningKind>(k), 49, 1, 2.5, 31};
    const std::string text = config::DescribeWarning(w);
    EXPECT_FALSE(text.empty()) << k;
    EXPECT_EQ(text.find("保存できません") != std::string::npos, config::RefusesSave(w.Kind)) << text;
  }
}

// =====================================================================================
// Derived figures against values worked out by hand

TEST(ConfigFigures, DefaultGliderByHand) {
  const config::GameFigures f = config::ComputeFigures(config::DefaultDesign());
  EXPECT_DOUBLE_EQ(f.WingArea, 26.7);                           // 30 * 0.89
  EXPECT_NEAR(f.AspectRatio, 900 / 26.7, 1e-12);                // 33.71
  EXPECT_DOUBLE_EQ(f.TailArea, 1.8);                            // 3 * 0.6
  EXPECT_DOUBLE_EQ(f.TailAspectRatio, 5);                       // 9 / 1.8
  EXPECT_DOUBLE_EQ(f.TailArm, -4.7);                            // 0.3 - 5
  EXPECT_NEAR(f.TailVolume, 1.8 * 4.7 / (26.7 * 0.89), 1e-12);  // 0.356
  EXPECT_DOUBLE_EQ(f.PitchInertia, 169);                        // 1.3^2 * 100
  EXPECT_TRUE(f.StripModelOn);
  EXPECT_TRUE(f.LaunchReachesEdge);

  // Spans 5.7, 5, 3, 1 m: 5 strips of 1.14 m, then 5, 3 and 1 strips of 1 m.
  const std::array<int, 4> strips{5, 5, 3, 1};
  const std::array<double, 4> widths{1.14, 1, 1, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(f.Sections[i].Given, strips[i]);
    EXPECT_EQ(f.Sections[i].Needed, strips[i]);
    EXPECT_DOUBLE_EQ(f.Sections[i].StripWidth, widths[i]);
  }
  EXPECT_EQ(f.StripCount, 14);
  EXPECT_EQ(f.StripsNeeded, 14);
  ASSERT_EQ(f.Strips.size(), 14u);
  // Section 1: r*w = (1 - 0.9) / 5.7 * 1.14 = 0.02. Strip j's inner chord is
  // 1.1 * (1 - 0.02 j), its outer chord that times 0.98, its area w * chord * 0.99.
  double section1Area = 0;
  for (int j = 0; j < 5; ++j) {
    EXPECT_NEAR(f.Strips[j].InnerChord, 1.1 * (1 - 0.02 * j), 1e-12) << j;
    EXPECT_NEAR(f.Strips[j].OuterChord, 1.1 * (1 - 0.02 * j) * 0.98, 1e-12) << j;
    section1Area += f.Strips[j].Area;
  }
  EXPECT_NEAR(section1Area, 1.14 * 1.1 * 4.8 * 0.99, 1e-12);  // 5.959008
  EXPECT_NEAR(f.Strips[13].OuterChord, 0.402, 1e-12) << "a one-strip section tapers to 0.67 * 0.6";
  double halfArea = 0;
  for (const auto& row : f.Strips) halfArea += row.Area;
  EXPECT_NEAR(f.StripAreaBothHalves, 2 * halfArea, 1e-12);
  EXPECT_NEAR(f.StripAreaBothHalves, 26.7, 0.05) << "close to WingSpan * WingChord";
  EXPECT_EQ(f.Strips[5].Section, 1);
  EXPECT_NEAR(f.Strips[5].DihedralDeg, 1, 1e-12);
  EXPECT_EQ(f.Strips[6].DihedralDeg, 0) << "only a section's first strip carries its angle";
  EXPECT_NEAR(f.StripMassHalf, 25, 1e-12) << "the strips share WingMass";
  EXPECT_NEAR(f.StripSpan, 30, 1e-12) << "2 * (0.3 + 5.7 + 5 + 3 + 1)";
}

TEST(ConfigFigures, StripDivisionFollowsTheGame) {
  // Past the limit: the sections fill 30 strips and the rest is cut off.
  config::GameFigures f = config::ComputeFigures(WithSpans({10, 10, 10, 5}));
  EXPECT_EQ(f.StripsNeeded, 35);
  EXPECT_EQ(f.StripCount, 30);
  EXPECT_EQ((std::array{f.Sections[0].Given, f.Sections[1].Given, f.Sections[2].Given, f.Sections[3].Given}),
            (std::array{10, 10, 10, 0}));
  // A disabled section adds nothing; the next one follows directly.
  f = config::ComputeFigures(WithSpans({2, 3.9, 0.7, 1}, {1, 0, 1, 1}));
  EXPECT_EQ(f.Sections[1].Given, 0);
  EXPECT_EQ(f.Sections[2].Given, 1);
  EXPECT_DOUBLE_EQ(f.Sections[2].StripWidth, 0.7);
  ASSERT_EQ(f.Strips.size(), 4u);
  EXPECT_EQ(f.Strips[2].Section, 2);
  EXPECT_EQ(f.Strips[3].Section, 3);
  // The same numbers the game's aircraft holds.
  const AircraftSpec spec = WithSpans({3.9, 2.5, 0.7, 12});
  f = config::ComputeFigures(spec);
  const auto a = config::AircraftFromSpec(spec);
  ASSERT_EQ(f.StripCount, a->StripCount);
  for (int j = 0; j < a->StripCount; ++j) {
    EXPECT_EQ(f.Strips[j].Area, a->Strips[j].Area);
    EXPECT_EQ(f.Strips[j].Mass, a->Strips[j].Mass);
    EXPECT_EQ(f.Strips[j].Width, a->Strips[j].Width);
  }
  EXPECT_DOUBLE_EQ(f.StripAreaBothHalves, 2 * a->StripArea);
}

TEST(ConfigFigures, WingShapeFromAboveAndFromTheFront) {
  AircraftSpec s = WithSpans({10, 0, 0, 0}, {1, 0, 0, 0});
  s.SectionRootChord[0] = 1;
  s.SectionTaper[0] = 1;
  s.SectionSweep[0] = 0;
  s.SectionDihedral[0] = 30;
  config::WingShape shape = config::ComputeWingShape(s, config::ComputeFigures(s));
  ASSERT_EQ(shape.Strips.size(), 10u);
  EXPECT_NEAR(shape.TipHeight, 5, 1e-12) << "10 m at 30 degrees";
  EXPECT_NEAR(shape.HalfSpan, 0.3 + 10 * std::cos(M_PI / 6), 1e-12);
  EXPECT_NEAR(shape.Strips.back().Plan[2].X - shape.Strips.back().Plan[1].X, 1, 1e-12) << "tip chord";

  s.SectionDihedral[0] = 0;
  s.SectionSweep[0] = 45;
  shape = config::ComputeWingShape(s, config::ComputeFigures(s));
  EXPECT_NEAR(shape.TipHeight, 0, 1e-12);
  EXPECT_NEAR(shape.Strips.back().Plan[1].X, 10 / std::sqrt(2.0), 1e-12) << "swept tip leading edge";
  EXPECT_NEAR(shape.HalfSpan, 0.3 + 10 / std::sqrt(2.0), 1e-12);
  EXPECT_EQ(shape.Strips.front().Plan[0].X, 0);
  EXPECT_EQ(shape.Strips.front().Plan[0].Y, 0.3) << "strips start at the centre part";
}

// =====================================================================================
// The unsaved state: nothing is written until the player saves

TEST(ConfigDirty, EditsMakeTheDesignUnsavedUntilSaved) {
  fakes::TempWorkingDir dir;
  const std::string original = ReadWhole(kData / "temp.txt");
  fakes::WriteText("temp.txt", original);
  config::DesignEditor editor = config::StartEditor();
  EXPECT_EQ(editor.SourceName, "temp.txt");
  EXPECT_TRUE(editor.Problems.empty());
  EXPECT_FALSE(config::IsDirty(editor));

  editor.Spec.WindSpeed = 2.5;
  EXPECT_TRUE(config::IsDirty(editor));
  editor.Spec.WindSpeed = 0.5;
  EXPECT_FALSE(config::IsDirty(editor)) << "back to the saved value";
  editor.Spec.SectionEnabled[3] = 0;
  EXPECT_TRUE(config::IsDirty(editor));

  // Figures, validation, test flights and a sweep read nothing and write nothing.
  const auto before = FolderListing();
  config::ComputeFigures(editor.Spec);
  config::ValidateDesign(editor.Spec);
  config::FlyDesign(editor.Spec);
  auto sweep = config::StartSweep(editor.Spec, -1, 1, 1);
  while (!config::SweepDone(*sweep)) config::FlyNextTrim(*sweep);
  EXPECT_EQ(FolderListing(), before);
  EXPECT_EQ(ReadWhole("temp.txt"), original);

  ASSERT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);
  EXPECT_FALSE(config::IsDirty(editor));
  EXPECT_EQ(ReadWhole("temp.txt"), FormatAircraftSpec(editor.Spec));
  EXPECT_EQ(ParseAircraftSpecText(ReadWhole("temp.txt")).SectionEnabled[3], 0);
  EXPECT_EQ(FolderListing(), before) << "no temporary file left behind";
}

TEST(ConfigDirty, MissingDesignFileStartsFromTheDefaultAndWritesNothing) {
  fakes::TempWorkingDir dir;
  config::DesignEditor editor = config::StartEditor();
  EXPECT_TRUE(editor.SourceName.empty());
  ASSERT_EQ(editor.Problems.size(), 1u);
  EXPECT_EQ(editor.Problems[0].Kind, FileProblemKind::Missing);
  ExpectIdentical(editor.Spec, config::DefaultDesign(), "default");
  EXPECT_TRUE(config::IsDirty(editor)) << "the game has no design to read yet";
  EXPECT_FALSE(fs::exists("temp.txt"));
  ASSERT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);
  EXPECT_FALSE(config::IsDirty(editor));
  ExpectIdentical(ParseAircraftSpecText(ReadWhole("temp.txt")), config::DefaultDesign(), "saved default");
}

TEST(ConfigDirty, ChampionsDesignIsUnsavedUntilWrittenToTheDesignFile) {
  fakes::TempWorkingDir dir;
  fakes::WriteText("temp.txt", ReadWhole(kData / "temp.txt"));
  fakes::WriteText("rank/rank0.txt", ReadWhole(kData / "rank" / "rank0.txt"));
  config::DesignEditor editor = config::StartEditor();
  ASSERT_TRUE(config::OpenDesign(editor, "rank\\rank0.txt"));
  EXPECT_EQ(editor.SourceName, "rank\\rank0.txt");
  EXPECT_TRUE(config::IsDirty(editor));
  EXPECT_EQ(ReadWhole("rank/rank0.txt"), ReadWhole(kData / "rank" / "rank0.txt")) << "the entry is only read";
  ASSERT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);
  EXPECT_EQ(editor.SourceName, "temp.txt");
  EXPECT_FALSE(config::IsDirty(editor));
  EXPECT_EQ(CrLfLines(ReadWhole("temp.txt")).size(), 49u) << "the design only, not the control log";
}

TEST(ConfigDirty, RefusedOrFailedSavesLeaveTheFileAlone) {
  fakes::TempWorkingDir dir;
  const std::string original = ReadWhole(kData / "temp.txt");
  fakes::WriteText("temp.txt", original);
  config::DesignEditor editor = config::StartEditor();

  editor.Spec.SectionSpan = {10, 10, 10, 1};
  EXPECT_EQ(config::SaveDesign(editor), config::SaveResult::Refused);
  EXPECT_EQ(ReadWhole("temp.txt"), original);
  EXPECT_TRUE(config::IsDirty(editor));

  editor.Spec.SectionSpan = {5.7, 5, 3, 0.5};
  platform::testing::SetWriteFunction([](int, const void*, size_t) -> long { return -1; });
  const config::SaveResult failed = config::SaveDesign(editor);
  platform::testing::SetWriteFunction(nullptr);
  EXPECT_EQ(failed, config::SaveResult::WriteFailed);
  EXPECT_EQ(ReadWhole("temp.txt"), original);
  EXPECT_TRUE(config::IsDirty(editor));
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1) << "no temporary file left";
  EXPECT_FALSE(config::DescribeSaveResult(failed).empty());

  // A design with warnings but no refusal is saved when the player insists.
  editor.Spec.Mass = 0;
  EXPECT_EQ(config::SaveDesign(editor), config::SaveResult::Saved);
  EXPECT_EQ(ParseAircraftSpecText(ReadWhole("temp.txt")).Mass, 0);
}

TEST(ConfigDirty, BadDesignFileIsNotRewrittenByOpeningIt) {
  fakes::TempWorkingDir dir;
  auto lines = ShippedLines();
  lines[42].pop_back();  // a list line without its last comma
  const std::string bad = JoinLines(lines);
  fakes::WriteText("temp.txt", bad);
  config::DesignEditor editor = config::StartEditor();
  EXPECT_FALSE(editor.Problems.empty());
  EXPECT_FALSE(config::IsDirty(editor)) << "the values are what the game reads from the file";
  EXPECT_EQ(ReadWhole("temp.txt"), bad);
}

// =====================================================================================
// Test flight and trim sweep: the flight velkaro-sim makes

void ExpectSameFlight(const config::FlightProfile& profile, const sim::FlightOutcome& outcome) {
  EXPECT_EQ(profile.Distance, outcome.Distance);
  EXPECT_EQ(profile.LastStep, outcome.LastStep);
  EXPECT_EQ(profile.LaunchTicks, outcome.LaunchTicks);
  EXPECT_EQ(profile.LaunchEnded, outcome.LaunchEnded);
}

TEST(ConfigTestFlight, SameDistanceAsTheSimToolOnTheSameFile) {
  fakes::FakePlatform os;
  const fs::path file = kData / "temp.txt";
  const auto outcome = sim::FlyAircraftFile(file.string());
  ASSERT_TRUE(outcome);
  const config::FlightProfile profile = config::FlyDesign(ParseAircraftSpecText(ReadWhole(file)));
  ExpectSameFlight(profile, *outcome);
  EXPECT_GT(profile.Distance, 100);
  ASSERT_EQ(profile.X.size(), static_cast<size_t>(profile.LastStep + 1));
  EXPECT_EQ(profile.X.back(), profile.Distance) << "the distance is the touchdown record's x";
  EXPECT_EQ(profile.X.front(), 0);
  EXPECT_FLOAT_EQ(profile.Height.front(), 10.5f);
  EXPECT_LT(profile.Height.back(), 0.2f);

  // A champion's design flown at a constant trim, both ways.
  const fs::path entry = kData / "rank" / "rank3.txt";
  const auto trimmed = sim::FlyAircraftFile(entry.string(), {.TrimDeg = -0.25});
  ASSERT_TRUE(trimmed);
  ExpectSameFlight(config::FlyDesign(ParseAircraftSpecText(ReadWhole(entry)), -0.25), *trimmed);
}

TEST(ConfigTestFlight, TextFlightIsTheFileFlightIncludingControlLogs) {
  for (const fs::path& file : ShippedAircraftFiles()) {
    const auto fromFile = sim::FlyAircraftFile(file.string());
    ASSERT_TRUE(fromFile);
    const sim::FlightOutcome fromText = sim::FlyAircraftText(ReadWhole(file));
    EXPECT_EQ(fromText.Distance, fromFile->Distance) << file;
    EXPECT_EQ(fromText.LastStep, fromFile->LastStep) << file;
  }
}

TEST(ConfigTestFlight, SweepFindsTheBestConstantTrim) {
  EXPECT_FALSE(config::StartSweep(config::DefaultDesign(), 1, -1, 0.5)) << "from > to";
  EXPECT_FALSE(config::StartSweep(config::DefaultDesign(), -1, 1, 0)) << "no step";
  EXPECT_FALSE(config::StartSweep(config::DefaultDesign(), -1e6, 1e6, 0.001)) << "too many flights";
  EXPECT_FALSE(config::StartSweep(config::DefaultDesign(), NAN, 1, 0.1));

  auto sweep = config::StartSweep(config::DefaultDesign(), -0.6, 0, 0.1);
  ASSERT_TRUE(sweep);
  EXPECT_EQ(config::SweepFlightCount(*sweep), 7);
  while (!config::SweepDone(*sweep)) config::FlyNextTrim(*sweep);
  config::FlyNextTrim(*sweep);  // nothing more once done
  ASSERT_EQ(sweep->Points.size(), 7u);
  EXPECT_EQ(sweep->Points[3].TrimDeg, -0.3) << "clean decimals, not -0.30000000000000004";
  EXPECT_EQ(sweep->Points[6].TrimDeg, 0);
  EXPECT_FALSE(std::signbit(sweep->Points[6].TrimDeg));

  const auto best = config::BestTrim(*sweep);
  ASSERT_TRUE(best);
  for (const auto& p : sweep->Points) EXPECT_LE(p.Distance, best->Distance);
  // Setting the best trim as the tail's incidence flies that very distance untouched.
  AircraftSpec tuned = config::DefaultDesign();
  tuned.TailIncidence = best->TrimDeg;
  EXPECT_EQ(config::FlyDesign(tuned).Distance, best->Distance);
  EXPECT_EQ(config::FlyDesign(config::DefaultDesign(), sweep->Points[1].TrimDeg).Distance, sweep->Points[1].Distance);
}

TEST(ConfigTestFlight, SweepIgnoresFlightsThatNeverStart) {
  AircraftSpec slow = config::DefaultDesign();
  slow.StartSpeed = 2;
  auto sweep = config::StartSweep(slow, 0, 0, 1);
  ASSERT_TRUE(sweep);
  config::FlyNextTrim(*sweep);
  ASSERT_EQ(sweep->Points.size(), 1u);
  EXPECT_FALSE(sweep->Points[0].LaunchEnded);
  EXPECT_FALSE(config::BestTrim(*sweep));
}

}  // namespace
