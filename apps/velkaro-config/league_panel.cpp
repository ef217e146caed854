#include "league_panel.h"

#include <imgui.h>

#include <algorithm>
#include <span>

#include "league/contests.h"
#include "platform/io/settings_file.h"
#include "platform/net/http_client.h"
#include "platform/text/language.h"
#include "platform/ui_probe.h"
#include "shown_label.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

// The window's first place and size: inside a 1024x768 configurator, below its menu bar.
constexpr float kWindowX = 56, kWindowY = 60, kWindowWidth = 880, kWindowHeight = 620;  // px
constexpr float kContestWidth = 140, kVerdictWidth = 80;                                // px, columns
constexpr float kPlaceWidth = 44, kDistanceWidth = 80;                                  // px, columns
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kRed(0.78f, 0.1f, 0.1f, 1);
const ImVec4 kOrange(0.75f, 0.42f, 0.0f, 1);
const ImVec4 kGreen(0.1f, 0.5f, 0.2f, 1);
constexpr ImGuiTableFlags kTableFlags =
    ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg | ImGuiTableFlags_SizingFixedFit;

void WrappedLine(const ImVec4& colour, const std::string& text) {
  ImGui::PushStyleColor(ImGuiCol_Text, colour);
  ImGui::TextWrapped("%s", text.c_str());
  ImGui::PopStyleColor();
}

// The settings are read each time the window opens (the game may have changed them);
// the top is fetched when a league is named and its contest's top is not at hand.
void OnOpening(LeaguePanel& panel) {
  panel.Settings = league::LeagueSettingsFrom(platform::ReadSettings());
  const bool sameLeague = panel.Top.Address == panel.Settings.Address && panel.Top.Contest == panel.Settings.Contest;
  const bool atHand = sameLeague && (panel.Top.Fetched || TopFetching(panel.Top));
  if (panel.Settings.On() && !atHand) StartTopFetch(panel.Top, panel.Settings, platform::MakeHttpClient());
}

void RulesSection(const LeaguePanel& panel, const flight::AircraftSpec& spec, const GameFigures& figures) {
  const auto day = TodayUtc();
  ImGui::Text(TranslatedUtf8(N_("競技の規則 (リーグが確かめるとおり、%s UTC)")), league::DayText(day).c_str());
  if (!ImGui::BeginTable("contest_rules", 3, kTableFlags)) return;
  ImGui::TableSetupColumn(TranslatedUtf8(N_("競技")), ImGuiTableColumnFlags_WidthFixed, kContestWidth);
  // TRANSLATORS: "判定", "満たす", "満たさない": a column 80 pixels wide
  ImGui::TableSetupColumn(TranslatedUtf8(N_("判定")), ImGuiTableColumnFlags_WidthFixed, kVerdictWidth);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("守られていない規則")), ImGuiTableColumnFlags_WidthStretch);
  ImGui::TableHeadersRow();
  for (const ContestVerdict& v : CheckContests(spec, figures, panel.Settings.Contest, day)) {
    ImGui::TableNextRow();
    ImGui::TableNextColumn();
    ImGui::Text("%s%s", v.ContestId.c_str(), v.Chosen ? TranslatedUtf8(N_(" (選択中)")) : "");
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", v.Rules.c_str());
    ImGui::TableNextColumn();
    ImGui::TextColored(v.Meets ? kGreen : kRed, "%s", TranslatedUtf8(v.Meets ? N_("満たす") : N_("満たさない")));
    platform::NameLastItem("league.rules." + v.ContestId, v.Meets ? "meets" : "breaks");
    ImGui::TableNextColumn();
    if (!v.Meets) ImGui::TextWrapped("%s", v.Breach.c_str());
  }
  ImGui::EndTable();
}

void Overlay(LeaguePanel& panel, std::span<const TopRow> rows, const std::string& designText, FlightsPanel& flights,
             std::string& status) {
  panel.Message = OverlayFlights(flights.Set, designText, rows);
  flights.Message = panel.Message;
  status = panel.Message;
  flights.Open = true;
}

