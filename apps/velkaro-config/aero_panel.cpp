#include "aero_panel.h"

#include <imgui.h>

#include <cstdio>
#include <utility>

#include "line_plot.h"
#include "platform/text/language.h"
#include "shown_label.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr float kPolarPlotHeight = 230;  // px
constexpr float kRangeFieldWidth = 52;   // px
const ImVec4 kGreyText(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kOrange(0.75f, 0.42f, 0.0f, 1);

void Row(const char* name, const char* format, double value, const char* unit) {
  ImGui::TableNextRow();
  ImGui::TableSetColumnIndex(0);
  ImGui::TextUnformatted(TranslatedUtf8(name));
  ImGui::TableSetColumnIndex(1);
  ImGui::Text(format, value);
  ImGui::TableSetColumnIndex(2);
  ImGui::TextColored(kGreyText, "%s", unit);
}

void SectionTable(const AeroFigures& d) {
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg;
  if (!ImGui::BeginTable("designer_sections", 5, kFlags)) return;
  for (const char* name : {N_("区間"), N_("帯の数"), N_("面積 (片翼) m²"), N_("内端の弦 m"), N_("外端の弦 m")})
    ImGui::TableSetupColumn(TranslatedUtf8(name));
  ImGui::TableHeadersRow();
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionFigures& s = d.Sections[i];
    if (s.Strips == 0) continue;
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    ImGui::Text("%d", i + 1);
    ImGui::TableNextColumn();
    ImGui::Text("%d", s.Strips);
    ImGui::TableNextColumn();
    ImGui::Text("%.4g", s.Area);
    // The chords of the strips the game flies; the file's nominal ones on hover.
    for (const auto& [flown, nominal] :
         {std::pair{s.FlownRootChord, s.RootChord}, std::pair{s.FlownTipChord, s.TipChord}}) {
      ImGui::TableNextColumn();
      ImGui::Text("%.4g", flown);
      if (ImGui::IsItemHovered()) {
        ImGui::SetTooltip(TranslatedUtf8(N_("ゲームが飛ばす帯の弦 %.4g m (ファイルの値からは %.4g m)")), flown,
                          nominal);
      }
    }
  }
  ImGui::EndTable();
}

void FigureTable(const AeroFigures& d) {
  if (!ImGui::BeginTable("designer_figures", 3, ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg)) return;
  ImGui::TableSetupColumn("name", ImGuiTableColumnFlags_WidthFixed);  // as wide as the longest name
  ImGui::TableSetupColumn("value", ImGuiTableColumnFlags_WidthFixed, 90);
  ImGui::TableSetupColumn("unit", ImGuiTableColumnFlags_WidthFixed, 60);
  Row(N_("平均空力翼弦 (MAC)"), "%.4g", d.Mac, "m");
  Row(N_("　MAC の位置 (中心線から)"), "%.4g", d.MacY, "m");
  Row(N_("　MAC 前縁の位置 (後ろ向き)"), "%.4g", d.MacLeadingX, "m");
  Row(N_("翼面荷重"), "%.4g", d.WingLoading, "N/m²");       // in every language
  Row(N_("　(質量で)"), "%.4g", d.WingLoadingKg, "kg/m²");  // in every language
  Row(N_("尾翼容積比"), "%.3f", d.TailVolume, "");
  if (d.StabilityKnown) {
    Row(N_("中立点"), "%.4g", d.NeutralPoint, "m");
    Row(N_("静安定余裕 (平均翼弦比)"), "%.1f", d.StaticMargin * 100, "%");
  }
  Row(N_("失速速度 (揚力係数上限で)"), "%.4g", d.StallSpeed, "m/s");
  ImGui::EndTable();
}

void RangeField(const char* label, double* value) {
  ImGui::SetNextItemWidth(kRangeFieldWidth);
  ImGui::InputDouble(label, value, 0, 0, "%.3g");
}

