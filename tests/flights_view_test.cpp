// The configurator's flights window and design comparison, without a screen: a CSV
// export read back equals what the game's writer wrote, an entry flown gives
// velkaro-sim's distance, broken files are refused with a reason and never crash, any
// values give a plot with a few sound ticks or a reason why not, and the comparison
// marks exactly the rows that differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "aircraft/aircraft_file.h"
#include "config/design/design_editor.h"
#include "config/figures/design_comparison.h"
#include "config/flights/flight_plot.h"
#include "config/flights/flight_set.h"
#include "config/flights/flight_table.h"
#include "config/flights/plot_scale.h"
#include "config/flights/plot_thinning.h"
#include "config/flights/test_flight.h"
#include "fakes/fake_platform.h"
#include "fakes/run_sim.h"
#include "fakes/temp_dir.h"
#include "flight/flight_csv.h"
#include "platform/text/shift_jis.h"
#include "sim/headless_flight.h"

namespace {

using config::FlightTable;
const std::filesystem::path kData = VELKARO_DATA_DIR;
const std::string kHeader = std::string(flight::FlightCsvHeader()) + "\n";

// The shipped ranking copied into a fresh working directory.
struct RankingFolder {
  fakes::TempWorkingDir Dir;
  fakes::FakePlatform Os;
  RankingFolder() {
    std::filesystem::copy(kData / "rank", "rank");
    std::filesystem::copy(kData / "temp.txt", "temp.txt");
  }
};

std::string Shortest(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

TEST(FlightTable, CsvExportReadsBackAsTheRowsTheGameWrote) {
  fakes::FakePlatform os;
  const auto outcome = sim::FlyAircraftFile((kData / "rank" / "rank3.txt").string());
  ASSERT_TRUE(outcome);
  const flight::Aircraft& a = *outcome->Aircraft;
  const std::string csv = flight::FormatFlightCsv(a);
  const config::FlightLoad load = config::ParseFlightCsv(csv);
  ASSERT_TRUE(load.Table) << load.Error;
  const FlightTable& t = *load.Table;
  EXPECT_EQ(t.Columns, config::GameFlightColumns());
  ASSERT_EQ(t.RowCount(), size_t{a.Step} + 1);
  for (size_t i = 0; i < t.RowCount(); ++i) {
    const auto written = flight::FlightCsvValues(a.RecordCopy[i], static_cast<int>(i));
    for (int c = 0; c < flight::kCsvColumnCount; ++c) {
      // Exactly the number the writer's text stands for (six significant digits).
      ASSERT_EQ(t.Values[c][i], std::strtod(Shortest(written[c]).c_str(), nullptr)) << "row " << i << " col " << c;
    }
  }
  EXPECT_TRUE(t.Note.empty());
  EXPECT_EQ(Shortest(t.Distance), Shortest(outcome->Distance));
  EXPECT_FLOAT_EQ(t.Duration, a.Step * flight::kTimeStep);
  // The full-precision table of the same rows writes the same text.
  const FlightTable exact = config::TableFromRecords(std::span(a.RecordCopy.data(), size_t{a.Step} + 1));
  EXPECT_EQ(exact.Values[flight::kCsvHeight].back(), -a.RecordCopy[a.Step].Position[flight::kZ]);
}

TEST(FlightTable, AnEntryFlownGivesVelkaroSimsDistanceAndRows) {
  RankingFolder folder;
  const auto [code, out] = fakes::RunSim("rank/rank3.txt --csv sim.csv");
  ASSERT_EQ(code, 0);
  const config::FlightLoad flown = config::LoadFlightFile("rank\\rank3.txt");
  ASSERT_TRUE(flown.Table) << flown.Error;
  const FlightTable& t = *flown.Table;
  EXPECT_TRUE(t.Flown);
  EXPECT_EQ(out.substr(0, out.find(' ')), "distance=" + Shortest(t.Distance));
  EXPECT_EQ(t.Label, "4位 夏空");  // place and pilot from Ranking.txt
  // velkaro-sim's CSV of the same flight reads back as the flown table to its digits.
  const config::FlightLoad csv = config::LoadFlightFile("sim.csv");
  ASSERT_TRUE(csv.Table) << csv.Error;
  EXPECT_FALSE(csv.Table->Flown);
  EXPECT_EQ(csv.Table->Label, "sim.csv");
  ASSERT_EQ(csv.Table->RowCount(), t.RowCount());
  for (int c = 0; c < flight::kCsvColumnCount; ++c) {
    EXPECT_EQ(Shortest(csv.Table->Values[c].back()), Shortest(t.Values[c].back())) << c;
  }
  EXPECT_EQ(Shortest(csv.Table->Distance), Shortest(t.Distance));
  EXPECT_EQ(Shortest(csv.Table->Duration), Shortest(t.Duration));
}

TEST(FlightTable, ColumnNamesComeOutOfShiftJisWithTheirUnits) {
  const auto& columns = config::GameFlightColumns();
  ASSERT_EQ(columns.size(), size_t{flight::kCsvColumnCount});
  EXPECT_EQ(columns[flight::kCsvTime], "時刻[s]");
  EXPECT_EQ(columns[flight::kCsvTailSetting], "尾翼設定角度");
  const auto x = config::SplitColumnName(columns[flight::kCsvX]);
  EXPECT_EQ(x.Name, "x座標");
  EXPECT_EQ(x.Unit, "m");
  EXPECT_EQ(config::SplitColumnName(columns[flight::kCsvPitchAccel]).Unit, "deg/s^2");
  EXPECT_EQ(config::SplitColumnName("主翼揚力係数").Unit, "");
  EXPECT_EQ(config::SplitColumnName("[m]").Name, "[m]");  // nothing but a unit is a name
  // A UTF-8 table (with its byte order mark) keeps its names as they are.
  const auto utf8 = config::ParseFlightCsv("\xEF\xBB\xBF時刻[s],高さ[m]\n0,1\n");
  ASSERT_TRUE(utf8.Table);
  EXPECT_EQ(utf8.Table->Columns[1], "高さ[m]");
}

TEST(FlightTable, BrokenFilesAreRefusedWithTheirReason) {
  struct Case {
    const char* What;
    std::string Text;
    std::string ErrorHas;
  };
  const std::string row = "0,0,10.5,0,8,0,0,-0.35,-1.4,0,8,0,4,0.9,-1,0.1,-0.5,0.02,0.001\n";
  const std::vector<Case> cases = {
      {"empty file", "", "空のファイル"},
      {"only a line end", "\n", "空のファイル"},
      {"header only", kHeader, "データの行がありません"},
      {"header and blank lines", kHeader + "\n\r\n\n", "データの行がありません"},
      {"first row too short", kHeader + "0,1,2\n", "2 行目: 値が 3 個あります (見出しは 19 列)"},
      {"first row too long", kHeader + row.substr(0, row.size() - 1) + ",7\n", "値が 20 個"},
      {"a word in a row", kHeader + "0,zero" + row.substr(3), "2 列目が数値ではありません"},
      {"an empty field", kHeader + "0,," + row.substr(4), "2 列目が数値ではありません"},
      {"a number with trailing text", kHeader + "0x1," + row.substr(2), "1 列目が数値ではありません"},
  };
  for (const Case& c : cases) {
    const config::FlightLoad load = config::ParseFlightCsv(c.Text);
    EXPECT_FALSE(load.Table) << c.What;
    EXPECT_NE(load.Error.find(c.ErrorHas), std::string::npos) << c.What << ": " << load.Error;
  }
}

TEST(FlightTable, ReadingStopsAtTheFirstBadRowAndKeepsTheRowsBefore) {
  const std::string row = "0.02,0.16,10.5,0,8,0,0,-0.35,-1.4,0,8,0,4,0.9,-1,0.1,-0.5,0.02,0.001";
  // A file cut while the game wrote it, with CR LF line ends.
  const std::string cut = kHeader + row + "\r\n" + row + "\r\n" + "0.06,0.4";
  const config::FlightLoad load = config::ParseFlightCsv(cut);
  ASSERT_TRUE(load.Table) << load.Error;
  EXPECT_EQ(load.Table->RowCount(), 2u);
  EXPECT_NE(load.Table->Note.find("4 行目で読むのをやめました"), std::string::npos) << load.Table->Note;
  EXPECT_DOUBLE_EQ(load.Table->Distance, 0.16);
  // What the game writes for a flight whose numbers overflowed is still a number.
  const auto overflowed = config::ParseFlightCsv(kHeader + "0,nan,-nan,inf,-inf,+1, 2 ,3,4,5,6,7,8,9,10,11,12,13,14\n");
  ASSERT_TRUE(overflowed.Table) << overflowed.Error;
  EXPECT_TRUE(std::isnan(overflowed.Table->Distance));
  EXPECT_TRUE(std::isinf(overflowed.Table->Values[3][0]));
  EXPECT_EQ(overflowed.Table->Values[6][0], 2);
}

TEST(FlightTable, RandomBytesNeverCrashAndGiveATableOrAReason) {
  std::mt19937 random(15);
  const std::string alphabet = "0123456789.,-+eEnaif \r\n\x81\x82\xff\x00";
  for (int trial = 0; trial < 2000; ++trial) {
    std::string text = trial % 2 ? kHeader : "";
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    const config::FlightLoad load = config::ParseFlightCsv(text);
    if (!load.Table) {
      EXPECT_FALSE(load.Error.empty());
      continue;
    }
    const FlightTable& t = *load.Table;
    ASSERT_EQ(t.Values.size(), t.Columns.size());
    for (const auto& column : t.Values) ASSERT_EQ(column.size(), t.RowCount());
    EXPECT_GT(t.RowCount(), 0u);
  }
}

TEST(FlightTable, HugeFilesAreReadOnlyUpToTheirBounds) {
  // Rows beyond the row limit are left out and said to be.
  std::string many = "a,b\n";
  for (size_t i = 0; i < config::kMaxFlightRows + 3; ++i) many += "1,2\n";
  const auto rows = config::ParseFlightCsv(many);
  ASSERT_TRUE(rows.Table);
  EXPECT_EQ(rows.Table->RowCount(), config::kMaxFlightRows);
  EXPECT_FALSE(rows.Table->Note.empty());

  // A file beyond the byte limit: the rows wholly inside it, never a partial one.
  fakes::TempWorkingDir dir;
  constexpr int kColumns = 80;  // rows long enough for the byte limit to come before the row limit
  std::string header = "c0", line = "1.25";
  for (int c = 1; c < kColumns; ++c) {
    header += ",c" + std::to_string(c);
    line += ",1.25";
  }
  {
    std::ofstream out("huge.csv", std::ios::binary);
    out << header << '\n';
    const size_t count = config::kFlightFileReadLimit / line.size() + 1000;
    for (size_t i = 0; i < count; ++i) out << line << '\n';
  }
  ASSERT_GT(std::filesystem::file_size("huge.csv"), config::kFlightFileReadLimit);
  const config::FlightLoad load = config::LoadFlightFile("huge.csv");
  ASSERT_TRUE(load.Table) << load.Error;
  EXPECT_EQ(load.Table->RowCount(), (config::kFlightFileReadLimit - header.size() - 1) / (line.size() + 1));
  EXPECT_NE(load.Table->Note.find("32 MB"), std::string::npos) << load.Table->Note;
  for (const auto& column : load.Table->Values) EXPECT_EQ(column.back(), 1.25);
}

TEST(FlightTable, FilesThatCannotBeFlownOrOpenedSayWhy) {
  RankingFolder folder;
  EXPECT_NE(config::LoadFlightFile("nothing.txt").Error.find("「nothing.txt」を開けません"), std::string::npos);
  EXPECT_FALSE(config::LoadFlightFile("rank").Table);  // a folder
  EXPECT_FALSE(config::LooksLikeCsv(fakes::ReadText("temp.txt")));
  EXPECT_FALSE(config::LooksLikeCsv(fakes::ReadText("rank/rank0.txt")));
  EXPECT_TRUE(config::LooksLikeCsv(kHeader));
  // Neither a table nor a design: nothing is flown.
  fakes::WriteText("empty.txt", "");
  const config::FlightLoad empty = config::LoadFlightFile("empty.txt");
  EXPECT_FALSE(empty.Table);
  EXPECT_NE(empty.Error.find("empty.txt: CSV の飛行記録でも機体ファイルでもありません"), std::string::npos)
      << empty.Error;
  std::string shifted = fakes::ReadText("temp.txt");
  // The launch height's line (line 3) without its comma: every later value moves.
  shifted.erase(shifted.find(',', shifted.find('\n', shifted.find('\n') + 1)), 1);
  fakes::WriteText("shifted.txt", shifted);
  EXPECT_FALSE(config::LoadFlightFile("shifted.txt").Table);
  EXPECT_TRUE(config::LoadFlightFile("temp.txt").Table);
  // A design whose launch run never reaches the platform's edge.
  flight::AircraftSpec slow = config::DefaultDesign();
  slow.StartSpeed = 0;
  fakes::WriteText("slow.txt", aircraft::FormatAircraftSpec(slow));
  const config::FlightLoad load = config::LoadFlightFile("slow.txt");
  EXPECT_FALSE(load.Table);
  EXPECT_NE(load.Error.find("slow.txt: 発進台の端に届きません"), std::string::npos) << load.Error;
}

config::FlightLoad SmallTable(const std::string& source, const std::string& csv) {
  config::FlightLoad load = config::ParseFlightCsv(csv);
  load.Table->Source = source;
  load.Table->Label = source;
  return load;
}

TEST(FlightSet, UpToFourFlightsOverlaidByColumnName) {
  config::FlightSet set;
  EXPECT_EQ(set.XColumn, "x座標[m]");
  EXPECT_EQ(set.YColumn, "y座標[m]");
  const std::string row = "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\n";
  for (const char* name : {"a", "b", "c", "d"}) EXPECT_EQ(config::AddFlight(set, SmallTable(name, kHeader + row)), std::string(name) + " を読みました");
  EXPECT_NE(config::AddFlight(set, SmallTable("e", kHeader + row)).find("4 つまで"), std::string::npos);
  EXPECT_EQ(set.Flights.size(), 4u);
  // The same file again replaces its table.
  EXPECT_EQ(config::AddFlight(set, SmallTable("b", kHeader + row + row)), "b を読み直しました");
  EXPECT_EQ(set.Flights[1].RowCount(), 2u);
  config::RemoveFlight(set, 1);
  config::RemoveFlight(set, 9);  // nothing there
  ASSERT_EQ(set.Flights.size(), 3u);
  EXPECT_EQ(set.Flights[1].Label, "c");
  // A failed load adds nothing and says why.
  EXPECT_EQ(config::AddFlight(set, config::ParseFlightCsv("")), config::ParseFlightCsv("").Error);
  EXPECT_EQ(set.Flights.size(), 3u);

  // A table without the chosen columns is left out of the plot.
  config::AddFlight(set, SmallTable("other", "t,speed\n0,1\n1,2\n"));
  auto series = config::ChosenSeries(set);
  ASSERT_EQ(series.size(), 3u);
  EXPECT_EQ(series[2].Flight, 2u);
  EXPECT_EQ(series[0].X, std::vector<double>{1});
  EXPECT_EQ(series[0].Y, std::vector<double>{2});
  const auto choices = config::ColumnChoices(set);
  EXPECT_EQ(choices.size(), size_t{flight::kCsvColumnCount} + 2);
  EXPECT_EQ(choices.back(), "speed");

  // The speed preset: resultant speed over time.
  config::ApplyPreset(set, config::AxisPresets()[1]);
  series = config::ChosenSeries(set);
  EXPECT_EQ(set.XColumn, "時刻[s]");
  EXPECT_EQ(series[0].Y, std::vector<double>{10});
}

TEST(FlightSet, TwoFlightsOfOneNameAreToldApartByTheirFile) {
  config::FlightSet set;
  const std::string csv = kHeader + "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\n";
  auto first = SmallTable("rank/rank1.txt", csv), second = SmallTable("rank/rank2.txt", csv);
  first.Table->Label = second.Table->Label = "No Name";
  config::AddFlight(set, std::move(first));
  config::AddFlight(set, std::move(second));
  EXPECT_EQ(set.Flights[0].Label, "No Name");
  EXPECT_EQ(set.Flights[1].Label, "No Name (rank/rank2.txt)");
}

// A set of one flight read from CSV text, plotting columns "x" and "y".
config::FlightSet PlotOf(const std::string& csv) {
  config::FlightSet set;
  config::AddFlight(set, SmallTable("f.csv", csv));
  config::ChooseColumn(set, config::PlotAxis::X, "x");
  config::ChooseColumn(set, config::PlotAxis::Y, "y");
  return set;
}

// What every axis a plot draws must be: finite ends around the values, and a few
// finite ticks, distinct and in order, inside the ends.
void ExpectSoundAxis(const config::AxisScale& axis, double lo, double hi, const std::string& what) {
  ASSERT_EQ(axis.Problem, config::AxisProblem::None) << what;
  EXPECT_TRUE(std::isfinite(axis.Lo) && std::isfinite(axis.Hi)) << what;
  EXPECT_LE(axis.Lo, lo) << what;
  EXPECT_GE(axis.Hi, hi) << what;
  EXPECT_LT(axis.Lo, axis.Hi) << what;
  ASSERT_GE(axis.Ticks.Count, 1u) << what;
  ASSERT_LE(axis.Ticks.Count, config::kMaxAxisTicks) << what;
  for (size_t i = 0; i < axis.Ticks.Count; ++i) {
    const double tick = axis.Ticks.Values[i];
    EXPECT_TRUE(tick >= axis.Lo && tick <= axis.Hi) << what << " tick " << tick;
    if (i > 0) {
      EXPECT_GT(tick, axis.Ticks.Values[i - 1]) << what;
    }
  }
}

TEST(FlightPlot, RangesBeyondWhatADoubleHoldsOrTellsApartAreRefusedNotTicked) {
  struct Case {
    const char* What;
    std::string Rows;
    config::AxisProblem X;
  };
  const std::vector<Case> cases = {
      {"-1e308 to 1e308", "-1e308,0\n1e308,1\n", config::AxisProblem::TooWide},
      {"0 to 1.75e308", "0,0\n1.75e308,1\n", config::AxisProblem::TooWide},
      {"the largest doubles", "-1.7976931348623157e308,0\n1.7976931348623157e308,1\n", config::AxisProblem::TooWide},
      {"one value at the largest double", "1.7976931348623157e308,0\n", config::AxisProblem::TooWide},
      {"1e17 and the next double", "1e17,0\n100000000000000016,1\n", config::AxisProblem::TooFine},
      {"the two smallest doubles", "0,0\n5e-324,1\n", config::AxisProblem::TooFine},
  };
  for (const Case& c : cases) {
    const config::FlightPlot plot = config::MakeFlightPlot(PlotOf("x,y\n" + c.Rows), 900);
    EXPECT_EQ(plot.Scale.X.Problem, c.X) << c.What;
    EXPECT_FALSE(plot.Scale.Drawable()) << c.What;
    EXPECT_EQ(plot.Scale.X.Ticks.Count, 0u) << c.What;
    EXPECT_FALSE(plot.Refusal.empty()) << c.What;
    EXPECT_TRUE(plot.Series.empty()) << c.What;
  }
  // The y axis of the same files is fine; a refusal of both axes says both.
  ExpectSoundAxis(config::MakeFlightPlot(PlotOf("x,y\n0,0\n1.75e308,1\n"), 900).Scale.Y, 0, 1, "y");
  const auto both = config::MakeFlightPlot(PlotOf("x,y\n-1e308,1e17\n1e308,100000000000000016\n"), 900);
  EXPECT_EQ(both.Scale.Y.Problem, config::AxisProblem::TooFine);
  EXPECT_NE(both.Refusal.find("縦軸"), std::string::npos) << both.Refusal;
  EXPECT_NE(both.Refusal.find("横軸"), std::string::npos) << both.Refusal;
}

TEST(FlightPlot, TicksAreFewDistinctAndInsideEveryAxisThatCanBeDrawn) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> exponent(-300, 300), mantissa(-10, 10);
  int drawn = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const double a = mantissa(random) * std::pow(10.0, exponent(random));
    // Widths from a one-value line through ones as wide as the values.
    const double width = trial % 5 == 0 ? 0 : std::fabs(a) * std::pow(10.0, -(trial % 11));
    const config::AxisScale axis = config::FitAxis(a, a + width);
    if (axis.Problem != config::AxisProblem::None) {
      EXPECT_EQ(axis.Ticks.Count, 0u);
      continue;
    }
    ExpectSoundAxis(axis, a, a + width, std::to_string(a) + " + " + std::to_string(width));
    ++drawn;
  }
  EXPECT_GT(drawn, 19000);  // ranges within the doubles' reach and digits are drawn
  // A single value (zero width), small or large, is a flat line with its ticks.
  for (double v : {0.0, -3.5, 1e-300, 350.0, 1e17, -1e300}) ExpectSoundAxis(config::FitAxis(v, v), v, v, "flat");
}