void TopTable(LeaguePanel& panel, const std::string& designText, FlightsPanel& flights, std::string& status) {
  const std::vector<TopRow>& rows = panel.Top.Rows;
  if (panel.Top.Fetched && panel.Top.Error.empty() && rows.empty()) {
    ImGui::TextColored(kGrey, "%s", TranslatedUtf8(N_("この競技にはまだ飛行がありません。")));
    return;
  }
  if (rows.empty() || !ImGui::BeginTable("league_top", 4, kTableFlags)) return;
  // TRANSLATORS: the place in the league, a column 44 pixels wide
  ImGui::TableSetupColumn(TranslatedUtf8(N_("順位")), ImGuiTableColumnFlags_WidthFixed, kPlaceWidth);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("パイロット")), ImGuiTableColumnFlags_WidthStretch);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("距離 m")), ImGuiTableColumnFlags_WidthFixed, kDistanceWidth);
  ImGui::TableSetupColumn(TranslatedUtf8(N_("飛行の比較")), ImGuiTableColumnFlags_WidthStretch);
  ImGui::TableHeadersRow();
  for (size_t i = 0; i < rows.size(); ++i) {
    const TopRow& row = rows[i];
    ImGui::PushID(static_cast<int>(i));
    ImGui::TableNextRow();
    ImGui::TableNextColumn();
    ImGui::Text(TranslatedUtf8(N_("%d位")), row.Place);
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(row.Pilot.c_str());
    ImGui::TableNextColumn();
    ImGui::TextUnformatted(row.Distance.c_str());
    platform::NameLastItem("league.top." + std::to_string(i + 1), row.Distance.c_str());
    ImGui::TableNextColumn();
    if (row.Flyable) {
      if (ImGui::SmallButton(TranslatedUtf8(N_("この設計と重ねる"))))
        Overlay(panel, std::span(&row, 1), designText, flights, status);
      platform::NameLastItem("league.overlay." + std::to_string(i + 1));
    } else {
      WrappedLine(kOrange, row.NotFlyable);
      platform::NameLastItem("league.notflyable." + std::to_string(i + 1));
    }
    ImGui::PopID();
  }
  ImGui::EndTable();
}

void TopSection(LeaguePanel& panel, const std::string& designText, FlightsPanel& flights, std::string& status) {
  const league::LeagueSettings& s = panel.Settings;
  if (!s.On()) {
    WrappedLine(
        kGrey, TranslatedUtf8(
                   N_("リーグの接続先 (velkaro-settings.txt の league.address) がないため、上位の飛行は出しません。")));
    return;
  }
  ImGui::Text(TranslatedUtf8(N_("%s の上位 (%s)")), s.Contest.c_str(), s.Address.c_str());
  const bool fetching = TopFetching(panel.Top);
  ImGui::BeginDisabled(fetching);
  if (ImGui::Button(TranslatedUtf8(N_("もう一度取得")))) StartTopFetch(panel.Top, s, platform::MakeHttpClient());
  platform::NameLastItem("league.fetch");
  ImGui::EndDisabled();
  ImGui::SameLine();
  const bool anyFlyable = std::ranges::any_of(panel.Top.Rows, &TopRow::Flyable);
  ImGui::BeginDisabled(!anyFlyable);
  if (ImGui::Button(TranslatedUtf8(N_("この設計と上位を飛行の比較に重ねる"))))
    Overlay(panel, panel.Top.Rows, designText, flights, status);
  platform::NameLastItem("league.overlay");
  ImGui::EndDisabled();
  if (fetching) {
    ImGui::TextColored(kGrey, "%s", TranslatedUtf8(N_("リーグから受け取っています...")));
    platform::NameLastItem("league.fetching");
  }
  if (!panel.Top.Error.empty()) {
    WrappedLine(kRed, panel.Top.Error);
    platform::NameLastItem("league.error");
  }
  if (!panel.Message.empty()) WrappedLine(kGrey, panel.Message);
  TopTable(panel, designText, flights, status);
}

}  // namespace

void DrawLeaguePanel(LeaguePanel& panel, const flight::AircraftSpec& spec, const GameFigures& figures,
                     const std::string& designText, FlightsPanel& flights, std::string& status) {
  TakeFetchedTop(panel.Top);  // also while closed: a fetch may end after the window did
  const bool opening = panel.Open && !panel.WasOpen;
  panel.WasOpen = panel.Open;
  if (!panel.Open) return;
  if (opening) OnOpening(panel);
  ImGui::SetNextWindowPos(ImVec2(kWindowX, kWindowY), ImGuiCond_Appearing);
  ImGui::SetNextWindowSize(ImVec2(kWindowWidth, kWindowHeight), ImGuiCond_Appearing);
  if (!ImGui::Begin(StableLabel(N_("リーグ")).c_str(), &panel.Open, ImGuiWindowFlags_NoSavedSettings)) {
    ImGui::End();
    return;
  }
  platform::NameCurrentWindow("league");
  RulesSection(panel, spec, figures);
  ImGui::Spacing();
  ImGui::Separator();
  TopSection(panel, designText, flights, status);
  ImGui::End();
}

}  // namespace config
