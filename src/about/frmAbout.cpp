#include "about/frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <cmath>

#include "desktop/ShowActivated.h"
#include "desktop/Tick.h"
#include "oldruntime/Rounding.h"
#include "oldruntime/VersionText.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

constexpr Rgb kBlack = RGB(0, 0, 0);
constexpr Rgb kWhite = RGB(255, 255, 255);
constexpr Rgb kYellow = RGB(255, 255, 0);
constexpr Rgb kCyan = RGB(0, 255, 255);
constexpr Rgb kBlue = RGB(0, 0, 255);
constexpr Rgb kRed = RGB(255, 0, 0);
constexpr Rgb kTitleColor = RGB(255, 255, 187);
constexpr Rgb kVersionColor = RGB(187, 255, 187);
constexpr Rgb kNoticeColor = RGB(187, 187, 255);

constexpr int kPhaseFrames = 16;
constexpr int kRiseFrameMs = 5;
constexpr int kDropFrameMs = 10;
constexpr int kScrollFrameMs = 10;
constexpr int kScrollStep = 2;

void sleepFor(int milliseconds) { WaitUntilTick(TickCount() + milliseconds); }

}  // namespace

ProgramInfo ProgramInfo::fromBuild() {
  return {QStringLiteral(KWEMO_TITLE), KWEMO_VERSION_MAJOR, KWEMO_VERSION_MINOR,
          KWEMO_VERSION_PATCH};
}