TEST(FlightPlot, ValuesThatAreNotFiniteAreLeftOutOfTheRangeAndTheLines) {
  const config::FlightPlot plot =
      config::MakeFlightPlot(PlotOf("x,y,z\n0,1,0\nnan,2,0\n1,inf,0\n2,-inf,0\n3,-nan,0\n4,5,0\n"), 900);
  ASSERT_TRUE(plot.Scale.Drawable()) << plot.Refusal;
  ExpectSoundAxis(plot.Scale.X, 0, 4, "x");
  ExpectSoundAxis(plot.Scale.Y, 1, 5, "y");
  EXPECT_LT(plot.Scale.Y.Hi, 6);  // not stretched by anything but 1 and 5
  ASSERT_EQ(plot.Series.size(), 1u);
  EXPECT_EQ(plot.Series[0].X, (std::vector<double>{0, 4}));
  EXPECT_EQ(plot.Series[0].Y, (std::vector<double>{1, 5}));
  // A column of nothing finite gives an empty plot, not a broken one.
  const auto empty = config::MakeFlightPlot(PlotOf("x,y,z\nnan,inf,0\n"), 900);
  EXPECT_TRUE(empty.Scale.Drawable());
  EXPECT_TRUE(empty.Series[0].X.empty());
}

TEST(FlightPlot, ALongNoisySeriesIsThinnedToThePlotsWidthKeepingItsExtremes) {
  constexpr int kColumns = 300;
  std::mt19937 random(3);
  std::vector<double> x, y, zigzag;
  for (size_t i = 0; i < config::kMaxFlightRows; ++i) {
    x.push_back(static_cast<double>(i));
    y.push_back(static_cast<double>(random() % 1000));
    zigzag.push_back(i % 2 ? 0.0 : 1.0);  // across the whole plot at every point
  }
  y[12345] = -50;
  y[54321] = 2000;
  const auto thin = config::ThinToColumns(x, y, 0, static_cast<double>(x.size()), kColumns);
  EXPECT_LE(thin.X.size(), config::kThinnedPointsPerColumn * kColumns);
  EXPECT_EQ(thin.X.front(), 0);
  EXPECT_EQ(thin.X.back(), x.back());
  EXPECT_EQ(*std::min_element(thin.Y.begin(), thin.Y.end()), -50);
  EXPECT_EQ(*std::max_element(thin.Y.begin(), thin.Y.end()), 2000);
  EXPECT_TRUE(std::is_sorted(thin.X.begin(), thin.X.end()));  // in the series' order
  const auto back = config::ThinToColumns(zigzag, y, 0, 1, kColumns);
  EXPECT_LE(back.X.size(), config::kThinnedPointsPerColumn * kColumns);
  EXPECT_EQ(back.Y.back(), y.back());
}

