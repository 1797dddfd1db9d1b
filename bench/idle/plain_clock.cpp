// The yardstick for bench/idle: the plainest Qt 6 analog clock one would write, a QTimer of
// 200 ms, three hands and twelve marks, antialiased, optionally over a picture stretched to the
// window. With --each-second the timer still fires every 200 ms but the clock draws only when the
// second has changed, and with --text it also writes a date line in a Japanese face, as kwemo's
// first-run face does: together, the least a Qt clock that does kwemo's job can cost. With
// --tick-only the timer fires and reads the time but nothing is drawn again: what a Qt program
// pays for the tick alone. With --splash a small window with one line of text is shown and
// painted first, then the clock, as kwemo starts.
// Usage: bench_plain_clock [--each-second | --tick-only] [--text] [--splash] [WxH] [picture]
#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <memory>

class PlainClock : public QWidget {
 public:
  enum class Redraw { EveryTick, EachSecond, Never };
  PlainClock(QString picture, Redraw redraw, bool text)
      : picturePath_(std::move(picture)), text_(text) {
    setWindowTitle(QStringLiteral("PlainClock"));
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, redraw] {
      const int second = QTime::currentTime().second();
      if (redraw == Redraw::EveryTick || (redraw == Redraw::EachSecond && second != drawnSecond_))
        update();
      drawnSecond_ = second;
    });
    timer->start(200);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!picturePath_.isEmpty()) {
      if (scaled_.size() != size()) scaled_ = QImage(picturePath_).scaled(size());
      p.drawImage(0, 0, scaled_);
    } else {
      p.fillRect(rect(), Qt::white);
    }
    const double cx = width() / 2.0, cy = height() / 2.0;
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < 12; ++i) {
      const double a = i * M_PI / 6;
      p.drawEllipse(QPointF(cx + cx * 0.92 * std::cos(a), cy + cy * 0.92 * std::sin(a)), 2.5, 2.5);
    }
    const QTime t = QTime::currentTime();
    const auto hand = [&](double degrees, double length, int width) {
      const double a = (degrees - 90) * M_PI / 180;
      p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(cx, cy),
                 QPointF(cx + cx * length * std::cos(a), cy + cy * length * std::sin(a)));
    };
    hand(t.hour() * 30 + t.minute() * 0.5, 0.6, 2);
    hand(t.minute() * 6 + t.second() * 0.1, 0.8, 2);
    hand(t.second() * 6, 0.95, 1);
    if (text_) {
      p.setFont(QFont(QStringLiteral("IPAPGothic"), 8));
      p.drawText(QRectF(0, cy * 1.4, width(), cy * 0.3), Qt::AlignCenter,
                 QDateTime::currentDateTime().toString(QStringLiteral("M/d h:mm")));
    }
  }

 private:
  QString picturePath_;
  bool text_ = false;
  QImage scaled_;
  int drawnSecond_ = -1;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList args = QApplication::arguments().mid(1);
  auto redraw = PlainClock::Redraw::EveryTick;
  if (args.removeAll(QStringLiteral("--each-second")) > 0) redraw = PlainClock::Redraw::EachSecond;
  if (args.removeAll(QStringLiteral("--tick-only")) > 0) redraw = PlainClock::Redraw::Never;
  const bool text = args.removeAll(QStringLiteral("--text")) > 0;
  const bool withSplash = args.removeAll(QStringLiteral("--splash")) > 0;
  QSize size(128, 128);
  if (!args.isEmpty()) {
    const QStringList wh = args.first().split(QLatin1Char('x'));
    if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
  }
  std::unique_ptr<QLabel> splash;
  if (withSplash) {
    splash = std::make_unique<QLabel>(QStringLiteral("Now loading..."), nullptr,
                                      Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setWindowTitle(QStringLiteral("PlainSplash"));
    splash->setFont(QFont(QStringLiteral("Liberation Sans"), 12, QFont::Black));
    splash->show();
    splash->repaint();
  }
  PlainClock clock(args.size() > 1 ? args[1] : QString(), redraw, text);
  clock.setWindowFlag(Qt::FramelessWindowHint);
  clock.resize(size);
  clock.show();
  if (splash) splash->close();
  return QApplication::exec();
}
