// Draws KWEMO's own icons: a small clock face at 10:10, 32 x 32 for the program and the about
// box, 16 x 16 for the notification area. Usage: kwemo-icons <output folder>
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
  const double r = s / 2.0 - 0.75;
  const bool small = size < 24;

  // Rim and face.
  QRadialGradient face(c * 0.85, r * 1.2);
  face.setColorAt(0.0, QColor(255, 255, 255));
  face.setColorAt(1.0, QColor(214, 226, 240));
  p.setPen(QPen(QColor(36, 52, 92), small ? 1.2 : 1.6));
  p.setBrush(face);
  p.drawEllipse(c, r, r);

  // Hour marks: dots on the small icon, short strokes on the large one.
  p.setPen(QPen(QColor(36, 52, 92), small ? 1.0 : 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int h = 0; h < 12; ++h) {
    if (small && h % 3 != 0) continue;
    const double outer = r - (small ? 1.6 : 2.2);
    const double inner = outer - ((h % 3 == 0) ? (small ? 1.2 : 3.0) : 1.6);
    p.drawLine(onDial(c, inner, h * 30.0), onDial(c, outer, h * 30.0));
  }

  // Hands at 10:10 with a red second hand.
  p.setPen(QPen(QColor(20, 20, 24), small ? 1.6 : 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, onDial(c, r * (small ? 0.58 : 0.50), 10 * 30.0 + 5.0));
  p.setPen(QPen(QColor(20, 20, 24), small ? 1.2 : 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, onDial(c, r * (small ? 0.85 : 0.78), 10 * 6.0));
  if (!small) {
    p.setPen(QPen(QColor(220, 30, 30), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onDial(c, -r * 0.18, 200.0), onDial(c, r * 0.85, 200.0));
  }
  if (!small) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(c, 1.5, 1.5);
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
  for (int size : {32, 16}) {
    const QString path = out.filePath(QStringLiteral("kwemo-%1.png").arg(size));
    if (!drawClock(size).save(path, "PNG")) {
      std::fprintf(stderr, "kwemo-icons: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