TEST(FlightsView, AHeaderOfTwoHundredThousandNamesIsListedOnceEach) {
  constexpr int kNames = 200000;  // listing them by comparing each with every other would take minutes
  std::string header = "x,y", row = "0,1";
  for (int i = 0; i < kNames; ++i) {
    header += ",c" + std::to_string(i);
    row += ",2";
  }
  header += ",x,y," + std::string(1 << 20, 'n');  // the first two again, and a name of a megabyte
  row += ",3,4,5";
  config::FlightSet set = PlotOf(header + "\n" + row + "\n");
  config::AddFlight(set, SmallTable("small", "y,x,t\n0,1,2\n"));
  config::FlightsView view;
  ASSERT_TRUE(config::UpdateFlightsView(view, set, 900));
  ASSERT_EQ(view.Choices.size(), size_t{kNames} + 4);
  EXPECT_EQ(view.Choices[0], "x");
  EXPECT_EQ(view.Choices[kNames + 2].size(), size_t{1} << 20);
  EXPECT_EQ(view.Choices.back(), "t");
  EXPECT_EQ(view.XChoice, 0);
  EXPECT_EQ(view.YChoice, 1);
  ASSERT_EQ(view.ShownChoices.size(), view.Choices.size());
  EXPECT_LE(view.ShownChoices[kNames + 2].size(), config::kMaxShownNameBytes);
  EXPECT_EQ(view.Plot.Series.size(), 2u);
  EXPECT_EQ(config::ShownName("x座標[m]"), "x座標[m]");
  // A long name is cut before a whole character, wherever its characters fall.
  for (size_t pad = 0; pad < 3; ++pad) {
    std::string name(pad, 'a');
    while (name.size() < 2 * config::kMaxShownNameBytes) name += "高";
    const std::string shown = config::ShownName(name);
    EXPECT_LE(shown.size(), config::kMaxShownNameBytes);
    const std::string kept = shown.substr(0, shown.rfind("…"));
    EXPECT_TRUE(name.starts_with(kept));
    EXPECT_EQ((kept.size() - pad) % std::string("高").size(), 0u) << pad;
  }
}

