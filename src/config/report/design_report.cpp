#include "config/report/design_report.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "aircraft/aircraft_file.h"
#include "config/design/design_fields.h"
#include "config/design/validation.h"
#include "config/figures/aero_figures.h"
#include "config/figures/figures_export.h"
#include "config/figures/glide_polar.h"
#include "config/figures/trim_figures.h"
#include "config/figures/wing_shape.h"
#include "config/files/save_target.h"
#include "config/flights/test_flight.h"
#include "config/report/report_page.h"
#include "config/status_text.h"
#include "flight/constants.h"
#include "platform/io/files.h"
#include "platform/text/language.h"

namespace config {
namespace {

using platform::Formatted;
using platform::TranslatedUtf8;

constexpr double kTitleSize = 16, kHeadingSize = 12, kBodySize = 8.5;  // pt
constexpr double kColumnGap = 16;                                      // pt
constexpr double kPlanHeight = 190, kFrontHeight = 70;                 // pt, the drawings
constexpr double kPlotHeight = 200;                                    // pt
constexpr unsigned kUntouchedColour = 0xC81E1E, kScheduleColour = 0x2E7D32, kCoachColour = 0x1E5AC8;
constexpr unsigned kTailColour = 0x787878, kCgColour = 0xC81E1E;
constexpr Rgb kWarningColour{0.75, 0.42, 0};

// Everything the pages show, worked out once.
struct ReportData {
  const ReportInput& Input;
  GameFigures Figures;
  WingShape Shape;
  AeroFigures Aero;
  TrimFigures Trim;
  std::vector<DesignWarning> Warnings;
  GlidePolar Polar;
  TrimSweep Sweep;
  FlightProfile Untouched;
  std::optional<FlightProfile> Scheduled;
};

double HalfWidth() { return (kPageWidth - 2 * kMargin - kColumnGap) / 2; }

std::string SectionValues(const std::array<double, 4>& v) {
  std::string text;
  for (size_t i = 0; i < v.size(); ++i) text += (i ? ", " : "") + aircraft::FormatExactNumber(v[i]);
  return text;
}

std::vector<TableRow> FileRows(flight::AircraftSpec spec) {
  std::vector<TableRow> rows;
  for (const FileLine& line : FileLines()) {
    std::string value;
    switch (line.Kind) {
      case LineKind::Height: value = aircraft::FormatExactNumber(LaunchHeight(spec)); break;
      case LineKind::Value: value = aircraft::FormatExactNumber(line.Value(spec)); break;
      case LineKind::Integer: value = std::to_string(spec.StripModel); break;
      case LineKind::EnabledList: {
        for (int i = 0; i < kSectionCount; ++i) value += (i ? ", " : "") + std::to_string(spec.SectionEnabled[i]);
        break;
      }
      case LineKind::SectionList: {
        // Four values are wide: the unit goes with the name, the values fill the rest.
        const std::string unit = line.Unit[0] != '\0' ? std::string(" [") + TranslatedUtf8(line.Unit) + "]" : "";
        rows.push_back({TranslatedUtf8(line.Name) + unit, SectionValues(line.Section(spec)), ""});
        continue;
      }
      default: continue;
    }
    rows.push_back({TranslatedUtf8(line.Name), value, TranslatedUtf8(line.Unit)});
  }
  return rows;
}

void ValuesPage(ReportPage& page, const ReportData& d) {
  TextLine(page, Formatted(TranslatedUtf8(N_("設計レポート: %s")), d.Input.Title.c_str()), kTitleSize, true);
  page.Y += 6;
  TextLine(page, TranslatedUtf8(N_("ファイルの値")), kHeadingSize, true);
  page.Y += 4;
  const std::vector<TableRow> rows = FileRows(d.Input.Spec);
  const size_t half = (rows.size() + 1) / 2;
  const double used = DrawTable(page.Cr, kMargin, page.Y, HalfWidth(), {rows.begin(), rows.begin() + half}, kBodySize);
  DrawTable(page.Cr, kMargin + HalfWidth() + kColumnGap, page.Y, HalfWidth(), {rows.begin() + half, rows.end()},
            kBodySize);
  page.Y += used + 10;
  TextLine(page, TranslatedUtf8(N_("警告")), kHeadingSize, true);
  if (d.Warnings.empty()) TextLine(page, TranslatedUtf8(N_("警告はありません。")), kBodySize);
  for (const DesignWarning& w : d.Warnings)
    TextLine(page, "・" + DescribeWarning(w), kBodySize, false, kWarningColour);  // in every language
}

// The wing from above (both halves, the tail, the centre of gravity) and from the front.
void Drawings(ReportPage& page, const ReportData& d) {
  cairo_t* cr = page.Cr;
  const flight::AircraftSpec& spec = d.Input.Spec;
  TextLine(page, TranslatedUtf8(N_("上から見た図 (前が上) と前から見た図 (たわむ前)")), kHeadingSize, true);
  page.Y += 4;
  const double tailLe = spec.TailPosition - 0.25 * spec.TailChord;
  double half = std::max({d.Shape.HalfSpan, spec.TailSpan / 2, 0.5});
  double xMin = std::min({0.0, spec.CgPosition, tailLe}), xMax = std::max({d.Shape.RootChord, tailLe + spec.TailChord});
  double zMax = 0.1;
  for (const StripOutline& s : d.Shape.Strips) {
    for (const PlanPoint& p : s.Plan) {
      xMin = std::min(xMin, p.X);
      xMax = std::max(xMax, p.X);
    }
    zMax = std::max(zMax, std::fabs(s.Outer.Z));
  }
  const double width = kPageWidth - 2 * kMargin;
  if (!std::isfinite(half + xMin + xMax + zMax) || !(xMax > xMin)) {
    TextLine(page, TranslatedUtf8(N_("図を描けません (数値でない値があります)")), kBodySize);
    return;
  }
  const double scale = std::min(width / (2 * half * 1.05), kPlanHeight / ((xMax - xMin) * 1.1));
  const double centre = kMargin + width / 2, top = page.Y + 6;
  const auto plan = [&](double x, double y) { return std::pair{centre + y * scale, top + (x - xMin) * scale}; };
  for (const StripOutline& s : d.Shape.Strips) {
    for (double side : {-1.0, 1.0}) {
      for (int k = 0; k < 4; ++k) {
        const auto [px, py] = plan(s.Plan[k].X, side * s.Plan[k].Y);
        if (k == 0)
          cairo_move_to(cr, px, py);
        else
          cairo_line_to(cr, px, py);
      }
      cairo_close_path(cr);
      const Rgb c = RgbOf(ReportSectionColour(s.Section));
      cairo_set_source_rgb(cr, c.R, c.G, c.B);
      cairo_fill(cr);
    }
  }
  const auto [tx0, ty0] = plan(tailLe, -spec.TailSpan / 2);
  const auto [tx1, ty1] = plan(tailLe + spec.TailChord, spec.TailSpan / 2);
  const Rgb tail = RgbOf(kTailColour);
  cairo_set_source_rgb(cr, tail.R, tail.G, tail.B);
  cairo_rectangle(cr, tx0, ty0, tx1 - tx0, ty1 - ty0);
  cairo_fill(cr);
  const auto [bx0, by0] = plan(0, 0);
  const auto [bx1, by1] = plan(tailLe + spec.TailChord, 0);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, bx0, by0);
  cairo_line_to(cr, bx1, by1);
  cairo_stroke(cr);
  const auto [cx, cy] = plan(spec.CgPosition, 0);
  const Rgb cg = RgbOf(kCgColour);
  cairo_set_source_rgb(cr, cg.R, cg.G, cg.B);
  cairo_arc(cr, cx, cy, 3, 0, 2 * M_PI);
  cairo_fill(cr);
  TextAt(cr, cx + 5, cy - 3, TranslatedUtf8(N_("重心")), kBodySize, cg);
  page.Y = top + (xMax - xMin) * scale + 10;

