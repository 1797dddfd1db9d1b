// The about box: version texts, the credit roll's layout on its canvas, the banner animation's
// frames, the links and the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "Controls.h"
#include "Waits.h"
#include "about/LinkCursor.h"
#include "about/frmAbout.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using test::control;

constexpr Rgb kCyan = RGB(0, 255, 255);
constexpr Rgb kLightYellow = RGB(255, 255, 187);
constexpr Rgb kLightGreen = RGB(187, 255, 187);
constexpr Rgb kLightBlue = RGB(187, 187, 255);
constexpr Rgb kPink = RGB(255, 187, 187);
constexpr Rgb kRed = RGB(255, 0, 0);
constexpr Rgb kBlue = RGB(0, 0, 255);

Rgb toRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

// The box deletes itself when closed; tests hold it through a guarded pointer.
QPointer<frmAbout> openBox(ProgramInfo info = {QStringLiteral("KWEMO"), 0, 1, 0}) {
  auto* box = new frmAbout(nullptr, std::move(info));
  box->show();
  return box;
}

// Stands in for the desktop's handlers of web and mail links.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl>* sink = nullptr;
  Q_INVOKABLE void open(const QUrl& url) { sink->push_back(url); }
};

using test::flushDeletes;

struct BoxGuard {
  QPointer<frmAbout> box;
  ~BoxGuard() {
    delete box.data();
    flushDeletes();
  }
};

TEST(AboutBox, VersionTextComesFromTheProgramVersion) {
  struct Case {
    int major, minor, revision;
    const char* text;
  };
  for (const Case& c : {Case{0, 0, 25, "ver 0.00.0025"}, Case{10, 2, 3, "ver 10.02.0003"}}) {
    BoxGuard g{openBox({QStringLiteral("KWEMO"), c.major, c.minor, c.revision})};
    EXPECT_EQ(control<QLabel>(*g.box, "lblVersion").text(), QString::fromLatin1(c.text));
    EXPECT_TRUE(g.box->CreditLines[8].endsWith(QString::fromLatin1(c.text))) << c.text;
  }
  // The build's own version is the CMake project's.
  const ProgramInfo built = ProgramInfo::fromBuild();
  EXPECT_EQ(built.title, QStringLiteral("KWEMO"));
  EXPECT_GE(built.major + built.minor + built.revision, 1);
}

TEST(AboutBox, LinksUseOurHandCursorAndOpenTheirCaptions) {
  const QCursor cursor = linkCursor();
  EXPECT_EQ(cursor.hotSpot(), QPoint(12, 1));
  EXPECT_GT(qAlpha(cursor.pixmap().toImage().pixel(12, 1)), 0)
      << "the hot spot is on the finger tip";

  BoxGuard g{openBox()};
  std::vector<QUrl> opened;
  UrlRecorder recorder;
  recorder.sink = &opened;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
  QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
  for (int i = 0; i < 2; ++i) {
    QLabel* link = &control<QLabel>(*g.box, "lblURL", i);
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(12, 1));
    QTest::mouseClick(link, Qt::LeftButton);
  }
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://kwemo.example.org/")));
  EXPECT_EQ(opened[1], QUrl(QStringLiteral("mailto:kwemo@example.org")));
  EXPECT_EQ(control<QLabel>(*g.box, "lblURL", 0).text(), opened[0].toString());
}