TEST(FlightsView, IsMadeAgainOnlyWhenTheFlightsTheColumnsOrTheWidthChange) {
  config::FlightSet set = PlotOf("x,y,z\n0,1,2\n3,4,5\n");
  config::FlightsView view;
  EXPECT_TRUE(config::UpdateFlightsView(view, set, 900));
  EXPECT_FALSE(config::UpdateFlightsView(view, set, 900));
  EXPECT_TRUE(config::UpdateFlightsView(view, set, 400));
  config::ChooseColumn(set, config::PlotAxis::Y, "z");
  EXPECT_TRUE(config::UpdateFlightsView(view, set, 400));
  EXPECT_EQ(view.YChoice, 2);
  EXPECT_EQ(view.Plot.Series[0].Y, (std::vector<double>{2, 5}));
  config::AddFlight(set, SmallTable("other", "t\n0\n"));
  EXPECT_TRUE(config::UpdateFlightsView(view, set, 400));
  EXPECT_EQ(view.Plot.FlightsLeftOut, 1u);
  EXPECT_FALSE(config::UpdateFlightsView(view, set, 400));
  config::RemoveFlight(set, 0);
  EXPECT_TRUE(config::UpdateFlightsView(view, set, 400));
  EXPECT_TRUE(view.Plot.Series.empty());
}

