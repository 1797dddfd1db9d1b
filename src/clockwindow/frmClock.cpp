#include "clockwindow/frmClock.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

#include <array>

#include "clock/ClockSettingsStorage.h"
#include "clockwindow/ClockLifecycle.h"
#include "clockwindow/ClockTrayIcon.h"
#include "clockwindow/MessageStrip.h"
#include "clockwindow/WindowDragger.h"
#include "clockwindow/WindowOutline.h"
#include "clockwindow/WindowPlacement.h"
#include "clockwindow/frmLoading.h"
#include "desktop/AppIcons.h"
#include "desktop/ControlName.h"
#include "desktop/SetTopMost.h"
#include "desktop/Twips.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

// What the face renderer asks of the window.
class frmClock::FaceHooks final : public ClockWindowHooks {
 public:
  explicit FaceHooks(frmClock& window) : w_(window) {}
  bool isVisible() const override { return w_.isVisible(); }
  bool ellipticFormChecked() const override {
    return w_.items_->checked(ClockMenuItems::kEllipticForm);
  }
  bool alwaysOnTopChecked() const override {
    return w_.items_->checked(ClockMenuItems::kAlwaysOnTop);
  }
  void ChangeRgn(bool mode, bool msgmode, bool delreg) override {
    w_.ChangeRgn(mode, msgmode, delreg);
  }
  void SetTopMost(bool onTop) override { w_.SetTopMost(onTop); }
  bool Form_Resize() override {
    w_.Form_Resize();
    return true;
  }
  void FirstShowing() override { w_.FirstShowing(); }

 private:
  frmClock& w_;
};

frmClock::frmClock(ClockSettings& settings, SettingsStore& store, std::function<void()> endProgram,
                   ClockSource clock)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      settings_(settings),
      store_(store),
      items_(new ClockMenuItems(this)),
      tray_(new ClockTrayIcon(this)),
      dragger_(new WindowDragger(*this)),
      hooks_(std::make_unique<FaceHooks>(*this)),
      lifecycle_(std::make_unique<ClockLifecycle>(*this, std::move(endProgram))) {
  ui_.setupUi(this, surface_, kFrameWidth, kDesignClientSize);
  setWindowTitle(QStringLiteral("KWEMO"));
  setWindowIcon(programIcon());
  setMouseTracking(true);  // the frame's sizing cursors
  constexpr int frame = 2 * kFrameWidth;
  setMinimumSize(kMinimumClientSize + frame, kMinimumClientSize + frame);

  MessageStrip::Window stripWindow;
  stripWindow.ellipticChecked = [this] { return items_->checked(ClockMenuItems::kEllipticForm); };
  stripWindow.ChangeRgn = [this](bool mode, bool msgmode, bool delreg) {
    ChangeRgn(mode, msgmode, delreg);
  };
  stripWindow.repaintFace = [this] { ui_.picPrev->repaint(); };
  strip_ = std::make_unique<MessageStrip>(*ui_.clientArea, std::move(stripWindow));
  nameControl(&strip_->picMsg(), "picMsg");
  outline_ = std::make_unique<WindowOutline>(*this, *ui_.clientArea, strip_->picMsg());
  renderer_ =
      std::make_unique<FaceRenderer>(settings_, state_, surface_, hooks_.get(), std::move(clock));

  ui_.picPrev->installEventFilter(this);
  strip_->picMsg().installEventFilter(this);
  connect(dragger_, &WindowDragger::finished, this, &frmClock::dragFinished);
  timer1_.setInterval(kTimerInterval);
  connect(&timer1_, &QTimer::timeout, this, &frmClock::Timer1_Timer);
  Form_Resize();
}

frmClock::~frmClock() {
  timer1_.stop();
  if (splash_) delete splash_.data();
}

void frmClock::Form_Load() { lifecycle_->startUp(); }

void frmClock::Form_QueryUnload() {
  timer1_.stop();
  lifecycle_->shutDown();
}

bool frmClock::shutDown() const { return lifecycle_->done(); }

