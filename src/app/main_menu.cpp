#include "app/main_menu.h"

#include "app/menu_commands.h"

namespace app {
namespace {

// "ランキングの飛行を見る": one item per ranking entry, greyed until the game has
// started and given them their texts.
platform::MenuItem WatchMenu() {
  platform::MenuItem watch(0, "ランキングの飛行を見る", true);
  for (int id = kWatchEntryFirst; id <= kWatchEntryLast; ++id) {
    watch.Submenu.emplace_back(id, std::to_string(id - kWatchEntryFirst + 1) + ".", false);
  }
  return watch;
}

// "リーグの上位": the fetch, and the ten places greyed out until a top has come.
platform::MenuItem LeagueTopMenu() {
  platform::MenuItem top(0, "リーグの上位", true);
  top.Submenu.emplace_back(kLeagueTopFetch, "上位を読み込む", false);
  top.Submenu.emplace_back(0, "", true);
  for (int id = kLeagueGhostFirst; id <= kLeagueGhostLast; ++id) top.Submenu.emplace_back(id, "ゴースト: -", false);
  top.Submenu.emplace_back(0, "", true);
  for (int id = kLeagueWatchFirst; id <= kLeagueWatchLast; ++id) top.Submenu.emplace_back(id, "見る: -", false);
  return top;
}

// "ランキングの飛行をリーグへ送る": one item per ranking entry, greyed without a league.
platform::MenuItem SendMenu() {
  platform::MenuItem send(0, "ランキングの飛行をリーグへ送る", true);
  for (int id = kSendEntryFirst; id <= kSendEntryLast; ++id) {
    send.Submenu.emplace_back(id, std::to_string(id - kSendEntryFirst + 1) + ".", false);
  }
  return send;
}

// "音量": the volume in equal steps up to full, one checked.
platform::MenuItem VolumeMenu() {
  constexpr int kPercentPerStep = 100 / game::SoundOptions::kVolumeSteps;
  platform::MenuItem volume(0, "音量", true);
  for (int id = kVolumeFirst; id <= kVolumeLast; ++id) {
    volume.Submenu.emplace_back(id, std::to_string((id - kVolumeFirst + 1) * kPercentPerStep) + "%", true);
  }
  return volume;
}

}  // namespace

std::vector<platform::MenuPopup> MainMenu() {
  // Texts in UTF-8: they go straight to the menu bar's renderer.
  return {
      {"機体メニュー",
       {{kEditAircraft, "機体諸元設定", true},
        {kShowFlightLog, "飛行記録の表示", false},
        {kExportCsv, "CSVデータへ書き出し", true},
        WatchMenu(),
        LeagueTopMenu(),
        SendMenu(),
        {0, "", true},
        {kQuit, "終了", true}}},
      {"オプション",
       {{kDesignMode, "設計モード", true},
        {kCoachLine, "コーチの最長距離を表示", true},
        {0, "", true},
        {kGhostNone, "ゴースト: なし", true},
        {kGhostRankingBest, "ゴースト: ランキング1位", true},
        {kGhostCoachBest, "ゴースト: コーチの最良飛行", true},
        {kRaceBest, "ランキング1位のゴーストと勝負 (G)", true},
        {0, "", true},
        {kSoundEffects, "効果音", true},
        VolumeMenu(),
        {kVariometer, "バリオメーター音", true},
        {0, "", true},
        {kLeagueSettings, "リーグ…", true}}},
  };
}

}  // namespace app