const config::ComparisonRow& Row(const std::vector<config::ComparisonRow>& rows, const std::string& name) {
  for (const auto& r : rows) {
    if (r.Name == name) return r;
  }
  ADD_FAILURE() << "no row " << name;
  return rows.front();
}

TEST(DesignComparison, ADesignAgainstItselfDiffersNowhere) {
  const auto rows = config::CompareDesigns(config::DefaultDesign(), config::DefaultDesign());
  EXPECT_EQ(config::CountDifferences(rows), 0);
  EXPECT_GT(rows.size(), 80u);  // every file value and every figure
  for (const auto& r : rows) EXPECT_EQ(config::FormatDifference(r), "") << r.Name;
}

TEST(DesignComparison, AChangedSpanMarksItsValueAndTheFiguresThatFollow) {
  flight::AircraftSpec wider = config::DefaultDesign();
  wider.WingSpan = 33;  // 30 m shipped
  const auto rows = config::CompareDesigns(config::DefaultDesign(), wider);
  const auto& span = Row(rows, "翼幅");
  EXPECT_TRUE(span.Differs);
  EXPECT_TRUE(span.Exact);
  EXPECT_DOUBLE_EQ(span.Difference, 3);
  EXPECT_NEAR(*span.Percent, 10, 1e-9);
  EXPECT_EQ(config::FormatDifference(span), "+3 (+10.0 %)");
  EXPECT_TRUE(Row(rows, "主翼面積 (翼幅×平均翼弦)").Differs);
  EXPECT_TRUE(Row(rows, "主翼アスペクト比").Differs);
  EXPECT_TRUE(Row(rows, "翼面荷重").Differs);
  EXPECT_FALSE(Row(rows, "全備質量").Differs);
  EXPECT_FALSE(Row(rows, "尾翼面積").Differs);
  // The strips follow the sections, not the span.
  EXPECT_FALSE(Row(rows, "帯の翼幅 (中央部込み)").Differs);
  // The untouched flights: the shipped glider's distance is the test flight's, and the
  // strip wing flies the same whatever the span line says.
  const auto& distance = Row(rows, "距離 (操縦なし)");
  EXPECT_EQ(distance.Group, config::ComparisonGroup::Flight);
  EXPECT_FLOAT_EQ(distance.A, config::FlyDesign(config::DefaultDesign()).Distance);
  EXPECT_FALSE(distance.Differs);
}

