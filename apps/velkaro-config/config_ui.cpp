// The configurator's screen.
//
// [SECTION] Helpers
// [SECTION] Values (left column)
// [SECTION] Figures and strip division
// [SECTION] Warnings and file problems
// [SECTION] Test flight and trim sweep
// [SECTION] Popups
// [SECTION] Frame layout
#include "config_ui.h"

#include <imgui.h>
#include <imgui_internal.h>  // ClearActiveID: an undo ends the field edit in progress

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "aircraft/aircraft_file.h"
#include "config/language/language_setting.h"
#include "config/status_text.h"
#include "figure_row.h"
#include "line_plot.h"
#include "modal_popup.h"
#include "number_input.h"
#include "platform/text/language.h"
#include "platform/text/text_fields.h"
#include "platform/ui_probe.h"
#include "shown_label.h"
#include "trim_panel.h"
#include "wing_drawing.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

constexpr float kValuesWidth = 490;        // px, the left column at most, at first
constexpr float kValuesShare = 0.45f;      // the left column's share of a narrower window, at first
constexpr float kMinColumnWidth = 200;     // px, either column when the divider is dragged
constexpr float kSideBySideWidth = 760;    // px, the right column needed for figures beside the flight
constexpr float kNameWidth = 190;          // px, a value's name
constexpr float kNumberWidth = 110;        // px, a value field
constexpr float kSectionNumberWidth = 66;  // px, a value field in the section table
constexpr float kPlotHeight = 190;         // px
constexpr int kDihedralLine = 48;          // file lines of the angles each section adds to the one inside
constexpr int kSweepLine = 49;
const ImVec4 kRed(0.78f, 0.1f, 0.1f, 1);
const ImVec4 kOrange(0.75f, 0.42f, 0.0f, 1);
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kGreen(0.1f, 0.5f, 0.2f, 1);

constexpr const char* kUnsavedPopup = N_("未保存の変更");
constexpr const char* kSaveWarningsPopup = N_("警告があります");
constexpr const char* kProblemsPopup = N_("ファイルの警告");
constexpr const char* kNoticePopup = N_("お知らせ");

void HelpMarker(const char* text) {
  ImGui::SameLine();
  ImGui::TextDisabled("(?)");
  if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", text);
}

//-----------------------------------------------------------------------------
// [SECTION] Values (left column)
//-----------------------------------------------------------------------------

// The field of a clicked warning takes the keyboard and scrolls into view; call right
// before the field's widget.
void TakeFocusIfAsked(UiState& ui, int lineNumber, int section) {
  if (ui.FocusLine != lineNumber || ui.FocusSection != section) return;
  ImGui::SetScrollHereY();
  ImGui::SetKeyboardFocusHere();
  ui.FocusLine = 0;
  ui.FocusSection = -1;
}

void NameCell(const FileLine& line) {
  ImGui::TextUnformatted(TranslatedUtf8(line.Name));
  if (ImGui::IsItemHovered()) ImGui::SetTooltip(TranslatedUtf8(N_("ファイルの %d 行目")), line.Number);
}

void ValueRow(UiState& ui, const FileLine& line, flight::AircraftSpec& spec) {
  ImGui::TableNextRow();
  ImGui::TableSetColumnIndex(0);
  NameCell(line);
  ImGui::TableSetColumnIndex(1);
  TakeFocusIfAsked(ui, line.Number, -1);
  const std::string id = "##line" + std::to_string(line.Number);
  switch (line.Kind) {
    case LineKind::Height: {
      double height = LaunchHeight(spec);
      if (InputExactNumber(id.c_str(), &height, kNumberWidth)) SetLaunchHeight(spec, height);
      break;
    }
    case LineKind::Value: InputExactNumber(id.c_str(), &line.Value(spec), kNumberWidth); break;
    case LineKind::Integer: {
      bool on = (spec.StripModel & 0xFF) == 1;  // the game keeps only the low byte
      if (ImGui::Checkbox((TranslatedUtf8(N_("使用する")) + id).c_str(), &on)) spec.StripModel = on ? 1 : 0;
      if (spec.StripModel != 0 && spec.StripModel != 1) {
        ImGui::SameLine();
        ImGui::TextColored(kOrange, TranslatedUtf8(N_("(値 %d)")), spec.StripModel);
      }
      break;
    }
    default: break;
  }
  ImGui::TableSetColumnIndex(2);
  ImGui::TextColored(kGrey, "%s", TranslatedUtf8(line.Unit));
}

