#pragma once

#include <cstdint>

namespace kwemo {

// Face geometry kept by the clock window's resize step: the centre, which is at once the
// horizontal and vertical radius of the face, the radius of the smaller side and the size in
// which the background picture is painted.
struct FaceGeometry {
  std::int32_t CenterX = 0;
  std::int32_t CenterY = 0;
  std::int32_t FaceRadius = 0;
  std::int32_t BackPicWidth = 0;
  std::int32_t BackPicHeight = 0;

  bool operator==(const FaceGeometry&) const = default;
};

// Geometry of a surface SW x SH pixels wide and high (halves rounded to even).
FaceGeometry ComputeFaceGeometry(float SW, float SH);

// The face values shared by the clock window, the renderer, the settings dialog and its preview.
// One instance lives as long as the clock window; nothing else holds these.
struct FaceState {
  FaceGeometry Geometry;
  // Radians of the hands last drawn; SecondAngle also decides whether a tick draws at all.
  float HourAngle = 0;
  float MinuteAngle = 0;
  float SecondAngle = 0;
  // The next tick applies the settings to the surface (start-up, settings applied).
  bool NeedPrepare = false;
};

}  // namespace kwemo
