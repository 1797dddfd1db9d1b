#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace kwemo {

struct FaceState;

// What the settings dialog needs of the clock window. The clock window implements it; the
// dialog's library sits below the window's and never sees its class.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // The clock window's inner (client) area in pixels.
  virtual QSize ClientSize() const = 0;
  // Gives the clock window an inner area of exactly this many pixels, keeping its left and top
  // edge where they are; the window's own resize handling then runs as for a user's resize.
  virtual void SetClientSize(QSize size) = 0;
  // The face values shared with the renderer: the hand angles the preview writes and
  // NeedPrepare, which applying the dialog sets.
  virtual FaceState& Face() = 0;
  // Caption of the clock's draw-mode menu item mDM(mode), mode 1-16, e.g. "01 - Blackness(&1)".
  virtual QString DrawModeCaption(int mode) const = 0;
  // Stacking of a window of the dialog (the colour chooser when it loads): on top, or directly
  // after `after` in the stacking order when that is given, without activating it.
  virtual void SetTopMost(QWidget* window, bool onTop, QWidget* after) = 0;
  // Writes the clock's settings to the store at once (after OK or Apply), so that a crash later
  // loses nothing; tells the user, over `dialog`, when that fails.
  virtual void SaveSettings(QWidget* dialog) = 0;
};

}  // namespace kwemo
