#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <map>

class QAction;
class QMenu;

namespace kwemo {

// The clock window's popup menu `mnuPopup`: the items `mPI(index)`, indexed by their command
// codes, and the draw-mode submenu `mDM(1)` ... `mDM(16)`. The shortcut written beside an item is
// a label only; the clock window's key handler does the keys. A click on an item reports its code
// and leaves the check marks alone: the commands set them.
class ClockPopupMenu : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAlwaysOnTop = 0;
  static constexpr int kMemoEdit = 11;
  static constexpr int kMemoClear = 12;
  static constexpr int kMemoCopy = 13;
  static constexpr int kClearClipboard = 20;
  static constexpr int kSetting = 100;
  static constexpr int kDrawModeMenu = 101;
  static constexpr int kEllipticForm = 110;
  static constexpr int kHideInTray = 998;
  static constexpr int kAbout = 32766;
  static constexpr int kEnd = 32767;
  static constexpr int kDrawModes = 16;

  // Makes (or hands over an existing) item for a command code; the menu sets its text, check
  // mark ability and label. Empty: the menu makes its own items.
  using ItemFactory = std::function<QAction*(int index, const QString& caption, bool checkable)>;

  explicit ClockPopupMenu(ItemFactory makeItem = {}, QObject* parent = nullptr);
  ~ClockPopupMenu() override;

  QMenu& mnuPopup() { return *mnuPopup_; }
  // The item with that code (separators included), or nullptr.
  QAction* mPI(int index) const;
  // The draw-mode item n (1-16), or nullptr.
  QAction* mDM(int n) const;
  // Every item code in menu order.
  std::vector<int> indices() const;

  // The item's caption without its shortcut label, and the label alone.
  static QString caption(const QAction& item);
  static QString shortcutLabel(const QAction& item);
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
  void addItem(int index, const QString& caption, const QString& label, bool checkable);
  void addSeparator(int index);
  void setCaption(QAction& item, const QString& caption);

  ItemFactory makeItem_;
  QMenu* mnuPopup_;
  QMenu* drawModeMenu_;
  std::map<int, QAction*> mPI_;
  std::vector<int> order_;
  std::array<QAction*, kDrawModes + 1> mDM_{};
};

}  // namespace kwemo
