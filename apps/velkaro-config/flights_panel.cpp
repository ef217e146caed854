#include "flights_panel.h"

#include <imgui.h>

#include <cmath>
#include <cstdio>

#include "config/status_text.h"
#include "line_plot.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"
#include "shown_label.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

// The window's first place and size: inside a 1024x768 configurator, below its menu bar.
constexpr float kWindowX = 24, kWindowY = 44, kWindowWidth = 960, kWindowHeight = 690;  // px
constexpr float kPlotMinHeight = 240;                                                   // px
constexpr float kAxisComboWidth = 200;                                                  // px
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kOrange(0.75f, 0.42f, 0.0f, 1);

std::string Number(const char* format, double value) {
  if (!std::isfinite(value)) return "-";
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

void Swatch(unsigned colour) {
  constexpr float kSize = 12;  // px
  const ImVec2 p = ImGui::GetCursorScreenPos();
  const float lift = (ImGui::GetTextLineHeight() - kSize) / 2;
  ImGui::GetWindowDrawList()->AddRectFilled(ImVec2(p.x, p.y + lift), ImVec2(p.x + kSize, p.y + lift + kSize), colour);
  ImGui::Dummy(ImVec2(kSize, ImGui::GetTextLineHeight()));
}

void FlightList(FlightsPanel& panel) {
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg | ImGuiTableFlags_SizingFixedFit;
  if (panel.Set.Flights.empty()) {
    ImGui::TextColored(
        kGrey, "%s",
        TranslatedUtf8(
            N_("飛行がありません。CSV 書き出し (YYYYMMDD-hhmmss.txt) かランキングの機体を追加してください。")));
    return;
  }
  if (!ImGui::BeginTable("flights", 6, kFlags)) return;
  // The name column takes the room left, so a long note wraps inside it.
  constexpr float kSwatchWidth = 14, kNumberWidth = 72, kRowsWidth = 48, kButtonWidth = 36;  // px
  ImGui::TableSetupColumn("", ImGuiTableColumnFlags_WidthFixed, kSwatchWidth);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("飛行")), ImGuiTableColumnFlags_WidthStretch);
  // TRANSLATORS: column headers 72 pixels wide (distance, flight time)
  ImGui::TableSetupColumn(TranslatedUtf8(N_("距離 m")), ImGuiTableColumnFlags_WidthFixed, kNumberWidth);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("飛行時間 s")), ImGuiTableColumnFlags_WidthFixed, kNumberWidth);
  // TRANSLATORS: the number of rows, a column 48 pixels wide
  ImGui::TableSetupColumn(TranslatedUtf8(N_("行")), ImGuiTableColumnFlags_WidthFixed, kRowsWidth);
  ImGui::TableSetupColumn("", ImGuiTableColumnFlags_WidthFixed, kButtonWidth);
  ImGui::TableHeadersRow();
  size_t remove = panel.Set.Flights.size();
  for (size_t i = 0; i < panel.Set.Flights.size(); ++i) {
    const FlightTable& f = panel.Set.Flights[i];
    ImGui::PushID(static_cast<int>(i));
    ImGui::TableNextRow();
    ImGui::TableNextColumn();
    Swatch(SeriesColour(static_cast<int>(i)));
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(f.Label.c_str());
    if (ImGui::IsItemHovered()) {
      ImGui::SetTooltip("%s%s", f.Source.c_str(),
                        f.Flown ? TranslatedUtf8(N_("\n(ゲームと同じ計算で飛ばしました)")) : "");
    }
    if (!f.Note.empty()) {
      ImGui::PushStyleColor(ImGuiCol_Text, kOrange);
      ImGui::TextWrapped("%s", f.Note.c_str());
      ImGui::PopStyleColor();
    }
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(DistanceText(f.Distance).c_str());
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(Number("%.2f", f.Duration).c_str());
    ImGui::TableNextColumn();
    ImGui::Text("%zu", f.RowCount());
    ImGui::TableNextColumn();
    // TRANSLATORS: a small button that removes a flight, in a 36-pixel column
    if (ImGui::SmallButton(TranslatedUtf8(N_("外す")))) remove = i;
    ImGui::PopID();
  }
  ImGui::EndTable();
  RemoveFlight(panel.Set, remove);
}

