#include "wing_drawing.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/text/language.h"

namespace config {
namespace {

constexpr float kPad = 14.0f;              // px around a drawing
constexpr float kMaxTopViewHeight = 250;   // px; long designs shrink to fit
constexpr float kMinFrontViewHeight = 60;  // px
constexpr ImU32 kInk = IM_COL32(40, 40, 40, 255);
constexpr ImU32 kFaint = IM_COL32(150, 150, 150, 255);
constexpr ImU32 kBackground = IM_COL32(255, 255, 255, 255);
constexpr ImU32 kWater = IM_COL32(70, 130, 200, 255);
constexpr ImU32 kAlarm = IM_COL32(200, 30, 30, 255);

bool Finite(double v) { return std::isfinite(v); }

// A round step for axis ticks, about a fifth of the range.
double TickStep(double range) {
  if (!(range > 0) || !Finite(range)) return 1;
  const double raw = range / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10 * power;
}

void Label(ImDrawList* list, ImVec2 at, ImU32 colour, const char* text) { list->AddText(at, colour, text); }

// A label whose right end is `gap` pixels left of `rightOf`, however long its text.
void LabelLeftOf(ImDrawList* list, ImVec2 rightOf, float gap, ImU32 colour, const char* text) {
  Label(list, ImVec2(rightOf.x - gap - ImGui::CalcTextSize(text).x, rightOf.y), colour, text);
}

// Reserves a drawing area at the cursor and paints its background.
ImVec2 BeginArea(float width, float height) {
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  ImGui::Dummy(ImVec2(width, height));
  ImDrawList* list = ImGui::GetWindowDrawList();
  list->AddRectFilled(origin, ImVec2(origin.x + width, origin.y + height), kBackground);
  list->AddRect(origin, ImVec2(origin.x + width, origin.y + height), kFaint);
  return origin;
}

// Axes of a plot with ticks; returns the mapping from values to pixels.
struct PlotFrame {
  ImVec2 Origin;          // px, top-left of the plotting area
  float Width, Height;    // px
  double X0, X1, Y0, Y1;  // value ranges
  ImVec2 At(double x, double y) const {
    return ImVec2(Origin.x + static_cast<float>((x - X0) / (X1 - X0)) * Width,
                  Origin.y + Height - static_cast<float>((y - Y0) / (Y1 - Y0)) * Height);
  }
};

PlotFrame DrawAxes(float width, float height, double x0, double x1, double y0, double y1, const char* xName,
                   const char* yName) {
  constexpr float kLeft = 48, kBottom = 22, kTop = 18, kRight = 12;  // px for the scales
  const ImVec2 area = BeginArea(width, height);
  PlotFrame f{ImVec2(area.x + kLeft, area.y + kTop), width - kLeft - kRight, height - kTop - kBottom, x0, x1, y0, y1};
  ImDrawList* list = ImGui::GetWindowDrawList();
  char text[32];
  const double xStep = TickStep(x1 - x0), yStep = TickStep(y1 - y0);
  for (double x = std::ceil(x0 / xStep) * xStep; x <= x1 + 1e-9; x += xStep) {
    const ImVec2 p = f.At(x, y0);
    list->AddLine(ImVec2(p.x, f.Origin.y), p, IM_COL32(225, 225, 225, 255));
    std::snprintf(text, sizeof text, "%g", x);
    Label(list, ImVec2(p.x - 8, p.y + 3), kInk, text);
  }
  for (double y = std::ceil(y0 / yStep) * yStep; y <= y1 + 1e-9; y += yStep) {
    const ImVec2 p = f.At(x0, y);
    list->AddLine(p, ImVec2(f.Origin.x + f.Width, p.y), IM_COL32(225, 225, 225, 255));
    std::snprintf(text, sizeof text, "%g", y);
    Label(list, ImVec2(area.x + 4, p.y - 7), kInk, text);
  }
  list->AddRect(f.Origin, ImVec2(f.Origin.x + f.Width, f.Origin.y + f.Height), kInk);
  Label(list, ImVec2(area.x + 4, area.y + 2), kInk, yName);
  Label(list, ImVec2(area.x + width - kRight - ImGui::CalcTextSize(xName).x, area.y + 2), kInk, xName);
  return f;
}

}  // namespace

unsigned SectionColour(int section, int alpha) {
  static const int kRgb[4][3] = {{66, 120, 210}, {60, 170, 90}, {230, 140, 40}, {150, 80, 190}};
  const int* c = kRgb[std::clamp(section, 0, 3)];
  return IM_COL32(c[0], c[1], c[2], alpha);
}

void DrawWingViews(const flight::AircraftSpec& spec, const GameFigures& figures, const WingShape& shape, float width,
                   float heightExaggeration) {
  // Extent of the drawing: the strips, the nominal span, the tail and the marks.
  const double acX = spec.WingAcRatio * spec.WingChord;
  const double tailLe = spec.TailPosition - 0.25 * spec.TailChord;  // the tail's aerodynamic centre at a quarter chord
  double halfExtent = std::max({shape.HalfSpan, spec.WingSpan / 2, spec.TailSpan / 2, 0.5});
  double xMin = std::min({0.0, spec.CgPosition, acX, tailLe}),
         xMax = std::max({shape.RootChord, spec.CgPosition, acX, tailLe + spec.TailChord});
  double zMin = 0, zMax = 0;
  for (const StripOutline& s : shape.Strips) {
    for (const PlanPoint& p : s.Plan) {
      xMin = std::min(xMin, p.X);
      xMax = std::max(xMax, p.X);
    }
    zMin = std::min(zMin, s.Outer.Z);
    zMax = std::max(zMax, s.Outer.Z);
  }
  bool pointsFinite = true;
  for (const StripOutline& s : shape.Strips) {
    for (const PlanPoint& p : s.Plan) pointsFinite = pointsFinite && Finite(p.X) && Finite(p.Y);
    pointsFinite = pointsFinite && Finite(s.Outer.Y) && Finite(s.Outer.Z);
  }
  if (!pointsFinite || !Finite(halfExtent) || !Finite(xMin) || !Finite(xMax) || !Finite(zMin) || !Finite(zMax) ||
      !Finite(shape.CenterHalfWidth) || !Finite(shape.RootChord) || !Finite(spec.WingSpan) || !Finite(spec.TailSpan) ||
      !Finite(spec.TailChord) || !Finite(tailLe) || !Finite(acX) || !Finite(spec.CgPosition) || halfExtent > 1e6 ||
      xMax - xMin > 1e6) {
    ImGui::TextColored(ImVec4(0.8f, 0.1f, 0.1f, 1), "%s",
                       platform::TranslatedUtf8(N_("図を描けません (数値でない値か、大きすぎる値があります)")));
    return;
  }
  halfExtent *= 1.04;
  xMin -= 0.3;
  xMax += 0.3;
  const double scale = std::min((width - 2 * kPad) / (2 * halfExtent), (kMaxTopViewHeight - 2 * kPad) / (xMax - xMin));
  const float topHeight = static_cast<float>((xMax - xMin) * scale) + 2 * kPad;

  ImDrawList* list = ImGui::GetWindowDrawList();
  // [Top view] x rearward is down the screen, the span across it.
  ImGui::TextUnformatted(platform::TranslatedUtf8(N_("上から見た図 (左右両翼、前が上)")));
  const ImVec2 top = BeginArea(width, topHeight);
  const float centreX = top.x + width / 2;
  auto plan = [&](double x, double y) {
    return ImVec2(centreX + static_cast<float>(y * scale), top.y + kPad + static_cast<float>((x - xMin) * scale));
  };
  // Nominal span (WingSpan) for comparison with what the strips make.
  for (double side : {-1.0, 1.0}) {
    const ImVec2 a = plan(xMin, side * spec.WingSpan / 2), b = plan(xMax, side * spec.WingSpan / 2);
    list->AddLine(a, b, IM_COL32(200, 200, 200, 255), 1.0f);
  }
  constexpr float kSpanLabelGap = 6;  // px left of the span's line
  LabelLeftOf(list, ImVec2(plan(xMax, spec.WingSpan / 2).x, top.y + topHeight - 18), kSpanLabelGap, kFaint,
              platform::TranslatedUtf8(N_("翼幅 (諸元)")));
  // Boom from the wing to the tail.
  list->AddLine(plan(0, 0), plan(tailLe + spec.TailChord, 0), kInk, 2.0f);
  // Centre part, drawn with the first strip's chord.
  list->AddRectFilled(plan(0, -shape.CenterHalfWidth), plan(shape.RootChord, shape.CenterHalfWidth),
                      IM_COL32(200, 200, 200, 255));
  for (const StripOutline& s : shape.Strips) {
    for (double side : {-1.0, 1.0}) {
      ImVec2 quad[4];
      for (int k = 0; k < 4; ++k) quad[k] = plan(s.Plan[k].X, side * s.Plan[k].Y);
      list->AddConvexPolyFilled(quad, 4, SectionColour(s.Section, 150));
      list->AddPolyline(quad, 4, SectionColour(s.Section), ImDrawFlags_Closed, 1.0f);
    }
  }
  // Section names at the middle of each section's leading edge on the right half; a
  // name that would run into the one before it goes under the trailing edge instead.
  float takenUntilX = -1e9f;  // px, right end of the last name above the wing
  for (int i = 0; i < kSectionCount; ++i) {
    const StripOutline* first = nullptr;
    const StripOutline* last = nullptr;
    for (const StripOutline& s : shape.Strips) {
      if (s.Section != i) continue;
      if (!first) first = &s;
      last = &s;
    }
    if (!first) continue;
    const double midY = (first->Plan[0].Y + last->Plan[1].Y) / 2;
    const ImVec2 at = plan(first->Plan[0].X, midY);
    char text[16];
    std::snprintf(text, sizeof text, platform::TranslatedUtf8(N_("区間%d")), i + 1);
    const ImVec2 size = ImGui::CalcTextSize(text);
    constexpr float kEdgeGap = 2;  // px, a name at the tip stays inside the drawing
    const float left = std::min(at.x - size.x / 2, top.x + width - size.x - kEdgeGap);
    constexpr float kNameGap = 4;  // px between two names
    if (left >= takenUntilX + kNameGap) {
      Label(list, ImVec2(left, std::max(at.y - size.y - 1, top.y + 1)), SectionColour(i), text);
      takenUntilX = left + size.x;
    } else {
      double trailingX = 0;
      for (const PlanPoint& p : first->Plan) trailingX = std::max(trailingX, p.X);
      for (const PlanPoint& p : last->Plan) trailingX = std::max(trailingX, p.X);
      const ImVec2 under = plan(trailingX, midY);
      Label(list, ImVec2(left, std::min(under.y + 1, top.y + topHeight - size.y - 1)), SectionColour(i), text);
    }
  }
  if (figures.StripsNeeded > figures.StripCount) {
    const ImVec2 tip = plan(0, shape.HalfSpan);
    constexpr float kTipLabelGap = 20;  // px left of the tip
    LabelLeftOf(list, ImVec2(tip.x, tip.y + 40), kTipLabelGap, kAlarm,
                platform::TranslatedUtf8(N_("帯 30 本で打ち切り")));
  }
  // Tail.
  list->AddRectFilled(plan(tailLe, -spec.TailSpan / 2), plan(tailLe + spec.TailChord, spec.TailSpan / 2),
                      IM_COL32(120, 120, 120, 200));
  Label(list, ImVec2(plan(tailLe, spec.TailSpan / 2).x + 6, plan(tailLe, 0).y), kInk,
        platform::TranslatedUtf8(N_("尾翼")));
  // Centre of gravity and aerodynamic centre.
  const ImVec2 cg = plan(spec.CgPosition, 0);
  list->AddCircleFilled(cg, 4.5f, kAlarm);
  Label(list, ImVec2(cg.x + 8, cg.y - 2), kAlarm, platform::TranslatedUtf8(N_("重心")));
  const ImVec2 ac = plan(acX, 0);
  list->AddTriangleFilled(ImVec2(ac.x, ac.y - 5), ImVec2(ac.x - 5, ac.y + 4), ImVec2(ac.x + 5, ac.y + 4), kInk);
  constexpr float kCentreLabelGap = 8;  // px left of the triangle's middle
  LabelLeftOf(list, ImVec2(ac.x, ac.y - 2), kCentreLabelGap, kInk, platform::TranslatedUtf8(N_("空力中心")));

  // [Front view] heights up the screen, optionally stretched.
  ImGui::TextUnformatted(platform::TranslatedUtf8(heightExaggeration > 1
                                                      ? N_("前から見た図 (上反角、たわむ前、高さ方向を拡大)")
                                                      : N_("前から見た図 (上反角、たわむ前)")));
  const double vScale = scale * heightExaggeration;
  const float frontHeight = std::max(kMinFrontViewHeight, static_cast<float>((zMax - zMin) * vScale) + 2 * kPad);
  const ImVec2 front = BeginArea(width, frontHeight);
  const float baseY = front.y + frontHeight - kPad - static_cast<float>((0 - zMin) * vScale);
  auto side = [&](double y, double z) {
    return ImVec2(centreX + static_cast<float>(y * scale), baseY - static_cast<float>(z * vScale));
  };
  list->AddLine(ImVec2(front.x + 4, baseY), ImVec2(front.x + width - 4, baseY), IM_COL32(210, 210, 210, 255));
  list->AddLine(side(-shape.CenterHalfWidth, 0), side(shape.CenterHalfWidth, 0), IM_COL32(150, 150, 150, 255), 3.0f);
  for (const StripOutline& s : shape.Strips) {
    for (double mirror : {-1.0, 1.0}) {
      list->AddLine(side(mirror * s.Inner.Y, s.Inner.Z), side(mirror * s.Outer.Y, s.Outer.Z), SectionColour(s.Section),
                    3.0f);
    }
  }
  char tipText[64];
  std::snprintf(tipText, sizeof tipText, platform::TranslatedUtf8(N_("翼端の高さ %.3g m")), shape.TipHeight);
  Label(list, ImVec2(front.x + 6, front.y + 4), kInk, tipText);
}

void DrawFlightPlot(const float* x, const float* height, int count, float width, float plotHeight) {
  double xMax = 1, hMax = 1;
  for (int i = 0; i < count; ++i) {
    if (std::isfinite(x[i])) xMax = std::max(xMax, static_cast<double>(x[i]));
    if (std::isfinite(height[i])) hMax = std::max(hMax, static_cast<double>(height[i]));
  }
  const PlotFrame f = DrawAxes(width, plotHeight, 0, xMax * 1.02, 0, hMax * 1.1,
                               platform::TranslatedUtf8(N_("距離 [m]")), platform::TranslatedUtf8(N_("高度 [m]")));
  ImDrawList* list = ImGui::GetWindowDrawList();
  list->AddLine(f.At(0, 0), f.At(xMax * 1.02, 0), kWater, 2.0f);
  std::vector<ImVec2> line;
  line.reserve(count);
  for (int i = 0; i < count; ++i) {
    if (std::isfinite(x[i]) && std::isfinite(height[i])) line.push_back(f.At(x[i], height[i]));
  }
  if (line.size() >= 2) list->AddPolyline(line.data(), static_cast<int>(line.size()), kAlarm, ImDrawFlags_None, 1.5f);
}

void DrawSweepPlot(const SweepPlotPoint* points, int count, int best, float width, float plotHeight) {
  double t0 = 0, t1 = 1, dMax = 1;
  bool any = false;
  for (int i = 0; i < count; ++i) {
    t0 = any ? std::min(t0, static_cast<double>(points[i].Trim)) : points[i].Trim;
    t1 = any ? std::max(t1, static_cast<double>(points[i].Trim)) : points[i].Trim;
    any = true;
    if (points[i].Valid) dMax = std::max(dMax, static_cast<double>(points[i].Distance));
  }
  if (!(t1 > t0)) t1 = t0 + 1;
  const PlotFrame f =
      DrawAxes(width, plotHeight, t0, t1, 0, dMax * 1.1, platform::TranslatedUtf8(N_("尾翼取付角 [deg]")),
               platform::TranslatedUtf8(N_("距離 [m]")));
  ImDrawList* list = ImGui::GetWindowDrawList();
  std::vector<ImVec2> line;
  for (int i = 0; i < count; ++i) {
    if (!points[i].Valid) continue;
    const ImVec2 p = f.At(points[i].Trim, std::max(0.0f, points[i].Distance));
    line.push_back(p);
    list->AddCircleFilled(p, 2.5f, SectionColour(0));
  }
  if (line.size() >= 2)
    list->AddPolyline(line.data(), static_cast<int>(line.size()), SectionColour(0), ImDrawFlags_None, 1.5f);
  if (best >= 0 && best < count) list->AddCircle(f.At(points[best].Trim, points[best].Distance), 6.0f, kAlarm, 0, 2.0f);
}

}  // namespace config
