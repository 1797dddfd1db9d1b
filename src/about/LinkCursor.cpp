#include "about/LinkCursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kwemo {

namespace {

// A hand with the index finger up; its tip is the hot spot. Made of rounded bars so that the
// outline stays one clean path at this size.
QPainterPath handOutline() {
  QPainterPath hand;
  hand.setFillRule(Qt::WindingFill);
  hand.addRoundedRect(QRectF(10, 1, 5, 16), 2.5, 2.5);  // index finger
  hand.addRoundedRect(QRectF(14, 9, 5, 10), 2.5, 2.5);  // middle finger
  hand.addRoundedRect(QRectF(18, 10, 5, 9), 2.5, 2.5);  // ring finger
  hand.addRoundedRect(QRectF(22, 11, 5, 9), 2.5, 2.5);  // little finger
  hand.addRoundedRect(QRectF(10, 14, 17, 13), 4, 4);    // palm
  hand.addRoundedRect(QRectF(3, 15, 10, 5), 2.5, 2.5);  // thumb
  hand.addRect(QRectF(12, 26, 13, 5));                  // wrist
  return hand.simplified();
}

}  // namespace

QCursor linkCursor() {
  QPixmap image(32, 32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(handOutline());
    // The gaps between the folded fingers.
    p.drawLine(14, 10, 14, 15);
    p.drawLine(18, 11, 18, 15);
    p.drawLine(22, 12, 22, 15);
  }
  return QCursor(image, kLinkCursorHotSpot.x(), kLinkCursorHotSpot.y());
}

}  // namespace kwemo
