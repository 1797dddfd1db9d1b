#pragma once

#include <QDateTime>
#include <functional>

#include "settings/model/PreviewInputs.h"

namespace kwemo {

class DrawSurface;
struct FaceState;

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