  // From the front, heights stretched so small dihedral angles show.
  const double zScale = std::min(scale * 4, kFrontHeight / zMax);
  const double base = page.Y + kFrontHeight;
  cairo_set_line_width(cr, 2);
  for (const StripOutline& s : d.Shape.Strips) {
    const Rgb c = RgbOf(ReportSectionColour(s.Section));
    cairo_set_source_rgb(cr, c.R, c.G, c.B);
    for (double side : {-1.0, 1.0}) {
      cairo_move_to(cr, centre + side * s.Inner.Y * scale, base - s.Inner.Z * zScale);
      cairo_line_to(cr, centre + side * s.Outer.Y * scale, base - s.Outer.Z * zScale);
      cairo_stroke(cr);
    }
  }
  TextAt(cr, kMargin, page.Y + 10,
         Formatted(TranslatedUtf8(N_("翼端の高さ %.3g m (高さ方向を拡大)")), d.Shape.TipHeight), kBodySize);
  page.Y = base + 12;
}

std::vector<TableRow> FigureRows(const ReportData& d) {
  const GameFigures& f = d.Figures;
  const AeroFigures& a = d.Aero;
  constexpr const char* kSquareMetres = "m²";       // in every language
  constexpr const char* kWingLoadingUnit = "N/m²";  // in every language
  std::vector<TableRow> rows = {
      {TranslatedUtf8(N_("主翼面積")), Format("%.4g", f.WingArea), kSquareMetres},
      {TranslatedUtf8(N_("主翼アスペクト比")), Format("%.4g", f.AspectRatio), ""},
      {TranslatedUtf8(N_("尾翼面積")), Format("%.4g", f.TailArea), kSquareMetres},
      {TranslatedUtf8(N_("尾翼容積比")), Format("%.3f", f.TailVolume), ""},
      {TranslatedUtf8(N_("平均空力翼弦 (MAC)")), Format("%.4g", a.Mac), "m"},
      {TranslatedUtf8(N_("翼面荷重")), Format("%.4g", a.WingLoading), kWingLoadingUnit},
      {TranslatedUtf8(N_("失速速度")), Format("%.4g", a.StallSpeed), "m/s"},
  };

  if (a.StabilityKnown) {
    rows.push_back({TranslatedUtf8(N_("中立点 (重心の後方限界)")), Format("%.4g", a.NeutralPoint), "m"});
    rows.push_back({TranslatedUtf8(N_("静安定余裕")), Format("%.1f", a.StaticMargin * 100), "%"});
  }
  if (a.ForwardCgKnown) rows.push_back({TranslatedUtf8(N_("重心の前方限界")), Format("%.4g", a.ForwardCgLimit), "m"});
  rows.push_back({TranslatedUtf8(N_("重心位置")), aircraft::FormatExactNumber(d.Input.Spec.CgPosition), "m"});
  return rows;
}

std::string ModeText(const FlightMode& m) {
  if (!m.Found) return "-";
  if (m.Oscillating) return Formatted(TranslatedUtf8(N_("%.2f s / 減衰比 %.2f")), m.PeriodS, m.DampingRatio);
  return m.DampingRatio < 0 ? TranslatedUtf8(N_("発散"))
                            : Formatted(TranslatedUtf8(N_("振動せず / %.2f")), m.DampingRatio);
}

std::vector<TableRow> TrimRows(const TrimFigures& t) {
  if (!t.Flown) return {{TranslatedUtf8(N_("トリム点")), TranslatedUtf8(N_("求められません")), ""}};
  std::vector<TableRow> rows = {
      {Formatted(TranslatedUtf8(N_("トリム点 (尾翼取付角 %g°)")), t.TailSettingDeg),
       TranslatedUtf8(t.Steady ? N_("定常") : N_("定常にならない")), ""},
      {TranslatedUtf8(N_("揚力係数 CL")), Format("%.3f", t.WingCl), ""},
      {TranslatedUtf8(N_("速度")), Format("%.2f", t.Airspeed), "m/s"},
      {TranslatedUtf8(N_("迎角 (機体)")), Format("%.2f", t.BodyAlphaDeg), "deg"},
      {TranslatedUtf8(N_("沈下速度")), Format("%.3f", t.SinkRate), "m/s"},
      {TranslatedUtf8(N_("滑空比")), Format("%.1f", t.GlideRatio), ""},
      {TranslatedUtf8(N_("フゴイド")), ModeText(t.Modes.Phugoid), ""},
      {TranslatedUtf8(N_("短周期")), ModeText(t.Modes.ShortPeriod), ""},
  };
  if (t.Bends) {
    if (t.LaunchKnown)
      rows.push_back({TranslatedUtf8(N_("翼端のたわみ (発進時)")), Format("%.3f", t.TipRiseLaunch), "m"});
    rows.push_back({TranslatedUtf8(N_("翼端のたわみ (トリム時)")), Format("%.3f", t.TipRiseTrim), "m"});
  }
  if (!t.SpanLift.empty()) rows.push_back({TranslatedUtf8(N_("スパン効率")), Format("%.3f", t.SpanEfficiency), ""});
  rows.push_back({TranslatedUtf8(N_("レイノルズ数 (MAC)")), Format("%.3g", t.ReynoldsMac), ""});
  return rows;
}

void ShapePage(ReportPage& page, const ReportData& d) {
  Drawings(page, d);
  page.Y += 6;
  TextLine(page, TranslatedUtf8(N_("図表 (ゲームの計算から)")), kHeadingSize, true);
  page.Y += 4;
  const double left = DrawTable(page.Cr, kMargin, page.Y, HalfWidth(), FigureRows(d), kBodySize);
  const double right =
      DrawTable(page.Cr, kMargin + HalfWidth() + kColumnGap, page.Y, HalfWidth(), TrimRows(d.Trim), kBodySize);
  page.Y += std::max(left, right);
}

void CurvesPage(ReportPage& page, const ReportData& d) {
  ReportSeries polar{.Name = TranslatedUtf8(N_("定常滑空")), .Colour = ReportSectionColour(0), .Markers = true};
  for (const PolarPoint& p : d.Polar.Points) {
    if (!p.Steady) continue;
    polar.X.push_back(p.Airspeed);
    polar.Y.push_back(p.SinkRate);
  }
  DrawPlot(page, TranslatedUtf8(N_("滑空ポーラー (高度 3000 m・無風、一定の尾翼取付角)")),
           {TranslatedUtf8(N_("対気速度")), "m/s", TranslatedUtf8(N_("沈下速度")), "m/s"}, {polar}, kPlotHeight);
  const int best = BestGlideIndex(d.Polar);
  if (best >= 0) {
    const PolarPoint& p = d.Polar.Points[best];
    TextLine(
        page,
        Formatted(
            TranslatedUtf8(N_("最良滑空比 %.1f (%.2f m/s, 尾翼取付角 %g°)%s")), p.GlideRatio, p.Airspeed, p.TrimDeg,
            AtSteadyEdge(d.Polar, best) ? TranslatedUtf8(N_("  [失速で制限: 隣の設定は定常滑空にならない]")) : ""),
        kBodySize);
  }

  ReportSeries sweep{.Name = TranslatedUtf8(N_("距離")), .Colour = ReportSectionColour(0), .Markers = true};
  for (const SweepPoint& p : d.Sweep.Points) {
    sweep.X.push_back(p.TrimDeg);
    sweep.Y.push_back(p.LaunchEnded ? double{p.Distance} : std::nan(""));
  }
  page.Y += 8;
  DrawPlot(page, TranslatedUtf8(N_("一定の尾翼取付角での飛行距離")),
           {TranslatedUtf8(N_("尾翼取付角")), "deg", TranslatedUtf8(N_("距離")), "m"}, {sweep}, kPlotHeight);
  if (const auto b = BestTrim(d.Sweep)) {
    TextLine(page,
             Formatted(TranslatedUtf8(N_("最良: 尾翼取付角 %s° で %s m")),
                       aircraft::FormatExactNumber(b->TrimDeg).c_str(), DistanceText(b->Distance).c_str()),
             kBodySize);
    if (const auto cliff = CliffBesideBest(d.Sweep)) {
      const std::string fall =
          cliff->LaunchEnded ? Formatted(TranslatedUtf8(N_("%s m に落ちます")), DistanceText(cliff->Distance).c_str())
                             : TranslatedUtf8(N_("発進台を離れません"));
      TextLine(page,
               Formatted(TranslatedUtf8(N_("[警告] すぐ隣の %s° では %s")),
                         aircraft::FormatExactNumber(cliff->TrimDeg).c_str(), fall.c_str()),
               kBodySize, false, kWarningColour);
    }
  }

  if (!d.Trim.SpanLift.empty()) {
    ReportSeries lift{.Name = TranslatedUtf8(N_("帯の揚力")), .Colour = ReportSectionColour(0), .Markers = true};
    for (const SpanStation& s : d.Trim.SpanLift) {
      lift.X.push_back(s.Y);
      lift.Y.push_back(s.LiftPerSpan);
    }
    page.Y += 8;
    DrawPlot(page, Formatted(TranslatedUtf8(N_("トリム時の揚力分布 (片翼、スパン効率 %.3f)")), d.Trim.SpanEfficiency),
             {TranslatedUtf8(N_("中心線からの位置")), "m", TranslatedUtf8(N_("単位幅の揚力")), "N/m"}, {lift},
             kPlotHeight);
  }
}

ReportSeries FlightSeries(const std::string& name, const std::vector<float>& x, const std::vector<float>& h,
                          unsigned colour) {
  return {.Name = name, .X = {x.begin(), x.end()}, .Y = {h.begin(), h.end()}, .Colour = colour};
}

void FlightsPage(ReportPage& page, const ReportData& d) {
  std::vector<ReportSeries> series;
  TextLine(page, TranslatedUtf8(N_("飛行 (ゲームと同じ計算)")), kHeadingSize, true);
  if (d.Untouched.LaunchEnded) {
    series.push_back(FlightSeries(TranslatedUtf8(N_("操縦なし")), d.Untouched.X, d.Untouched.Height, kUntouchedColour));
    TextLine(page,
             Formatted(TranslatedUtf8(N_("操縦なし (尾翼取付角のまま): 距離 %s m")),
                       DistanceText(d.Untouched.Distance).c_str()),
             kBodySize);
  } else {
    TextLine(page, TranslatedUtf8(N_("操縦なし: 発進台の端に届きません。")), kBodySize);
  }
  if (d.Scheduled && d.Scheduled->LaunchEnded) {
    series.push_back(
        FlightSeries(TranslatedUtf8(N_("エントリの操舵記録")), d.Scheduled->X, d.Scheduled->Height, kScheduleColour));
    TextLine(page,
             Formatted(TranslatedUtf8(N_("エントリの操舵記録どおり: 距離 %s m")),
                       DistanceText(d.Scheduled->Distance).c_str()),
             kBodySize);
  }
  if (const sim::CoachResult* c = d.Input.Coach; c && c->Launches && !c->BestX.empty()) {
    series.push_back(FlightSeries(TranslatedUtf8(N_("コーチの最良の飛行")), c->BestX, c->BestHeights, kCoachColour));
    TextLine(page,
             Formatted(TranslatedUtf8(N_("コーチの最良の飛行: 距離 %s m (%ld 回の飛行で探索)")),
                       DistanceText(c->BestDistance).c_str(), c->Evaluations),
             kBodySize);
  } else {
    TextLine(page, TranslatedUtf8(N_("コーチの探索はしていません。")), kBodySize);
  }
  page.Y += 8;
  DrawPlot(page, TranslatedUtf8(N_("高度と距離")), {TranslatedUtf8(N_("距離")), "m", TranslatedUtf8(N_("高度")), "m"},
           series, kPlotHeight * 1.4);
}

ReportData Gather(const ReportInput& input) {
  ReportData d{.Input = input,
               .Figures = ComputeFigures(input.Spec),
               .Shape = {},
               .Aero = {},
               .Trim = {},
               .Warnings = {},
               .Polar = {},
               .Sweep = {},
               .Untouched = {},
               .Scheduled = std::nullopt};
  d.Shape = ComputeWingShape(input.Spec, d.Figures);
  d.Aero = ComputeAeroFigures(input.Spec, d.Figures, d.Shape);
  d.Warnings = ValidateDesign(input.Spec, d.Figures);
  // A launch that never ends would take the whole launch allowance for every flight.
  if (!d.Figures.LaunchReachesEdge) return d;
  d.Trim = ComputeTrimFigures(input.Spec, d.Figures, d.Aero.Mac);
  if (auto polar = StartPolar(input.Spec, kReportTrimFrom, kReportTrimTo, kReportPolarStep)) {
    while (!PolarDone(*polar)) FlyNextGlide(*polar);
    d.Polar = std::move(*polar);
  }
  if (auto sweep = StartSweep(input.Spec, kReportTrimFrom, kReportTrimTo, kReportSweepStep)) {
    while (!SweepDone(*sweep)) FlyNextTrim(*sweep);
    d.Sweep = std::move(*sweep);
  }
  d.Untouched = FlyDesign(input.Spec);
  if (input.Schedule) d.Scheduled = FlyWithSchedule(input.Spec, input.Schedule->Log);
  return d;
}

}  // namespace