TEST(DesignComparison, SectionValuesZeroStartsAndUndefinedFigures) {
  flight::AircraftSpec a = config::DefaultDesign(), b = a;
  b.SectionTaper[2] = 0.5;
  b.StartPitch = 2;  // from 0: no share of zero
  const auto rows = config::CompareDesigns(a, b);
  EXPECT_TRUE(Row(rows, "テーパ比 (区間3)").Differs);
  EXPECT_FALSE(Row(rows, "テーパ比 (区間2)").Differs);
  EXPECT_TRUE(Row(rows, "翼端弦 (区間3)").Differs);
  const auto& distance = Row(rows, "距離 (操縦なし)");
  EXPECT_TRUE(distance.Differs);
  EXPECT_EQ(config::FormatComparedValue(distance, 345.679), "345.67") << "truncated as the game shows it";
  const auto& pitch = Row(rows, "初期ピッチ角");
  EXPECT_FALSE(pitch.Percent);
  EXPECT_EQ(config::FormatDifference(pitch), "+2");
  EXPECT_EQ(config::FormatComparedValue(Row(rows, "平均翼弦"), 0.89), "0.89");

  // No tail: the stability figures are undefined on both sides, which is no difference.
  flight::AircraftSpec tailless = a;
  tailless.TailSpan = 0;
  const auto same = config::CompareDesigns(tailless, tailless);
  const auto& margin = Row(same, "静安定余裕 (平均翼弦比)");
  EXPECT_FALSE(margin.Differs);
  EXPECT_EQ(config::FormatComparedValue(margin, margin.A), "-");
  EXPECT_TRUE(Row(config::CompareDesigns(a, tailless), "静安定余裕 (平均翼弦比)").Differs);
}

TEST(DesignComparison, TheSecondDesignIsReadFromAnyAircraftFile) {
  RankingFolder folder;
  const config::ComparedDesign entry = config::ReadComparedDesign("rank\\rank3.txt");
  ASSERT_TRUE(entry.Spec);
  const config::ComparedDesign temp = config::ReadComparedDesign("temp.txt");
  ASSERT_TRUE(temp.Spec);
  EXPECT_GT(config::CountDifferences(config::CompareDesigns(*temp.Spec, *entry.Spec)), 0);
  const config::ComparedDesign missing = config::ReadComparedDesign("rank\\rank42.txt");
  EXPECT_FALSE(missing.Spec);
  EXPECT_EQ(missing.Error, "「rank/rank42.txt」を開けません。");
}

}  // namespace
