// Draws KWEMO's own icons: a small clock face at 10:10, as kwemo-<size>.png for every size the
// desktop asks for (launchers, the notification area at any scale, the about box's 32 x 32).
// Usage: kwemo-icons <output folder>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cstdio>

namespace {

QPointF onDial(QPointF centre, double radius, double degreesFromTwelve) {
  const double a = qDegreesToRadians(degreesFromTwelve - 90.0);
  return centre + QPointF(radius * qCos(a), radius * qSin(a));
}

QImage drawClock(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const QPointF c(s / 2.0, s / 2.0);
  const bool small = size < 24;
  // Strokes grow with the icon beyond 32 px, so large icons are not drawn with hairlines.
  const double u = size > 32 ? s / 32.0 : 1.0;
  const double r = s / 2.0 - 0.75 * u;

  // Rim and face.
  QRadialGradient face(c * 0.85, r * 1.2);
  face.setColorAt(0.0, QColor(255, 255, 255));
  face.setColorAt(1.0, QColor(214, 226, 240));
  p.setPen(QPen(QColor(36, 52, 92), (small ? 1.2 : 1.6) * u));
  p.setBrush(face);
  p.drawEllipse(c, r, r);

  // Hour marks: dots on the small icon, short strokes on the large one.
  p.setPen(QPen(QColor(36, 52, 92), (small ? 1.0 : 1.4) * u, Qt::SolidLine, Qt::RoundCap));
  for (int h = 0; h < 12; ++h) {
    if (small && h % 3 != 0) continue;
    const double outer = r - (small ? 1.6 : 2.2 * u);
    const double inner = outer - ((h % 3 == 0) ? (small ? 1.2 : 3.0 * u) : 1.6 * u);
    p.drawLine(onDial(c, inner, h * 30.0), onDial(c, outer, h * 30.0));
  }
  // Minute dots where there is room for them.
  if (size >= 64) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 52, 92));
    for (int m = 0; m < 60; ++m)
      if (m % 5 != 0) p.drawEllipse(onDial(c, r - 2.6 * u, m * 6.0), 0.35 * u, 0.35 * u);
  }

  // Hands at 10:10 with a red second hand.
  p.setPen(QPen(QColor(20, 20, 24), (small ? 1.6 : 2.2) * u, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, onDial(c, r * (small ? 0.58 : 0.50), 10 * 30.0 + 5.0));
  p.setPen(QPen(QColor(20, 20, 24), (small ? 1.2 : 1.6) * u, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, onDial(c, r * (small ? 0.85 : 0.78), 10 * 6.0));
  if (!small) {
    p.setPen(QPen(QColor(220, 30, 30), 1.0 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onDial(c, -r * 0.18, 200.0), onDial(c, r * 0.85, 200.0));
  }
  if (!small) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(c, 1.5 * u, 1.5 * u);
  }
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kwemo-icons <output folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString path = out.filePath(QStringLiteral("kwemo-%1.png").arg(size));
    if (!drawClock(size).save(path, "PNG")) {
      std::fprintf(stderr, "kwemo-icons: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
