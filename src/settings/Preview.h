#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "oldruntime/Rgb.h"

namespace kwemo {

class DrawSurface;
struct FaceState;
struct Picture;

// What the settings preview reads from the dialog's controls on one tick. A value that the
// control does not give (no selection, text that is no number) is empty, and the step that needs
// it is skipped.
struct PreviewInputs {
  int drawMode = 0;  // list index + 1; 0 without a selection (refused by the surface)
  Rgb backColor = 0;
  Rgb circleColor = 0;
  Rgb mojiColor = 0;
  std::array<Rgb, 3> handColor{};                     // hour, minute, second
  std::array<std::optional<int>, 3> handWidth{};      // pixels
  std::optional<int> markWidth;                       // pixels
  std::array<std::optional<double>, 3> handLength{};  // percent of the half-axes
  std::optional<float> fontSize;                      // points
  QString fontName;
  bool fontBold = false;
  bool fontItalic = false;
  double textTop = 0;  // percent of the height
  QString format;
  bool tickMarks = true;  // "目盛を表示しない" not checked
  bool minuteDots = false;
  bool digitalText = false;
  bool fanHands = false;
  bool secondHand = true;  // "秒針非表示" not checked
  const Picture* picture = nullptr;
};

// Draws the settings preview: the face as the inputs would make it, filling the whole surface
// (the face is the ellipse through the surface's edges whatever the clock's size), and stores the
// hand angles into the shared face state. `now` is read once for the hands and once more for the
// digital text, as the clock does.
//
// Where it differs from the clock's renderer: every value comes from the inputs; there is no
// visibility, preparation or unchanged-second test; the picture is stretched over the whole
// surface; the minute dots take the surface's current text colour; the centre ring is a circle
// of 0.3 x the horizontal half-axis; a fan has twenty lines (steps of 0.1 degree); degrees turn
// into radians in double precision; the font is set on every tick; and every step is guarded by
// itself, so a missing value skips only its own step.
void DrawPreview(DrawSurface& surface, FaceState& face, const PreviewInputs& in,
                 const std::function<QDateTime()>& now);

}  // namespace kwemo