void ValueGroup(UiState& ui, Group group, flight::AircraftSpec& spec) {
  if (ui.FocusLine > 0 && FileLines()[ui.FocusLine - 1].Shown == group) ImGui::SetNextItemOpen(true);
  if (!ImGui::CollapsingHeader(StableLabel(GroupTitle(group)).c_str(), ImGuiTreeNodeFlags_DefaultOpen)) return;
  if (!ImGui::BeginTable(GroupTitle(group), 3, ImGuiTableFlags_SizingFixedFit)) return;
  ImGui::TableSetupColumn("name", ImGuiTableColumnFlags_WidthFixed, kNameWidth);
  ImGui::TableSetupColumn("value", ImGuiTableColumnFlags_WidthFixed, kNumberWidth + 20);
  ImGui::TableSetupColumn("unit", ImGuiTableColumnFlags_WidthFixed, 80);
  for (const FileLine& line : FileLines()) {
    if (line.Shown == group && line.Kind != LineKind::EnabledList && line.Kind != LineKind::SectionList)
      ValueRow(ui, line, spec);
  }
  ImGui::EndTable();
}

// A new row of the section table for a figure the game computes: its name and unit.
void FigureLabelCells(const char* name, const char* unit) {
  ImGui::TableNextRow();
  ImGui::TableSetColumnIndex(0);
  ImGui::TextColored(kGreen, "%s", TranslatedUtf8(name));
  ImGui::TableSetColumnIndex(1);
  ImGui::TextColored(kGrey, "%s", TranslatedUtf8(unit));
}

// Dihedral and sweep are angles to the section inside, added up from the root out.
void SectionNameCell(const FileLine& line) {
  const bool relative = line.Number == kDihedralLine || line.Number == kSweepLine;
  if (!relative) {
    NameCell(line);
    return;
  }
  ImGui::Text(TranslatedUtf8(N_("%s (対内側)")), TranslatedUtf8(line.Name));
  if (ImGui::IsItemHovered()) {
    ImGui::SetTooltip(TranslatedUtf8(N_("ファイルの %d 行目。内側の区間に対する角度です:\n"
                                        "根元から見た角度は、内側の区間の値を足し合わせたものです。")),
                      line.Number);
  }
}