// A column picked from the choices (only the rows in sight are laid out: a header may
// hold hundreds of thousands of names), or -1.
int AxisCombo(const char* label, const std::string& column, const FlightsView& view, int chosen) {
  ImGui::SetNextItemWidth(kAxisComboWidth);
  if (!ImGui::BeginCombo(label, ShownName(column).c_str())) return -1;
  int picked = -1;
  ImGuiListClipper rows;
  rows.Begin(static_cast<int>(view.ShownChoices.size()));
  while (rows.Step()) {
    for (int i = rows.DisplayStart; i < rows.DisplayEnd; ++i) {
      ImGui::PushID(i);  // names cut for the screen may be alike
      if (ImGui::Selectable(view.ShownChoices[i].c_str(), i == chosen)) picked = i;
      ImGui::PopID();
    }
  }
  ImGui::EndCombo();
  return picked;
}

void AxisChoice(FlightSet& set, const FlightsView& view) {
  for (const AxisPreset& preset : AxisPresets()) {
    if (ImGui::Button(TranslatedUtf8(preset.Label))) ApplyPreset(set, preset);
    ImGui::SameLine();
  }
  ImGui::NewLine();
  const int x = AxisCombo(LabelWithId(N_("横軸"), "x").c_str(), set.XColumn, view, view.XChoice);
  ImGui::SameLine();
  const int y = AxisCombo(LabelWithId(N_("縦軸"), "y").c_str(), set.YColumn, view, view.YChoice);
  if (x >= 0) ChooseColumn(set, PlotAxis::X, view.Choices[x]);
  if (y >= 0) ChooseColumn(set, PlotAxis::Y, view.Choices[y]);
}

void Plot(FlightsView& view) {
  FlightPlot& plot = view.Plot;
  if (plot.FlightsLeftOut > 0) {
    ImGui::TextColored(kOrange, "%s", TranslatedUtf8(N_("選んだ列のない飛行は描いていません。")));
  }
  if (!plot.Refusal.empty()) {
    ImGui::PushStyleColor(ImGuiCol_Text, kOrange);
    ImGui::TextWrapped("%s", plot.Refusal.c_str());
    ImGui::PopStyleColor();
    return;
  }
  for (size_t i = 0; i < plot.Series.size(); ++i) {
    plot.Series[i].Colour = SeriesColour(static_cast<int>(plot.SeriesFlight[i]));
  }
  const ImVec2 room = ImGui::GetContentRegionAvail();
  DrawScaledPlot(plot.Axes, plot.Series, {}, plot.Scale, room.x, std::max(room.y, kPlotMinHeight));
}

}  // namespace

void DrawFlightsPanel(FlightsPanel& panel, std::string& status) {
  if (!panel.Open) return;
  ImGui::SetNextWindowPos(ImVec2(kWindowX, kWindowY), ImGuiCond_Appearing);
  ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Appearing);
  if (!ImGui::Begin(StableLabel(N_("飛行の比較")).c_str(), &panel.Open, ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::End();
    return;
  }
  platform::NameCurrentWindow("flights");
  const std::string chosen = DrawFileDropdown(panel.Pick, "flight_file", TranslatedUtf8(N_("ファイルから追加...")),
                                              TranslatedUtf8(N_("追加")));
  if (!chosen.empty()) {
    FlightLoad load = LoadFlightFile(chosen);
    if (load.Table) panel.Pick.Typed[0] = '\0';  // ready for the next file
    panel.Message = AddFlight(panel.Set, std::move(load));
    status = panel.Message;
  }
  if (!panel.Message.empty()) {
    ImGui::PushStyleColor(ImGuiCol_Text, kGrey);
    ImGui::TextWrapped("%s", panel.Message.c_str());
    ImGui::PopStyleColor();
  }
  FlightList(panel);
  AxisChoice(panel.Set, panel.View);
  // The plot is made again only when the flights, the columns or the width changed.
  UpdateFlightsView(panel.View, panel.Set, static_cast<int>(ImGui::GetContentRegionAvail().x));
  Plot(panel.View);
  ImGui::End();
}

}  // namespace config