unsigned ReportSectionColour(int section) {
  static constexpr unsigned kColours[] = {0x4278D2, 0x3CAA5A, 0xE68C28, 0x9650BE};
  return kColours[std::clamp(section, 0, 3)];
}

ReportResult WriteDesignReport(const ReportInput& input, const std::string& pdfFile) {
  const std::string native = platform::NativePath(pdfFile);
  const SaveTargetCheck check = CheckExportTarget(native);
  if (RefusesSaveTarget(check) && check != SaveTargetCheck::NoFolder) return ReportResult::Refused;
  const ReportData d = Gather(input);

  const std::string temporary = native + ".part";
  cairo_surface_t* surface = cairo_pdf_surface_create(temporary.c_str(), kPageWidth, kPageHeight);
  cairo_t* cr = cairo_create(surface);
  for (auto* draw : {&ValuesPage, &ShapePage, &CurvesPage, &FlightsPage}) {
    ReportPage page{.Cr = cr};
    draw(page, d);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool drawn = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  std::error_code error;
  if (drawn) std::filesystem::rename(temporary, native, error);
  if (!drawn || error) {
    std::filesystem::remove(temporary, error);
    return ReportResult::CannotWrite;
  }
  return ReportResult::Written;
}

std::string DescribeReportResult(ReportResult result, const std::string& shownName) {
  switch (result) {
    case ReportResult::Written:
      return Formatted(TranslatedUtf8(N_("設計レポートを %s に書き出しました。")), shownName.c_str());
    case ReportResult::Refused:
      return RefusedTargetMessage(shownName);
    case ReportResult::CannotWrite:
      return CannotWriteMessage(shownName);
  }
  return {};
}

}  // namespace config
