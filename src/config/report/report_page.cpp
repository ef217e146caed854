#include "config/report/report_page.h"

#include <cmath>
#include <cstdio>

namespace config {
namespace {

constexpr const char* kFont = "IPAGothic";
constexpr double kLineSpacing = 1.45;                                             // of the font size
constexpr double kTickLength = 3;                                                 // pt
constexpr double kPlotLeft = 46, kPlotBottom = 26, kPlotTop = 8, kPlotRight = 8;  // pt around the frame
constexpr double kLegendLine = 14;                                                // pt

void SetColour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.R, c.G, c.B); }

void UseFont(cairo_t* cr, double sizePt, bool bold) {
  cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, sizePt);
}

double TextWidth(cairo_t* cr, const std::string& utf8) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  return e.x_advance;
}

std::string Tick(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", std::fabs(v) < 1e-12 ? 0.0 : v);
  return text;
}

}  // namespace

Rgb RgbOf(unsigned rrggbb) {
  constexpr double kFull = 255;
  return {((rrggbb >> 16) & 0xFF) / kFull, ((rrggbb >> 8) & 0xFF) / kFull, (rrggbb & 0xFF) / kFull};
}

void TextAt(cairo_t* cr, double x, double y, const std::string& utf8, double sizePt, Rgb colour) {
  UseFont(cr, sizePt, false);
  SetColour(cr, colour);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, utf8.c_str());
}

void TextLine(ReportPage& page, const std::string& utf8, double sizePt, bool bold, Rgb colour) {
  UseFont(page.Cr, sizePt, bold);
  SetColour(page.Cr, colour);
  page.Y += sizePt * kLineSpacing;
  cairo_move_to(page.Cr, kMargin, page.Y);
  cairo_show_text(page.Cr, utf8.c_str());
}

double DrawTable(cairo_t* cr, double x, double y, double width, const std::vector<TableRow>& rows, double sizePt) {
  const double line = sizePt * kLineSpacing;
  constexpr double kValueShare = 0.5, kUnitShare = 0.85;  // of the width, where the columns start
  constexpr Rgb kStripe{0.94, 0.95, 0.97}, kGrey{0.4, 0.4, 0.4};
  for (size_t i = 0; i < rows.size(); ++i) {
    const double top = y + i * line;
    if (i % 2 == 0) {
      SetColour(cr, kStripe);
      cairo_rectangle(cr, x, top, width, line);
      cairo_fill(cr);
    }
    const double base = top + line * 0.75;
    TextAt(cr, x + 2, base, rows[i].Name, sizePt);
    TextAt(cr, x + width * kValueShare, base, rows[i].Value, sizePt);
    TextAt(cr, x + width * kUnitShare, base, rows[i].Unit, sizePt, kGrey);
  }
  return rows.size() * line;
}

void DrawPlot(ReportPage& page, const std::string& title, const PlotAxes& axes, const std::vector<ReportSeries>& series,
              double height) {
  cairo_t* cr = page.Cr;
  constexpr double kTitleSize = 11, kLabelSize = 8;
  TextLine(page, title, kTitleSize, true);
  page.Y += 4;
  const double left = kMargin + kPlotLeft, top = page.Y + kPlotTop;
  const double width = kPageWidth - 2 * kMargin - kPlotLeft - kPlotRight;
  const double plotHeight = height - kPlotTop - kPlotBottom;

  std::vector<PlotSeries> fitted;
  for (const ReportSeries& s : series) fitted.push_back({.Name = s.Name, .X = s.X, .Y = s.Y});
  const PlotScale scale = FitScale(fitted);
  cairo_set_line_width(cr, 0.8);
  SetColour(cr, {});
  cairo_rectangle(cr, left, top, width, plotHeight);
  cairo_stroke(cr);
  if (!scale.Drawable()) {
    page.Y += height;
    return;
  }
  const PlotRange r = scale.Range();
  const auto px = [&](double x) { return left + (x - r.X0) / (r.X1 - r.X0) * width; };
  const auto py = [&](double y) { return top + plotHeight - (y - r.Y0) / (r.Y1 - r.Y0) * plotHeight; };
  constexpr Rgb kGrid{0.85, 0.85, 0.85};
  for (size_t i = 0; i < scale.X.Ticks.Count; ++i) {
    const double x = px(scale.X.Ticks.Values[i]);
    SetColour(cr, kGrid);
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x, top + plotHeight);
    cairo_stroke(cr);
    TextAt(cr, x - 6, top + plotHeight + kTickLength + kLabelSize, Tick(scale.X.Ticks.Values[i]), kLabelSize);
  }
  for (size_t i = 0; i < scale.Y.Ticks.Count; ++i) {
    const double y = py(scale.Y.Ticks.Values[i]);
    SetColour(cr, kGrid);
    cairo_move_to(cr, left, y);
    cairo_line_to(cr, left + width, y);
    cairo_stroke(cr);
    const std::string t = Tick(scale.Y.Ticks.Values[i]);
    UseFont(cr, kLabelSize, false);
    TextAt(cr, left - kTickLength - TextWidth(cr, t), y + kLabelSize / 3, t, kLabelSize);
  }
  TextAt(cr, left + width - 120, top + plotHeight + kPlotBottom - 2, axes.XName + " [" + axes.XUnit + "]", kLabelSize);
  TextAt(cr, kMargin, top - 2, axes.YName + " [" + axes.YUnit + "]", kLabelSize);

  double legendY = top + kLegendLine;
  for (const ReportSeries& s : series) {
    SetColour(cr, RgbOf(s.Colour));
    cairo_set_line_width(cr, 1.4);
    bool pen = false;
    for (size_t i = 0; i < s.X.size() && i < s.Y.size(); ++i) {
      if (!std::isfinite(s.X[i]) || !std::isfinite(s.Y[i])) {
        pen = false;
        continue;
      }
      if (pen) {
        cairo_line_to(cr, px(s.X[i]), py(s.Y[i]));
      } else {
        cairo_move_to(cr, px(s.X[i]), py(s.Y[i]));
      }
      pen = true;
    }
    cairo_stroke(cr);
    if (s.Markers) {
      for (size_t i = 0; i < s.X.size() && i < s.Y.size(); ++i) {
        if (!std::isfinite(s.X[i]) || !std::isfinite(s.Y[i])) continue;
        cairo_arc(cr, px(s.X[i]), py(s.Y[i]), 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
      }
    }
    if (!s.Name.empty()) {
      const double x = left + width - 150;
      SetColour(cr, RgbOf(s.Colour));
      cairo_rectangle(cr, x, legendY - 6, 12, 3);
      cairo_fill(cr);
      TextAt(cr, x + 16, legendY - 2, s.Name, kLabelSize);
      legendY += kLegendLine * 0.8;
    }
  }
  page.Y += height;
}

}  // namespace config
