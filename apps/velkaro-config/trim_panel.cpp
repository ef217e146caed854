#include "trim_panel.h"

#include <imgui.h>

#include <cmath>

#include "figure_row.h"
#include "config/status_text.h"
#include "line_plot.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::TranslatedUtf8;

constexpr float kLiftPlotHeight = 200;  // px
const ImVec4 kGrey(0.45f, 0.45f, 0.45f, 1);
const ImVec4 kOrange(0.75f, 0.42f, 0.0f, 1);
const ImVec4 kRed(0.78f, 0.1f, 0.1f, 1);

// One row: name (an N_ text; its tooltip on hover), value, unit.
void Row(const char* name, const std::string& value, const char* unit, const std::string& tooltip,
         const ImVec4* colour = nullptr) {
  FigureRow(name, value, unit, colour, tooltip.c_str());
}

// A tooltip: what a figure is, then how it was found (N_ texts).
std::string Explained(const char* what, const char* how) {
  return std::string(TranslatedUtf8(what)) + "\n" + TranslatedUtf8(how);
}

bool BeginFigureTable(const char* id) {
  if (!ImGui::BeginTable(id, 3, ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg)) return false;
  ImGui::TableSetupColumn("name");
  ImGui::TableSetupColumn("value");
  ImGui::TableSetupColumn("unit");
  return true;
}

void TrimRows(const TrimFigures& t) {
  constexpr const char* kWhere =
      N_("高度 3000 m・無風で、尾翼取付角を保ったままゲームの計算で 100 秒滑空させ、最後の状態から読んだ値です。");
  Row(N_("揚力係数 CL (主翼)"), Format("%.3f", t.WingCl), "",
      Explained(N_("トリム点の主翼揚力係数 (ゲームが記録する全翼の値)。"), kWhere));
  Row(N_("速度"), Format("%.2f", t.Airspeed), "m/s",
      Explained(N_("トリム点の対気速度 (最後の 40 秒の平均)。"), kWhere));
  Row(N_("迎角 (機体)"), Format("%.2f", t.BodyAlphaDeg), "deg", Explained(N_("機体軸と相対風の角度。"), kWhere));
  Row(N_("主翼の迎角 (零揚力から)"), Format("%.2f", t.WingAlphaDeg), "deg",
      Explained(N_("主翼の零揚力角から測った迎角 (取付角を含む)。"), kWhere));
  Row(N_("尾翼揚力係数"), Format("%.3f", t.TailCl), "", Explained(N_("トリム点の尾翼揚力係数。"), kWhere));
  Row(N_("沈下速度"), Format("%.3f", t.SinkRate), "m/s", Explained(N_("最後の 40 秒の平均の沈下速度。"), kWhere));
  Row(N_("滑空比"), Format("%.1f", t.GlideRatio), "", Explained(N_("進んだ距離 ÷ 失った高度。"), kWhere));
}

void CgRows(const flight::AircraftSpec& spec, const AeroFigures& a) {
  const bool inside =
      a.ForwardCgKnown && a.StabilityKnown && spec.CgPosition >= a.ForwardCgLimit && spec.CgPosition <= a.NeutralPoint;
  if (a.ForwardCgKnown) {
    Row(N_("重心の前方限界"), Format("%.4g", a.ForwardCgLimit), "m",
        TranslatedUtf8(N_(
            "尾翼が揚力係数の下限 (ClLower) で押し下げて、主翼を上限 (ClUpper) に保てる最も前の重心。\n"
            "ゲームのピッチモーメント (尾翼アーム×尾翼揚力 + √(尾翼揚力²+主翼揚力²)×主翼アーム + Cm0) から求めます。\n"
            "基準点から後ろ向きに測ります。")));
  }
  if (a.StabilityKnown) {
    Row(N_("重心の後方限界 (中立点)"), Format("%.4g", a.NeutralPoint), "m",
        TranslatedUtf8(N_("重心がここより後ろだと、迎角が増えても頭下げのモーメントが生じず静安定がなくなります。\n"
                          "ゲームの揚力傾斜と吹き下ろしから求めた中立点。基準点から後ろ向きに測ります。")));
  }
  Row(N_("現在の重心"), Format("%.4g", spec.CgPosition), "m",
      TranslatedUtf8(N_("ファイルの重心位置。範囲の外なら赤で示します。")), inside ? nullptr : &kRed);
}

std::string ModeText(const FlightMode& m) {
  if (!m.Found) return "-";
  if (m.Oscillating) return Format(TranslatedUtf8(N_("周期 %.2f s, 減衰比 %.2f")), m.PeriodS, m.DampingRatio);
  if (m.DampingRatio < 0) return TranslatedUtf8(N_("発散 (不安定)"));
  return Format(TranslatedUtf8(N_("振動せず (減衰比 %.2f, 半減 %.2f s)")), m.DampingRatio, m.HalfTimeS);
}

void ModeRows(const TrimFigures& t) {
  constexpr const char* kHow = N_(
      "トリム点のまわりで速度・迎角・ピッチ角速度・姿勢を少しずつ変え、ゲームの力の計算から線形化した運動の固有値です"
      " "
      "(尾翼への吹き下ろしは遅れなしとしています)。");
  const FlightMode& p = t.Modes.Phugoid;
  const FlightMode& s = t.Modes.ShortPeriod;
  Row(N_("フゴイド"), ModeText(p), "", Explained(N_("速度と高度をゆっくり交換する長周期の揺れ。"), kHow),
      p.Found && p.DampingRatio < 0 ? &kRed : nullptr);
  Row(N_("短周期"), ModeText(s), "", Explained(N_("迎角とピッチの速い揺れ。"), kHow),
      s.Found && s.DampingRatio < 0 ? &kRed : nullptr);
}

