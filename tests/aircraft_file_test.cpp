#include "aircraft/aircraft_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"

namespace {

using aircraft::FormatAircraftSpec;
using aircraft::ParseAircraftSpecText;

// The 49 lines of a file as the configurator writes them, with LF line ends.
std::vector<std::string> FileLines(const flight::AircraftSpec& spec = fakes::GliderSpec()) {
  std::vector<std::string> lines;
  const std::string text = FormatAircraftSpec(spec);
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& eol) {
  std::string text;
  for (const auto& line : lines) text += line + eol;
  return text;
}

void ExpectSameSpec(const flight::AircraftSpec& a, const flight::AircraftSpec& b) {
  EXPECT_EQ(FormatAircraftSpec(a), FormatAircraftSpec(b));
  EXPECT_EQ(a.TimeStep, b.TimeStep);
  EXPECT_EQ(a.SectionEnabled[0], b.SectionEnabled[0]);
}

TEST(AircraftFile, WrittenFileHasFortyNineCrLfLinesAndReadsBackExactly) {
  flight::AircraftSpec spec = fakes::GliderSpec();
  spec.WingChord = 0.1 + 0.2;  // not representable in short decimal form
  const std::string text = FormatAircraftSpec(spec);
  EXPECT_EQ(FileLines(spec).size(), 49u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const flight::AircraftSpec back = ParseAircraftSpecText(text);
  EXPECT_EQ(back.WingChord, spec.WingChord);
  EXPECT_EQ(back.StartZ, -10.5);
  EXPECT_EQ(back.TimeStep, 0.02);
  ExpectSameSpec(back, spec);
}

TEST(AircraftFile, LfAndCrLfLineEndsGiveIdenticalRecords) {
  const auto lines = FileLines();
  ExpectSameSpec(ParseAircraftSpecText(Join(lines, "\n")), ParseAircraftSpecText(Join(lines, "\r\n")));
}

TEST(AircraftFile, ValueConversionFollowsAtof) {
  auto lines = FileLines();
  lines[3] = "speed,";          // empty value
  lines[7] = "mass,1.5 m";      // trailing text
  lines[8] = "cg,1,5";          // decimal comma: the first number only
  lines[2] = "height,10";       // the launch height is stored negated
  lines[38] = "strips,  7xyz";  // integer line with blanks and text
  const flight::AircraftSpec spec = ParseAircraftSpecText(Join(lines, "\n"));
  EXPECT_EQ(spec.StartSpeed, 0);
  EXPECT_EQ(spec.Mass, 1.5);
  EXPECT_EQ(spec.CgPosition, 1);
  EXPECT_EQ(spec.StartZ, -10);
  EXPECT_EQ(spec.StripModel, 7);
}

TEST(AircraftFile, ListLineWithoutFinalCommaShiftsTheFollowingLists) {
  auto lines = FileLines();
  lines[42] = "span,5.7,5,3,1";  // line 43 without its last comma
  const flight::AircraftSpec spec = ParseAircraftSpecText(Join(lines, "\n"));
  // The last value still converts: the read runs on to the next line's first comma,
  // and "1\nlabel" converts to 1.
  EXPECT_EQ(spec.SectionSpan[3], 1);
  // Line 44's label has been eaten, so its first value is read as the label.
  EXPECT_EQ(spec.SectionRootChord[0], 0.99);
  // Its last value runs into the taper label: "\n<label>" converts to 0.
  EXPECT_EQ(spec.SectionRootChord[3], 0);
}

TEST(AircraftFile, ValueLineWithoutCommaShiftsEveryLaterField) {
  auto lines = FileLines();
  lines[3] = "speed 8";  // no comma: the label read runs into line 5
  const flight::AircraftSpec spec = ParseAircraftSpecText(Join(lines, "\n"));
  EXPECT_EQ(spec.StartSpeed, 0);    // took line 5's value "0" (the start pitch)
  EXPECT_EQ(spec.StartPitch, 0.5);  // took line 6's value (the wind)
}

TEST(AircraftFile, ShortAndLongFiles) {
  auto lines = FileLines();
  std::vector<std::string> first41(lines.begin(), lines.begin() + 41);
  const flight::AircraftSpec shortSpec = ParseAircraftSpecText(Join(first41, "\n"));
  EXPECT_EQ(shortSpec.StripModel, 1);
  EXPECT_EQ(shortSpec.WingMass, 25);
  EXPECT_EQ(shortSpec.CenterHalfWidth, 0.3);
  EXPECT_EQ(shortSpec.SectionSpan, (std::array<double, 4>{}));
  EXPECT_EQ(shortSpec.SectionEnabled, (std::array<int32_t, 4>{1, 0, 0, 0}));

  auto longer = lines;
  for (int i = 0; i < 11; ++i) longer.push_back("extra,99,");
  ExpectSameSpec(ParseAircraftSpecText(Join(longer, "\n")), ParseAircraftSpecText(Join(lines, "\n")));
}

TEST(AircraftFile, FieldOf256CharactersEndsTheReading) {
  auto lines = FileLines();
  lines[7] = "mass," + std::string("12") + std::string(254, '0');  // 256-character value
  const flight::AircraftSpec spec = ParseAircraftSpecText(Join(lines, "\n"));
  EXPECT_EQ(spec.Mass, 12e253);  // its first 255 characters still convert
  EXPECT_EQ(spec.CgPosition, 0);
  EXPECT_EQ(spec.WingSpan, 0);
  EXPECT_EQ(spec.TimeStep, 0.02);

  lines[7] = "mass," + std::string(255, '1');  // 255 characters are fine
  EXPECT_EQ(ParseAircraftSpecText(Join(lines, "\n")).CgPosition, 0.3);
}

TEST(AircraftFile, GarbageNeverCrashesAndGivesZeros) {
  const flight::AircraftSpec spec = ParseAircraftSpecText(std::string("\xff\x00,,,\n\n", 7));
  EXPECT_EQ(spec.Mass, 0);
  EXPECT_EQ(spec.SectionEnabled[0], 1);
}

TEST(AircraftFile, MissingFileWarnsOnceAndLeavesTheAircraftAlone) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  auto a = fakes::MakeAircraft();
  EXPECT_FALSE(aircraft::ParseAircraftSpec(*a, "temp.txt"));
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(os.Dialogs.Warnings[0],
            "\x8b\x40\x91\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8e\xe6\x93\xbe\x82\xc9\x8e\xb8\x94\x73");
  EXPECT_EQ(a->Mass, 100);
}

TEST(AircraftFile, EntryFileInFolderIsReadThroughItsBackslashName) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  fakes::WriteText("rank/rank3.txt", FormatAircraftSpec(fakes::GliderSpec()) + "\r\n--------vvv--------\r\n1.5\r\n");
  flight::Aircraft a;
  EXPECT_TRUE(aircraft::ParseAircraftSpec(a, "rank\\rank3.txt"));
  EXPECT_EQ(a.Mass, 100);
  EXPECT_TRUE(os.Dialogs.Warnings.empty());
}

}  // namespace
