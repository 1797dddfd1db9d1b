#pragma once

// Shapes cut down to a rectangle before they are drawn: the rasterizer's time grows with a shape's
// size, not with how much of it shows.

#include <QPolygonF>
#include <QRectF>
#include <vector>

namespace kwemo {

// The part of a filled polygon (closed, any fill rule) inside 'bounds'; the cut edges run along
// the bounds. Empty when nothing is inside or a point is not finite.
QPolygonF ClipPolygon(const QPolygonF& polygon, const QRectF& bounds);

// The parts of an open polyline inside 'bounds', each a run of at least two points.
std::vector<QPolygonF> ClipPolyline(const QPolygonF& line, const QRectF& bounds);

}  // namespace kwemo