std::string Decimal(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Says when an optimum is only the last steady glide before the stall.
void StallLimitNote(const GlidePolar& polar, int index) {
  if (!AtSteadyEdge(polar, index)) return;
  ImGui::SameLine();
  ImGui::TextColored(kOrange, "%s", TranslatedUtf8(N_("[失速で制限]")));
  if (ImGui::IsItemHovered()) {
    ImGui::SetTooltip(
        "%s",
        TranslatedUtf8(N_("隣の尾翼取付角では滑空が定常になりません (失速か振動)。この最適点は失速の手前の限界で、\n"
                          "両側に悪い点がある本当の最適ではありません。少しの乱れで失速側に入ります。")));
  }
}

void PolarPlot(const GlidePolar& polar, float width) {
  PlotSeries steady{.Name = TranslatedUtf8(N_("定常滑空")), .Colour = SeriesColour(0), .Markers = true};
  for (const PolarPoint& p : polar.Points) {
    if (!p.Steady) continue;
    steady.X.push_back(p.Airspeed);
    steady.Y.push_back(p.SinkRate);
  }
  std::vector<PlotMark> marks;
  const int best = BestGlideIndex(polar), minSink = MinSinkIndex(polar);
  if (best >= 0) {
    const PolarPoint& p = polar.Points[best];
    marks.push_back({p.Airspeed, p.SinkRate, TranslatedUtf8(N_("最良滑空比 ")) + Decimal(p.GlideRatio, "%.1f")});
  }
  if (minSink >= 0) {
    const PolarPoint& p = polar.Points[minSink];
    marks.push_back({p.Airspeed, p.SinkRate, TranslatedUtf8(N_("最小沈下 ")) + Decimal(p.SinkRate, "%.2f")});
  }
  DrawLinePlot({TranslatedUtf8(N_("対気速度")), "m/s", TranslatedUtf8(N_("沈下速度")), "m/s"}, {steady}, marks, width,
               kPolarPlotHeight);
  if (best >= 0) {
    const PolarPoint& p = polar.Points[best];
    ImGui::Text(TranslatedUtf8(N_("最良滑空比 %.1f (%.2f m/s, 尾翼取付角 %g°)")), p.GlideRatio, p.Airspeed, p.TrimDeg);
    StallLimitNote(polar, best);
  }
  if (minSink >= 0) {
    const PolarPoint& p = polar.Points[minSink];
    ImGui::Text(TranslatedUtf8(N_("最小沈下速度 %.3f m/s (%.2f m/s, 尾翼取付角 %g°)")), p.SinkRate, p.Airspeed,
                p.TrimDeg);
    StallLimitNote(polar, minSink);
  }
  int unsteady = 0;
  for (const PolarPoint& p : polar.Points) unsteady += p.Steady ? 0 : 1;
  if (unsteady > 0)
    ImGui::TextColored(kGreyText, TranslatedUtf8(N_("定常にならなかった設定 %d 個は除いています (失速・振動)")),
                       unsteady);
}

}  // namespace

void AdvancePolar(AeroPanelState& state) {
  if (!state.PolarRunning || !state.Polar) return;
  FlyNextGlide(*state.Polar);
  if (PolarDone(*state.Polar)) state.PolarRunning = false;
}

bool PolarBusy(const AeroPanelState& state) { return state.PolarRunning; }

void DrawAeroPanel(AeroPanelState& state, const flight::AircraftSpec& spec, const std::string& designText,
                   const AeroFigures& figures, float width) {
  SectionTable(figures);
  FigureTable(figures);
  ImGui::Spacing();
  ImGui::TextUnformatted(TranslatedUtf8(N_("滑空ポーラー (一定の尾翼取付角で高空・無風の定常滑空)")));
  ImGui::BeginDisabled(state.PolarRunning);
  RangeField(LabelWithId(N_("から"), "polar_from").c_str(), &state.PolarFrom);
  ImGui::SameLine();
  RangeField(LabelWithId(N_("まで"), "polar_to").c_str(), &state.PolarTo);
  ImGui::SameLine();
  RangeField(LabelWithId(N_("度刻み"), "polar_step").c_str(), &state.PolarStep);
  ImGui::SameLine();
  if (ImGui::Button(TranslatedUtf8(N_("ポーラーを計算")))) {
    state.Polar = StartPolar(spec, state.PolarFrom, state.PolarTo, state.PolarStep);
    state.PolarRunning = state.Polar.has_value();
    state.PolarFor = designText;
  }
  ImGui::EndDisabled();
  if (!state.Polar) return;
  if (state.PolarRunning) {
    ImGui::ProgressBar(static_cast<float>(state.Polar->Points.size()) / state.Polar->Trims.size(), ImVec2(width, 0));
  }
  if (state.PolarFor != designText)
    ImGui::TextColored(kGreyText, "%s", TranslatedUtf8(N_("(計算後に値が変わりました)")));
  PolarPlot(*state.Polar, width);
}

}  // namespace config