TEST(AboutBox, HoverColoursFollowTheMouseBetweenTheLinks) {
  BoxGuard g{openBox()};
  frmAbout& box = *g.box;
  auto moveOver = [](QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
  };
  auto colour = [&](int i) {
    return toRgb(control<QLabel>(box, "lblURL", i).palette().color(QPalette::WindowText).rgb());
  };
  struct Step {
    QWidget* over;
    Rgb link0, link1;
  };
  const std::vector<Step> steps{
      {&control<QLabel>(box, "lblURL", 0), kRed, kBlue},
      {&control<QLabel>(box, "lblURL", 1), kRed, kRed},  // both red for a moment
      {&control<QLabel>(box, "lblURL", 1), kBlue, kRed},
      {&control<QLabel>(box, "lblURL", 0), kRed, kRed},
      {&control<SurfaceView>(box, "picAnim"), kBlue, kBlue},
      {&control<QLabel>(box, "lblURL", 0), kRed, kBlue},
      {&box, kBlue, kBlue},
  };
  for (std::size_t n = 0; n < steps.size(); ++n) {
    moveOver(steps[n].over);
    EXPECT_EQ(colour(0), steps[n].link0) << "step " << n;
    EXPECT_EQ(colour(1), steps[n].link1) << "step " << n;
  }
}

TEST(AboutBox, EnterAndEscCloseTheBoxAndShowAboutKeepsOneBox) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    QPointer<frmAbout> box = openBox();
    QTest::keyClick(box.data(), key);
    flushDeletes();
    EXPECT_TRUE(box.isNull()) << "key " << key;
    delete box.data();
  }

  auto boxes = [] {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<frmAbout*>(w) != nullptr;
    return n;
  };
  ShowAbout(nullptr);
  ShowAbout(nullptr);
  EXPECT_EQ(boxes(), 1);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<frmAbout*>(w)) control<QPushButton>(*box, "cmdOK").click();
  flushDeletes();
  EXPECT_EQ(boxes(), 0);
}

// Every pause of the roll, with the box's state at that moment.
struct Frame {
  int ms;
  bool okEnabled;
  bool linksVisible;
};

TEST(AboutBox, RollPlaysBothPhasesThenScrollsTheCanvasOut) {
  BoxGuard g{openBox()};
  frmAbout& box = *g.box;
  const QImage titlePage = control<SurfaceView>(box, "picAnim").surface().image().copy();
  std::vector<Frame> frames;
  QImage lastDropFrame;
  box.setFrameWait([&](int ms) {
    frames.push_back({ms, control<QPushButton>(box, "cmdOK").isEnabled(),
                      control<QLabel>(box, "lblURL", 0).isVisible() ||
                          control<QLabel>(box, "lblURL", 1).isVisible()});
    if (frames.size() == 32)
      lastDropFrame = control<SurfaceView>(box, "picAnim").surface().image().copy();
  });
  box.RollCredits();

  const DrawSurface& canvas = control<SurfaceView>(box, "picScrTxt").surface();
  const int bannerHeight = 70;
  const float textHeight = canvas.TextHeight(QStringLiteral("A"));
  const int canvasHeight = static_cast<int>(std::lrint(2 * bannerHeight + 40 * textHeight + 117));
  EXPECT_EQ(canvas.height(), canvasHeight);
  const std::size_t scrollFrames = static_cast<std::size_t>((bannerHeight + canvasHeight + 1) / 2);

  ASSERT_EQ(frames.size(), 32 + scrollFrames);
  for (std::size_t n = 0; n < frames.size(); ++n) {
    EXPECT_EQ(frames[n].ms, n < 16 ? 5 : 10) << "frame " << n;
    EXPECT_FALSE(frames[n].okEnabled);
    EXPECT_FALSE(frames[n].linksVisible);
  }
  EXPECT_LE(control<SurfaceView>(box, "picScrTxt").y(), -canvasHeight);
  EXPECT_TRUE(control<QPushButton>(box, "cmdOK").isEnabled());
  EXPECT_TRUE(control<QLabel>(box, "lblURL", 0).isVisible() &&
              control<QLabel>(box, "lblURL", 1).isVisible());
  EXPECT_TRUE(lastDropFrame == titlePage) << "the animation ends on the title page";
}

