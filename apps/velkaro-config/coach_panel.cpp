#include "coach_panel.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "aircraft/aircraft_file.h"
#include "config/files/save_target.h"
#include "config/status_text.h"
#include "flight/constants.h"
#include "modal_popup.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"
#include "shown_label.h"
#include "wing_drawing.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr float kPanelWidth = 560, kPanelHeight = 760;  // px, the window's first size
constexpr float kPlotHeight = 150;                      // px, each plot
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kRed(0.78f, 0.1f, 0.1f, 1);

std::string Metres(float m) { return DistanceText(m) + " m"; }

// The tail setting of every flight step of the best schedule, over the flight's time.
void SchedulePlot(const sim::CoachResult& result, float width) {
  const int count = result.BestLog.Count;
  if (count < 2) return;
  std::vector<float> values(result.BestLog.Values.begin(), result.BestLog.Values.begin() + count);
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  const float margin = std::max(0.1f, (*high - *low) * 0.1f);  // deg, room above and below the line
  char overlay[128];
  std::snprintf(overlay, sizeof overlay, "%.2f to %.2f deg over %.2f s", *low, *high, (count - 1) * flight::kTimeStep);
  ImGui::TextUnformatted(TranslatedUtf8(N_("尾翼の操作 (時間に沿って)")));
  ImGui::PlotLines("##schedule", values.data(), count, 0, overlay, *low - margin, *high + margin,
                   ImVec2(width, kPlotHeight * 0.7f));
}

void FlightPlot(const char* caption, const std::vector<float>& x, const std::vector<float>& height, float width) {
  ImGui::TextUnformatted(TranslatedUtf8(caption));
  const int count = static_cast<int>(std::min(x.size(), height.size()));
  if (count > 0) DrawFlightPlot(x.data(), height.data(), count, width, kPlotHeight);
}

constexpr const char* kEntryOverwritePopup = N_("エントリファイルの上書きの確認");

void EntryOverwritePopup(CoachPanel& panel, DesignDocument& document) {
  CoachEntrySave& save = panel.EntrySave;
  const std::string question = DescribeSaveTarget(SaveTargetCheck::Exists, ShownName(save.Pending));
  switch (AskToReplace(kEntryOverwritePopup, save.AskOverwrite, question)) {
    case ReplaceAnswer::Replace: ConfirmCoachEntryOverwrite(save, document); break;
    case ReplaceAnswer::Cancel: CancelCoachEntryOverwrite(save); break;
    case ReplaceAnswer::None: break;
  }
}

void ResultView(CoachPanel& panel, const sim::CoachResult& result, DesignDocument& document) {
  flight::AircraftSpec& spec = document.Editor.Spec;
  if (!result.Launches) {
    ImGui::TextColored(kRed, "%s", TranslatedUtf8(N_("発進台の端に届きません (初速が低すぎます)。")));
    return;
  }
  if (!result.Finite) {
    ImGui::TextColored(kRed, "%s", TranslatedUtf8(N_("飛行が数値になりません (質量・面積・剛性を確認してください)。")));
    return;
  }
  const std::string trim = aircraft::FormatExactNumber(result.ConstantTrim);
  if (ImGui::BeginTable("distances", 2, ImGuiTableFlags_BordersInnerV)) {
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    ImGui::TextUnformatted(TranslatedUtf8(N_("尾翼を操作した最良の飛行")));
    ImGui::Text("%s", Metres(result.BestDistance).c_str());
    ImGui::TableSetColumnIndex(1);
    ImGui::Text(TranslatedUtf8(N_("一定の尾翼取付角 %s°")), trim.c_str());
    ImGui::Text("%s", Metres(result.ConstantDistance).c_str());
    ImGui::EndTable();
  }
  ImGui::TextColored(kGrey, TranslatedUtf8(N_("差 %s (%ld 回の飛行, %.1f 秒)")),
                     Metres(result.BestDistance - result.ConstantDistance).c_str(), result.Evaluations, result.Seconds);

  const float width = ImGui::GetContentRegionAvail().x;
  SchedulePlot(result, width);
  FlightPlot(N_("高度と距離: 最良の飛行"), result.BestX, result.BestHeights, width);
  FlightPlot(N_("高度と距離: 一定の尾翼取付角"), result.ConstantX, result.ConstantHeights, width);

  ImGui::SetNextItemWidth(260);
  ImGui::InputText("##entrypath", panel.EntryPath, sizeof panel.EntryPath);
  ImGui::SameLine();
  if (ImGui::Button(TranslatedUtf8(N_("エントリファイルとして保存"))))
    RequestCoachEntrySave(panel.EntrySave, panel.EntryPath, result, document);
  ImGui::BeginDisabled(spec.TailIncidence == result.ConstantTrim);
  if (ImGui::Button(Format(TranslatedUtf8(N_("尾翼取付角を最良の一定値 %s° にする")), trim.c_str()).c_str())) {
    ApplyConstantTrim(spec, result);
    document.Status = Format(TranslatedUtf8(N_("尾翼取付角を %s° にしました (未保存)")), trim.c_str());
  }
  ImGui::EndDisabled();
}

}  // namespace

void DrawCoachPanel(CoachPanel& panel, DesignDocument& document, const std::string& designText) {
  CoachSession& session = panel.Session;
  session.Poll();
  EntryOverwritePopup(panel, document);
  if (!panel.Open) return;
  ImGui::SetNextWindowSize(ImVec2(kPanelWidth, kPanelHeight), ImGuiCond_FirstUseEver);
  if (!ImGui::Begin(StableLabel(N_("最良の飛行 (コーチ)")).c_str(), &panel.Open, ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::End();
    return;
  }
  ImGui::PushTextWrapPos(0);
  ImGui::TextColored(
      kGrey, "%s",
      TranslatedUtf8(N_("尾翼の操作を探索し、この設計で飛べる最も長い飛行を求めます。結果は設計ごとに覚えています。")));
  ImGui::PopTextWrapPos();

  const sim::CoachResult* result = session.Result(designText);
  if (session.Running()) {
    ImGui::ProgressBar(static_cast<float>(session.ProgressShare()), ImVec2(-1, 0),
                       Format(TranslatedUtf8(N_("これまでの最良 %s")), Metres(session.BestSoFar()).c_str()).c_str());
    if (session.RunningFor() != designText)
      ImGui::TextColored(kGrey, "%s", TranslatedUtf8(N_("(探索中の設計は現在の値と違います)")));
    if (ImGui::Button(TranslatedUtf8(N_("中止")))) session.Cancel();
  } else if (!result) {
    if (ImGui::Button(TranslatedUtf8(N_("探索する")))) session.Start(designText);
    if (session.LastWasCancelled()) {
      ImGui::SameLine();
      ImGui::TextColored(kGrey, "%s", TranslatedUtf8(N_("中止しました")));
    }
  }
  if (result) ResultView(panel, *result, document);
  ImGui::End();
}

}  // namespace config