void frmClock::closeEvent(QCloseEvent* event) {
  // Whatever closes the clock, the shut-down runs and the close is never refused.
  Form_QueryUnload();
  event->accept();
}

// --- Outline, stacking, resize -------------------------------------------------------------

void frmClock::ChangeRgn(bool mode, bool msgmode, bool delreg) {
  outline_->ChangeRgn(mode, msgmode, delreg);
}

void frmClock::SetTopMost(bool onTop) { kwemo::SetTopMost(*this, onTop); }

int frmClock::FrameOffset() const { return outline_->FrameOffset(); }
int frmClock::computeFrameOffset() { return outline_->computeFrameOffset(); }
const QRegion& frmClock::CurrentRgn() const { return outline_->CurrentRgn(); }

float frmClock::ScaleWidth() const { return static_cast<float>(ui_.clientArea->width()); }
float frmClock::ScaleHeight() const { return static_cast<float>(ui_.clientArea->height()); }

void frmClock::Form_Resize() {
  // The client area is the window inside its frame; it follows at once, shown or not.
  const QRect inner = clientRect();
  if (ui_.clientArea->geometry() != inner) ui_.clientArea->setGeometry(inner);
  const float SW = ScaleWidth();
  const float SH = ScaleHeight();
  ui_.picPrev->setGeometry(0, 0, ui_.clientArea->width(), ui_.clientArea->height());
  surface_.resize(ui_.clientArea->width(), ui_.clientArea->height());
  state_.Geometry = ComputeFaceGeometry(SW, SH);
  strip_->align();
  emit clientResized(SW, SH);
}

QRect frmClock::clientRect() const {
  return rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
}

void frmClock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (ui_.clientArea->geometry() != clientRect()) Form_Resize();
}

void frmClock::paintEvent(QPaintEvent*) {
  // The sizing frame, raised like the old platform's: light outer top-left, dark bottom-right.
  QPainter p(this);
  const QPalette& pal = palette();
  const QRect r = rect();
  p.fillRect(r, pal.color(QPalette::Button));
  auto bevel = [&p](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    p.setPen(topLeft);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
  };
  bevel(r, pal.color(QPalette::Midlight), pal.color(QPalette::Shadow));
  bevel(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Light), pal.color(QPalette::Dark));
}

// --- Frame sizing ---------------------------------------------------------------------------

namespace {

Qt::CursorShape cursorFor(Qt::Edges edges) {
  const bool h = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool v = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (h && v) {
    const bool falling = ((edges & Qt::LeftEdge) && (edges & Qt::TopEdge)) ||
                         ((edges & Qt::RightEdge) && (edges & Qt::BottomEdge));
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  if (h) return Qt::SizeHorCursor;
  if (v) return Qt::SizeVerCursor;
  return Qt::ArrowCursor;
}

}  // namespace

void frmClock::mousePressEvent(QMouseEvent* event) {
  const Qt::Edges edges = frameEdgesAt(event->position().toPoint(), size(), kFrameWidth);
  if (event->button() == Qt::LeftButton && edges) {
    stripDrag_ = false;
    dragger_->press(event->globalPosition().toPoint(), edges);
  }
}

void frmClock::mouseMoveEvent(QMouseEvent* event) {
  if (dragger_->isPressed()) {
    dragger_->moveTo(event->globalPosition().toPoint(), event->buttons());
    return;
  }
  setCursor(cursorFor(frameEdgesAt(event->position().toPoint(), size(), kFrameWidth)));
}

void frmClock::mouseReleaseEvent(QMouseEvent*) { dragger_->release(); }

// --- Pointer on the face and the strip ------------------------------------------------------

bool frmClock::eventFilter(QObject* watched, QEvent* event) {
  const bool onFace = watched == ui_.picPrev;
  const bool onStrip = watched == &strip_->picMsg();
  if (!onFace && !onStrip) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (onFace) {
        picPrev_MouseDown(mouse);
      } else {
        picMsg_MouseDown(mouse);
      }
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      dragger_->moveTo(mouse->globalPosition().toPoint(), mouse->buttons());
      return false;
    }
    case QEvent::MouseButtonRelease:
      dragger_->release();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void frmClock::picPrev_MouseDown(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    stripDrag_ = false;
    dragger_->press(event->globalPosition().toPoint());
  } else if (event->button() == Qt::RightButton) {
    emit popupMenuRequested(event->globalPosition().toPoint());
  }
}

