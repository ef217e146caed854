#include "app/main_menu.h"

#include "app/menu_commands.h"

namespace app {

std::vector<platform::MenuPopup> MainMenu() {
  // Texts in UTF-8: they go straight to the menu bar's renderer.
  return {
      {"機体メニュー",
       {{kEditAircraft, "機体諸元設定", true},
        {kShowFlightLog, "飛行記録の表示", false},
        {kExportCsv, "CSVデータへ書き出し", true},
        {0, "", true},
        {kQuit, "終了", true}}},
      {"オプション",
       {{kDesignMode, "設計モード", true},
        {kCoachLine, "コーチの最長距離を表示", true},
        {0, "", true},
        {kGhostNone, "ゴースト: なし", true},
        {kGhostRankingBest, "ゴースト: ランキング1位", true},
        {kGhostCoachBest, "ゴースト: コーチの最良飛行", true},
        {kRaceBest, "ランキング1位のゴーストと勝負 (G)", true}}},
  };
}

}  // namespace app
