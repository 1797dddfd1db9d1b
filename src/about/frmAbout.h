#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "about/CreditLines.h"
#include "about/frmAboutDesign.h"
#include "oldruntime/Rgb.h"
#include "surface/DrawSurface.h"

namespace kwemo {

// What the box says about the program.
struct ProgramInfo {
  QString title;
  int major = 0;
  int minor = 0;
  int revision = 0;

  // The title and version the build was made with (the CMake project).
  static ProgramInfo fromBuild();
};

// The about box: a black banner with title, version and notice, the maker's two links and OK.
// A double-click on the banner plays the text animation and the credits roll, which block the
// box (and the program's other windows) until they are over. It deletes itself when closed.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  // One frame's pause in milliseconds. By default the thread sleeps that long; tests put a
  // recorder here.
  using FrameWait = std::function<void(int milliseconds)>;

  explicit frmAbout(QWidget* owner = nullptr, ProgramInfo info = ProgramInfo::fromBuild());
  ~frmAbout() override;

  void setFrameWait(FrameWait wait);

  // The text animation of the banner and the credits roll, in one go.
  void RollCredits();

  // Lines 1 to 39 of the roll, filled at load.
  CreditTable CreditLines;

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildDesign();
  void Form_Load();
  void cmdOK_Click();
  void picAnim_DblClick();
  void lblURL_Click(int index);
  void lblURL_MouseMove(int index);
  void Form_MouseMove();
  void picAnim_MouseMove();
  void cmdOK_MouseMove();

  // Steps of the roll.
  void placeCanvas(int height);
  void drawTitlePage();
  int playTitleRise();
  void playNoticeDrop(int versionX);
  void printCredits();
  void frameRoll();
  void scrollCanvas();

  void setLinkColor(int index, Rgb color);
  Rgb linkColor(int index) const { return linkColors_[static_cast<std::size_t>(index)]; }
  void printAt(DrawSurface& surface, float x, float y, const QString& text, Rgb color);

  frmAboutDesign ui_;
  ProgramInfo info_;
  QString notice_;
  DrawSurface anim_;
  DrawSurface scrTxt_;
  FrameWait wait_;
  bool running_ = false;  // a phase or the scroll is playing
  bool rolling_ = false;  // RollCredits is under way
  std::array<Rgb, 2> linkColors_{};
  int pressedLink_ = -1;
};

// Shows the about box, loading it first if needed; a second call brings the one box to the front.
void ShowAbout(QWidget* owner);

}  // namespace kwemo
