#include "clockwindow/frmLoading.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <cmath>

#include "desktop/SetTopMost.h"
#include "oldruntime/Rounding.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

Rgb toRgb(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace

frmLoading::frmLoading(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      view_(new SurfaceView(surface_, this)) {
  setWindowTitle(QStringLiteral("Loading KWEMO"));
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void frmLoading::Form_Load() {
  const QString message = QString::fromLatin1(kMessage);
  // The active title bar's colours: the platform's active selection is their counterpart here.
  const QPalette palette = QGuiApplication::palette();
  surface_.setFontName(QStringLiteral("Arial Black"));
  surface_.setFontSize(12);
  surface_.setBackColor(toRgb(palette.color(QPalette::Active, QPalette::Highlight)));
  surface_.setForeColor(toRgb(palette.color(QPalette::Active, QPalette::HighlightedText)));

  const float textWidth = surface_.TextWidth(message);
  const float textHeight = surface_.TextHeight(message);
  const QSize size(toInt32Clamped(textWidth + 15), toInt32Clamped(textHeight + 15));
  setFixedSize(size);
  view_->setGeometry(rect());
  surface_.resize(size.width(), size.height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect box(QPoint(), size);
    box.moveCenter(screen->availableGeometry().center());
    move(box.topLeft());
  }

  surface_.Cls();
  surface_.setCurrentX((surface_.ScaleWidth() - textWidth) / 2);
  surface_.setCurrentY((surface_.ScaleHeight() - textHeight) / 2);
  surface_.Print(message);

  SetTopMost(*this, true);
  show();
  surface_.Refresh();
  view_->presentNow();
}

}  // namespace kwemo
