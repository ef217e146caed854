#include "comparison_panel.h"

#include <imgui.h>

#include "config/design/design_document.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"
#include "shown_label.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

// The window's first place and size: inside a 1024x768 configurator, below its menu bar.
constexpr float kWindowX = 40, kWindowY = 52, kWindowWidth = 900, kWindowHeight = 680;  // px
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kRed(0.78f, 0.1f, 0.1f, 1);
const ImVec4 kChangedText(0.65f, 0.2f, 0.0f, 1);
const unsigned kChangedRow = IM_COL32(255, 236, 150, 255);  // light yellow behind a row that differs

void RowCells(const ComparisonRow& row) {
  ImGui::TableNextRow();
  if (row.Differs) ImGui::TableSetBgColor(ImGuiTableBgTarget_RowBg0, kChangedRow);
  ImGui::TableNextColumn();
  ImGui::TextUnformatted(row.Name.c_str());
  ImGui::TableNextColumn();
  ImGui::TextUnformatted(FormatComparedValue(row, row.A).c_str());
  ImGui::TableNextColumn();
  if (row.Differs) {
    ImGui::TextColored(kChangedText, "%s", FormatComparedValue(row, row.B).c_str());
  } else {
    ImGui::TextUnformatted(FormatComparedValue(row, row.B).c_str());
  }
  ImGui::TableNextColumn();
  ImGui::TextColored(kGrey, "%s", row.Unit.c_str());
  ImGui::TableNextColumn();
  if (row.Differs) ImGui::TextColored(kChangedText, "%s", FormatDifference(row).c_str());
}

void RowsTable(const ComparisonPanel& panel, const std::string& firstTitle) {
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_SizingFixedFit |
                                     ImGuiTableFlags_ScrollY | ImGuiTableFlags_RowBg;
  if (!ImGui::BeginTable("comparison", 5, kFlags)) return;
  ImGui::TableSetupScrollFreeze(0, 1);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("項目")), ImGuiTableColumnFlags_WidthFixed, 250);
  ImGui::TableSetupColumn(firstTitle.c_str(), ImGuiTableColumnFlags_WidthFixed, 150);
  ImGui::TableSetupColumn(("2: " + ShownName(panel.OtherFile)).c_str(), ImGuiTableColumnFlags_WidthFixed, 150);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("単位")), ImGuiTableColumnFlags_WidthFixed, 70);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("差 (2 - 1)")), ImGuiTableColumnFlags_WidthStretch);
  ImGui::TableHeadersRow();
  std::optional<ComparisonGroup> group;
  for (const ComparisonRow& row : panel.Rows) {
    if (group != row.Group) {
      group = row.Group;
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::TextColored(kGrey, "%s", TranslatedUtf8(ComparisonGroupTitle(row.Group)));
    }
    if (panel.OnlyDifferences && !row.Differs) continue;
    RowCells(row);
  }
  ImGui::EndTable();
}

}  // namespace

void DrawComparisonPanel(ComparisonPanel& panel, const flight::AircraftSpec& spec, const std::string& designText,
                         const std::string& sourceName) {
  if (!panel.Open) return;
  ImGui::SetNextWindowPos(ImVec2(kWindowX, kWindowY), ImGuiCond_Appearing);
  ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Appearing);
  if (!ImGui::Begin(StableLabel(N_("設計の比較")).c_str(), &panel.Open, ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::End();
    return;
  }
  platform::NameCurrentWindow("comparison");
  const std::string chosen = DrawFileDropdown(panel.Pick, "compare_file", TranslatedUtf8(N_("比べる設計を選ぶ...")),
                                              TranslatedUtf8(N_("比べる")));
  if (!chosen.empty()) {
    ComparedDesign read = ReadComparedDesign(chosen);
    panel.Message = read.Error;
    if (read.Spec) {
      panel.Pick.Typed[0] = '\0';  // the table's title names the file
      panel.Other = read.Spec;
      panel.OtherFile = chosen;
      panel.RowsFor.clear();
    }
  }
  if (!panel.Message.empty()) {
    ImGui::PushStyleColor(ImGuiCol_Text, kRed);
    ImGui::TextWrapped("%s", panel.Message.c_str());
    ImGui::PopStyleColor();
  }
  if (!panel.Other) {
    ImGui::TextColored(
        kGrey, "%s",
        TranslatedUtf8(
            N_("編集中の設計と比べる設計 (temp.txt、ランキングの機体、ほかの機体ファイル) を選んでください。")));
    ImGui::End();
    return;
  }
  // The figures take a moment; they are worked out again only when a design changes.
  // The rows' names are made in the language in use.
  const std::string key =
      designText + '\n' + panel.OtherFile + '\n' + platform::LanguageChoiceName(platform::CurrentLanguageChoice());
  if (panel.RowsFor != key) {
    panel.Rows = CompareDesigns(spec, *panel.Other);
    panel.RowsFor = key;
  }
  ImGui::Text(TranslatedUtf8(N_("1: %s (編集中)   2: %s   違う項目 %d")), sourceName.c_str(),
              ShownName(panel.OtherFile).c_str(), CountDifferences(panel.Rows));
  ImGui::SameLine();
  ImGui::Checkbox(TranslatedUtf8(N_("違う項目だけ")), &panel.OnlyDifferences);
  RowsTable(panel, "1: " + sourceName);
  ImGui::End();
}

}  // namespace config
