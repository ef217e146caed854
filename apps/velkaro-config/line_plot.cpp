#include "line_plot.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/text/language.h"

namespace config {
namespace {

constexpr float kLeftMargin = 52, kBottomMargin = 34, kTopMargin = 8, kRightMargin = 12;  // px
constexpr float kHoverRadius = 10;  // px: the read-out shows the nearest point this close
constexpr float kMinPointSpacing = 0.5f;  // px between drawn points of a series
const unsigned kInk = IM_COL32(40, 40, 40, 255);
const unsigned kGridColour = IM_COL32(225, 225, 225, 255);
const unsigned kMarkColour = IM_COL32(200, 30, 30, 255);

struct Frame {
  ImVec2 Origin;  // top-left of the plotting area
  float W, H;     // px
  PlotRange R;
  ImVec2 At(double x, double y) const {
    return ImVec2(Origin.x + static_cast<float>((x - R.X0) / (R.X1 - R.X0)) * W,
                  Origin.y + H - static_cast<float>((y - R.Y0) / (R.Y1 - R.Y0)) * H);
  }
};

std::string AxisTitle(const std::string& name, const std::string& unit) {
  return unit.empty() ? name : name + " [" + unit + "]";
}

void Ticks(ImDrawList* list, const Frame& f, const PlotScale& scale) {
  char text[32];
  for (size_t i = 0; i < scale.X.Ticks.Count; ++i) {
    const double x = scale.X.Ticks.Values[i];
    const ImVec2 p = f.At(x, f.R.Y0);
    list->AddLine(ImVec2(p.x, f.Origin.y), p, kGridColour);
    std::snprintf(text, sizeof text, "%g", x);
    list->AddText(ImVec2(p.x - ImGui::CalcTextSize(text).x / 2, p.y + 2), kInk, text);
  }
  for (size_t i = 0; i < scale.Y.Ticks.Count; ++i) {
    const double y = scale.Y.Ticks.Values[i];
    const ImVec2 p = f.At(f.R.X0, y);
    list->AddLine(p, ImVec2(f.Origin.x + f.W, p.y), kGridColour);
    std::snprintf(text, sizeof text, "%g", y);
    list->AddText(ImVec2(p.x - ImGui::CalcTextSize(text).x - 4, p.y - 7), kInk, text);
  }
}

void Legend(ImDrawList* list, const Frame& f, const std::vector<PlotSeries>& series) {
  constexpr float kSwatch = 14, kRow = 16, kPad = 4;  // px
  float widest = 0;
  for (const PlotSeries& s : series) widest = std::max(widest, ImGui::CalcTextSize(s.Name.c_str()).x);
  if (series.size() < 2 && (series.empty() || series[0].Name.empty())) return;
  const ImVec2 corner(f.Origin.x + f.W - widest - kSwatch - 3 * kPad, f.Origin.y + kPad);
  list->AddRectFilled(corner, ImVec2(corner.x + widest + kSwatch + 2 * kPad, corner.y + kRow * series.size() + kPad),
                      IM_COL32(255, 255, 255, 220));
  for (size_t i = 0; i < series.size(); ++i) {
    const float y = corner.y + kPad / 2 + kRow * i + kRow / 2;
    list->AddLine(ImVec2(corner.x + kPad, y), ImVec2(corner.x + kPad + kSwatch, y), series[i].Colour, 2.5f);
    list->AddText(ImVec2(corner.x + 2 * kPad + kSwatch, y - 7), kInk, series[i].Name.c_str());
  }
}

void HoverReadout(const Frame& f, const PlotAxes& axes, const std::vector<PlotSeries>& series) {
  if (!ImGui::IsItemHovered()) return;
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  float bestDistance = kHoverRadius * kHoverRadius;
  const PlotSeries* bestSeries = nullptr;
  size_t bestIndex = 0;
  for (const PlotSeries& s : series) {
    for (size_t i = 0; i < s.X.size() && i < s.Y.size(); ++i) {
      if (!std::isfinite(s.X[i]) || !std::isfinite(s.Y[i])) continue;
      const ImVec2 p = f.At(s.X[i], s.Y[i]);
      const float d = (p.x - mouse.x) * (p.x - mouse.x) + (p.y - mouse.y) * (p.y - mouse.y);
      if (d < bestDistance) {
        bestDistance = d;
        bestSeries = &s;
        bestIndex = i;
      }
    }
  }
  if (!bestSeries) return;
  ImGui::GetWindowDrawList()->AddCircle(f.At(bestSeries->X[bestIndex], bestSeries->Y[bestIndex]), 5, kInk);
  ImGui::SetTooltip("%s\n%s: %.4g %s\n%s: %.4g %s", bestSeries->Name.c_str(), axes.XName.c_str(),
                    bestSeries->X[bestIndex], axes.XUnit.c_str(), axes.YName.c_str(), bestSeries->Y[bestIndex],
                    axes.YUnit.c_str());
}

}  // namespace

unsigned SeriesColour(int index) {
  static const unsigned kColours[] = {IM_COL32(66, 120, 210, 255), IM_COL32(220, 90, 40, 255),
                                      IM_COL32(60, 160, 80, 255), IM_COL32(150, 80, 190, 255)};
  return kColours[static_cast<unsigned>(index) % 4];
}

void DrawLinePlot(const PlotAxes& axes, const std::vector<PlotSeries>& series, const std::vector<PlotMark>& marks,
                  float width, float height) {
  const PlotScale scale = FitScale(series);
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  DrawScaledPlot(axes, series, marks, scale, width, height);
  if (!scale.Drawable()) {
    constexpr float kTextInset = 6;  // px
    ImGui::GetWindowDrawList()->AddText(ImVec2(corner.x + kLeftMargin + kTextInset, corner.y + kTopMargin + kTextInset),
                                        kInk,
                                        platform::TranslatedUtf8(N_("値の範囲が大きすぎるか細かすぎて描けません。")));
  }
}

void DrawScaledPlot(const PlotAxes& axes, const std::vector<PlotSeries>& series, const std::vector<PlotMark>& marks,
                    const PlotScale& scale, float width, float height) {
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  ImGui::InvisibleButton("##plot", ImVec2(width, height));
  ImDrawList* list = ImGui::GetWindowDrawList();
  const Frame f{ImVec2(corner.x + kLeftMargin, corner.y + kTopMargin), width - kLeftMargin - kRightMargin,
                height - kTopMargin - kBottomMargin, scale.Range()};
  list->AddRectFilled(f.Origin, ImVec2(f.Origin.x + f.W, f.Origin.y + f.H), IM_COL32(255, 255, 255, 255));
  if (!scale.Drawable()) {
    list->AddRect(f.Origin, ImVec2(f.Origin.x + f.W, f.Origin.y + f.H), kInk);
    return;
  }
  Ticks(list, f, scale);
  list->PushClipRect(f.Origin, ImVec2(f.Origin.x + f.W, f.Origin.y + f.H), true);
  for (const PlotSeries& s : series) {
    std::vector<ImVec2> points;
    const size_t count = std::min(s.X.size(), s.Y.size());
    for (size_t i = 0; i < count; ++i) {
      if (!std::isfinite(s.X[i]) || !std::isfinite(s.Y[i])) continue;
      const ImVec2 p = f.At(s.X[i], s.Y[i]);
      // A long flight has many points per pixel: those add vertices, not detail.
      const bool last = i + 1 == count;
      if (!last && !points.empty() && std::fabs(p.x - points.back().x) < kMinPointSpacing &&
          std::fabs(p.y - points.back().y) < kMinPointSpacing)
        continue;
      points.push_back(p);
    }
    if (points.size() >= 2) list->AddPolyline(points.data(), static_cast<int>(points.size()), s.Colour, 0, 1.5f);
    if (s.Markers) {
      for (const ImVec2& p : points) list->AddCircleFilled(p, 2.5f, s.Colour);
    }
  }
  constexpr float kMarkLabelRow = 16;  // px: labels of marks that fall together stack
  for (size_t i = 0; i < marks.size(); ++i) {
    const ImVec2 p = f.At(marks[i].X, marks[i].Y);
    list->AddCircle(p, 6, kMarkColour, 0, 2);
    list->AddText(ImVec2(p.x + 8, p.y - kMarkLabelRow * (i + 1)), kMarkColour, marks[i].Label.c_str());
  }
  list->PopClipRect();
  list->AddRect(f.Origin, ImVec2(f.Origin.x + f.W, f.Origin.y + f.H), kInk);
  const std::string xTitle = AxisTitle(axes.XName, axes.XUnit), yTitle = AxisTitle(axes.YName, axes.YUnit);
  list->AddText(ImVec2(f.Origin.x + f.W - ImGui::CalcTextSize(xTitle.c_str()).x, f.Origin.y + f.H + 16), kInk,
                xTitle.c_str());
  list->AddText(ImVec2(f.Origin.x + 4, f.Origin.y + 2), kInk, yTitle.c_str());
  Legend(list, f, series);
  HoverReadout(f, axes, series);
}

}  // namespace config
