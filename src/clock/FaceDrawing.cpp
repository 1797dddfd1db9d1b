#include "clock/FaceDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "surface/DrawSurface.h"

namespace kwemo {

namespace {

// The old runtime's conversion to a 16-bit integer: halves to even, nothing outside the range.
std::optional<int> toInt16(double v) {
  if (!(v >= -32768.5 && v <= 32767.5)) return std::nullopt;
  const double r = std::nearbyint(v);
  if (r < -32768 || r > 32767) return std::nullopt;
  return static_cast<int>(r);
}

}  // namespace

double HourDegrees(float h, float m, float s) {
  return static_cast<double>(h) * 30 + static_cast<double>(m) * 0.5 +
         static_cast<double>(s) * 0.008333 - 90;
}

double MinuteDegrees(float m, float s) {
  return static_cast<double>(m) * 6 + static_cast<double>(s) * 0.1 - 90;
}

double SecondDegrees(float s) { return static_cast<double>(s) * 6 - 90; }

std::vector<float> FanOffsets(float step) {
  std::vector<float> offsets;
  if (!(step > 0.0f)) return offsets;
  for (float k = -1.0f; k <= 1.0f; k += step) offsets.push_back(k);
  return offsets;
}

FacePoint MarkPoint(double cx, double cy, double angle) {
  return {cx + cx * std::cos(angle) * kMarkRing, cy + cy * std::sin(angle) * kMarkRing};
}

FacePoint HandTip(double cx, double cy, double angle, double lengthPercent) {
  return {cx + cx * std::cos(angle) * lengthPercent / 100,
          cy + cy * std::sin(angle) * lengthPercent / 100};
}

void DrawMinuteDots(DrawSurface& surface, double cx, double cy, double rad,
                    std::optional<Rgb> color) {
  for (int a = -90; a <= 264; a += 6) {
    if (a % 30 == 0) continue;
    const FacePoint p = MarkPoint(cx, cy, a * rad);
    surface.PSet(static_cast<float>(p.x), static_cast<float>(p.y), color);
  }
}

void DrawHourMarks(DrawSurface& surface, double cx, double cy, double rad, Rgb color) {
  const auto radius = static_cast<float>(cx * 0.02 + 1);
  for (int a = -90; a <= 240; a += 30) {
    const FacePoint p = MarkPoint(cx, cy, a * rad);
    surface.Circle(static_cast<float>(p.x), static_cast<float>(p.y), radius, color);
  }
}

void DrawHand(DrawSurface& surface, double cx, double cy, float angle, double lengthPercent,
              Rgb color) {
  // A hand far longer than the window ends where it has surely left it: beyond that nothing
  // shows, and the painter drops lines whose ends lie too far out (or overflow to infinity).
  const double reach = std::fabs(cx) + std::fabs(cy) + surface.ScaleWidth() +
                       surface.ScaleHeight() + surface.DrawWidth();
  double longest = std::numeric_limits<double>::infinity();
  for (const double step : {cx * std::cos(angle) / 100, cy * std::sin(angle) / 100})
    if (step != 0) longest = std::min(longest, reach / std::fabs(step));
  const double length = std::clamp(lengthPercent, -longest, longest);
  const FacePoint tip = HandTip(cx, cy, angle, length);
  surface.Line(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(tip.x),
               static_cast<float>(tip.y), color);
}

void DrawDigitalText(DrawSurface& surface, const QString& text, Rgb color, double textTop) {
  // A measurement that does not fit 16 bits fails and leaves its value at 0.
  const int w = toInt16(surface.TextWidth(text)).value_or(0);
  const int h = toInt16(surface.TextHeight(text)).value_or(0);
  surface.setForeColor(color);
  surface.setCurrentX(static_cast<float>((surface.ScaleWidth() - w) / 2.0));
  surface.setCurrentY(static_cast<float>(surface.ScaleHeight() * textTop / 100 - h / 2.0));
  surface.Print(text);
}

}  // namespace kwemo