void SectionTable(UiState& ui) {
  flight::AircraftSpec& spec = ui.Document.Editor.Spec;
  const GameFigures& f = ui.Figures;
  ImGui::Spacing();
  ImGui::TextUnformatted(TranslatedUtf8(N_("主翼の区間 (片翼、内側から外側へ)")));
  constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg;
  if (!ImGui::BeginTable("sections", 2 + kSectionCount, kFlags)) return;
  ImGui::TableSetupColumn(TranslatedUtf8(N_("項目")), ImGuiTableColumnFlags_WidthFixed);
  // TRANSLATORS: the unit column of the section table, 56 pixels wide
  ImGui::TableSetupColumn(TranslatedUtf8(N_("単位")), ImGuiTableColumnFlags_WidthFixed, 56);
  for (int i = 0; i < kSectionCount; ++i) {
    // TRANSLATORS: a column header 66 pixels wide, also a label on the planform view
    ImGui::TableSetupColumn(Format(TranslatedUtf8(N_("区間%d")), i + 1).c_str(), ImGuiTableColumnFlags_WidthFixed,
                            kSectionNumberWidth);
  }
  ImGui::TableHeadersRow();
  for (const FileLine& line : FileLines()) {
    if (line.Kind != LineKind::EnabledList && line.Kind != LineKind::SectionList) continue;
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    SectionNameCell(line);
    ImGui::TableSetColumnIndex(1);
    ImGui::TextColored(kGrey, "%s", TranslatedUtf8(line.Unit));
    for (int i = 0; i < kSectionCount; ++i) {
      ImGui::TableSetColumnIndex(2 + i);
      const std::string id = Format("##line%d_%d", line.Number, i);
      TakeFocusIfAsked(ui, line.Number, line.Kind == LineKind::EnabledList ? -1 : i);
      if (line.Kind == LineKind::EnabledList) {
        bool on = spec.SectionEnabled[i] == 1;
        ImGui::BeginDisabled(i == 0);  // the first section always exists
        if (ImGui::Checkbox(id.c_str(), &on) && i > 0) spec.SectionEnabled[i] = on ? 1 : 0;
        ImGui::EndDisabled();
        if (i == 0 && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
          ImGui::SetTooltip("%s", TranslatedUtf8(N_("区間1 は常に有効です")));
        if (spec.SectionEnabled[i] != 0 && spec.SectionEnabled[i] != 1) {
          ImGui::SameLine();
          ImGui::TextColored(kOrange, "%d", spec.SectionEnabled[i]);
        }
      } else {
        const bool dim = !f.Sections[i].Enabled;
        if (dim) ImGui::PushStyleColor(ImGuiCol_Text, kGrey);
        InputExactNumber(id.c_str(), &line.Section(spec)[i], kSectionNumberWidth);
        if (dim) ImGui::PopStyleColor();
      }
    }
  }
  // The strip division the game makes of these values.
  // TRANSLATORS: "本" counts strips: the unit column is 56 pixels wide
  FigureLabelCells(N_("帯の数"), N_("本"));
  for (int i = 0; i < kSectionCount; ++i) {
    ImGui::TableSetColumnIndex(2 + i);
    const SectionStrips& s = f.Sections[i];
    if (s.Given < s.Needed) {
      ImGui::TextColored(kRed, "%d/%d", s.Given, s.Needed);
    } else {
      ImGui::TextColored(s.Enabled ? kGreen : kGrey, "%d", s.Given);
    }
  }
  FigureLabelCells(N_("帯の幅"), "m");
  for (int i = 0; i < kSectionCount; ++i) {
    ImGui::TableSetColumnIndex(2 + i);
    if (f.Sections[i].Given > 0) ImGui::TextColored(kGreen, "%.4g", f.Sections[i].StripWidth);
  }
  ImGui::EndTable();
}

void ValuesColumn(UiState& ui) {
  for (Group g :
       {Group::Start, Group::Mass, Group::Wing, Group::WingAirfoil, Group::Tail, Group::TailAirfoil, Group::Strips}) {
    ValueGroup(ui, g, ui.Document.Editor.Spec);
  }
  SectionTable(ui);
}

//-----------------------------------------------------------------------------
// [SECTION] Figures and strip division
//-----------------------------------------------------------------------------

void FiguresPanel(UiState& ui) {
  const GameFigures& f = ui.Figures;
  const flight::AircraftSpec& spec = ui.Document.Editor.Spec;
  ImGui::TextUnformatted(TranslatedUtf8(N_("ゲームが計算する値")));
  if (ImGui::BeginTable("figures", 3, ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg)) {
    // Columns as wide as their contents, so no unit is cut off.
    ImGui::TableSetupColumn("name");
    ImGui::TableSetupColumn("value");
    ImGui::TableSetupColumn("unit");
    FigureRow(N_("主翼面積 (翼幅×平均翼弦)"), Format("%.4g", f.WingArea), "m²");  // in every language
    FigureRow(N_("主翼アスペクト比"), Format("%.4g", f.AspectRatio), "");
    FigureRow(N_("尾翼面積"), Format("%.4g", f.TailArea), "m²");  // in every language
    FigureRow(N_("尾翼アスペクト比"), Format("%.4g", f.TailAspectRatio), "");
    FigureRow(N_("尾翼アーム (重心から尾翼)"), Format("%.4g", -f.TailArm), "m");
    FigureRow(N_("尾翼容積比"), Format("%.3f", f.TailVolume), "");
    FigureRow(N_("ピッチ慣性モーメント"), Format("%.4g", f.PitchInertia), "kg·m²");  // in every language
    FigureRow(N_("発進時の主翼揚力係数"), Format("%.3f", f.StartWingCl), "");
    FigureRow(N_("翼分割モデル"), TranslatedUtf8(f.StripModelOn ? N_("使用 (帯ごと)") : N_("不使用 (全翼式)")), "");
    const bool over = f.StripsNeeded > flight::kMaxStrips;
    FigureRow(N_("帯の数 (片翼) / 上限"), Format("%d / %d", over ? f.StripsNeeded : f.StripCount, flight::kMaxStrips),
              N_("本"), over ? &kRed : nullptr);
    const double ratio = f.WingArea != 0 ? f.StripAreaBothHalves / f.WingArea * 100 : 0;
    FigureRow(N_("帯の面積の合計 (両翼)"), Format("%.4g", f.StripAreaBothHalves), "m²");  // in every language
    FigureRow(N_("　対 翼幅×平均翼弦"), Format("%.1f %%", ratio), "");
    FigureRow(N_("帯の翼幅 (中央部込み)"), Format("%.4g", f.StripSpan), "m");
    FigureRow(N_("　対 翼幅"), Format("%.4g", spec.WingSpan), "m");
    FigureRow(N_("帯の質量の合計 (片翼)"), Format("%.4g", f.StripMassHalf), "kg");
    ImGui::EndTable();
  }
  if (ImGui::TreeNode("strips", TranslatedUtf8(N_("帯ごとの値 (片翼 %d 本)")), f.StripCount)) {
    constexpr ImGuiTableFlags kFlags = ImGuiTableFlags_Borders | ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg;
    if (ImGui::BeginTable("striprows", 6, kFlags)) {
      for (const char* name :
           {N_("# (区間)"), N_("幅 m"), N_("内端弦 m"), N_("外端弦 m"), N_("面積 m²"), N_("質量 kg")}) {
        ImGui::TableSetupColumn(TranslatedUtf8(name));
      }
      ImGui::TableHeadersRow();
      for (size_t j = 0; j < f.Strips.size(); ++j) {
        const StripRow& r = f.Strips[j];
        ImGui::TableNextRow();
        ImGui::TableSetColumnIndex(0);
        ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(SectionColour(r.Section)), "%zu (%d)", j + 1, r.Section + 1);
        for (double v : {r.Width, r.InnerChord, r.OuterChord, r.Area, r.Mass}) {
          ImGui::TableNextColumn();
          ImGui::Text("%.4g", v);
        }
      }
      ImGui::EndTable();
    }
    ImGui::TreePop();
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Warnings and file problems
//-----------------------------------------------------------------------------

void WarningsPanel(UiState& ui) {
  const auto& problems = ui.Document.Editor.Problems;
  if (ui.Warnings.empty() && problems.empty()) {
    ImGui::TextColored(kGreen, "%s", TranslatedUtf8(N_("警告はありません。")));
    return;
  }
  for (const DesignWarning& w : ui.Warnings) {
    const bool refuses = RefusesSave(w.Kind);
    ImGui::PushStyleColor(ImGuiCol_Text, refuses ? kRed : kOrange);
    ImGui::TextWrapped("%s %s", TranslatedUtf8(refuses ? N_("[保存不可]") : N_("[警告]")), DescribeWarning(w).c_str());
    ImGui::PopStyleColor();
    // Clicking a warning selects the field it names.
    if (w.Line > 0 && ImGui::IsItemHovered()) ImGui::SetTooltip(TranslatedUtf8(N_("クリックで %d 行目の値へ")), w.Line);
    if (w.Line > 0 && ImGui::IsItemClicked()) {
      ui.FocusLine = w.Line;
      ui.FocusSection = FileLines()[w.Line - 1].Kind == LineKind::SectionList ? std::max(w.Section, 0) : -1;
    }
  }
  for (const FileProblem& p : problems) {
    ImGui::PushStyleColor(ImGuiCol_Text, kOrange);
    ImGui::TextWrapped(TranslatedUtf8(N_("[ファイル] %s")),
                       DescribeFileProblem(p, ShownName(ui.Document.Editor.ProblemFile)).c_str());
    ImGui::PopStyleColor();
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Test flight and trim sweep
//-----------------------------------------------------------------------------

constexpr float kSweepFieldWidth = 52;  // px

// The next item stays on this line when `width` pixels of it still fit in the column,
// and starts a new line otherwise, so a narrow window wraps a row instead of cutting it.
void SameLineIfFits(float width) {
  ImGui::SameLine();
  if (ImGui::GetContentRegionAvail().x < width) ImGui::NewLine();
}

float ButtonWidth(const char* label) {
  return ImGui::CalcTextSize(label, nullptr, true).x + 2 * ImGui::GetStyle().FramePadding.x;
}

float SweepFieldWidth(const char* label) {
  return kSweepFieldWidth + ImGui::GetStyle().ItemInnerSpacing.x + ImGui::CalcTextSize(label, nullptr, true).x;
}

// One bound or the step of the sweep, in degrees.
void SweepField(const char* label, double* valueDeg) {
  ImGui::SetNextItemWidth(kSweepFieldWidth);
  ImGui::InputDouble(label, valueDeg, 0, 0, "%.3g");
}

// The flight with the tail schedule recorded in the opened entry, as velkaro-sim flies
// the entry file: says whose schedule it is and whether the values are still the entry's.
void ScheduleFlightText(const UiState& ui, const ImVec4& ink) {
  const std::string file = ShownName(ui.Schedule->FileName);
  ImGui::TextColored(ink, TranslatedUtf8(N_("%s の操舵記録どおり (velkaro-sim と同じ):")), file.c_str());
  ImGui::TextColored(ink, "%s", FlightSummary(*ui.ScheduleFlight).c_str());
  if (!ScheduleFitsDesign(ui, ui.FlightFor)) {
    ImGui::TextColored(kOrange, "%s",
                       TranslatedUtf8(N_("値がエントリから変わっています: 同じ操舵を今の値で飛ばしました。")));
  }
}

// The untouched flight and the entry's scheduled flight in one plot.
void DrawTwoFlightsPlot(const FlightProfile& untouched, const FlightProfile& scheduled, float width, float height) {
  const auto series = [](const FlightProfile& f, const char* name, int colour) {
    return PlotSeries{.Name = name,
                      .X = std::vector<double>(f.X.begin(), f.X.end()),
                      .Y = std::vector<double>(f.Height.begin(), f.Height.end()),
                      .Colour = SeriesColour(colour)};
  };
  DrawLinePlot({TranslatedUtf8(N_("距離")), "m", TranslatedUtf8(N_("高度")), "m"},
               {series(untouched, TranslatedUtf8(N_("操縦なし")), 0),
                series(scheduled, TranslatedUtf8(N_("操舵記録どおり")), 1)},
               {}, width, height);
}

void FlightPanel(UiState& ui, const std::string& text) {
  ImGui::TextWrapped("%s", TranslatedUtf8(N_("試験飛行 (ゲームと同じ計算、操縦なし)")));
  HelpMarker(TranslatedUtf8(
      N_("この値を temp.txt に保存したとき、ゲーム (と velkaro-sim) が操縦なしで飛ばす飛行そのものです。")));
  ImGui::BeginDisabled(ui.SweepRunning);
  if (ImGui::Button(TranslatedUtf8(N_("試験飛行")))) FlyNow(ui, text);
  ImGui::EndDisabled();
  const char* autoFly = TranslatedUtf8(N_("値を変えたら自動で飛ばす"));
  SameLineIfFits(ImGui::GetFrameHeight() + ImGui::CalcTextSize(autoFly).x);
  ImGui::Checkbox(autoFly, &ui.AutoFly);
  const float width = ImGui::GetContentRegionAvail().x;
  if (ui.Flight) {
    const bool stale = ui.FlightFor != text;
    const ImVec4 ink = stale ? kGrey : ImVec4(0, 0, 0, 1);
    ImGui::PushTextWrapPos(0);
    if (ui.ScheduleFlight) ImGui::TextColored(ink, "%s", TranslatedUtf8(N_("操縦なし (尾翼取付角のまま):")));
    ImGui::TextColored(ink, "%s%s", FlightSummary(*ui.Flight).c_str(),
                       stale ? TranslatedUtf8(N_(" (値が変わりました)")) : "");
    if (ui.ScheduleFlight) ScheduleFlightText(ui, ink);
    ImGui::PopTextWrapPos();
    if (ui.ScheduleFlight && !ui.ScheduleFlight->X.empty() && !ui.Flight->X.empty()) {
      DrawTwoFlightsPlot(*ui.Flight, *ui.ScheduleFlight, width, kPlotHeight);
    } else if (!ui.Flight->X.empty()) {
      DrawFlightPlot(ui.Flight->X.data(), ui.Flight->Height.data(), static_cast<int>(ui.Flight->X.size()), width,
                     kPlotHeight);
    }
  } else if (!ui.Figures.LaunchReachesEdge) {
    ImGui::TextColored(kRed, "%s", TranslatedUtf8(N_("初速が低すぎて発進台の端に届きません。")));
  }

  ImGui::Spacing();
  ImGui::TextWrapped("%s", TranslatedUtf8(N_("一定の尾翼取付角で飛ばし比べる")));
  HelpMarker(TranslatedUtf8(N_(
      "操縦しないとき、ゲームは尾翼取付角のまま飛びます。各設定を同じ計算で飛ばし、最も遠くまで飛ぶ値を探します。")));
  ImGui::BeginDisabled(ui.SweepRunning);
  const std::string to = LabelWithId(N_("まで"), "to"), step = LabelWithId(N_("度刻み"), "step");
  // TRANSLATORS: "から", "まで", "度刻み": labels after 52-pixel fields of a tail-setting range, on one row
  SweepField(LabelWithId(N_("から"), "from").c_str(), &ui.SweepFrom);
  SameLineIfFits(SweepFieldWidth(to.c_str()));
  SweepField(to.c_str(), &ui.SweepTo);
  SameLineIfFits(SweepFieldWidth(step.c_str()));
  SweepField(step.c_str(), &ui.SweepStep);
  ImGui::EndDisabled();
  const char* cancel = TranslatedUtf8(N_("中止"));
  const char* sweepLabel = TranslatedUtf8(N_("掃引"));
  SameLineIfFits(ButtonWidth(ui.SweepRunning ? cancel : sweepLabel));
  if (ui.SweepRunning) {
    if (ImGui::Button(cancel)) CancelSweep(ui);
  } else if (ImGui::Button(sweepLabel)) {
    RequestSweep(ui, text);
  }
  if (!ui.Sweep) return;
  const TrimSweep& sweep = *ui.Sweep;
  const int count = SweepFlightCount(sweep);
  ImGui::ProgressBar(static_cast<float>(sweep.Points.size()) / count, ImVec2(width, 0),
                     Format("%zu / %d", sweep.Points.size(), count).c_str());
  std::vector<SweepPlotPoint> points;
  int bestIndex = -1;
  const auto best = BestTrim(sweep);
  for (const SweepPoint& p : sweep.Points) {
    if (best && p.TrimDeg == best->TrimDeg) bestIndex = static_cast<int>(points.size());
    points.push_back({static_cast<float>(p.TrimDeg), p.Distance, p.LaunchEnded && std::isfinite(p.Distance)});
  }
  DrawSweepPlot(points.data(), static_cast<int>(points.size()), bestIndex, width, kPlotHeight * 0.8f);
  if (best) {
    const std::string trim = aircraft::FormatExactNumber(best->TrimDeg);
    ImGui::Text(TranslatedUtf8(N_("最良: 尾翼取付角 %s° で %s m%s")), trim.c_str(),
                DistanceText(best->Distance).c_str(),
                ui.SweepFor != text ? TranslatedUtf8(N_(" (掃引後に値が変わりました)")) : "");
    if (const auto cliff = CliffBesideBest(sweep)) {
      ImGui::PushTextWrapPos(0);
      const std::string fall =
          cliff->LaunchEnded ? Format(TranslatedUtf8(N_("%s m に落ちます")), DistanceText(cliff->Distance).c_str())
                             : TranslatedUtf8(N_("発進台を離れません"));
      ImGui::TextColored(kOrange,
                         TranslatedUtf8(N_("[警告] %s° のすぐ隣 (%s°) で %s: 少しの違いで飛行を失う設定です。")),
                         trim.c_str(), aircraft::FormatExactNumber(cliff->TrimDeg).c_str(), fall.c_str());
      ImGui::PopTextWrapPos();
    }
    ImGui::BeginDisabled(ui.SweepRunning || ui.Document.Editor.Spec.TailIncidence == best->TrimDeg);
    if (ImGui::Button(Format(TranslatedUtf8(N_("尾翼取付角を %s° にする")), trim.c_str()).c_str())) ApplyBestTrim(ui);
    ImGui::EndDisabled();
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Popups
//-----------------------------------------------------------------------------

void WarningList(const std::vector<DesignWarning>& warnings) {
  ImGui::PushTextWrapPos(680);
  for (const DesignWarning& w : warnings) {
    ImGui::TextColored(RefusesSave(w.Kind) ? kRed : kOrange, "・%s", DescribeWarning(w).c_str());  // in every language
  }
  ImGui::PopTextWrapPos();
}

void UnsavedPopup(UiState& ui) {
  DesignDocument& d = ui.Document;
  if (!BeginModal(kUnsavedPopup, d.AskUnsaved)) return;
  const bool quitting = QuitPending(d);
  ImGui::Text(TranslatedUtf8(N_("%s に保存していない変更があります。")), ShownName(d.Editor.TargetName).c_str());
  ImGui::TextUnformatted(
      TranslatedUtf8(quitting ? N_("終了する前に保存しますか?") : N_("別の設計を開く前に保存しますか?")));
  const bool refused = AnyRefusal(ui.Warnings);
  if (!ui.Warnings.empty()) WarningList(ui.Warnings);
  ImGui::Spacing();
  ImGui::BeginDisabled(refused);
  if (ImGui::Button(TranslatedUtf8(quitting ? N_("保存して終了") : N_("保存して開く")))) {
    ImGui::CloseCurrentPopup();
    Follow(ui, SaveThenContinue(d));
  }
  ImGui::EndDisabled();
  ImGui::SameLine();
  if (ImGui::Button(TranslatedUtf8(quitting ? N_("保存せずに終了") : N_("保存せずに開く")))) {
    ImGui::CloseCurrentPopup();
    Follow(ui, ContinueWithoutSaving(d));
  }
  ImGui::SameLine();
  if (CancelPressed()) {
    ImGui::CloseCurrentPopup();
    CancelPending(d);
  }
  ImGui::EndPopup();
}

void SaveWarningsPopup(UiState& ui) {
  if (!BeginModal(kSaveWarningsPopup, ui.Document.AskSaveWithWarnings)) return;
  ImGui::TextUnformatted(TranslatedUtf8(N_("次の点はゲームでこうなります:")));
  WarningList(ui.Warnings);
  ImGui::Spacing();
  if (ImGui::Button(TranslatedUtf8(N_("それでも保存")))) {
    ImGui::CloseCurrentPopup();
    SaveDespiteWarnings(ui.Document);
  }
  ImGui::SameLine();
  if (CancelPressed()) {
    ImGui::CloseCurrentPopup();
    CancelSaveWithWarnings(ui.Document);
  }
  ImGui::EndPopup();
}

void NoticePopup(UiState& ui) {
  if (!BeginModal(kNoticePopup, ui.Document.ShowNotice)) return;
  ImGui::PushTextWrapPos(680);
  ImGui::TextUnformatted(ui.Document.Notice.c_str());
  ImGui::PopTextWrapPos();
  if (OkPressed()) {
    CloseModal(ui.Document.ShowNotice);
  }
  ImGui::EndPopup();
}

void ProblemsPopup(UiState& ui) {
  if (!BeginModal(kProblemsPopup, ui.Document.ShowFileProblems)) return;
  ImGui::PushTextWrapPos(680);
  const std::string file = ShownName(ui.Document.Editor.ProblemFile);
  ImGui::Text(TranslatedUtf8(N_("「%s」は決まった形になっていません。")), file.c_str());
  for (const FileProblem& p : ui.Document.Editor.Problems) {
    ImGui::TextColored(kOrange, "・%s", DescribeFileProblem(p, file).c_str());  // in every language
  }
  ImGui::TextUnformatted(
      TranslatedUtf8(N_("表にはゲームが読むとおりの値を出しています。保存すると正しい形で temp.txt に書きます。")));
  ImGui::PopTextWrapPos();
  if (OkPressed()) {
    CloseModal(ui.Document.ShowFileProblems);
  }
  ImGui::EndPopup();
}

//-----------------------------------------------------------------------------
// [SECTION] Frame layout
//-----------------------------------------------------------------------------

void UndoOrRedo(UiState& ui, bool redo) {
  ImGui::ClearActiveID();  // a field being typed into would otherwise keep its text
  if (redo) {
    RedoChange(ui);
  } else {
    UndoChange(ui);
  }
}

void EditMenu(UiState& ui) {
  if (!ImGui::BeginMenu(StableLabel(N_("編集")).c_str())) return;
  if (ImGui::MenuItem(TranslatedUtf8(N_("元に戻す")), "Ctrl+Z", false, ui.History.CanUndo())) UndoOrRedo(ui, false);
  if (ImGui::MenuItem(TranslatedUtf8(N_("やり直す")), "Ctrl+Y", false, ui.History.CanRedo())) UndoOrRedo(ui, true);
  ImGui::EndMenu();
}

// "言語 / Language": the environment's language or one chosen, each named in itself so
// one who reads only one of them finds it; kept in the settings file the game shares.
void LanguageMenu(DesignDocument& d) {
  if (!ImGui::BeginMenu(StableLabel(N_("言語 / Language")).c_str())) return;
  const platform::LanguageChoice now = platform::CurrentLanguageChoice();
  for (const auto& [choice, name] : {std::pair{platform::LanguageChoice::Auto, N_("自動")},
                                     std::pair{platform::LanguageChoice::Japanese, N_("日本語")},
                                     std::pair{platform::LanguageChoice::English, N_("English")}}) {
    if (!ImGui::MenuItem(TranslatedUtf8(name), nullptr, now == choice) || now == choice) continue;
    if (!ChooseLanguage(choice)) d.Status = TranslatedUtf8(N_("言語の選択を設定ファイルに書けませんでした"));
  }
  ImGui::EndMenu();
}

void MenuBar(UiState& ui, const std::string& text) {
  if (!ImGui::BeginMenuBar()) return;
  if (ImGui::BeginMenu(StableLabel(N_("ファイル")).c_str())) {
    platform::NameCurrentWindow("menu.file");
    if (ImGui::MenuItem(TranslatedUtf8(N_("開く...")), "Ctrl+O")) ShowOpenChooser(ui.Files);
    if (ImGui::MenuItem(TranslatedUtf8(N_("temp.txt を読み直す")))) RequestOpen(ui, kDesignFileName);
    const std::string save = Format(TranslatedUtf8(N_("%s に保存")), ShownName(ui.Document.Editor.TargetName).c_str());
    if (ImGui::MenuItem(save.c_str(), "Ctrl+S")) RequestSave(ui.Document, ui.Warnings);
    FileMenuItems(ui.Files, ui.Document, ui.Warnings,
                  {.Polar = ui.AeroPanel.Polar ? &*ui.AeroPanel.Polar : nullptr,
                   .Sweep = ui.Sweep ? &*ui.Sweep : nullptr,
                   .Coach = ui.Coach.Session.Result(text),
                   .Schedule = ui.Schedule});
    ImGui::Separator();
    if (ImGui::MenuItem(TranslatedUtf8(N_("終了")))) RequestQuit(ui.Document);
    platform::NameLastItem("file.quit");
    ImGui::EndMenu();  // the menu's own item on the bar is the last one again
  }
  platform::NameLastItem("menu.file");
  EditMenu(ui);
  if (ImGui::BeginMenu(StableLabel(N_("表示")).c_str())) {
    platform::NameCurrentWindow("menu.view");
    ImGui::MenuItem(TranslatedUtf8(N_("前から見た図の高さを拡大")), nullptr, &ui.ExaggerateHeights);
    ImGui::MenuItem(TranslatedUtf8(N_("最良の飛行 (コーチ)")), nullptr, &ui.Coach.Open);
    platform::NameLastItem("view.coach");
    ImGui::MenuItem(TranslatedUtf8(N_("飛行の比較")), nullptr, &ui.Flights.Open);
    platform::NameLastItem("view.flights");
    ImGui::MenuItem(TranslatedUtf8(N_("設計の比較")), nullptr, &ui.Comparison.Open);
    platform::NameLastItem("view.comparison");
    ImGui::MenuItem(TranslatedUtf8(N_("リーグ")), nullptr, &ui.League.Open);
    platform::NameLastItem("view.league");
    ImGui::Separator();
    LanguageMenu(ui.Document);
    ImGui::EndMenu();
  }
  platform::NameLastItem("menu.view");
  ImGui::EndMenuBar();
}

void Shortcuts(UiState& ui, const WindowCommands& commands) {
  if (ImGui::IsPopupOpen(nullptr, ImGuiPopupFlags_AnyPopupId)) return;
  if (commands.Undo) UndoOrRedo(ui, false);
  if (commands.Redo) UndoOrRedo(ui, true);
  if (commands.Save) RequestSave(ui.Document, ui.Warnings);
  if (commands.SaveAs) ShowSaveAsChooser(ui.Files, ui.Document);
  if (commands.Open) ShowOpenChooser(ui.Files);
}

void StatusLine(UiState& ui) {
  const bool dirty = IsDirty(ui.Document.Editor);
  const std::string target = ShownName(ui.Document.Editor.TargetName);
  ImGui::Text(TranslatedUtf8(N_("設計: %s")), SourceDescription(ui.Document).c_str());
  ImGui::SameLine();
  if (dirty) {
    ImGui::TextColored(kOrange, TranslatedUtf8(N_("| %s に未保存の変更があります")), target.c_str());
  } else {
    ImGui::TextColored(kGreen, TranslatedUtf8(N_("| %s と同じです")), target.c_str());
  }
  if (!ui.Document.Status.empty()) {
    ImGui::SameLine();
    ImGui::TextColored(kGrey, "   %s", ui.Document.Status.c_str());
  }
}

}  // namespace

void StartUi(UiState& ui) { StartSession(ui); }

bool UiBusy(const UiState& ui) {
  return SessionBusy(ui) || PolarBusy(ui.AeroPanel) || CoachPanelBusy(ui.Coach) || LeaguePanelBusy(ui.League) ||
         ui.FocusLine > 0;
}

void DrawUi(UiState& ui, const WindowCommands& commands) {
  if (commands.Close) RequestQuit(ui.Document);
  const std::string text = UpdateSession(ui, ImGui::IsAnyItemActive());
  AdvancePolar(ui.AeroPanel);

  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(viewport->WorkPos);
  ImGui::SetNextWindowSize(viewport->WorkSize);
  constexpr ImGuiWindowFlags kMainFlags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_MenuBar |
                                          ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                                          ImGuiWindowFlags_NoBringToFrontOnFocus;
  ImGui::Begin("velkaro-config", nullptr, kMainFlags);
  MenuBar(ui, text);
  Shortcuts(ui, commands);
  StatusLine(ui);
  ImGui::Separator();

  // Two columns with a divider that can be dragged; each scrolls on its own.
  constexpr ImGuiTableFlags kColumnsFlags =
      ImGuiTableFlags_Resizable | ImGuiTableFlags_BordersInnerV | ImGuiTableFlags_NoSavedSettings;
  if (!ImGui::BeginTable("columns", 2, kColumnsFlags, ImGui::GetContentRegionAvail())) {
    ImGui::End();
    return;
  }
  const float valuesWidth = std::min(kValuesWidth, ImGui::GetContentRegionAvail().x * kValuesShare);
  ImGui::TableSetupColumn("values", ImGuiTableColumnFlags_WidthFixed, valuesWidth);
  ImGui::TableSetupColumn("right", ImGuiTableColumnFlags_WidthStretch);
  ImGui::TableNextRow();
  ImGui::TableSetColumnIndex(0);
  ImGui::BeginChild("values", ImVec2(std::max(kMinColumnWidth, ImGui::GetContentRegionAvail().x), 0), true,
                    ImGuiWindowFlags_HorizontalScrollbar);
  ValuesColumn(ui);
  ImGui::EndChild();
  ImGui::TableSetColumnIndex(1);

  ImGui::BeginChild("right", ImVec2(std::max(kMinColumnWidth, ImGui::GetContentRegionAvail().x), 0), false,
                    ImGuiWindowFlags_HorizontalScrollbar);
  ImGui::BeginChild("warnings", ImVec2(0, 92), true);
  platform::NameCurrentWindow("warnings");
  WarningsPanel(ui);
  ImGui::EndChild();
  const float drawingWidth = ImGui::GetContentRegionAvail().x;
  DrawWingViews(ui.Document.Editor.Spec, ui.Figures, ui.Shape, drawingWidth, ui.ExaggerateHeights ? 5.0f : 1.0f);
  ImGui::Spacing();
  if (drawingWidth < kSideBySideWidth) {
    // A narrow window: the test flight under the figures, each as wide as the column.
    FlightPanel(ui, text);
    ImGui::Separator();
    FiguresPanel(ui);
  } else if (ImGui::BeginTable("lower", 2, ImGuiTableFlags_SizingStretchSame | ImGuiTableFlags_BordersInnerV)) {
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    FiguresPanel(ui);
    ImGui::TableSetColumnIndex(1);
    FlightPanel(ui, text);
    ImGui::EndTable();
  }
  if (ImGui::CollapsingHeader(StableLabel(N_("設計者向けの値と滑空ポーラー")).c_str(),
                              ImGuiTreeNodeFlags_DefaultOpen)) {
    DrawAeroPanel(ui.AeroPanel, ui.Document.Editor.Spec, text, ui.Aero, ImGui::GetContentRegionAvail().x);
  }
  if (ImGui::CollapsingHeader(StableLabel(N_("トリム点・重心範囲・運動・たわみ (ゲームの飛行から)")).c_str(),
                              ImGuiTreeNodeFlags_DefaultOpen)) {
    DrawTrimPanel(ui.Document.Editor.Spec, ui.Aero, ui.Trim, ImGui::GetContentRegionAvail().x);
  }
  ImGui::EndChild();
  ImGui::EndTable();

  UnsavedPopup(ui);
  SaveWarningsPopup(ui);
  if (const auto chosen = DrawFileCommands(ui.Files, ui.Document, ui.Warnings)) RequestOpen(ui, *chosen);
  ProblemsPopup(ui);
  NoticePopup(ui);
  ImGui::End();
  DrawCoachPanel(ui.Coach, ui.Document, text);
  // Before the flights window, which an overlay opens in the same frame.
  DrawLeaguePanel(ui.League, ui.Document.Editor.Spec, ui.Figures, text, ui.Flights, ui.Document.Status);
  DrawFlightsPanel(ui.Flights, ui.Document.Status);
  DrawComparisonPanel(ui.Comparison, ui.Document.Editor.Spec, text, SourceDescription(ui.Document));
}

}  // namespace config
