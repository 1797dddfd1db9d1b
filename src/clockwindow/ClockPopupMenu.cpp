#include "clockwindow/ClockPopupMenu.h"

#include <QAction>
#include <QMenu>

namespace kwemo {

namespace {

// A menu click toggles a checkable action before it reports; the commands decide the marks.
void undoClickToggle(QAction& item, bool checkedNow) {
  if (item.isCheckable()) item.setChecked(!checkedNow);
}

void setCaption(QAction& item, const QString& caption) {
  item.setText(MenuItemText(caption, ClockMenuItems::shortcutLabel(item)));
}

}  // namespace

ClockPopupMenu::ClockPopupMenu(ClockMenuItems* items, QObject* parent)
    : QObject(parent),
      items_(items ? items : new ClockMenuItems(this)),
      mnuPopup_(new QMenu(QStringLiteral("mnuPopup"))),
      drawModeMenu_(new QMenu(mnuPopup_)) {
  mnuPopup_->setObjectName(QStringLiteral("mnuPopup"));
  for (const ClockMenuEntry& entry : ClockMenuEntries()) {
    QAction* item = items_->mPI(entry.index);
    mnuPopup_->addAction(item);
    if (entry.kind == ClockMenuEntry::DrawModeSubmenu) {
      drawModeMenu_->setTitle(caption(*item));
      item->setMenu(drawModeMenu_);
    }
    if (entry.kind != ClockMenuEntry::Item) continue;
    connect(item, &QAction::triggered, this, [this, item, index = entry.index](bool checkedNow) {
      undoClickToggle(*item, checkedNow);
      emit mPI_Clicked(index);
    });
  }

  for (int n = 1; n <= kDrawModes; ++n) {
    auto* item = new QAction(drawModeCaption(n), drawModeMenu_);
    item->setCheckable(true);
    item->setData(n);
    drawModeMenu_->addAction(item);
    mDM_[n] = item;
    connect(item, &QAction::triggered, this, [this, item, n](bool checkedNow) {
      undoClickToggle(*item, checkedNow);
      emit mDM_Clicked(n);
    });
  }
}

ClockPopupMenu::~ClockPopupMenu() { delete mnuPopup_; }

QAction* ClockPopupMenu::mPI(int index) const { return items_->mPI(index); }

QAction* ClockPopupMenu::mDM(int n) const {
  return n >= 1 && n <= kDrawModes ? mDM_[static_cast<std::size_t>(n)] : nullptr;
}

std::vector<int> ClockPopupMenu::indices() const { return items_->indices(); }

QString ClockPopupMenu::drawModeCaption(int n) { return DrawModeCaption(n); }

QString ClockPopupMenu::memoCaption(const QString& title) { return MemoItemCaption(title); }

void ClockPopupMenu::refresh(const QString& storedTitle, int drawMode) {
  setMemoItemsEnabled(!storedTitle.isEmpty());
  setCaption(*mPI(kMemoEdit), memoCaption(storedTitle));
  checkDrawMode(drawMode);
}

void ClockPopupMenu::checkDrawMode(int drawMode) {
  for (int n = 1; n <= kDrawModes; ++n)
    mDM_[static_cast<std::size_t>(n)]->setChecked(n == drawMode);
}

void ClockPopupMenu::setMemoItemsEnabled(bool enabled) { items_->setMemoItemsEnabled(enabled); }

bool ClockPopupMenu::checked(int index) const { return items_->checked(index); }

void ClockPopupMenu::setChecked(int index, bool checked) { items_->setChecked(index, checked); }

bool ClockPopupMenu::enabled(int index) const { return items_->enabled(index); }

}  // namespace kwemo
