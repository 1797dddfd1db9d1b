// The about box: version texts, the credit roll's layout on its canvas, the banner animation's
// frames, the links and the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBitmap>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegion>
#include <QTest>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "Controls.h"
#include "Waits.h"
#include "about/LinkCursor.h"
#include "about/frmAbout.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using test::control;
using test::flushDeletes;

constexpr Rgb kCyan = RGB(0, 255, 255);
constexpr Rgb kRed = RGB(255, 0, 0);
constexpr int kBannerHeight = 70;

// Stands in for the desktop's handlers of web and mail links.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl> opened;
  Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
};

// A shown box, gone with the test whatever it did; the box deletes itself when closed.
struct Box {
  explicit Box(ProgramInfo info = {QStringLiteral("KWEMO"), 0, 1, 0})
      : box(new frmAbout(nullptr, std::move(info))) {
    box->show();
  }
  ~Box() {
    delete box.data();
    flushDeletes();
  }
  template <class T>
  T& c(const char* name, int index = -1) {
    return control<T>(*box, name, index);
  }
  const DrawSurface& canvas() { return c<SurfaceView>("picScrTxt").surface(); }
  QPointer<frmAbout> box;
};

TEST(AboutBox, ShowsTheProgramsVersionAndEnterOrEscClosesIt) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    Box b({QStringLiteral("KWEMO"), 10, 2, 3});
    EXPECT_EQ(b.c<QLabel>("lblVersion").text(), "ver 10.02.0003");
    EXPECT_TRUE(b.box->CreditLines[8].endsWith("ver 10.02.0003"));
    QTest::keyClick(b.box.data(), key);
    flushDeletes();
    EXPECT_TRUE(b.box.isNull()) << key;
  }
  const ProgramInfo built = ProgramInfo::fromBuild();  // the CMake project's version
  EXPECT_TRUE(built.title == "KWEMO" && built.major + built.minor + built.revision >= 1);
}

TEST(AboutBox, LinksUseOurHandCursorOpenTheirCaptionsAndRedden) {
  EXPECT_GT(qAlpha(linkCursor().pixmap().toImage().pixel(12, 1)), 0);  // the finger tip
  Box b;
  UrlRecorder recorder;
  for (const char* scheme : {"https", "mailto"})
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "open");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(b.c<QLabel>("lblURL", i).cursor().hotSpot(), QPoint(12, 1));
    QTest::mouseClick(&b.c<QLabel>("lblURL", i), Qt::LeftButton);
  }
  for (const char* scheme : {"https", "mailto"})
    QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  EXPECT_EQ(recorder.opened, (std::vector<QUrl>{QUrl("https://kwemo.example.org/"),
                                                QUrl("mailto:kwemo@example.org")}));

  // The mouse over a link reddens it; over anything else both links are blue again. The mouse
  // goes over link 0, 1, 1, 0, the banner, 0, the box; after each, the links' colours (Red, Blue).
  QWidget *link0 = &b.c<QLabel>("lblURL", 0), *link1 = &b.c<QLabel>("lblURL", 1),
          *banner = &b.c<SurfaceView>("picAnim"), *box = b.box.data();
  std::string colours;
  for (QWidget* over : {link0, link1, link1, link0, banner, link0, box}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), over->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(over, &move);
    for (const QWidget* link : {link0, link1}) {
      const QColor c = link->palette().color(QPalette::WindowText);
      colours += c == Qt::red ? 'R' : c == Qt::blue ? 'B' : '?';
    }
    colours += ' ';
  }
  EXPECT_EQ(colours, "RB RR BR RR BB RB BB ");
}

