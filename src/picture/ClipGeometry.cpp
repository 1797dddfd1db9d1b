#include "picture/ClipGeometry.h"

#include <algorithm>
#include <cmath>

namespace kwemo {

namespace {

bool allFinite(const QPolygonF& points) {
  return std::all_of(points.begin(), points.end(),
                     [](const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); });
}

// One Sutherland-Hodgman pass: keeps what lies on the inner side of one edge of the bounds.
template <typename Inside, typename Cross>
QPolygonF clipOnce(const QPolygonF& in, Inside inside, Cross cross) {
  QPolygonF out;
  out.reserve(in.size() + 4);
  for (qsizetype i = 0; i < in.size(); ++i) {
    const QPointF a = in[i], b = in[(i + 1) % in.size()];
    const bool aInside = inside(a);
    if (aInside) out.append(a);
    if (aInside != inside(b)) out.append(cross(a, b));
  }
  return out;
}

QPointF atX(QPointF a, QPointF b, double x) {
  return QPointF(x, a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y()));
}
QPointF atY(QPointF a, QPointF b, double y) {
  return QPointF(a.x() + (y - a.y()) / (b.y() - a.y()) * (b.x() - a.x()), y);
}

}  // namespace

QPolygonF ClipPolygon(const QPolygonF& polygon, const QRectF& bounds) {
  if (!allFinite(polygon)) return {};
  const double l = bounds.left(), r = bounds.right(), t = bounds.top(), b = bounds.bottom();
  QPolygonF out = polygon;
  out = clipOnce(
      out, [&](QPointF p) { return p.x() >= l; },
      [&](QPointF p, QPointF q) { return atX(p, q, l); });
  out = clipOnce(
      out, [&](QPointF p) { return p.x() <= r; },
      [&](QPointF p, QPointF q) { return atX(p, q, r); });
  out = clipOnce(
      out, [&](QPointF p) { return p.y() >= t; },
      [&](QPointF p, QPointF q) { return atY(p, q, t); });
  out = clipOnce(
      out, [&](QPointF p) { return p.y() <= b; },
      [&](QPointF p, QPointF q) { return atY(p, q, b); });
  return out;
}

std::vector<QPolygonF> ClipPolyline(const QPolygonF& line, const QRectF& bounds) {
  std::vector<QPolygonF> runs;
  if (!allFinite(line)) return runs;
  QPolygonF run;
  const auto flush = [&] {
    if (run.size() >= 2) runs.push_back(run);
    run.clear();
  };
  for (qsizetype i = 1; i < line.size(); ++i) {
    const QPointF a = line[i - 1], d = line[i] - a;
    // Liang-Barsky: the segment's parameter range inside each of the four edges.
    double t0 = 0, t1 = 1;
    const double p[] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[] = {a.x() - bounds.left(), bounds.right() - a.x(), a.y() - bounds.top(),
                        bounds.bottom() - a.y()};
    bool outside = false;
    for (int k = 0; k < 4 && !outside; ++k) {
      if (p[k] == 0) {
        outside = q[k] < 0;
      } else if (p[k] < 0) {
        t0 = std::max(t0, q[k] / p[k]);
      } else {
        t1 = std::min(t1, q[k] / p[k]);
      }
      outside = outside || t0 > t1;
    }
    if (outside) {
      flush();
      continue;
    }
    if (t0 > 0 || run.isEmpty()) {
      flush();
      run.append(a + t0 * d);
    }
    run.append(a + t1 * d);
    if (t1 < 1) flush();
  }
  flush();
  return runs;
}

}  // namespace kwemo