frmAbout::frmAbout(QWidget* owner, ProgramInfo info)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      info_(std::move(info)),
      notice_(QStringLiteral("Free software, with no warranty.")),
      wait_(sleepFor) {
  setAttribute(Qt::WA_DeleteOnClose);
  buildDesign();
  Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::setFrameWait(FrameWait wait) { wait_ = wait ? std::move(wait) : sleepFor; }

void frmAbout::buildDesign() {
  anim_.setBackColor(kBlack);
  anim_.setForeColor(kYellow);
  scrTxt_.setBackColor(kBlack);
  scrTxt_.setForeColor(kCyan);
  ui_.setupUi(this, anim_, scrTxt_);

  ui_.picAnim->installEventFilter(this);
  ui_.cmdOK->installEventFilter(this);
  connect(ui_.cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  for (std::size_t i = 0; i < ui_.lblURL.size(); ++i) {
    ui_.lblURL[i]->installEventFilter(this);
    setLinkColor(static_cast<int>(i), kBlue);
  }
}

void frmAbout::Form_Load() {
  setWindowTitle(QStringLiteral("About ") + info_.title);
  ui_.lblVersion->setText(VersionText(info_.major, info_.minor, info_.revision));
  ui_.lblTitle->setText(info_.title);
  ui_.lblURL[1]->setCursor(ui_.lblURL[0]->cursor());

  CreditLines = makeCreditLines(info_.title, ui_.lblVersion->text());

  ui_.lblURL[0]->setText(QString::fromLatin1(kMakerWebPage));
  ui_.lblURL[1]->setText(QStringLiteral("mailto:") + QString::fromLatin1(kMakerMail));
  for (QLabel* label : ui_.lblURL) {
    label->adjustSize();
    // The ink of the last glyph may reach past its advance (the slash does): room for it too.
    const int ink = label->fontMetrics().boundingRect(label->text()).right() + 1;
    if (ink > label->width()) label->resize(ink, label->height());
  }

  scrTxt_.setFontName(QStringLiteral("Arial"));
  scrTxt_.setFontBold(true);
  scrTxt_.setFontItalic(true);
  scrTxt_.setFontSize(10);
  placeCanvas(toInt32Clamped(50 * scrTxt_.TextHeight(QStringLiteral("A"))));

  running_ = true;
  drawTitlePage();

  if (QScreen* screen =
          parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

// Just below the banner's visible area, as wide as the banner.
void frmAbout::placeCanvas(int height) {
  ui_.picScrTxt->setGeometry(0, toInt32Clamped(anim_.ScaleHeight()), ui_.picAnim->width(), height);
  scrTxt_.resize(ui_.picAnim->width(), height);
}

void frmAbout::printAt(DrawSurface& surface, float x, float y, const QString& text, Rgb color) {
  surface.setForeColor(color);
  surface.setCurrentX(x);
  surface.setCurrentY(y);
  surface.Print(text);
}

void frmAbout::drawTitlePage() {
  DrawSurface& s = anim_;
  s.setFontName(QStringLiteral("Arial"));
  s.setFontSize(10);
  s.setFontBold(true);
  s.Cls();
  printAt(s, 0, 0, ui_.lblTitle->text(), kTitleColor);
  printAt(s, 0, toInt32Clamped(2 * s.TextHeight(ui_.lblVersion->text())), ui_.lblVersion->text(),
          kVersionColor);
  printAt(s, 0, toInt32Clamped(s.ScaleHeight() - s.TextHeight(notice_)), notice_, kNoticeColor);
  s.Refresh();
}

void frmAbout::RollCredits() {
  if (rolling_) return;
  rolling_ = true;

  ui_.cmdOK->setEnabled(false);
  for (QLabel* label : ui_.lblURL) label->hide();
  // The one pass of pending events during the roll; it may even take the box away.
  QPointer<frmAbout> alive(this);
  QCoreApplication::processEvents();
  if (!alive) return;

  placeCanvas(toInt32Clamped(50 * scrTxt_.TextHeight(QStringLiteral("A"))));
  anim_.setFontName(QStringLiteral("Arial"));
  anim_.setFontSize(10);
  anim_.setFontBold(true);

  playNoticeDrop(playTitleRise());

  placeCanvas(
      toInt32Clamped(2 * anim_.ScaleHeight() + 40 * scrTxt_.TextHeight(QStringLiteral("A")) + 117));
  running_ = true;
  printCredits();
  frameRoll();
  scrollCanvas();

  ui_.cmdOK->setEnabled(true);
  for (QLabel* label : ui_.lblURL) label->show();
  rolling_ = false;
}

// The title rises from the bottom while the version shrinks into the top right corner.
int frmAbout::playTitleRise() {
  DrawSurface& s = anim_;
  const QString title = ui_.lblTitle->text();
  const QString version = ui_.lblVersion->text();
  running_ = true;
  int k = 0;
  float versionSize = s.FontSize();
  int versionX = 0;
  int titleY = 0;
  while (running_) {
    ++k;
    if (k < kPhaseFrames) {
      versionSize = static_cast<float>(64 - 4 * k);
      s.setFontSize(versionSize);
      versionX = toInt32Clamped(s.ScaleWidth() - s.TextWidth(version));
      titleY = toInt32Clamped((kPhaseFrames - k) * s.ScaleHeight() / kPhaseFrames);
    } else {
      running_ = false;
      versionX =
          toInt32Clamped(s.ScaleWidth() - s.TextWidth(version));  // at the size still in force
      titleY = 0;
      versionSize = 10;
    }
    s.Cls();
    s.setFontSize(10);
    printAt(s, 0, titleY, title, kTitleColor);
    s.setFontSize(versionSize);
    printAt(s, versionX, 0, version, kVersionColor);
    s.Refresh();
    wait_(kRiseFrameMs);
  }
  return versionX;
}

// The notice drops in from above while the version slides to the left edge and down.
void frmAbout::playNoticeDrop(int versionX) {
  DrawSurface& s = anim_;
  const QString title = ui_.lblTitle->text();
  const QString version = ui_.lblVersion->text();
  s.setFontSize(10);
  running_ = true;
  int k = 0;
  int noticeY = toInt32Clamped(-s.TextHeight(notice_));
  int versionY = 0;
  while (running_) {
    ++k;
    if (k < kPhaseFrames) {
      noticeY = toInt32Clamped(noticeY + s.ScaleHeight() / kPhaseFrames);
      versionX = toInt32Clamped(versionX - s.ScaleWidth() / kPhaseFrames);
      versionY = toInt32Clamped(2 * s.TextHeight(version) / (kPhaseFrames - k));
    } else {
      running_ = false;
      noticeY = toInt32Clamped(s.ScaleHeight() - s.TextHeight(notice_));
      versionX = 0;
      versionY = toInt32Clamped(2 * s.TextHeight(version));
    }
    s.Cls();
    printAt(s, 0, 0, title, kTitleColor);
    printAt(s, versionX, versionY, version, kVersionColor);
    printAt(s, 0, noticeY, notice_, kNoticeColor);
    s.Refresh();
    wait_(kDropFrameMs);
  }
}

// Printed once per roll at fixed places; the canvas is not cleared, so a second roll prints
// over the first one exactly.
void frmAbout::printCredits() {
  DrawSurface& c = scrTxt_;
  const float lineHeight = c.TextHeight(QStringLiteral("A"));
  for (int i = 1; i <= kCreditLineCount; ++i) {
    const QString& line = CreditLines[static_cast<std::size_t>(i)];
    if (line.isEmpty()) continue;
    const int x = toInt32Clamped(c.ScaleWidth() - c.TextWidth(line)) / 2;
    const float y =
        static_cast<float>(i) * lineHeight + 3.0f * static_cast<float>(i) + anim_.ScaleHeight();
    printAt(c, static_cast<float>(x), y, line.mid(1), creditLineColor(line, c.ForeColor()));
  }
}

// The program's icon at both ends of the roll, each in a white box.
void frmAbout::frameRoll() {
  DrawSurface& c = scrTxt_;
  c.Line(0, 0, c.ScaleWidth(), 32, kWhite, LineShape::Box);
  c.Line(0, c.ScaleHeight() - 36, c.ScaleWidth(), c.ScaleHeight() - 4, kWhite, LineShape::Box);
  const QIcon icon = parentWidget() ? parentWidget()->windowIcon() : windowIcon();
  const QImage picture = icon.pixmap(QSize(32, 32), 1.0).toImage();
  const float x = (anim_.ScaleWidth() - 32) / 2;
  c.PaintPicture(picture, x, 0);
  c.PaintPicture(picture, x, c.ScaleHeight() - 36);
}

// Slides the canvas up through the banner until it has left it; the title page shows again.
void frmAbout::scrollCanvas() {
  while (running_ && ui_.picScrTxt->y() > -scrTxt_.height()) {
    scrTxt_.Refresh();
    ui_.picScrTxt->move(0, ui_.picScrTxt->y() - kScrollStep);
    // A moved child is only scheduled for painting; the roll blocks the event loop.
    ui_.picAnim->repaint();
    wait_(kScrollFrameMs);
  }
}

void frmAbout::cmdOK_Click() {
  running_ = false;
  close();
}

// Esc, as the cancel button.
void frmAbout::reject() {
  if (ui_.cmdOK->isEnabled()) cmdOK_Click();
}

void frmAbout::closeEvent(QCloseEvent* event) {
  // The roll owns the box until it is over.
  if (rolling_)
    event->ignore();
  else
    event->accept();
}

void frmAbout::picAnim_DblClick() { RollCredits(); }

// A missing handler is not our business: the result is ignored.
void frmAbout::lblURL_Click(int index) {
  QDesktopServices::openUrl(QUrl(ui_.lblURL[static_cast<std::size_t>(index)]->text()));
}

void frmAbout::lblURL_MouseMove(int index) {
  if (linkColor(index) == kRed)
    setLinkColor(1 - index, kBlue);
  else
    setLinkColor(index, kRed);
}

void frmAbout::Form_MouseMove() {
  setLinkColor(0, kBlue);
  setLinkColor(1, kBlue);
}

void frmAbout::picAnim_MouseMove() { Form_MouseMove(); }
void frmAbout::cmdOK_MouseMove() { Form_MouseMove(); }

void frmAbout::setLinkColor(int index, Rgb color) {
  const auto i = static_cast<std::size_t>(index);
  linkColors_[i] = color;
  QPalette palette = ui_.lblURL[i]->palette();
  palette.setColor(QPalette::WindowText, QColor(redOf(color), greenOf(color), blueOf(color)));
  ui_.lblURL[i]->setPalette(palette);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove();
  QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Moves over the banner and the links are theirs alone; they do not reach the form's handler.
  if (watched == ui_.picAnim) {
    if (type == QEvent::MouseMove) {
      picAnim_MouseMove();
      return true;
    }
    if (type == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      picAnim_DblClick();
      return true;
    }
  } else if (watched == ui_.cmdOK) {
    if (type == QEvent::MouseMove) cmdOK_MouseMove();
  } else {
    for (int i = 0; i < 2; ++i) {
      QLabel* label = ui_.lblURL[static_cast<std::size_t>(i)];
      if (watched != label) continue;
      if (type == QEvent::MouseMove) {
        lblURL_MouseMove(i);
        return true;
      }
      if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        if (type == QEvent::MouseButtonPress) {
          pressedLink_ = i;
        } else {
          const bool clicked =
              pressedLink_ == i && label->rect().contains(mouse->position().toPoint());
          pressedLink_ = -1;
          if (clicked) lblURL_Click(i);
        }
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ShowAbout(QWidget* owner) {
  // One box for the whole program; it deletes itself when closed, which empties the pointer.
  static QPointer<frmAbout> box;
  if (!box) box = new frmAbout(owner);
  ShowActivated(*box);
}

}  // namespace kwemo
