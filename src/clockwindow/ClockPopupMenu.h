#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <vector>

#include "clockwindow/ClockMenuItems.h"

class QAction;
class QMenu;

namespace kwemo {

// The clock window's popup menu `mnuPopup`: the items `mPI(index)`, laid out in the menu
// registry's order, and the draw-mode submenu `mDM(1)` ... `mDM(16)`. The shortcut written beside
// an item is a label only; the clock window's key handler does the keys. A click on an item
// reports its code and leaves the check marks alone: the commands set them.
class ClockPopupMenu : public QObject, public ClockMenuCodes {
  Q_OBJECT

 public:
  // items: the window's items, which outlive the menu; null: the menu makes its own.
  explicit ClockPopupMenu(ClockMenuItems* items = nullptr, QObject* parent = nullptr);
  ~ClockPopupMenu() override;

  QMenu& mnuPopup() { return *mnuPopup_; }
  // The item with that code (separators included), or nullptr.
  QAction* mPI(int index) const;
  // The draw-mode item n (1-16), or nullptr.
  QAction* mDM(int n) const;
  // Every item code in menu order.
  std::vector<int> indices() const;

  // The item's caption without its shortcut label, and the label alone.
  static QString caption(const QAction& item) { return ClockMenuItems::caption(item); }
  static QString shortcutLabel(const QAction& item) { return ClockMenuItems::shortcutLabel(item); }
  // The caption of draw-mode item n (1-16), e.g. "01 - Blackness(&1)"; empty outside.
  static QString drawModeCaption(int n);
  // The memo item's caption for a stored title.
  static QString memoCaption(const QString& title);

  // Before every opening: memo item and its neighbours from the stored title, draw-mode marks.
  void refresh(const QString& storedTitle, int drawMode);
  // Unticks every draw mode, then ticks drawMode (none when it is outside 1-16).
  void checkDrawMode(int drawMode);
  // The clear and copy items.
  void setMemoItemsEnabled(bool enabled);

  bool checked(int index) const;
  void setChecked(int index, bool checked);
  bool enabled(int index) const;

 signals:
  void mPI_Clicked(int index);
  void mDM_Clicked(int index);

 private:
  ClockMenuItems* items_;
  QMenu* mnuPopup_;
  QMenu* drawModeMenu_;
  std::array<QAction*, kDrawModes + 1> mDM_{};
};

}  // namespace kwemo
