#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "oldruntime/Rgb.h"

namespace kwemo {

class DrawSurface;

// Pieces of the face drawing shared by the clock's renderer and the settings preview. Angles are
// degrees from the positive x axis towards positive y (clockwise on screen, -90 is 12 o'clock);
// the face is the ellipse with half-axes cx, cy around (cx, cy).

// Degrees-to-radians as the clock keeps it: the double quotient rounded to single precision.
inline constexpr float kSingleRad = static_cast<float>(3.14159265358979 / 180.0);
// The preview's factor, left in double precision.
inline constexpr double kDoubleRad = 3.14159265358979 / 180.0;
// The marks and dots lie on this fraction of the half-axes.
inline constexpr double kMarkRing = 0.92;

// Hand angles in degrees for hour h (0-23), minute m and second s, each a single.
double HourDegrees(float h, float m, float s);  // h*30 + m*0.5 + s*0.008333 - 90
double MinuteDegrees(float m, float s);         // m*6 + s*0.1 - 90
double SecondDegrees(float s);                  // s*6 - 90

// Fan offsets in degrees: a single-precision count from -1 while <= 1 by step (0.4: six lines,
// 0.1: twenty lines).
std::vector<float> FanOffsets(float step);

struct FacePoint {
  double x = 0;
  double y = 0;
};
// Where the mark at angle (radians) sits: on the ring at 0.92 of the half-axes.
FacePoint MarkPoint(double cx, double cy, double angle);
// The tip of a hand at angle (radians), lengthPercent of the half-axes long.
FacePoint HandTip(double cx, double cy, double angle, double lengthPercent);

// 48 minute dots at every 6 degrees but the hour positions; no colour = the surface's ForeColor.
void DrawMinuteDots(DrawSurface& surface, double cx, double cy, double rad,
                    std::optional<Rgb> color);
// 12 hour-mark circles of radius cx * 0.02 + 1.
void DrawHourMarks(DrawSurface& surface, double cx, double cy, double rad, Rgb color);
// A hand from (cx, cy) to the point at angle (radians) and lengthPercent of the half-axes.
void DrawHand(DrawSurface& surface, double cx, double cy, float angle, double lengthPercent,
              Rgb color);
// One line of text centred horizontally, its vertical centre at textTop percent of the height.
void DrawDigitalText(DrawSurface& surface, const QString& text, Rgb color, double textTop);

}  // namespace kwemo
