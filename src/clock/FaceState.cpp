#include "clock/FaceState.h"

#include "oldruntime/Rounding.h"

namespace kwemo {

FaceGeometry ComputeFaceGeometry(float SW, float SH) {
  FaceGeometry g;
  g.BackPicWidth = toInt32Clamped(SW);
  g.BackPicHeight = toInt32Clamped(SH);
  g.CenterX = toInt32Clamped(SW / 2.0f);
  g.CenterY = toInt32Clamped(SH / 2.0f);
  const float m = SH > SW ? SW : SH;
  g.FaceRadius = toInt32Clamped(m / 2.0f);
  return g;
}

}  // namespace kwemo
