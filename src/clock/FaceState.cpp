#include "clock/FaceState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kwemo {

namespace {

// Halves to even; values beyond the 32-bit range (only a damaged size gives them) are clamped.
std::int32_t toInt32(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::nearbyint(v), lo, hi));
}

}  // namespace

FaceGeometry ComputeFaceGeometry(float SW, float SH) {
  FaceGeometry g;
  g.BackPicWidth = toInt32(SW);
  g.BackPicHeight = toInt32(SH);
  g.CenterX = toInt32(SW / 2.0f);
  g.CenterY = toInt32(SH / 2.0f);
  const float m = SH > SW ? SW : SH;
  g.FaceRadius = toInt32(m / 2.0f);
  return g;
}

}  // namespace kwemo
