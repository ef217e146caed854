#include "flight/flight_csv.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "fakes/temp_dir.h"
#include "fakes/test_aircraft.h"
#include "flight/flight_step.h"
#include "platform/text/shift_jis.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

TEST(FlightCsv, HeaderIsTheJapaneseHeaderInShiftJis) {
  const std::string utf8 =
      "時刻[s],x座標[m],y座標[m],ピッチ角[deg],x速度[m/s],y速度[m/s],ピッチ角速度[deg/s],"
      "x加速度[m/s^2],y加速度[m/s^2],ピッチ角加速度[deg/s^2],合成速度[m/s],機体迎角[deg],"
      "主翼有効迎角[deg],主翼揚力係数,尾翼有効迎角[deg],尾翼揚力係数,尾翼設定角度,"
      "主翼誘導抗力,尾翼誘導抗力";
  flight::Aircraft a;
  EXPECT_EQ(Lines(flight::FormatFlightCsv(a))[0], platform::Utf8ToShiftJis(utf8));
}

TEST(FlightCsv, BeforeAnyFlightTheHeaderAndAZeroRow) {
  flight::Aircraft a;
  const auto lines = Lines(flight::FormatFlightCsv(a));
  ASSERT_EQ(lines.size(), 2u);
  // The height is -z, written as the stream writes minus zero.
  EXPECT_EQ(lines[1], "0,0,-0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
}

TEST(FlightCsv, RowsUpToTouchdownWithConvertedUnits) {
  auto a = fakes::MakeAircraft();
  a->Step = 57;
  a->LastStep = 57;
  flight::FlightRecord& row = a->RecordCopy[5];
  row.Position = {1.5, -10, 0.01745};
  row.Velocity = {8, 0.25, 0.01745 * 2};
  row.TailSettingDeg = -0.5;
  const auto lines = Lines(flight::FormatFlightCsv(*a));
  ASSERT_EQ(lines.size(), 1u + 58u);
  EXPECT_EQ(lines.back().substr(0, 5), "1.14,");
  EXPECT_EQ(lines[6].substr(0, 4), "0.1,");
  EXPECT_EQ(lines[6].substr(0, 30), "0.1,1.5,10,1,8,0.25,2,0,0,0,0,");
  EXPECT_EQ(lines[6].substr(lines[6].size() - 9), ",-0.5,0,0");
}

TEST(FlightCsv, FileNameFromLocalTime) {
  std::tm t{};
  t.tm_year = 110;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 14;
  t.tm_min = 7;
  t.tm_sec = 9;
  EXPECT_EQ(flight::FlightCsvFileName(t), "20100305-140709.txt");
}

TEST(FlightCsv, ExportWritesTheFileOrWarns) {
  fakes::FakePlatform os;
  fakes::TempWorkingDir dir;
  flight::Aircraft a;
  std::tm t{};
  t.tm_year = 126;
  t.tm_mday = 1;
  const std::string name = flight::ExportFlightCsv(a, t);
  EXPECT_EQ(name, "20260101-000000.txt");
  EXPECT_EQ(fakes::ReadText(name), flight::FormatFlightCsv(a));

  std::filesystem::remove(name);
  std::filesystem::create_directory(name);  // a folder in the way: cannot be created
  EXPECT_EQ(flight::ExportFlightCsv(a, t), "");
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "飛行記録CSVファイル生成に失敗");
}

}  // namespace
