#include "app/main_menu.h"

#include "app/menu_commands.h"
#include "platform/text/language.h"

namespace app {
namespace {

// "ランキングの飛行を見る": one item per ranking entry, greyed until the game has
// started and given them their texts.
platform::MenuItem WatchMenu() {
  platform::MenuItem watch(0, N_("ランキングの飛行を見る"), true);
  for (int id = kWatchEntryFirst; id <= kWatchEntryLast; ++id) {
    watch.Submenu.emplace_back(id, std::to_string(id - kWatchEntryFirst + 1) + ".", false);
  }
  return watch;
}

// "リーグの上位": the fetch, and the ten places greyed out until a top has come.
platform::MenuItem LeagueTopMenu() {
  platform::MenuItem top(0, N_("リーグの上位"), true);
  top.Submenu.emplace_back(kLeagueTopFetch, N_("上位を読み込む"), false);
  top.Submenu.emplace_back(0, "", true);
  for (int id = kLeagueGhostFirst; id <= kLeagueGhostLast; ++id) top.Submenu.emplace_back(id, N_("ゴースト: -"), false);
  top.Submenu.emplace_back(0, "", true);
  for (int id = kLeagueWatchFirst; id <= kLeagueWatchLast; ++id) top.Submenu.emplace_back(id, N_("見る: -"), false);
  return top;
}

// "ランキングの飛行をリーグへ送る": one item per ranking entry, greyed without a league.
platform::MenuItem SendMenu() {
  platform::MenuItem send(0, N_("ランキングの飛行をリーグへ送る"), true);
  for (int id = kSendEntryFirst; id <= kSendEntryLast; ++id) {
    send.Submenu.emplace_back(id, std::to_string(id - kSendEntryFirst + 1) + ".", false);
  }
  return send;
}

// "音量": the volume in equal steps up to full, one checked.
platform::MenuItem VolumeMenu() {
  constexpr int kPercentPerStep = 100 / game::SoundOptions::kVolumeSteps;
  platform::MenuItem volume(0, N_("音量"), true);
  for (int id = kVolumeFirst; id <= kVolumeLast; ++id) {
    volume.Submenu.emplace_back(id, std::to_string((id - kVolumeFirst + 1) * kPercentPerStep) + "%", true);
  }
  return volume;
}

// "言語 / Language": the environment's language, or one chosen; each named in itself,
// so a player who reads only one of them finds it.
platform::MenuItem LanguageMenu() {
  platform::MenuItem language(0, N_("言語 / Language"), true);
  language.Submenu.emplace_back(kLanguageAuto, N_("自動"), true);
  language.Submenu.emplace_back(kLanguageJapanese, N_("日本語"), true);
  language.Submenu.emplace_back(kLanguageEnglish, N_("English"), true);
  return language;
}

}  // namespace

std::vector<platform::MenuPopup> MainMenu() {
  // Texts in UTF-8: they go straight to the menu bar's renderer.
  return {
      {N_("機体メニュー"),
       {{kEditAircraft, N_("機体諸元設定"), true},
        {kShowFlightLog, N_("飛行記録の表示"), false},
        {kExportCsv, N_("CSVデータへ書き出し"), true},
        WatchMenu(),
        LeagueTopMenu(),
        SendMenu(),
        {0, "", true},
        {kQuit, N_("終了"), true}}},
      {N_("オプション"),
       {{kDesignMode, N_("設計モード"), true},
        {kCoachLine, N_("コーチの最長距離を表示"), true},
        {0, "", true},
        {kGhostNone, N_("ゴースト: なし"), true},
        {kGhostRankingBest, N_("ゴースト: ランキング1位"), true},
        {kGhostCoachBest, N_("ゴースト: コーチの最良飛行"), true},
        {kRaceBest, N_("ランキング1位のゴーストと勝負 (G)"), true},
        {0, "", true},
        {kSoundEffects, N_("効果音"), true},
        VolumeMenu(),
        {kVariometer, N_("バリオメーター音"), true},
        LanguageMenu(),
        {0, "", true},
        {kLeagueSettings, N_("リーグ…"), true}}},
  };
}

}  // namespace app
