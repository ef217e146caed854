#include "league/web/profile_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "league/web/html_text.h"

namespace league {
namespace {

// The drawing's own units (its viewBox); the page scales it to the width it has.
constexpr double kWidth = 480;
constexpr double kHeight = 280;
// The labels' height in drawing units, large enough to read when a phone shrinks the
// drawing to about 340 px; the style sheet makes them smaller on wide screens. The
// margins below leave room for labels of this size.
constexpr double kFontSize = 18;
constexpr double kLeftMargin = 64;    // tick labels of up to four digits and the height axis's name
constexpr double kRightMargin = 22;   // half the last distance label
constexpr double kTopMargin = 14;     // half the top height label
constexpr double kBottomMargin = 56;  // tick labels and the distance axis's name
constexpr double kPlotWidth = kWidth - kLeftMargin - kRightMargin;
constexpr double kPlotHeight = kHeight - kTopMargin - kBottomMargin;
constexpr double kPlotRight = kLeftMargin + kPlotWidth;
constexpr double kPlotBottom = kTopMargin + kPlotHeight;
constexpr double kTickLength = 5;
constexpr double kLabelGap = 4;      // between a tick and its label, a label and the edge
constexpr double kTicksWanted = 5;   // about this many steps along each axis
constexpr double kStepSlack = 1e-9;  // of a step: a tick computed a rounding error past the end still counts

constexpr const char* kFrameColour = "#8a96a3";
constexpr const char* kGridColour = "#dde3ea";
constexpr const char* kPlotColour = "#f7fafd";
constexpr const char* kWaterColour = "#1e88e5";
constexpr const char* kFlightColour = "#c62828";

// An axis from Low to High (m) with a tick at every whole Step (1, 2 or 5 times a power
// of ten) from Low on.
struct Axis {
  double Low, High, Step;
  int Ticks() const { return static_cast<int>(std::floor((High - Low) / Step + kStepSlack)) + 1; }
  double Tick(int i) const { return Low + i * Step; }
  double Fraction(double value) const { return (value - Low) / (High - Low); }
};

// The axis that holds low..high with about kTicksWanted steps, widened to whole steps.
Axis AxisOver(double low, double high) {
  if (!(high > low)) high = low + 1;  // a single point or a level line: one metre
  const double wanted = (high - low) / kTicksWanted;
  const double power = std::pow(10.0, std::floor(std::log10(wanted)));
  const double mantissa = wanted / power;
  const double step = (mantissa <= 1 ? 1 : mantissa <= 2 ? 2 : mantissa <= 5 ? 5 : 10) * power;
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

double X(const Axis& axis, double distance) { return kLeftMargin + axis.Fraction(distance) * kPlotWidth; }
double Y(const Axis& axis, double height) { return kTopMargin + (1 - axis.Fraction(height)) * kPlotHeight; }

std::string Number(const char* format, double value) {
  char text[64];  // the drawing's numbers are short: coordinates and ticks of metres
  std::snprintf(text, sizeof text, format, value + 0.0);  // + 0.0: no "-0"
  return text;
}
std::string Coord(double value) { return Number("%.1f", value); }

std::string Line(double x1, double y1, double x2, double y2, const char* colour, std::string_view extra = {}) {
  return "<line x1=\"" + Coord(x1) + "\" y1=\"" + Coord(y1) + "\" x2=\"" + Coord(x2) + "\" y2=\"" + Coord(y2) +
         "\" stroke=\"" + colour + "\"" + std::string(extra) + "/>\n";
}

// `extra` holds further attributes; a "dy" in em moves the text by its own font size,
// whatever size the style sheet gives it.
std::string Text(double x, double y, const char* anchor, std::string_view text, std::string_view extra = {}) {
  return "<text x=\"" + Coord(x) + "\" y=\"" + Coord(y) + "\" text-anchor=\"" + anchor + "\"" + std::string(extra) +
         ">" + EscapeHtml(text) + "</text>\n";
}

// Grid lines, ticks and labels of both axes.
std::string Ticks(const Axis& across, const Axis& up) {
  std::string svg;
  for (int i = 0; i < across.Ticks(); ++i) {
    const double x = X(across, across.Tick(i));
    svg += Line(x, kTopMargin, x, kPlotBottom, kGridColour);
    svg += Line(x, kPlotBottom, x, kPlotBottom + kTickLength, kFrameColour);
    svg += Text(x, kPlotBottom + kTickLength + kLabelGap, "middle", Number("%g", across.Tick(i)), " dy=\"0.8em\"");
  }
  for (int i = 0; i < up.Ticks(); ++i) {
    const double y = Y(up, up.Tick(i));
    svg += Line(kLeftMargin, y, kPlotRight, y, kGridColour);
    svg += Line(kLeftMargin - kTickLength, y, kLeftMargin, y, kFrameColour);
    svg += Text(kLeftMargin - kTickLength - kLabelGap, y, "end", Number("%g", up.Tick(i)), " dy=\"0.35em\"");
  }
  return svg;
}

}  // namespace

std::string ProfileSvg(const std::vector<ProfilePoint>& profile, std::string_view title) {
  std::vector<ProfilePoint> points;
  for (const ProfilePoint& p : profile) {
    if (std::isfinite(p.Distance) && std::isfinite(p.Height)) points.push_back(p);
  }
  // The axes always reach the start (0 m) and the water (0 m).
  double minDistance = 0, maxDistance = 0, minHeight = 0, maxHeight = 0;
  for (const ProfilePoint& p : points) {
    minDistance = std::min(minDistance, p.Distance);
    maxDistance = std::max(maxDistance, p.Distance);
    minHeight = std::min(minHeight, p.Height);
    maxHeight = std::max(maxHeight, p.Height);
  }
  if (points.empty() || !std::isfinite(maxDistance - minDistance) || !std::isfinite(maxHeight - minHeight))
    return "<p class=\"no-profile\">No flight path to draw: the entry could not be flown again.</p>\n";

  Axis across = AxisOver(minDistance, maxDistance);
  if (maxDistance > across.Low) across.High = maxDistance;  // the plot ends at touchdown, not at the next tick
  const Axis up = AxisOver(minHeight, maxHeight);

  std::string svg = "<figure class=\"profile\">\n<svg viewBox=\"0 0 " + Coord(kWidth) + " " + Coord(kHeight) +
                    "\" role=\"img\" aria-labelledby=\"profile-title\" font-family=\"sans-serif\" font-size=\"" +
                    Coord(kFontSize) + "\">\n";
  svg += "<title id=\"profile-title\">" + EscapeHtml(title) + "</title>\n";
  svg += "<rect class=\"plot-area\" x=\"" + Coord(kLeftMargin) + "\" y=\"" + Coord(kTopMargin) + "\" width=\"" +
         Coord(kPlotWidth) + "\" height=\"" + Coord(kPlotHeight) + "\" fill=\"" + kPlotColour + "\" stroke=\"" +
         kFrameColour + "\"/>\n";
  svg += Ticks(across, up);

  const double water = Y(up, 0);
  svg += Line(kLeftMargin, water, kPlotRight, water, kWaterColour, " stroke-width=\"2\" class=\"water\"");
  // At the start, where the flight is still at launch height, so the label never hides the touchdown.
  svg +=
      Text(kLeftMargin + kLabelGap, water - kLabelGap, "start", "water", std::string(" fill=\"") + kWaterColour + "\"");

  svg += "<polyline class=\"flight\" fill=\"none\" stroke=\"" + std::string(kFlightColour) +
         "\" stroke-width=\"2.5\" stroke-linejoin=\"round\" points=\"";
  for (size_t i = 0; i < points.size(); ++i) {
    if (i > 0) svg += ' ';
    svg += Coord(X(across, points[i].Distance)) + "," + Coord(Y(up, points[i].Height));
  }
  svg += "\"/>\n";

  svg += Text(kLeftMargin + kPlotWidth / 2, kPlotBottom + kTickLength + kLabelGap, "middle", "distance (m)",
              " dy=\"2.1em\"");  // below the tick labels (0.8em)
  // Turned a quarter to the left about the origin: x runs up the drawing, y to the right.
  svg += Text(-(kTopMargin + kPlotHeight / 2), 0, "middle", "height (m)", " transform=\"rotate(-90)\" dy=\"0.9em\"");
  svg += "</svg>\n</figure>\n";
  return svg;
}

}  // namespace league