TEST(AboutBox, CreditLinesLandAtTheirPlacesInTheirColours) {
  BoxGuard g{openBox()};
  frmAbout& box = *g.box;
  box.setFrameWait([](int) {});
  struct Line {
    int number;
    const char* text;
    Rgb colour;  // 0: nothing printed
  };
  const std::vector<Line> lines{{1, "1WWW", kLightYellow}, {2, "", 0},
                                {3, "7WWW", kLightYellow},                      // keeps colour
                                {4, "4WWW", kPink},        {6, "$WWW", kCyan},  // not a digit
                                {7, "5WWW", kRed},         {10, "3WWW", kLightBlue},
                                {11, "2WWW", kLightGreen}, {39, "0WWW", kCyan}};
  box.CreditLines = {};
  for (const Line& l : lines)
    box.CreditLines[static_cast<std::size_t>(l.number)] = QString::fromLatin1(l.text);
  box.RollCredits();

  const DrawSurface& canvas = control<SurfaceView>(box, "picScrTxt").surface();
  const QImage image = canvas.image();
  const float textHeight = canvas.TextHeight(QStringLiteral("A"));
  const int bannerHeight = 70;
  auto bandTop = [&](int i) {
    return static_cast<int>(std::lrint(i * (textHeight + 3) + bannerHeight));
  };
  const int band = static_cast<int>(std::ceil(textHeight));

  // Every lit pixel between the two icon boxes belongs to a printed line's band.
  std::map<int, const Line*> byNumber;
  for (const Line& l : lines) byNumber[l.number] = &l;
  for (int y = 33; y < canvas.height() - 37; ++y) {
    const int i = static_cast<int>(std::floor((y - bannerHeight) / (textHeight + 3)));
    const bool inBand = i >= 1 && i <= 39 && y >= bandTop(i) && y < bandTop(i) + band &&
                        byNumber.count(i) && byNumber[i]->colour != 0;
    for (int x = 0; x < image.width(); ++x)
      if (!inBand && (image.pixel(x, y) & 0xFFFFFF) != 0) {
        ADD_FAILURE() << "stray pixel at " << x << "," << y;
        return;
      }
  }

  const float glyphs = canvas.TextWidth(QStringLiteral("WWW"));
  for (const Line& l : lines) {
    if (l.colour == 0) continue;
    std::map<Rgb, int> counts;
    int left = image.width(), right = -1;
    for (int y = bandTop(l.number); y < bandTop(l.number) + band; ++y)
      for (int x = 0; x < image.width(); ++x) {
        const Rgb c = toRgb(image.pixel(x, y));
        if (c == 0) continue;
        ++counts[c];
        left = std::min(left, x);
        right = std::max(right, x);
      }
    ASSERT_FALSE(counts.empty()) << "line " << l.number;
    const auto top = std::max_element(counts.begin(), counts.end(),
                                      [](auto& a, auto& b) { return a.second < b.second; });
    EXPECT_EQ(top->first, l.colour) << "line " << l.number;
    // Centred on the whole stored line, printed without its leader.
    const int x = static_cast<int>(
                      std::lrint(image.width() - canvas.TextWidth(QString::fromLatin1(l.text)))) /
                  2;
    EXPECT_NEAR(left, x, 3) << "line " << l.number;
    EXPECT_NEAR(right + 1, x + glyphs, 4) << "line " << l.number;
  }

  // The icon boxes at both ends of the roll.
  EXPECT_EQ(image.pixel(0, 16), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100, canvas.height() - 36), qRgb(255, 255, 255));
}

// Without an injected wait the roll paces itself on the tick counter: the scroll alone is about
// (3H + 40T + 117) / 2 frames of 10 ms.
TEST(AboutBox, RollTakesAtLeastItsFrames) {
  BoxGuard g{openBox()};
  frmAbout& box = *g.box;
  const float textHeight =
      control<SurfaceView>(box, "picScrTxt").surface().TextHeight(QStringLiteral("A"));
  const double scrollFrames = (3 * 70 + 40 * textHeight + 117) / 2;
  test::SteppedTicks ticks;
  const std::int64_t start = TickCount();
  box.RollCredits();
  EXPECT_GE(TickCount() - start, std::floor(scrollFrames) * 10 + 16 * 4 + 16 * 10);
}

}  // namespace
}  // namespace kwemo

#include "AboutBoxTest.moc"
