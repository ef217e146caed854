#pragma once
// Drawing on one page of the design report with cairo: Japanese text in the IPA Gothic
// font, name-value tables and line plots with ticks, in points (1/72 in) from the
// page's top-left corner. The report's pages are made of these.
#include <cairo.h>

#include <string>
#include <vector>

#include "config/flights/plot_scale.h"

namespace config {

inline constexpr double kPageWidth = 595;   // pt, A4
inline constexpr double kPageHeight = 842;  // pt
inline constexpr double kMargin = 40;       // pt

struct Rgb {
  double R = 0, G = 0, B = 0;  // 0..1
};
Rgb RgbOf(unsigned rrggbb);

struct ReportPage {
  cairo_t* Cr = nullptr;
  double Y = kMargin;  // pt, where the next block starts
};

// A line of text at the page's cursor (moves it down) or at a given point.
void TextLine(ReportPage& page, const std::string& utf8, double sizePt, bool bold = false, Rgb colour = {});
void TextAt(cairo_t* cr, double x, double y, const std::string& utf8, double sizePt, Rgb colour = {});

struct TableRow {
  std::string Name, Value, Unit;  // UTF-8
};
// Rows of name, value and unit in one column `width` wide starting at x; returns the
// height used.
double DrawTable(cairo_t* cr, double x, double y, double width, const std::vector<TableRow>& rows, double sizePt);

struct ReportSeries {
  std::string Name;
  std::vector<double> X = {}, Y = {};
  unsigned Colour = 0;  // 0xRRGGBB
  bool Markers = false;
};
// A plot `height` points high across the page at the cursor, with a title, axis names
// and a legend; points that are not finite are left out.
void DrawPlot(ReportPage& page, const std::string& title, const PlotAxes& axes, const std::vector<ReportSeries>& series,
              double height);

}  // namespace config
