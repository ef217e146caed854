// The menu's CSV export through the game: the whole finished flight wherever the game
// is afterwards, the design's rows before any flight and during one, the file name on
// the status line for a few seconds, and the warning (with no status) on failure.
#include "game/flight_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/game_fixture.h"
#include "flight/flight_csv.h"
#include "platform/text/shift_jis.h"

namespace {

using platform::Key;

struct FlightExport : fakes::GameFixture {
  // Exports at a distinct second, so each export is a file of its own.
  std::string Export() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mday = 9;
    t.tm_sec = ++second_;
    return game::ExportLastFlightCsv(g, t);
  }
  static size_t Rows(const std::string& csv) {
    return static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n')) - 1;
  }
  bool StatusDrawn(const std::string& name) const {
    const std::string text = "CSVを書き出しました: " + name;
    return std::any_of(device.Calls.begin(), device.Calls.end(), [&](const std::string& call) {
      return call.rfind("DrawText 0,730,480,746 FFFFFFFF", 0) == 0 &&
             call.find(platform::Utf8ToShiftJis(text)) != std::string::npos;
    });
  }
  void FlyToTouchdown() {
    Tick();
    os.Input.Press(Key::Space);
    Tick();
    os.Input.Release(Key::Space);
    TickUntil(game::Landed);
  }

private:
  int second_ = 0;
};

TEST_F(FlightExport, BeforeAnyFlightTheHeaderAndRowZero) {
  Tick();
  const std::string name = Export();
  ASSERT_FALSE(name.empty());
  const std::string csv = fakes::ReadText(name);
  EXPECT_EQ(Rows(csv), 1u);
  EXPECT_EQ(csv, flight::FormatFlightCsv(*g.Aircraft));
}

TEST_F(FlightExport, TheWholeFinishedFlightInLandedReplayAndTheNextReady) {
  FlyToTouchdown();
  const int lastStep = g.Aircraft->LastStep;
  ASSERT_GT(lastStep, 500);
  const std::string atTouchdown = fakes::ReadText(Export());
  EXPECT_EQ(Rows(atTouchdown), static_cast<size_t>(lastStep) + 1);
  EXPECT_EQ(atTouchdown, flight::FormatFlightCsv(*g.Aircraft));  // the design's own export at touchdown

  TickUntil(game::Replay);
  Tick(100);  // the replay has rewound the records and shown 100 of them
  ASSERT_LT(g.Aircraft->Step, lastStep);
  EXPECT_EQ(fakes::ReadText(Export()), atTouchdown);

  os.Input.Press(Key::Space);  // leave the replay
  Tick();
  os.Input.Release(Key::Space);
  TickUntil(game::Ready);
  EXPECT_EQ(fakes::ReadText(Export()), atTouchdown);  // another aircraft object, the same flight

  // The next flight under way is exported as far as it got.
  os.Input.Press(Key::Space);
  Tick();
  os.Input.Release(Key::Space);
  TickUntil(game::Flight);
  Tick(50);
  const std::string partial = fakes::ReadText(Export());
  EXPECT_EQ(Rows(partial), size_t{g.Aircraft->Step} + 1u);
}

TEST_F(FlightExport, TheFileNameShowsForFourSecondsAtTheBottomLeft) {
  Tick();
  Tick();
  EXPECT_TRUE(device.CallsStartingWith("DrawText 0,730").empty());  // nothing before an export
  const std::string name = Export();
  Tick();
  EXPECT_TRUE(StatusDrawn(name));
  os.Clock.Now += game::StatusLine::kShownMs - 100;
  Tick();
  EXPECT_TRUE(StatusDrawn(name));
  os.Clock.Now += 200;
  Tick();
  EXPECT_FALSE(StatusDrawn(name));
  EXPECT_FALSE(g.Status.Active);
}

TEST_F(FlightExport, AFileThatCannotBeWrittenWarnsAndShowsNoStatus) {
  Tick();
  std::filesystem::create_directory("20260109-000001.txt");  // the first export's name, taken by a folder
  EXPECT_EQ(Export(), "");
  ASSERT_EQ(os.Dialogs.Warnings.size(), 1u);
  EXPECT_EQ(platform::ShiftJisToUtf8(os.Dialogs.Warnings[0]), "飛行記録CSVファイル生成に失敗");
  EXPECT_FALSE(g.Status.Active);
  Tick();
  EXPECT_TRUE(device.CallsStartingWith("DrawText 0,730").empty());
}

}  // namespace