void frmClock::picMsg_MouseDown(QMouseEvent* event) {
  timer1_.stop();
  strip_->hideNow();
  if (event->button() == Qt::LeftButton) {
    // The timer restarts when the drag ends. The strip that took the press is gone, and Qt drops
    // a release whose press went to a hidden widget: the face takes the pointer over until then.
    stripDrag_ = true;
    dragger_->press(event->globalPosition().toPoint());
    ui_.picPrev->grabMouse();
    return;
  }
  if (event->button() == Qt::RightButton)
    emit popupMenuRequested(event->globalPosition().toPoint());
  if (!shutDown()) timer1_.start();
}

void frmClock::dragFinished() {
  if (!stripDrag_) return;
  stripDrag_ = false;
  if (QWidget::mouseGrabber() == ui_.picPrev) ui_.picPrev->releaseMouse();
  if (const QScreen* screen = this->screen()) {
    move(pullBackOntoScreen(geometry(), screen->availableGeometry()));
  }
  if (!shutDown()) timer1_.start();
}

// --- Face and messages ----------------------------------------------------------------------

void frmClock::Timer1_Timer() {
  renderer_->Timer1_Timer();
  // Once a second, an XEmbed tray's presence (D-Bus reports a StatusNotifierItem host's end).
  if (++ticksSinceAreaCheck_ == 1000 / kTimerInterval) {
    ticksSinceAreaCheck_ = 0;
    if (!tray_->speaksStatusNotifier()) tray_->checkArea();
  }
}

void frmClock::FirstShowing() {
  show();
  if (splash_) {
    splash_->close();
    splash_ = nullptr;
  }
  static const std::array<QString, 4> kGreetings = {
      QStringLiteral("Hello, I'm KWEMO. :)"), QStringLiteral("Hello, how are you?"),
      QStringLiteral("Hey! I'm KWEMO."), QStringLiteral("Hello, I'm Tavi :-)")};
  const double r = QRandomGenerator::global()->generateDouble();
  ShowMsg(kGreetings[static_cast<std::size_t>(r * 4)], 0);
}

bool frmClock::isFace(const QObject* object) const { return object == ui_.picPrev; }
QSize frmClock::clientSize() const { return ui_.clientArea->size(); }
frmLoading* frmClock::splash() const { return splash_; }
void frmClock::setSplash(frmLoading* splash) { splash_ = splash; }

void frmClock::ShowMsg(const QString& Msg, int wait) { strip_->ShowMsg(Msg, wait); }
bool frmClock::MsgActive() const { return strip_->MsgActive(); }
void frmClock::setMsgActive(bool active) { strip_->setMsgActive(active); }

WindowState frmClock::windowState() const {
  const double tppX = twipsPerPixelX(*this);
  const double tppY = twipsPerPixelY(*this);
  WindowState state;
  state.Left = static_cast<float>(pixelsToTwips(x(), tppX));
  state.Top = static_cast<float>(pixelsToTwips(y(), tppY));
  state.Width = static_cast<float>(pixelsToTwips(width(), tppX));
  state.Height = static_cast<float>(pixelsToTwips(height(), tppY));
  state.AlwaysOnTop = items_->checked(ClockMenuItems::kAlwaysOnTop);
  state.RgnMode = items_->checked(ClockMenuItems::kEllipticForm);
  return state;
}

void frmClock::showRequested() {
  if (shutDown() || !renderer_->FirstShown()) return;  // it shows itself at its first drawing
  if (!isVisible()) {
    show();
    items_->setChecked(ClockMenuItems::kHideInTray, false);
  }
  raise();
  activateWindow();
}

}  // namespace kwemo