// One roll: every pause with the box's state at that moment, then the canvas it scrolled out.
TEST(AboutBox, RollPlaysBothPhasesThenScrollsTheCreditsOut) {
  Box b;
  const QImage titlePage = b.c<SurfaceView>("picAnim").surface().image().copy();
  // One letter a pause: its length, and "!" while OK or a link could be used.
  std::string frames;
  QImage lastDropFrame;
  b.box->setFrameWait([&](int ms) {
    frames += ms == 5 ? 'a' : ms == 10 ? 'b' : '?';
    if (b.c<QPushButton>("cmdOK").isEnabled() || b.c<QLabel>("lblURL", 0).isVisible() ||
        b.c<QLabel>("lblURL", 1).isVisible())
      frames += '!';
    if (frames.size() == 32) lastDropFrame = b.c<SurfaceView>("picAnim").surface().image().copy();
  });
  // Line number, text and colour; the leading character picks the colour, "7" keeps it.
  constexpr Rgb kYellow = RGB(255, 255, 187);
  const std::map<int, std::pair<const char*, Rgb>> lines{{1, {"1WWW", kYellow}},
                                                         {3, {"7WWW", kYellow}},
                                                         {6, {"$WWW", kCyan}},
                                                         {7, {"5WWW", kRed}},
                                                         {39, {"0WWW", kCyan}}};
  b.box->CreditLines = {};
  for (const auto& [number, line] : lines)
    b.box->CreditLines[static_cast<std::size_t>(number)] = QString::fromLatin1(line.first);
  b.box->RollCredits();

  const float textHeight = b.canvas().TextHeight(QStringLiteral("A"));
  const int canvasHeight = static_cast<int>(std::lrint(2 * kBannerHeight + 40 * textHeight + 117));
  EXPECT_EQ(b.canvas().height(), canvasHeight);
  EXPECT_EQ(frames,
            std::string(16, 'a') + std::string(16 + (kBannerHeight + canvasHeight + 1) / 2, 'b'));
  EXPECT_LE(b.c<SurfaceView>("picScrTxt").y(), -canvasHeight);
  EXPECT_TRUE(b.c<QPushButton>("cmdOK").isEnabled() && b.c<QLabel>("lblURL", 1).isVisible());
  EXPECT_TRUE(lastDropFrame == titlePage) << "the animation ends on the title page";

  const QImage image = b.canvas().image();
  for (const auto& [number, line] : lines) {
    // The line's band: its text in its colour, centred on the whole stored line, printed without
    // its leader.
    const int top = static_cast<int>(std::lrint(number * (textHeight + 3) + kBannerHeight));
    const QImage band = image.copy(0, top, image.width(), static_cast<int>(std::ceil(textHeight)));
    const Rgb c = line.second;
    const QRect ink = QRegion(QBitmap::fromImage(band.createMaskFromColor(
                                  qRgb(redOf(c), greenOf(c), blueOf(c)), Qt::MaskOutColor)))
                          .boundingRect();
    const int x = static_cast<int>(std::lrint(
                      image.width() - b.canvas().TextWidth(QString::fromLatin1(line.first)))) /
                  2;
    EXPECT_NEAR(ink.left(), x, 3) << number;
    EXPECT_NEAR(ink.right() + 1, x + b.canvas().TextWidth(QStringLiteral("WWW")), 4) << number;
  }
  // The icon boxes at both ends of the roll.
  EXPECT_EQ(image.pixel(0, 16), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100, canvasHeight - 36), qRgb(255, 255, 255));
}

// Without an injected wait the roll paces itself on the tick counter: the scroll alone is about
// (3H + 40T + 117) / 2 frames of 10 ms.
TEST(AboutBox, RollTakesAtLeastItsFrames) {
  Box b;
  const double scrollFrames = (3 * 70 + 40 * b.canvas().TextHeight(QStringLiteral("A")) + 117) / 2;
  test::SteppedTicks ticks;
  const std::int64_t start = TickCount();
  b.box->RollCredits();
  EXPECT_GE(TickCount() - start, std::floor(scrollFrames) * 10 + 16 * 4 + 16 * 10);
}

}  // namespace
}  // namespace kwemo

#include "AboutBoxTest.moc"