void BendingRows(const TrimFigures& t) {
  if (!t.Bends) return;
  constexpr const char* kHow = N_("ゲームの翼のたわみ計算で、荷重のないときより翼端が上がった高さ。");
  if (t.LaunchKnown) {
    Row(N_("翼端のたわみ (発進時)"), Format("%.3f", t.TipRiseLaunch), "m",
        Explained(kHow, N_("発進台を離れた最初の飛行ステップの値です。")));
  }
  Row(N_("翼端のたわみ (トリム時)"), Format("%.3f", t.TipRiseTrim), "m",
      Explained(kHow, N_("トリム点の定常滑空での値です。")));
}

void ReynoldsRows(const TrimFigures& t) {
  const char* how =
      TranslatedUtf8(N_("レイノルズ数 = 速度 × 翼弦 ÷ 動粘性係数 (1.5e-5 m²/s、15 °C "
                        "の空気)。速度はトリム点の対気速度、翼弦はゲームが飛ばす帯の翼弦です。"));
  for (int i = 0; i < kSectionCount; ++i) {
    if (t.ReynoldsRoot[i] <= 0) continue;
    // The name is made in the language in use; Row shows it as the catalog lacks it.
    Row(Format(TranslatedUtf8(N_("レイノルズ数 区間%d (内端-外端)")), i + 1).c_str(),
        Format("%.3g - %.3g", t.ReynoldsRoot[i], t.ReynoldsTip[i]), "", how);
  }
  Row(N_("レイノルズ数 (MAC)"), Format("%.3g", t.ReynoldsMac), "", how);
  Row(N_("レイノルズ数 (尾翼)"), Format("%.3g", t.ReynoldsTail), "", how);
}

void LiftDistribution(const TrimFigures& t, float width) {
  if (t.SpanLift.empty()) {
    ImGui::TextColored(kGrey, "%s", TranslatedUtf8(N_("全翼式 (翼分割モデル不使用) では揚力の分布はありません。")));
    return;
  }
  ImGui::Text(TranslatedUtf8(N_("スパン効率 %.3f")), t.SpanEfficiency);
  if (ImGui::IsItemHovered()) {
    ImGui::SetTooltip(
        "%s",
        TranslatedUtf8(
            N_("帯ごとの揚力の分布が楕円分布にどれだけ近いか (1 が楕円)。揚力線理論で、分布を奇数次の正弦級数 (5 項) "
               "に当てはめて"
               "求めます。\nゲームの誘導抗力は帯ごとの揚力係数だけで決まるので、この値はゲームの抗力には入っていません"
               "。")));
  }
  PlotSeries game{.Name = TranslatedUtf8(N_("帯の揚力")), .Colour = SeriesColour(0), .Markers = true};
  PlotSeries elliptic{.Name = TranslatedUtf8(N_("同じ揚力の楕円分布")), .Colour = SeriesColour(1)};
  double halfLift = 0;  // N, one half
  for (const SpanStation& s : t.SpanLift) {
    game.X.push_back(s.Y);
    game.Y.push_back(s.LiftPerSpan);
    halfLift += s.LiftPerSpan * s.Width;
  }
  constexpr int kEllipsePoints = 40;
  const double peak = 4 * halfLift / (std::acos(-1.0) * t.HalfSpan);  // N/m at the centre line
  for (int k = 0; k <= kEllipsePoints; ++k) {
    const double y = t.HalfSpan * k / kEllipsePoints;
    const double r = y / t.HalfSpan;
    elliptic.X.push_back(y);
    elliptic.Y.push_back(peak * std::sqrt(std::max(0.0, 1 - r * r)));
  }
  DrawLinePlot({TranslatedUtf8(N_("中心線からの位置")), "m", TranslatedUtf8(N_("単位幅の揚力")), "N/m"},
               {game, elliptic}, {}, width, kLiftPlotHeight);
}

}  // namespace

void DrawTrimPanel(const flight::AircraftSpec& spec, const AeroFigures& aero, const TrimFigures& trim, float width) {
  if (!trim.Flown) {
    ImGui::TextColored(
        kGrey, "%s",
        TranslatedUtf8(N_("発進台の端に届かないか、高空で 100 秒の滑空が続かないため、トリム点を求められません。")));
  } else {
    ImGui::Text(TranslatedUtf8(N_("トリム点 (尾翼取付角 %g° のまま、高空・無風の定常滑空)")), trim.TailSettingDeg);
    if (!trim.Steady)
      ImGui::TextColored(kOrange, "%s",
                         TranslatedUtf8(N_("この設定では滑空が定常になりません (失速か振動): 値は最後の状態です。")));
  }
  if (BeginFigureTable("trim_figures")) {
    if (trim.Flown) TrimRows(trim);
    CgRows(spec, aero);
    if (trim.Flown && trim.ModesKnown) ModeRows(trim);
    if (trim.Flown) {
      BendingRows(trim);
      ReynoldsRows(trim);
    }
    ImGui::EndTable();
  }
  if (trim.Flown) LiftDistribution(trim, width);
}

}  // namespace config
