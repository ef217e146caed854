// The design report as a designer gets it from the command line: a PDF of a few A4
// pages whose drawing page shows the wing in its sections' colours; an existing file
// is replaced only when asked, and a design file never.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/figures/curve_export.h"
#include "config/report/design_report.h"
#include "fakes/temp_dir.h"

namespace {

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) out.append(buffer.data(), n);
    pclose(pipe);
  }
  return out;
}

// Runs the configurator in the working folder. fontconfig (which cairo asks for the
// report's font) loses a few bytes in its own start-up once per process; under the
// sanitizers that alone would fail the run, so the leak checker is told to pass it over.
int RunConfigurator(const std::string& arguments) {
  fakes::WriteText("fontconfig.supp", "leak:libfontconfig.so\n");
  const std::string command = "LSAN_OPTIONS=suppressions=fontconfig.supp " + std::string(VELKARO_CONFIG_PATH) + " " +
                              arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WEXITSTATUS(status);
}

// Pixels of a binary PPM (P6, 8 bits) near a colour, within `slack` per channel.
int PixelsNear(const std::string& ppm, unsigned rgb, int slack) {
  int width = 0, height = 0, maxValue = 0, offset = 0;
  if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &offset) != 3) return -1;
  const size_t start = offset + 1;  // one whitespace byte after the header
  if (ppm.size() < start + size_t(width) * height * 3) return -1;
  const int want[3] = {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
  int count = 0;
  for (size_t p = start; p + 2 < ppm.size(); p += 3) {
    bool near = true;
    for (int c = 0; c < 3; ++c) near = near && std::abs(static_cast<unsigned char>(ppm[p + c]) - want[c]) <= slack;
    count += near ? 1 : 0;
  }
  return count;
}

struct ReportTest : ::testing::Test {
  fakes::TempWorkingDir dir;
  void SetUp() override {
    const std::filesystem::path data = VELKARO_DATA_DIR;
    fakes::WriteText("temp.txt", fakes::ReadText(data / "temp.txt"));
    fakes::WriteText("entry.txt", fakes::ReadText(data / "rank/rank0.txt"));
  }
};

TEST_F(ReportTest, PagesAndThePlanformInItsSectionColours) {
  ASSERT_EQ(RunConfigurator("--report entry.txt report.pdf"), 0);
  const std::string info = Output("pdfinfo report.pdf");
  EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
  EXPECT_NE(info.find("A4"), std::string::npos) << info;

  // The page with the drawings: each of the design's four sections shows.
  const std::string page = Output("pdftoppm -f 2 -l 2 -r 50 report.pdf");
  constexpr int kSlack = 6;  // antialiasing and colour conversion
  for (int section = 0; section < 4; ++section) {
    EXPECT_GT(PixelsNear(page, config::ReportSectionColour(section), kSlack), 50) << "section " << section + 1;
  }
}

TEST_F(ReportTest, ReplacesOnlyWhenAskedAndNeverADesign) {
  fakes::WriteText("old.pdf", "kept");
  EXPECT_NE(RunConfigurator("--report temp.txt old.pdf"), 0);
  EXPECT_EQ(fakes::ReadText("old.pdf"), "kept") << "an existing file needs --force";
  EXPECT_EQ(RunConfigurator("--report temp.txt old.pdf --force"), 0);
  EXPECT_NE(fakes::ReadText("old.pdf"), "kept");

  const std::string design = fakes::ReadText("entry.txt");
  EXPECT_NE(RunConfigurator("--report temp.txt entry.txt --force"), 0);
  EXPECT_EQ(fakes::ReadText("entry.txt"), design) << "a design is never overwritten by a report";
  EXPECT_NE(RunConfigurator("--report missing.txt out.pdf"), 0);
  EXPECT_FALSE(std::filesystem::exists("out.pdf"));
}

}  // namespace

namespace {

// The polar and the sweep as CSV: one row per setting flown after a title and a header,
// distances as the game shows them, and the figures' export's refusals.
TEST_F(ReportTest, PolarAndSweepExportOneRowPerSetting) {
  config::TrimSweep sweep{.Spec = {}, .Range = {}};
  sweep.Points = {{1.25, 411.179f, true}, {1.5, 186.949f, true}, {1.75, 0, false}};
  const std::string csv = config::FormatSweepCsv(sweep, config::CsvEncoding::Utf8WithBom);
  EXPECT_EQ(csv.rfind(config::kUtf8Bom, 0), 0u);
  EXPECT_NE(csv.find("\r\n1.25,411.17,1\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n1.5,186.94,1\r\n"), std::string::npos) << "truncated, as the game shows it";
  EXPECT_NE(csv.find("\r\n1.75,-,0\r\n"), std::string::npos) << "no distance for a run that never left";

  config::GlidePolar polar{.Spec = {}, .Trims = {}};
  polar.Points = {{.TrimDeg = -0.5, .Airspeed = 8, .SinkRate = 0.25, .GlideRatio = 32, .Steady = true},
                  {.TrimDeg = 0, .Airspeed = 7, .SinkRate = 0.5, .GlideRatio = 14, .Steady = false}};
  const std::string sjis = config::FormatPolarCsv(polar, config::CsvEncoding::ShiftJis);
  EXPECT_EQ(sjis.rfind(config::kUtf8Bom, 0), std::string::npos);
  size_t lines = 0;
  for (size_t at = sjis.find("\r\n"); at != std::string::npos; at = sjis.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 2 + polar.Points.size()) << "title, header, a row per glide";
  EXPECT_NE(sjis.find("\r\n-0.5,8,0.25,32,1\r\n"), std::string::npos);

  EXPECT_EQ(config::ExportCsvBytes(csv, "temp.txt"), config::ExportResult::Refused) << "never over a design";
  EXPECT_EQ(config::ExportCsvBytes(csv, "sweep.csv"), config::ExportResult::Written);
  EXPECT_EQ(fakes::ReadText("sweep.csv"), csv);
}

}  // namespace
